#include "WinApp.h"
#include "Gdi.h"

namespace
{
bool IsDialogWindow(HWND hWnd)
{
    wchar_t szClass[8] = {};
    ::GetClassNameW(hWnd, szClass, 8);
    return ::lstrcmpW(szClass, L"#32770") == 0;
}
}

BOOL AFXAPI AfxPreTranslateMessage(MSG* pMsg)
{
    if (CWnd::WalkPreTranslateTree(nullptr, pMsg))
        return TRUE;
    HWND hWndTop = pMsg->hwnd ? ::GetAncestor(pMsg->hwnd, GA_ROOT) : nullptr;
    if (hWndTop && !CWnd::FromHandlePermanent(hWndTop) && IsDialogWindow(hWndTop))
        return ::IsDialogMessageW(hWndTop, pMsg);
    return FALSE;
}

void AFXAPI AfxRouteMessage(MSG* pMsg)
{
    if (AfxPreTranslateMessage(pMsg))
        return;
    ::TranslateMessage(pMsg);
    ::DispatchMessageW(pMsg);
}

BOOL AFXAPI AfxPumpMessage()
{
    MSG msg;
    if (::GetMessageW(&msg, nullptr, 0, 0) <= 0)
        return FALSE;
    AfxRouteMessage(&msg);
    return TRUE;
}

int AFXAPI AfxPumpWaitingMessages()
{
    int nRouted = 0;
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
    {
        if (msg.message == WM_QUIT)
        {
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        AfxRouteMessage(&msg);
        ++nRouted;
    }
    AfxDeleteTempMaps();
    return nRouted;
}

void AFXAPI AfxDeleteTempMaps()
{
    CWnd::DeleteTempMap();
    CDC::DeleteTempMap();
    CGdiObject::DeleteTempMap();
}
