#pragma once
// A shown host dialog with one CTavTreeCtrl (or derived tree) inside, objects whose deletions the tests count,
// and helpers that read the tree the way the tests compare it.
#include "TavTree.h"
#include "kit/Host.h"
#include <gtest/gtest.h>
#include <map>
#include <vector>

// A host object; every deletion is recorded by serial number, so a double deletion shows as a count of 2.
class CCountedObject : public CObject
{
    DECLARE_SERIAL(CCountedObject)
public:
    CCountedObject() : m_nSerial(s_nNextSerial++) {}
    ~CCountedObject() override { ++s_mapDeletions[m_nSerial]; }
    void Serialize(CArchive& ar) override;

    int m_nSerial;
    static int s_nNextSerial;
    static std::map<int, int> s_mapDeletions;
};

// Item data whose live instances are counted.
class CCountedItemData : public CTavTreeItemData
{
    DECLARE_SERIAL(CCountedItemData)
public:
    CCountedItemData() { ++s_nLive; }
    ~CCountedItemData() override
    {
        --s_nLive;
        ++s_nDeleted;
    }
    static int s_nLive;
    static int s_nDeleted;
};

// Exposes the protected members that the tests check or replace.
class CTestTree : public CTavTreeCtrl
{
public:
    using CTavTreeCtrl::SetObject;
    using CTavTreeCtrl::GetObjectW;
    using CTavTreeCtrl::GetObject_save;
    using CTavTreeCtrl::HasObject;
    using CTavTreeCtrl::m_aBitmaps;
    using CTavTreeCtrl::m_pImageList;
    using CTavTreeCtrl::GetHeightOfImage;
    using CTavTreeCtrl::SetItemData;
    using CTavTreeCtrl::GetItemData;

    BOOL m_bCanRename = TRUE;

protected:
    BOOL CanRenameItem(HTREEITEM) override { return m_bCanRename; }
};

class TreeTest : public ::testing::Test
{
protected:
    // Opens the host and creates the tree in it.
    void SetUp() override;
    void TearDown() override;

    // An item with counted data under hParent (the root level for nullptr).
    HTREEITEM InsertCounted(HTREEITEM hParent, long lID, LPCWSTR lpszText = L"Item");
    // Gives the item a new owned host object and returns its serial number.
    int GiveOwnedObject(HTREEITEM hItem);
    static int Deletions(int nSerial) { return CCountedObject::s_mapDeletions[nSerial]; }

    // Every item, hidden or not, parents before children.
    std::vector<HTREEITEM> AllItems() const;
    // The first item of each ID in the order of the tree's own walk.
    std::map<long, HTREEITEM> FirstItemsByWalk() const;

    kit::CHostDialog m_wndHost;
    CTestTree m_tree;
};
