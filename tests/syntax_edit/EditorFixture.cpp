#include "EditorFixture.h"

#include <cctype>
#include <cstdlib>
#include <cstring>
#include <sstream>
#include <string>

namespace edtest
{
std::string Narrow(const CString& str)
{
    std::string narrow;
    for (int i = 0; i < str.GetLength(); ++i)
        narrow += str[i] == L'\r' ? '|' : static_cast<char>(str[i] < 0x80 ? str[i] : '?');
    return narrow;
}
} // namespace edtest

void PrintTo(const CString& str, std::ostream* pStream)
{
    *pStream << '"' << edtest::Narrow(str) << '"';
}

namespace edtest
{
::testing::AssertionResult HasLook(CRichEditCtrl& edit, long nFrom, long nTo, Look expected)
{
    CHARRANGE chrgSaved = {};
    edit.GetSel(chrgSaved);
    const DWORD dwMask = edit.GetEventMask();
    edit.SetEventMask(0);
    edit.SetSel(nFrom, nTo);
    CHARFORMAT cf = {};
    const DWORD dwValid = edit.GetSelectionCharFormat(cf);
    edit.SetSel(chrgSaved.cpMin, chrgSaved.cpMax);
    edit.SetEventMask(dwMask);

    if ((dwValid & (CFM_COLOR | CFM_BOLD)) != (CFM_COLOR | CFM_BOLD))
        return ::testing::AssertionFailure() << "[" << nFrom << ", " << nTo << ") has mixed formats";
    const bool bBold = (cf.dwEffects & CFE_BOLD) != 0;
    if (cf.crTextColor != expected.crColor || bBold != expected.bBold)
    {
        // Each piece streamed into an assertion result gets a fresh stream: the numbers are formatted here.
        std::ostringstream message;
        message << "[" << std::dec << nFrom << ", " << nTo << ") is colour 0x" << std::hex << cf.crTextColor
                << (bBold ? " bold" : " not bold") << ", expected 0x" << expected.crColor
                << (expected.bBold ? " bold" : " not bold");
        return ::testing::AssertionFailure() << message.str();
    }
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult HasLooks(CRichEditCtrl& edit, const char* pszPattern)
{
    static const char kLetters[] = "PCNSKB";
    static const Look kLooks[] = { kPlain, kComment, kNumber, kString, kKeyword, kConstant };
    const std::string pattern(pszPattern);
    for (size_t i = 0, j; i < pattern.size(); i = j)
    {
        j = i + 1;
        while (j < pattern.size() && pattern[j] == pattern[i])
            ++j;
        const char* pszLetter = std::strchr(kLetters, pattern[i]);
        if (!pszLetter)
            continue;
        ::testing::AssertionResult result =
            HasLook(edit, static_cast<long>(i), static_cast<long>(j), kLooks[pszLetter - kLetters]);
        if (!result)
        {
            CString strText;
            edit.GetTextRange(0, -1, strText);
            return result << " in \"" << Narrow(strText) << "\" (pattern " << pattern << ")";
        }
    }
    return ::testing::AssertionSuccess();
}

namespace
{
DWORD CALLBACK AppendRtf(DWORD_PTR dwCookie, LPBYTE pbBuffer, LONG cb, LONG* pcb)
{
    reinterpret_cast<std::string*>(dwCookie)->append(reinterpret_cast<const char*>(pbBuffer), cb);
    *pcb = cb;
    return 0;
}

// The colours of a colour table, "\red0\green128\blue0;" each; the first, empty one is the automatic
// colour, which the rich edit reports as black.
std::vector<COLORREF> ParseColourTable(const std::string& rtf, size_t nFrom, size_t nTo)
{
    std::vector<COLORREF> colours;
    int rgb[3] = {};
    for (size_t i = nFrom; i < nTo; ++i)
    {
        if (rtf[i] == ';')
        {
            colours.push_back(RGB(rgb[0], rgb[1], rgb[2]));
            rgb[0] = rgb[1] = rgb[2] = 0;
            continue;
        }
        for (int k = 0; k < 3; ++k)
        {
            static const char* const kWords[] = { "\\red", "\\green", "\\blue" };
            if (rtf.compare(i, std::strlen(kWords[k]), kWords[k]) == 0)
                rgb[k] = std::atoi(rtf.c_str() + i + std::strlen(kWords[k]));
        }
    }
    return colours;
}
} // namespace

// The rich text holds the body at group depth 1, after groups for the font and colour tables. Characters
// come as themselves, as escapes (\\ \{ \} \'hh \uN with one fallback character) or as \par and \tab; \cfN
// and \b set the look of the characters that follow.
std::vector<Look> ReadLooks(CRichEditCtrl& edit)
{
    std::string rtf;
    EDITSTREAM stream = { reinterpret_cast<DWORD_PTR>(&rtf), 0, AppendRtf };
    edit.SendMessage(EM_STREAMOUT, SF_RTF, reinterpret_cast<LPARAM>(&stream));

    std::vector<COLORREF> colours(1, RGB(0, 0, 0));
    std::vector<Look> looks;
    Look look = kPlain;
    int nDepth = 0;
    for (size_t i = 0; i < rtf.size();)
    {
        const char ch = rtf[i];
        if (ch == '{' && nDepth == 1)
        {
            // A table or other destination: only the colour table matters.
            size_t j = i + 1;
            for (int nInner = 1; nInner > 0 && j < rtf.size(); ++j)
                nInner += rtf[j] == '{' ? 1 : rtf[j] == '}' ? -1 : 0;
            if (rtf.compare(i, 10, "{\\colortbl") == 0)
                colours = ParseColourTable(rtf, i + 10, j);
            i = j;
            continue;
        }
        if (ch == '{' || ch == '}')
        {
            nDepth += ch == '{' ? 1 : -1;
            ++i;
            continue;
        }
        if (ch == '\r' || ch == '\n')
        {
            ++i;
            continue;
        }
        if (ch != '\\')
        {
            looks.push_back(look);
            ++i;
            continue;
        }
        const char next = rtf[i + 1];
        if (!std::isalpha(static_cast<unsigned char>(next)))
        {
            looks.push_back(look);
            i += next == '\'' ? 4 : 2;
            continue;
        }
        size_t j = i + 1;
        while (std::isalpha(static_cast<unsigned char>(rtf[j])))
            ++j;
        const std::string word = rtf.substr(i + 1, j - i - 1);
        const bool bHasNumber = rtf[j] == '-' || std::isdigit(static_cast<unsigned char>(rtf[j]));
        const int nNumber = bHasNumber ? std::atoi(rtf.c_str() + j) : 1;
        while (rtf[j] == '-' || std::isdigit(static_cast<unsigned char>(rtf[j])))
            ++j;
        if (rtf[j] == ' ')
            ++j;
        if (word == "par" || word == "tab" || word == "u")
            looks.push_back(look);
        if (word == "u")
            j += rtf[j] == '\\' ? 4 : 1;
        if (word == "cf")
            look.crColor = static_cast<size_t>(nNumber) < colours.size() ? colours[nNumber] : CLR_INVALID;
        if (word == "b")
            look.bBold = nNumber != 0;
        if (word == "plain")
            look = kPlain;
        i = j;
    }
    return looks;
}

BEGIN_MESSAGE_MAP(CRecordingHost, kit::CHostDialog)
    ON_EN_CHANGE(kEditId, OnEditChange)
    ON_NOTIFY(EN_PROTECTED, kEditId, OnEditProtected)
    ON_NOTIFY(EN_SELCHANGE, kEditId, OnEditSelChange)
END_MESSAGE_MAP()

void EditorTest::SetUp()
{
    ASSERT_TRUE(m_host.Open(520, 400));
    ASSERT_TRUE(m_edit.Create(WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL |
                                  ES_WANTRETURN,
                              CRect(5, 5, 515, 395), &m_host, kEditId));
    m_edit.SetFocus();
    kit::PumpUntilIdle();
}

Range EditorTest::Selection()
{
    CHARRANGE chrg = {};
    m_edit.GetSel(chrg);
    return { chrg.cpMin, chrg.cpMax };
}

} // namespace edtest
