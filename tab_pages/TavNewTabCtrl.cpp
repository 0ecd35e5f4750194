#include "tab_pages/TavNewTabCtrl.h"
#include "tab_pages/TavNewTabParent.h"
#include "tab_pages/TavTabKeys.h"
#include "tab_pages/TavTabPageCore.h"
#include "Dialog.h"

using namespace TavTabPage;

namespace
{
// Stands in the tab window for a page whose dialog has no window yet. It deletes itself with its window,
// so destroying the window is all it takes to be rid of it.
class CTavTabPlaceholder : public CWnd
{
public:
    static CTavTabPlaceholder* CreateIn(CWnd* pCtrl)
    {
        CTavTabPlaceholder* pPlaceholder = new CTavTabPlaceholder;
        if (!pPlaceholder->CreateEx(0, nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 200, 200), pCtrl, 1))
            return nullptr;   // the failed creation deleted it
        ::SetWindowLongPtrW(pPlaceholder->m_hWnd, GWLP_USERDATA, 1);
        return pPlaceholder;
    }

protected:
    void PostNcDestroy() override { delete this; }
};

bool IsPlaceholder(CWnd* pWnd)
{
    return pWnd && dynamic_cast<CTavTabPlaceholder*>(CWnd::FromHandlePermanent(pWnd->m_hWnd)) != nullptr;
}

void DestroyPlaceholder(CWnd* pWnd)
{
    if (IsPlaceholder(pWnd))
        pWnd->DestroyWindow();
}
}

IMPLEMENT_DYNAMIC(CTavNewTabCtrl, CTabWindow)

BEGIN_MESSAGE_MAP(CTavNewTabCtrl, CTabWindow)
    ON_WM_SIZE()
END_MESSAGE_MAP()

CTavNewTabCtrl::CTavNewTabCtrl()
    : m_nPrevPage(0), m_bShowActivePage(true), m_eLabelSide(eLabelTop), m_pImageList(NewImageList()),
      m_bSwitchingItself(false), m_nLastShownPage(-1), m_bRestoring(false), m_bHasTabWindow(false)
{
    CTavTabKeyRouter::Register(this);
}

CTavNewTabCtrl::~CTavNewTabCtrl()
{
    CTavTabKeyRouter::Unregister(this);
    delete m_pImageList;
    m_wndToolTip.DestroyWindow();
}

void CTavNewTabCtrl::PreSubclassWindow()
{
    CTabWindow::PreSubclassWindow();
}

void CTavNewTabCtrl::InitializeControl()
{
    CWnd* pParent = GetParent();
    const UINT nID = static_cast<UINT>(GetDlgCtrlID());
    CRect rcMarker;
    GetWindowRect(&rcMarker);
    pParent->ScreenToClient(&rcMarker);
    // The tab window takes the marker's place in the parent's tab order too.
    HWND hWndBefore = ::GetWindow(m_hWnd, GW_HWNDPREV);
    HWND hWndParent = pParent->m_hWnd;
    DestroyWindow();
    m_bHasTabWindow = Create(rcMarker, CWnd::FromHandle(hWndParent), nID, m_eLabelSide == eLabelTop) != FALSE;
    if (!m_bHasTabWindow)
        return;
    ::SetWindowPos(m_hWnd, hWndBefore ? hWndBefore : HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    ModifyStyle(WS_CLIPSIBLINGS | WS_CLIPCHILDREN, 0);
    m_nLastShownPage = -1;
    for (INT_PTR n = 0; n < m_aPages.GetSize(); ++n)
        AddPageToControl(m_aPages[n]);
    if (m_aPages.GetSize() > 0)
        ActivatePage(0, TRUE, 0);
    UpdateAllDescriptions();
    Invalidate(TRUE);
}

void CTavNewTabCtrl::AddPage(CDialog* pPage, int bDeletePage, long nBitmapID, const CString& strDescription,
                             const CString& strCaption, COLORREF crMask)
{
    CTavTabItem item = MakeRecord(pPage, bDeletePage, nBitmapID, strDescription, strCaption, crMask);
    AddPage(item);
}

void CTavNewTabCtrl::AddPage(CTavTabItem& item)
{
    if (item.m_pPicture)
    {
        item.m_nImageIndex = AddPicture(*m_pImageList, item.m_pPicture, item.m_crMask);
        SetImageList(m_pImageList->GetSafeHandle());
    }
    m_aPages.Add(item);
    if (m_bHasTabWindow && GetSafeHwnd())
        AddPageToControl(item);
}

void CTavNewTabCtrl::AddPageToControl(const CTavTabItem& item)
{
    CWnd* pTabWnd = item.m_pPage && item.m_pPage->GetSafeHwnd() ? static_cast<CWnd*>(item.m_pPage)
                                                               : CTavTabPlaceholder::CreateIn(this);
    AddTab(pTabWnd, item.m_strCaption, item.m_nImageIndex);
    if (item.m_bDisabled)
        ShowTab(GetTabCount() - 1, FALSE);
    SetPageDescription(GetTabCount() - 1, item.m_strDescription);
}

void CTavNewTabCtrl::RemovePage(long nPage, bool bDestroyWindow)
{
    CWnd* pTabWnd = GetTabWnd(nPage);
    RemoveTab(nPage);
    DestroyPlaceholder(pTabWnd);
    CheckIndex(m_aPages, nPage);
    if (m_nLastShownPage == nPage)
        m_nLastShownPage = -1;
    else if (m_nLastShownPage > nPage)
        --m_nLastShownPage;
    RemoveRecord(m_aPages, nPage, bDestroyWindow);
}

void CTavNewTabCtrl::RemoveAllPages(bool bDestroyWindow)
{
    for (INT_PTR n = m_aPages.GetSize(); n > 0; --n)
        RemovePage(0, bDestroyWindow);
}

void CTavNewTabCtrl::ActivatePage(long nPage, int bForce, int bUserAction)
{
    CheckIndex(m_aPages, nPage);
    if (!bForce && nPage == GetActiveTab())
        return;
    if (!bUserAction)
        m_bSwitchingItself = true;
    try
    {
        SetActiveTab(nPage);
    }
    catch (CException*)
    {
        m_bSwitchingItself = false;
        throw;
    }
    m_bSwitchingItself = false;
}

BOOL CTavNewTabCtrl::FireChangingActiveTab(int nNewTab)
{
    if (m_bRestoring)
        return FALSE;
    NotifyFocusOfChange(this);
    m_nPrevPage = GetActiveTab();
    bool bAllowed = true;
    if (CTavNewTabParent* pOwner = dynamic_cast<CTavNewTabParent*>(GetParent()))
        bAllowed = pOwner->OnChangeTab(static_cast<unsigned int>(m_nPrevPage), static_cast<unsigned int>(nNewTab), this);
    if (nNewTab >= 0 && Record(m_aPages, nNewTab).m_bDisabled)
        return TRUE;
    return !bAllowed;
}

void CTavNewTabCtrl::FireChangeActiveTab(int nNewTab)
{
    if (m_bRestoring || nNewTab == m_nLastShownPage)
        return;
    m_nLastShownPage = nNewTab;
    const long nActive = GetActiveTab();
    const long nPrevPage = m_nPrevPage;
    if (nActive == -1 || Record(m_aPages, nActive).m_bDisabled)
    {
        m_nLastShownPage = -1;
        RestoreActiveTab(nPrevPage);
        return;
    }
    SwitchOrRollBack(
        [=] {
            if (nPrevPage != -1)
                HidePage(nPrevPage);
            ShowPage(nNewTab);
        },
        [=] {
            m_nLastShownPage = -1;
            HidePage(nActive);
            if (nPrevPage == -1)
                return;
            RestoreActiveTab(nPrevPage);
            ShowPage(nPrevPage);
        });
}

void CTavNewTabCtrl::RestoreActiveTab(long nPage)
{
    const bool bWasSwitching = m_bSwitchingItself;
    m_bSwitchingItself = true;
    m_bRestoring = true;
    SetActiveTab(nPage);
    m_bRestoring = false;
    m_bSwitchingItself = bWasSwitching;
}

void CTavNewTabCtrl::ShowPage(long nPage)
{
    CDialog* pPage = Record(m_aPages, nPage).m_pPage;
    if (!pPage || nPage >= GetTabCount())
        return;
    CWnd* pTabWnd = GetTabWnd(nPage);
    if (pTabWnd && pTabWnd->m_hWnd != pPage->GetSafeHwnd())
    {
        DestroyPlaceholder(pTabWnd);
        SetTabWnd(nPage, pPage);
    }
    if (!pPage->GetSafeHwnd())
    {
        if (!CreatePageWindow(this, pPage))
            return;
        ::SetWindowLongPtrW(pPage->m_hWnd, GWLP_USERDATA, 0);
        SetTabWnd(nPage, pPage);
        CRect rcPage;
        GetPageArea(rcPage);
        pPage->MoveWindow(&rcPage, TRUE);
        SetFocus();
        const UINT nFlags = RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW;
        RedrawWindow(nullptr, nullptr, nFlags);
        GetParent()->RedrawWindow(nullptr, nullptr, nFlags);
    }
    ActivatePageWindow(this, pPage, m_bShowActivePage);
    UpdateAllDescriptions();
    pPage->SetFocus();
}

void CTavNewTabCtrl::HidePage(long nPage)
{
    CDialog* pPage = Record(m_aPages, nPage).m_pPage;
    if (pPage && pPage->GetSafeHwnd())
        DeactivatePageWindow(this, pPage);
}

void CTavNewTabCtrl::SendNotifyTo(CDialog* pPage, DWORD nCode)
{
    SendNotify(this, pPage, nCode);
}

void CTavNewTabCtrl::UpdatePageRect() {}

void CTavNewTabCtrl::UpdateAllDescriptions()
{
    RebuildTooltips(this, m_wndToolTip, m_aPages, [this](long nPage) { return TabRect(nPage); });
}

long CTavNewTabCtrl::GetActivePage()
{
    return GetActiveTab();
}

long CTavNewTabCtrl::GetPageCount()
{
    return GetTabCount();
}

CDialog* CTavNewTabCtrl::GetPage(long nPage)
{
    return Record(m_aPages, nPage).m_pPage;
}

CDialog* CTavNewTabCtrl::GetPage_save(long nPage)
{
    return GetPage(nPage);
}

long CTavNewTabCtrl::GetPageIndex(CDialog* pPage)
{
    return m_aPages.GetPageIndex(pPage);
}

CString CTavNewTabCtrl::GetPageCaption(long nPage)
{
    return Record(m_aPages, nPage).m_strCaption;
}

CString CTavNewTabCtrl::GetPageDescription(long nPage)
{
    return Record(m_aPages, nPage).m_strDescription;
}

void CTavNewTabCtrl::SetPageCaption(long nPage, const CString& strCaption)
{
    SetTabLabel(nPage, strCaption);
    Record(m_aPages, nPage).m_strCaption = strCaption;
}

void CTavNewTabCtrl::SetPageDescription(long nPage, const CString& strDescription)
{
    Record(m_aPages, nPage).m_strDescription = strDescription;
    ReplaceTool(this, m_wndToolTip, nPage, strDescription, TabRect(nPage));
}

CBitmap* CTavNewTabCtrl::GetPagePicture(long nPage)
{
    return Record(m_aPages, nPage).m_pPicture;
}

void CTavNewTabCtrl::SetPagePicture(long nPage, CBitmap* pPicture, int bDeletePicture, COLORREF crMask)
{
    ReplacePicture(Record(m_aPages, nPage), *m_pImageList, pPicture, bDeletePicture, crMask);
    SetImageList(m_pImageList->GetSafeHandle());
    SetTabImage(nPage, m_aPages[nPage].m_nImageIndex);
}

void CTavNewTabCtrl::SetPagePicture(long nPage, long nBitmapID, COLORREF crMask)
{
    CheckIndex(m_aPages, nPage);
    SetPagePicture(nPage, LoadPicture(nBitmapID), TRUE, crMask);
}

void CTavNewTabCtrl::EnablePage(long nPage)
{
    Record(m_aPages, nPage).m_bDisabled = FALSE;
    ShowTab(nPage, TRUE);
}

void CTavNewTabCtrl::DisablePage(long nPage)
{
    Record(m_aPages, nPage).m_bDisabled = TRUE;
    ShowTab(nPage, FALSE);
    if (nPage != GetActiveTab())
        return;
    long nTarget = m_aPages.GetNextEnabledTab(nPage, 0);
    if (nTarget == -1)
        nTarget = m_aPages.GetPrevEnabledTab(nPage, 0);
    if (nTarget != -1)
        ActivatePage(nTarget, TRUE, 0);
}

BOOL CTavNewTabCtrl::IsPageEnabled(long nPage)
{
    return !m_aPages.IsPageDisabled(nPage);
}

void CTavNewTabCtrl::SetLabelSide(ELabelSide eLabelSide)
{
    m_eLabelSide = eLabelSide;
}

void CTavNewTabCtrl::SetShowActivePage()
{
    m_bShowActivePage = true;
}

void CTavNewTabCtrl::SetHideActivePage()
{
    m_bShowActivePage = false;
}

CWnd* CTavNewTabCtrl::GetParent_save()
{
    return GetParent();
}

void CTavNewTabCtrl::OnOK()
{
    PassToPages(m_aPages, true);
}

void CTavNewTabCtrl::OnCancel()
{
    PassToPages(m_aPages, false);
}

void CTavNewTabCtrl::OnSize(UINT nType, int cx, int cy)
{
    CTabWindow::OnSize(nType, cx, cy);
    UpdateAllDescriptions();
}

void CTavNewTabCtrl::OnSetFocus(CWnd* pOldWnd)
{
    CTabWindow::OnSetFocus(pOldWnd);
}

CRect CTavNewTabCtrl::TabRect(long nPage)
{
    CRect rcTab;
    GetTabRect(nPage, rcTab);
    return rcTab;
}
