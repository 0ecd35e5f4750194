#include "kit/TreeItems.h"

namespace kit
{
static void CollectItems(const CTreeCtrl& tree, HTREEITEM hFirst, std::vector<HTREEITEM>& vecItems)
{
    for (HTREEITEM hItem = hFirst; hItem != nullptr; hItem = tree.GetNextSiblingItem(hItem))
    {
        vecItems.push_back(hItem);
        CollectItems(tree, tree.GetChildItem(hItem), vecItems);
    }
}

std::vector<HTREEITEM> AllTreeItems(const CTreeCtrl& tree)
{
    std::vector<HTREEITEM> vecItems;
    CollectItems(tree, tree.GetRootItem(), vecItems);
    return vecItems;
}
}
