// Colouring speed of CTavSyntaxColorEdit on generated C++ sources of 1,000, 4,000 and 16,000 lines (or the
// sizes given on the command line): a first FormatAll over fresh text, a second one over coloured text (which
// must change no format), and the latency of 200 typed characters in the middle of the file, outside and
// inside a block comment. Beside each figure stands a baseline from the same run: what the rich edit needs to
// apply the same token formats with the fewest messages (select and set, no reads); for a keystroke, the
// rich edit's own handling of the character plus applying the formats of the typed line's tokens that way.
//
// Two measures of edits that move where block comments end. Closing a block that runs from the middle to the
// end of the text by typing its end marker: the rest of the text must be re-coloured, so the keystroke is set
// against FormatAll of the same text starting from the same colours (compared by processor time, as both
// run for seconds). And keystrokes right after "x; /* y */" in the middle of the text, set against the same
// keystrokes on an ordinary code line: the refresh that follows the block must stop after one look at the
// next line.
#include "TavSyntaxColorEdit.h"
#include "syntax_edit/SyntaxTokenizer.h"

#include "frame/WinApp.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

namespace
{
double Now()
{
    static LARGE_INTEGER s_frequency = [] { LARGE_INTEGER f; QueryPerformanceFrequency(&f); return f; }();
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    return static_cast<double>(counter.QuadPart) / static_cast<double>(s_frequency.QuadPart);
}

// Processor time of this thread. A pass that runs for seconds on a shared machine takes a wall time that
// depends on the load; its processor time does not.
double ThreadTime()
{
    FILETIME ftCreation, ftExit, ftKernel, ftUser;
    ::GetThreadTimes(::GetCurrentThread(), &ftCreation, &ftExit, &ftKernel, &ftUser);
    auto seconds = [](const FILETIME& ft) {
        return static_cast<double>(static_cast<ULONGLONG>(ft.dwHighDateTime) << 32 | ft.dwLowDateTime) / 1e7;
    };
    return seconds(ftKernel) + seconds(ftUser);
}

// The editor, counting the format changes that reach its window.
class CCountingEdit : public CTavSyntaxColorEdit
{
public:
    int m_nFormatChanges = 0;

protected:
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == EM_SETCHARFORMAT && (wParam & SCF_SELECTION))
            ++m_nFormatChanges;
        return CTavSyntaxColorEdit::WindowProc(message, wParam, lParam);
    }
};

// A C++ source with a four-line comment block every 20 lines; the rest is code with keywords, numbers,
// strings and line comments. Lines end with a carriage return, as the rich edit keeps them.
std::wstring GenerateSource(int nLines)
{
    static const wchar_t* const s_code[] = {
        L"static int compute_value(int nCount, double dFactor) // scaled",
        L"{",
        L"    int nTotal = 0;",
        L"    for (int i = 0; i < nCount; ++i)",
        L"        nTotal += i * 42 - 7;",
        L"    const char* pszName = \"result value\";",
        L"    if (nTotal > 1000 && dFactor < 0.5)",
        L"        return static_cast<int>(nTotal * dFactor);",
        L"    return nTotal; // plain",
        L"}",
        L"",
        L"class CWidget : public CBase",
        L"{",
        L"public:",
        L"    virtual void Draw(unsigned long nFlags) const;",
        L"};",
    };
    std::wstring text;
    int nCode = 0;
    for (int nLine = 0; nLine < nLines; ++nLine)
    {
        switch (nLine % 20)
        {
        case 0: text += L"/* Section " + std::to_wstring(nLine / 20) + L": what follows"; break;
        case 1: text += L"   computes the totals of the widgets"; break;
        case 2: text += L"   and keeps them for drawing"; break;
        case 3: text += L"*/"; break;
        default: text += s_code[nCode++ % std::size(s_code)]; break;
        }
        text += L'\r';
    }
    return text;
}

// The generated source with a line put in before line nLine.
std::wstring InsertLine(const std::wstring& text, int nLine, const std::wstring& line);

// Lifts the rich edit's limit on typing, 32,767 characters unless the host sets another: beyond it every
// keystroke would be refused, and the largest texts would time nothing.
void AllowLongText(HWND hWnd)
{
    ::SendMessageW(hWnd, EM_EXLIMITTEXT, 0, 0x7FFFFFFE);
}

// Puts fresh text into the control without any colouring: the default format everywhere.
void LoadFreshText(HWND hWnd, const std::wstring& text)
{
    AllowLongText(hWnd);
    const LRESULT dwMask = ::SendMessageW(hWnd, EM_GETEVENTMASK, 0, 0);
    ::SendMessageW(hWnd, EM_SETEVENTMASK, 0, 0);
    SETTEXTEX st = { ST_DEFAULT, 1200 };
    ::SendMessageW(hWnd, EM_SETTEXTEX, reinterpret_cast<WPARAM>(&st), reinterpret_cast<LPARAM>(text.c_str()));
    ::SendMessageW(hWnd, EM_SETEVENTMASK, 0, dwMask);
}

// Selects and sets the format of every token, nothing else, under the quiet conditions a colouring pass
// works under: no painting and no undo records.
void ApplyTokenFormats(HWND hWnd, const CTavSyntaxLanguage& language, long nStart,
                       const std::vector<CTavSyntaxToken>& tokens)
{
    ::SendMessageW(hWnd, WM_SETREDRAW, FALSE, 0);
    ::SendMessageW(hWnd, EM_SETUNDOLIMIT, 0, 0);
    for (const CTavSyntaxToken& token : tokens)
    {
        const CTavSyntaxLanguage::CTokenFormat format = language.GetTokenFormat(token.eKind);
        CHARRANGE chrg = { nStart + token.nStart, nStart + token.nEnd };
        ::SendMessageW(hWnd, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&chrg));
        CHARFORMAT cf = {};
        cf.cbSize = sizeof(cf);
        cf.dwMask = CFM_COLOR | CFM_BOLD;
        cf.dwEffects = format.bBold ? CFE_BOLD : 0;
        cf.crTextColor = format.crColor;
        ::SendMessageW(hWnd, EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf));
    }
    ::SendMessageW(hWnd, EM_SETUNDOLIMIT, 100, 0);
    ::SendMessageW(hWnd, WM_SETREDRAW, TRUE, 0);
    ::InvalidateRect(hWnd, nullptr, FALSE);
}

CString GetTextRange(HWND hWnd, long nFrom, long nTo)
{
    CString strText;
    TEXTRANGEW tr = { { nFrom, nTo }, strText.GetBuffer(nTo - nFrom + 1) };
    strText.ReleaseBuffer(static_cast<int>(::SendMessageW(hWnd, EM_GETTEXTRANGE, 0, reinterpret_cast<LPARAM>(&tr))));
    return strText;
}

struct Latency
{
    double dMedian;
    double dP95;
};

Latency Summarise(std::vector<double> vecSeconds)
{
    std::sort(vecSeconds.begin(), vecSeconds.end());
    return { vecSeconds[vecSeconds.size() / 2] * 1000.0, vecSeconds[vecSeconds.size() * 95 / 100] * 1000.0 };
}

const wchar_t s_szTyped[] = L"int v = 42;\r";
// Typed on one line, so that every keystroke lands on the line it started on.
const wchar_t s_szTypedOnLine[] = L" int v = 42;";

// 200 characters typed at nPos, each timed on its own; the queue is emptied between keystrokes.
std::vector<double> TypeTimed(HWND hWnd, long nPos, const std::function<void(long)>& afterKey = nullptr,
                              const std::wstring& typed = s_szTyped)
{
    CHARRANGE chrgCaret = { nPos, nPos };
    ::SendMessageW(hWnd, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&chrgCaret));
    std::vector<double> vecSeconds;
    for (int i = 0; i < 200; ++i)
    {
        const wchar_t ch = typed[i % typed.size()];
        const double dStart = Now();
        ::SendMessageW(hWnd, WM_CHAR, ch, 1);
        if (afterKey)
        {
            CHARRANGE chrg = {};
            ::SendMessageW(hWnd, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&chrg));
            afterKey(chrg.cpMax);
        }
        vecSeconds.push_back(Now() - dStart);
        AfxPumpWaitingMessages();
    }
    return vecSeconds;
}

// Start of the line nLine (0-based) of a text whose lines end with a carriage return.
long LineStart(const std::wstring& text, int nLine)
{
    long nPos = 0;
    for (int i = 0; i < nLine; ++i)
        nPos = static_cast<long>(text.find(L'\r', nPos)) + 1;
    return nPos;
}

// The text of a C++ source whose last half is code in a block comment opened at its middle.
std::wstring GenerateOpenBlock(int nLines)
{
    std::wstring text = GenerateSource(nLines / 2) + L"/* the rest is disabled\r";
    const std::wstring code = GenerateSource(nLines);
    // The code without the generated comment blocks, which would close the open one.
    size_t nFrom = 0;
    for (int nLine = 0, nAdded = nLines / 2 + 1; nAdded < nLines; ++nLine)
    {
        const size_t nNext = code.find(L'\r', nFrom) + 1;
        if (nLine % 20 >= 4)
        {
            text += code.substr(nFrom, nNext - nFrom);
            ++nAdded;
        }
        nFrom = nNext;
    }
    return text;
}

struct Row
{
    int nLines;
    double dFirst, dFirstBase;
    int nFirstChanges;
    double dSecond;
    int nSecondChanges;
    Latency outside, outsideBase, inside, insideBase;
    double dClose, dCloseBase, dCloseCpu, dCloseBaseCpu;
    Latency afterBlock, ordinary;
};

const DWORD s_dwStyle = WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN;

void SendChar(HWND hWnd, wchar_t ch)
{
    ::SendMessageW(hWnd, WM_CHAR, ch, 1);
    AfxPumpWaitingMessages();
}

// Typing "*/" at the start of the line after the opening one; the second keystroke is timed. The baseline
// is FormatAll over the same text, in the colours the keystroke found: the same text is put into a second
// editor with its block still open, coloured, and then closed without a pass.
void MeasureClosingBlock(CWnd& parent, int nLines, Row& row)
{
    const std::wstring text = GenerateOpenBlock(nLines);
    const long nCloseAt = LineStart(text, nLines / 2 + 1);
    const CRect rc(0, 0, 780, 580);

    CTavSyntaxColorEdit edit;
    edit.SetLanguage(CTavSyntaxColorEdit::eLanguageCpp);
    edit.Create(s_dwStyle, rc, &parent, 1);
    AllowLongText(edit);
    edit.SetWindowText(text.c_str());
    edit.SetSel(nCloseAt, nCloseAt);
    SendChar(edit, L'*');
    double dStart = Now(), dStartCpu = ThreadTime();
    SendChar(edit, L'/');
    row.dClose = Now() - dStart;
    row.dCloseCpu = ThreadTime() - dStartCpu;
    edit.DestroyWindow();

    CTavSyntaxColorEdit same;
    same.SetLanguage(CTavSyntaxColorEdit::eLanguageCpp);
    same.Create(s_dwStyle, rc, &parent, 1);
    AllowLongText(same);
    same.SetWindowText((text.substr(0, nCloseAt) + L"*" + text.substr(nCloseAt)).c_str());
    const LRESULT dwMask = same.SendMessage(EM_GETEVENTMASK);
    same.SendMessage(EM_SETEVENTMASK, 0, 0);
    same.SetSel(nCloseAt + 1, nCloseAt + 1);
    same.ReplaceSel(L"/", TRUE);
    same.SendMessage(EM_SETEVENTMASK, 0, dwMask);
    dStart = Now();
    dStartCpu = ThreadTime();
    same.FormatAll();
    row.dCloseBase = Now() - dStart;
    row.dCloseBaseCpu = ThreadTime() - dStartCpu;
    same.DestroyWindow();
}

// The same keystrokes typed on one line right after "x; /* y */" and on an ordinary code line, both in the
// middle of the text.
void MeasureAfterBlock(CWnd& parent, int nLines, Row& row)
{
    const int nMiddleBlock = (nLines / 2) / 20 * 20;
    const std::wstring text = InsertLine(GenerateSource(nLines), nMiddleBlock + 10, L"    x; /* y */");
    CTavSyntaxColorEdit edit;
    edit.SetLanguage(CTavSyntaxColorEdit::eLanguageCpp);
    edit.Create(s_dwStyle, CRect(0, 0, 780, 580), &parent, 1);
    AllowLongText(edit);
    edit.SetWindowText(text.c_str());
    const long nAfterBlock = LineStart(text, nMiddleBlock + 11) - 1;
    // A code line above the other, so that typing there leaves it where it was.
    const long nOrdinary = LineStart(text, nMiddleBlock + 7) - 1;
    row.afterBlock = Summarise(TypeTimed(edit, nAfterBlock, nullptr, s_szTypedOnLine));
    row.ordinary = Summarise(TypeTimed(edit, nOrdinary, nullptr, s_szTypedOnLine));
    edit.DestroyWindow();
}

Row Measure(CWnd& parent, int nLines)
{
    const std::wstring text = GenerateSource(nLines);
    Row row = { nLines };
    const CRect rc(0, 0, 780, 580);

    CCountingEdit edit;
    edit.SetLanguage(CTavSyntaxColorEdit::eLanguageCpp);
    edit.Create(s_dwStyle, rc, &parent, 1);
    LoadFreshText(edit, text);
    double dStart = Now();
    edit.FormatAll();
    row.dFirst = Now() - dStart;
    row.nFirstChanges = edit.m_nFormatChanges;
    edit.m_nFormatChanges = 0;
    dStart = Now();
    edit.FormatAll();
    row.dSecond = Now() - dStart;
    row.nSecondChanges = edit.m_nFormatChanges;

    // Keystrokes in the middle: on a code line, then on the middle line of a comment block.
    const int nMiddleBlock = (nLines / 2) / 20 * 20;
    const long nOutside = LineStart(text, nMiddleBlock + 10) + 4;
    const long nInside = LineStart(text, nMiddleBlock + 1) + 3;
    // The comment block lies before the code line, so typing on the code line leaves it where it was.
    row.outside = Summarise(TypeTimed(edit, nOutside));
    row.inside = Summarise(TypeTimed(edit, nInside));
    edit.DestroyWindow();

    // The baselines, on a rich edit of the platform's own (no class-layer object) with the same text.
    const HWND hPlain = ::CreateWindowExW(0, RICHEDIT_CLASSW, L"", s_dwStyle, rc.left, rc.top, rc.Width(),
                                          rc.Height(), parent.m_hWnd, nullptr, nullptr, nullptr);
    LoadFreshText(hPlain, text);
    const std::vector<CTavSyntaxToken> tokens = CTavSyntaxTokenizer(edit).Tokenize(text);
    dStart = Now();
    ApplyTokenFormats(hPlain, edit, 0, tokens);
    row.dFirstBase = Now() - dStart;

    // Per keystroke: the character, then the formats of the tokens of its line.
    auto applyLine = [&](long nCaret) {
        const long nFrom = std::max(0L, nCaret - 200);
        const long nLineStart = nFrom + GetTextRange(hPlain, nFrom, nCaret).ReverseFind(L'\r') + 1;
        const CString strLine = GetTextRange(hPlain, nLineStart, nCaret);
        ApplyTokenFormats(hPlain, edit, nLineStart, CTavSyntaxTokenizer(edit).Tokenize(strLine.Str()));
    };
    row.outsideBase = Summarise(TypeTimed(hPlain, nOutside, applyLine));
    row.insideBase = Summarise(TypeTimed(hPlain, nInside, applyLine));
    ::DestroyWindow(hPlain);

    MeasureClosingBlock(parent, nLines, row);
    MeasureAfterBlock(parent, nLines, row);
    return row;
}

std::wstring InsertLine(const std::wstring& text, int nLine, const std::wstring& line)
{
    const size_t nPos = static_cast<size_t>(LineStart(text, nLine));
    return text.substr(0, nPos) + line + L"\r" + text.substr(nPos);
}

const char* Verdict(bool bMet)
{
    return bMet ? "met" : "MISSED";
}
} // namespace

int main(int argc, char** argv)
{
    AfxInitRichEdit2();
    CWnd parent;
    parent.CreateEx(0, AfxRegisterWndClass(0), L"SyntaxEditBench", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 800, 600,
                    nullptr, nullptr);

    std::vector<int> vecSizes;
    for (int i = 1; i < argc; ++i)
        vecSizes.push_back(std::atoi(argv[i]));
    if (vecSizes.empty())
        vecSizes = { 1000, 4000, 16000 };
    // Each size is printed as soon as it is measured: the largest takes minutes.
    std::printf("CTavSyntaxColorEdit, generated C++ (comment block every 20 lines); times in ms, base = baseline\n\n");
    std::printf("%7s | %9s %9s %6s %7s | %9s %7s | %-21s %-21s | %-21s %-21s\n", "lines", "1st all", "base", "ratio",
                "changes", "2nd all", "changes", "key outside med/p95", "base med/p95", "key inside med/p95",
                "base med/p95");
    std::printf("%7s | %9s %9s %6s %6s | %-21s %-21s %6s\n\n", "", "close */", "FormatAll", "ratio", "cpu",
                "after block med/p95", "ordinary med/p95", "ratio");
    std::fflush(stdout);
    std::vector<Row> rows;
    for (int nLines : vecSizes)
    {
        const Row& row = rows.emplace_back(Measure(parent, nLines));
        std::printf("%7d | %9.1f %9.1f %6.2f %7d | %9.1f %7d | %8.3f / %8.3f   %8.3f / %8.3f   | %8.3f / %8.3f   "
                    "%8.3f / %8.3f\n",
                    row.nLines, row.dFirst * 1000, row.dFirstBase * 1000, row.dFirst / row.dFirstBase,
                    row.nFirstChanges, row.dSecond * 1000, row.nSecondChanges, row.outside.dMedian, row.outside.dP95,
                    row.outsideBase.dMedian, row.outsideBase.dP95, row.inside.dMedian, row.inside.dP95,
                    row.insideBase.dMedian, row.insideBase.dP95);
        std::printf("%7s | %9.1f %9.1f %6.2f %6.2f | %8.3f / %8.3f   %8.3f / %8.3f   %6.2f\n", "", row.dClose * 1000,
                    row.dCloseBase * 1000, row.dClose / row.dCloseBase, row.dCloseCpu / row.dCloseBaseCpu,
                    row.afterBlock.dMedian, row.afterBlock.dP95, row.ordinary.dMedian, row.ordinary.dP95,
                    row.afterBlock.dMedian / row.ordinary.dMedian);
        std::fflush(stdout);
    }

    std::printf("\nGoals\n");
    const Row& small = rows.front();
    const Row& large = rows.back();
    const double dOutsideRatio = large.outside.dMedian / small.outside.dMedian;
    const double dInsideRatio = large.inside.dMedian / small.inside.dMedian;
    std::printf("  keystroke median %d / %d lines <= 3: outside %.2f (%s), inside %.2f (%s)\n", large.nLines,
                small.nLines, dOutsideRatio, Verdict(dOutsideRatio <= 3), dInsideRatio, Verdict(dInsideRatio <= 3));
    std::printf("  keystroke median at %d lines < 16 ms: outside %.3f (%s), inside %.3f (%s)\n", large.nLines,
                large.outside.dMedian, Verdict(large.outside.dMedian < 16), large.inside.dMedian,
                Verdict(large.inside.dMedian < 16));
    for (const Row& row : rows)
        std::printf("  %5d lines: closing a block <= 1.0 x FormatAll (processor time): %.2f (%s); keystroke after a "
                    "block <= 1.25 x ordinary: %.2f (%s)\n",
                    row.nLines, row.dCloseCpu / row.dCloseBaseCpu, Verdict(row.dCloseCpu <= row.dCloseBaseCpu),
                    row.afterBlock.dMedian / row.ordinary.dMedian,
                    Verdict(row.afterBlock.dMedian <= 1.25 * row.ordinary.dMedian));
    for (const Row& row : rows)
        std::printf("  %5d lines: first FormatAll <= 1.5 x baseline: %.2f (%s); second <= 0.5 x first: %.2f (%s); "
                    "second makes no change: %d (%s)\n",
                    row.nLines, row.dFirst / row.dFirstBase, Verdict(row.dFirst <= 1.5 * row.dFirstBase),
                    row.dSecond / row.dFirst, Verdict(row.dSecond <= 0.5 * row.dFirst), row.nSecondChanges,
                    Verdict(row.nSecondChanges == 0));
    parent.DestroyWindow();
    return 0;
}
