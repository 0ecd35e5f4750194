#pragma once
// CTavListBox: a list box with fly-by tooltips whose item geometry and drawing a host's derived class supplies.
#include "TavApi.h"
#include "frame/ListBox.h"
#include "list_boxes/TavFlyByControl.h"

/// A list box that relays its messages to a fly-by tooltip. The host derives from it, supplies
/// DrawFlyByItem, GetIdealItemRect, GetItemRect and GetItemCount, and calls InitControl once the window exists.
class TAV_API CTavListBox : public CListBox, public CTavFlyByControl
{
public:
    /// A list box without a window, fly-by tooltips switched on.
    CTavListBox();
    /// Destroys the list box and the tooltip.
    ~CTavListBox() override;

    /// The list box itself.
    CWnd* GetWndPtr() const override;

protected:
    /// Relays the message to the tooltip, then the usual handling.
    BOOL PreTranslateMessage(MSG* pMsg) override;
    /// Creates the tooltip window if fly-by tooltips are on.
    virtual void InitControl();
};
