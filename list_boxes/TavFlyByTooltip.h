#pragma once
// CTavFlyByTooltip: the popup that shows a cut-off item of a CTavFlyByControl whole, lying over the item.
#include "TavApi.h"
#include "frame/Wnd.h"

class CTavFlyByControl;

/// The fly-by tooltip window of a CTavFlyByControl: a borderline popup placed exactly over a cut-off item,
/// drawn by the control, holding the mouse capture for the control while it shows, and hiding after the
/// pointer has rested for m_nTimerInterval.
class TAV_API CTavFlyByTooltip : public CWnd
{
    DECLARE_DYNAMIC(CTavFlyByTooltip)
public:
    /// Registers the tooltips' window class on first use.
    CTavFlyByTooltip();
    /// Destroys the window if it exists.
    ~CTavFlyByTooltip() override;

    /// Creates the hidden popup (size 0) owned by the control's window, with the given style.
    virtual BOOL Create(CTavFlyByControl* pControl, DWORD dwStyle);
    /// Places the tooltip at rect (screen coordinates) on top without activating it, shows the item and
    /// restarts the rest timer.
    virtual void Show(CRect rect, int nItem);
    /// Hides a visible tooltip and stops the rest timer; the mouse capture is left to the next adjustment.
    virtual void Hide();
    /// Acts on a message that the control's PreTranslateMessage sees; never consumes it (returns false).
    virtual bool RelayEvent(MSG* pMsg);
    /// Shows the tooltip over the item if the control cuts it off, hides it otherwise (m_nNoItem, or an
    /// index that names no item), and makes the mouse capture follow.
    void AdjustTitleTip(int nItem);

    /// The window class of every tooltip: the tooltip's own copy of the registered name, null until the
    /// first tooltip is constructed.
    static LPCWSTR m_pszWndClass;

    const int m_nNoItem;          ///< the value that means no item
    UINT m_nTimerInterval;        ///< period of the rest timer in milliseconds
    int m_nShownItem;             ///< the item the tooltip draws
    CTavFlyByControl* m_pControl; ///< the control, set by Create
    CWnd* m_pControlWnd;          ///< the control's window, set by Create
    UINT_PTR m_nTimerID;          ///< the running rest timer, 0 when none runs
    CPoint m_ptTimerCursor;       ///< cursor position (screen) when last shown or at the last timer tick
    CPoint m_ptLastMouse;         ///< the last pointer position handled (control client coordinates)
    bool m_bMouseCaptured;        ///< the tooltip gave the mouse capture to the control

protected:
    /// Finds the item under the point (control client coordinates) and adjusts the tooltip to it.
    void OnControlMouseMove(UINT nFlags, CPoint point);
    /// Gives the mouse capture to the control, remembering where the pointer is.
    void CaptureMouse();
    /// Gives up the capture taken by CaptureMouse, if the control still holds it.
    void ReleaseMouse();
    /// True when the active window is the control's top-level window or one of the windows it owns.
    bool IsAppActive();

    /// Paints the shown item with the control's font.
    afx_msg void OnPaint();
    /// The rest timer: hides the tooltip if the cursor has not moved since the last tick or show.
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    /// Hides the tooltip.
    afx_msg void OnKillFocus(CWnd* pNewWnd);
    /// A move over the tooltip itself, handled in the control's coordinates.
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);

    DECLARE_MESSAGE_MAP()

private:
    static const UINT_PTR kRestTimer = 1;
};
