#include "TreeTestHost.h"
#include "kit/Input.h"
#include "kit/Pump.h"
#include "Archive.h"
#include "File.h"
#include <algorithm>
#include <functional>
#include <random>

namespace
{
class CSelectionListener : public CTavTreeActionListener
{
public:
    bool OnItemDoubleClick(HTREEITEM) override { return true; }
    void OnSelectionChanged() override { ++m_nChanges; }
    int m_nChanges = 0;
};
}

// A (a1 (a11), a2), B (b1), C, D; everything shown, multi-selection on.
class TreeSelection : public TreeTest
{
protected:
    void SetUp() override
    {
        TreeTest::SetUp();
        m_tree.AllowMultiSelection();
        m_hA = InsertCounted(nullptr, 1, L"A");
        m_hA1 = InsertCounted(m_hA, 11, L"a1");
        m_hA11 = InsertCounted(m_hA1, 111, L"a11");
        m_hA2 = InsertCounted(m_hA, 12, L"a2");
        m_hB = InsertCounted(nullptr, 2, L"B");
        m_hB1 = InsertCounted(m_hB, 21, L"b1");
        m_hC = InsertCounted(nullptr, 3, L"C");
        m_hD = InsertCounted(nullptr, 4, L"D");
        for (HTREEITEM hItem : { m_hA, m_hA1, m_hB })
            m_tree.Expand(hItem, TVE_EXPAND);
        m_tree.AddActionListener(&m_listener);
        // The platform makes the first item the caret when the tree gets the focus.
        m_tree.SetFocus();
        kit::PumpUntilIdle();
        m_tree.DeselectAll();
        m_listener.m_nChanges = 0;
    }

    // A plain click that makes the item the caret and the only selected item, then Shift pressed there.
    void AnchorAt(HTREEITEM hItem)
    {
        kit::Click(&m_tree, LabelPoint(hItem));
        kit::KeyDown(VK_SHIFT);
        ASSERT_EQ(hItem, m_tree.m_hShiftAnchor);
    }

    HTREEITEM m_hA, m_hA1, m_hA11, m_hA2, m_hB, m_hB1, m_hC, m_hD;
    CSelectionListener m_listener;
};

TEST_F(TreeSelection, CtrlClicksToggleSingleItemsAndAnnounceEachOnce)
{
    for (HTREEITEM hItem : { m_hA1, m_hB, m_hD })
        kit::Click(&m_tree, LabelPoint(hItem), kit::Button::Left, kit::Ctrl);
    EXPECT_EQ(L"a1 B D", SelectedTexts());
    EXPECT_EQ(3, m_listener.m_nChanges);
    kit::Click(&m_tree, LabelPoint(m_hB), kit::Button::Left, kit::Ctrl);
    EXPECT_EQ(L"a1 D", SelectedTexts());
    EXPECT_EQ(4, m_listener.m_nChanges);
    EXPECT_EQ(ScannedSelectedTexts(), SelectedTexts());
}

TEST_F(TreeSelection, ShiftClicksSelectTheShownRangeToTheAnchorUnlessTheItemIsSelected)
{
    struct Case { HTREEITEM hAnchor, hClicked; LPCWSTR lpszSelected; };
    const Case cases[] = {
        { m_hA1, m_hB, L"a1 a11 a2 B" },   // below the anchor
        { m_hB1, m_hA11, L"a11 a2 B b1" }, // above it
    };
    for (const Case& c : cases)
    {
        AnchorAt(c.hAnchor);
        kit::Click(&m_tree, LabelPoint(c.hClicked), kit::Button::Left, kit::Shift);
        EXPECT_EQ(c.lpszSelected, SelectedTexts());
        EXPECT_EQ(c.hClicked, m_tree.GetSelectedItem());
        const int nChanges = m_listener.m_nChanges;
        kit::Click(&m_tree, LabelPoint(m_hA2), kit::Button::Left, kit::Shift);
        EXPECT_EQ(c.lpszSelected, SelectedTexts()) << "a click on a selected item changes nothing";
        EXPECT_EQ(nChanges, m_listener.m_nChanges);
        kit::KeyUp(VK_SHIFT);
        EXPECT_EQ(nullptr, m_tree.m_hShiftAnchor);
    }
}

TEST_F(TreeSelection, APressBesideASelectedLabelKeepsTheSelectionUntilTheRelease)
{
    m_tree.SelectItems(m_hC);   // C and D
    kit::MousePress(&m_tree, BesideLabel(m_hC));
    EXPECT_EQ(L"C D", SelectedTexts());
    kit::MouseRelease(&m_tree, BesideLabel(m_hC));
    EXPECT_EQ(L"", SelectedTexts()) << "a release beside the label leaves nothing selected";

    m_tree.SelectItems(m_hC);
    kit::MousePress(&m_tree, BesideLabel(m_hC));
    kit::MouseRelease(&m_tree, LabelPoint(m_hD));
    EXPECT_EQ(L"D", SelectedTexts());
    EXPECT_EQ(m_hD, m_tree.GetSelectedItem());
}

TEST_F(TreeSelection, RightClicksKeepASelectionOnlyOnASelectedItem)
{
    struct Case { HTREEITEM hItem; LPCWSTR lpszSelected; };
    const Case cases[] = { { m_hB, L"A B D" }, { m_hC, L"C" }, { nullptr, L"" } };
    for (const Case& c : cases)
    {
        for (HTREEITEM hItem : { m_hA, m_hB, m_hD })
            m_tree.SetItemState(hItem, TVIS_SELECTED, TVIS_SELECTED);
        const CPoint point = c.hItem != nullptr ? LabelPoint(c.hItem) : CPoint(150, 340);
        kit::ClickWithQueuedRelease(&m_tree, point, kit::Button::Right);
        EXPECT_EQ(c.lpszSelected, SelectedTexts());
        EXPECT_EQ(ScannedSelectedTexts(), SelectedTexts());
    }
}

TEST_F(TreeSelection, ShiftKeysSelectRangesAndPlainKeysKeepOnlyTheCaret)
{
    struct Case { HTREEITEM hStart; UINT nKey; LPCWSTR lpszSelected; HTREEITEM hCaret; };
    const Case cases[] = {
        { m_hA, VK_UP, L"A", m_hA },   // at the first item: consumed, nothing changes
        { m_hA1, VK_DOWN, L"a1 a11", m_hA11 },
        { m_hA11, VK_END, L"a11 a2 B b1 C D", m_hD },
        { m_hB, VK_HOME, L"A a1 a11 a2 B", m_hA },
        { m_hA, VK_NEXT, L"A a1 a11 a2 B b1 C D", m_hD },   // the window holds all eight rows
    };
    for (const Case& c : cases)
    {
        AnchorAt(c.hStart);
        const int nChanges = m_listener.m_nChanges;
        kit::KeyDown(c.nKey, kit::Shift);
        EXPECT_EQ(c.lpszSelected, SelectedTexts()) << c.nKey;
        EXPECT_EQ(c.hCaret, m_tree.GetSelectedItem()) << c.nKey;
        EXPECT_EQ(c.nKey == VK_UP ? nChanges : nChanges + 2, m_listener.m_nChanges) << c.nKey;
        kit::KeyUp(VK_SHIFT);
    }
    m_tree.SelectAll();
    m_tree.SelectItem(m_hB);
    kit::PressKey(VK_DOWN);
    EXPECT_EQ(L"b1", SelectedTexts());
    m_tree.SelectAll();
    kit::PressKey(VK_UP);
    EXPECT_EQ(L"B", SelectedTexts());
}

TEST_F(TreeSelection, DeleteKeyDeletesEachSelectedSubtreeOnceAndDeletionsClearTheAnchor)
{
    m_tree.AllowItemDelete();
    for (HTREEITEM hItem : { m_hA, m_hA11, m_hC })
        m_tree.SetItemState(hItem, TVIS_SELECTED, TVIS_SELECTED);
    kit::PressKey(VK_DELETE);
    EXPECT_EQ(3, CCountedItemData::s_nLive);   // B, b1, D
    EXPECT_EQ(5, CCountedItemData::s_nDeleted);
    EXPECT_EQ(3u, m_tree.GetCount());

    m_tree.SelectItem(m_hB1);
    kit::KeyDown(VK_SHIFT);
    ASSERT_EQ(m_hB1, m_tree.m_hShiftAnchor);
    m_tree.DeleteItemWithChildren(m_hB);
    EXPECT_EQ(nullptr, m_tree.m_hShiftAnchor);
    kit::KeyDown(VK_DOWN, kit::Shift);
    EXPECT_EQ(1, m_tree.GetSelectionCount()) << "no range without an anchor";
    kit::KeyUp(VK_SHIFT);

    m_tree.SelectItem(m_hD);
    kit::KeyDown(VK_SHIFT);
    m_tree.DeleteAllItems();
    EXPECT_EQ(nullptr, m_tree.m_hShiftAnchor);
    kit::KeyUp(VK_SHIFT);
}

TEST_F(TreeSelection, HostOperationsSelectRangesSubtreesAndTheirFollowingSiblings)
{
    struct Case { std::function<void()> act; LPCWSTR lpszSelected; };
    const Case cases[] = {
        { [this] { m_tree.SelectItems(m_hA1); }, L"a1 a11 a2" },
        { [this] { m_tree.SelectAll(); m_tree.DeselectItems(m_hA2); }, L"A a1 a11 B b1 C D" },
        { [this] { m_tree.SelectAll(); m_tree.DeselectItems(m_hB); }, L"A a1 a11 a2" },
        { [this] { m_tree.SelectItemRange(m_hB1, m_hA1); }, L"a1 a11 a2 B b1" },
        { [this] { m_tree.SelectItemRange(m_hA2, m_hC); }, L"a2 B b1 C" },
        { [this] { m_tree.SelectItemRange(nullptr, m_hC); }, L"" },
        { [this] { m_tree.SelectAll(); m_tree.Expand(m_hA, TVE_COLLAPSE); }, L"A B b1 C D" },
    };
    for (const Case& c : cases)
    {
        m_tree.DeselectAll();
        c.act();
        EXPECT_EQ(c.lpszSelected, SelectedTexts());
        EXPECT_EQ(ScannedSelectedTexts(), SelectedTexts());
        m_tree.Expand(m_hA, TVE_EXPAND);
    }
    m_tree.SelectAll();
    CStringArray aTexts;
    m_tree.GetSelectedChildrenTexts(m_hA1, aTexts);
    ASSERT_EQ(3, aTexts.GetSize());   // a1, a11, a2: A's following siblings are not a1's
    EXPECT_EQ(L"a2", aTexts[2]);
    CArray<HTREEITEM, HTREEITEM&> aItems;
    m_tree.GetSelectedChildren(m_hB1, aItems);
    ASSERT_EQ(1, aItems.GetSize());
    EXPECT_EQ(m_hB1, aItems[0]);

    CArray<HTREEITEM, HTREEITEM&> aMixed;
    for (HTREEITEM hItem : { m_hA, m_hA11, m_hC, m_hA1 })
        aMixed.Add(hItem);
    m_tree.RemoveChildrenOfParents(aMixed);
    ASSERT_EQ(2, aMixed.GetSize());
    EXPECT_EQ(m_hA, aMixed[0]);
    EXPECT_EQ(m_hC, aMixed[1]);

    m_tree.ReceiveOnSelChangedByMouseAndKeyboardOnly(TRUE);
    const int nChanges = m_listener.m_nChanges;
    m_tree.SelectItem(4L);
    EXPECT_EQ(m_hD, m_tree.GetSelectedItem());
    EXPECT_EQ(nChanges, m_listener.m_nChanges);
}

// Clicks, keys, host calls, deletes, moves, copies, loads and collapses in a fixed-seed random order; after
// every step the tree's selection queries must agree with a scan of every item's selected bit.
TEST_F(TreeSelection, SelectionQueriesFollowEveryKindOfChange)
{
    m_tree.AllowItemDelete();
    std::mt19937 random(9);
    int nNextText = 0;
    auto pick = [&](const std::vector<HTREEITEM>& vecItems) {
        return vecItems[std::uniform_int_distribution<size_t>(0, vecItems.size() - 1)(random)];
    };
    auto shown = [&](HTREEITEM hItem) {
        CRect rect;
        return m_tree.GetItemRect(hItem, &rect, TRUE) && rect.bottom > 0 && rect.top < 360;
    };
    const UINT keys[] = { VK_UP, VK_DOWN, VK_HOME, VK_END, VK_NEXT, VK_PRIOR };
    for (int nStep = 0; nStep < 250; ++nStep)
    {
        std::vector<HTREEITEM> vecItems = AllItems();
        if (vecItems.size() < 4)
        {
            ++nNextText;
            m_tree.InsertItem(std::to_wstring(nNextText).c_str(), nNextText, 0);
            continue;
        }
        HTREEITEM hItem = pick(vecItems);
        HTREEITEM hOther = pick(vecItems);
        const int nAction = std::uniform_int_distribution<int>(0, 14)(random);
        SCOPED_TRACE(testing::Message() << "step " << nStep << ", action " << nAction);
        switch (nAction)
        {
        case 0: case 1:
            if (shown(hItem))
                kit::Click(&m_tree, LabelPoint(hItem), kit::Button::Left, nAction == 0 ? kit::NoKeys : kit::Ctrl);
            break;
        case 2: case 3:
        {
            const bool bShift = nAction == 2;
            if (bShift)
                kit::KeyDown(VK_SHIFT);
            if (shown(hItem) && random() % 2)
                kit::Click(&m_tree, LabelPoint(hItem), kit::Button::Left, bShift ? kit::Shift : kit::NoKeys);
            else
                kit::KeyDown(keys[random() % 6], bShift ? kit::Shift : kit::NoKeys);
            if (bShift)
                kit::KeyUp(VK_SHIFT);
            break;
        }
        case 4: (random() % 2 ? m_tree.SelectItems(hItem) : m_tree.DeselectItems(hItem)); break;
        case 5: (random() % 2 ? m_tree.SelectAll() : m_tree.DeselectAll()); break;
        case 6: m_tree.SelectItemRange(hItem, hOther); break;
        case 7: m_tree.CTreeCtrl::SetItemState(hItem, random() % 2 ? TVIS_SELECTED : 0, TVIS_SELECTED); break;
        case 8: m_tree.DeleteItemWithChildren(hItem); break;
        case 9: kit::PressKey(VK_DELETE); break;
        case 10: m_tree.MoveItemWithChildren(hItem, hOther); break;
        case 11: if (AllItems().size() < 40) m_tree.CopyItemWithChildren(hItem, hOther); break;
        case 12:
        {
            CMemFile file;
            CArchive arStore(&file, CArchive::store);
            m_tree.Serialize(arStore);
            arStore.Close();
            file.SeekToBegin();
            CArchive arLoad(&file, CArchive::load);
            m_tree.Serialize(arLoad);
            break;
        }
        case 13:
        {
            TVINSERTSTRUCTW insert = {};
            insert.hParent = hItem;
            insert.hInsertAfter = TVI_FIRST;
            insert.item.mask = TVIF_TEXT | TVIF_STATE;
            const std::wstring strText = std::to_wstring(++nNextText);
            insert.item.pszText = const_cast<LPWSTR>(strText.c_str());
            insert.item.state = random() % 2 ? TVIS_SELECTED : 0;
            insert.item.stateMask = TVIS_SELECTED;
            m_tree.CTreeCtrl::InsertItem(&insert);
            break;
        }
        default:
            m_tree.Expand(hItem, random() % 3 ? TVE_TOGGLE : TVE_COLLAPSE | TVE_COLLAPSERESET);
            break;
        }
        std::vector<HTREEITEM> vecScanned;
        for (HTREEITEM hAny : AllItems())
            if (m_tree.GetItemState(hAny, TVIS_SELECTED) != 0)
                vecScanned.push_back(hAny);
        CArray<HTREEITEM, HTREEITEM&> aSelected;
        m_tree.GetSelectedItems(aSelected);
        ASSERT_EQ(vecScanned, std::vector<HTREEITEM>(aSelected.GetData(), aSelected.GetData() + aSelected.GetSize()));
        ASSERT_EQ(static_cast<long>(vecScanned.size()), m_tree.GetSelectionCount());
        vecItems = AllItems();
        if (vecItems.empty())
            continue;
        // The selected items among one item, its following siblings and their subtrees.
        HTREEITEM hFrom = pick(vecItems);
        std::vector<HTREEITEM> vecRange;
        for (HTREEITEM hSibling = hFrom; hSibling != nullptr; hSibling = m_tree.GetNextSiblingItem(hSibling))
            for (HTREEITEM hSelected : vecScanned)
                if (hSelected == hSibling || m_tree.IsChildNodeOf(hSelected, hSibling))
                    vecRange.push_back(hSelected);
        std::sort(vecRange.begin(), vecRange.end(), [&](HTREEITEM h1, HTREEITEM h2) {
            return std::find(vecScanned.begin(), vecScanned.end(), h1) < std::find(vecScanned.begin(), vecScanned.end(), h2);
        });
        CArray<HTREEITEM, HTREEITEM&> aChildren;
        m_tree.GetSelectedChildren(hFrom, aChildren);
        ASSERT_EQ(vecRange, std::vector<HTREEITEM>(aChildren.GetData(), aChildren.GetData() + aChildren.GetSize()));
        for (HTREEITEM hAny : vecItems)
            ASSERT_EQ(m_tree.GetItemState(hAny, TVIS_SELECTED) != 0, m_tree.IsItemSelected(hAny) != FALSE);
    }
}
