// Check states of CTavCheckTreeCtrl: setting, combining and recalculation.
//
// A recalculation refreshes an item from its children, and first each child that has children from its
// own, stopping at the first indeterminate or mixed child; every change goes on upward. Walking every
// subtree on every recalculation would cost the whole tree each time, so the tree keeps track of the items
// that may not show the combination of their children (stale items): those whose state or children were
// set without recalculating them (insertion, loading, a state set without its children, moves, copies,
// deletes). A refresh only descends into a child that is stale or has a stale descendant (a dirty child);
// everywhere else it would change nothing. Candidates are checked before the next state operation and
// dropped when they turn out to be up to date.
//
// In a tree whose root tree holds no stale item, setting a subtree takes one walk: refreshing the parent
// after each child and letting the ancestors pass through intermediate states changes nothing that lasts
// there, so the subtree is set bottom-up in one pass and the ancestors are refreshed once. Elsewhere, and
// for states other than the three, the steps run one by one.
#include "check_tree/TavCheckTreeCtrl.h"

namespace
{
// No child holds 0, 1 or 2: the item keeps its state.
const UINT s_nNoCombination = 0xFFFFFFFF;

// Adds a child's state to the combination of the children before it.
UINT CombineState(UINT nCombined, UINT nState)
{
    if (nCombined == CTavCheckItem::stateIndeterminate || nState == CTavCheckItem::stateIndeterminate)
        return CTavCheckItem::stateIndeterminate;
    if (nState > CTavCheckItem::stateIndeterminate)
        return nCombined;
    if (nCombined == s_nNoCombination || nCombined == nState)
        return nState;
    return CTavCheckItem::stateIndeterminate;
}
}

// Plain mode, a plain archive loaded or items inserted through the base tree leave items without a check
// item: they read as unchecked and keep no state.
CTavCheckItem* CTavCheckTreeCtrl::GetCheckItem(HTREEITEM hItem) const
{
    return DYNAMIC_DOWNCAST(CTavCheckItem, GetObjectW(hItem));
}

UINT CTavCheckTreeCtrl::GetCheckState(HTREEITEM hItem) const
{
    const CTavCheckItem* pData = GetCheckItem(hItem);
    return pData != nullptr ? pData->m_nState : CTavCheckItem::stateUnchecked;
}

UINT CTavCheckTreeCtrl::GetCheckState(long lItemID) const
{
    return GetCheckState(FindItem(lItemID));
}

void CTavCheckTreeCtrl::SetCheckState(long lItemID, UINT nState)
{
    SetCheckState(FindItem(lItemID), nState, TRUE);
}

void CTavCheckTreeCtrl::InvalidateCheckBox(HTREEITEM hItem)
{
    const CRect rect = CalcCheckBoxRect(hItem);
    if (!rect.IsRectEmpty())
        InvalidateRect(&rect, TRUE);
}

void CTavCheckTreeCtrl::StoreState(HTREEITEM hItem, CTavCheckItem* pData, UINT nState)
{
    if (pData != nullptr)
        pData->m_nState = nState;
    InvalidateCheckBox(hItem);
}

void CTavCheckTreeCtrl::SetCheckState(HTREEITEM hItem, UINT nState, int bCalcChildren)
{
    if (hItem == nullptr)
        return;
    SettleStaleItems();
    if (bCalcChildren && nState <= CTavCheckItem::stateIndeterminate && IsRootTreeClean(hItem))
    {
        SetSubtreeInOneWalk(hItem, nState);
        CalcCheckState(GetParentItem(hItem));
    }
    else
    {
        SetStateLiterally(hItem, nState, bCalcChildren);
    }
}

// Each child in turn, each followed by a refresh of its parent and of the ancestors.
void CTavCheckTreeCtrl::SetStateLiterally(HTREEITEM hItem, UINT nState, BOOL bCalcChildren)
{
    StoreState(hItem, GetCheckItem(hItem), nState);
    HTREEITEM hChild = GetChildItem(hItem);
    if (hChild != nullptr)
        NoteMaybeStale(hItem);
    if (bCalcChildren)
        for (; hChild != nullptr; hChild = GetNextSiblingItem(hChild))
            SetStateLiterally(hChild, nState, TRUE);
    CalcCheckState(GetParentItem(hItem));
}

// Any row in view may change: the whole client area is repainted once.
void CTavCheckTreeCtrl::SetSubtreeInOneWalk(HTREEITEM hItem, UINT nState)
{
    if (GetChildItem(hItem) == nullptr)
    {
        StoreState(hItem, GetCheckItem(hItem), nState);
        return;
    }
    Invalidate(TRUE);
    SetSubtreeBottomUp(hItem, nState);
}

// A leaf takes the state, a parent the combination of its children once they are set (an item without a
// check item among them reads as unchecked). Returns the state the item reads afterwards.
UINT CTavCheckTreeCtrl::SetSubtreeBottomUp(HTREEITEM hItem, UINT nState)
{
    CTavCheckItem* pData = GetCheckItem(hItem);
    UINT nFinal = nState;
    HTREEITEM hChild = GetChildItem(hItem);
    if (hChild != nullptr)
        for (nFinal = s_nNoCombination; hChild != nullptr; hChild = GetNextSiblingItem(hChild))
            nFinal = CombineState(nFinal, SetSubtreeBottomUp(hChild, nState));
    if (pData == nullptr)
        return CTavCheckItem::stateUnchecked;
    pData->m_nState = nFinal;
    return nFinal;
}

// Reads the children's states in order, first refreshing each dirty child; stops at the first
// indeterminate child or the first that differs from those before it.
UINT CTavCheckTreeCtrl::CombineChildren(HTREEITEM hFirstChild, BOOL bRefresh)
{
    UINT nCombined = s_nNoCombination;
    for (HTREEITEM hChild = hFirstChild; hChild != nullptr; hChild = GetNextSiblingItem(hChild))
    {
        if (bRefresh && IsDirty(hChild))
            CalcCheckState(hChild);
        nCombined = CombineState(nCombined, GetCheckState(hChild));
        if (nCombined == CTavCheckItem::stateIndeterminate)
            break;
    }
    return nCombined;
}

// Without the null check the platform would answer the roots as the children of no item.
void CTavCheckTreeCtrl::CalcCheckState(HTREEITEM hItem)
{
    if (hItem == nullptr)
        return;
    HTREEITEM hFirstChild = GetChildItem(hItem);
    if (hFirstChild == nullptr)
        return;
    const UINT nCombined = CombineChildren(hFirstChild, TRUE);
    if (m_mapStaleItems.erase(hItem) != 0)
        m_bDirtyOutdated = TRUE;
    // An item without a check item keeps no state, so nothing changes and nothing goes on upward.
    CTavCheckItem* pData = GetCheckItem(hItem);
    if (pData == nullptr || nCombined == s_nNoCombination || nCombined == pData->m_nState)
        return;
    StoreState(hItem, pData, nCombined);
    CalcCheckState(GetParentItem(hItem));
}

void CTavCheckTreeCtrl::CalcChildrenCheckState(HTREEITEM hItem, UINT nState)
{
    if (hItem == nullptr)
        return;
    for (HTREEITEM hChild = GetChildItem(hItem); hChild != nullptr; hChild = GetNextSiblingItem(hChild))
        SetCheckState(hChild, nState, TRUE);
}

// A root tree without a dirty root needs nothing.
void CTavCheckTreeCtrl::CalcAllCheckStates()
{
    SettleStaleItems();
    for (HTREEITEM hRoot = GetRootItem(); hRoot != nullptr; hRoot = GetNextSiblingItem(hRoot))
        if (IsDirty(hRoot))
            CalcCheckState(hRoot);
}

void CTavCheckTreeCtrl::CheckAllItems()
{
    for (HTREEITEM hRoot = GetRootItem(); hRoot != nullptr; hRoot = GetNextSiblingItem(hRoot))
        SetCheckState(hRoot, CTavCheckItem::stateChecked, TRUE);
}

void CTavCheckTreeCtrl::UncheckAllItems()
{
    for (HTREEITEM hRoot = GetRootItem(); hRoot != nullptr; hRoot = GetNextSiblingItem(hRoot))
        SetCheckState(hRoot, CTavCheckItem::stateUnchecked, TRUE);
}

// ---- Moves, copies and deletes ----

// An item dropped on a target that may not have children lands after it, under the target's parent.
HTREEITEM CTavCheckTreeCtrl::GetLandingParent(HTREEITEM hTarget)
{
    return hTarget != nullptr && !ItemCanHaveChildren(hTarget) ? GetParentItem(hTarget) : hTarget;
}

// After a move the old parent is recalculated, after a move or copy the target (and the parent the item
// landed under, when that is another item).
template <class TTransfer>
HTREEITEM CTavCheckTreeCtrl::TransferAndRecalc(HTREEITEM hItem, HTREEITEM hTarget, BOOL bMove, TTransfer transfer)
{
    HTREEITEM hOldParent = bMove ? GetParentItem(hItem) : nullptr;
    HTREEITEM hLanding = GetLandingParent(hTarget);
    HTREEITEM hNew = transfer();
    CalcCheckState(hOldParent);
    CalcCheckState(hTarget);
    if (hLanding != hTarget)
        CalcCheckState(hLanding);
    return hNew;
}

HTREEITEM CTavCheckTreeCtrl::MoveItem(HTREEITEM hItem, HTREEITEM hTarget)
{
    return TransferAndRecalc(hItem, hTarget, TRUE, [&] { return CTavOwnerDrawTree::MoveItem(hItem, hTarget); });
}

void CTavCheckTreeCtrl::MoveItemWithChildren(HTREEITEM hItem, HTREEITEM hTarget)
{
    TransferAndRecalc(hItem, hTarget, TRUE, [&] {
        CTavOwnerDrawTree::MoveItemWithChildren(hItem, hTarget);
        return HTREEITEM(nullptr);
    });
}

HTREEITEM CTavCheckTreeCtrl::CopyItem(HTREEITEM hItem, HTREEITEM hTarget)
{
    return TransferAndRecalc(hItem, hTarget, FALSE, [&] { return CTavOwnerDrawTree::CopyItem(hItem, hTarget); });
}

void CTavCheckTreeCtrl::CopyItemWithChildren(HTREEITEM hItem, HTREEITEM hTarget)
{
    TransferAndRecalc(hItem, hTarget, FALSE, [&] {
        CTavOwnerDrawTree::CopyItemWithChildren(hItem, hTarget);
        return HTREEITEM(nullptr);
    });
}

// A subtree delete reaches the overrides once per item; the tree is recalculated once, when the outermost
// delete returns, so a parent that lost its last child keeps the state it had.
template <class TDelete>
void CTavCheckTreeCtrl::DeleteAndRecalc(HTREEITEM hItem, TDelete deleteItem)
{
    if (hItem == nullptr || m_bDeletingAll)
    {
        deleteItem();
        return;
    }
    ++m_nDeleteDepth;
    deleteItem();
    if (--m_nDeleteDepth == 0)
        CalcAllCheckStates();
}

void CTavCheckTreeCtrl::DeleteItem(HTREEITEM hItem)
{
    DeleteAndRecalc(hItem, [&] { CTavOwnerDrawTree::DeleteItem(hItem); });
}

void CTavCheckTreeCtrl::DeleteItemWithChildren(HTREEITEM hItem)
{
    DeleteAndRecalc(hItem, [&] { CTavOwnerDrawTree::DeleteItemWithChildren(hItem); });
}

BOOL CTavCheckTreeCtrl::DeleteAllItems()
{
    const BOOL bWasDeletingAll = m_bDeletingAll;
    m_bDeletingAll = TRUE;
    CTavOwnerDrawTree::DeleteAllItems();
    m_bDeletingAll = bWasDeletingAll;
    ForgetAll();
    return TRUE;
}

// ---- Tracking stale items ----

void CTavCheckTreeCtrl::NoteMaybeStale(HTREEITEM hItem)
{
    if (hItem == nullptr)
        return;
    m_mapStaleItems[hItem] = FALSE;
    m_bUncheckedStaleItems = TRUE;
    MarkDirtyUpward(hItem);
}

// The dirty set holds every ancestor of its members, so the climb ends at the first dirty item.
void CTavCheckTreeCtrl::MarkDirtyUpward(HTREEITEM hItem)
{
    for (; hItem != nullptr && m_setDirty.insert(hItem).second; hItem = GetParentItem(hItem))
    {
    }
}

// The platform is about to delete the item and its subtree; their handles may come back for new items.
void CTavCheckTreeCtrl::ForgetSubtree(HTREEITEM hItem)
{
    if (m_setDirty.erase(hItem) == 0)
        return;
    m_mapStaleItems.erase(hItem);
    for (HTREEITEM hChild = GetChildItem(hItem); hChild != nullptr; hChild = GetNextSiblingItem(hChild))
        ForgetSubtree(hChild);
}

void CTavCheckTreeCtrl::ForgetAll()
{
    m_mapStaleItems.clear();
    m_setDirty.clear();
    m_bUncheckedStaleItems = FALSE;
    m_bDirtyOutdated = FALSE;
}

BOOL CTavCheckTreeCtrl::IsStale(HTREEITEM hItem)
{
    const CTavCheckItem* pData = GetCheckItem(hItem);
    HTREEITEM hFirstChild = pData != nullptr ? GetChildItem(hItem) : nullptr;
    if (hFirstChild == nullptr)
        return FALSE;
    const UINT nCombined = CombineChildren(hFirstChild, FALSE);
    return nCombined != s_nNoCombination && nCombined != pData->m_nState;
}

// Checks the new candidates; those up to date leave, and the dirty set is rebuilt from the rest.
void CTavCheckTreeCtrl::SettleStaleItems()
{
    if (m_bUncheckedStaleItems)
    {
        for (auto it = m_mapStaleItems.begin(); it != m_mapStaleItems.end();)
        {
            if (!it->second && !IsStale(it->first))
            {
                it = m_mapStaleItems.erase(it);
                m_bDirtyOutdated = TRUE;
                continue;
            }
            it->second = TRUE;
            ++it;
        }
        m_bUncheckedStaleItems = FALSE;
    }
    if (!m_bDirtyOutdated)
        return;
    m_setDirty.clear();
    for (const auto& stale : m_mapStaleItems)
        MarkDirtyUpward(stale.first);
    m_bDirtyOutdated = FALSE;
}

BOOL CTavCheckTreeCtrl::IsRootTreeClean(HTREEITEM hItem)
{
    if (m_setDirty.empty())
        return TRUE;
    HTREEITEM hRoot = hItem;
    for (HTREEITEM hParent = GetParentItem(hItem); hParent != nullptr; hParent = GetParentItem(hParent))
        hRoot = hParent;
    return !IsDirty(hRoot);
}

LRESULT CTavCheckTreeCtrl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_bDeletingAll)
        return CTavOwnerDrawTree::WindowProc(message, wParam, lParam);
    HTREEITEM hItem = nullptr;
    switch (message)
    {
    case TVM_DELETEITEM:
        hItem = reinterpret_cast<HTREEITEM>(lParam);
        if (hItem == nullptr || hItem == TVI_ROOT)
        {
            ForgetAll();
            break;
        }
        ForgetSubtree(hItem);
        NoteMaybeStale(GetParentItem(hItem));
        break;
    case TVM_EXPAND:
        // A collapse with reset deletes the children.
        hItem = reinterpret_cast<HTREEITEM>(lParam);
        if ((wParam & TVE_COLLAPSERESET) != 0 && hItem != nullptr)
            for (HTREEITEM hChild = GetChildItem(hItem); hChild != nullptr; hChild = GetNextSiblingItem(hChild))
                ForgetSubtree(hChild);
        break;
    case WM_DESTROY:
    {
        // The items go with the window; nothing needs tracking any more.
        m_bDeletingAll = TRUE;
        const LRESULT lResult = CTavOwnerDrawTree::WindowProc(message, wParam, lParam);
        m_bDeletingAll = FALSE;
        ForgetAll();
        return lResult;
    }
    }
    const LRESULT lResult = CTavOwnerDrawTree::WindowProc(message, wParam, lParam);
    switch (message)
    {
    case TVM_INSERTITEMW:
    {
        // The parent has a new child with a state of its own.
        HTREEITEM hParent = reinterpret_cast<const TVINSERTSTRUCTW*>(lParam)->hParent;
        if (lResult != 0 && hParent != TVI_ROOT)
            NoteMaybeStale(hParent);
        break;
    }
    case TVM_SETITEMW:
    {
        // New item data brings a new state: the item and its parent may no longer match.
        const TVITEMW* pItem = reinterpret_cast<const TVITEMW*>(lParam);
        if (lResult != 0 && (pItem->mask & TVIF_PARAM) != 0)
        {
            NoteMaybeStale(pItem->hItem);
            NoteMaybeStale(GetParentItem(pItem->hItem));
        }
        break;
    }
    case TVM_EXPAND:
        if ((wParam & TVE_COLLAPSERESET) != 0)
            NoteMaybeStale(hItem);
        break;
    }
    return lResult;
}
