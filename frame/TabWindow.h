#pragma once
// CTabWindow: a window with a strip of tabs on one side and, in the rest (the page area), the window of the
// active tab. Each tab shows one window, kept by handle, so a window that its owner destroys leaves no
// dangling pointer here. Activation is asked before (FireChangingActiveTab) and reported after
// (FireChangeActiveTab) every change, whether a click or SetActiveTab asked for it. Hidden tabs take no room
// and no clicks; tabs that do not fit scroll with the two arrow buttons at the strip's end. The tabs belong
// to the window: when it is destroyed they go with it.
#include "Wnd.h"

#include <vector>

class FRAME_API CTabWindow : public CWnd
{
    DECLARE_DYNAMIC(CTabWindow)
public:
    CTabWindow();
    ~CTabWindow() override;

    virtual BOOL Create(const RECT& rect, CWnd* pParentWnd, UINT nID, BOOL bTabsOnTop = TRUE);

    // Appends a tab (activating none) and returns its index; the window is fitted to the page area and hidden.
    int AddTab(CWnd* pTabWnd, LPCWSTR lpszLabel, int nImage = -1);
    // Removes the tab and hides its window, which stays alive. Removing the active tab leaves none active.
    BOOL RemoveTab(int nTab);
    // A hidden tab keeps its index and stays active if it was.
    BOOL ShowTab(int nTab, BOOL bShow);
    BOOL IsTabVisible(int nTab) const;
    // Hidden tabs included.
    int GetTabCount() const { return static_cast<int>(m_tabs.size()); }
    // -1 for none.
    int GetActiveTab() const { return m_nActiveTab; }
    // Asks, shows the tab's window in the page area and hides the others, then reports. FALSE when the index
    // is outside the tabs or the change was refused.
    BOOL SetActiveTab(int nTab);
    // The tab's rectangle in client coordinates; empty for a hidden or scrolled-out tab.
    BOOL GetTabRect(int nTab, CRect& rect) const;
    // The tab under a point of the client area, -1 for none.
    int TabFromPoint(CPoint point) const;
    BOOL SetTabLabel(int nTab, LPCWSTR lpszLabel);
    CString GetTabLabel(int nTab) const;
    BOOL SetTabImage(int nTab, int nImage);
    int GetTabImage(int nTab) const;
    // The list the tabs' images come from; not owned. Returns the previous one.
    HIMAGELIST SetImageList(HIMAGELIST hImageList);
    // The tab's window; null when it has none or it was destroyed.
    CWnd* GetTabWnd(int nTab) const;
    // Gives the tab another window (fitted, shown if the tab is active); the former one is left as it is.
    BOOL SetTabWnd(int nTab, CWnd* pTabWnd);
    // Where the tabs' windows go, in client coordinates.
    void GetPageArea(CRect& rect) const;
    BOOL AreTabsOnTop() const { return m_bTabsOnTop; }

protected:
    // Non-zero refuses the change to nNewTab.
    virtual BOOL FireChangingActiveTab(int nNewTab);
    virtual void FireChangeActiveTab(int nNewTab);

    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnDestroy();
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg LRESULT OnSetFont(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnGetFont(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    struct Tab
    {
        HWND hWnd;
        CString strLabel;
        int nImage;
        BOOL bVisible;
        int nWidth;     // measured with the strip's font when the label or image changes
    };

    bool IsTab(int nTab) const { return nTab >= 0 && nTab < GetTabCount(); }
    HFONT StripFont() const;
    int StripHeight() const;
    // Measures the strip's height from the font and the image size (kept, as painting asks for it per tab).
    void MeasureStrip();
    CRect StripRect() const;
    void InvalidateStrip();
    void MeasureTab(Tab& tab) const;
    // Width the visible tabs need; whether they overflow the strip and the arrows show.
    int VisibleTabsWidth() const;
    bool HasScrollArrows() const;
    CRect ArrowRect(bool bForward) const;
    void ScrollTabs(int nStep);
    void EnsureTabShown(int nTab);
    void FitTabWindow(HWND hWnd, bool bShow) const;
    void DrawTab(CDC& dc, int nTab, const CRect& rect) const;
    void DrawArrows(CDC& dc) const;

    std::vector<Tab> m_tabs;
    int m_nActiveTab;
    int m_nFirstShownTab;   // the first tab the strip shows: tabs before it are scrolled out
    BOOL m_bTabsOnTop;
    HIMAGELIST m_hImageList;
    HFONT m_hFont;
    int m_cyStrip;
};
