#pragma once
// A shown host dialog with one CTavTreeCtrl (or derived tree) inside, and helpers that read the
// tree the way the tests compare it.
#include "TavTree.h"
#include "kit/Host.h"
#include <gtest/gtest.h>
#include <map>
#include <vector>

// Exposes the protected members that the tests check or replace.
class CTestTree : public CTavTreeCtrl
{
public:
    using CTavTreeCtrl::SetObject;
    using CTavTreeCtrl::GetObjectW;
    using CTavTreeCtrl::HasObject;
    using CTavTreeCtrl::m_aBitmaps;
    using CTavTreeCtrl::m_pImageList;
    using CTavTreeCtrl::GetHeightOfImage;

    BOOL m_bCanRename = TRUE;

protected:
    BOOL CanRenameItem(HTREEITEM) override { return m_bCanRename; }
};

class TreeTest : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;
    void CreateTree(DWORD dwExtraStyle = 0);

    // Every item, hidden or not, parents before children.
    std::vector<HTREEITEM> AllItems() const;
    // The first item of each ID in the order of the tree's own walk.
    std::map<long, HTREEITEM> FirstItemsByWalk() const;
    // The children of an item, in order.
    std::vector<HTREEITEM> Children(HTREEITEM hParent) const;

    kit::CHostDialog m_wndHost;
    CTestTree m_tree;
};
