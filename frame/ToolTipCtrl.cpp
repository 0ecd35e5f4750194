#include "ToolTipCtrl.h"

IMPLEMENT_DYNAMIC(CToolTipCtrl, CWnd)

namespace
{
TTTOOLINFOW ToolInfo(CWnd* pWnd, UINT_PTR nIDTool)
{
    TTTOOLINFOW info{};
    info.cbSize = sizeof(info);
    info.hwnd = pWnd->GetSafeHwnd();
    info.uId = nIDTool;
    return info;
}
}

CToolTipCtrl::~CToolTipCtrl() = default;

BOOL CToolTipCtrl::Create(CWnd* pParentWnd, DWORD dwStyle)
{
    return CreateEx(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | dwStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                    CW_USEDEFAULT, CW_USEDEFAULT, pParentWnd->GetSafeHwnd(), nullptr);
}

BOOL CToolTipCtrl::AddTool(CWnd* pWnd, LPCWSTR lpszText, LPCRECT lpRectTool, UINT_PTR nIDTool)
{
    TTTOOLINFOW info = ToolInfo(pWnd, nIDTool);
    info.lpszText = const_cast<LPWSTR>(lpszText);
    if (lpRectTool)
        info.rect = *lpRectTool;
    return static_cast<BOOL>(SendMessage(TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info)));
}

void CToolTipCtrl::DelTool(CWnd* pWnd, UINT_PTR nIDTool)
{
    TTTOOLINFOW info = ToolInfo(pWnd, nIDTool);
    SendMessage(TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&info));
}

void CToolTipCtrl::DelAllTools()
{
    for (int nCount = GetToolCount(); nCount > 0; --nCount)
    {
        TTTOOLINFOW info{};
        info.cbSize = sizeof(info);
        if (!SendMessage(TTM_ENUMTOOLSW, 0, reinterpret_cast<LPARAM>(&info)))
            break;
        SendMessage(TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&info));
    }
}

BOOL CToolTipCtrl::GetToolText(CWnd* pWnd, UINT_PTR nIDTool, CString& strText, LPRECT lpRect) const
{
    // The platform copies the text without a limit; tips are far shorter than this.
    wchar_t szText[4096] = {};
    TTTOOLINFOW info = ToolInfo(pWnd, nIDTool);
    info.lpszText = szText;
    if (!SendMessage(TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&info)))
        return FALSE;
    strText = szText;
    if (lpRect)
        *lpRect = info.rect;
    return TRUE;
}
