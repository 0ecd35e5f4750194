#include "tree/TavTreeItemIndex.h"
#include <algorithm>

void CTavTreeItemIndex::Add(HTREEITEM hItem, HTREEITEM hParent, long lItemID, bool bEmptyText)
{
    Remove(hItem);
    ++m_nStructureChanges;
    m_mapItemsByID[lItemID].push_back(hItem);
    m_mapEntryByItem[hItem] = { lItemID, hParent };
    SetEmptyText(hItem, bEmptyText);
}

void CTavTreeItemIndex::ChangeID(HTREEITEM hItem, long lItemID)
{
    m_mapLentIDs.erase(hItem);
    auto itItem = m_mapEntryByItem.find(hItem);
    if (itItem == m_mapEntryByItem.end() || itItem->second.lItemID == lItemID)
        return;
    RemoveFromBucket(hItem, itItem->second.lItemID);
    m_mapItemsByID[lItemID].push_back(hItem);
    itItem->second.lItemID = lItemID;
}

void CTavTreeItemIndex::SetEmptyText(HTREEITEM hItem, bool bEmptyText)
{
    auto itItem = m_mapEntryByItem.find(hItem);
    if (itItem == m_mapEntryByItem.end() || bEmptyText == (m_setEmptyText.count(hItem) != 0))
        return;
    const HTREEITEM hParent = itItem->second.hParent;
    if (bEmptyText)
    {
        m_setEmptyText.insert(hItem);
        ++m_mapEmptyTextChildren[hParent];
        return;
    }
    m_setEmptyText.erase(hItem);
    if (--m_mapEmptyTextChildren[hParent] == 0)
        m_mapEmptyTextChildren.erase(hParent);
}

bool CTavTreeItemIndex::Remove(HTREEITEM hItem)
{
    // A loan or a doubt about a handle that is gone must not reach an item that later gets the same handle.
    m_mapLentIDs.erase(hItem);
    m_setTextUnverified.erase(hItem);
    auto itItem = m_mapEntryByItem.find(hItem);
    if (itItem == m_mapEntryByItem.end())
        return false;
    ++m_nStructureChanges;
    SetEmptyText(hItem, false);
    RemoveFromBucket(hItem, itItem->second.lItemID);
    m_mapEntryByItem.erase(itItem);
    return true;
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
    m_mapEntryByItem.clear();
    m_setEmptyText.clear();
    m_mapEmptyTextChildren.clear();
    ++m_nStructureChanges;
    m_bStale = false;
    m_setTextUnverified.clear();
    m_mapLentIDs.clear();
}

std::vector<HTREEITEM> CTavTreeItemIndex::TakeTextUnverified()
{
    std::vector<HTREEITEM> vecItems(m_setTextUnverified.begin(), m_setTextUnverified.end());
    m_setTextUnverified.clear();
    return vecItems;
}

void CTavTreeItemIndex::ApplyLentIDs()
{
    const std::unordered_map<HTREEITEM, const long*> mapLentIDs = std::move(m_mapLentIDs);
    m_mapLentIDs.clear();
    for (const auto& loan : mapLentIDs)
        ChangeID(loan.first, *loan.second);
}

const std::vector<HTREEITEM>* CTavTreeItemIndex::GetCandidates(long lItemID) const
{
    auto it = m_mapItemsByID.find(lItemID);
    return it == m_mapItemsByID.end() ? nullptr : &it->second;
}

bool CTavTreeItemIndex::GetParent(HTREEITEM hItem, HTREEITEM& hParent) const
{
    auto it = m_mapEntryByItem.find(hItem);
    if (it == m_mapEntryByItem.end())
        return false;
    hParent = it->second.hParent;
    return true;
}
