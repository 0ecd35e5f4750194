#include "tab_pages/TavTabCtrl.h"
#include "tab_pages/TavTabKeys.h"
#include "tab_pages/TavTabPageCore.h"
#include "Dialog.h"

#include <prsht.h>

using namespace TavTabPage;

IMPLEMENT_DYNAMIC(CTavTabCtrl, CTabCtrl)

BEGIN_MESSAGE_MAP(CTavTabCtrl, CTabCtrl)
    ON_NOTIFY_REFLECT_EX(TCN_SELCHANGE, OnSelchange)
    ON_NOTIFY_REFLECT_EX(TCN_SELCHANGING, OnSelchanging)
    ON_WM_DRAWITEM()
    ON_WM_CREATE()
    ON_WM_SIZE()
    ON_WM_SETFOCUS()
END_MESSAGE_MAP()

CTavTabCtrl::CTavTabCtrl()
    : m_nPrevPage(0), m_bShowActivePage(true), m_eLabelSide(eLabelTop), m_pImageList(NewImageList()),
      m_bInitializeOnCreate(false)
{
    CTavTabKeyRouter::Register(this);
}

CTavTabCtrl::~CTavTabCtrl()
{
    CTavTabKeyRouter::Unregister(this);
    delete m_pImageList;
    m_wndToolTip.DestroyWindow();
}

void CTavTabCtrl::AddPage(CDialog* pPage, int bDeletePage, long nBitmapID, const CString& strDescription,
                          const CString& strCaption, COLORREF crMask)
{
    CTavTabItem item = MakeRecord(pPage, bDeletePage, nBitmapID, strDescription, strCaption, crMask);
    AddPage(item);
}

void CTavTabCtrl::AddPage(CTavTabItem& item)
{
    if (item.m_pPicture)
        item.m_nImageIndex = AddPicture(*m_pImageList, item.m_pPicture, item.m_crMask);
    m_aPages.Add(item);
    if (GetSafeHwnd())
        AddPageToControl(item);
}

void CTavTabCtrl::AddPageToControl(const CTavTabItem& item)
{
    TCITEMW tab{};
    tab.mask = TCIF_TEXT;
    tab.pszText = const_cast<LPWSTR>(static_cast<LPCWSTR>(item.m_strCaption));
    CSize padding(10, 3);
    if (item.m_pPicture && item.m_nImageIndex >= 0)
    {
        tab.mask |= TCIF_IMAGE;
        tab.iImage = item.m_nImageIndex;
        BITMAP bitmap{};
        if (item.m_pPicture->GetBitmap(&bitmap))
            padding.cx += bitmap.bmWidth;
    }
    SetPadding(padding);
    const int nTab = InsertItem(GetItemCount(), &tab);
    SetPageDescription(nTab, item.m_strDescription);
}

void CTavTabCtrl::RemovePage(long nPage, bool bDestroyWindow)
{
    DeleteItem(nPage);
    RemoveRecord(m_aPages, nPage, bDestroyWindow);
}

void CTavTabCtrl::RemoveAllPages(bool bDestroyWindow)
{
    for (INT_PTR n = m_aPages.GetSize(); n > 0; --n)
        RemovePage(0, bDestroyWindow);
}

void CTavTabCtrl::ActivatePage(long nPage, int bForce)
{
    CheckIndex(m_aPages, nPage);
    if (!bForce && GetCurSel() == nPage)
        return;
    NotifyFocusOfChange(this);
    m_nPrevPage = GetCurSel();
    if (m_aPages[nPage].m_bDisabled)
        return;
    SetCurSel(nPage);
    SwitchPages(m_nPrevPage, nPage);
}

BOOL CTavTabCtrl::OnSelchanging(NMHDR*, LRESULT* pResult)
{
    NotifyFocusOfChange(this);
    m_nPrevPage = GetCurSel();
    CPoint point;
    ::GetCursorPos(&point);
    ScreenToClient(&point);
    const int nTab = HitTest(point);
    *pResult = nTab >= 0 && nTab < m_aPages.GetSize() && m_aPages[nTab].m_bDisabled;
    return FALSE;
}

BOOL CTavTabCtrl::OnSelchange(NMHDR*, LRESULT* pResult)
{
    *pResult = 0;
    const long nPage = GetCurSel();
    if (Record(m_aPages, nPage).m_bDisabled)
    {
        // Refused: the parent hears of no change, as none took place.
        SetCurSel(m_nPrevPage);
        return TRUE;
    }
    SwitchPages(m_nPrevPage, nPage);
    return FALSE;
}

void CTavTabCtrl::SwitchPages(long nPrevPage, long nPage)
{
    SwitchOrRollBack(
        [=] {
            if (nPrevPage != -1)
                HidePage(nPrevPage);
            ShowPage(nPage);
        },
        [=] {
            HidePage(nPage);
            SetCurSel(nPrevPage);
            if (nPrevPage != -1)
                ShowPage(nPrevPage);
        });
}

void CTavTabCtrl::ShowPage(long nPage)
{
    CDialog* pPage = Record(m_aPages, nPage).m_pPage;
    if (!pPage)
        return;
    if (!pPage->GetSafeHwnd())
    {
        if (!CreatePageWindow(this, pPage))
            return;
        SetFocus();
        Invalidate(TRUE);
    }
    ActivatePageWindow(this, pPage, m_bShowActivePage);
    UpdatePageRect();
    UpdateAllDescriptions();
    pPage->SetFocus();
}

void CTavTabCtrl::HidePage(long nPage)
{
    CDialog* pPage = Record(m_aPages, nPage).m_pPage;
    if (pPage && pPage->GetSafeHwnd())
        DeactivatePageWindow(this, pPage);
}

void CTavTabCtrl::SendNotifyTo(CDialog* pPage, DWORD nCode)
{
    SendNotify(this, pPage, nCode);
}

long CTavTabCtrl::GetActivePage()
{
    return GetCurSel();
}

long CTavTabCtrl::GetPageCount()
{
    return GetSafeHwnd() ? GetItemCount() : 0;
}

CDialog* CTavTabCtrl::GetPage(long nPage)
{
    return Record(m_aPages, nPage).m_pPage;
}

CDialog* CTavTabCtrl::GetPage_save(long nPage)
{
    return GetPage(nPage);
}

long CTavTabCtrl::GetPageIndex(CDialog* pPage)
{
    return m_aPages.GetPageIndex(pPage);
}

CString CTavTabCtrl::GetPageCaption(long nPage)
{
    return Record(m_aPages, nPage).m_strCaption;
}

CString CTavTabCtrl::GetPageDescription(long nPage)
{
    return Record(m_aPages, nPage).m_strDescription;
}

void CTavTabCtrl::SetPageCaption(long nPage, const CString& strCaption)
{
    TCITEMW tab{};
    tab.mask = TCIF_TEXT;
    tab.pszText = const_cast<LPWSTR>(static_cast<LPCWSTR>(strCaption));
    SetItem(nPage, &tab);
    Record(m_aPages, nPage).m_strCaption = strCaption;
}

void CTavTabCtrl::SetPageDescription(long nPage, const CString& strDescription)
{
    Record(m_aPages, nPage).m_strDescription = strDescription;
    ReplaceTool(this, m_wndToolTip, nPage, strDescription, TabRect(nPage));
}

CBitmap* CTavTabCtrl::GetPagePicture(long nPage)
{
    return Record(m_aPages, nPage).m_pPicture;
}

void CTavTabCtrl::SetPagePicture(long nPage, CBitmap* pPicture, int bDeletePicture, COLORREF crMask)
{
    ReplacePicture(Record(m_aPages, nPage), *m_pImageList, pPicture, bDeletePicture, crMask);
    if (GetSafeHwnd())
        InvalidateRect(TabRect(nPage), TRUE);
}

void CTavTabCtrl::SetPagePicture(long nPage, long nBitmapID, COLORREF crMask)
{
    CheckIndex(m_aPages, nPage);
    SetPagePicture(nPage, LoadPicture(nBitmapID), TRUE, crMask);
}

void CTavTabCtrl::EnablePage(long nPage)
{
    Record(m_aPages, nPage).m_bDisabled = FALSE;
    if (GetSafeHwnd())
        InvalidateRect(TabRect(nPage), TRUE);
}

void CTavTabCtrl::DisablePage(long nPage)
{
    Record(m_aPages, nPage).m_bDisabled = TRUE;
    if (!GetSafeHwnd())
        return;
    InvalidateRect(TabRect(nPage), TRUE);
    if (GetCurSel() != nPage)
        return;
    long nTarget = m_aPages.GetNextEnabledTab(nPage, 0);
    if (nTarget == -1)
        nTarget = m_aPages.GetPrevEnabledTab(nPage, 0);
    if (nTarget != -1)
        ActivatePage(nTarget, TRUE);
}

BOOL CTavTabCtrl::IsPageEnabled(long nPage)
{
    return !m_aPages.IsPageDisabled(nPage);
}

void CTavTabCtrl::SetLabelSide(ELabelSide eLabelSide)
{
    m_eLabelSide = eLabelSide;
    if (GetSafeHwnd())
        UpdateLabelSide();
}

void CTavTabCtrl::SetShowActivePage()
{
    m_bShowActivePage = true;
}

void CTavTabCtrl::SetHideActivePage()
{
    m_bShowActivePage = false;
}

CWnd* CTavTabCtrl::GetParent_save()
{
    return GetParent();
}

void CTavTabCtrl::OnOK()
{
    PassToPages(m_aPages, true);
}

void CTavTabCtrl::OnCancel()
{
    PassToPages(m_aPages, false);
}

void CTavTabCtrl::InitializeControl()
{
    UpdateLabelSide();
    // Records that have a tab already (an attach after a creation) keep it: one tab per record.
    for (INT_PTR n = GetItemCount(); n < m_aPages.GetSize(); ++n)
        AddPageToControl(m_aPages[n]);
    if (m_aPages.GetSize() > 0)
        ActivatePage(0, TRUE);
    UpdateAllDescriptions();
}

BOOL CTavTabCtrl::PreCreateWindow(CREATESTRUCT& cs)
{
    m_bInitializeOnCreate = true;
    return CTabCtrl::PreCreateWindow(cs);
}

void CTavTabCtrl::PreSubclassWindow()
{
    CTabCtrl::PreSubclassWindow();
    // A window this object creates is not ready for its tabs yet; OnCreate initializes it.
    if (!m_bInitializeOnCreate)
        InitializeControl();
}

int CTavTabCtrl::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    const int nResult = CTabCtrl::OnCreate(lpCreateStruct);
    m_bInitializeOnCreate = false;
    if (nResult != -1)
        InitializeControl();
    return nResult;
}

void CTavTabCtrl::UpdatePageRect()
{
    const long nPage = GetCurSel();
    if (nPage < 0 || nPage >= m_aPages.GetSize())
        return;
    CDialog* pPage = m_aPages[nPage].m_pPage;
    if (!pPage || !pPage->GetSafeHwnd())
        return;
    CRect rcDisplay;
    GetWindowRect(&rcDisplay);
    ScreenToClient(&rcDisplay);
    AdjustRect(FALSE, &rcDisplay);
    CRect rcPage;
    pPage->GetWindowRect(&rcPage);
    ScreenToClient(&rcPage);
    if (rcPage != rcDisplay)
        pPage->MoveWindow(&rcDisplay, TRUE);
}

void CTavTabCtrl::UpdateAllDescriptions()
{
    RebuildTooltips(this, m_wndToolTip, m_aPages, [this](long nPage) { return TabRect(nPage); });
}

void CTavTabCtrl::UpdateLabelSide()
{
    ModifyStyle(TCS_BOTTOM, m_eLabelSide == eLabelBottom ? TCS_BOTTOM : 0);
    ShowWindow(SW_HIDE);
    UpdatePageRect();
    UpdateAllDescriptions();
    ShowWindow(SW_SHOW);
}

void CTavTabCtrl::OnSize(UINT nType, int cx, int cy)
{
    CTabCtrl::OnSize(nType, cx, cy);
    UpdatePageRect();
    UpdateAllDescriptions();
}

void CTavTabCtrl::OnDrawItem(int, LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    DrawItem(lpDrawItemStruct);
}

CRect CTavTabCtrl::TabRect(long nPage)
{
    CRect rcTab;
    GetItemRect(nPage, &rcTab);
    return rcTab;
}
