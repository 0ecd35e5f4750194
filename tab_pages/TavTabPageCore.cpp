#include "tab_pages/TavTabPageCore.h"
#include "DialogTemplate.h"
#include "Exceptions.h"
#include "Gdi.h"

#include <prsht.h>

namespace
{
// OnOK and OnCancel are the page's protected handlers; naming them through a derived class lets the
// control call the page's own overrides.
class CPageHandlers : public CDialog
{
public:
    using CDialog::OnCancel;
    using CDialog::OnOK;
};
}

namespace TavTabPage
{
void CheckIndex(CTavTabItemList& pages, long nPage)
{
    if (nPage < 0 || nPage >= pages.GetSize())
        AfxThrowInvalidArgException();
}

CTavTabItem& Record(CTavTabItemList& pages, long nPage)
{
    CheckIndex(pages, nPage);
    return pages[nPage];
}

void RemoveRecord(CTavTabItemList& pages, long nPage, bool bDestroyWindow)
{
    CTavTabItem& item = Record(pages, nPage);
    if (item.m_pPage && item.m_pPage->GetSafeHwnd() && (bDestroyWindow || item.m_bDeletePage))
        item.m_pPage->DestroyWindow();
    item.DestroyBitmap();
    item.DestroyPage();
    pages.RemoveAt(nPage, 1);
}

CImageList* NewImageList()
{
    CImageList* pImages = new CImageList;
    pImages->Create(16, 16, ILC_COLOR24 | ILC_MASK, 2, 1);
    return pImages;
}

CBitmap* LoadPicture(long nBitmapID)
{
    CBitmap* pPicture = new CBitmap;
    pPicture->LoadBitmap(LOWORD(nBitmapID));
    return pPicture;
}

CTavTabItem MakeRecord(CDialog* pPage, int bDeletePage, long nBitmapID, const CString& strDescription,
                       const CString& strCaption, COLORREF crMask)
{
    CTavTabItem item;
    if (nBitmapID != 0)
    {
        item.m_pPicture = LoadPicture(nBitmapID);
        item.m_bDeletePicture = TRUE;
    }
    item.m_strCaption = strCaption;
    if (strCaption.IsEmpty() && pPage)
    {
        CTavDialogTemplate dialogTemplate;
        dialogTemplate.Load(pPage->m_lpszTemplateName);
        item.m_strCaption = dialogTemplate.GetDialogCaption();
    }
    item.m_pPage = pPage;
    item.m_bDeletePage = bDeletePage;
    item.m_strDescription = strDescription;
    item.m_crMask = crMask;
    return item;
}

long AddPicture(CImageList& images, CBitmap* pPicture, COLORREF crMask)
{
    return pPicture ? images.Add(pPicture, crMask) : -1;
}

void ReplacePicture(CTavTabItem& item, CImageList& images, CBitmap* pPicture, int bDeletePicture, COLORREF crMask)
{
    if (pPicture != item.m_pPicture)
        item.DestroyBitmap();
    item.m_pPicture = pPicture;
    item.m_bDeletePicture = bDeletePicture;
    item.m_crMask = crMask;
    item.m_nImageIndex = AddPicture(images, pPicture, crMask);
}

void NotifyFocusOfChange(CWnd* pCtrl)
{
    HWND hFocus = ::GetFocus();
    if (hFocus && hFocus != pCtrl->GetSafeHwnd())
        ::SendMessageW(hFocus, WM_TABPAGE_CHANGING, reinterpret_cast<WPARAM>(pCtrl->GetSafeHwnd()), 0);
}

void SendNotify(CWnd* pCtrl, CDialog* pPage, DWORD nCode)
{
    NMHDR header{pCtrl->GetSafeHwnd(), static_cast<UINT_PTR>(pCtrl->GetDlgCtrlID()), nCode};
    pPage->SendMessage(WM_NOTIFY, header.idFrom, reinterpret_cast<LPARAM>(&header));
}

BOOL CreatePageWindow(CWnd* pCtrl, CDialog* pPage)
{
    if (!pPage->Create(pPage->m_lpszTemplateName, pCtrl))
        return FALSE;
    pPage->ModifyStyle(WS_CAPTION | WS_POPUP, WS_CHILD | WS_VISIBLE, SWP_NOZORDER);
    // A template made for a popup gave an owned window; the page lives inside the control.
    if (::GetParent(pPage->m_hWnd) != pCtrl->m_hWnd || ::GetWindow(pPage->m_hWnd, GW_OWNER))
        ::SetParent(pPage->m_hWnd, pCtrl->m_hWnd);
    return TRUE;
}

void ActivatePageWindow(CWnd* pCtrl, CDialog* pPage, bool bShow)
{
    if (!bShow)
    {
        pPage->ShowWindow(SW_HIDE);
        return;
    }
    SendNotify(pCtrl, pPage, static_cast<DWORD>(PSN_SETACTIVE));
    pPage->SendMessage(WM_TABPAGE_ACTIVATE);
    pPage->ShowWindow(SW_SHOW);
}

void DeactivatePageWindow(CWnd* pCtrl, CDialog* pPage)
{
    HWND hFocus = ::GetFocus();
    if (hFocus && ::IsChild(pPage->m_hWnd, hFocus))
        ::SendMessageW(hFocus, WM_TABPAGE_CHANGING, reinterpret_cast<WPARAM>(pCtrl->GetSafeHwnd()), 0);
    SendNotify(pCtrl, pPage, static_cast<DWORD>(PSN_KILLACTIVE));
    pPage->SendMessage(WM_TABPAGE_DEACTIVATE);
    pPage->ShowWindow(SW_HIDE);
}

void RebuildTooltips(CWnd* pCtrl, CToolTipCtrl& toolTip, CTavTabItemList& pages,
                     const std::function<CRect(long)>& tabRect)
{
    if (!pCtrl->GetSafeHwnd())
        return;
    // Emptying the window gives what a new one would, without the cost of a new popup on every switch.
    if (toolTip.GetSafeHwnd() && ::GetWindow(toolTip.m_hWnd, GW_OWNER) == ::GetAncestor(pCtrl->m_hWnd, GA_ROOT))
        toolTip.DelAllTools();
    else
    {
        if (toolTip.GetSafeHwnd())
            toolTip.DestroyWindow();
        toolTip.Create(pCtrl, TTS_ALWAYSTIP);
    }
    toolTip.SetMaxTipWidth(32767);
    for (long nPage = 0; nPage < pages.GetSize(); ++nPage)
    {
        const CString& strText = pages[nPage].m_strDescription;
        if (!strText.IsEmpty())
        {
            CRect rcTab = tabRect(nPage);
            toolTip.AddTool(pCtrl, strText, rcTab, static_cast<UINT_PTR>(nPage) + 1);
        }
    }
}

void ReplaceTool(CWnd* pCtrl, CToolTipCtrl& toolTip, long nPage, const CString& strText, const CRect& rcTab)
{
    if (!toolTip.GetSafeHwnd())
        return;
    toolTip.DelTool(pCtrl, static_cast<UINT_PTR>(nPage) + 1);
    toolTip.AddTool(pCtrl, strText, rcTab, static_cast<UINT_PTR>(nPage) + 1);
}

void PassToPages(CTavTabItemList& pages, bool bOK)
{
    for (INT_PTR i = 0; i < pages.GetSize(); ++i)
    {
        CDialog* pPage = pages[i].m_pPage;
        if (pPage && pPage->GetSafeHwnd())
            (pPage->*(bOK ? &CPageHandlers::OnOK : &CPageHandlers::OnCancel))();
    }
}

void SwitchOrRollBack(const std::function<void()>& doSwitch, const std::function<void()>& rollBack)
{
    try
    {
        doSwitch();
    }
    catch (CException*)
    {
        try
        {
            rollBack();
        }
        catch (CException* pRollBackException)
        {
            pRollBackException->Delete();
        }
        throw;
    }
}
}
