// A C++ editor that colours while the user types.
#include "TavSyntaxColorEdit.h"
#include "frame/WinApp.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int)
{
    INITCOMMONCONTROLSEX controls = { sizeof(controls), ICC_WIN95_CLASSES };
    ::InitCommonControlsEx(&controls);
    CWnd frame;
    frame.CreateEx(0, AfxRegisterWndClass(0), L"Editor", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(100, 100, 700, 500),
                   nullptr, 0);
    CTavSyntaxColorEdit edit;
    edit.SetKeywordColor(RGB(0, 0, 160), TRUE);       // settings may come before the window exists
    edit.Create(WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN,
                CRect(0, 0, 580, 360), &frame, 1);
    edit.SetLanguage(CTavSyntaxLanguage::eLanguageCpp);
    edit.SetWindowText(L"/* block\r\n   comment */\r\nint main()\r\n{\r\n    return 0; // done\r\n}\r\n");
    edit.SetFocus();
    while (::IsWindow(frame.m_hWnd) && AfxPumpMessage())
        AfxDeleteTempMaps();
    return 0;
}
