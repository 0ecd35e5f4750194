#include "tab_pages/TavTabKeys.h"
#include "tab_pages/TavTabDialogBase.h"
#include "Exceptions.h"

#include <algorithm>
#include <vector>

namespace
{
bool IsKeyDown(int nVirtKey)
{
    return (::GetKeyState(nVirtKey) & 0x8000) != 0;
}

struct KeyRouterState
{
    std::vector<CWnd*> controls;
    HHOOK hHook = nullptr;
    bool bPassing = false;   // a control hands a key to a page's dialog manager: the hook lets it through
};

thread_local KeyRouterState t_router;

// The innermost registered tab control that holds hWnd inside it (the control itself does not count: its
// own keys reach it through the message loop).
CWnd* ControlAround(HWND hWnd)
{
    for (HWND hParent = ::GetParent(hWnd); hParent; hParent = ::GetParent(hParent))
    {
        CWnd* pWnd = CWnd::FromHandlePermanent(hParent);
        if (pWnd && std::find(t_router.controls.begin(), t_router.controls.end(), pWnd) != t_router.controls.end())
            return pWnd;
    }
    return nullptr;
}

LRESULT CALLBACK MessageFilter(int nCode, WPARAM wParam, LPARAM lParam)
{
    MSG* pMsg = reinterpret_cast<MSG*>(lParam);
    if (nCode == MSGF_DIALOGBOX && !t_router.bPassing && pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_TAB)
    {
        if (CWnd* pCtrl = ControlAround(pMsg->hwnd))
        {
            // The platform's dialog manager called this hook: nothing may unwind through it, so a failed
            // page switch ends here, the key consumed (the control has rolled the switch back already).
            BOOL bTaken = TRUE;
            try
            {
                bTaken = pCtrl->PreTranslateMessage(pMsg);
            }
            catch (CException* pException)
            {
                pException->Delete();
            }
            if (bTaken)
                return TRUE;
        }
    }
    return ::CallNextHookEx(nullptr, nCode, wParam, lParam);
}
}

void CTavTabKeyRouter::Register(CWnd* pCtrl)
{
    if (t_router.controls.empty())
        t_router.hHook = ::SetWindowsHookExW(WH_MSGFILTER, &MessageFilter, nullptr, ::GetCurrentThreadId());
    t_router.controls.push_back(pCtrl);
}

void CTavTabKeyRouter::Unregister(CWnd* pCtrl)
{
    auto it = std::find(t_router.controls.begin(), t_router.controls.end(), pCtrl);
    if (it == t_router.controls.end())
        return;
    t_router.controls.erase(it);
    if (t_router.controls.empty() && t_router.hHook)
    {
        ::UnhookWindowsHookEx(t_router.hHook);
        t_router.hHook = nullptr;
    }
}

namespace TavTabKeys
{
BOOL TranslateTabKeys(MSG* pMsg, CToolTipCtrl& toolTip, CTavTabItemList& pages, long nActive, long nPageCount,
                      const std::function<void(long)>& activate, const std::function<BOOL(MSG*)>& onNext,
                      const std::function<BOOL(MSG*)>& onPrev)
{
    if (toolTip.GetSafeHwnd())
        toolTip.RelayEvent(pMsg);
    bool bForward = true;
    if (IsSwitchKey(pMsg, bForward) && nPageCount > 0)
    {
        activate(SwitchTarget(pages, nActive, nPageCount, bForward));
        return TRUE;
    }
    if (IsTabKey(pMsg, true))
        return onPrev(pMsg);
    return IsTabKey(pMsg, false) && onNext(pMsg);
}

long SwitchTarget(CTavTabItemList& pages, long nActive, long nPageCount, bool bForward)
{
    long nTarget = bForward ? pages.GetNextEnabledTab(nActive, 0) : pages.GetPrevEnabledTab(nActive, 0);
    if (nTarget == -1)
        nTarget = bForward ? 0 : nPageCount - 1;
    return nTarget;
}

bool IsSwitchKey(const MSG* pMsg, bool& bForward)
{
    if (pMsg->message != WM_KEYDOWN)
        return false;
    switch (pMsg->wParam)
    {
    case VK_LEFT:
        bForward = false;
        return true;
    case VK_RIGHT:
        bForward = true;
        return true;
    case VK_TAB:
        bForward = !IsKeyDown(VK_SHIFT);
        return IsKeyDown(VK_CONTROL);
    default:
        return false;
    }
}

bool IsTabKey(const MSG* pMsg, bool bBackward)
{
    return pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_TAB && !IsKeyDown(VK_CONTROL) &&
           IsKeyDown(VK_SHIFT) == bBackward;
}

bool IsOrContains(CWnd* pWnd, HWND hWnd)
{
    return pWnd && hWnd && (pWnd->m_hWnd == hWnd || ::IsChild(pWnd->m_hWnd, hWnd));
}

CWnd* FirstControlOfPage(CDialog* pPage)
{
    if (CTavTabDialogBase* pNamed = dynamic_cast<CTavTabDialogBase*>(pPage))
        return pNamed->GetFirstControl();
    return pPage->GetNextDlgTabItem(nullptr, FALSE);
}

CWnd* LastControlOfPage(CDialog* pPage)
{
    if (CTavTabDialogBase* pNamed = dynamic_cast<CTavTabDialogBase*>(pPage))
        return pNamed->GetLastControl();
    CWnd* pFirst = pPage->GetNextDlgTabItem(nullptr, FALSE);
    return pPage->GetNextDlgTabItem(pFirst, TRUE);
}

CWnd* NeighbourOf(CWnd* pCtrl, bool bBackward)
{
    CWnd* pParent = pCtrl->GetParent();
    return pParent ? pParent->GetNextDlgTabItem(pCtrl, bBackward) : nullptr;
}

namespace
{
bool HasPageWindow(CDialog* pPage)
{
    return pPage && pPage->GetSafeHwnd();
}

void PassToDialogManager(CDialog* pPage, MSG* pMsg)
{
    t_router.bPassing = true;
    pPage->IsDialogMessage(pMsg);
    t_router.bPassing = false;
}

void FocusOn(CWnd* pWnd)
{
    if (pWnd)
        pWnd->SetFocus();
}
}

BOOL FocusForward(CWnd* pCtrl, CDialog* pPage, MSG* pMsg)
{
    if (!HasPageWindow(pPage))
        return TRUE;
    const HWND hFocus = ::GetFocus();
    if (hFocus == pCtrl->m_hWnd)
    {
        if (CWnd* pFirst = FirstControlOfPage(pPage))
            pPage->GotoDlgCtrl(pFirst);
    }
    else if (!IsOrContains(LastControlOfPage(pPage), hFocus))
        PassToDialogManager(pPage, pMsg);
    else
        FocusOn(NeighbourOf(pCtrl, false));
    return TRUE;
}

BOOL FocusBackward(CWnd* pCtrl, CDialog* pPage, MSG* pMsg)
{
    if (!HasPageWindow(pPage))
        return TRUE;
    const HWND hFocus = ::GetFocus();
    if (hFocus != pCtrl->m_hWnd)
    {
        if (!IsOrContains(FirstControlOfPage(pPage), hFocus))
            PassToDialogManager(pPage, pMsg);
        else
            pCtrl->SetFocus();
    }
    else
        FocusOn(NeighbourOf(pCtrl, true));
    return TRUE;
}
}
