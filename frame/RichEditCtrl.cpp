#include "RichEditCtrl.h"
#include "RichEditProtection.h"

IMPLEMENT_DYNAMIC(CRichEditCtrl, CWnd)

BOOL AFXAPI AfxInitRichEdit2()
{
    static const HMODULE s_hRichEdit = ::LoadLibraryW(L"riched20.dll");
    return s_hRichEdit != nullptr;
}

CRichEditCtrl::~CRichEditCtrl() = default;

// A rich edit made by Create is always a child window.
BOOL CRichEditCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    if (!AfxInitRichEdit2())
        return FALSE;
    return CWnd::Create(RICHEDIT_CLASSW, nullptr, dwStyle, rect, pParentWnd, nID);
}

BOOL CRichEditCtrl::CreateEx(DWORD dwExStyle, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    if (!AfxInitRichEdit2())
        return FALSE;
    return CWnd::CreateEx(dwExStyle, RICHEDIT_CLASSW, nullptr, dwStyle, rect, pParentWnd, nID);
}

void CRichEditCtrl::GetSel(long& nStartChar, long& nEndChar) const
{
    CHARRANGE cr = {};
    GetSel(cr);
    nStartChar = cr.cpMin;
    nEndChar = cr.cpMax;
}

void CRichEditCtrl::SetSel(long nStartChar, long nEndChar)
{
    CHARRANGE cr = { nStartChar, nEndChar };
    SetSel(cr);
}

CString CRichEditCtrl::GetSelText() const
{
    CHARRANGE cr = {};
    GetSel(cr);
    CString strText;
    const int nLength = static_cast<int>(cr.cpMax - cr.cpMin);
    if (nLength <= 0)
        return strText;
    const LRESULT nCopied = SendMessage(EM_GETSELTEXT, 0, reinterpret_cast<LPARAM>(strText.GetBuffer(nLength + 1)));
    strText.ReleaseBuffer(static_cast<int>(nCopied));
    return strText;
}

long CRichEditCtrl::GetTextLengthEx(DWORD dwFlags, UINT uCodePage) const
{
    GETTEXTLENGTHEX gtl = { dwFlags, uCodePage };
    return static_cast<long>(SendMessage(EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&gtl)));
}

int CRichEditCtrl::GetTextRange(int nFirst, int nLast, CString& refString) const
{
    if (nLast < 0)
        nLast = GetTextLengthEx(GTL_NUMCHARS);
    if (nLast <= nFirst)
    {
        refString.Empty();
        return 0;
    }
    TEXTRANGEW tr = { { nFirst, nLast }, refString.GetBuffer(nLast - nFirst + 1) };
    const int nCopied = static_cast<int>(SendMessage(EM_GETTEXTRANGE, 0, reinterpret_cast<LPARAM>(&tr)));
    refString.ReleaseBuffer(nCopied);
    return nCopied;
}

void CRichEditCtrl::ReplaceSel(LPCWSTR lpszNewText, BOOL bCanUndo)
{
    SendMessage(EM_REPLACESEL, bCanUndo, reinterpret_cast<LPARAM>(lpszNewText));
}

namespace
{
// Both format structures carry their own size, which tells the rich edit which of the two it was given.
template <class FORMAT>
LRESULT SendFormat(const CRichEditCtrl& ctrl, UINT nMessage, WPARAM nWhich, FORMAT& format)
{
    format.cbSize = sizeof(FORMAT);
    return ::SendMessageW(ctrl.m_hWnd, nMessage, nWhich, reinterpret_cast<LPARAM>(&format));
}
}

DWORD CRichEditCtrl::GetDefaultCharFormat(CHARFORMAT& cf) const
{
    return static_cast<DWORD>(SendFormat(*this, EM_GETCHARFORMAT, SCF_DEFAULT, cf));
}

DWORD CRichEditCtrl::GetDefaultCharFormat(CHARFORMAT2& cf) const
{
    return static_cast<DWORD>(SendFormat(*this, EM_GETCHARFORMAT, SCF_DEFAULT, cf));
}

BOOL CRichEditCtrl::SetDefaultCharFormat(CHARFORMAT& cf)
{
    return static_cast<BOOL>(SendFormat(*this, EM_SETCHARFORMAT, SCF_DEFAULT, cf));
}

BOOL CRichEditCtrl::SetDefaultCharFormat(CHARFORMAT2& cf)
{
    return static_cast<BOOL>(SendFormat(*this, EM_SETCHARFORMAT, SCF_DEFAULT, cf));
}

DWORD CRichEditCtrl::GetSelectionCharFormat(CHARFORMAT& cf) const
{
    return static_cast<DWORD>(SendFormat(*this, EM_GETCHARFORMAT, SCF_SELECTION, cf));
}

DWORD CRichEditCtrl::GetSelectionCharFormat(CHARFORMAT2& cf) const
{
    return static_cast<DWORD>(SendFormat(*this, EM_GETCHARFORMAT, SCF_SELECTION, cf));
}

BOOL CRichEditCtrl::SetSelectionCharFormat(CHARFORMAT& cf)
{
    return static_cast<BOOL>(SendFormat(*this, EM_SETCHARFORMAT, SCF_SELECTION, cf));
}

BOOL CRichEditCtrl::SetSelectionCharFormat(CHARFORMAT2& cf)
{
    return static_cast<BOOL>(SendFormat(*this, EM_SETCHARFORMAT, SCF_SELECTION, cf));
}

DWORD CRichEditCtrl::GetParaFormat(PARAFORMAT& pf) const
{
    return static_cast<DWORD>(SendFormat(*this, EM_GETPARAFORMAT, 0, pf));
}

BOOL CRichEditCtrl::SetParaFormat(PARAFORMAT& pf)
{
    return static_cast<BOOL>(SendFormat(*this, EM_SETPARAFORMAT, 0, pf));
}

COLORREF CRichEditCtrl::SetBackgroundColor(BOOL bSysColor, COLORREF cr)
{
    return static_cast<COLORREF>(SendMessage(EM_SETBKGNDCOLOR, bSysColor, cr));
}

LRESULT CRichEditCtrl::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (CRichEditProtection::IsEditRefused(m_hWnd, message, wParam, lParam))
        return 0;
    return CWnd::DefWindowProc(message, wParam, lParam);
}
