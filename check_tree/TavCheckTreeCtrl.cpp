// The check tree's items, labels, input and painting; the states and their recalculation are in
// TavCheckTreeStates.cpp.
#include "check_tree/TavCheckTreeCtrl.h"
#include "check_tree/TavCheckTreeActionListener.h"

namespace
{
// Room for the box in front of every label: the native tree lays out the longer label.
const wchar_t s_szLabelPrefix[] = L"      ";
const UINT s_nCheckBoxBitmap = 30000;
const int s_nCheckBoxSize = 13;
// From the box's left edge to the text.
const int s_nTextOffset = 15;
}

BEGIN_MESSAGE_MAP(CTavCheckTreeCtrl, CTavOwnerDrawTree)
    ON_WM_LBUTTONDOWN()
END_MESSAGE_MAP()

CTavCheckTreeCtrl::CTavCheckTreeCtrl()
    : m_bUncheckedStaleItems(FALSE), m_bDirtyOutdated(FALSE), m_nDeleteDepth(0), m_bDeletingAll(FALSE)
{
    m_imageList.Create(s_nCheckBoxBitmap, s_nCheckBoxSize, 1, RGB(255, 255, 255));
}

CTavCheckTreeCtrl::~CTavCheckTreeCtrl()
{
    // The window goes while the tree is still a check tree, so that no message reaches a destroyed part.
    if (m_hWnd != nullptr)
        DestroyWindow();
}

HTREEITEM CTavCheckTreeCtrl::InsertItem(const CString& strText, DWORD dwItemID, DWORD dwParentID, int bCanHaveChildren,
                                        long nBitmapID, long nSelBitmapID, DWORD crMask, UINT nState)
{
    HTREEITEM hItem = CTavOwnerDrawTree::InsertItem(s_szLabelPrefix + strText, dwItemID, dwParentID, bCanHaveChildren,
                                                    nBitmapID, nSelBitmapID, crMask, RUNTIME_CLASS(CTavCheckItem));
    if (CTavCheckItem* pData = GetCheckItem(hItem))
        pData->m_nState = nState;
    return hItem;
}

HTREEITEM CTavCheckTreeCtrl::InsertItem(HTREEITEM hParent, const CString& strText, DWORD dwItemID, int bCanHaveChildren,
                                        long nBitmapID, long nSelBitmapID, DWORD crMask, UINT nState)
{
    HTREEITEM hItem = CTavOwnerDrawTree::InsertItem(hParent, s_szLabelPrefix + strText, dwItemID, bCanHaveChildren,
                                                    nBitmapID, nSelBitmapID, crMask, RUNTIME_CLASS(CTavCheckItem));
    if (CTavCheckItem* pData = GetCheckItem(hItem))
        pData->m_nState = nState;
    return hItem;
}

CString CTavCheckTreeCtrl::GetItemText(HTREEITEM hItem) const
{
    CString strText = CTavOwnerDrawTree::GetItemText(hItem);
    strText.TrimLeft();
    return strText;
}

BOOL CTavCheckTreeCtrl::SetItemText(HTREEITEM hItem, const CString& strText)
{
    return CTavOwnerDrawTree::SetItemText(hItem, s_szLabelPrefix + strText);
}

// ---- Input ----

BOOL CTavCheckTreeCtrl::ToggleSelectedItems(HTREEITEM hItem)
{
    if (hItem == nullptr)
        return FALSE;
    const UINT nNewState = GetCheckState(hItem) == CTavCheckItem::stateChecked ? CTavCheckItem::stateUnchecked
                                                                               : CTavCheckItem::stateChecked;
    if (!IsItemSelected(hItem))
    {
        SetCheckState(hItem, nNewState, TRUE);
        return FALSE;
    }
    CArray<HTREEITEM, HTREEITEM&> aSelected;
    GetSelectedChildren(GetRootItem(), aSelected);
    RemoveChildrenOfParents(aSelected);
    for (INT_PTR i = 0; i < aSelected.GetSize(); ++i)
        SetCheckState(aSelected[i], nNewState, TRUE);
    return TRUE;
}

void CTavCheckTreeCtrl::CallActionListener(HTREEITEM hItem)
{
    for (INT_PTR i = 0; i < m_aListeners.GetSize(); ++i)
        if (auto* pListener = dynamic_cast<CTavCheckTreeActionListener*>(m_aListeners[i]))
            pListener->OnCheckChanged(hItem);
}

CRect CTavCheckTreeCtrl::CalcCheckBoxRect(HTREEITEM hItem)
{
    CRect rect;
    CTavTreeCtrl::CalcItemRect(hItem, rect);
    if (!rect.IsRectEmpty())
        rect.right = rect.left + s_nCheckBoxSize;
    return rect;
}

// A click on the box of a selected item toggles the selection and leaves it as it is; any other click is
// the base tree's, and a click on a box is heard once the platform has selected the item.
void CTavCheckTreeCtrl::OnLButtonDown(UINT nFlags, CPoint point)
{
    HTREEITEM hItem = HitTest(point);
    const BOOL bOnBox = hItem != nullptr && CalcCheckBoxRect(hItem).PtInRect(point);
    if (bOnBox && ToggleSelectedItems(hItem))
    {
        CallActionListener(hItem);
        return;
    }
    CTavOwnerDrawTree::OnLButtonDown(nFlags, point);
    if (bOnBox)
        CallActionListener(hItem);
}

// Space in the tree itself: a space typed into a child window (a label edit) stays text.
BOOL CTavCheckTreeCtrl::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message != WM_KEYDOWN || pMsg->wParam != VK_SPACE || pMsg->hwnd != m_hWnd)
        return CTavOwnerDrawTree::PreTranslateMessage(pMsg);
    HTREEITEM hCaret = GetSelectedItem();
    if (hCaret != nullptr)
    {
        ToggleSelectedItems(hCaret);
        CallActionListener(hCaret);
    }
    return TRUE;
}

BOOL CTavCheckTreeCtrl::CanToggleExpand(HTREEITEM hItem, const CPoint& point)
{
    CRect rect;
    CalcItemRect(hItem, rect);
    if (!rect.PtInRect(point) && point.x >= rect.left)
        return FALSE;
    return !CalcCheckBoxRect(hItem).PtInRect(point);
}

// ---- Painting ----

// States other than the three have no image and show no box.
void CTavCheckTreeCtrl::DrawCheckBox(CDC* pDC, CRect& rect, UINT nState)
{
    if (nState <= CTavCheckItem::stateIndeterminate && m_imageList.GetSafeHandle() != nullptr)
        m_imageList.Draw(pDC, static_cast<int>(nState),
                         CPoint(rect.left, rect.top + (rect.Height() - s_nCheckBoxSize) / 2), ILD_NORMAL);
    rect.left += s_nTextOffset;
}

void CTavCheckTreeCtrl::DrawNormalItem(CDC* pDC, HTREEITEM hItem, const CRect& rect)
{
    CRect rcText = rect;
    DrawCheckBox(pDC, rcText, GetCheckState(hItem));
    pDC->TextOut(rcText.left, rcText.top, GetItemText(hItem));
}

void CTavCheckTreeCtrl::DrawHighlightedItem(CDC* pDC, HTREEITEM hItem, const CRect& rect)
{
    CRect rcText = rect;
    DrawCheckBox(pDC, rcText, GetCheckState(hItem));
    const CRect rcHighlight(rcText.left - 2, rcText.top - 1, rcText.right - 1, rcText.bottom);
    pDC->SetTextColor(::GetSysColor(COLOR_HIGHLIGHTTEXT));
    pDC->SetBkColor(::GetSysColor(COLOR_HIGHLIGHT));
    pDC->FillSolidRect(&rcHighlight, ::GetSysColor(COLOR_HIGHLIGHT));
    pDC->TextOut(rcText.left, rcText.top, GetItemText(hItem));
    if (hItem == GetSelectedItem())
        pDC->DrawFocusRect(&rcHighlight);
    pDC->SetTextColor(::GetSysColor(COLOR_WINDOWTEXT));
    pDC->SetBkColor(::GetSysColor(COLOR_WINDOW));
}
