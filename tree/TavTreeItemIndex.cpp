#include "tree/TavTreeItemIndex.h"
#include <algorithm>

void CTavTreeItemIndex::Add(HTREEITEM hItem, long lItemID)
{
    Remove(hItem);
    m_mapItemsByID[lItemID].push_back(hItem);
    m_mapIDByItem[hItem] = lItemID;
}

void CTavTreeItemIndex::Remove(HTREEITEM hItem)
{
    auto itItem = m_mapIDByItem.find(hItem);
    if (itItem == m_mapIDByItem.end())
        return;
    auto itBucket = m_mapItemsByID.find(itItem->second);
    std::vector<HTREEITEM>& vecItems = itBucket->second;
    vecItems.erase(std::find(vecItems.begin(), vecItems.end(), hItem));
    if (vecItems.empty())
        m_mapItemsByID.erase(itBucket);
    m_mapIDByItem.erase(itItem);
}

void CTavTreeItemIndex::RemoveAll()
{
    m_mapItemsByID.clear();
    m_mapIDByItem.clear();
}

const std::vector<HTREEITEM>* CTavTreeItemIndex::GetCandidates(long lItemID) const
{
    auto it = m_mapItemsByID.find(lItemID);
    return it == m_mapItemsByID.end() ? nullptr : &it->second;
}

BOOL CTavTreeItemIndex::Contains(HTREEITEM hItem) const
{
    return m_mapIDByItem.count(hItem) != 0;
}
