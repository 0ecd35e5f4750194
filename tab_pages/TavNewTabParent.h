#pragma once
// CTavNewTabParent: an additional base of the window that contains a CTavNewTabCtrl, asked before every
// page change of the control.
#include "TavApi.h"

class CTavNewTabCtrl;

/// Lets the window that contains a CTavNewTabCtrl refuse a page change.
class CTavNewTabParent
{
public:
    /// Nothing to set up.
    CTavNewTabParent() = default;
    /// Nothing to copy.
    CTavNewTabParent(const CTavNewTabParent&) = default;
    /// Nothing to assign.
    CTavNewTabParent& operator=(const CTavNewTabParent&) = default;

    /// Asked with the old and new page index (-1 arrives as its unsigned value) before the change; false
    /// refuses it. The default allows every change.
    virtual bool OnChangeTab(unsigned int nOldPage, unsigned int nNewPage, CTavNewTabCtrl* pTabCtrl)
    {
        (void)nOldPage;
        (void)nNewPage;
        (void)pTabCtrl;
        return true;
    }
};
