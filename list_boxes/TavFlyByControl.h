#pragma once
// CTavFlyByControl: the mix-in that gives a list control a fly-by tooltip showing a cut-off item whole.
#include "TavApi.h"
#include "frame/Wnd.h"

class CDC;
class CTavFlyByTooltip;

/// Mix-in base of controls that show an item they cut off in a fly-by tooltip lying over the item. The
/// control supplies the item geometry and drawing and feeds its messages to the tooltip from its
/// PreTranslateMessage through RelayEvent.
class TAV_API CTavFlyByControl
{
    friend class CTavFlyByTooltip;

public:
    /// Tooltips are switched on, but no tooltip window exists until EnableFlyByTooltips or the control's
    /// own initialisation creates it.
    CTavFlyByControl();
    /// Deletes the tooltip, which destroys its window.
    virtual ~CTavFlyByControl();

    /// Switches tooltips on and creates the tooltip window if it does not exist yet.
    void EnableFlyByTooltips();
    /// Switches tooltips off; a shown tooltip hides and gives up the mouse capture it took.
    void DisableFlyByTooltips();

protected:
    /// Paints the item into the tooltip's DC; rect is the tooltip's client rectangle.
    virtual void DrawFlyByItem(CDC* pDC, const CRect& rect, long nItem) = 0;
    /// The rectangle the item needs to be shown whole, in the control's client coordinates.
    virtual CRect GetIdealItemRect(long nItem) = 0;
    /// The rectangle the item has in the control, in the control's client coordinates.
    virtual CRect GetItemRect(long nItem) = 0;
    /// The number of items.
    virtual long GetItemCount() = 0;
    /// The control's own window.
    virtual CWnd* GetWndPtr() const = 0;
    /// The item under a point of the control's client area, or -1. This one tries the items in index order
    /// from 0; a control that knows its layout answers from the rows in view instead.
    virtual long FlyByItemFromPoint(const CPoint& point);

    /// Creates the tooltip window when tooltips are on and it does not exist; hides it when they are off.
    void UpdateFlyByTooltip();
    /// Feeds a message that the control's PreTranslateMessage sees to the tooltip.
    void RelayEvent(MSG* pMsg);
    /// Places the tooltip over the item (or hides it) after the control's current item changed without the
    /// pointer moving, and repaints it at once.
    void UpdateShownItem(int nItem);
    /// Hides the tooltip before the control changes its items without passing the relay.
    void HideFlyByTooltip();
    /// True when the index names an item, from 0 to GetItemCount() - 1.
    bool IsFlyByItem(long nItem);

    bool m_bFlyByEnabled;          ///< fly-by tooltips are switched on
    CTavFlyByTooltip* m_pTooltip;  ///< the tooltip, owned for the control's whole life

private:
    bool HasTooltipWindow() const;
};
