// Two dialog pages in an owner-drawn tab control; the pages come from templates in TabsHello.rc.
#include "TavTabPages.h"
#include "frame/Dialog.h"
#include "frame/WinApp.h"

const UINT IDD_PAGE = 100;   // an empty child dialog template (DS_CONTROL | WS_CHILD) in the program's resources

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int)
{
    INITCOMMONCONTROLSEX controls = { sizeof(controls), ICC_WIN95_CLASSES | ICC_TAB_CLASSES };
    ::InitCommonControlsEx(&controls);
    CWnd frame;
    frame.CreateEx(0, AfxRegisterWndClass(0), L"Tabs", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(100, 100, 600, 450),
                   nullptr, 0);
    CDialog general(IDD_PAGE), advanced(IDD_PAGE);   // owned by the host: the flag below says so
    CTavTabCtrl tabs;
    tabs.AddPage(&general, FALSE, 0, L"Settings everyone needs", L"General", RGB(255, 0, 255));
    tabs.AddPage(&advanced, FALSE, 0, L"Settings for experts", L"Advanced", RGB(255, 0, 255));
    tabs.DisablePage(1);                             // shown embossed; a click on it is refused
    tabs.Create(WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, CRect(10, 10, 470, 320), &frame, 1);   // shows page 0
    while (::IsWindow(frame.m_hWnd) && AfxPumpMessage())   // PreTranslateMessage moves between strip and page
        AfxDeleteTempMaps();
    return 0;
}
