#include "TreeTestHost.h"
#include <functional>

using TreeIdentity = TreeTest;

TEST_F(TreeIdentity, DuplicateIDsAreFoundInWalkOrder)
{
    HTREEITEM hA = m_tree.InsertItem(L"A", 1, 0);
    HTREEITEM hB = m_tree.InsertItem(L"B", 2, 0);
    HTREEITEM hLateChild = m_tree.InsertItem(hB, L"B1", 7);
    HTREEITEM hEarlyGrandchild = m_tree.InsertItem(m_tree.InsertItem(hA, L"A1", 3), L"A11", 7);
    EXPECT_EQ(hEarlyGrandchild, m_tree.FindItem(7));

    // A parent comes before its children even when the child was inserted first.
    HTREEITEM hParent = m_tree.InsertItem(L"C", 9, 0);
    HTREEITEM hChild = m_tree.InsertItem(hParent, L"C1", 8);
    m_tree.InsertItem(L"D", 8, 0);
    EXPECT_EQ(hChild, m_tree.FindItem(8));

    m_tree.DeleteItemWithChildren(hA);
    EXPECT_EQ(hLateChild, m_tree.FindItem(7));
    EXPECT_EQ(L"B1", m_tree.GetText(7));
    EXPECT_EQ(L"", m_tree.GetText(1));
}

TEST_F(TreeIdentity, EmptyTextFirstChildHidesItsSiblingsUntilItGetsText)
{
    HTREEITEM hParent = m_tree.InsertItem(L"Parent", 1, 0);
    HTREEITEM hPlaceholder = m_tree.InsertItem(hParent, L"", 2);
    HTREEITEM hHidden = m_tree.InsertItem(L"Hidden", 3, 1);
    HTREEITEM hDeep = m_tree.InsertItem(hHidden, L"Deep", 4);
    HTREEITEM hAfter = m_tree.InsertItem(L"After", 5, 0);
    m_tree.InsertItem(L"Later duplicate", 4, 0);
    HTREEITEM hLaterDuplicate = m_tree.GetNextSiblingItem(hAfter);

    EXPECT_EQ(hAfter, m_tree.GetNextTreeItem(hParent));
    EXPECT_EQ(nullptr, m_tree.FindItem(2));
    EXPECT_EQ(nullptr, m_tree.FindItem(3));
    EXPECT_EQ(hLaterDuplicate, m_tree.FindItem(4));
    // Inserting by a hidden parent's ID puts the item at the root level.
    EXPECT_EQ(nullptr, m_tree.GetParentItem(m_tree.InsertItem(L"Orphan", 6, 3)));

    ASSERT_TRUE(m_tree.SetItemText(hPlaceholder, L"Filled"));
    EXPECT_EQ(hPlaceholder, m_tree.GetNextTreeItem(hParent));
    EXPECT_EQ(hHidden, m_tree.FindItem(3));
    EXPECT_EQ(hDeep, m_tree.FindItem(4));

    ASSERT_TRUE(m_tree.SetItemText(hPlaceholder, L""));
    EXPECT_EQ(hLaterDuplicate, m_tree.FindItem(4));
    EXPECT_EQ(hAfter, m_tree.GetNextTreeItem(hParent));

    // Walking back, an empty-text last child stops the descent at its parent.
    m_tree.InsertItem(hAfter, L"", 7);
    EXPECT_EQ(hAfter, m_tree.GetPrevTreeItem(hLaterDuplicate));
}

TEST_F(TreeIdentity, PlainModeKeepsTheSignedIDInTheSlot)
{
    m_tree.SetCreateDataObjects(FALSE);
    HTREEITEM hNegative = m_tree.InsertItem(L"Negative", static_cast<DWORD>(-7), 0);
    HTREEITEM hLarge = m_tree.InsertItem(hNegative, L"Large", 0x7FFFFFFF);
    EXPECT_EQ(-7, m_tree.GetItemID(hNegative));
    EXPECT_EQ(0x7FFFFFFF, m_tree.GetItemID(hLarge));
    EXPECT_EQ(hNegative, m_tree.FindItem(-7));
    EXPECT_EQ(hLarge, m_tree.FindItem(0x7FFFFFFF));
    EXPECT_EQ(nullptr, m_tree.GetObjectW(hNegative));
    EXPECT_TRUE(m_tree.ItemCanHaveChildren(hNegative));
    EXPECT_FALSE(m_tree.ItemCanHaveChildren(nullptr));

    // Without item data there is nothing to attach a host object to; the caller keeps the object.
    CCountedObject object;
    m_tree.SetItemObject(hNegative, &object, TRUE);
    EXPECT_FALSE(m_tree.HasItemObject(hNegative));
    EXPECT_EQ(nullptr, m_tree.GetItemObject(hNegative));
    m_tree.DestroyItemObject(hNegative);
    m_tree.DeleteItem(-7L);
    EXPECT_EQ(0, Deletions(object.m_nSerial));
    EXPECT_EQ(0u, m_tree.GetCount());
}

TEST_F(TreeIdentity, HostObjectOwnershipBothWays)
{
    HTREEITEM hItem = m_tree.InsertItem(L"Item", 1, 0);
    CCountedObject borrowed;
    const int nOwned = GiveOwnedObject(hItem);
    EXPECT_TRUE(m_tree.HasItemObject(1L));
    EXPECT_EQ(nOwned, static_cast<CCountedObject*>(m_tree.GetItemObject_save(1L))->m_nSerial);
    // Replacing an owned object deletes it; replacing a borrowed one leaves it alone.
    m_tree.SetItemObject(1L, &borrowed, FALSE);
    EXPECT_EQ(1, Deletions(nOwned));
    EXPECT_EQ(&borrowed, m_tree.GetItemObject(hItem));
    m_tree.SetItemObject(hItem, nullptr, FALSE);
    EXPECT_EQ(0, Deletions(borrowed.m_nSerial));
    EXPECT_FALSE(m_tree.HasItemObject(hItem));

    // Handing over the object the item already holds only changes who owns it.
    CCountedObject* pShared = new CCountedObject;
    const int nShared = pShared->m_nSerial;
    m_tree.SetItemObject(hItem, pShared, FALSE);
    m_tree.SetItemObject(hItem, pShared, TRUE);
    EXPECT_EQ(0, Deletions(nShared));
    m_tree.DeleteItem(hItem);
    EXPECT_EQ(1, Deletions(nShared));
}

TEST_F(TreeIdentity, ItemsWithoutDataAndNullItemsAreSafe)
{
    HTREEITEM hOdd = m_tree.InsertItem(L"Odd", 3, 0, TRUE, -1, -1, 0, RUNTIME_CLASS(CCountedObject));
    HTREEITEM hItem = m_tree.InsertItem(L"Item", 5, 0, TRUE);
    // Replacing the data re-indexes the item; taking it away leaves the item without an ID.
    m_tree.SetObject(hItem, new CTavTreeItemData(6, FALSE, nullptr, FALSE));
    EXPECT_EQ(nullptr, m_tree.FindItem(5));
    EXPECT_EQ(hItem, m_tree.FindItem(6));
    // The slot belongs to the tree: the hidden platform members neither show nor change it.
    const DWORD_PTR dwSlot = static_cast<CTreeCtrl&>(m_tree).GetItemData(hItem);
    m_tree.SetItemData(hItem, 77);
    EXPECT_EQ(0u, m_tree.GetItemData(hItem));
    EXPECT_EQ(dwSlot, static_cast<CTreeCtrl&>(m_tree).GetItemData(hItem));
    m_tree.SetObject(hItem, nullptr);
    EXPECT_EQ(nullptr, m_tree.FindItem(6));

    CCountedObject object;
    for (HTREEITEM hNoData : { hOdd, hItem })
    {
        EXPECT_FALSE(m_tree.HasObject(hNoData));
        EXPECT_EQ(-1, m_tree.GetItemID(hNoData));
        EXPECT_FALSE(m_tree.ItemCanHaveChildren(hNoData));
        m_tree.SetItemObject(hNoData, &object, TRUE);
        EXPECT_FALSE(m_tree.HasItemObject(hNoData));
    }
    EXPECT_EQ(hOdd, m_tree.FindItem(-1));
    m_tree.DeleteItem(hOdd);
    EXPECT_EQ(hItem, m_tree.FindItem(-1));
    m_tree.SetItemObject(nullptr, &object, TRUE);
    m_tree.SetItemObject(12345L, &object, TRUE);
    EXPECT_EQ(0, Deletions(object.m_nSerial));

    EXPECT_EQ(-1, m_tree.GetItemID(nullptr));
    EXPECT_FALSE(m_tree.ItemCanHaveChildren(nullptr));
    EXPECT_EQ(nullptr, m_tree.GetItemObject(nullptr));
    // The platform reads a null item as the whole tree; Expand must not deselect everything for it.
    m_tree.SetItemState(hItem, TVIS_SELECTED, TVIS_SELECTED);
    EXPECT_FALSE(m_tree.Expand(nullptr, TVE_EXPAND));
    EXPECT_EQ(UINT(TVIS_SELECTED), m_tree.GetItemState(hItem, TVIS_SELECTED));
    EXPECT_EQ(nullptr, m_tree.GetNextTreeItem(nullptr));
    EXPECT_EQ(nullptr, m_tree.GetPrevTreeItem(nullptr));
    // Neither a null item nor an unknown ID may reach the platform, which would take it for the whole tree.
    m_tree.DeleteItem(static_cast<HTREEITEM>(nullptr));
    m_tree.DeleteItem(999L);
    m_tree.DeleteItemWithChildren(static_cast<HTREEITEM>(nullptr));
    m_tree.DeleteItemWithChildren(999L);
    EXPECT_EQ(1u, m_tree.GetCount());
}

TEST_F(TreeIdentity, EveryDeleteFormAndWindowDestructionReleaseExactlyTheirItemsData)
{
    // Each case starts from: Parent (1) with an empty-text first child (2) that hides its sibling (3, holding an
    // owned host object, with a child 4), and a second root (5).
    struct Shape
    {
        HTREEITEM hParent, hHidden, hHiddenChild;
    } shape{};
    const struct
    {
        LPCWSTR lpszCase;
        std::function<void()> fnRelease;
        int nLive;
        bool bReleasesObject;
    } cases[] = {
        { L"a leaf by handle", [&] { m_tree.DeleteItem(shape.hHiddenChild); }, 4, false },
        // The platform removes the children with their parent; their data goes with them.
        { L"a parent by ID", [&] { m_tree.DeleteItem(1L); }, 1, true },
        { L"with children by ID", [&] { m_tree.DeleteItemWithChildren(1L); }, 1, true },
        { L"a hidden item with children by handle", [&] { m_tree.DeleteItemWithChildren(shape.hHidden); }, 3, true },
        { L"all items", [&] { EXPECT_TRUE(m_tree.DeleteAllItems()); }, 0, true },
        { L"a collapse that resets the children",
          [&] {
              m_tree.Expand(shape.hParent, TVE_EXPAND);
              m_tree.Expand(shape.hParent, TVE_COLLAPSE | TVE_COLLAPSERESET);
              EXPECT_EQ(nullptr, m_tree.GetChildItem(shape.hParent));
              EXPECT_EQ(shape.hParent, m_tree.FindItem(1));
          },
          2, true },
        { L"window destruction", [&] { m_tree.DestroyWindow(); }, 0, true },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.lpszCase);
        CCountedItemData::s_nDeleted = 0;
        shape.hParent = InsertCounted(nullptr, 1);
        InsertCounted(shape.hParent, 2, L"");
        shape.hHidden = InsertCounted(shape.hParent, 3);
        shape.hHiddenChild = InsertCounted(shape.hHidden, 4);
        InsertCounted(nullptr, 5);
        const int nObject = GiveOwnedObject(shape.hHidden);
        ASSERT_EQ(5, CCountedItemData::s_nLive);

        c.fnRelease();
        EXPECT_EQ(c.nLive, CCountedItemData::s_nLive);
        EXPECT_EQ(5 - c.nLive, CCountedItemData::s_nDeleted) << "an item's data was deleted twice";
        EXPECT_EQ(c.bReleasesObject ? 1 : 0, Deletions(nObject));
        if (m_tree.m_hWnd != nullptr)
            m_tree.DeleteAllItems();
    }
}

TEST_F(TreeIdentity, CopiesShareButNeverOwnTheHostObjectAndMovesKeepIt)
{
    HTREEITEM hTarget = InsertCounted(nullptr, 1);
    HTREEITEM hSource = InsertCounted(nullptr, 2);
    InsertCounted(hSource, 3);
    const int nObject = GiveOwnedObject(hSource);

    HTREEITEM hCopy = m_tree.CopyItem(hSource, hTarget);
    ASSERT_NE(nullptr, hCopy);
    EXPECT_EQ(m_tree.GetItemObject(hSource), m_tree.GetItemObject(hCopy));
    EXPECT_NE(m_tree.GetObjectW(hSource), m_tree.GetObjectW(hCopy));
    EXPECT_TRUE(m_tree.ItemCanHaveChildren(hCopy));
    // The copy, a child of the earlier root, now comes first in walk order.
    EXPECT_EQ(hCopy, m_tree.FindItem(2));
    m_tree.DeleteItem(hCopy);
    EXPECT_EQ(0, Deletions(nObject));

    m_tree.MoveItemWithChildren(hSource, hTarget);
    EXPECT_EQ(3, CCountedItemData::s_nLive);
    EXPECT_EQ(0, Deletions(nObject));
    HTREEITEM hMoved = m_tree.FindItem(2);
    EXPECT_EQ(hTarget, m_tree.GetParentItem(hMoved));
    EXPECT_EQ(nObject, static_cast<CCountedObject*>(m_tree.GetItemObject(hMoved))->m_nSerial);
    EXPECT_EQ(hMoved, m_tree.GetParentItem(m_tree.FindItem(3)));

    // An item cannot move into its own subtree: that would delete it with its source.
    m_tree.MoveItemWithChildren(hTarget, m_tree.FindItem(3));
    EXPECT_EQ(nullptr, m_tree.MoveItem(hTarget, hMoved));
    EXPECT_EQ(nullptr, m_tree.GetParentItem(hTarget));
    EXPECT_EQ(3u, m_tree.GetCount());
    m_tree.DeleteAllItems();
    EXPECT_EQ(0, CCountedItemData::s_nLive);
    EXPECT_EQ(1, Deletions(nObject));
}

// The platform's own member deletes the item with its child; the tree still gives back both data objects.
TEST_F(TreeIdentity, AnItemDeletedThroughThePlatformMemberIsNeverAnsweredAndGivesBackItsData)
{
    HTREEITEM hParent = InsertCounted(nullptr, 1);
    InsertCounted(hParent, 3);
    static_cast<CTreeCtrl&>(m_tree).DeleteItem(hParent);
    EXPECT_EQ(0, CCountedItemData::s_nLive);
    EXPECT_EQ(2, CCountedItemData::s_nDeleted);
    EXPECT_EQ(nullptr, m_tree.FindItem(3));
    EXPECT_EQ(nullptr, m_tree.FindItem(1));
    EXPECT_FALSE(m_tree.IsItem(1));

    HTREEITEM hChild = m_tree.InsertItem(L"Child", 2, 1);
    ASSERT_NE(nullptr, hChild);
    EXPECT_EQ(nullptr, m_tree.GetParentItem(hChild));
    EXPECT_EQ(hChild, m_tree.FindItem(2));
}
