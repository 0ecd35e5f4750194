#include "TreeTestHost.h"
#include <functional>

class TreeIdentity : public TreeTest
{
protected:
    void SetUp() override
    {
        TreeTest::SetUp();
        CreateTree();
    }
};

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
    EXPECT_FALSE(m_tree.Expand(nullptr, TVE_EXPAND));
    EXPECT_EQ(nullptr, m_tree.GetNextTreeItem(nullptr));
    EXPECT_EQ(nullptr, m_tree.GetPrevTreeItem(nullptr));
    // Neither a null item nor an unknown ID may reach the platform, which would take it for the whole tree.
    m_tree.DeleteItem(static_cast<HTREEITEM>(nullptr));
    m_tree.DeleteItem(999L);
    m_tree.DeleteItemWithChildren(static_cast<HTREEITEM>(nullptr));
    m_tree.DeleteItemWithChildren(999L);
    EXPECT_EQ(1u, m_tree.GetCount());
}

TEST_F(TreeIdentity, EveryDeleteFormReleasesExactlyItsItemsData)
{
    // Four families of parent, child (holding an owned host object) and grandchild.
    std::vector<int> vecObjects;
    for (long lBase : { 10, 20, 30, 40 })
    {
        HTREEITEM hChild = InsertCounted(InsertCounted(nullptr, lBase), lBase + 1);
        InsertCounted(hChild, lBase + 2);
        vecObjects.push_back(GiveOwnedObject(hChild));
    }
    ASSERT_EQ(12, CCountedItemData::s_nLive);

    const struct
    {
        std::function<void()> fnDelete;
        int nLive;
        int nFamiliesReleased;   // how many host objects are gone after the step, in family order
    } steps[] = {
        { [&] { m_tree.DeleteItem(m_tree.FindItem(12)); }, 11, 0 },
        // The platform removes the children with their parent; their data goes with them.
        { [&] { m_tree.DeleteItem(10L); }, 9, 1 },
        { [&] { m_tree.DeleteItemWithChildren(20L); }, 6, 2 },
        { [&] { m_tree.DeleteItemWithChildren(m_tree.FindItem(31)); }, 4, 3 },
        { [&] { EXPECT_TRUE(m_tree.DeleteAllItems()); }, 0, 4 },
    };
    for (size_t nStep = 0; nStep < std::size(steps); ++nStep)
    {
        SCOPED_TRACE(nStep);
        steps[nStep].fnDelete();
        EXPECT_EQ(steps[nStep].nLive, CCountedItemData::s_nLive);
        for (int nFamily = 0; nFamily < 4; ++nFamily)
            EXPECT_EQ(nFamily < steps[nStep].nFamiliesReleased ? 1 : 0, Deletions(vecObjects[nFamily])) << nFamily;
    }
    EXPECT_EQ(12, CCountedItemData::s_nDeleted);
    EXPECT_EQ(nullptr, m_tree.FindItem(11));
    EXPECT_EQ(nullptr, m_tree.FindItem(40));
}

TEST_F(TreeIdentity, DestroyingTheWindowReleasesHiddenSubtreesToo)
{
    HTREEITEM hParent = InsertCounted(nullptr, 1);
    InsertCounted(hParent, 2, L"");
    const int nObject = GiveOwnedObject(InsertCounted(hParent, 3));
    InsertCounted(nullptr, 4);
    ASSERT_EQ(4, CCountedItemData::s_nLive);

    m_tree.DestroyWindow();
    EXPECT_EQ(0, CCountedItemData::s_nLive);
    EXPECT_EQ(4, CCountedItemData::s_nDeleted);
    EXPECT_EQ(1, Deletions(nObject));
}

TEST_F(TreeIdentity, CopiesNeverOwnTheSourcesHostObject)
{
    HTREEITEM hTarget = InsertCounted(nullptr, 1);
    HTREEITEM hSource = InsertCounted(nullptr, 2);
    const int nObject = GiveOwnedObject(hSource);

    HTREEITEM hCopy = m_tree.CopyItem(hSource, hTarget);
    ASSERT_NE(nullptr, hCopy);
    EXPECT_EQ(m_tree.GetItemObject(hSource), m_tree.GetItemObject(hCopy));
    EXPECT_NE(m_tree.GetObjectW(hSource), m_tree.GetObjectW(hCopy));
    // The copy, a child of the earlier root, now comes first in walk order.
    EXPECT_EQ(hCopy, m_tree.FindItem(2));

    m_tree.DeleteItem(hCopy);
    EXPECT_EQ(0, Deletions(nObject));
    m_tree.DeleteItem(hSource);
    EXPECT_EQ(1, Deletions(nObject));
    m_tree.DeleteAllItems();
    EXPECT_EQ(0, CCountedItemData::s_nLive);
}

TEST_F(TreeIdentity, ACollapseThatResetsTheChildrenReleasesTheirData)
{
    HTREEITEM hParent = InsertCounted(nullptr, 1);
    InsertCounted(InsertCounted(hParent, 2), 3);
    m_tree.Expand(hParent, TVE_EXPAND);
    ASSERT_EQ(3, CCountedItemData::s_nLive);

    m_tree.Expand(hParent, TVE_COLLAPSE | TVE_COLLAPSERESET);
    EXPECT_EQ(nullptr, m_tree.GetChildItem(hParent));
    EXPECT_EQ(1, CCountedItemData::s_nLive);
    EXPECT_EQ(nullptr, m_tree.FindItem(2));
    EXPECT_EQ(hParent, m_tree.FindItem(1));
}

TEST_F(TreeIdentity, MovedItemsKeepTheirDataAndStayFindable)
{
    HTREEITEM hTarget = InsertCounted(nullptr, 1);
    HTREEITEM hSource = InsertCounted(nullptr, 2);
    InsertCounted(hSource, 3);
    const int nObject = GiveOwnedObject(hSource);

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
    EXPECT_EQ(3, CCountedItemData::s_nLive);
}

TEST_F(TreeIdentity, AnItemDeletedBehindTheTreesBackIsNeverAnswered)
{
    HTREEITEM hParent = InsertCounted(nullptr, 1);
    CTavTreeItemData* pData = m_tree.GetObjectW(hParent);
    static_cast<CTreeCtrl&>(m_tree).DeleteItem(hParent);
    delete pData;
    EXPECT_EQ(nullptr, m_tree.FindItem(1));
    EXPECT_FALSE(m_tree.IsItem(1));

    HTREEITEM hChild = m_tree.InsertItem(L"Child", 2, 1);
    ASSERT_NE(nullptr, hChild);
    EXPECT_EQ(nullptr, m_tree.GetParentItem(hChild));
    EXPECT_EQ(hChild, m_tree.FindItem(2));
}
