#include "TabWindow.h"
#include "Gdi.h"

#include <algorithm>

namespace
{
const int kLabelMargin = 8;     // left and right of a tab's content
const int kImageGap = 4;        // between picture and label
const int kArrowWidth = 16;
const int kStripPadding = 8;    // above and below the label
}

IMPLEMENT_DYNAMIC(CTabWindow, CWnd)

BEGIN_MESSAGE_MAP(CTabWindow, CWnd)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_SIZE()
    ON_WM_DESTROY()
    ON_WM_LBUTTONDOWN()
    ON_MESSAGE(WM_SETFONT, OnSetFont)
    ON_MESSAGE(WM_GETFONT, OnGetFont)
END_MESSAGE_MAP()

CTabWindow::CTabWindow()
    : m_nActiveTab(-1), m_nFirstShownTab(0), m_bTabsOnTop(TRUE), m_hImageList(nullptr), m_hFont(nullptr), m_cyStrip(0)
{
    MeasureStrip();
}

CTabWindow::~CTabWindow() = default;

BOOL CTabWindow::Create(const RECT& rect, CWnd* pParentWnd, UINT nID, BOOL bTabsOnTop)
{
    m_bTabsOnTop = bTabsOnTop;
    LPCWSTR lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorW(nullptr, IDC_ARROW));
    return CreateEx(0, lpszClass, nullptr, WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_CLIPCHILDREN | WS_CLIPSIBLINGS,
                    rect, pParentWnd, nID);
}

int CTabWindow::AddTab(CWnd* pTabWnd, LPCWSTR lpszLabel, int nImage)
{
    Tab tab{pTabWnd->GetSafeHwnd(), lpszLabel, nImage, TRUE, 0};
    MeasureTab(tab);
    m_tabs.push_back(tab);
    FitTabWindow(tab.hWnd, false);
    InvalidateStrip();
    return GetTabCount() - 1;
}

BOOL CTabWindow::RemoveTab(int nTab)
{
    if (!IsTab(nTab))
        return FALSE;
    HWND hWnd = m_tabs[static_cast<size_t>(nTab)].hWnd;
    m_tabs.erase(m_tabs.begin() + nTab);
    if (::IsWindow(hWnd))
        ::ShowWindow(hWnd, SW_HIDE);
    if (m_nActiveTab == nTab)
        m_nActiveTab = -1;
    else if (m_nActiveTab > nTab)
        --m_nActiveTab;
    m_nFirstShownTab = std::min(m_nFirstShownTab, std::max(GetTabCount() - 1, 0));
    InvalidateStrip();
    return TRUE;
}

BOOL CTabWindow::ShowTab(int nTab, BOOL bShow)
{
    if (!IsTab(nTab))
        return FALSE;
    m_tabs[static_cast<size_t>(nTab)].bVisible = bShow;
    InvalidateStrip();
    return TRUE;
}

BOOL CTabWindow::IsTabVisible(int nTab) const
{
    return IsTab(nTab) && m_tabs[static_cast<size_t>(nTab)].bVisible;
}

BOOL CTabWindow::SetActiveTab(int nTab)
{
    if (!IsTab(nTab) || FireChangingActiveTab(nTab))
        return FALSE;
    m_nActiveTab = nTab;
    // Only the active tab's window is ever shown, so hiding what shows is enough (and cheap with many tabs).
    for (int i = 0; i < GetTabCount(); ++i)
        if (i != nTab && ::IsWindowVisible(m_tabs[static_cast<size_t>(i)].hWnd))
            ::ShowWindow(m_tabs[static_cast<size_t>(i)].hWnd, SW_HIDE);
    FitTabWindow(m_tabs[static_cast<size_t>(nTab)].hWnd, true);
    EnsureTabShown(nTab);
    InvalidateStrip();
    FireChangeActiveTab(nTab);
    return TRUE;
}

BOOL CTabWindow::FireChangingActiveTab(int)
{
    return FALSE;
}

void CTabWindow::FireChangeActiveTab(int) {}

BOOL CTabWindow::GetTabRect(int nTab, CRect& rect) const
{
    rect.SetRectEmpty();
    if (!IsTab(nTab))
        return FALSE;
    if (!m_tabs[static_cast<size_t>(nTab)].bVisible || nTab < m_nFirstShownTab)
        return TRUE;
    const CRect rcStrip = StripRect();
    int x = rcStrip.left;
    for (int i = m_nFirstShownTab; i < nTab; ++i)
        if (m_tabs[static_cast<size_t>(i)].bVisible)
            x += m_tabs[static_cast<size_t>(i)].nWidth;
    rect.SetRect(x, rcStrip.top, x + m_tabs[static_cast<size_t>(nTab)].nWidth, rcStrip.bottom);
    return TRUE;
}

int CTabWindow::TabFromPoint(CPoint point) const
{
    if (HasScrollArrows() && point.x >= ArrowRect(false).left)
        return -1;
    for (int i = 0; i < GetTabCount(); ++i)
    {
        CRect rcTab;
        GetTabRect(i, rcTab);
        if (rcTab.PtInRect(point))
            return i;
    }
    return -1;
}

BOOL CTabWindow::SetTabLabel(int nTab, LPCWSTR lpszLabel)
{
    if (!IsTab(nTab))
        return FALSE;
    m_tabs[static_cast<size_t>(nTab)].strLabel = lpszLabel;
    MeasureTab(m_tabs[static_cast<size_t>(nTab)]);
    InvalidateStrip();
    return TRUE;
}

CString CTabWindow::GetTabLabel(int nTab) const
{
    return IsTab(nTab) ? m_tabs[static_cast<size_t>(nTab)].strLabel : CString();
}

BOOL CTabWindow::SetTabImage(int nTab, int nImage)
{
    if (!IsTab(nTab))
        return FALSE;
    m_tabs[static_cast<size_t>(nTab)].nImage = nImage;
    MeasureTab(m_tabs[static_cast<size_t>(nTab)]);
    InvalidateStrip();
    return TRUE;
}

int CTabWindow::GetTabImage(int nTab) const
{
    return IsTab(nTab) ? m_tabs[static_cast<size_t>(nTab)].nImage : -1;
}

HIMAGELIST CTabWindow::SetImageList(HIMAGELIST hImageList)
{
    HIMAGELIST hOld = m_hImageList;
    m_hImageList = hImageList;
    MeasureStrip();
    for (Tab& tab : m_tabs)
        MeasureTab(tab);
    Invalidate();
    return hOld;
}

CWnd* CTabWindow::GetTabWnd(int nTab) const
{
    if (!IsTab(nTab))
        return nullptr;
    HWND hWnd = m_tabs[static_cast<size_t>(nTab)].hWnd;
    return ::IsWindow(hWnd) ? FromHandle(hWnd) : nullptr;
}

BOOL CTabWindow::SetTabWnd(int nTab, CWnd* pTabWnd)
{
    if (!IsTab(nTab))
        return FALSE;
    m_tabs[static_cast<size_t>(nTab)].hWnd = pTabWnd->GetSafeHwnd();
    FitTabWindow(pTabWnd->GetSafeHwnd(), nTab == m_nActiveTab);
    return TRUE;
}

void CTabWindow::GetPageArea(CRect& rect) const
{
    GetClientRect(&rect);
    const int cyStrip = std::min(StripHeight(), rect.Height());
    if (m_bTabsOnTop)
        rect.top += cyStrip;
    else
        rect.bottom -= cyStrip;
}

HFONT CTabWindow::StripFont() const
{
    return m_hFont ? m_hFont : static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
}

int CTabWindow::StripHeight() const
{
    return m_cyStrip;
}

void CTabWindow::MeasureStrip()
{
    HDC hDC = ::GetDC(nullptr);
    HGDIOBJ hOld = ::SelectObject(hDC, StripFont());
    TEXTMETRICW metrics{};
    ::GetTextMetricsW(hDC, &metrics);
    ::SelectObject(hDC, hOld);
    ::ReleaseDC(nullptr, hDC);
    int cyImage = 0, cxImage = 0;
    if (m_hImageList)
        ImageList_GetIconSize(m_hImageList, &cxImage, &cyImage);
    m_cyStrip = std::max<int>(metrics.tmHeight, cyImage) + kStripPadding;
}

CRect CTabWindow::StripRect() const
{
    CRect rcClient, rcPage;
    GetClientRect(&rcClient);
    GetPageArea(rcPage);
    CRect rcStrip = rcClient;
    if (m_bTabsOnTop)
        rcStrip.bottom = rcPage.top;
    else
        rcStrip.top = rcPage.bottom;
    return rcStrip;
}

void CTabWindow::MeasureTab(Tab& tab) const
{
    HDC hDC = ::GetDC(nullptr);
    HGDIOBJ hOld = ::SelectObject(hDC, StripFont());
    SIZE size{};
    ::GetTextExtentPoint32W(hDC, tab.strLabel, tab.strLabel.GetLength(), &size);
    ::SelectObject(hDC, hOld);
    ::ReleaseDC(nullptr, hDC);
    int cxImage = 0, cyImage = 0;
    if (m_hImageList && tab.nImage >= 0)
        ImageList_GetIconSize(m_hImageList, &cxImage, &cyImage);
    tab.nWidth = 2 * kLabelMargin + size.cx + (cxImage ? cxImage + kImageGap : 0);
}

int CTabWindow::VisibleTabsWidth() const
{
    int cx = 0;
    for (const Tab& tab : m_tabs)
        if (tab.bVisible)
            cx += tab.nWidth;
    return cx;
}

bool CTabWindow::HasScrollArrows() const
{
    return VisibleTabsWidth() > StripRect().Width();
}

CRect CTabWindow::ArrowRect(bool bForward) const
{
    const CRect rcStrip = StripRect();
    const int xRight = rcStrip.right - (bForward ? 0 : kArrowWidth);
    return CRect(xRight - kArrowWidth, rcStrip.top, xRight, rcStrip.bottom);
}

void CTabWindow::ScrollTabs(int nStep)
{
    int nFirst = m_nFirstShownTab;
    do
        nFirst += nStep;
    while (IsTab(nFirst) && !m_tabs[static_cast<size_t>(nFirst)].bVisible);
    if (IsTab(nFirst))
    {
        m_nFirstShownTab = nFirst;
        InvalidateStrip();
    }
}

// Scrolls until the whole tab lies left of the arrows.
void CTabWindow::EnsureTabShown(int nTab)
{
    if (nTab < m_nFirstShownTab)
        m_nFirstShownTab = nTab;
    if (!HasScrollArrows())
    {
        m_nFirstShownTab = 0;
        return;
    }
    const int xLimit = ArrowRect(false).left;
    CRect rcTab;
    while (m_nFirstShownTab < nTab && GetTabRect(nTab, rcTab) && rcTab.right > xLimit)
        ++m_nFirstShownTab;
}

void CTabWindow::FitTabWindow(HWND hWnd, bool bShow) const
{
    if (!::IsWindow(hWnd))
        return;
    CRect rcPage;
    GetPageArea(rcPage);
    ::SetWindowPos(hWnd, nullptr, rcPage.left, rcPage.top, rcPage.Width(), rcPage.Height(),
                   SWP_NOZORDER | SWP_NOACTIVATE | (bShow ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
}

void CTabWindow::OnPaint()
{
    CPaintDC dc(this);
    const CRect rcStrip = StripRect();
    dc.FillSolidRect(rcStrip, ::GetSysColor(COLOR_BTNFACE));
    HGDIOBJ hOldFont = dc.SelectObject(StripFont());
    dc.SetBkMode(TRANSPARENT);
    for (int i = 0; i < GetTabCount(); ++i)
    {
        CRect rcTab;
        GetTabRect(i, rcTab);
        if (!rcTab.IsRectEmpty() && dc.RectVisible(rcTab))
            DrawTab(dc, i, rcTab);
    }
    if (HasScrollArrows())
        DrawArrows(dc);
    dc.SelectObject(hOldFont);
}

void CTabWindow::InvalidateStrip()
{
    if (GetSafeHwnd())
    {
        const CRect rcStrip = StripRect();
        InvalidateRect(rcStrip);
    }
}

// The page area shows the tabs' windows; where none covers it, it is the button face.
BOOL CTabWindow::OnEraseBkgnd(CDC* pDC)
{
    CRect rcClient;
    GetClientRect(&rcClient);
    pDC->FillSolidRect(rcClient, ::GetSysColor(COLOR_BTNFACE));
    return TRUE;
}

// The active tab stands apart on the window colour and joins the page area; the others sit on the strip
// with a shadow frame.
void CTabWindow::DrawTab(CDC& dc, int nTab, const CRect& rect) const
{
    const Tab& tab = m_tabs[static_cast<size_t>(nTab)];
    const bool bActive = nTab == m_nActiveTab;
    CRect rcFace = rect;
    rcFace.DeflateRect(0, bActive ? 0 : 2);
    dc.FillSolidRect(rcFace, ::GetSysColor(bActive ? COLOR_WINDOW : COLOR_BTNFACE));
    dc.Draw3dRect(rcFace, ::GetSysColor(COLOR_BTNSHADOW), ::GetSysColor(COLOR_BTNSHADOW));
    int x = rect.left + kLabelMargin;
    int cxImage = 0, cyImage = 0;
    if (m_hImageList && tab.nImage >= 0 && ImageList_GetIconSize(m_hImageList, &cxImage, &cyImage))
    {
        ImageList_Draw(m_hImageList, tab.nImage, dc.GetSafeHdc(), x, rect.top + (rect.Height() - cyImage) / 2, ILD_TRANSPARENT);
        x += cxImage + kImageGap;
    }
    dc.SetTextColor(::GetSysColor(bActive ? COLOR_WINDOWTEXT : COLOR_BTNTEXT));
    CRect rcLabel(x, rect.top, rect.right, rect.bottom);
    dc.DrawText(tab.strLabel, rcLabel, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
}

void CTabWindow::DrawArrows(CDC& dc) const
{
    for (bool bForward : {false, true})
    {
        CRect rcArrow = ArrowRect(bForward);
        dc.DrawFrameControl(rcArrow, DFC_SCROLL, bForward ? DFCS_SCROLLRIGHT : DFCS_SCROLLLEFT);
    }
}

void CTabWindow::OnSize(UINT nType, int cx, int cy)
{
    CWnd::OnSize(nType, cx, cy);
    for (int i = 0; i < GetTabCount(); ++i)
        FitTabWindow(m_tabs[static_cast<size_t>(i)].hWnd, i == m_nActiveTab);
    if (m_nActiveTab >= 0)
        EnsureTabShown(m_nActiveTab);
    Invalidate();
}

void CTabWindow::OnDestroy()
{
    m_tabs.clear();
    m_nActiveTab = -1;
    m_nFirstShownTab = 0;
    CWnd::OnDestroy();
}

void CTabWindow::OnLButtonDown(UINT, CPoint point)
{
    if (HasScrollArrows() && StripRect().PtInRect(point) && point.x >= ArrowRect(false).left)
    {
        ScrollTabs(point.x >= ArrowRect(true).left ? 1 : -1);
        return;
    }
    const int nTab = TabFromPoint(point);
    if (nTab < 0)
        return;
    SetFocus();
    if (nTab != m_nActiveTab)
        SetActiveTab(nTab);
}

LRESULT CTabWindow::OnSetFont(WPARAM wParam, LPARAM lParam)
{
    m_hFont = reinterpret_cast<HFONT>(wParam);
    MeasureStrip();
    for (Tab& tab : m_tabs)
        MeasureTab(tab);
    if (lParam)
        Invalidate();
    return 0;
}

LRESULT CTabWindow::OnGetFont(WPARAM, LPARAM)
{
    return reinterpret_cast<LRESULT>(m_hFont);
}
