#include "TreeTestHost.h"

void TreeTest::SetUp()
{
    ASSERT_TRUE(m_wndHost.Open(320, 400));
}

void TreeTest::TearDown()
{
    if (m_tree.m_hWnd != nullptr)
        m_tree.DestroyWindow();
    m_wndHost.DestroyWindow();
}

void TreeTest::CreateTree(DWORD dwExtraStyle)
{
    ASSERT_TRUE(m_tree.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT |
                                  TVS_SHOWSELALWAYS | dwExtraStyle,
                              CRect(0, 0, 300, 360), &m_wndHost, 100));
}

static void CollectItems(const CTavTreeCtrl& tree, HTREEITEM hFirst, std::vector<HTREEITEM>& vecItems)
{
    for (HTREEITEM hItem = hFirst; hItem != nullptr; hItem = tree.GetNextSiblingItem(hItem))
    {
        vecItems.push_back(hItem);
        CollectItems(tree, tree.GetChildItem(hItem), vecItems);
    }
}

std::vector<HTREEITEM> TreeTest::AllItems() const
{
    std::vector<HTREEITEM> vecItems;
    CollectItems(m_tree, m_tree.GetRootItem(), vecItems);
    return vecItems;
}

std::map<long, HTREEITEM> TreeTest::FirstItemsByWalk() const
{
    std::map<long, HTREEITEM> mapFirst;
    for (HTREEITEM hItem = m_tree.GetRootItem(); hItem != nullptr; hItem = m_tree.GetNextTreeItem(hItem))
        mapFirst.emplace(m_tree.GetItemID(hItem), hItem);
    return mapFirst;
}

std::vector<HTREEITEM> TreeTest::Children(HTREEITEM hParent) const
{
    std::vector<HTREEITEM> vecChildren;
    for (HTREEITEM hChild = m_tree.GetChildItem(hParent); hChild != nullptr; hChild = m_tree.GetNextSiblingItem(hChild))
        vecChildren.push_back(hChild);
    return vecChildren;
}
