#include "ListBox.h"

#include <string>

IMPLEMENT_DYNAMIC(CListBox, CWnd)

CListBox::~CListBox() = default;

BOOL CListBox::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CWnd::Create(L"LISTBOX", nullptr, dwStyle, rect, pParentWnd, nID);
}

void CListBox::GetText(int nIndex, CString& rString) const
{
    const int nLength = GetTextLen(nIndex);
    if (nLength <= 0)
    {
        rString = L"";
        return;
    }
    std::wstring text(static_cast<size_t>(nLength) + 1, L'\0');
    const int nCopied = GetText(nIndex, &text[0]);
    rString = CString(text.c_str(), nCopied > 0 ? nCopied : 0);
}

UINT CListBox::ItemFromPoint(CPoint pt, BOOL& bOutside) const
{
    const DWORD dwResult = static_cast<DWORD>(SendMessage(LB_ITEMFROMPOINT, 0, MAKELPARAM(pt.x, pt.y)));
    bOutside = HIWORD(dwResult) != 0;
    return LOWORD(dwResult);
}

int CListBox::ItemFromPointInView(CPoint pt) const
{
    CRect rcClient;
    GetClientRect(&rcClient);
    if (!rcClient.PtInRect(pt))
        return LB_ERR;
    const int nCount = GetCount();
    int nIndex = GetTopIndex();
    // Rows of one height in one column: the row under the point is known at once.
    if (!(GetStyle() & (LBS_OWNERDRAWVARIABLE | LBS_MULTICOLUMN)))
    {
        const int cyItem = GetItemHeight(0);
        if (cyItem > 0)
            nIndex += pt.y / cyItem;
    }
    for (; nIndex >= 0 && nIndex < nCount; ++nIndex)
    {
        CRect rcItem;
        if (GetItemRect(nIndex, &rcItem) == LB_ERR)
            break;
        if (rcItem.PtInRect(pt))
            return nIndex;
        CRect rcShown;
        if (!rcShown.IntersectRect(&rcItem, &rcClient))
            break;  // past the rows in view
    }
    return LB_ERR;
}

void CListBox::DrawItem(LPDRAWITEMSTRUCT) {}

void CListBox::MeasureItem(LPMEASUREITEMSTRUCT) {}

int CListBox::CompareItem(LPCOMPAREITEMSTRUCT)
{
    return 0;
}

void CListBox::DeleteItem(LPDELETEITEMSTRUCT) {}

int CListBox::VKeyToItem(UINT, UINT)
{
    return -1;
}

int CListBox::CharToItem(UINT, UINT)
{
    return -1;
}

BOOL CListBox::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    LRESULT lResult = TRUE;
    switch (message)
    {
    case WM_DRAWITEM:
        DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
        break;
    case WM_MEASUREITEM:
        MeasureItem(reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam));
        break;
    case WM_COMPAREITEM:
        lResult = CompareItem(reinterpret_cast<LPCOMPAREITEMSTRUCT>(lParam));
        break;
    case WM_DELETEITEM:
        DeleteItem(reinterpret_cast<LPDELETEITEMSTRUCT>(lParam));
        break;
    case WM_VKEYTOITEM:
        lResult = VKeyToItem(LOWORD(wParam), HIWORD(wParam));
        break;
    case WM_CHARTOITEM:
        lResult = CharToItem(LOWORD(wParam), HIWORD(wParam));
        break;
    default:
        return CWnd::OnChildNotify(message, wParam, lParam, pResult);
    }
    if (pResult)
        *pResult = lResult;
    return TRUE;
}
