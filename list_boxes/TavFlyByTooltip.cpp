#include "list_boxes/TavFlyByTooltip.h"
#include "list_boxes/TavFlyByControl.h"
#include "Gdi.h"

#include <climits>
#include <cwchar>

namespace
{
// The class library may hand back a name that a later registration overwrites, so the tooltip keeps its own.
wchar_t s_szWndClass[128];

// A position that no pointer position handled by the tooltip matches, so that the first move counts.
const CPoint kNoPosition(INT_MIN, INT_MIN);
}

IMPLEMENT_DYNAMIC(CTavFlyByTooltip, CWnd)

BEGIN_MESSAGE_MAP(CTavFlyByTooltip, CWnd)
    ON_WM_PAINT()
    ON_WM_TIMER()
    ON_WM_KILLFOCUS()
    ON_WM_MOUSEMOVE()
END_MESSAGE_MAP()

LPCWSTR CTavFlyByTooltip::m_pszWndClass = nullptr;

CTavFlyByTooltip::CTavFlyByTooltip()
    : m_nNoItem(-1), m_nTimerInterval(10000), m_nShownItem(-1), m_pControl(nullptr), m_pControlWnd(nullptr),
      m_nTimerID(0), m_ptLastMouse(kNoPosition), m_bMouseCaptured(false)
{
    if (!m_pszWndClass)
    {
        LPCWSTR lpszRegistered = AfxRegisterWndClass(CS_SAVEBITS | CS_HREDRAW | CS_VREDRAW);
        std::wcsncpy(s_szWndClass, lpszRegistered, sizeof(s_szWndClass) / sizeof(s_szWndClass[0]) - 1);
        m_pszWndClass = s_szWndClass;
    }
}

CTavFlyByTooltip::~CTavFlyByTooltip()
{
    if (::IsWindow(m_hWnd))
        DestroyWindow();
}

BOOL CTavFlyByTooltip::Create(CTavFlyByControl* pControl, DWORD dwStyle)
{
    m_pControl = pControl;
    m_pControlWnd = pControl->GetWndPtr();
    return CreateEx(0, m_pszWndClass, nullptr, dwStyle, 0, 0, 0, 0, m_pControlWnd->GetSafeHwnd(), nullptr, nullptr);
}

void CTavFlyByTooltip::Show(CRect rect, int nItem)
{
    if (m_nShownItem != nItem)
    {
        m_nShownItem = nItem;
        InvalidateRect(nullptr, TRUE);
    }
    SetWindowPos(&wndTopMost, rect.left, rect.top, rect.Width(), rect.Height(),
                 SWP_NOACTIVATE | SWP_SHOWWINDOW | SWP_NOOWNERZORDER);
    if (m_nTimerID)
        KillTimer(m_nTimerID);
    ::GetCursorPos(&m_ptTimerCursor);
    m_nTimerID = SetTimer(kRestTimer, m_nTimerInterval);
}

void CTavFlyByTooltip::Hide()
{
    if (!IsWindowVisible())
        return;
    ShowWindow(SW_HIDE);
    if (m_nTimerID)
    {
        KillTimer(m_nTimerID);
        m_nTimerID = 0;
    }
}

bool CTavFlyByTooltip::RelayEvent(MSG* pMsg)
{
    switch (pMsg->message)
    {
    case WM_MOUSEMOVE:
        OnControlMouseMove(static_cast<UINT>(pMsg->wParam), CPoint(LOWORD(pMsg->lParam), HIWORD(pMsg->lParam)));
        break;
    case WM_KILLFOCUS:
    case LB_ADDSTRING:
    case LB_INSERTSTRING:
    case LB_DELETESTRING:
    case LB_RESETCONTENT:
    case LB_DIR:
    case LB_ADDFILE:
    case LB_SETCARETINDEX:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
        AdjustTitleTip(m_nNoItem);
        break;
    default:
        break;
    }
    return false;
}

void CTavFlyByTooltip::AdjustTitleTip(int nItem)
{
    if (!m_pControl->IsFlyByItem(nItem))
        Hide();
    else
    {
        CRect rcIdeal = m_pControl->GetIdealItemRect(nItem);
        const CRect rcActual = m_pControl->GetItemRect(nItem);
        if (rcActual.Width() >= rcIdeal.Width())
            Hide();
        else
        {
            m_pControlWnd->ClientToScreen(&rcIdeal);
            const int cxScreen = ::GetSystemMetrics(SM_CXFULLSCREEN);
            if (rcIdeal.right > cxScreen)
                rcIdeal.OffsetRect(cxScreen - rcIdeal.right, 0);
            if (rcIdeal.left < 0)
                rcIdeal.OffsetRect(-rcIdeal.left, 0);
            Show(rcIdeal, nItem);
        }
    }
    if (IsWindowVisible())
    {
        if (!m_bMouseCaptured && ::GetCapture() != m_pControlWnd->m_hWnd)
            CaptureMouse();
    }
    else if (m_bMouseCaptured)
        ReleaseMouse();
}

void CTavFlyByTooltip::OnControlMouseMove(UINT, CPoint point)
{
    if (point == m_ptLastMouse || !IsAppActive())
        return;
    m_ptLastMouse = point;
    long nItem = m_nNoItem;
    CRect rcClient;
    m_pControlWnd->GetClientRect(&rcClient);
    if (rcClient.PtInRect(point))
        nItem = m_pControl->FlyByItemFromPoint(point);
    AdjustTitleTip(static_cast<int>(nItem));
}

void CTavFlyByTooltip::CaptureMouse()
{
    ::GetCursorPos(&m_ptLastMouse);
    m_pControlWnd->ScreenToClient(&m_ptLastMouse);
    m_pControlWnd->SetCapture();
    m_bMouseCaptured = true;
}

void CTavFlyByTooltip::ReleaseMouse()
{
    // Another window may have taken the capture meanwhile; it keeps it.
    if (::GetCapture() == m_pControlWnd->m_hWnd)
        ::ReleaseCapture();
    m_bMouseCaptured = false;
}

bool CTavFlyByTooltip::IsAppActive()
{
    CWnd* pTop = m_pControlWnd->GetTopLevelParent();
    HWND hWndActive = ::GetActiveWindow();
    if (!pTop || !hWndActive)
        return false;
    for (HWND hWnd = hWndActive; hWnd; hWnd = ::GetParent(hWnd))
        if (hWnd == pTop->m_hWnd)
            return true;
    return false;
}

void CTavFlyByTooltip::OnPaint()
{
    CPaintDC dc(this);
    const int nSavedDC = dc.SaveDC();
    CRect rcClient;
    GetClientRect(&rcClient);
    CFont* pFont = m_pControlWnd->GetFont();
    CFont* pOldFont = pFont ? dc.SelectObject(pFont) : nullptr;
    // An item that went by a message the relay never saw is no item: nothing of it is read or drawn.
    if (m_pControl->IsFlyByItem(m_nShownItem))
        m_pControl->DrawFlyByItem(&dc, rcClient, m_nShownItem);
    else
        dc.FillSolidRect(&rcClient, ::GetSysColor(COLOR_WINDOW));
    if (pOldFont)
        dc.SelectObject(pOldFont);
    dc.RestoreDC(nSavedDC);
}

void CTavFlyByTooltip::OnTimer(UINT_PTR)
{
    CPoint ptCursor;
    ::GetCursorPos(&ptCursor);
    if (ptCursor == m_ptTimerCursor)
        Hide();
    else
        m_ptTimerCursor = ptCursor;
}

void CTavFlyByTooltip::OnKillFocus(CWnd* pNewWnd)
{
    AdjustTitleTip(m_nNoItem);
    CWnd::OnKillFocus(pNewWnd);
}

void CTavFlyByTooltip::OnMouseMove(UINT nFlags, CPoint point)
{
    MapWindowPoints(m_pControlWnd, &point, 1);
    OnControlMouseMove(nFlags, point);
}
