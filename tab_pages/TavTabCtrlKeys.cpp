// Keyboard movement of CTavTabCtrl: page switching keys and the Tab cycle through strip and page.
#include "tab_pages/TavTabCtrl.h"
#include "tab_pages/TavTabKeys.h"

using namespace TavTabKeys;

BOOL CTavTabCtrl::PreTranslateMessage(MSG* pMsg)
{
    return TranslateTabKeys(
               pMsg, m_wndToolTip, m_aPages, GetActivePage(), GetPageCount(), [this](long nPage) { ActivatePage(nPage, TRUE); },
               [this](MSG* pKey) { return OnNextCtrl(pKey); }, [this](MSG* pKey) { return OnPrevCtrl(pKey); }) ||
           CTabCtrl::PreTranslateMessage(pMsg);
}

BOOL CTavTabCtrl::OnNextCtrl(MSG* pMsg)
{
    const long nPage = GetActivePage();
    return nPage >= 0 && FocusForward(this, GetPage(nPage), pMsg);
}

BOOL CTavTabCtrl::OnPrevCtrl(MSG* pMsg)
{
    const long nPage = GetActivePage();
    return nPage >= 0 && FocusBackward(this, GetPage(nPage), pMsg);
}

CWnd* CTavTabCtrl::GetFirstControlOfPage(CDialog* pPage)
{
    return FirstControlOfPage(pPage);
}

CWnd* CTavTabCtrl::GetLastControlOfPage(CDialog* pPage)
{
    return LastControlOfPage(pPage);
}

void CTavTabCtrl::OnSetFocus(CWnd* pOldWnd)
{
    CTabCtrl::OnSetFocus(pOldWnd);
    const long nPage = GetActivePage();
    if (!pOldWnd || nPage < 0 || nPage >= m_aPages.GetSize() || !IsOrContains(NeighbourOf(this, false), pOldWnd->m_hWnd))
        return;
    CDialog* pPage = m_aPages[nPage].m_pPage;
    if (!pPage || !pPage->GetSafeHwnd())
        return;
    if (CWnd* pLast = GetLastControlOfPage(pPage))
        pPage->GotoDlgCtrl(pLast);
}
