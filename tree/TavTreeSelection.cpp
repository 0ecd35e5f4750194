// CTavTreeCtrl: selecting several items with the mouse, the keys and the host's calls, and the record of
// selected items that keeps selection queries independent of the tree's size.
#include "tree/TavTreeCtrl.h"
#include "tree/TavTreeDragInformation.h"
#include "tree/TavTreeGuards.h"
#include <algorithm>
#include <windowsx.h>

// ---- The record of selected items ----
//
// Every change of a selected bit reaches the window as a state change or an insertion (seen by the window
// procedure), as the platform's own caret change or as a deletion (seen in the reflected notifications,
// before any handler).

// State changes and insertions that reach the window (see WindowProc), once the platform has made them.
void CTavTreeCtrl::NoteSelectionChange(UINT message, LPARAM lParam, LRESULT lResult)
{
    if (lResult == 0)
        return;
    // The fields read here lie alike in both character forms.
    if (message == TVM_SETITEMW || message == TVM_SETITEMA)
    {
        const TVITEMW* pItem = reinterpret_cast<const TVITEMW*>(lParam);
        if (pItem->mask & TVIF_STATE)
            NoteSelectedBit(pItem->hItem, pItem->state, pItem->stateMask);
        return;
    }
    const TVINSERTSTRUCTW* pInsert = reinterpret_cast<const TVINSERTSTRUCTW*>(lParam);
    if (pInsert->item.mask & TVIF_STATE)
        NoteSelectedBit(reinterpret_cast<HTREEITEM>(lResult), pInsert->item.state, pInsert->item.stateMask);
}

BOOL CTavTreeCtrl::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message == WM_NOTIFY)
    {
        const NMTREEVIEWW* pInfo = reinterpret_cast<const NMTREEVIEWW*>(lParam);
        switch (pInfo->hdr.code)
        {
        case TVN_SELCHANGEDW:
            // The platform clears the old caret's bit and sets the new one's.
            m_setSelected.erase(pInfo->itemOld.hItem);
            if (pInfo->itemNew.hItem != nullptr)
                m_setSelected.insert(pInfo->itemNew.hItem);
            m_hCaret = pInfo->itemNew.hItem;
            break;
        case TVN_DELETEITEMW:
            NoteDeletedItem(pInfo->itemOld.hItem);
            break;
        default:
            break;
        }
    }
    return CTreeCtrl::OnChildNotify(message, wParam, lParam, pResult);
}

void CTavTreeCtrl::NoteSelectedBit(HTREEITEM hItem, UINT nState, UINT nStateMask)
{
    if ((nStateMask & TVIS_SELECTED) == 0 || hItem == nullptr)
        return;
    if (nState & TVIS_SELECTED)
        m_setSelected.insert(hItem);
    else
        m_setSelected.erase(hItem);
}

// The platform announces every item it deletes, the children of a deleted item included. A deleted anchor
// or a deleted item of a drag must not be used afterwards.
void CTavTreeCtrl::NoteDeletedItem(HTREEITEM hItem)
{
    m_setSelected.erase(hItem);
    if (hItem == m_hCaret)
        m_hCaret = nullptr;
    if (hItem == m_hShiftAnchor)
        m_hShiftAnchor = nullptr;
    if (m_pDragInfo == nullptr)
        return;
    const CArray<HTREEITEM, HTREEITEM&>& aDragItems = m_pDragInfo->m_aDragItems;
    const HTREEITEM* pEnd = aDragItems.GetData() + aDragItems.GetSize();
    if (hItem == m_pDragInfo->m_hDropTarget)
        m_pDragInfo->m_hDropTarget = nullptr;
    else if (std::find(aDragItems.GetData(), pEnd, hItem) == pEnd)
        return;
    AbortDrag();
}

void CTavTreeCtrl::SetSelectedBit(HTREEITEM hItem, BOOL bSelected)
{
    SetItemState(hItem, bSelected ? TVIS_SELECTED : 0, TVIS_SELECTED);
}

// ---- Host operations ----

BOOL CTavTreeCtrl::SelectItem(HTREEITEM hItem)
{
    return CTreeCtrl::SelectItem(hItem);
}

BOOL CTavTreeCtrl::SelectItem(long lItemID)
{
    const BOOL bResult = SelectItem(FindItem(lItemID));
    m_hClickedItem = nullptr;
    return bResult;
}

BOOL CTavTreeCtrl::IsItemSelected(HTREEITEM hItem) const
{
    return hItem != nullptr && m_setSelected.count(hItem) != 0;
}

void CTavTreeCtrl::SelectItems(HTREEITEM hItem)
{
    SetItemsState(hItem, TVIS_SELECTED);
}

void CTavTreeCtrl::DeselectItems(HTREEITEM hItem)
{
    SetItemsState(hItem, 0);
}

void CTavTreeCtrl::SelectAll()
{
    SelectItems(GetRootItem());
}

// Only the selected items need their bit cleared.
void CTavTreeCtrl::DeselectAll()
{
    const std::vector<HTREEITEM> vecSelected(m_setSelected.begin(), m_setSelected.end());
    for (HTREEITEM hItem : vecSelected)
        SetSelectedBit(hItem, FALSE);
}

void CTavTreeCtrl::SetItemsState(HTREEITEM hItem, UINT nState)
{
    if (nState == 0)
    {
        for (HTREEITEM hSelected : GetSelectedInRange(hItem))
            SetSelectedBit(hSelected, FALSE);
        return;
    }
    HWND hWndFocus = ::GetFocus();
    if (hWndFocus == m_hWnd)
        hWndFocus = nullptr;
    else
        SetFocus();
    for (; hItem != nullptr; hItem = GetNextSiblingItem(hItem))
    {
        SetItemsState(GetChildItem(hItem), nState);
        SetSelectedBit(hItem, TRUE);
    }
    if (hWndFocus != nullptr)
        ::SetFocus(hWndFocus);
}

// Collapsing or expanding an item leaves nothing selected below it.
void CTavTreeCtrl::ClearSelectionBelow(HTREEITEM hItem)
{
    std::vector<HTREEITEM> vecBelow;
    for (HTREEITEM hSelected : m_setSelected)
        if (IsBelow(hSelected, hItem))
            vecBelow.push_back(hSelected);
    for (HTREEITEM hSelected : vecBelow)
        SetSelectedBit(hSelected, FALSE);
}

BOOL CTavTreeCtrl::SelectItemsDirection(HTREEITEM hFrom, HTREEITEM hTo, BOOL bDown)
{
    for (HTREEITEM hItem = hFrom; hItem != nullptr; hItem = GetNextItem(hItem, bDown ? TVGN_NEXTVISIBLE : TVGN_PREVIOUSVISIBLE))
    {
        SetSelectedBit(hItem, TRUE);
        if (hItem == hTo)
            return TRUE;
    }
    return FALSE;
}

// Two shown items are ordered by their rows, which spares selecting towards the wrong end first; an item
// that is not shown leaves the order to the attempt downwards.
void CTavTreeCtrl::SelectItemRange(HTREEITEM hFrom, HTREEITEM hTo)
{
    DeselectAll();
    if (hFrom == nullptr)
        return;
    if (IsAboveShown(hTo, hFrom))
    {
        SelectItemsDirection(hFrom, hTo, FALSE);
        return;
    }
    if (!SelectItemsDirection(hFrom, hTo, TRUE))
    {
        DeselectAll();
        SelectItemsDirection(hFrom, hTo, FALSE);
    }
}

BOOL CTavTreeCtrl::IsAboveShown(HTREEITEM hFirst, HTREEITEM hSecond) const
{
    CRect rcFirst;
    CRect rcSecond;
    return hFirst != nullptr && hFirst != hSecond && GetItemRect(hFirst, &rcFirst, FALSE) &&
           GetItemRect(hSecond, &rcSecond, FALSE) && rcFirst.top < rcSecond.top;
}

void CTavTreeCtrl::SelectOnlyItemAtPoint(CPoint point)
{
    UINT nHitFlags = 0;
    HTREEITEM hItem = HitTest(point, &nHitFlags);
    DeselectAll();
    if (hItem == nullptr || !IsOnIconOrLabel(nHitFlags))
        return;
    SelectItem(hItem);
    SetSelectedBit(hItem, TRUE);
}

// ---- Queries ----

long CTavTreeCtrl::GetSelectionCount() const
{
    return static_cast<long>(m_setSelected.size());
}

void CTavTreeCtrl::GetSelectedItems(CArray<HTREEITEM, HTREEITEM&>& aItems)
{
    for (HTREEITEM hItem : SortInWalkOrder(std::vector<HTREEITEM>(m_setSelected.begin(), m_setSelected.end())))
        aItems.Add(hItem);
}

void CTavTreeCtrl::GetSelectedChildren(HTREEITEM hItem, CArray<HTREEITEM, HTREEITEM&>& aItems)
{
    for (HTREEITEM hSelected : GetSelectedInRange(hItem))
        aItems.Add(hSelected);
}

void CTavTreeCtrl::GetSelectedItemTexts(CStringArray& aTexts)
{
    GetSelectedChildrenTexts(GetRootItem(), aTexts);
}

void CTavTreeCtrl::GetSelectedChildrenTexts(HTREEITEM hItem, CStringArray& aTexts)
{
    for (HTREEITEM hSelected : GetSelectedInRange(hItem))
        aTexts.Add(GetItemText(hSelected));
}

void CTavTreeCtrl::RemoveChildrenOfParents(CArray<HTREEITEM, HTREEITEM&>& aItems) const
{
    const std::unordered_set<HTREEITEM> setItems(aItems.GetData(), aItems.GetData() + aItems.GetSize());
    for (INT_PTR i = aItems.GetSize() - 1; i >= 0; --i)
        for (HTREEITEM hUp = GetIndexedParent(aItems[i]); hUp != nullptr; hUp = GetIndexedParent(hUp))
            if (setItems.count(hUp) != 0)
            {
                aItems.RemoveAt(i);
                break;
            }
}

// The selected items among hFrom, its following siblings and all their descendants, in walk order.
std::vector<HTREEITEM> CTavTreeCtrl::GetSelectedInRange(HTREEITEM hFrom) const
{
    std::vector<HTREEITEM> vecInRange;
    if (hFrom == nullptr || m_setSelected.empty())
        return vecInRange;
    std::unordered_set<HTREEITEM> setFollowing;
    bool bFollowingRead = false;
    for (HTREEITEM hSelected : m_setSelected)
        if (IsInRangeFrom(hSelected, hFrom, setFollowing, bFollowingRead))
            vecInRange.push_back(hSelected);
    return SortInWalkOrder(vecInRange);
}

// Whether the item is hFrom, a following sibling of it, or below one of them. The following siblings are
// read once, and only when an item's ancestor at hFrom's level is another item.
BOOL CTavTreeCtrl::IsInRangeFrom(HTREEITEM hItem, HTREEITEM hFrom, std::unordered_set<HTREEITEM>& setFollowing,
                                 bool& bFollowingRead) const
{
    const HTREEITEM hLevelParent = GetIndexedParent(hFrom);
    HTREEITEM hLevelItem = hItem;
    HTREEITEM hParent = GetIndexedParent(hLevelItem);
    while (hParent != hLevelParent)
    {
        if (hParent == nullptr)
            return FALSE;
        hLevelItem = hParent;
        hParent = GetIndexedParent(hLevelItem);
    }
    if (hLevelItem == hFrom)
        return TRUE;
    if (!bFollowingRead)
    {
        for (HTREEITEM hNext = GetNextSiblingItem(hFrom); hNext != nullptr; hNext = GetNextSiblingItem(hNext))
            setFollowing.insert(hNext);
        bFollowingRead = true;
    }
    return setFollowing.count(hLevelItem) != 0;
}

// Orders items as a walk from the root meets them, descending into every item. Only the parents that have
// two or more of the items (or their ancestors) below them need their children read, and those only up to
// the last one that matters.
std::vector<HTREEITEM> CTavTreeCtrl::SortInWalkOrder(const std::vector<HTREEITEM>& vecItems) const
{
    std::unordered_map<HTREEITEM, std::vector<HTREEITEM>> mapBranches;   // parent -> children on a path
    std::unordered_set<HTREEITEM> setOnPath;
    for (HTREEITEM hItem : vecItems)
        for (HTREEITEM hNode = hItem; setOnPath.insert(hNode).second;)
        {
            const HTREEITEM hParent = GetIndexedParent(hNode);
            mapBranches[hParent].push_back(hNode);
            if (hParent == nullptr)
                break;
            hNode = hParent;
        }
    const std::unordered_set<HTREEITEM> setItems(vecItems.begin(), vecItems.end());
    std::vector<HTREEITEM> vecSorted;
    vecSorted.reserve(vecItems.size());
    std::vector<HTREEITEM> vecPending = { nullptr };   // parents whose branches are still to be emitted
    std::vector<std::vector<HTREEITEM>> vecStack;
    auto pushBranches = [&](HTREEITEM hParent) {
        auto it = mapBranches.find(hParent);
        if (it == mapBranches.end())
            return;
        std::vector<HTREEITEM>& vecBranches = it->second;
        if (vecBranches.size() > 1)
        {
            std::unordered_set<HTREEITEM> setWanted(vecBranches.begin(), vecBranches.end());
            vecBranches.clear();
            for (HTREEITEM hChild = FirstChildOrRoot(hParent); hChild != nullptr && !setWanted.empty();
                 hChild = GetNextSiblingItem(hChild))
                if (setWanted.erase(hChild) != 0)
                    vecBranches.push_back(hChild);
        }
        vecStack.emplace_back(vecBranches.rbegin(), vecBranches.rend());
    };
    pushBranches(nullptr);
    while (!vecStack.empty())
    {
        if (vecStack.back().empty())
        {
            vecStack.pop_back();
            continue;
        }
        const HTREEITEM hNode = vecStack.back().back();
        vecStack.back().pop_back();
        if (setItems.count(hNode) != 0)
            vecSorted.push_back(hNode);
        pushBranches(hNode);
    }
    return vecSorted;
}

HTREEITEM CTavTreeCtrl::FirstChildOrRoot(HTREEITEM hParent) const
{
    return hParent != nullptr ? GetChildItem(hParent) : GetRootItem();
}

// Through the index's record of parents, without asking the platform.
BOOL CTavTreeCtrl::IsBelow(HTREEITEM hItem, HTREEITEM hAncestor) const
{
    if (hItem == nullptr || hAncestor == nullptr)
        return FALSE;
    for (HTREEITEM hUp = GetIndexedParent(hItem); hUp != nullptr; hUp = GetIndexedParent(hUp))
        if (hUp == hAncestor)
            return TRUE;
    return FALSE;
}

// ---- Listeners ----

BOOL CTavTreeCtrl::OnSelChanged(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    const UINT nAction = reinterpret_cast<NMTREEVIEWW*>(pNMHDR)->action;
    if (m_bSelChangedByMouseAndKeyboardOnly && nAction != TVC_BYMOUSE && nAction != TVC_BYKEYBOARD)
        return FALSE;
    if (!m_bSuppressSelChanged)
        CallSelectionChanged();
    return FALSE;
}

// ---- Mouse ----

void CTavTreeCtrl::TakeFocus()
{
    if (::GetFocus() != m_hWnd)
        SetFocus();
}

void CTavTreeCtrl::OnLButtonDown(UINT nFlags, CPoint point)
{
    TakeFocus();
    UINT nHitFlags = 0;
    HTREEITEM hItem = HitTest(point, &nHitFlags);
    if (hItem != nullptr && (nHitFlags & TVHT_ONITEMBUTTON))
    {
        m_hClickedItem = hItem;
        Expand(hItem, TVE_TOGGLE);
        m_hClickedItem = nullptr;
        return;
    }
    m_bButtonDown = TRUE;
    if (m_bMultiSelection && (nFlags & MK_CONTROL))
    {
        m_bCtrlClickPending = TRUE;
        SetFocus();
    }
    else if (m_bMultiSelection && (nFlags & MK_SHIFT))
        ShiftClick(hItem);
    else if (hItem != nullptr && IsOnIconOrLabel(nHitFlags))
        ClickIconOrLabel(hItem, point);
    else if (hItem != nullptr)
        ClickRowBeside(hItem, point);
    else
    {
        SelectOnlyItemAtPoint(point);
        CallSelectionChanged();
        Default();
    }
}

void CTavTreeCtrl::ShiftClick(HTREEITEM hItem)
{
    if (hItem == nullptr || m_hShiftAnchor == nullptr || IsItemSelected(hItem))
        return;
    CFlagGuard suppress(m_bSuppressSelChanged, TRUE);
    DeselectAll();
    SelectItem(hItem);
    SelectItemRange(hItem, m_hShiftAnchor);
    CallSelectionChanged();
}

// The platform selects the item, unless the press becomes a drag or the item already was the caret.
void CTavTreeCtrl::ClickIconOrLabel(HTREEITEM hItem, CPoint point)
{
    m_hClickedItem = hItem;
    DeselectAll();
    Default();
    if (m_hClickedItem != nullptr && !IsItemSelected(m_hClickedItem))
        SelectOnlyItemAtPoint(point);
    CallSelectionChanged();
    m_hClickedItem = nullptr;
}

// A press on a selected item's row beside its label keeps the selection whole for a drag; the release
// reduces it (PreTranslateMessage).
void CTavTreeCtrl::ClickRowBeside(HTREEITEM hItem, CPoint point)
{
    if (hItem == GetSelectedItem() && GetSelectionCount() == 1 && IsItemSelected(hItem))
    {
        SelectOnlyItemAtPoint(point);
        CallSelectionChanged();
        Default();
    }
    else if (!IsItemSelected(hItem))
    {
        SelectOnlyItemAtPoint(point);
        CallSelectionChanged();
    }
    else
        m_bSelectOnButtonUp = TRUE;
}

void CTavTreeCtrl::OnLButtonUp(UINT, CPoint point)
{
    OnButtonUp(point);
    UINT nHitFlags = 0;
    HTREEITEM hItem = m_bCtrlClickPending && m_bMultiSelection ? HitTest(point, &nHitFlags) : nullptr;
    if (hItem != nullptr && IsOnIconOrLabel(nHitFlags))
    {
        CFlagGuard suppress(m_bSuppressSelChanged, TRUE);
        SetSelectedBit(hItem, !IsItemSelected(hItem));
        CallSelectionChanged();
    }
    m_bCtrlClickPending = FALSE;
    Default();
}

// A right-click on a selected item keeps the selection for a context menu on all of it.
void CTavTreeCtrl::OnRButtonDown(UINT, CPoint point)
{
    TakeFocus();
    UINT nHitFlags = 0;
    HTREEITEM hItem = HitTest(point, &nHitFlags);
    if (hItem == nullptr || !IsOnIconOrLabel(nHitFlags) || !IsItemSelected(hItem))
    {
        SelectOnlyItemAtPoint(point);
        CallSelectionChanged();
    }
    Default();
}

// ---- Keys ----

BOOL CTavTreeCtrl::PreTranslateMessage(MSG* pMsg)
{
    if (m_wndEdit.m_hWnd != nullptr)
        return PreTranslateEditMessage(pMsg);
    if (pMsg->message == WM_LBUTTONUP && pMsg->wParam == 0 && m_pDragInfo == nullptr && m_bSelectOnButtonUp)
    {
        SelectOnlyItemAtPoint(CPoint(GET_X_LPARAM(pMsg->lParam), GET_Y_LPARAM(pMsg->lParam)));
        m_bSelectOnButtonUp = FALSE;
        CallSelectionChanged();
        return TRUE;
    }
    if (pMsg->message == WM_KEYDOWN && HandleSelectionKey(static_cast<UINT>(pMsg->wParam)))
        return TRUE;
    if (pMsg->message == WM_KEYUP && pMsg->wParam == VK_SHIFT)
        m_hShiftAnchor = nullptr;
    return CTreeCtrl::PreTranslateMessage(pMsg);
}

// TRUE when the key is consumed.
BOOL CTavTreeCtrl::HandleSelectionKey(UINT nVirtKey)
{
    const BOOL bShiftRange = m_bMultiSelection && (::GetKeyState(VK_SHIFT) & 0x8000) != 0;
    const HTREEITEM hCaret = GetSelectedItem();
    switch (nVirtKey)
    {
    case VK_DELETE:
        if (!m_bItemDelete)
            return FALSE;
        DeleteSelectedItems();
        return TRUE;
    case VK_SHIFT:
        m_hShiftAnchor = hCaret;
        return FALSE;
    case VK_UP:
    case VK_DOWN:
    {
        if (bShiftRange && hCaret != nullptr && m_hShiftAnchor != nullptr)
        {
            const HTREEITEM hNew = nVirtKey == VK_UP ? GetPrevTreeItem(hCaret) : GetNextTreeItem(hCaret);
            if (hNew != nullptr)
                ExtendSelectionTo(hNew, hNew, m_hShiftAnchor);
            return TRUE;
        }
        if (!bShiftRange && hCaret != nullptr &&
            (nVirtKey == VK_UP ? GetPrevTreeItem(hCaret) : GetNextTreeItem(hCaret)) != nullptr)
            DeselectAll();
        return FALSE;
    }
    case VK_F2:
        if (hCaret != nullptr && CanRenameItem(hCaret))
            EditLabel(hCaret);
        return FALSE;
    case VK_HOME:
    {
        const HTREEITEM hRoot = bShiftRange && m_hShiftAnchor != nullptr ? GetRootItem() : nullptr;
        if (hRoot != nullptr)
            return ExtendSelectionTo(hRoot, hRoot, m_hShiftAnchor);
        break;
    }
    case VK_END:
        if (bShiftRange && m_hShiftAnchor != nullptr)
        {
            const HTREEITEM hLast = GetLastTreeItem();
            return ExtendSelectionTo(hLast, m_hShiftAnchor, hLast);
        }
        break;
    case VK_NEXT:
        if (bShiftRange && hCaret != nullptr)
        {
            const HTREEITEM hTarget = StepShownItems(hCaret, TVGN_NEXTVISIBLE);
            return ExtendSelectionTo(hTarget, m_hShiftAnchor, hTarget);
        }
        break;
    case VK_PRIOR:
        if (bShiftRange && hCaret != nullptr)
        {
            const HTREEITEM hTarget = StepShownItems(hCaret, TVGN_PREVIOUSVISIBLE);
            return ExtendSelectionTo(hTarget, hTarget, m_hShiftAnchor);
        }
        break;
    default:
        return FALSE;
    }
    // Home, End and the page keys without a Shift range: the platform moves the caret onto a clean slate.
    DeselectAll();
    CallSelectionChanged();
    return FALSE;
}

// The new caret, the range between the two items, one announcement; always consumed.
BOOL CTavTreeCtrl::ExtendSelectionTo(HTREEITEM hCaret, HTREEITEM hFrom, HTREEITEM hTo)
{
    SelectItem(hCaret);
    SelectItemRange(hFrom, hTo);
    CallSelectionChanged();
    return TRUE;
}

// One page of shown items on from the item: the rows that fit in the window, minus one.
HTREEITEM CTavTreeCtrl::StepShownItems(HTREEITEM hItem, UINT nCode) const
{
    if (hItem == nullptr)
        return nullptr;
    for (UINT nStep = 1; nStep < GetVisibleCount(); ++nStep)
    {
        HTREEITEM hNext = GetNextItem(hItem, nCode);
        if (hNext == nullptr)
            break;
        hItem = hNext;
    }
    return hItem;
}

HTREEITEM CTavTreeCtrl::GetLastTreeItem() const
{
    HTREEITEM hLast = GetRootItem();
    for (HTREEITEM hNext = hLast; hNext != nullptr; hNext = GetNextTreeItem(hNext))
        hLast = hNext;
    return hLast;
}

// Each selected subtree once: a selected child goes with its selected parent.
void CTavTreeCtrl::DeleteSelectedItems()
{
    CArray<HTREEITEM, HTREEITEM&> aItems;
    GetSelectedItems(aItems);
    RemoveChildrenOfParents(aItems);
    for (INT_PTR i = 0; i < aItems.GetSize(); ++i)
        DeleteItemWithChildren(aItems[i]);
}
