#include "TreeTestHost.h"
#include "TreeTestObjects.h"

namespace
{
CRuntimeClass* Counted()
{
    return RUNTIME_CLASS(CCountedItemData);
}
}

class TreeIdentity : public TreeTest
{
protected:
    void SetUp() override
    {
        TreeTest::SetUp();
        CreateTree();
        CCountedObject::Reset();
        CCountedItemData::s_nLive = 0;
        CCountedItemData::s_nDeleted = 0;
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
    EXPECT_TRUE(m_tree.IsItem(7));
    EXPECT_FALSE(m_tree.IsItem(1));
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
    EXPECT_FALSE(m_tree.HasObject(hNegative));
    EXPECT_TRUE(m_tree.ItemCanHaveChildren(hNegative));

    // Without item data there is nothing to attach a host object to; the caller keeps the object.
    CCountedObject object;
    m_tree.SetItemObject(hNegative, &object, TRUE);
    EXPECT_FALSE(m_tree.HasItemObject(hNegative));
    EXPECT_EQ(nullptr, m_tree.GetItemObject(hNegative));
    m_tree.DestroyItemObject(hNegative);
    m_tree.DeleteItem(-7L);
    EXPECT_EQ(0, CCountedObject::s_mapDeletions[object.m_nSerial]);
    EXPECT_EQ(0u, m_tree.GetCount());
}

TEST_F(TreeIdentity, HostObjectOwnershipBothWays)
{
    HTREEITEM hItem = m_tree.InsertItem(L"Item", 1, 0);
    CCountedObject borrowed;
    CCountedObject* pOwned = new CCountedObject;
    const int nOwned = pOwned->m_nSerial;

    m_tree.SetItemObject(hItem, pOwned, TRUE);
    EXPECT_TRUE(m_tree.HasItemObject(1L));
    EXPECT_EQ(pOwned, m_tree.GetItemObject_save(1L));
    // Replacing an owned object deletes it.
    m_tree.SetItemObject(1L, &borrowed, FALSE);
    EXPECT_EQ(1, CCountedObject::s_mapDeletions[nOwned]);
    EXPECT_EQ(&borrowed, m_tree.GetItemObject(hItem));
    // Replacing a borrowed one leaves it alone.
    m_tree.SetItemObject(hItem, nullptr, FALSE);
    EXPECT_EQ(0, CCountedObject::s_mapDeletions[borrowed.m_nSerial]);
    EXPECT_FALSE(m_tree.HasItemObject(hItem));

    // Handing over the object the item already holds only changes who owns it.
    CCountedObject* pShared = new CCountedObject;
    m_tree.SetItemObject(hItem, pShared, FALSE);
    m_tree.SetItemObject(hItem, pShared, TRUE);
    EXPECT_EQ(0, CCountedObject::s_mapDeletions[pShared->m_nSerial]);
    const int nShared = pShared->m_nSerial;
    m_tree.DeleteItem(hItem);
    EXPECT_EQ(1, CCountedObject::s_mapDeletions[nShared]);
}

TEST_F(TreeIdentity, ItemsWithoutDataAndNullItemsAreSafe)
{
    HTREEITEM hItem = m_tree.InsertItem(L"Item", 5, 0, TRUE);
    m_tree.SetObject(hItem, nullptr);
    EXPECT_EQ(-1, m_tree.GetItemID(hItem));
    EXPECT_EQ(hItem, m_tree.FindItem(-1));
    EXPECT_EQ(nullptr, m_tree.FindItem(5));
    EXPECT_FALSE(m_tree.ItemCanHaveChildren(hItem));
    EXPECT_FALSE(m_tree.HasItemObject(hItem));
    CCountedObject object;
    m_tree.SetItemObject(hItem, &object, TRUE);
    m_tree.SetItemObject(nullptr, &object, TRUE);
    m_tree.SetItemObject(12345L, &object, TRUE);
    EXPECT_EQ(0, CCountedObject::s_mapDeletions[object.m_nSerial]);

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

TEST_F(TreeIdentity, ReplacingItemDataReindexesTheItem)
{
    HTREEITEM hItem = m_tree.InsertItem(L"Item", 5, 0);
    m_tree.SetObject(hItem, new CTavTreeItemData(6, FALSE, nullptr, FALSE));
    EXPECT_EQ(nullptr, m_tree.FindItem(5));
    EXPECT_EQ(hItem, m_tree.FindItem(6));
}

TEST_F(TreeIdentity, EveryDeleteFormReleasesExactlyItsItemsData)
{
    auto insertFamily = [this](long lBase) {
        HTREEITEM hParent = m_tree.InsertItem(L"Parent", lBase, 0, TRUE, -1, -1, 0, Counted());
        HTREEITEM hChild = m_tree.InsertItem(hParent, L"Child", lBase + 1, TRUE, -1, -1, 0, Counted());
        m_tree.InsertItem(hChild, L"Grandchild", lBase + 2, TRUE, -1, -1, 0, Counted());
        CCountedObject* pObject = new CCountedObject;
        m_tree.SetItemObject(hChild, pObject, TRUE);
        return pObject->m_nSerial;
    };
    const int nObject1 = insertFamily(10);
    const int nObject2 = insertFamily(20);
    const int nObject3 = insertFamily(30);
    const int nObject4 = insertFamily(40);
    ASSERT_EQ(12, CCountedItemData::s_nLive);

    m_tree.DeleteItem(m_tree.FindItem(12));
    EXPECT_EQ(11, CCountedItemData::s_nLive);
    // The platform removes the children with their parent; their data goes with them.
    m_tree.DeleteItem(10L);
    EXPECT_EQ(9, CCountedItemData::s_nLive);
    EXPECT_EQ(1, CCountedObject::s_mapDeletions[nObject1]);
    EXPECT_EQ(nullptr, m_tree.FindItem(11));

    m_tree.DeleteItemWithChildren(20L);
    EXPECT_EQ(6, CCountedItemData::s_nLive);
    EXPECT_EQ(1, CCountedObject::s_mapDeletions[nObject2]);

    m_tree.DeleteItemWithChildren(m_tree.FindItem(31));
    EXPECT_EQ(4, CCountedItemData::s_nLive);
    EXPECT_EQ(1, CCountedObject::s_mapDeletions[nObject3]);

    EXPECT_TRUE(m_tree.DeleteAllItems());
    EXPECT_EQ(0, CCountedItemData::s_nLive);
    EXPECT_EQ(12, CCountedItemData::s_nDeleted);
    EXPECT_EQ(1, CCountedObject::s_mapDeletions[nObject4]);
    EXPECT_EQ(0u, m_tree.GetCount());
    EXPECT_EQ(nullptr, m_tree.FindItem(40));
}

TEST_F(TreeIdentity, DestroyingTheWindowReleasesHiddenSubtreesToo)
{
    HTREEITEM hParent = m_tree.InsertItem(L"Parent", 1, 0, TRUE, -1, -1, 0, Counted());
    m_tree.InsertItem(hParent, L"", 2, TRUE, -1, -1, 0, Counted());
    HTREEITEM hHidden = m_tree.InsertItem(hParent, L"Hidden", 3, TRUE, -1, -1, 0, Counted());
    CCountedObject* pObject = new CCountedObject;
    const int nObject = pObject->m_nSerial;
    m_tree.SetItemObject(hHidden, pObject, TRUE);
    m_tree.InsertItem(L"Other", 4, 0, TRUE, -1, -1, 0, Counted());
    ASSERT_EQ(4, CCountedItemData::s_nLive);

    m_tree.DestroyWindow();
    EXPECT_EQ(0, CCountedItemData::s_nLive);
    EXPECT_EQ(4, CCountedItemData::s_nDeleted);
    EXPECT_EQ(1, CCountedObject::s_mapDeletions[nObject]);
}

TEST_F(TreeIdentity, CopiesNeverOwnTheSourcesHostObject)
{
    HTREEITEM hTarget = m_tree.InsertItem(L"Target", 1, 0, TRUE, -1, -1, 0, Counted());
    HTREEITEM hSource = m_tree.InsertItem(L"Source", 2, 0, TRUE, -1, -1, 0, Counted());
    CCountedObject* pObject = new CCountedObject;
    const int nObject = pObject->m_nSerial;
    m_tree.SetItemObject(hSource, pObject, TRUE);

    HTREEITEM hCopy = m_tree.CopyItem(hSource, hTarget);
    ASSERT_NE(nullptr, hCopy);
    EXPECT_EQ(2, m_tree.GetItemID(hCopy));
    EXPECT_EQ(pObject, m_tree.GetItemObject(hCopy));
    EXPECT_NE(m_tree.GetObjectW(hSource), m_tree.GetObjectW(hCopy));
    // The copy, a child of the earlier root, now comes first in walk order.
    EXPECT_EQ(hCopy, m_tree.FindItem(2));

    m_tree.DeleteItem(hCopy);
    EXPECT_EQ(0, CCountedObject::s_mapDeletions[nObject]);
    m_tree.DeleteItem(hSource);
    EXPECT_EQ(1, CCountedObject::s_mapDeletions[nObject]);
    m_tree.DeleteAllItems();
    EXPECT_EQ(0, CCountedItemData::s_nLive);
}

TEST_F(TreeIdentity, InsertionWithAClassThatMakesNoItemDataLeavesTheItemWithoutData)
{
    HTREEITEM hItem = m_tree.InsertItem(L"Odd", 3, 0, TRUE, -1, -1, 0, RUNTIME_CLASS(CCountedObject));
    ASSERT_NE(nullptr, hItem);
    EXPECT_FALSE(m_tree.HasObject(hItem));
    EXPECT_EQ(-1, m_tree.GetItemID(hItem));
    EXPECT_EQ(hItem, m_tree.FindItem(-1));
}

TEST_F(TreeIdentity, ACollapseThatResetsTheChildrenReleasesTheirData)
{
    HTREEITEM hParent = m_tree.InsertItem(L"Parent", 1, 0, TRUE, -1, -1, 0, Counted());
    HTREEITEM hChild = m_tree.InsertItem(hParent, L"Child", 2, TRUE, -1, -1, 0, Counted());
    m_tree.InsertItem(hChild, L"Grandchild", 3, TRUE, -1, -1, 0, Counted());
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
    HTREEITEM hTarget = m_tree.InsertItem(L"Target", 1, 0, TRUE, -1, -1, 0, Counted());
    HTREEITEM hSource = m_tree.InsertItem(L"Source", 2, 0, TRUE, -1, -1, 0, Counted());
    m_tree.InsertItem(hSource, L"Inner", 3, TRUE, -1, -1, 0, Counted());
    CCountedObject* pObject = new CCountedObject;
    const int nObject = pObject->m_nSerial;
    m_tree.SetItemObject(hSource, pObject, TRUE);

    m_tree.MoveItemWithChildren(hSource, hTarget);
    EXPECT_EQ(3, CCountedItemData::s_nLive);
    EXPECT_EQ(0, CCountedObject::s_mapDeletions[nObject]);
    HTREEITEM hMoved = m_tree.FindItem(2);
    EXPECT_EQ(hTarget, m_tree.GetParentItem(hMoved));
    EXPECT_EQ(pObject, m_tree.GetItemObject(hMoved));
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
    HTREEITEM hParent = m_tree.InsertItem(L"Parent", 1, 0, TRUE, -1, -1, 0, Counted());
    CTavTreeItemData* pData = m_tree.GetObjectW(hParent);
    static_cast<CTreeCtrl&>(m_tree).DeleteItem(hParent);
    delete pData;
    EXPECT_EQ(nullptr, m_tree.FindItem(1));
    EXPECT_FALSE(m_tree.IsItem(1));

    HTREEITEM hChild = m_tree.InsertItem(L"Child", 2, 1);
    ASSERT_NE(nullptr, hChild);
    EXPECT_EQ(nullptr, m_tree.GetParentItem(hChild));
    EXPECT_EQ(nullptr, m_tree.FindItem(1));
    EXPECT_EQ(hChild, m_tree.FindItem(2));
}
