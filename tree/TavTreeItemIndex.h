#pragma once
// Item handles of a tree by item ID, so that finding an item by ID costs a look-up instead of a walk.
// The index holds every item the tree knows, hidden or not, with the parent it was inserted under (an item
// never changes parent: a move inserts a new item). The tree decides which candidate its walk would reach
// first and checks each against the live item before trusting it. The index also knows which items have an
// empty text and so which parents have such a child: only those parents can hide their children from the
// walk, so only they need a look at the live tree.
#include <windows.h>
#include <commctrl.h>
#include <unordered_map>
#include <unordered_set>
#include <vector>

/// Item handles of a tree by item ID, kept by CTavTreeCtrl so that FindItem is a look-up, not a walk.
class CTavTreeItemIndex
{
public:
    /// Records the item under the ID and its parent (null at the root level); an item recorded before is
    /// recorded afresh.
    void Add(HTREEITEM hItem, HTREEITEM hParent, long lItemID, bool bEmptyText);
    /// Moves a recorded item to another ID; an item not recorded stays unknown.
    void ChangeID(HTREEITEM hItem, long lItemID);
    /// Records whether the item's text is empty.
    void SetEmptyText(HTREEITEM hItem, bool bEmptyText);
    /// Forgets the item.
    void Remove(HTREEITEM hItem);
    /// Forgets every item.
    void RemoveAll();

    /// The items recorded under the ID, in the order they were recorded; null when there are none.
    const std::vector<HTREEITEM>* GetCandidates(long lItemID) const;
    /// False for an item that is not recorded.
    bool GetParent(HTREEITEM hItem, HTREEITEM& hParent) const;
    /// Whether some recorded item has an empty text.
    bool HasEmptyTexts() const { return !m_setEmptyText.empty(); }
    /// Whether the parent has a recorded child with an empty text.
    bool HasEmptyTextChild(HTREEITEM hParent) const { return m_mapEmptyTextChildren.count(hParent) != 0; }

private:
    struct CEntry
    {
        long lItemID;
        HTREEITEM hParent;
    };

    void RemoveFromBucket(HTREEITEM hItem, long lItemID);

    std::unordered_map<long, std::vector<HTREEITEM>> m_mapItemsByID;
    std::unordered_map<HTREEITEM, CEntry> m_mapEntryByItem;
    std::unordered_set<HTREEITEM> m_setEmptyText;
    /// Parent -> how many of its recorded children have an empty text.
    std::unordered_map<HTREEITEM, int> m_mapEmptyTextChildren;
};
