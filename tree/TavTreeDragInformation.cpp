#include "tree/TavTreeDragInformation.h"
#include "Module.h"

HICON CTavTreeDragInformation::s_hSingleDragCursor = nullptr;
HICON CTavTreeDragInformation::s_hMultiDragCursor = nullptr;
HICON CTavTreeDragInformation::s_hAbortDragCursor = nullptr;

CTavTreeDragInformation::CTavTreeDragInformation()
{
    Init();
}

void CTavTreeDragInformation::Init()
{
    m_hDropTarget = nullptr;
    m_aDragItems.RemoveAll();
    m_ptStart = CPoint(0, 0);
    m_nDragKind = eSingleItem;
    m_bOutside = FALSE;
}

void CTavTreeDragInformation::SetDragCursor()
{
    if (m_bOutside)
    {
        SetAppCursor(eAbortDragCursorID, s_hAbortDragCursor);
        return;
    }
    switch (m_nDragKind)
    {
    case eSingleItem: SetAppCursor(eSingleDragCursorID, s_hSingleDragCursor); break;
    case eSeveralItems: SetAppCursor(eMultiDragCursorID, s_hMultiDragCursor); break;
    case eRefused: SetAppCursor(eAbortDragCursorID, s_hAbortDragCursor); break;
    default: break;
    }
}

BOOL CTavTreeDragInformation::IsValidDragPoint(CPoint point) const
{
    const CRect rcStill(m_ptStart.x - 4, m_ptStart.y - 4, m_ptStart.x + 4, m_ptStart.y + 4);
    return !rcStill.PtInRect(point);
}

void CTavTreeDragInformation::SetAppCursor(UINT nResID, HICON hCursor)
{
    if (hCursor == nullptr)
    {
        LPCWSTR lpszName = MAKEINTRESOURCEW(nResID);
        hCursor = ::LoadCursorW(AfxFindResourceHandle(lpszName, RT_GROUP_CURSOR), lpszName);
    }
    ::SetCursor(hCursor);
}
