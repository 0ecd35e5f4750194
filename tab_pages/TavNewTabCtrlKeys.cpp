// Keyboard movement of CTavNewTabCtrl: page switching keys and the Tab cycle through strip and page.
// Entering the control backward leaves the focus on the strip.
#include "tab_pages/TavNewTabCtrl.h"
#include "tab_pages/TavTabKeys.h"

using namespace TavTabKeys;

BOOL CTavNewTabCtrl::PreTranslateMessage(MSG* pMsg)
{
    return TranslateTabKeys(
               pMsg, m_wndToolTip, m_aPages, GetActivePage(), GetPageCount(), [this](long nPage) { ActivatePage(nPage, TRUE, 1); },
               [this](MSG* pKey) { return OnNextCtrl(pKey); }, [this](MSG* pKey) { return OnPrevCtrl(pKey); }) ||
           CTabWindow::PreTranslateMessage(pMsg);
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
