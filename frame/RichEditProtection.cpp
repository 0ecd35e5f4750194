#include "RichEditProtection.h"
#include "RichEditCtrl.h"

namespace
{
CHARRANGE GetSelection(HWND hWnd)
{
    CHARRANGE chrg = {};
    ::SendMessageW(hWnd, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&chrg));
    return chrg;
}

void SetSelection(HWND hWnd, CHARRANGE chrg)
{
    ::SendMessageW(hWnd, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&chrg));
}

long GetCharCount(HWND hWnd)
{
    GETTEXTLENGTHEX gtl = { GTL_NUMCHARS | GTL_PRECISE, 1200 };
    return static_cast<long>(::SendMessageW(hWnd, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&gtl), 0));
}

bool IsKeyDown(int nVirtKey)
{
    return ::GetKeyState(nVirtKey) < 0;
}

// The parent window of the probe: it notes the announcement and refuses the edit.
BOOL s_bProbeAnnounced = FALSE;

LRESULT CALLBACK ProbeParentProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NOTIFY && reinterpret_cast<NMHDR*>(lParam)->code == EN_PROTECTED)
    {
        s_bProbeAnnounced = TRUE;
        return 1;
    }
    return ::DefWindowProcW(hWnd, message, wParam, lParam);
}
} // namespace

BOOL CRichEditProtection::IsEditRefused(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    CPendingEdit edit;
    if (!DescribeEdit(hWnd, message, wParam, lParam, edit))
        return FALSE;
    if (!(::SendMessageW(hWnd, EM_GETEVENTMASK, 0, 0) & ENM_PROTECTED))
        return FALSE;
    if (::GetWindowLongPtrW(hWnd, GWL_STYLE) & ES_READONLY)
        return FALSE;
    if (PlatformAnnounces() || !IsProtected(hWnd, edit.chrg))
        return FALSE;
    return Announce(hWnd, edit) != 0;
}

BOOL CRichEditProtection::PlatformAnnounces()
{
    static const BOOL s_bAnnounces = ProbePlatform();
    return s_bAnnounces;
}

// Which edit a message makes, and the range it affects; FALSE for messages that change no text.
BOOL CRichEditProtection::DescribeEdit(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam, CPendingEdit& edit)
{
    edit = { message, wParam, lParam, {} };
    switch (message)
    {
    case WM_CHAR:
        // Control characters other than tab and Enter insert nothing, and neither does Ctrl+Tab.
        if (wParam == 0x7F || (wParam < 0x20 && wParam != L'\t' && wParam != L'\r'))
            return FALSE;
        if (wParam == L'\t' && IsKeyDown(VK_CONTROL))
            return FALSE;
        break;
    case WM_KEYDOWN:
        return DescribeKeyDown(hWnd, wParam, edit);
    case WM_UNDO:
    case EM_UNDO:
        if (!::SendMessageW(hWnd, EM_CANUNDO, 0, 0))
            return FALSE;
        break;
    case EM_REDO:
        if (!::SendMessageW(hWnd, EM_CANREDO, 0, 0))
            return FALSE;
        break;
    // Like the platform's own announcement, a cut or clear is announced even with nothing selected.
    case WM_CUT:
    case WM_CLEAR:
    case WM_PASTE:
    case EM_REPLACESEL:
        break;
    case EM_SETCHARFORMAT:
        if (!(wParam & SCF_SELECTION))
            return FALSE;
        edit.chrg = GetSelection(hWnd);
        return edit.chrg.cpMin != edit.chrg.cpMax;
    default:
        return FALSE;
    }
    edit.chrg = GetSelection(hWnd);
    return TRUE;
}

BOOL CRichEditProtection::DescribeKeyDown(HWND hWnd, WPARAM wParam, CPendingEdit& edit)
{
    const bool bCtrl = IsKeyDown(VK_CONTROL);
    const bool bShift = IsKeyDown(VK_SHIFT);
    switch (wParam)
    {
    case VK_BACK:
        return DescribeDeletion(hWnd, FALSE, edit);
    case VK_DELETE:
        if (bShift && !bCtrl)
            return DescribeEdit(hWnd, WM_CUT, 0, 0, edit);
        return DescribeDeletion(hWnd, TRUE, edit);
    case VK_INSERT:
        return bShift && !bCtrl && DescribeEdit(hWnd, WM_PASTE, 0, 0, edit);
    // This platform's rich edit breaks the line on the key itself and ignores the character that follows.
    case VK_RETURN:
        return DescribeEdit(hWnd, WM_CHAR, L'\r', 0, edit);
    case 'X':
        return bCtrl && DescribeEdit(hWnd, WM_CUT, 0, 0, edit);
    case 'V':
        return bCtrl && DescribeEdit(hWnd, WM_PASTE, 0, 0, edit);
    case 'Z':
        return bCtrl && DescribeEdit(hWnd, EM_UNDO, 0, 0, edit);
    case 'Y':
        return bCtrl && DescribeEdit(hWnd, EM_REDO, 0, 0, edit);
    default:
        return FALSE;
    }
}

// Back and Delete remove the selection, or with none the character before or after the caret.
BOOL CRichEditProtection::DescribeDeletion(HWND hWnd, BOOL bForward, CPendingEdit& edit)
{
    edit.chrg = GetSelection(hWnd);
    if (edit.chrg.cpMin != edit.chrg.cpMax)
        return TRUE;
    if (bForward)
    {
        if (edit.chrg.cpMax >= GetCharCount(hWnd))
            return FALSE;
        ++edit.chrg.cpMax;
    }
    else
    {
        if (edit.chrg.cpMin <= 0)
            return FALSE;
        --edit.chrg.cpMin;
    }
    return TRUE;
}

// A range is protected when any of it is. An empty range is an insertion point, which takes the format
// that typing there would get.
BOOL CRichEditProtection::IsProtected(HWND hWnd, const CHARRANGE& chrg)
{
    const CHARRANGE chrgSel = GetSelection(hWnd);
    const bool bOtherRange = chrgSel.cpMin != chrg.cpMin || chrgSel.cpMax != chrg.cpMax;
    LPARAM dwMask = 0;
    if (bOtherRange)
    {
        // Look at the range without the parent seeing the selection move or the user seeing it flash.
        dwMask = ::SendMessageW(hWnd, EM_GETEVENTMASK, 0, 0);
        ::SendMessageW(hWnd, EM_SETEVENTMASK, 0, dwMask & ~ENM_SELCHANGE);
        ::SendMessageW(hWnd, EM_HIDESELECTION, TRUE, 0);
        SetSelection(hWnd, chrg);
    }
    CHARFORMATW cf = {};
    cf.cbSize = sizeof(cf);
    ::SendMessageW(hWnd, EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf));
    if (bOtherRange)
    {
        SetSelection(hWnd, chrgSel);
        ::SendMessageW(hWnd, EM_HIDESELECTION, FALSE, 0);
        ::SendMessageW(hWnd, EM_SETEVENTMASK, 0, dwMask);
    }
    // A mixed range reports the protection bit as not uniform: then part of it is protected.
    return !(cf.dwMask & CFM_PROTECTED) || (cf.dwEffects & CFE_PROTECTED);
}

LRESULT CRichEditProtection::Announce(HWND hWnd, const CPendingEdit& edit)
{
    ENPROTECTED en = {};
    en.nmhdr.hwndFrom = hWnd;
    en.nmhdr.idFrom = static_cast<UINT_PTR>(::GetDlgCtrlID(hWnd));
    en.nmhdr.code = EN_PROTECTED;
    en.msg = edit.message;
    en.wParam = edit.wParam;
    en.lParam = edit.lParam;
    en.chrg = edit.chrg;
    return ::SendMessageW(::GetParent(hWnd), WM_NOTIFY, en.nmhdr.idFrom, reinterpret_cast<LPARAM>(&en));
}

// Types into protected text of a hidden rich edit and watches whether its parent hears of it.
BOOL CRichEditProtection::ProbePlatform()
{
    if (!AfxInitRichEdit2())
        return FALSE;
    const HINSTANCE hInstance = ::GetModuleHandleW(nullptr);
    WNDCLASSW wc = {};
    wc.lpfnWndProc = ProbeParentProc;
    wc.hInstance = hInstance;
    wc.lpszClassName = L"TavRichEditProtectionProbe";
    ::RegisterClassW(&wc);
    const HWND hParent = ::CreateWindowExW(0, wc.lpszClassName, L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                           hInstance, nullptr);
    const HWND hEdit = ::CreateWindowExW(0, RICHEDIT_CLASSW, L"x", WS_CHILD | ES_MULTILINE, 0, 0, 10, 10, hParent,
                                         nullptr, hInstance, nullptr);
    BOOL bAnnounces = FALSE;
    if (hEdit)
    {
        SetSelection(hEdit, { 0, -1 });
        CHARFORMATW cf = {};
        cf.cbSize = sizeof(cf);
        cf.dwMask = CFM_PROTECTED;
        cf.dwEffects = CFE_PROTECTED;
        ::SendMessageW(hEdit, EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf));
        ::SendMessageW(hEdit, EM_SETEVENTMASK, 0, ENM_PROTECTED);
        SetSelection(hEdit, { 0, 1 });
        s_bProbeAnnounced = FALSE;
        ::SendMessageW(hEdit, WM_CHAR, L'y', 0);
        bAnnounces = s_bProbeAnnounced;
    }
    ::DestroyWindow(hParent);
    return bAnnounces;
}
