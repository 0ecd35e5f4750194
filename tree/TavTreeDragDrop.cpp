// CTavTreeCtrl: dragging the selected items onto another item, and the moves and copies of items with their
// subtrees that a drop and the host use.
#include "tree/TavTreeCtrl.h"
#include "tree/TavTreeDragInformation.h"
#include "tree/TavTreeGuards.h"
#include <memory>

// ---- Starting ----

BOOL CTavTreeCtrl::OnBeginDrag(NMHDR*, LRESULT* pResult)
{
    *pResult = 0;
    SelectPressedItemForDrag();
    CPoint ptStart;
    ::GetCursorPos(&ptStart);
    ScreenToClient(&ptStart);
    CArray<HTREEITEM, HTREEITEM&> aItems;
    GetSelectedChildren(GetRootItem(), aItems);
    if (!m_bDragAndDrop || aItems.IsEmpty())
        return FALSE;

    delete m_pDragInfo;
    m_pDragInfo = new CTavTreeDragInformation;
    RemoveChildrenOfParents(aItems);
    m_pDragInfo->m_aDragItems.Copy(aItems);
    m_pDragInfo->m_ptStart = ptStart;
    if (aItems.GetSize() == 1 && GetChildItem(aItems[0]) == nullptr)
        m_pDragInfo->m_nDragKind = CTavTreeDragInformation::eSingleItem;
    else
        m_pDragInfo->m_nDragKind = m_bMultiDragAndDrop ? CTavTreeDragInformation::eSeveralItems
                                                       : CTavTreeDragInformation::eRefused;
    for (INT_PTR i = 0; i < aItems.GetSize(); ++i)
        if (!IsValidDragItem(aItems[i]))
            m_pDragInfo->m_nDragKind = CTavTreeDragInformation::eRefused;
    SetCapture();
    return FALSE;
}

// The platform announces a drag from a press on an icon or label before it selects the pressed item (and
// the press has just deselected everything): the drag is of that item alone.
void CTavTreeCtrl::SelectPressedItemForDrag()
{
    if (m_hClickedItem == nullptr || IsItemSelected(m_hClickedItem))
        return;
    DeselectAll();
    SelectItem(m_hClickedItem);
    SetSelectedBit(m_hClickedItem, TRUE);
}

BOOL CTavTreeCtrl::IsValidDragItem(HTREEITEM)
{
    return TRUE;
}

BOOL CTavTreeCtrl::IsValidDropItem(HTREEITEM, HTREEITEM)
{
    return TRUE;
}

// ---- Moving the mouse ----

void CTavTreeCtrl::OnMouseMove(UINT nFlags, CPoint point)
{
    if (m_pDragInfo == nullptr)
        StartDragOnFirstMove(nFlags, point);
    else
        DragTo(point);
    m_bButtonDown = FALSE;
    Default();
}

// A press that the platform did not track (beside a label, or without the platform's dragging) starts a
// drag of the selection with its first move over a selected item.
void CTavTreeCtrl::StartDragOnFirstMove(UINT nFlags, CPoint point)
{
    if (!m_bMultiDragAndDrop || (nFlags & MK_LBUTTON) == 0 || !m_bButtonDown)
        return;
    HTREEITEM hItem = HitTest(point);
    if (!IsItemSelected(hItem))
        return;
    NMTREEVIEWW info = {};
    info.hdr.hwndFrom = m_hWnd;
    info.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID());
    info.hdr.code = TVN_BEGINDRAGW;
    info.itemOld.hItem = hItem;
    info.itemNew.hItem = hItem;
    info.ptDrag = point;
    LRESULT lResult = 0;
    OnBeginDrag(&info.hdr, &lResult);
}

void CTavTreeCtrl::DragTo(CPoint point)
{
    CTavTreeDragInformation& drag = *m_pDragInfo;
    if (!drag.IsValidDragPoint(point))
        return;
    drag.m_bOutside = FALSE;
    HTREEITEM hCandidate = HitTest(point);
    ScrollForDrag(point);
    CRect rcClient;
    GetClientRect(&rcClient);
    if (!rcClient.PtInRect(point))
    {
        SetDropTarget(nullptr);
        hCandidate = nullptr;
        drag.m_bOutside = TRUE;
    }
    drag.SetDragCursor();
    // An invalid candidate leaves the previous target in force.
    if (hCandidate != nullptr && hCandidate != drag.m_hDropTarget && IsDroppableFor(hCandidate))
        SetDropTarget(hCandidate);
}

// The target is shown selected.
void CTavTreeCtrl::SetDropTarget(HTREEITEM hTarget)
{
    HTREEITEM& hDropTarget = m_pDragInfo->m_hDropTarget;
    if (hDropTarget != nullptr)
        SetSelectedBit(hDropTarget, FALSE);
    hDropTarget = hTarget;
    if (hTarget != nullptr)
        SetSelectedBit(hTarget, TRUE);
}

BOOL CTavTreeCtrl::IsDroppableFor(HTREEITEM hCandidate) const
{
    std::unordered_set<HTREEITEM> setAncestors;
    for (HTREEITEM hUp = GetIndexedParent(hCandidate); hUp != nullptr; hUp = GetIndexedParent(hUp))
        setAncestors.insert(hUp);
    const CArray<HTREEITEM, HTREEITEM&>& aItems = m_pDragInfo->m_aDragItems;
    for (INT_PTR i = 0; i < aItems.GetSize(); ++i)
    {
        HTREEITEM hItem = aItems[i];
        if (hItem == hCandidate || setAncestors.count(hItem) != 0 ||
            !const_cast<CTavTreeCtrl*>(this)->IsValidDropItem(hItem, hCandidate))
            return FALSE;
    }
    return TRUE;
}

// At the top row the item before it comes into view, at the last row that fits the item after it: the
// tree scrolls by a row or expands a collapsed parent.
void CTavTreeCtrl::ScrollForDrag(CPoint point)
{
    HTREEITEM hFirst = GetFirstVisibleItem();
    if (hFirst == nullptr)
        return;
    CRect rcRow;
    if (GetItemRect(hFirst, &rcRow, FALSE) && rcRow.PtInRect(point))
    {
        HTREEITEM hPrev = GetPrevTreeItem(hFirst);
        if (hPrev != nullptr)
            EnsureVisible(hPrev);
        return;
    }
    HTREEITEM hLast = StepShownItems(hFirst, TVGN_NEXTVISIBLE);
    if (GetItemRect(hLast, &rcRow, FALSE) && rcRow.PtInRect(point))
    {
        HTREEITEM hNext = GetNextTreeItem(hLast);
        if (hNext != nullptr)
            EnsureVisible(hNext);
    }
}

// ---- Dropping ----

void CTavTreeCtrl::OnRButtonUp(UINT, CPoint point)
{
    OnButtonUp(point);
    Default();
}

void CTavTreeCtrl::OnButtonUp(CPoint point)
{
    m_bButtonDown = FALSE;
    ReleaseCapture();
    if (m_pDragInfo == nullptr)
        return;
    // The drop's own moves delete the dragged items; they must not end the drag they belong to.
    std::unique_ptr<CTavTreeDragInformation> pDrag(m_pDragInfo);
    m_pDragInfo = nullptr;
    ::SetCursor(::LoadCursorW(nullptr, IDC_ARROW));
    HTREEITEM hTarget = pDrag->m_hDropTarget;
    if (hTarget == nullptr)
        return;
    // A drop that does not count leaves nothing highlighted, or the target would join the selection.
    SetSelectedBit(hTarget, FALSE);
    if (pDrag->m_nDragKind != CTavTreeDragInformation::eRefused && pDrag->IsValidDragPoint(point) && !pDrag->m_bOutside)
    {
        m_bSelectOnButtonUp = FALSE;
        DropItems(*pDrag);
    }
}

// Insertions under a shown target cost the platform a layout each unless drawing is off.
void CTavTreeCtrl::DropItems(const CTavTreeDragInformation& dragInfo)
{
    HTREEITEM hTarget = dragInfo.m_hDropTarget;
    SetRedraw(FALSE);
    for (INT_PTR i = 0; i < dragInfo.m_aDragItems.GetSize(); ++i)
    {
        HTREEITEM hItem = dragInfo.m_aDragItems[i];
        if (hItem != hTarget && !IsBelow(hTarget, hItem) && GetIndexedParent(hItem) != hTarget &&
            IsValidDropItem(hItem, hTarget))
            MoveItemWithChildren(hItem, hTarget);
    }
    SetRedraw(TRUE);
    Invalidate();
}

// A drag ended by the deletion of one of its items: nothing moves.
void CTavTreeCtrl::AbortDrag()
{
    std::unique_ptr<CTavTreeDragInformation> pDrag(m_pDragInfo);
    m_pDragInfo = nullptr;
    if (pDrag->m_hDropTarget != nullptr)
        SetSelectedBit(pDrag->m_hDropTarget, FALSE);
    if (::GetCapture() == m_hWnd)
        ReleaseCapture();
    ::SetCursor(::LoadCursorW(nullptr, IDC_ARROW));
}

// ---- Moving and copying ----

HTREEITEM CTavTreeCtrl::TransferItem(HTREEITEM hItem, HTREEITEM hTarget)
{
    WCHAR szText[512] = {};
    TVITEMW item = {};
    item.mask = TVIF_HANDLE | TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_STATE | TVIF_PARAM;
    item.hItem = hItem;
    item.pszText = szText;
    item.cchTextMax = 512;
    item.stateMask = 0xFFFF;
    if (!GetItem(&item))
        return nullptr;
    // The whole label goes over, however long.
    const CString strText = ReadLongText(hItem, szText);

    TVINSERTSTRUCTW insert = {};
    if (hTarget == nullptr || ItemCanHaveChildren(hTarget))
    {
        insert.hParent = hTarget != nullptr ? hTarget : TVI_ROOT;
        insert.hInsertAfter = TVI_SORT;
    }
    else
    {
        HTREEITEM hParent = GetParentItem(hTarget);
        insert.hParent = hParent != nullptr ? hParent : TVI_ROOT;
        insert.hInsertAfter = hTarget;
    }
    insert.item = item;
    insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_STATE | TVIF_PARAM;
    insert.item.pszText = const_cast<LPWSTR>(static_cast<LPCWSTR>(strText));
    return CTreeCtrl::InsertItem(&insert);
}

// A text read into a buffer of 512 characters that filled it is read again whole.
CString CTavTreeCtrl::ReadLongText(HTREEITEM hItem, LPCWSTR lpszStart) const
{
    return ::wcslen(lpszStart) < 511 ? CString(lpszStart) : GetItemText(hItem);
}

// Moving or copying an item into its own subtree would delete the copy with the source or never end.
BOOL CTavTreeCtrl::IsTransferIntoItself(HTREEITEM hItem, HTREEITEM hTarget)
{
    return hItem == nullptr || hTarget == hItem || IsBelow(hTarget, hItem);
}

HTREEITEM CTavTreeCtrl::MoveItem(HTREEITEM hItem, HTREEITEM hTarget)
{
    if (IsTransferIntoItself(hItem, hTarget))
        return nullptr;
    CFlagGuard suppress(m_bSuppressSelChanged, TRUE);
    HTREEITEM hNew = TransferItem(hItem, hTarget);
    if (hNew != nullptr)
        RemoveMovedItem(hItem, hNew, TRUE);
    return hNew;
}

void CTavTreeCtrl::MoveItemWithChildren(HTREEITEM hItem, HTREEITEM hTarget)
{
    if (IsTransferIntoItself(hItem, hTarget))
        return;
    CFlagGuard suppress(m_bSuppressSelChanged, TRUE);
    HTREEITEM hChild = GetChildItem(hItem);
    const BOOL bHadChildren = hChild != nullptr;
    HTREEITEM hNew = TransferItem(hItem, hTarget);
    if (hNew == nullptr)
        return;
    while (hChild != nullptr)
    {
        HTREEITEM hNext = GetNextSiblingItem(hChild);
        MoveItemWithChildren(hChild, hNew);
        hChild = hNext;
    }
    RemoveMovedItem(hItem, hNew, bHadChildren);
}

// A moved caret stays the caret: deleting it would make the platform select a neighbour, which would then
// join the selection.
void CTavTreeCtrl::RemoveMovedItem(HTREEITEM hItem, HTREEITEM hNew, BOOL bMayHaveChildren)
{
    if (hItem == m_hCaret)
        SelectItem(hNew);
    RemovePlatformItem(hItem, FALSE, bMayHaveChildren);
}

HTREEITEM CTavTreeCtrl::CopyItem(HTREEITEM hItem, HTREEITEM hTarget)
{
    if (IsTransferIntoItself(hItem, hTarget))
        return nullptr;
    CTavTreeItemData* pData = GetObjectW(hItem);
    HTREEITEM hNew = TransferItem(hItem, hTarget);
    // The new item holds the source's data until it gets its own copy; writing the slot directly keeps the
    // source's data alive.
    if (hNew != nullptr && pData != nullptr)
        WriteSlot(hNew, reinterpret_cast<LPARAM>(pData->Copy()));
    return hNew;
}

void CTavTreeCtrl::CopyItemWithChildren(HTREEITEM hItem, HTREEITEM hTarget)
{
    if (IsTransferIntoItself(hItem, hTarget))
        return;
    HTREEITEM hChild = GetChildItem(hItem);
    HTREEITEM hNew = CopyItem(hItem, hTarget);
    if (hNew == nullptr)
        return;
    for (; hChild != nullptr; hChild = GetNextSiblingItem(hChild))
        CopyItemWithChildren(hChild, hNew);
}
