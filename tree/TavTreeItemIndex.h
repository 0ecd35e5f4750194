#pragma once
// Item handles of a tree by item ID, so that finding an item by ID costs a look-up instead of a walk.
// The index holds every item the tree knows, hidden or not, with the parent it was inserted under (an item
// never changes parent: a move inserts a new item). The tree decides which candidate its walk would reach
// first and checks each against the live item before trusting it. The index also knows which items have an
// empty text and so which parents have such a child: only those parents can hide their children from the
// walk, so only they need a look at the live tree.
//
// What the index cannot be told at the moment of a change it holds as doubt, settled by the tree before its
// next look-up: a stale index is rebuilt, an item whose text may have changed is read again, and an ID that
// may have been written through a lent-out item data object is read again from that object.
#include <windows.h>
#include <commctrl.h>
#include <unordered_map>
#include <unordered_set>
#include <vector>

/// Item handles of one tree by item ID, with what the tree needs to answer look-ups as its walk would.
class CTavTreeItemIndex
{
public:
    /// Records the item under the ID and its parent (null at the root level); an item recorded before is
    /// recorded afresh.
    void Add(HTREEITEM hItem, HTREEITEM hParent, long lItemID, bool bEmptyText);
    /// Moves a recorded item to another ID and ends a loan of its ID; an item not recorded stays unknown.
    void ChangeID(HTREEITEM hItem, long lItemID);
    /// Records whether a recorded item's text is empty.
    void SetEmptyText(HTREEITEM hItem, bool bEmptyText);
    /// Forgets the item and any doubt about it; false if it was not recorded.
    bool Remove(HTREEITEM hItem);
    /// Forgets every item and every doubt.
    void RemoveAll();

    /// The items recorded under the ID, in the order they were recorded; null when there are none.
    const std::vector<HTREEITEM>* GetCandidates(long lItemID) const;
    /// False for an item that is not recorded.
    bool GetParent(HTREEITEM hItem, HTREEITEM& hParent) const;
    /// True while any recorded item has an empty text.
    bool HasEmptyTexts() const { return !m_setEmptyText.empty(); }
    /// True when a recorded child of the parent has an empty text.
    bool HasEmptyTextChild(HTREEITEM hParent) const { return m_mapEmptyTextChildren.count(hParent) != 0; }
    /// Counts insertions and removals, so that a caller can tell whether the items changed meanwhile.
    unsigned GetStructureChanges() const { return m_nStructureChanges; }

    /// The recorded items may no longer be the tree's; the tree rebuilds the index before its next look-up.
    void MarkStale() { m_bStale = true; }
    bool IsStale() const { return m_bStale; }
    /// The item's text may have changed where the tree could not see it.
    void MarkTextUnverified(HTREEITEM hItem) { m_setTextUnverified.insert(hItem); }
    bool HasTextUnverified() const { return !m_setTextUnverified.empty(); }
    /// Hands over (and forgets) the items whose text is in doubt.
    std::vector<HTREEITEM> TakeTextUnverified();
    /// The item's ID lives at plItemID and may be written there until the next ApplyLentIDs.
    void Lend(HTREEITEM hItem, const long* plItemID) { m_mapLentIDs[hItem] = plItemID; }
    /// Takes the ID of every lent item from where it lives, then forgets the loans.
    void ApplyLentIDs();

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
    // Parent -> how many of its recorded children have an empty text.
    std::unordered_map<HTREEITEM, int> m_mapEmptyTextChildren;
    unsigned m_nStructureChanges = 0;
    bool m_bStale = false;
    std::unordered_set<HTREEITEM> m_setTextUnverified;
    std::unordered_map<HTREEITEM, const long*> m_mapLentIDs;
};
