#include "list_boxes/TavCheckListBox.h"
#include "Gdi.h"

#include <algorithm>
#include <vector>

namespace
{
// Room for the box and the gaps around the text that the ideal rectangle adds to the text's width.
const int kBoxAndMargins = 17;
// Extra height of the ideal rectangle over the measured row.
const int kExtraHeight = 3;
}

IMPLEMENT_DYNAMIC(CTavCheckListBox, CCheckListBox)

BEGIN_MESSAGE_MAP(CTavCheckListBox, CCheckListBox)
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_KEYDOWN()
    ON_CONTROL_REFLECT_EX(LBN_SELCHANGE, OnSelchange)
END_MESSAGE_MAP()

CTavCheckListBox::CTavCheckListBox() = default;

CTavCheckListBox::~CTavCheckListBox() = default;

int CTavCheckListBox::FindItem(const CString& strItem) const
{
    return FindStringExact(-1, strItem);
}

void CTavCheckListBox::AddStrings(const CStringArray& arrStrings)
{
    HideFlyByTooltip();
    for (INT_PTR i = 0; i < arrStrings.GetSize(); ++i)
        AddString(arrStrings[i]);
}

void CTavCheckListBox::RemoveString(const CString& strItem)
{
    HideFlyByTooltip();
    const int nIndex = FindItem(strItem);
    if (nIndex != LB_ERR)
        DeleteString(static_cast<UINT>(nIndex));
}

void CTavCheckListBox::RemoveAll()
{
    HideFlyByTooltip();
    ResetContent();
}

void CTavCheckListBox::GetStrings(CStringArray& arrStrings)
{
    arrStrings.RemoveAll();
    for (int i = 0, nCount = GetCount(); i < nCount; ++i)
    {
        CString strText;
        GetText(i, strText);
        arrStrings.Add(strText);
    }
}

void CTavCheckListBox::SetCheckMark(const CString& strItem, long nCheck)
{
    const int nIndex = FindItem(strItem);
    if (nIndex != LB_ERR)
        SetCheck(nIndex, static_cast<int>(nCheck));
}

void CTavCheckListBox::SetCheckMark(const CStringArray& arrItems, long nCheck)
{
    for (INT_PTR i = 0; i < arrItems.GetSize(); ++i)
        SetCheckMark(arrItems[i], nCheck);
}

long CTavCheckListBox::GetCheckMark(const CString& strItem)
{
    const int nIndex = FindItem(strItem);
    return nIndex == LB_ERR ? 0 : GetCheck(nIndex);
}

void CTavCheckListBox::GetMarkedStrings(CStringArray& arrStrings)
{
    arrStrings.RemoveAll();
    for (int i = 0, nCount = GetCount(); i < nCount; ++i)
        if (GetCheck(i) == 1)
        {
            CString strText;
            GetText(i, strText);
            arrStrings.Add(strText);
        }
}

void CTavCheckListBox::MarkAll()
{
    for (int i = 0, nCount = GetCount(); i < nCount; ++i)
        SetCheck(i, 1);
}

void CTavCheckListBox::DemarkAll()
{
    for (int i = 0, nCount = GetCount(); i < nCount; ++i)
        SetCheck(i, 0);
}

void CTavCheckListBox::GetSelectedStrings(CStringArray& arrStrings)
{
    arrStrings.RemoveAll();
    const int nSelected = GetSelCount();
    if (nSelected < 1)
        return;
    std::vector<int> vecIndexes(static_cast<size_t>(nSelected));
    // Only the entries the list box wrote, and only those that name an item.
    const int nWritten = std::min(GetSelItems(nSelected, vecIndexes.data()), nSelected);
    const int nCount = GetCount();
    for (int i = 0; i < nWritten; ++i)
        if (vecIndexes[static_cast<size_t>(i)] >= 0 && vecIndexes[static_cast<size_t>(i)] < nCount)
        {
            CString strText;
            GetText(vecIndexes[static_cast<size_t>(i)], strText);
            arrStrings.Add(strText);
        }
}

void CTavCheckListBox::SelectStrings(const CStringArray& arrItems)
{
    SetSel(-1, FALSE);
    for (INT_PTR i = 0; i < arrItems.GetSize(); ++i)
    {
        const int nIndex = FindItem(arrItems[i]);
        if (nIndex != LB_ERR)
            SetSel(nIndex, TRUE);
    }
}

BOOL CTavCheckListBox::PreTranslateMessage(MSG* pMsg)
{
    RelayEvent(pMsg);
    return CWnd::PreTranslateMessage(pMsg);
}

CWnd* CTavCheckListBox::GetWndPtr() const
{
    return const_cast<CTavCheckListBox*>(this);
}

long CTavCheckListBox::GetItemCount()
{
    return GetCount();
}

CRect CTavCheckListBox::GetItemRect(long nIndex)
{
    CRect rcItem;
    CListBox::GetItemRect(static_cast<int>(nIndex), &rcItem);
    return rcItem;
}

CRect CTavCheckListBox::GetIdealItemRect(long nIndex)
{
    if (!IsFlyByItem(nIndex))
        return CRect();
    CRect rcIdeal = GetItemRect(nIndex);
    MEASUREITEMSTRUCT mis{};
    mis.CtlType = ODT_LISTBOX;
    mis.CtlID = static_cast<UINT>(GetDlgCtrlID());
    mis.itemID = static_cast<UINT>(nIndex);
    mis.itemData = GetItemData(static_cast<int>(nIndex));
    PreMeasureItem(&mis);
    CString strText;
    GetText(static_cast<int>(nIndex), strText);
    if (!strText.IsEmpty())
    {
        CClientDC dc(this);
        CFont* pOldFont = dc.SelectObject(GetFont());
        const CSize size = dc.GetTextExtent(strText);
        dc.SelectObject(pOldFont);
        rcIdeal.right = std::max<LONG>(rcIdeal.right, rcIdeal.left + size.cx + kBoxAndMargins);
    }
    rcIdeal.bottom = rcIdeal.top + static_cast<LONG>(mis.itemHeight) + kExtraHeight;
    return rcIdeal;
}

void CTavCheckListBox::DrawFlyByItem(CDC* pDC, const CRect& rect, long nIndex)
{
    if (!IsFlyByItem(nIndex))
        return;
    const int nItem = static_cast<int>(nIndex);
    DRAWITEMSTRUCT dis{};
    dis.CtlType = ODT_LISTBOX;
    dis.CtlID = static_cast<UINT>(GetDlgCtrlID());
    dis.itemID = static_cast<UINT>(nItem);
    dis.itemAction = ODA_DRAWENTIRE;
    dis.itemState = (GetSel(nItem) > 0 ? ODS_SELECTED : 0) | (GetCaretIndex() == nItem ? ODS_FOCUS : 0);
    dis.hwndItem = m_hWnd;
    dis.hDC = pDC->GetSafeHdc();
    dis.rcItem = CRect(-1, -1, rect.right - 1, GetIdealItemRect(nIndex).Height());
    dis.itemData = GetItemData(nItem);
    PreDrawItem(&dis);
}

long CTavCheckListBox::FlyByItemFromPoint(const CPoint& point)
{
    return ItemFromPointInView(point);
}

void CTavCheckListBox::SpreadCheck(const CStringArray& arrSelected, int nIndex)
{
    SetCheckMark(arrSelected, GetCheck(nIndex));
    SelectStrings(arrSelected);
}

void CTavCheckListBox::OnLButtonDown(UINT nFlags, CPoint point)
{
    CStringArray arrSelected;
    GetSelectedStrings(arrSelected);
    CCheckListBox::OnLButtonDown(nFlags, point);
    BOOL bInCheck = FALSE;
    const int nIndex = CheckFromPoint(point, bInCheck);
    const UINT nStyle = GetCheckStyle();
    if (nIndex != -1 && bInCheck && IsEnabled(nIndex) && nStyle != BS_CHECKBOX && nStyle != BS_3STATE &&
        arrSelected.GetSize() >= 2)
        SpreadCheck(arrSelected, nIndex);
}

void CTavCheckListBox::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    BOOL bInCheck = FALSE;
    if (CheckFromPoint(point, bInCheck) != -1 && bInCheck)
        OnLButtonDown(nFlags, point);
    else
        CCheckListBox::OnLButtonDblClk(nFlags, point);
}

void CTavCheckListBox::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    CStringArray arrSelected;
    GetSelectedStrings(arrSelected);
    CCheckListBox::OnKeyDown(nChar, nRepCnt, nFlags);
    const int nCaret = GetCaretIndex();
    if (nChar == VK_SPACE && nCaret >= 0 && nCaret < GetCount() && arrSelected.GetSize() >= 2)
        SpreadCheck(arrSelected, nCaret);
}

BOOL CTavCheckListBox::OnSelchange()
{
    UpdateShownItem((GetStyle() & LBS_MULTIPLESEL) ? GetCaretIndex() : GetCurSel());
    return FALSE;
}
