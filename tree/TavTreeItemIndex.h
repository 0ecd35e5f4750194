#pragma once
// Item handles of a tree by item ID, so that finding an item by ID costs a look-up instead of a walk.
// The index holds every item the tree knows, hidden or not; the tree decides which candidate its walk
// would reach first and checks each against the live item before trusting it.
#include <windows.h>
#include <commctrl.h>
#include <unordered_map>
#include <vector>

class CTavTreeItemIndex
{
public:
    // Records the item under the ID; an item indexed before is moved to the new ID.
    void Add(HTREEITEM hItem, long lItemID);
    void Remove(HTREEITEM hItem);
    void RemoveAll();

    // The items recorded under the ID, in the order they were recorded; null when there are none.
    const std::vector<HTREEITEM>* GetCandidates(long lItemID) const;
    BOOL Contains(HTREEITEM hItem) const;
    size_t GetCount() const { return m_mapIDByItem.size(); }

private:
    std::unordered_map<long, std::vector<HTREEITEM>> m_mapItemsByID;
    std::unordered_map<HTREEITEM, long> m_mapIDByItem;
};
