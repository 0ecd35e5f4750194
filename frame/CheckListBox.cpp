#include "CheckListBox.h"
#include "Gdi.h"

#include <algorithm>
#include <vector>

IMPLEMENT_DYNAMIC(CCheckListBox, CListBox)

BEGIN_MESSAGE_MAP(CCheckListBox, CListBox)
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_KEYDOWN()
END_MESSAGE_MAP()

CCheckListBox::CCheckListBox() : m_nStyle(BS_AUTOCHECKBOX) {}

CCheckListBox::~CCheckListBox()
{
    // Destroyed here, while this class still handles the window's messages, so that the records go too.
    if (m_hWnd && ::IsWindow(m_hWnd) && FromHandlePermanent(m_hWnd) == this)
        DestroyWindow();
}

BOOL CCheckListBox::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    dwStyle |= LBS_HASSTRINGS;
    if (!(dwStyle & (LBS_OWNERDRAWFIXED | LBS_OWNERDRAWVARIABLE)))
        dwStyle |= LBS_OWNERDRAWFIXED;
    return CListBox::Create(dwStyle, rect, pParentWnd, nID);
}

LRESULT CCheckListBox::SendToListBox(UINT message, WPARAM wParam, LPARAM lParam) const
{
    return m_pfnSuper ? ::CallWindowProcW(m_pfnSuper, m_hWnd, message, wParam, lParam)
                      : ::SendMessageW(m_hWnd, message, wParam, lParam);
}

CCheckListBox::CheckData* CCheckListBox::RecordOf(int nIndex) const
{
    const LRESULT lRaw = SendToListBox(LB_GETITEMDATA, static_cast<WPARAM>(nIndex), 0);
    return lRaw == LB_ERR ? nullptr : reinterpret_cast<CheckData*>(lRaw);
}

CCheckListBox::CheckData* CCheckListBox::EnsureRecord(int nIndex)
{
    CheckData* pRecord = RecordOf(nIndex);
    if (pRecord || nIndex < 0 || nIndex >= GetCount())
        return pRecord;
    pRecord = new CheckData;
    SendToListBox(LB_SETITEMDATA, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(pRecord));
    return pRecord;
}

ULONG_PTR CCheckListBox::UserDataOf(int nIndex) const
{
    const CheckData* pRecord = RecordOf(nIndex);
    return pRecord ? pRecord->m_dwUserData : 0;
}

LRESULT CCheckListBox::SetUserData(int nIndex, ULONG_PTR dwData)
{
    CheckData* pRecord = EnsureRecord(nIndex);
    if (!pRecord)
        return LB_ERR;
    pRecord->m_dwUserData = dwData;
    return TRUE;
}

void CCheckListBox::SetCheck(int nIndex, int nCheck)
{
    CheckData* pRecord = EnsureRecord(nIndex);
    if (!pRecord || pRecord->m_nCheck == nCheck)
        return;
    pRecord->m_nCheck = nCheck;
    InvalidateItem(nIndex);
}

int CCheckListBox::GetCheck(int nIndex) const
{
    const CheckData* pRecord = RecordOf(nIndex);
    return pRecord ? pRecord->m_nCheck : 0;
}

void CCheckListBox::Enable(int nIndex, BOOL bEnabled)
{
    CheckData* pRecord = EnsureRecord(nIndex);
    if (!pRecord || pRecord->m_bEnabled == bEnabled)
        return;
    pRecord->m_bEnabled = bEnabled;
    InvalidateItem(nIndex);
}

BOOL CCheckListBox::IsEnabled(int nIndex) const
{
    const CheckData* pRecord = RecordOf(nIndex);
    return pRecord ? pRecord->m_bEnabled : TRUE;
}

void CCheckListBox::InvalidateItem(int nIndex)
{
    CRect rcItem;
    if (GetItemRect(nIndex, &rcItem) != LB_ERR)
        InvalidateRect(&rcItem, FALSE);
}

int CCheckListBox::CheckFromPoint(CPoint point, BOOL& bInCheck) const
{
    bInCheck = FALSE;
    const int nIndex = ItemFromPointInView(point);
    if (nIndex == LB_ERR)
        return -1;
    CRect rcItem;
    GetItemRect(nIndex, &rcItem);
    bInCheck = point.x < rcItem.left + kBoxSize + 2;
    return nIndex;
}

int CCheckListBox::CalcMinimumItemHeight() const
{
    CClientDC dc(const_cast<CCheckListBox*>(this));
    CFont* pFont = GetFont();
    CFont* pOldFont = pFont ? dc.SelectObject(pFont) : nullptr;
    TEXTMETRICW tm{};
    dc.GetTextMetrics(&tm);
    if (pOldFont)
        dc.SelectObject(pOldFont);
    return std::max<int>(tm.tmHeight, kBoxSize) + 1;
}

void CCheckListBox::PreSubclassWindow()
{
    CListBox::PreSubclassWindow();
    if (!(GetStyle() & LBS_OWNERDRAWFIXED))
        return;
    // A list box taken over after creation measured its rows before this object could answer; one being
    // created has no rows yet (height 0) and is measured through reflection.
    const int cyItem = GetItemHeight(0);
    if (cyItem > 0 && cyItem < CalcMinimumItemHeight())
        SetItemHeight(0, static_cast<UINT>(CalcMinimumItemHeight()));
}

void CCheckListBox::PreDrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    DRAWITEMSTRUCT dis = *lpDrawItemStruct;
    const int nIndex = static_cast<int>(dis.itemID);
    if (nIndex >= 0 && (dis.itemAction & (ODA_DRAWENTIRE | ODA_SELECT)))
    {
        CDC* pDC = CDC::FromHandle(dis.hDC);
        CRect rcColumn(dis.rcItem);
        rcColumn.right = rcColumn.left + kTextOffset;
        pDC->FillSolidRect(&rcColumn, ::GetSysColor(COLOR_WINDOW));
        CRect rcBox(CPoint(rcColumn.left + 1, rcColumn.top + (rcColumn.Height() - kBoxSize) / 2), CSize(kBoxSize, kBoxSize));
        const int nCheck = GetCheck(nIndex);
        UINT nState = DFCS_BUTTONCHECK;
        if (nCheck == 1)
            nState |= DFCS_CHECKED;
        else if (nCheck == 2)
            nState = DFCS_BUTTON3STATE | DFCS_CHECKED;
        if (!IsEnabled(nIndex))
            nState |= DFCS_INACTIVE;
        pDC->DrawFrameControl(&rcBox, DFC_BUTTON, nState);
    }
    dis.rcItem.left += kTextOffset;
    dis.itemData = UserDataOf(nIndex);
    DrawItem(&dis);
}

void CCheckListBox::PreMeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct)
{
    lpMeasureItemStruct->itemData = UserDataOf(static_cast<int>(lpMeasureItemStruct->itemID));
    MeasureItem(lpMeasureItemStruct);
    const UINT cyMinimum = static_cast<UINT>(CalcMinimumItemHeight());
    lpMeasureItemStruct->itemHeight = std::max(lpMeasureItemStruct->itemHeight, cyMinimum);
}

void CCheckListBox::PreDeleteItem(LPDELETEITEMSTRUCT lpDeleteItemStruct)
{
    // The record itself is freed by RemoveItems once the list box has let the item go.
    DELETEITEMSTRUCT dis = *lpDeleteItemStruct;
    const CheckData* pRecord = reinterpret_cast<const CheckData*>(dis.itemData);
    dis.itemData = pRecord ? pRecord->m_dwUserData : 0;
    DeleteItem(&dis);
}

void CCheckListBox::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    CDC* pDC = CDC::FromHandle(lpDrawItemStruct->hDC);
    const CRect rcItem(lpDrawItemStruct->rcItem);
    const int nIndex = static_cast<int>(lpDrawItemStruct->itemID);
    const UINT nAction = lpDrawItemStruct->itemAction;
    const bool bFocus = (lpDrawItemStruct->itemState & ODS_FOCUS) != 0;
    if (nIndex >= 0 && (nAction & (ODA_DRAWENTIRE | ODA_SELECT)))
    {
        const bool bSelected = (lpDrawItemStruct->itemState & ODS_SELECTED) != 0;
        const int nTextColour = !IsEnabled(nIndex) ? COLOR_GRAYTEXT : bSelected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT;
        pDC->FillSolidRect(&rcItem, ::GetSysColor(bSelected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
        CString strText;
        GetText(nIndex, strText);
        const COLORREF crOldText = pDC->SetTextColor(::GetSysColor(nTextColour));
        const int nOldMode = pDC->SetBkMode(TRANSPARENT);
        CRect rcText(rcItem);
        rcText.left += 1;
        pDC->DrawText(strText, &rcText, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
        pDC->SetBkMode(nOldMode);
        pDC->SetTextColor(crOldText);
    }
    // A focus change alone toggles the mark; a repainted item gets it anew.
    if ((nAction & ODA_FOCUS) || (bFocus && (nAction & (ODA_DRAWENTIRE | ODA_SELECT))))
        pDC->DrawFocusRect(&rcItem);
}

void CCheckListBox::ToggleByUser(int nIndex)
{
    const int nCheck = GetCheck(nIndex);
    SetCheck(nIndex, m_nStyle == BS_AUTO3STATE ? (nCheck + 1) % 3 : (nCheck ? 0 : 1));
    ::SendMessageW(::GetParent(m_hWnd), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), CLBN_CHKCHANGE),
                   reinterpret_cast<LPARAM>(m_hWnd));
}

void CCheckListBox::OnLButtonDown(UINT nFlags, CPoint point)
{
    BOOL bInCheck = FALSE;
    const int nIndex = CheckFromPoint(point, bInCheck);
    if (nIndex >= 0 && !IsEnabled(nIndex))
        return;  // a disabled item takes no clicks
    if (nIndex >= 0 && bInCheck && IsAutoStyle())
        ToggleByUser(nIndex);
    // The press itself, also when this runs for a double click on a box.
    DefWindowProc(WM_LBUTTONDOWN, nFlags, MAKELPARAM(point.x, point.y));
}

void CCheckListBox::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    BOOL bInCheck = FALSE;
    const int nIndex = CheckFromPoint(point, bInCheck);
    if (nIndex >= 0 && (bInCheck || !IsEnabled(nIndex)))
        OnLButtonDown(nFlags, point);
    else
        Default();
}

void CCheckListBox::OnKeyDown(UINT nChar, UINT, UINT)
{
    if (nChar != VK_SPACE || !IsAutoStyle())
    {
        Default();
        return;
    }
    // Space belongs to the boxes of an automatic style, not to the list box's selection.
    const int nCaret = GetCaretIndex();
    if (nCaret >= 0 && nCaret < GetCount() && IsEnabled(nCaret))
        ToggleByUser(nCaret);
}

LRESULT CCheckListBox::RemoveItems(UINT message, WPARAM wParam, LPARAM lParam)
{
    std::vector<CheckData*> vecRecords;
    if (message == LB_DELETESTRING)
        vecRecords.push_back(RecordOf(static_cast<int>(wParam)));
    else
        for (int i = 0, nCount = GetCount(); i < nCount; ++i)
            vecRecords.push_back(RecordOf(i));
    const LRESULT lResult = CListBox::WindowProc(message, wParam, lParam);
    // WM_DESTROY empties the list box on some platforms and leaves it to WM_NCDESTROY on others.
    bool bGone;
    if (message == LB_DELETESTRING)
        bGone = lResult != LB_ERR;
    else
        bGone = message == WM_NCDESTROY || GetCount() == 0;
    if (bGone)
        for (CheckData* pRecord : vecRecords)
            delete pRecord;
    return lResult;
}

LRESULT CCheckListBox::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message)
    {
    case LB_GETITEMDATA:
    {
        const int nIndex = static_cast<int>(wParam);
        if (nIndex < 0 || nIndex >= GetCount())
            return LB_ERR;
        return static_cast<LRESULT>(UserDataOf(nIndex));
    }
    case LB_SETITEMDATA:
        return SetUserData(static_cast<int>(wParam), static_cast<ULONG_PTR>(lParam));
    case LB_DELETESTRING:
    case LB_RESETCONTENT:
    case WM_DESTROY:
    case WM_NCDESTROY:
        return RemoveItems(message, wParam, lParam);
    default:
        return CListBox::WindowProc(message, wParam, lParam);
    }
}

BOOL CCheckListBox::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    switch (message)
    {
    case WM_DRAWITEM:
        PreDrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
        break;
    case WM_MEASUREITEM:
        PreMeasureItem(reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam));
        break;
    case WM_DELETEITEM:
        PreDeleteItem(reinterpret_cast<LPDELETEITEMSTRUCT>(lParam));
        break;
    default:
        return CListBox::OnChildNotify(message, wParam, lParam, pResult);
    }
    if (pResult)
        *pResult = TRUE;
    return TRUE;
}
