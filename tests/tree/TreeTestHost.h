#pragma once
// A shown host dialog with one CTavTreeCtrl (or derived tree) inside, objects whose deletions the tests count,
// and helpers that read the tree the way the tests compare it.
#include "TavTree.h"
#include "kit/Host.h"
#include <gtest/gtest.h>
#include <map>
#include <set>
#include <string>
#include <vector>

// A host object; every deletion is recorded by serial number, so a double deletion shows as a count of 2.
class CCountedObject : public CObject
{
    DECLARE_SERIAL(CCountedObject)
public:
    CCountedObject() : m_nSerial(s_nNextSerial++) { s_setLive.insert(this); }
    ~CCountedObject() override
    {
        ++s_mapDeletions[m_nSerial];
        if (s_setLive.erase(this) == 0)
            ++s_nDoubleDeletions;
    }
    void Serialize(CArchive& ar) override;

    int m_nSerial;
    static int s_nNextSerial;
    static std::map<int, int> s_mapDeletions;
    // Objects alive by address, so that a loaded object with a serial number seen before still counts apart.
    static std::set<const CCountedObject*> s_setLive;
    static int s_nDoubleDeletions;
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
    using CTavTreeCtrl::m_hShiftAnchor;
    using CTavTreeCtrl::m_pDragInfo;

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

    // Where a user presses on an item: the middle of its label, or on its row right of the label.
    CPoint LabelPoint(HTREEITEM hItem) const;
    CPoint BesideLabel(HTREEITEM hItem) const;
    // Texts of the selected items as the tree reports them, and as a scan of every item's state bit finds
    // them, both in walk order, separated by spaces.
    std::wstring SelectedTexts();
    std::wstring ScannedSelectedTexts() const;

    kit::CHostDialog m_wndHost;
    CTestTree m_tree;
};
