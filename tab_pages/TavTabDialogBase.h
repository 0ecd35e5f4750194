#pragma once
// CTavTabDialogBase: an additional base of a page dialog that names the page's own first and last control
// for the keyboard movement of the tab controls.
#include "TavApi.h"

class CWnd;

/// Implemented by a page dialog that decides its first and last control itself, whatever their tab stops.
class CTavTabDialogBase
{
public:
    /// Nothing to set up.
    CTavTabDialogBase() = default;
    /// Nothing to copy.
    CTavTabDialogBase(const CTavTabDialogBase&) = default;
    /// Nothing to assign.
    CTavTabDialogBase& operator=(const CTavTabDialogBase&) = default;

    /// The control of the page that is last in its tab order.
    virtual CWnd* GetLastControl() = 0;
    /// The control of the page that is first in its tab order.
    virtual CWnd* GetFirstControl() = 0;
};
