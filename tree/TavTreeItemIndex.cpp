#include "tree/TavTreeItemIndex.h"
#include <algorithm>

void CTavTreeItemIndex::Add(HTREEITEM hItem, long lItemID, bool bEmptyText)
{
    Remove(hItem);
    m_mapItemsByID[lItemID].push_back(hItem);
    m_mapIDByItem[hItem] = lItemID;
    SetEmptyText(hItem, bEmptyText);
}

void CTavTreeItemIndex::ChangeID(HTREEITEM hItem, long lItemID)
{
    auto itItem = m_mapIDByItem.find(hItem);
    if (itItem == m_mapIDByItem.end() || itItem->second == lItemID)
        return;
    RemoveFromBucket(hItem, itItem->second);
    m_mapItemsByID[lItemID].push_back(hItem);
    itItem->second = lItemID;
}

void CTavTreeItemIndex::SetEmptyText(HTREEITEM hItem, bool bEmptyText)
{
    if (bEmptyText && m_mapIDByItem.count(hItem) != 0)
        m_setEmptyText.insert(hItem);
    else
        m_setEmptyText.erase(hItem);
}

void CTavTreeItemIndex::Remove(HTREEITEM hItem)
{
    auto itItem = m_mapIDByItem.find(hItem);
    if (itItem == m_mapIDByItem.end())
        return;
    RemoveFromBucket(hItem, itItem->second);
    m_mapIDByItem.erase(itItem);
    m_setEmptyText.erase(hItem);
}

void CTavTreeItemIndex::RemoveFromBucket(HTREEITEM hItem, long lItemID)
{
    auto itBucket = m_mapItemsByID.find(lItemID);
    std::vector<HTREEITEM>& vecItems = itBucket->second;
    vecItems.erase(std::find(vecItems.begin(), vecItems.end(), hItem));
    if (vecItems.empty())
        m_mapItemsByID.erase(itBucket);
}

void CTavTreeItemIndex::RemoveAll()
{
    m_mapItemsByID.clear();
    m_mapIDByItem.clear();
    m_setEmptyText.clear();
}

const std::vector<HTREEITEM>* CTavTreeItemIndex::GetCandidates(long lItemID) const
{
    auto it = m_mapItemsByID.find(lItemID);
    return it == m_mapItemsByID.end() ? nullptr : &it->second;
}
