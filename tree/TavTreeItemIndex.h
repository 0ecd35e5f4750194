#pragma once
// Item handles of a tree by item ID, so that finding an item by ID costs a look-up instead of a walk.
// The index holds every item the tree knows, hidden or not; the tree decides which candidate its walk
// would reach first and checks each against the live item before trusting it. It also knows which items
// have an empty text: only those can hide their siblings from the walk, so while there are none, no
// candidate can be hidden.
#include <windows.h>
#include <commctrl.h>
#include <unordered_map>
#include <unordered_set>
#include <vector>

class CTavTreeItemIndex
{
public:
    // Records the item under the ID; an item recorded before is moved to the new ID.
    void Add(HTREEITEM hItem, long lItemID, bool bEmptyText);
    // Moves a recorded item to another ID; an item not recorded stays unknown.
    void ChangeID(HTREEITEM hItem, long lItemID);
    void SetEmptyText(HTREEITEM hItem, bool bEmptyText);
    void Remove(HTREEITEM hItem);
    void RemoveAll();

    // The items recorded under the ID, in the order they were recorded; null when there are none.
    const std::vector<HTREEITEM>* GetCandidates(long lItemID) const;
    bool HasEmptyTexts() const { return !m_setEmptyText.empty(); }
    bool HasEmptyText(HTREEITEM hItem) const { return m_setEmptyText.count(hItem) != 0; }

private:
    void RemoveFromBucket(HTREEITEM hItem, long lItemID);

    std::unordered_map<long, std::vector<HTREEITEM>> m_mapItemsByID;
    std::unordered_map<HTREEITEM, long> m_mapIDByItem;
    std::unordered_set<HTREEITEM> m_setEmptyText;
};
