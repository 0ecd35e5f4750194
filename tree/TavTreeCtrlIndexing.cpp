// How CTavTreeCtrl keeps its ID index exact. Every message that inserts an item, changes its text or its
// item-data slot, deletes it or collapses its parent with a reset passes the window procedure, whoever sends
// it; the procedure tells the index and releases the data of items the platform deletes. What the window
// cannot see (a label the platform renames after its end-of-edit notification, an ID written into a lent-out
// data object, items already in a window taken over) the index holds as doubt, which the next look-up settles.
#include "tree/TavTreeCtrl.h"
#include "tree/TavTreeGuards.h"

// The slot is read differently in the other mode.
void CTavTreeCtrl::SetCreateDataObjects(BOOL bCreate)
{
    if (bCreate != m_bCreateDataObjects)
        m_itemIndex.MarkStale();
    m_bCreateDataObjects = bCreate;
}

LRESULT CTavTreeCtrl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT lResult = 0;
    switch (message)
    {
    case TVM_INSERTITEMW:
    case TVM_INSERTITEMA:
        lResult = ObserveInsertion(message, wParam, lParam);
        break;
    case TVM_SETITEMW:
    case TVM_SETITEMA:
        lResult = ObserveItemChange(message, wParam, lParam);
        break;
    case TVM_DELETEITEM:
        return ObserveDeletion(wParam, lParam);
    case TVM_EXPAND:
        if (wParam & TVE_COLLAPSERESET)
            return ObserveCollapseReset(wParam, lParam);
        return CTreeCtrl::WindowProc(message, wParam, lParam);
    default:
        return CTreeCtrl::WindowProc(message, wParam, lParam);
    }
    NoteSelectionChange(message, lParam, lResult);
    return lResult;
}

LRESULT CTavTreeCtrl::ObserveInsertion(UINT message, WPARAM wParam, LPARAM lParam)
{
    const LRESULT lResult = CTreeCtrl::WindowProc(message, wParam, lParam);
    HTREEITEM hItem = reinterpret_cast<HTREEITEM>(lResult);
    if (hItem == nullptr)
        return lResult;
    // Both character sets share the layout up to the text pointer, which only IsNewTextEmpty reads.
    const TVINSERTSTRUCTW& insert = *reinterpret_cast<const TVINSERTSTRUCTW*>(lParam);
    const LPARAM lSlot = (insert.item.mask & TVIF_PARAM) ? insert.item.lParam : 0;
    m_itemIndex.Add(hItem, InsertedParent(insert), ItemIDFromSlot(lSlot),
                    IsNewTextEmpty(message, hItem, insert.item) != FALSE);
    return lResult;
}

// State, picture and other changes leave the index alone, so selecting and painting cost nothing here.
LRESULT CTavTreeCtrl::ObserveItemChange(UINT message, WPARAM wParam, LPARAM lParam)
{
    const TVITEMW& item = *reinterpret_cast<const TVITEMW*>(lParam);
    const LRESULT lResult = CTreeCtrl::WindowProc(message, wParam, lParam);
    if (lResult == 0)
        return lResult;
    if (item.mask & TVIF_PARAM)
        m_itemIndex.ChangeID(item.hItem, ItemIDFromSlot(item.lParam));
    if (item.mask & TVIF_TEXT)
        m_itemIndex.SetEmptyText(item.hItem, IsNewTextEmpty(message, item.hItem, item) != FALSE);
    return lResult;
}

// A wide text given in the message says it all; a narrow one, a callback or no text at all is read back.
BOOL CTavTreeCtrl::IsNewTextEmpty(UINT message, HTREEITEM hItem, const TVITEMW& item) const
{
    const bool bWide = message == TVM_INSERTITEMW || message == TVM_SETITEMW;
    if (bWide && (item.mask & TVIF_TEXT) && item.pszText != nullptr && item.pszText != LPSTR_TEXTCALLBACKW)
        return item.pszText[0] == L'\0';
    return IsTextEmpty(hItem);
}

// The platform deletes the item with all its children (everything for TVI_ROOT or null). Their data and
// their records go first, so that nothing the platform announces during the deletion reaches freed data.
LRESULT CTavTreeCtrl::ObserveDeletion(WPARAM wParam, LPARAM lParam)
{
    HTREEITEM hItem = reinterpret_cast<HTREEITEM>(lParam);
    if (hItem == nullptr || hItem == TVI_ROOT)
    {
        CancelEditWithin(nullptr);
        ReleaseAllItems();
    }
    else if (hItem == m_movedItem.hItem)
    {
        CancelEditWithin(hItem);
        if (m_movedItem.bMayHaveChildren)
            ForgetDescendants(hItem);
        m_itemIndex.Remove(hItem);
    }
    else
    {
        CancelEditWithin(hItem);
        ForgetDescendants(hItem);
        ReleaseItem(hItem);
    }
    return CTreeCtrl::WindowProc(TVM_DELETEITEM, wParam, lParam);
}

// The platform deletes the children of an expanded item collapsed with a reset, and only then; whether it
// did shows afterwards. Should items come or go meanwhile (a handler of the expansion notifications), the
// children's data is left alone rather than risk releasing it twice, and the index is rebuilt.
LRESULT CTavTreeCtrl::ObserveCollapseReset(WPARAM wParam, LPARAM lParam)
{
    HTREEITEM hItem = reinterpret_cast<HTREEITEM>(lParam);
    std::vector<std::pair<HTREEITEM, CTavTreeItemData*>> vecDescendants;
    CollectDescendants(hItem, vecDescendants);
    if (vecDescendants.empty())
        return CTreeCtrl::WindowProc(TVM_EXPAND, wParam, lParam);
    CancelEditWithin(hItem);
    const unsigned nChanges = m_itemIndex.GetStructureChanges();
    const LRESULT lResult = CTreeCtrl::WindowProc(TVM_EXPAND, wParam, lParam);
    if (m_itemIndex.GetStructureChanges() != nChanges)
    {
        m_itemIndex.MarkStale();
        return lResult;
    }
    if (GetChildItem(hItem) != nullptr)
        return lResult;
    for (const auto& descendant : vecDescendants)
    {
        m_itemIndex.Remove(descendant.first);
        if (m_bDestroyItemData)
            delete descendant.second;
    }
    return lResult;
}

void CTavTreeCtrl::CollectDescendants(HTREEITEM hItem, std::vector<std::pair<HTREEITEM, CTavTreeItemData*>>& vecDescendants)
{
    for (HTREEITEM hChild = GetChildItem(hItem); hChild != nullptr; hChild = GetNextSiblingItem(hChild))
    {
        vecDescendants.emplace_back(hChild, GetObjectW(hChild));
        CollectDescendants(hChild, vecDescendants);
    }
}

// In the steady state there is no doubt and this sends nothing.
void CTavTreeCtrl::EnsureIndexCurrent() const
{
    if (m_itemIndex.IsStale())
    {
        m_itemIndex.RemoveAll();
        IndexSubtree(GetRootItem());
    }
    // The platform renames after its end-of-edit notification and only then closes the edit, so a look-up
    // made while the edit is open (a listener's) leaves the doubt for later.
    if (m_itemIndex.HasTextUnverified() && GetEditControlHandle() == nullptr)
        for (HTREEITEM hItem : m_itemIndex.TakeTextUnverified())
            m_itemIndex.SetEmptyText(hItem, IsTextEmpty(hItem) != FALSE);
    m_itemIndex.ApplyLentIDs();
}

// Parents are recorded before their children, so that each child finds its parent in the index.
void CTavTreeCtrl::IndexSubtree(HTREEITEM hFirst) const
{
    for (HTREEITEM hItem = hFirst; hItem != nullptr; hItem = GetNextSiblingItem(hItem))
    {
        IndexItem(hItem);
        IndexSubtree(GetChildItem(hItem));
    }
}
