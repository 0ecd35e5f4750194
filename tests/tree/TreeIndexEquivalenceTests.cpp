// The tree finds items by ID through an index that its window procedure keeps in step. These tests change
// the tree every way a host or a derived tree can (the tree's own members, the inherited CTreeCtrl members,
// raw messages, the label editor, writes into item data) and compare every look-up with the plain walk.
#include "TreeTestHost.h"
#include "kit/Input.h"
#include "kit/Pump.h"
#include <functional>
#include <random>

namespace
{
const long s_lLowestID = -2;
const long s_lHighestID = 30;   // a small range, so that IDs repeat

// A host that lets the platform rename: it answers the end of a label edit with TRUE, so the platform sets
// the new text itself, where no message to the tree shows it.
WNDPROC s_pfnHostProc = nullptr;
LRESULT CALLBACK RenamingHostProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    const LRESULT lResult = ::CallWindowProcW(s_pfnHostProc, hWnd, message, wParam, lParam);
    if (message == WM_NOTIFY && reinterpret_cast<const NMHDR*>(lParam)->code == TVN_ENDLABELEDITW)
        return reinterpret_cast<const NMTVDISPINFOW*>(lParam)->item.pszText != nullptr;
    return lResult;
}

// Refusing keeps the tree's own rename (a message it sees) out, leaving only the platform's. It looks an
// item up first, as listeners may while the edit is still open and the platform has not renamed yet.
class CRenameSwitch : public CTavTreeActionListener
{
public:
    explicit CRenameSwitch(const CTavTreeCtrl& tree) : m_tree(tree) {}
    bool OnItemDoubleClick(HTREEITEM) override { return true; }
    int OnRenameItem(HTREEITEM, const CString&) override
    {
        m_tree.FindItem(0);
        return m_bTreeRenames ? 1 : 0;
    }
    bool m_bTreeRenames = true;

private:
    const CTavTreeCtrl& m_tree;
};
}

class TreeIndexEquivalence : public TreeTest
{
protected:
    void SetUp() override
    {
        m_tree.AllowLabelEditing();
        TreeTest::SetUp();
        m_tree.AddActionListener(&m_renameSwitch);
        s_pfnHostProc = reinterpret_cast<WNDPROC>(
            ::SetWindowLongPtrW(m_wndHost.m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&RenamingHostProc)));
    }

    long RandomID() { return std::uniform_int_distribution<long>(s_lLowestID, s_lHighestID)(m_random); }
    int Random(int nBelow) { return std::uniform_int_distribution<int>(0, nBelow - 1)(m_random); }
    LPCWSTR RandomText() { return Random(6) == 0 ? L"" : L"Item"; }

    HTREEITEM RandomItem()
    {
        const std::vector<HTREEITEM> vecItems = AllItems();
        return vecItems.empty() ? nullptr : vecItems[Random(static_cast<int>(vecItems.size()))];
    }

    // What an item-data slot holds for the ID: counted data (so that leaks show) or the ID itself.
    LPARAM NewSlot(long lItemID)
    {
        if (!m_bDataObjects)
            return lItemID;
        CCountedItemData* pData = new CCountedItemData;
        pData->m_lItemID = lItemID;
        return reinterpret_cast<LPARAM>(pData);
    }

    HTREEITEM InsertCountedByID(LPCWSTR lpszText, long lItemID, long lParentID)
    {
        return m_tree.InsertItem(lpszText, static_cast<DWORD>(lItemID), static_cast<DWORD>(lParentID), TRUE, -1, -1,
                                 0, RUNTIME_CLASS(CCountedItemData));
    }

    BOOL SetTextThroughBaseClass(HTREEITEM hItem, LPCWSTR lpszText)
    {
        TVITEMW item = {};
        item.mask = TVIF_HANDLE | TVIF_TEXT;
        item.hItem = hItem;
        item.pszText = const_cast<LPWSTR>(lpszText);
        return m_tree.CTreeCtrl::SetItem(&item);
    }

    // Plain mode also gives the item a new ID through the slot.
    void SetItemByMessage(HTREEITEM hItem, LPCWSTR lpszText, bool bNarrow)
    {
        char szNarrow[8] = {};
        WideCharToMultiByte(CP_ACP, 0, lpszText, -1, szNarrow, sizeof(szNarrow), nullptr, nullptr);
        TVITEMW item = {};
        item.mask = TVIF_HANDLE | TVIF_TEXT | (m_bDataObjects ? 0 : TVIF_PARAM);
        item.hItem = hItem;
        item.pszText = bNarrow ? reinterpret_cast<LPWSTR>(szNarrow) : const_cast<LPWSTR>(lpszText);
        item.lParam = RandomID();
        ::SendMessageW(m_tree.m_hWnd, bNarrow ? TVM_SETITEMA : TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item));
    }

    HTREEITEM InsertByMessage(HTREEITEM hParent, LPCWSTR lpszText, HTREEITEM hInsertAfter, long lItemID)
    {
        TVINSERTSTRUCTW insert = {};
        insert.hParent = hParent != nullptr ? hParent : TVI_ROOT;
        insert.hInsertAfter = hInsertAfter;
        insert.item.mask = TVIF_TEXT | TVIF_PARAM;
        insert.item.pszText = const_cast<LPWSTR>(lpszText);
        insert.item.lParam = NewSlot(lItemID);
        return reinterpret_cast<HTREEITEM>(
            ::SendMessageW(m_tree.m_hWnd, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert)));
    }

    // Through the edit box, as a user renames; either the tree renames or, refused, the platform does. The
    // item is shown first, as a user sees what he edits (Wine's own showing of an item to edit can leave the
    // tree scrolled to a hidden item after some changes, and a later collapse with reset then crashes it).
    void RenameThroughEditBox(HTREEITEM hItem, LPCWSTR lpszText, bool bTreeRenames)
    {
        m_renameSwitch.m_bTreeRenames = bTreeRenames;
        std::vector<HTREEITEM> vecAncestors;
        for (HTREEITEM hUp = m_tree.GetParentItem(hItem); hUp != nullptr; hUp = m_tree.GetParentItem(hUp))
            vecAncestors.insert(vecAncestors.begin(), hUp);
        for (HTREEITEM hAncestor : vecAncestors)
            m_tree.Expand(hAncestor, TVE_EXPAND);
        ASSERT_NE(nullptr, m_tree.EditLabel(hItem));
        if (*lpszText == L'\0')
            kit::PressKey(VK_DELETE);
        else
            kit::TypeText(lpszText);
        kit::PressKey(VK_RETURN);
        kit::PumpUntilIdle();
        ASSERT_EQ(nullptr, m_tree.GetEditControlHandle());
        ASSERT_EQ(CString(lpszText), m_tree.GetItemText(hItem)) << (bTreeRenames ? "tree renames" : "platform renames");
    }

    void CollapseWithReset(HTREEITEM hItem, bool bRaw)
    {
        if (!bRaw)
        {
            m_tree.Expand(hItem, TVE_EXPAND);
            m_tree.Expand(hItem, TVE_COLLAPSE | TVE_COLLAPSERESET);
            return;
        }
        ::SendMessageW(m_tree.m_hWnd, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(hItem));
        ::SendMessageW(m_tree.m_hWnd, TVM_EXPAND, TVE_COLLAPSE | TVE_COLLAPSERESET, reinterpret_cast<LPARAM>(hItem));
    }

    // The parent named by ID is the first item of that ID in walk order; none puts the item at the root level.
    void InsertUnderParentID(long lParentID)
    {
        const std::map<long, HTREEITEM> mapFirst = FirstItemsByWalk();
        auto it = mapFirst.find(lParentID);
        const HTREEITEM hExpectedParent = lParentID != 0 && it != mapFirst.end() ? it->second : nullptr;
        HTREEITEM hItem = InsertCountedByID(RandomText(), RandomID(), lParentID);
        EXPECT_EQ(hExpectedParent, m_tree.GetParentItem(hItem)) << "parent ID " << lParentID;
    }

    void RunRandomOperation()
    {
        HTREEITEM hItem = RandomItem();
        HTREEITEM hOther = RandomItem();
        switch (Random(24))
        {
        case 0:
        case 1:
        case 2:
            InsertUnderParentID(RandomID());
            break;
        case 3:
            InsertCounted(Random(4) == 0 ? nullptr : hItem, RandomID(), RandomText());
            break;
        case 4:
            if (hItem != nullptr)
                m_tree.SetItemText(hItem, RandomText());
            break;
        case 5:
            m_tree.DeleteItem(Random(2) ? hItem : m_tree.FindItem(RandomID()));
            break;
        case 6:
            m_tree.DeleteItemWithChildren(Random(2) ? hItem : m_tree.FindItem(RandomID()));
            break;
        case 7:
            m_tree.MoveItemWithChildren(hItem, hOther);
            break;
        case 8:
            m_tree.MoveItem(hItem, hOther);
            break;
        case 9:
            if (m_tree.GetCount() < 120)
                m_tree.CopyItemWithChildren(hItem, hOther);
            break;
        case 10:
            if (hItem != nullptr && m_bDataObjects)
                m_tree.SetObject(hItem, reinterpret_cast<CTavTreeItemData*>(NewSlot(RandomID())));
            break;
        case 11:
            if (Random(20) == 0)
                m_tree.DeleteAllItems();
            break;
        case 12:
        case 13:
            CollapseWithReset(hItem, Random(2) != 0);
            break;
        case 14:
            if (hItem != nullptr)
                SetTextThroughBaseClass(hItem, RandomText());
            break;
        case 15:
        case 16:
            if (hItem != nullptr)
                SetItemByMessage(hItem, RandomText(), Random(3) == 0);
            break;
        case 17:
            m_tree.CTreeCtrl::InsertItem(RandomText(), Random(4) == 0 ? TVI_ROOT : hItem, Random(2) ? TVI_FIRST : TVI_LAST);
            break;
        case 18:
        case 19:
            InsertByMessage(Random(4) == 0 ? nullptr : hItem, RandomText(), Random(2) ? TVI_FIRST : TVI_LAST, RandomID());
            break;
        case 20:
            if (hItem != nullptr)
                m_tree.CTreeCtrl::DeleteItem(hItem);
            break;
        case 21:
            ::SendMessageW(m_tree.m_hWnd, TVM_DELETEITEM, 0,
                           reinterpret_cast<LPARAM>(Random(30) == 0 ? TVI_ROOT : hItem));
            break;
        case 22:
            // First children matter most: their text decides whether their siblings are found.
            if (hItem != nullptr)
                RenameThroughEditBox(Random(2) && m_tree.GetChildItem(hOther) ? m_tree.GetChildItem(hOther) : hItem,
                                     Random(2) ? L"" : L"Item", Random(2) != 0);
            break;
        case 23:
            // A derived tree writes the ID into the item's data object (items the base class inserted have none).
            if (m_tree.HasObject(hItem))
                m_tree.GetObject_save(hItem)->m_lItemID = RandomID();
            break;
        }
    }

    void ExpectLookupsMatchTheWalk(int nStep)
    {
        const std::map<long, HTREEITEM> mapFirst = FirstItemsByWalk();
        for (long lID = s_lLowestID - 1; lID <= s_lHighestID + 1; ++lID)
        {
            auto it = mapFirst.find(lID);
            const HTREEITEM hExpected = it == mapFirst.end() ? nullptr : it->second;
            ASSERT_EQ(hExpected, m_tree.FindItem(lID)) << "ID " << lID << " after step " << nStep;
            ASSERT_EQ(hExpected != nullptr, m_tree.IsItem(lID));
        }
    }

    // Each ID finds the item given by its index in m_aItems (or nothing), and an item inserted under that
    // parent ID lands under that item (or at the root level).
    void ExpectFoundAndInsertedUnder(const std::vector<std::pair<long, int>>& vecExpected)
    {
        for (const auto& expected : vecExpected)
        {
            const HTREEITEM hExpected = expected.second < 3 ? m_aItems[expected.second] : nullptr;
            EXPECT_EQ(hExpected, m_tree.FindItem(expected.first)) << "ID " << expected.first;
            HTREEITEM hProbe = m_tree.InsertItem(L"probe", 999, static_cast<DWORD>(expected.first));
            EXPECT_EQ(hExpected, m_tree.GetParentItem(hProbe)) << "under parent ID " << expected.first;
            m_tree.DeleteItem(hProbe);
        }
    }

    void RunSequence(int nSteps)
    {
        int nDuplicatesSeen = 0;
        for (int nStep = 0; nStep < nSteps; ++nStep)
        {
            RunRandomOperation();
            ExpectLookupsMatchTheWalk(nStep);
            if (::testing::Test::HasFatalFailure())
                return;
            if (FirstItemsByWalk().size() < AllItems().size())
                ++nDuplicatesSeen;
        }
        // The sequence must really have exercised repeated and hidden IDs.
        EXPECT_GT(nDuplicatesSeen, nSteps / 4);
        // Whichever way items left, their counted data went with them, once.
        m_tree.DeleteAllItems();
        EXPECT_EQ(0, CCountedItemData::s_nLive);
    }

    std::mt19937 m_random{ 5 };
    BOOL m_bDataObjects = TRUE;
    CRenameSwitch m_renameSwitch{ m_tree };
    HTREEITEM m_aItems[3] = {};
    HTREEITEM m_hExtra = nullptr;
};

// Each change was once missed by the index; undoing it must be seen as well. Items: M (400) with the
// children m1 (401) and m2 (402).
TEST_F(TreeIndexEquivalence, ChangesTheTreeDidNotMakeReachTheIndexAndSoDoTheirUndos)
{
    enum { M, m1, m2, None };
    const struct
    {
        LPCWSTR lpszCase;
        std::function<void()> change;
        std::function<void()> undo;
        std::vector<std::pair<long, int>> vecAfterChange;   // ID -> item the look-up finds
    } rows[] = {
        { L"CTreeCtrl::SetItem empties the first child's text",
          [&] { SetTextThroughBaseClass(m_aItems[m1], L""); }, [&] { SetTextThroughBaseClass(m_aItems[m1], L"m1"); },
          { { 400, M }, { 401, None }, { 402, None } } },
        { L"a raw TVM_SETITEM empties the first child's text",
          [&] { SetItemByMessage(m_aItems[m1], L"", false); }, [&] { SetItemByMessage(m_aItems[m1], L"m1", true); },
          { { 400, M }, { 401, None }, { 402, None } } },
        { L"CTreeCtrl::InsertItem puts an empty-text item first",
          [&] { m_hExtra = m_tree.CTreeCtrl::InsertItem(L"", m_aItems[M], TVI_FIRST); },
          [&] { m_tree.CTreeCtrl::DeleteItem(m_hExtra); }, { { 400, M }, { 401, None }, { 402, None } } },
        { L"a raw TVM_INSERTITEM puts an empty-text item first",
          [&] { m_hExtra = InsertByMessage(m_aItems[M], L"", TVI_FIRST, 403); },
          [&] { ::SendMessageW(m_tree.m_hWnd, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(m_hExtra)); },
          { { 400, M }, { 401, None }, { 402, None }, { 403, None } } },
        { L"the platform renames the first child to an empty text",
          [&] { RenameThroughEditBox(m_aItems[m1], L"", false); }, [&] { RenameThroughEditBox(m_aItems[m1], L"m1", false); },
          { { 400, M }, { 401, None }, { 402, None } } },
        { L"a derived tree writes the ID into the data object",
          [&] { m_tree.GetObject_save(m_aItems[m2])->m_lItemID = 22; },
          [&] { m_tree.GetObject_save(m_aItems[m2])->m_lItemID = 402; },
          { { 400, M }, { 401, m1 }, { 402, None }, { 22, m2 } } },
    };
    for (const auto& row : rows)
    {
        SCOPED_TRACE(row.lpszCase);
        m_tree.DeleteAllItems();
        m_aItems[M] = m_tree.InsertItem(L"M", 400, 0);
        m_aItems[m1] = m_tree.InsertItem(L"m1", 401, 400);
        m_aItems[m2] = m_tree.InsertItem(L"m2", 402, 400);
        row.change();
        ExpectFoundAndInsertedUnder(row.vecAfterChange);
        row.undo();
        ExpectFoundAndInsertedUnder({ { 400, M }, { 401, m1 }, { 402, m2 } });
    }
}

TEST_F(TreeIndexEquivalence, DataObjectModeMatchesThePlainWalk)
{
    RunSequence(1500);
}

TEST_F(TreeIndexEquivalence, PlainModeMatchesThePlainWalk)
{
    m_bDataObjects = FALSE;
    m_tree.SetCreateDataObjects(FALSE);
    RunSequence(1000);
}
