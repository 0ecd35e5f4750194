#include "Wnd.h"
#include "Controls.h"
#include "Exceptions.h"
#include "Gdi.h"
#include "ListBox.h"
#include "Module.h"

#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <unordered_map>

namespace
{
// What the window layer keeps per thread: windows belong to the thread that created them.
struct WndThreadState
{
    std::unordered_map<HWND, CWnd*> permanentMap;
    std::unordered_map<HWND, std::unique_ptr<CWnd>> temporaryMap;
    MSG lastSentMsg{};               // the message being processed, for Default and reflection
    CWnd* pWndInit = nullptr;        // the object whose window CreateEx is creating
    HHOOK hHookCreate = nullptr;
};

thread_local WndThreadState t_wndState;

// Windows of classes named "IME" are created by the platform inside the first top-level window's creation.
bool IsImeWindow(HWND hWnd)
{
    wchar_t szClass[8] = {};
    ::GetClassNameW(hWnd, szClass, 8);
    return ::lstrcmpiW(szClass, L"IME") == 0;
}

// WM_CTLCOLORMSGBOX to WM_CTLCOLORSTATIC, which message maps see as WM_CTLCOLOR.
bool IsCtlColorMessage(UINT message)
{
    return message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC;
}

// The entry for a notification code from a control ID, searching the class chain; plain window messages and
// reflected notifications are mapped with code and ID 0.
const AFX_MSGMAP_ENTRY* FindControlEntry(const CCmdTarget* pTarget, UINT nMessage, UINT nCode, UINT nID)
{
    return pTarget->FindMessageEntry([=](const AFX_MSGMAP_ENTRY& e) {
        return e.nMessage == nMessage && e.nCode == nCode && e.nID <= nID && nID <= e.nLastID;
    });
}

// The child's object handles the message being processed, or else the window's own processing does; the
// result of whichever handled it.
LRESULT ReflectOrDefault(CWnd* pWnd, HWND hWndChild)
{
    LRESULT lResult = 0;
    if (!CWnd::ReflectLastMsg(hWndChild, &lResult))
        lResult = pWnd->Default();
    return lResult;
}

// Changes bits of the style (nIndex GWL_STYLE) or extended style (GWL_EXSTYLE); non-zero nFlags are handed
// to SetWindowPos, typically SWP_FRAMECHANGED so that the frame follows. FALSE when nothing changed.
BOOL ModifyStyleBits(HWND hWnd, int nIndex, DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    DWORD dwStyle = static_cast<DWORD>(::GetWindowLongPtrW(hWnd, nIndex));
    DWORD dwNewStyle = (dwStyle & ~dwRemove) | dwAdd;
    if (dwStyle == dwNewStyle)
        return FALSE;
    ::SetWindowLongPtrW(hWnd, nIndex, static_cast<LONG_PTR>(dwNewStyle));
    if (nFlags)
        ::SetWindowPos(hWnd, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | nFlags);
    return TRUE;
}
}

// Attaches the object that CreateEx is creating to its window at the first creation event, so that the
// object sees WM_NCCREATE and WM_CREATE of its own window.
class CWndCreateHook
{
public:
    static void Hook(CWnd* pWnd)
    {
        if (!t_wndState.hHookCreate)
            t_wndState.hHookCreate = ::SetWindowsHookExW(WH_CBT, &CbtFilter, nullptr, ::GetCurrentThreadId());
        t_wndState.pWndInit = pWnd;
    }

    // TRUE when the hook found its window.
    static BOOL Unhook()
    {
        if (t_wndState.hHookCreate)
        {
            ::UnhookWindowsHookEx(t_wndState.hHookCreate);
            t_wndState.hHookCreate = nullptr;
        }
        BOOL bAttached = t_wndState.pWndInit == nullptr;
        t_wndState.pWndInit = nullptr;
        return bAttached;
    }

private:
    static LRESULT CALLBACK CbtFilter(int nCode, WPARAM wParam, LPARAM lParam)
    {
        if (nCode == HCBT_CREATEWND && t_wndState.pWndInit)
        {
            HWND hWnd = reinterpret_cast<HWND>(wParam);
            if (!IsImeWindow(hWnd))
            {
                CWnd* pWnd = t_wndState.pWndInit;
                t_wndState.pWndInit = nullptr;
                pWnd->Attach(hWnd);
                pWnd->PreSubclassWindow();
                pWnd->m_pfnSuper = reinterpret_cast<WNDPROC>(
                    ::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&AfxWndProc)));
            }
        }
        return ::CallNextHookEx(nullptr, nCode, wParam, lParam);
    }
};

void AFXAPI AfxHookWindowCreate(CWnd* pWnd)
{
    CWndCreateHook::Hook(pWnd);
}

BOOL AFXAPI AfxUnhookWindowCreate()
{
    return CWndCreateHook::Unhook();
}

// Runs one message through the object with the thread's current message set for Default and reflection.
LRESULT AfxCallWndProc(CWnd* pWnd, HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    MSG previous = t_wndState.lastSentMsg;
    t_wndState.lastSentMsg = MSG{hWnd, message, wParam, lParam, 0, {0, 0}};
    LRESULT lResult = 0;
    try
    {
        lResult = pWnd->WindowProc(message, wParam, lParam);
    }
    catch (CException* e)
    {
        // An exception must not unwind through the platform's dispatcher; a failed creation reports -1.
        e->Delete();
        lResult = message == WM_CREATE ? -1 : 0;
    }
    if (message == WM_NCDESTROY && CWnd::FromHandlePermanent(hWnd) == pWnd)
    {
        // The window is gone: give the previous procedure back, forget the handle, then let the object
        // clean up after itself (it may delete itself).
        if (pWnd->m_pfnSuper)
            ::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(pWnd->m_pfnSuper));
        pWnd->m_pfnSuper = nullptr;
        pWnd->Detach();
        pWnd->PostNcDestroy();
    }
    t_wndState.lastSentMsg = previous;
    return lResult;
}

LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
    if (!pWnd)
        return ::DefWindowProcW(hWnd, message, wParam, lParam);
    return AfxCallWndProc(pWnd, hWnd, message, wParam, lParam);
}

IMPLEMENT_DYNCREATE(CWnd, CCmdTarget)

const CWnd CWnd::wndTop(HWND_TOP);
const CWnd CWnd::wndBottom(HWND_BOTTOM);
const CWnd CWnd::wndTopMost(HWND_TOPMOST);
const CWnd CWnd::wndNoTopMost(HWND_NOTOPMOST);

BEGIN_MESSAGE_MAP(CWnd, CCmdTarget)
    ON_WM_DRAWITEM()
    ON_WM_MEASUREITEM()
    ON_WM_DELETEITEM()
    ON_WM_COMPAREITEM()
    ON_WM_VKEYTOITEM()
    ON_WM_CHARTOITEM()
    ON_WM_HSCROLL()
    ON_WM_VSCROLL()
    ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

CWnd::CWnd() : m_hWnd(nullptr), m_pfnSuper(nullptr) {}

CWnd::CWnd(HWND hWndMarker) : m_hWnd(hWndMarker), m_pfnSuper(nullptr) {}

CWnd::~CWnd()
{
    if (m_hWnd && ::IsWindow(m_hWnd) && FromHandlePermanent(m_hWnd) == this)
        DestroyWindow();
}

HWND CWnd::GetSafeHwnd() const
{
    const CWnd* pWnd = AfxNullableThis(this);
    return pWnd ? pWnd->m_hWnd : nullptr;
}

CWnd* PASCAL CWnd::FromHandlePermanent(HWND hWnd)
{
    auto it = t_wndState.permanentMap.find(hWnd);
    return it == t_wndState.permanentMap.end() ? nullptr : it->second;
}

CWnd* PASCAL CWnd::FromHandle(HWND hWnd)
{
    if (!hWnd)
        return nullptr;
    if (CWnd* pWnd = FromHandlePermanent(hWnd))
        return pWnd;
    std::unique_ptr<CWnd>& pTemp = t_wndState.temporaryMap[hWnd];
    if (!pTemp)
    {
        pTemp.reset(new CWnd);
        pTemp->m_hWnd = hWnd;
    }
    return pTemp.get();
}

void PASCAL CWnd::DeleteTempMap()
{
    for (auto& entry : t_wndState.temporaryMap)
        entry.second->m_hWnd = nullptr;
    t_wndState.temporaryMap.clear();
}

BOOL CWnd::Attach(HWND hWndNew)
{
    if (!hWndNew || m_hWnd || FromHandlePermanent(hWndNew))
        return FALSE;
    t_wndState.permanentMap[hWndNew] = this;
    m_hWnd = hWndNew;
    return TRUE;
}

HWND CWnd::Detach()
{
    HWND hWnd = m_hWnd;
    if (hWnd && FromHandlePermanent(hWnd) == this)
        t_wndState.permanentMap.erase(hWnd);
    m_hWnd = nullptr;
    return hWnd;
}

BOOL CWnd::SubclassWindow(HWND hWnd)
{
    if (!::IsWindow(hWnd) || !Attach(hWnd))
        return FALSE;
    PreSubclassWindow();
    WNDPROC pfnOld = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&AfxWndProc)));
    // A window already routed through AfxWndProc keeps its platform procedure as the super procedure.
    m_pfnSuper = pfnOld == &AfxWndProc ? &::DefWindowProcW : pfnOld;
    return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT nID, CWnd* pParent)
{
    HWND hWndControl = ::GetDlgItem(pParent->GetSafeHwnd(), static_cast<int>(nID));
    return hWndControl ? SubclassWindow(hWndControl) : FALSE;
}

HWND CWnd::UnsubclassWindow()
{
    if (m_pfnSuper)
        ::SetWindowLongPtrW(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
    m_pfnSuper = nullptr;
    return Detach();
}

BOOL CWnd::Create(LPCWSTR lpszClassName, LPCWSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                  CWnd* pParentWnd, UINT nID, CCreateContext*)
{
    return CreateEx(0, lpszClassName, lpszWindowName, dwStyle | WS_CHILD, rect, pParentWnd, nID);
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCWSTR lpszClassName, LPCWSTR lpszWindowName, DWORD dwStyle,
                    const RECT& rect, CWnd* pParentWnd, UINT nID, LPVOID lpParam)
{
    return CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, rect.left, rect.top,
                    rect.right - rect.left, rect.bottom - rect.top, pParentWnd->GetSafeHwnd(),
                    reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID)), lpParam);
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCWSTR lpszClassName, LPCWSTR lpszWindowName, DWORD dwStyle, int x, int y,
                    int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu, LPVOID lpParam)
{
    if (m_hWnd)
        return FALSE;
    CREATESTRUCTW cs{};
    cs.dwExStyle = dwExStyle;
    cs.lpszClass = lpszClassName;
    cs.lpszName = lpszWindowName;
    cs.style = static_cast<LONG>(dwStyle);
    cs.x = x;
    cs.y = y;
    cs.cx = nWidth;
    cs.cy = nHeight;
    cs.hwndParent = hWndParent;
    cs.hMenu = nIDorHMenu;
    cs.hInstance = AfxGetInstanceHandle();
    cs.lpCreateParams = lpParam;
    if (!PreCreateWindow(cs))
    {
        PostNcDestroy();
        return FALSE;
    }
    AfxHookWindowCreate(this);
    HWND hWnd = ::CreateWindowExW(cs.dwExStyle, cs.lpszClass, cs.lpszName, static_cast<DWORD>(cs.style), cs.x,
                                  cs.y, cs.cx, cs.cy, cs.hwndParent, cs.hMenu, cs.hInstance, cs.lpCreateParams);
    if (!AfxUnhookWindowCreate())
        PostNcDestroy();  // the window never reached the object, so nothing else will clean up
    return hWnd != nullptr;
}

BOOL CWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    if (!cs.lpszClass)
        cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorW(nullptr, IDC_ARROW),
                                           reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
    return TRUE;
}

BOOL CWnd::DestroyWindow()
{
    HWND hWnd = m_hWnd;
    if (!hWnd)
        return FALSE;
    bool bPermanent = FromHandlePermanent(hWnd) == this;
    BOOL bResult = ::DestroyWindow(hWnd);
    // A window that was attached without its procedure being replaced never told us it went.
    if (bPermanent && FromHandlePermanent(hWnd) == this)
        Detach();
    return bResult;
}

void CWnd::PreSubclassWindow() {}

void CWnd::PostNcDestroy() {}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT lResult = 0;
    if (!OnWndMsg(message, wParam, lParam, &lResult))
        lResult = DefWindowProc(message, wParam, lParam);
    return lResult;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_pfnSuper)
        return ::CallWindowProcW(m_pfnSuper, m_hWnd, message, wParam, lParam);
    return ::DefWindowProcW(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::Default()
{
    const MSG& msg = t_wndState.lastSentMsg;
    return DefWindowProc(msg.message, msg.wParam, msg.lParam);
}

const MSG* PASCAL CWnd::GetCurrentMessage()
{
    return &t_wndState.lastSentMsg;
}

BOOL CWnd::PreTranslateMessage(MSG*)
{
    return FALSE;
}

BOOL PASCAL CWnd::WalkPreTranslateTree(HWND hWndStop, MSG* pMsg)
{
    for (HWND hWnd = pMsg->hwnd; hWnd; hWnd = ::GetParent(hWnd))
    {
        CWnd* pWnd = FromHandlePermanent(hWnd);
        if (pWnd && pWnd->PreTranslateMessage(pMsg))
            return TRUE;
        if (hWnd == hWndStop)
            break;
    }
    return FALSE;
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message == WM_COMMAND)
    {
        if (!OnCommand(wParam, lParam))
            return FALSE;
        *pResult = 1;
        return TRUE;
    }
    if (message == WM_NOTIFY)
    {
        LRESULT lResult = 0;
        if (!OnNotify(wParam, lParam, &lResult))
            return FALSE;
        *pResult = lResult;
        return TRUE;
    }
    if (IsCtlColorMessage(message))
        return DispatchCtlColor(WM_CTLCOLOR, message - WM_CTLCOLORMSGBOX, wParam, lParam, pResult);

    const AFX_MSGMAP_ENTRY* pEntry;
    if (message >= 0xC000 && message <= 0xFFFF)
        pEntry = FindMessageEntry([message](const AFX_MSGMAP_ENTRY& e) {
            return e.nMessage == 0xC000 && *reinterpret_cast<const UINT*>(e.nSig) == message;
        });
    else
        pEntry = FindControlEntry(this, message, 0, 0);
    return pEntry ? DispatchEntry(*pEntry, wParam, lParam, pResult) : FALSE;
}

BOOL CWnd::DispatchEntry(const AFX_MSGMAP_ENTRY& entry, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    const AFX_PMSG pfn = entry.pfn;
    const UINT_PTR nSig = entry.nMessage == 0xC000 ? AfxSig_l_w_l : entry.nSig;
    LRESULT lResult = 0;
    switch (nSig)
    {
    case AfxSig_l_w_l:
        lResult = (this->*reinterpret_cast<LRESULT (CWnd::*)(WPARAM, LPARAM)>(pfn))(wParam, lParam);
        break;
    case AfxSig_i_CS:
        lResult = (this->*reinterpret_cast<int (CWnd::*)(LPCREATESTRUCT)>(pfn))(reinterpret_cast<LPCREATESTRUCT>(lParam));
        break;
    case AfxSig_b_CS:
        lResult = (this->*reinterpret_cast<BOOL (CWnd::*)(LPCREATESTRUCT)>(pfn))(reinterpret_cast<LPCREATESTRUCT>(lParam));
        break;
    case AfxSig_v_v:
        (this->*reinterpret_cast<void (CWnd::*)()>(pfn))();
        break;
    case AfxSig_b_v:
        lResult = (this->*reinterpret_cast<BOOL (CWnd::*)()>(pfn))();
        break;
    case AfxSig_v_b:
        (this->*reinterpret_cast<void (CWnd::*)(BOOL)>(pfn))(static_cast<BOOL>(wParam));
        break;
    case AfxSig_v_u_ii:
        (this->*reinterpret_cast<void (CWnd::*)(UINT, int, int)>(pfn))(
            static_cast<UINT>(wParam), static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
        break;
    case AfxSig_v_ii:
        (this->*reinterpret_cast<void (CWnd::*)(int, int)>(pfn))(static_cast<short>(LOWORD(lParam)),
                                                                  static_cast<short>(HIWORD(lParam)));
        break;
    case AfxSig_b_D:
    {
        CDC* pDC = CDC::FromHandle(reinterpret_cast<HDC>(wParam));
        lResult = (this->*reinterpret_cast<BOOL (CWnd::*)(CDC*)>(pfn))(pDC);
        break;
    }
    case AfxSig_v_W:
        (this->*reinterpret_cast<void (CWnd::*)(CWnd*)>(pfn))(FromHandle(reinterpret_cast<HWND>(wParam)));
        break;
    case AfxSig_v_W_p:
        (this->*reinterpret_cast<void (CWnd::*)(CWnd*, CPoint)>(pfn))(FromHandle(reinterpret_cast<HWND>(wParam)),
                                                                       CPoint(lParam));
        break;
    case AfxSig_v_uuu:
        (this->*reinterpret_cast<void (CWnd::*)(UINT, UINT, UINT)>(pfn))(
            static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam));
        break;
    case AfxSig_u_v:
        lResult = (this->*reinterpret_cast<UINT (CWnd::*)()>(pfn))();
        break;
    case AfxSig_v_u_p:
        (this->*reinterpret_cast<void (CWnd::*)(UINT, CPoint)>(pfn))(static_cast<UINT>(wParam), CPoint(lParam));
        break;
    case AfxSig_b_u_s_p:
        lResult = (this->*reinterpret_cast<BOOL (CWnd::*)(UINT, short, CPoint)>(pfn))(
            LOWORD(wParam), static_cast<short>(HIWORD(wParam)), CPoint(lParam));
        break;
    case AfxSig_l_p:
        lResult = (this->*reinterpret_cast<LRESULT (CWnd::*)(CPoint)>(pfn))(CPoint(lParam));
        break;
    case AfxSig_v_t:
        (this->*reinterpret_cast<void (CWnd::*)(UINT_PTR)>(pfn))(static_cast<UINT_PTR>(wParam));
        break;
    case AfxSig_v_i_DIS:
        (this->*reinterpret_cast<void (CWnd::*)(int, LPDRAWITEMSTRUCT)>(pfn))(
            static_cast<int>(wParam), reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
        lResult = TRUE;
        break;
    case AfxSig_v_i_MIS:
        (this->*reinterpret_cast<void (CWnd::*)(int, LPMEASUREITEMSTRUCT)>(pfn))(
            static_cast<int>(wParam), reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam));
        lResult = TRUE;
        break;
    case AfxSig_b_W_uu:
        lResult = (this->*reinterpret_cast<BOOL (CWnd::*)(CWnd*, UINT, UINT)>(pfn))(
            FromHandle(reinterpret_cast<HWND>(wParam)), LOWORD(lParam), HIWORD(lParam));
        break;
    case AfxSig_v_uu_SB:
        (this->*reinterpret_cast<void (CWnd::*)(UINT, UINT, CScrollBar*)>(pfn))(
            LOWORD(wParam), HIWORD(wParam), static_cast<CScrollBar*>(FromHandle(reinterpret_cast<HWND>(lParam))));
        break;
    case AfxSig_v_b_u:
        (this->*reinterpret_cast<void (CWnd::*)(BOOL, UINT)>(pfn))(static_cast<BOOL>(wParam),
                                                                    static_cast<UINT>(lParam));
        break;
    case AfxSig_v_DIS:
        (this->*reinterpret_cast<void (CWnd::*)(LPDRAWITEMSTRUCT)>(pfn))(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
        lResult = TRUE;
        break;
    case AfxSig_v_MIS:
        (this->*reinterpret_cast<void (CWnd::*)(LPMEASUREITEMSTRUCT)>(pfn))(reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam));
        lResult = TRUE;
        break;
    case AfxSig_v_i_DELIS:
        (this->*reinterpret_cast<void (CWnd::*)(int, LPDELETEITEMSTRUCT)>(pfn))(
            static_cast<int>(wParam), reinterpret_cast<LPDELETEITEMSTRUCT>(lParam));
        lResult = TRUE;
        break;
    case AfxSig_i_i_CIS:
        lResult = (this->*reinterpret_cast<int (CWnd::*)(int, LPCOMPAREITEMSTRUCT)>(pfn))(
            static_cast<int>(wParam), reinterpret_cast<LPCOMPAREITEMSTRUCT>(lParam));
        break;
    case AfxSig_i_u_LB_u:
        lResult = (this->*reinterpret_cast<int (CWnd::*)(UINT, CListBox*, UINT)>(pfn))(
            LOWORD(wParam), static_cast<CListBox*>(FromHandle(reinterpret_cast<HWND>(lParam))), HIWORD(wParam));
        break;
    default:
        return FALSE;
    }
    *pResult = lResult;
    return TRUE;
}

BOOL CWnd::DispatchCtlColor(UINT nMessage, UINT nCtlColor, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    const AFX_MSGMAP_ENTRY* pEntry =
        FindMessageEntry([nMessage](const AFX_MSGMAP_ENTRY& e) { return e.nMessage == nMessage; });
    if (!pEntry)
        return FALSE;
    CDC* pDC = CDC::FromHandle(reinterpret_cast<HDC>(wParam));
    HBRUSH hBrush;
    if (pEntry->nSig == AfxSig_h_D_u)
        hBrush = (this->*reinterpret_cast<HBRUSH (CWnd::*)(CDC*, UINT)>(pEntry->pfn))(pDC, nCtlColor);
    else
        hBrush = (this->*reinterpret_cast<HBRUSH (CWnd::*)(CDC*, CWnd*, UINT)>(pEntry->pfn))(
            pDC, FromHandle(reinterpret_cast<HWND>(lParam)), nCtlColor);
    // A reflected handler that returns no brush leaves the colours to the parent.
    if (pEntry->nSig == AfxSig_h_D_u && !hBrush)
        return FALSE;
    *pResult = reinterpret_cast<LRESULT>(hBrush);
    return TRUE;
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    HWND hWndCtrl = reinterpret_cast<HWND>(lParam);
    UINT nCode = HIWORD(wParam);
    if (hWndCtrl)
    {
        if (ReflectLastMsg(hWndCtrl))
            return TRUE;
    }
    else
        nCode = CN_COMMAND;  // menus and accelerators
    return DispatchCommand(nCode, LOWORD(wParam));
}

BOOL CWnd::DispatchCommand(UINT nCode, UINT nID)
{
    const AFX_MSGMAP_ENTRY* pEntry = FindControlEntry(this, WM_COMMAND, nCode, nID);
    if (!pEntry)
        return FALSE;
    CCmdTarget* pTarget = this;
    if (pEntry->nSig == AfxSig_v_u)
        (pTarget->*reinterpret_cast<void (CCmdTarget::*)(UINT)>(pEntry->pfn))(nID);
    else
        (pTarget->*pEntry->pfn)();
    return TRUE;
}

BOOL CWnd::OnNotify(WPARAM, LPARAM lParam, LRESULT* pResult)
{
    NMHDR* pNMHDR = reinterpret_cast<NMHDR*>(lParam);
    if (ReflectLastMsg(pNMHDR->hwndFrom, pResult))
        return TRUE;
    return DispatchNotify(pNMHDR, pResult);
}

BOOL CWnd::DispatchNotify(NMHDR* pNMHDR, LRESULT* pResult)
{
    const UINT nID = static_cast<UINT>(pNMHDR->idFrom);
    const AFX_MSGMAP_ENTRY* pEntry = FindControlEntry(this, WM_NOTIFY, pNMHDR->code, nID);
    if (!pEntry)
        return FALSE;
    CCmdTarget* pTarget = this;
    if (pEntry->nSig == AfxSig_v_u_NMHDR_l)
        (pTarget->*reinterpret_cast<void (CCmdTarget::*)(UINT, NMHDR*, LRESULT*)>(pEntry->pfn))(nID, pNMHDR, pResult);
    else
        (pTarget->*reinterpret_cast<void (CCmdTarget::*)(NMHDR*, LRESULT*)>(pEntry->pfn))(pNMHDR, pResult);
    return TRUE;
}

BOOL CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    return ReflectChildNotify(message, wParam, lParam, pResult);
}

BOOL CWnd::ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    // The parent's result changes only when the child handled the message.
    LRESULT lResult = 0;
    BOOL bHandled;
    switch (message)
    {
    case WM_COMMAND:
        return DispatchReflectedCommand(HIWORD(wParam));
    case WM_NOTIFY:
        bHandled = DispatchReflectedNotify(reinterpret_cast<NMHDR*>(lParam), &lResult);
        break;
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_PARENTNOTIFY:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_DELETEITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_COMPAREITEM:
        bHandled = CWnd::OnWndMsg(WM_REFLECT_BASE + message, wParam, lParam, &lResult);
        break;
    default:
        if (!IsCtlColorMessage(message))
            return FALSE;
        bHandled = DispatchCtlColor(WM_REFLECT_BASE + WM_CTLCOLOR, message - WM_CTLCOLORMSGBOX, wParam, lParam,
                                    &lResult);
        break;
    }
    if (bHandled && pResult)
        *pResult = lResult;
    return bHandled;
}

BOOL CWnd::DispatchReflectedCommand(UINT nCode)
{
    const AFX_MSGMAP_ENTRY* pEntry = FindControlEntry(this, WM_REFLECT_BASE + WM_COMMAND, nCode, 0);
    if (!pEntry)
        return FALSE;
    CCmdTarget* pTarget = this;
    if (pEntry->nSig == AfxSig_b_v)
        return (pTarget->*reinterpret_cast<BOOL (CCmdTarget::*)()>(pEntry->pfn))();
    (pTarget->*pEntry->pfn)();
    return TRUE;
}

BOOL CWnd::DispatchReflectedNotify(NMHDR* pNMHDR, LRESULT* pResult)
{
    const AFX_MSGMAP_ENTRY* pEntry = FindControlEntry(this, WM_REFLECT_BASE + WM_NOTIFY, pNMHDR->code, 0);
    if (!pEntry)
        return FALSE;
    CCmdTarget* pTarget = this;
    if (pEntry->nSig == AfxSig_b_NMHDR_l)
        return (pTarget->*reinterpret_cast<BOOL (CCmdTarget::*)(NMHDR*, LRESULT*)>(pEntry->pfn))(pNMHDR, pResult);
    (pTarget->*reinterpret_cast<void (CCmdTarget::*)(NMHDR*, LRESULT*)>(pEntry->pfn))(pNMHDR, pResult);
    return TRUE;
}

BOOL CWnd::SendChildNotifyLastMsg(LRESULT* pResult)
{
    const MSG& msg = t_wndState.lastSentMsg;
    return OnChildNotify(msg.message, msg.wParam, msg.lParam, pResult);
}

BOOL PASCAL CWnd::ReflectLastMsg(HWND hWndChild, LRESULT* pResult)
{
    CWnd* pWnd = FromHandlePermanent(hWndChild);
    return pWnd ? pWnd->SendChildNotifyLastMsg(pResult) : FALSE;
}

BOOL CWnd::IsDialogMessage(LPMSG lpMsg)
{
    return ::IsDialogMessageW(m_hWnd, lpMsg);
}

CWnd* CWnd::GetNextDlgTabItem(CWnd* pWndCtl, BOOL bPrevious) const
{
    return FromHandle(::GetNextDlgTabItem(m_hWnd, pWndCtl->GetSafeHwnd(), bPrevious));
}

CWnd* CWnd::GetNextDlgGroupItem(CWnd* pWndCtl, BOOL bPrevious) const
{
    return FromHandle(::GetNextDlgGroupItem(m_hWnd, pWndCtl->GetSafeHwnd(), bPrevious));
}

int CWnd::SetDlgCtrlID(int nID)
{
    return static_cast<int>(::SetWindowLongPtrW(m_hWnd, GWLP_ID, nID));
}

CWnd* CWnd::SetParent(CWnd* pWndNewParent)
{
    return FromHandle(::SetParent(m_hWnd, pWndNewParent->GetSafeHwnd()));
}

CWnd* CWnd::GetTopLevelParent() const
{
    HWND hWnd = m_hWnd;
    while (hWnd && (::GetWindowLongPtrW(hWnd, GWL_STYLE) & WS_CHILD))
        hWnd = ::GetParent(hWnd);
    return FromHandle(hWnd);
}

BOOL CWnd::ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    return ModifyStyleBits(m_hWnd, GWL_STYLE, dwRemove, dwAdd, nFlags);
}

BOOL CWnd::ModifyStyleEx(DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    return ModifyStyleBits(m_hWnd, GWL_EXSTYLE, dwRemove, dwAdd, nFlags);
}

void CWnd::GetWindowText(CString& rString) const
{
    int nLength = ::GetWindowTextLengthW(m_hWnd);
    std::wstring text(static_cast<size_t>(nLength) + 1, L'\0');
    int nCopied = ::GetWindowTextW(m_hWnd, &text[0], nLength + 1);
    rString = CString(text.c_str(), nCopied);
}

int CWnd::GetDlgItemText(int nID, CString& rString) const
{
    HWND hWndItem = ::GetDlgItem(m_hWnd, nID);
    rString = L"";
    if (hWndItem)
        FromHandle(hWndItem)->GetWindowText(rString);
    return rString.GetLength();
}

void CWnd::SetFont(CFont* pFont, BOOL bRedraw)
{
    ::SendMessageW(m_hWnd, WM_SETFONT, reinterpret_cast<WPARAM>(pFont->GetSafeHandle()), bRedraw);
}

CFont* CWnd::GetFont() const
{
    HFONT hFont = reinterpret_cast<HFONT>(::SendMessageW(m_hWnd, WM_GETFONT, 0, 0));
    return hFont ? CFont::FromHandle(hFont) : nullptr;
}

void CWnd::ClientToScreen(LPRECT lpRect) const
{
    ::MapWindowPoints(m_hWnd, nullptr, reinterpret_cast<LPPOINT>(lpRect), 2);
}

void CWnd::ScreenToClient(LPRECT lpRect) const
{
    ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<LPPOINT>(lpRect), 2);
}

void CWnd::MapWindowPoints(CWnd* pwndTo, LPRECT lpRect) const
{
    ::MapWindowPoints(m_hWnd, pwndTo->GetSafeHwnd(), reinterpret_cast<LPPOINT>(lpRect), 2);
}

void CWnd::MapWindowPoints(CWnd* pwndTo, LPPOINT lpPoint, UINT nCount) const
{
    ::MapWindowPoints(m_hWnd, pwndTo->GetSafeHwnd(), lpPoint, nCount);
}

void CWnd::MoveWindow(LPCRECT lpRect, BOOL bRepaint)
{
    MoveWindow(lpRect->left, lpRect->top, lpRect->right - lpRect->left, lpRect->bottom - lpRect->top, bRepaint);
}

BOOL CWnd::SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags)
{
    return ::SetWindowPos(m_hWnd, pWndInsertAfter ? pWndInsertAfter->m_hWnd : nullptr, x, y, cx, cy, nFlags);
}

void CWnd::CenterWindow(CWnd* pAlternateOwner)
{
    HWND hWndCenter = pAlternateOwner ? pAlternateOwner->m_hWnd : ::GetWindow(m_hWnd, GW_OWNER);
    if (GetStyle() & WS_CHILD)
        hWndCenter = ::GetParent(m_hWnd);
    CRect rcArea;
    if (hWndCenter)
    {
        ::GetWindowRect(hWndCenter, &rcArea);
        if (GetStyle() & WS_CHILD)
            ::MapWindowPoints(nullptr, hWndCenter, reinterpret_cast<LPPOINT>(&rcArea), 2);
    }
    else
        ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &rcArea, 0);
    CRect rcWindow;
    GetWindowRect(&rcWindow);
    if (GetStyle() & WS_CHILD)
        rcArea = CRect(0, 0, rcArea.Width(), rcArea.Height());
    int x = rcArea.left + (rcArea.Width() - rcWindow.Width()) / 2;
    int y = rcArea.top + (rcArea.Height() - rcWindow.Height()) / 2;
    ::SetWindowPos(m_hWnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CWnd::InvalidateRgn(CRgn* pRgn, BOOL bErase)
{
    ::InvalidateRgn(m_hWnd, static_cast<HRGN>(pRgn->GetSafeHandle()), bErase);
}

BOOL CWnd::RedrawWindow(LPCRECT lpRectUpdate, CRgn* prgnUpdate, UINT flags)
{
    return ::RedrawWindow(m_hWnd, lpRectUpdate, prgnUpdate ? static_cast<HRGN>(prgnUpdate->GetSafeHandle()) : nullptr,
                          flags);
}

CDC* CWnd::GetDC()
{
    return CDC::FromHandle(::GetDC(m_hWnd));
}

CDC* CWnd::GetWindowDC()
{
    return CDC::FromHandle(::GetWindowDC(m_hWnd));
}

int CWnd::ReleaseDC(CDC* pDC)
{
    return ::ReleaseDC(m_hWnd, pDC->GetSafeHdc());
}

CDC* CWnd::BeginPaint(LPPAINTSTRUCT lpPaint)
{
    return CDC::FromHandle(::BeginPaint(m_hWnd, lpPaint));
}

int CWnd::ScrollWindowEx(int dx, int dy, LPCRECT lpRectScroll, LPCRECT lpRectClip, CRgn* prgnUpdate,
                         LPRECT lpRectUpdate, UINT flags)
{
    return ::ScrollWindowEx(m_hWnd, dx, dy, lpRectScroll, lpRectClip,
                            prgnUpdate ? static_cast<HRGN>(prgnUpdate->GetSafeHandle()) : nullptr, lpRectUpdate, flags);
}

void CWnd::SendMessageToDescendants(UINT message, WPARAM wParam, LPARAM lParam, BOOL bDeep)
{
    for (HWND hWndChild = ::GetTopWindow(m_hWnd); hWndChild; hWndChild = ::GetWindow(hWndChild, GW_HWNDNEXT))
    {
        ::SendMessageW(hWndChild, message, wParam, lParam);
        if (bDeep)
            FromHandle(hWndChild)->SendMessageToDescendants(message, wParam, lParam, bDeep);
    }
}

BOOL CWnd::GetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, UINT nMask)
{
    lpScrollInfo->cbSize = sizeof(SCROLLINFO);
    lpScrollInfo->fMask = nMask;
    return ::GetScrollInfo(m_hWnd, nBar, lpScrollInfo);
}

// Standard handlers: the window's own processing of the message being handled.
int CWnd::OnCreate(LPCREATESTRUCT) { return static_cast<int>(Default()); }
BOOL CWnd::OnNcCreate(LPCREATESTRUCT) { return static_cast<BOOL>(Default()); }
void CWnd::OnDestroy() { Default(); }
void CWnd::OnNcDestroy() { Default(); }
void CWnd::OnClose() { Default(); }
void CWnd::OnSize(UINT, int, int) { Default(); }
void CWnd::OnMove(int, int) { Default(); }
void CWnd::OnPaint() { Default(); }
BOOL CWnd::OnEraseBkgnd(CDC*) { return static_cast<BOOL>(Default()); }
void CWnd::OnSetFocus(CWnd*) { Default(); }
void CWnd::OnKillFocus(CWnd*) { Default(); }
void CWnd::OnEnable(BOOL) { Default(); }
void CWnd::OnShowWindow(BOOL, UINT) { Default(); }
void CWnd::OnChar(UINT, UINT, UINT) { Default(); }
void CWnd::OnSysChar(UINT, UINT, UINT) { Default(); }
void CWnd::OnKeyDown(UINT, UINT, UINT) { Default(); }
void CWnd::OnKeyUp(UINT, UINT, UINT) { Default(); }
void CWnd::OnSysKeyDown(UINT, UINT, UINT) { Default(); }
void CWnd::OnSysKeyUp(UINT, UINT, UINT) { Default(); }
UINT CWnd::OnGetDlgCode() { return static_cast<UINT>(Default()); }
void CWnd::OnMouseMove(UINT, CPoint) { Default(); }
void CWnd::OnLButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnLButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnLButtonDblClk(UINT, CPoint) { Default(); }
void CWnd::OnRButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnRButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnRButtonDblClk(UINT, CPoint) { Default(); }
void CWnd::OnMButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnMButtonUp(UINT, CPoint) { Default(); }
BOOL CWnd::OnMouseWheel(UINT, short, CPoint) { return static_cast<BOOL>(Default()); }
void CWnd::OnMouseLeave() { Default(); }
LRESULT CWnd::OnNcHitTest(CPoint) { return Default(); }
void CWnd::OnContextMenu(CWnd*, CPoint) { Default(); }
void CWnd::OnTimer(UINT_PTR) { Default(); }
BOOL CWnd::OnSetCursor(CWnd*, UINT, UINT) { return static_cast<BOOL>(Default()); }
void CWnd::OnCaptureChanged(CWnd*) { Default(); }
void CWnd::OnCancelMode() { Default(); }

// Menus are no child windows: their items are drawn and measured by the parent alone.
void CWnd::OnDrawItem(int, LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    ReflectOrDefault(this, lpDrawItemStruct->CtlType == ODT_MENU ? nullptr : lpDrawItemStruct->hwndItem);
}

void CWnd::OnMeasureItem(int, LPMEASUREITEMSTRUCT lpMeasureItemStruct)
{
    ReflectOrDefault(this, lpMeasureItemStruct->CtlType == ODT_MENU
                               ? nullptr
                               : ::GetDlgItem(m_hWnd, static_cast<int>(lpMeasureItemStruct->CtlID)));
}

void CWnd::OnDeleteItem(int, LPDELETEITEMSTRUCT lpDeleteItemStruct)
{
    ReflectOrDefault(this, lpDeleteItemStruct->hwndItem);
}

int CWnd::OnCompareItem(int, LPCOMPAREITEMSTRUCT lpCompareItemStruct)
{
    return static_cast<int>(ReflectOrDefault(this, lpCompareItemStruct->hwndItem));
}

int CWnd::OnVKeyToItem(UINT, CListBox* pListBox, UINT)
{
    return static_cast<int>(ReflectOrDefault(this, pListBox->GetSafeHwnd()));
}

int CWnd::OnCharToItem(UINT, CListBox* pListBox, UINT)
{
    return static_cast<int>(ReflectOrDefault(this, pListBox->GetSafeHwnd()));
}

void CWnd::OnHScroll(UINT, UINT, CScrollBar* pScrollBar)
{
    ReflectOrDefault(this, pScrollBar->GetSafeHwnd());
}

void CWnd::OnVScroll(UINT, UINT, CScrollBar* pScrollBar)
{
    ReflectOrDefault(this, pScrollBar->GetSafeHwnd());
}

HBRUSH CWnd::OnCtlColor(CDC*, CWnd* pWnd, UINT)
{
    LRESULT lResult = 0;
    if (pWnd && ReflectLastMsg(pWnd->m_hWnd, &lResult))
        return reinterpret_cast<HBRUSH>(lResult);
    return reinterpret_cast<HBRUSH>(Default());
}

// Window classes registered by AfxRegisterWndClass, keyed by their attributes; names live for the process.
LPCWSTR AFXAPI AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor, HBRUSH hbrBackground, HICON hIcon)
{
    static std::mutex s_mutex;
    static std::set<std::wstring> s_names;
    wchar_t szName[96];
    HINSTANCE hInst = AfxGetInstanceHandle();
    ::wsprintfW(szName, L"Afx:%p:%x:%p:%p:%p", hInst, nClassStyle, hCursor, hbrBackground, hIcon);

    std::lock_guard<std::mutex> lock(s_mutex);
    auto it = s_names.find(szName);
    if (it != s_names.end())
        return it->c_str();
    WNDCLASSW wc{};
    if (!::GetClassInfoW(hInst, szName, &wc))
    {
        wc.style = nClassStyle;
        wc.lpfnWndProc = &::DefWindowProcW;
        wc.hInstance = hInst;
        wc.hIcon = hIcon;
        wc.hCursor = hCursor;
        wc.hbrBackground = hbrBackground;
        wc.lpszClassName = szName;
        if (!::RegisterClassW(&wc))
            AfxThrowMemoryException();
    }
    return s_names.insert(szName).first->c_str();
}
