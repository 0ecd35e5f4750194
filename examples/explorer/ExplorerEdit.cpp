#include "ExplorerEdit.h"

#include <algorithm>
#include <cwctype>

namespace
{
const UINT_PTR s_nColourTimer = 1;
// Each step aims at this many seconds, so that input never waits long behind one.
const double s_dStepTarget = 0.02;

double Seconds()
{
    static const LARGE_INTEGER s_frequency = [] { LARGE_INTEGER f; ::QueryPerformanceFrequency(&f); return f; }();
    LARGE_INTEGER counter;
    ::QueryPerformanceCounter(&counter);
    return static_cast<double>(counter.QuadPart) / static_cast<double>(s_frequency.QuadPart);
}

std::wstring LowerExtension(const std::wstring& path)
{
    const size_t nDot = path.find_last_of(L".\\/");
    if (nDot == std::wstring::npos || path[nDot] != L'.')
        return std::wstring();
    std::wstring extension = path.substr(nDot + 1);
    std::transform(extension.begin(), extension.end(), extension.begin(), [](wchar_t ch) { return std::towlower(ch); });
    return extension;
}

bool IsOneOf(const std::wstring& extension, std::initializer_list<const wchar_t*> list)
{
    return std::any_of(list.begin(), list.end(), [&](const wchar_t* p) { return extension == p; });
}
}

BEGIN_MESSAGE_MAP(CExplorerEdit, CTavSyntaxColorEdit)
    ON_CONTROL_REFLECT(EN_CHANGE, OnEdited)
    ON_WM_TIMER()
    ON_WM_SIZE()
END_MESSAGE_MAP()

int CExplorerEdit::LanguageForPath(const std::wstring& path)
{
    const std::wstring extension = LowerExtension(path);
    if (IsOneOf(extension, { L"c", L"cc", L"cpp", L"cxx", L"h", L"hh", L"hpp", L"hxx", L"inl" }))
        return eLanguageCpp;
    if (IsOneOf(extension, { L"bas", L"vb", L"vbs", L"cls", L"frm" }))
        return eLanguageBasic;
    if (IsOneOf(extension, { L"js", L"ts", L"java", L"cs", L"script" }))
        return eLanguageScript;
    return -1;
}

void CExplorerEdit::ChooseLanguage(const std::wstring& path)
{
    // Opening a file must not rewrite it: matched words keep the spelling they have.
    SetChangeCase(FALSE);
    const int nLanguage = LanguageForPath(path);
    if (nLanguage >= 0)
    {
        SetLanguage(static_cast<ELanguage>(nLanguage));
        return;
    }
    // Plain text: no words, markers that text never holds, numbers in the plain colour.
    const CString strNever(L"\uFFFF");
    ClearKeywords();
    ClearConstants();
    SetComment(strNever, strNever);
    SetComment(strNever);
    SetStringQuotes(L'\uFFFF');
    SetNumberColor(s_crPlain, FALSE);
}

// The text goes in without a colouring pass (the base's WM_SETTEXT would colour it all at once).
void CExplorerEdit::LoadText(const CString& strText)
{
    const DWORD dwEventMask = static_cast<DWORD>(GetEventMask());
    SetEventMask(dwEventMask & ~ENM_CHANGE);
    CRichEditCtrl::DefWindowProc(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(static_cast<LPCWSTR>(strText)));
    SetEventMask(dwEventMask);
    SetSel(0, 0);
    m_dwLongestStep = 0;
    m_nSteps = 0;
    m_nColouredTo = 0;
    ColourVisibleLines();
    if (ColourNextStep())
        SetTimer(s_nColourTimer, USER_TIMER_MINIMUM, nullptr);
}

void CExplorerEdit::ColourVisibleLines()
{
    const long nFirstVisible = static_cast<long>(SendMessage(EM_LINEINDEX, SendMessage(EM_GETFIRSTVISIBLELINE)));
    FormatTextLines(nFirstVisible, GetVisibleEnd());
}

// A page grows to its final size after the text is loaded: the lines that come into view are coloured at once.
void CExplorerEdit::OnSize(UINT, int, int)
{
    Default();
    if (!IsColouringDone())
        ColourVisibleLines();
}

long CExplorerEdit::GetVisibleEnd()
{
    CRect rcClient;
    GetClientRect(&rcClient);
    const POINTL bottomRight = { rcClient.right, rcClient.bottom };
    return static_cast<long>(SendMessage(EM_CHARFROMPOS, 0, reinterpret_cast<LPARAM>(&bottomRight)));
}

// A step colours whole lines from where the last one ended; its size follows the time the last one took.
BOOL CExplorerEdit::ColourNextStep()
{
    const long nLength = GetTextLength();
    if (m_nColouredTo < 0 || m_nColouredTo >= nLength)
    {
        m_nColouredTo = -1;
        return FALSE;
    }
    const double dStart = Seconds();
    const long nTo = std::min(nLength, m_nColouredTo + m_nStepChars);
    FormatTextLines(m_nColouredTo, nTo);
    const double dTook = std::max(Seconds() - dStart, 1e-4);
    m_dwLongestStep = std::max(m_dwLongestStep, static_cast<DWORD>(dTook * 1000));
    ++m_nSteps;
    // The next step grows or shrinks towards the target time, by at most a factor of two.
    const double dFactor = std::clamp(s_dStepTarget / dTook, 0.5, 2.0);
    m_nStepChars = std::clamp(static_cast<long>(m_nStepChars * dFactor), 200L, 64000L);
    m_nColouredTo = nTo < nLength ? static_cast<long>(SendMessage(EM_LINEINDEX, SendMessage(EM_EXLINEFROMCHAR, 0, nTo) + 1)) : -1;
    return m_nColouredTo >= 0;
}

void CExplorerEdit::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == s_nColourTimer && !ColourNextStep())
        KillTimer(s_nColourTimer);
}

// An edit before the colouring in steps has got there moves its start back to the edit's line, so that no
// line is left out when the text shifts.
void CExplorerEdit::OnEdited()
{
    CTavSyntaxColorEdit::OnChange();
    if (m_bFormatting)
        return;
    if (m_nColouredTo >= 0)
    {
        CHARRANGE sel = {};
        GetSel(sel);
        m_nColouredTo = std::min<long>(m_nColouredTo, static_cast<long>(SendMessage(EM_LINEINDEX, SendMessage(EM_EXLINEFROMCHAR, 0, sel.cpMin))));
    }
    if (m_onEdited)
        m_onEdited();
}
