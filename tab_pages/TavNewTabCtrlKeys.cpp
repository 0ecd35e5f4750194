// Keyboard movement of CTavNewTabCtrl: page switching keys and the Tab cycle through strip and page.
// Entering the control backward leaves the focus on the strip.
#include "tab_pages/TavNewTabCtrl.h"
#include "tab_pages/TavTabKeys.h"

using namespace TavTabKeys;

BOOL CTavNewTabCtrl::PreTranslateMessage(MSG* pMsg)
{
    if (m_wndToolTip.GetSafeHwnd())
        m_wndToolTip.RelayEvent(pMsg);
    bool bForward = true;
    if (IsSwitchKey(pMsg, bForward) && GetPageCount() > 0)
    {
        ActivatePage(SwitchTarget(m_aPages, GetActivePage(), GetPageCount(), bForward), TRUE, 1);
        return TRUE;
    }
    if (IsTabKey(pMsg, true))
    {
        if (OnPrevCtrl(pMsg))
            return TRUE;
    }
    else if (IsTabKey(pMsg, false) && OnNextCtrl(pMsg))
        return TRUE;
    return CTabWindow::PreTranslateMessage(pMsg);
}

BOOL CTavNewTabCtrl::OnNextCtrl(MSG* pMsg)
{
    const long nPage = GetActivePage();
    return nPage >= 0 && FocusForward(this, GetPage(nPage), pMsg);
}

BOOL CTavNewTabCtrl::OnPrevCtrl(MSG* pMsg)
{
    const long nPage = GetActivePage();
    return nPage >= 0 && FocusBackward(this, GetPage(nPage), pMsg);
}

CWnd* CTavNewTabCtrl::GetFirstControlOfPage(CDialog* pPage)
{
    return FirstControlOfPage(pPage);
}

CWnd* CTavNewTabCtrl::GetLastControlOfPage(CDialog* pPage)
{
    return LastControlOfPage(pPage);
}
