#pragma once
// A shown host dialog with one check tree, the protected members the tests call, and readers that give the
// tree's shape and states as text the tests compare.
#include "TavCheckTree.h"
#include "kit/Host.h"
#include <gtest/gtest.h>
#include <string>
#include <vector>

class CTestCheckTree : public CTavCheckTreeCtrl
{
public:
    using CTavCheckTreeCtrl::ToggleSelectedItems;
    using CTavCheckTreeCtrl::CalcAllCheckStates;
    using CTavCheckTreeCtrl::CalcChildrenCheckState;
    using CTavCheckTreeCtrl::CalcCheckBoxRect;
    using CTavCheckTreeCtrl::CanToggleExpand;
    using CTavOwnerDrawTree::AllowLabelEditing;
};

// Records what a check tree listener hears.
class CRecordingListener : public CTavCheckTreeActionListener
{
public:
    explicit CRecordingListener(std::vector<std::pair<int, HTREEITEM>>* pLog = nullptr, int nName = 0)
        : m_pLog(pLog), m_nName(nName) {}
    bool OnItemDoubleClick(HTREEITEM) override { return true; }
    void OnCheckChanged(HTREEITEM hItem) override
    {
        m_vecChanged.push_back(hItem);
        if (m_pLog != nullptr)
            m_pLog->emplace_back(m_nName, hItem);
    }

    std::vector<HTREEITEM> m_vecChanged;
    std::vector<std::pair<int, HTREEITEM>>* m_pLog;
    int m_nName;
};

class CheckTreeTest : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    // Builds items from an outline, one item per entry: indentation by two spaces per level, then the text,
    // a colon and the state ("A:0", "  a1:1"); a text ending in '!' makes an item that may not have children
    // (the '!' is dropped). Item IDs count from 1 in outline order. Returns the items in outline order.
    std::vector<HTREEITEM> Build(const std::vector<const char*>& vecOutline);
    // "text:state" of every item in walk order, children indented by two spaces, joined with " | ".
    std::string Outline() const;
    // Every item, shown or not, parents before children.
    std::vector<HTREEITEM> AllItems() const;
    // The states of the given items, joined without separators ("0112").
    std::string States(const std::vector<HTREEITEM>& vecItems) const;

    kit::CHostDialog m_wndHost;
    CTestCheckTree m_tree;
};
