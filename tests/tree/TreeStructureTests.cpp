#include "TreeTestHost.h"
#include "TavCheckTree.h"
#include "Archive.h"
#include "DumpContext.h"
#include "File.h"
#include <cstring>

class TreeStructure : public TreeTest
{
protected:
    void SetUp() override
    {
        TreeTest::SetUp();
        // A (a1 (a11), a2), B (b1), C
        m_hA = m_tree.InsertItem(L"A", 1, 0);
        m_hA1 = m_tree.InsertItem(L"a1", 11, 1);
        m_hA11 = m_tree.InsertItem(L"a11", 111, 11);
        m_hA2 = m_tree.InsertItem(L"a2", 12, 1);
        m_hB = m_tree.InsertItem(L"B", 2, 0);
        m_hB1 = m_tree.InsertItem(L"b1", 21, 2);
        m_hC = m_tree.InsertItem(L"C", 3, 0);
    }

    HTREEITEM m_hA, m_hA1, m_hA11, m_hA2, m_hB, m_hB1, m_hC;
};

TEST_F(TreeStructure, WalksRunBothWaysAndStopAtTheEndsAndAncestryFollowsTheShape)
{
    const std::vector<HTREEITEM> vecOrder = { m_hA, m_hA1, m_hA11, m_hA2, m_hB, m_hB1, m_hC };
    HTREEITEM hItem = m_tree.GetRootItem();
    for (HTREEITEM hExpected : vecOrder)
    {
        EXPECT_EQ(hExpected, hItem);
        hItem = m_tree.GetNextTreeItem(hItem);
    }
    EXPECT_EQ(nullptr, hItem);
    for (size_t i = vecOrder.size() - 1; i > 0; --i)
        EXPECT_EQ(vecOrder[i - 1], m_tree.GetPrevTreeItem(vecOrder[i]));
    EXPECT_EQ(nullptr, m_tree.GetPrevTreeItem(m_hA));

    EXPECT_FALSE(m_tree.IsChildNodeOf(m_hA1, m_hA1));
    EXPECT_TRUE(m_tree.IsChildNodeOf(m_hA1, m_hA));
    EXPECT_TRUE(m_tree.IsChildNodeOf(m_hA11, m_hA));
    EXPECT_FALSE(m_tree.IsChildNodeOf(m_hA, m_hB));
    EXPECT_FALSE(m_tree.IsChildNodeOf(m_hB1, m_hA));
}

TEST_F(TreeStructure, SetItemTextKeepsTheStateBits)
{
    m_tree.Expand(m_hA, TVE_EXPAND);
    m_tree.SelectItem(m_hA);
    m_tree.SelectDropTarget(m_hB);
    const UINT nStateA = m_tree.GetItemState(m_hA, 0xFFFF);
    const UINT nStateB = m_tree.GetItemState(m_hB, 0xFFFF);
    ASSERT_EQ(UINT(TVIS_EXPANDED | TVIS_SELECTED), nStateA & (TVIS_EXPANDED | TVIS_SELECTED));
    ASSERT_EQ(UINT(TVIS_DROPHILITED), nStateB & TVIS_DROPHILITED);

    EXPECT_TRUE(m_tree.SetItemText(m_hA, L"Renamed A"));
    EXPECT_TRUE(m_tree.SetItemText(m_hB, L"Renamed B"));
    EXPECT_EQ(L"Renamed A", m_tree.GetItemText(m_hA));
    EXPECT_EQ(nStateA, m_tree.GetItemState(m_hA, 0xFFFF));
    EXPECT_EQ(nStateB, m_tree.GetItemState(m_hB, 0xFFFF));
    EXPECT_FALSE(m_tree.SetItemText(nullptr, L"nothing"));
}

TEST_F(TreeStructure, ExpandClearsTheSelectionBelowTheItemOnly)
{
    m_tree.Expand(m_hA, TVE_EXPAND);
    for (HTREEITEM hItem : { m_hA, m_hA1, m_hA11, m_hB1 })
        m_tree.SetItemState(hItem, TVIS_SELECTED, TVIS_SELECTED);
    EXPECT_TRUE(m_tree.Expand(m_hA, TVE_COLLAPSE));
    EXPECT_EQ(0u, m_tree.GetItemState(m_hA, TVIS_EXPANDED));
    EXPECT_EQ(UINT(TVIS_SELECTED), m_tree.GetItemState(m_hA, TVIS_SELECTED));
    EXPECT_EQ(0u, m_tree.GetItemState(m_hA1, TVIS_SELECTED));
    EXPECT_EQ(0u, m_tree.GetItemState(m_hA11, TVIS_SELECTED));
    EXPECT_EQ(UINT(TVIS_SELECTED), m_tree.GetItemState(m_hB1, TVIS_SELECTED));
}

TEST_F(TreeStructure, ShownItemsAreCountedAndMeasured)
{
    EXPECT_EQ(3, m_tree.CountExpandedItems(m_tree.GetRootItem()));
    m_tree.Expand(m_hA, TVE_EXPAND);
    EXPECT_EQ(5, m_tree.CountExpandedItems(m_tree.GetRootItem()));
    m_tree.Expand(m_hA1, TVE_EXPAND);
    EXPECT_EQ(6, m_tree.CountExpandedItems(m_tree.GetRootItem()));
    EXPECT_EQ(3, m_tree.CountExpandedItems(m_hA1));

    m_tree.SetItemText(m_hB1, L"a hidden text longer than any shown one");
    m_tree.SetItemText(m_hA11, L"the longest shown text");
    EXPECT_EQ(m_hA11, m_tree.GetLongestExpandedItem());
    m_tree.Expand(m_hA1, TVE_COLLAPSE);
    m_tree.Expand(m_hB, TVE_EXPAND);
    EXPECT_EQ(m_hB1, m_tree.GetLongestExpandedItem());
}

namespace
{
CString DumpOf(const CTavTreeCtrl& tree)
{
    CString strOut;
    CDumpContext dc(&strOut);
    tree.Dump(dc);
    dc.Flush();
    return strOut;
}

CString DataItemLines(LPCWSTR lpszText, LPCWSTR lpszID, LPCWSTR lpszCanHaveChildren)
{
    CString strLines;
    strLines.Format(L"*** Item Text: %s ***\n*** Classname of Item: CTavTreeItemData ***\n\tItemID:          %s\n"
                    L"\tCanHaveChildren: %s\n\tObject:          NULL\tDeleteObject:    0\n",
                    lpszText, lpszID, lpszCanHaveChildren);
    return strLines;
}
}

TEST_F(TreeStructure, DumpOfEmptyAndSmallTrees)
{
    CTestTree plainTree;
    plainTree.SetCreateDataObjects(FALSE);
    ASSERT_TRUE(plainTree.Create(WS_CHILD, CRect(0, 0, 100, 100), &m_wndHost, 101));
    EXPECT_STREQ(L"Tree contents:\n", DumpOf(plainTree));
    plainTree.InsertItem(L"x", 5, 0);
    EXPECT_STREQ(L"Tree contents:\n*** Item Text: x ***\n", DumpOf(plainTree));

    m_tree.DeleteAllItems();
    m_tree.InsertItem(m_tree.InsertItem(L"Top", 7, 0, TRUE), L"Leaf", -3, FALSE);
    EXPECT_STREQ(L"Tree contents:\n" + DataItemLines(L"Top", L"7", L"1") + DataItemLines(L"Leaf", L"-3", L"0"),
                 DumpOf(m_tree));
}

TEST_F(TreeStructure, ASavedTreeLoadsBackWithItsItemDataAndIDsFindable)
{
    m_tree.Expand(m_hA, TVE_EXPAND);
    m_tree.SetItemState(m_hA2, TVIS_SELECTED, TVIS_SELECTED);
    m_tree.SetItemObject(m_hB1, new CCountedObject, TRUE);
    m_tree.SetObject(m_hC, new CTavTreeItemData(-5, FALSE, nullptr, FALSE));
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        m_tree.SaveTree(ar);
        ar.Close();
    }
    file.SeekToBegin();
    CTestTree loaded;
    ASSERT_TRUE(loaded.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 100, 100), &m_wndHost, 102));
    loaded.InsertItem(L"replaced", 99, 0);
    CArchive ar(&file, CArchive::load);
    loaded.LoadTree(ar);

    EXPECT_EQ(nullptr, loaded.FindItem(99));
    HTREEITEM hA = loaded.FindItem(1);
    HTREEITEM hA11 = loaded.FindItem(111);
    HTREEITEM hA2 = loaded.FindItem(12);
    HTREEITEM hB1 = loaded.FindItem(21);
    ASSERT_NE(nullptr, hA);
    ASSERT_NE(nullptr, hA11);
    EXPECT_EQ(L"a11", loaded.GetItemText(hA11));
    EXPECT_EQ(loaded.FindItem(11), loaded.GetParentItem(hA11));
    EXPECT_EQ(hA, loaded.GetParentItem(hA2));
    EXPECT_EQ(UINT(TVIS_EXPANDED), loaded.GetItemState(hA, TVIS_EXPANDED));
    EXPECT_EQ(UINT(TVIS_SELECTED), loaded.GetItemState(hA2, TVIS_SELECTED));
    EXPECT_NE(nullptr, DYNAMIC_DOWNCAST(CCountedObject, loaded.GetItemObject(hB1)));
    EXPECT_TRUE(loaded.GetObjectW(hB1)->m_bDeleteObject);
    EXPECT_TRUE(loaded.ItemCanHaveChildren(hA));
    ASSERT_NE(nullptr, loaded.FindItem(-5));
    EXPECT_FALSE(loaded.ItemCanHaveChildren(loaded.FindItem(-5)));
    EXPECT_EQ(7u, loaded.GetCount());
}

namespace
{
// Under the C++ ABI of this compiler a pointer to a virtual member holds one plus its slot's byte offset.
template <class TMember>
ptrdiff_t SlotOffset(TMember pMember)
{
    struct
    {
        UINT_PTR uFunction;
        ptrdiff_t nAdjust;
    } raw;
    static_assert(sizeof(raw) == sizeof(pMember), "a two-word member pointer");
    std::memcpy(&raw, &pMember, sizeof(raw));
    return static_cast<ptrdiff_t>(raw.uFunction) - 1;
}

class CSlotProbe : public CTavTreeCtrl
{
public:
    // The tree's own virtual operations, in the order derived trees override them.
    static std::vector<ptrdiff_t> TreeSlots()
    {
        using T = CTavTreeCtrl;
        return { SlotOffset(&CSlotProbe::MoveItem), SlotOffset(&CSlotProbe::MoveItemWithChildren),
                 SlotOffset(&CSlotProbe::CopyItem), SlotOffset(&CSlotProbe::CopyItemWithChildren),
                 SlotOffset(static_cast<void (T::*)(HTREEITEM)>(&CSlotProbe::DeleteItem)),
                 SlotOffset(static_cast<void (T::*)(long)>(&CSlotProbe::DeleteItem)),
                 SlotOffset(static_cast<void (T::*)(HTREEITEM)>(&CSlotProbe::DeleteItemWithChildren)),
                 SlotOffset(static_cast<void (T::*)(long)>(&CSlotProbe::DeleteItemWithChildren)),
                 SlotOffset(&CSlotProbe::DeleteAllItems), SlotOffset(&CSlotProbe::LoadTree),
                 SlotOffset(&CSlotProbe::SaveTree), SlotOffset(&CSlotProbe::SaveItem),
                 SlotOffset(&CSlotProbe::LoadItem), SlotOffset(&CSlotProbe::InitializeControl),
                 SlotOffset(&CSlotProbe::OnBeginDrag), SlotOffset(&CSlotProbe::CanRenameItem),
                 SlotOffset(&CSlotProbe::OnRenameItem), SlotOffset(&CSlotProbe::IsValidDragItem),
                 SlotOffset(&CSlotProbe::IsValidDropItem), SlotOffset(&CSlotProbe::CreateImageList),
                 SlotOffset(&CSlotProbe::DeleteImageList), SlotOffset(&CSlotProbe::CalcItemRect),
                 SlotOffset(&CSlotProbe::CanToggleExpand), SlotOffset(&CSlotProbe::TransferItem) };
    }
};

// The owner-drawn tree's painting hooks come right after the tree's own operations.
class COwnerDrawSlotProbe : public CTavCheckTreeCtrl
{
public:
    static std::vector<ptrdiff_t> PaintingSlots()
    {
        return { SlotOffset(&COwnerDrawSlotProbe::TransferItem), SlotOffset(&COwnerDrawSlotProbe::BeginPainting),
                 SlotOffset(&COwnerDrawSlotProbe::EndPainting), SlotOffset(&COwnerDrawSlotProbe::DrawNormalItem),
                 SlotOffset(&COwnerDrawSlotProbe::DrawHighlightedItem), SlotOffset(&COwnerDrawSlotProbe::KillOldLabels) };
    }
};

void ExpectConsecutive(const std::vector<ptrdiff_t>& vecSlots, ptrdiff_t nFirst)
{
    for (size_t i = 0; i < vecSlots.size(); ++i)
        EXPECT_EQ(nFirst + static_cast<ptrdiff_t>(i * sizeof(void*)), vecSlots[i]) << "operation " << i;
}
}

TEST(TreeVirtualSlots, DerivedTreesListenersAndItemDataFindTheirOperationsInOrder)
{
    const std::vector<ptrdiff_t> vecTree = CSlotProbe::TreeSlots();
    ExpectConsecutive(vecTree, vecTree.front());
    ExpectConsecutive({ SlotOffset(&CTavTreeActionListener::OnItemDoubleClick),
                        SlotOffset(&CTavTreeActionListener::OnSelectionChanged),
                        SlotOffset(&CTavTreeActionListener::OnRenameItem),
                        SlotOffset(&CTavTreeActionListener::OnBeginLabelEdit),
                        SlotOffset(&CTavTreeActionListener::OnItemExpanded) },
                      0);
    ExpectConsecutive({ SlotOffset(&CTavTreeItemData::Dump), SlotOffset(&CTavTreeItemData::Copy) },
                      SlotOffset(&CTavTreeItemData::Dump));

    const std::vector<ptrdiff_t> vecPainting = COwnerDrawSlotProbe::PaintingSlots();
    EXPECT_EQ(vecTree.back(), vecPainting.front());
    ExpectConsecutive(vecPainting, vecPainting.front());
    EXPECT_EQ(SlotOffset(&CTavTreeActionListener::OnItemExpanded) + static_cast<ptrdiff_t>(sizeof(void*)),
              SlotOffset(&CTavCheckTreeActionListener::OnCheckChanged));
    EXPECT_EQ(SlotOffset(&CTavTreeItemData::Copy), SlotOffset(&CTavCheckItem::Copy));
}

TEST_F(TreeStructure, AnAttachedDialogTreeGetsTheFeaturesAndGivesBackItsData)
{
    kit::DialogTemplate dialogTemplate(L"Attached", 120, 100);
    dialogTemplate.AddControl(WC_TREEVIEWW, L"", WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS, 4, 4, 100, 80, 200);
    kit::CHostDialog dialog;
    ASSERT_TRUE(dialog.Open(dialogTemplate));
    // An item the window had before the tree took it over is found by ID and released with the rest.
    CCountedItemData* pEarlyData = new CCountedItemData;
    pEarlyData->m_lItemID = 7;
    TVINSERTSTRUCTW insert = {};
    insert.hParent = TVI_ROOT;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_PARAM;
    insert.item.pszText = const_cast<LPWSTR>(L"Early");
    insert.item.lParam = reinterpret_cast<LPARAM>(pEarlyData);
    const HTREEITEM hEarly = reinterpret_cast<HTREEITEM>(
        ::SendDlgItemMessageW(dialog.m_hWnd, 200, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert)));
    CTestTree attached;
    attached.AllowLabelEditing();
    ASSERT_TRUE(attached.SubclassDlgItem(200, &dialog));
    EXPECT_EQ(hEarly, attached.FindItem(7));
    EXPECT_EQ(attached.m_pImageList->GetSafeHandle(), attached.GetImageListHandle(TVSIL_NORMAL));
    const DWORD dwFeatures = TVS_EDITLABELS | TVS_DISABLEDRAGDROP;
    EXPECT_EQ(dwFeatures, attached.GetStyle() & dwFeatures);
    attached.AllowDragAndDrop();
    attached.DisAllowLabelEditing();
    EXPECT_EQ(0u, attached.GetStyle() & dwFeatures);

    // The fixture's tree keeps its item; the attached tree releases its own three with its window.
    InsertCounted(nullptr, 1);
    attached.InsertItem(attached.InsertItem(nullptr, L"Top", 1, TRUE, -1, -1, 0, RUNTIME_CLASS(CCountedItemData)),
                        L"Below", 2, TRUE, -1, -1, 0, RUNTIME_CLASS(CCountedItemData));
    ASSERT_EQ(4, CCountedItemData::s_nLive);
    dialog.DestroyWindow();
    EXPECT_EQ(1, CCountedItemData::s_nLive);
}
