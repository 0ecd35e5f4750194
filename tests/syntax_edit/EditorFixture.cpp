#include "EditorFixture.h"

#include <cctype>
#include <cstdio>
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
} // namespace

// The rich text has a colour table ("\red0\green128\blue0;" each, the first one empty: the automatic colour,
// which the rich edit reports as black) and then the body from "\pard" on. There characters come as
// themselves, as escapes (\\ \{ \} \'hh, \uN with one fallback character) or as \par and \tab; \cfN and
// \b set the look of the characters that follow.
std::vector<Look> ReadLooks(CRichEditCtrl& edit)
{
    std::string rtf;
    EDITSTREAM stream = { reinterpret_cast<DWORD_PTR>(&rtf), 0, AppendRtf };
    edit.SendMessage(EM_STREAMOUT, SF_RTF, reinterpret_cast<LPARAM>(&stream));
    std::vector<COLORREF> colours;
    const size_t nTable = rtf.find("{\\colortbl");
    for (size_t i = nTable + 10; nTable != std::string::npos && i < rtf.find('}', nTable); i = rtf.find(';', i) + 1)
    {
        int nRed = 0, nGreen = 0, nBlue = 0;
        std::sscanf(rtf.c_str() + i, "\\red%d\\green%d\\blue%d", &nRed, &nGreen, &nBlue);
        colours.push_back(RGB(nRed, nGreen, nBlue));
    }

    std::vector<Look> looks;
    Look look = kPlain;
    auto isNumber = [&](size_t i) { return std::isdigit(static_cast<unsigned char>(rtf[i])) || rtf[i] == '-'; };
    for (size_t i = std::min(rtf.find("\\pard"), rtf.size()); i < rtf.size();)
    {
        if (std::strchr("{}\r\n", rtf[i]))
            ++i;
        else if (rtf[i] != '\\')
            looks.push_back(look), ++i;
        else if (!std::isalpha(static_cast<unsigned char>(rtf[i + 1])))
            looks.push_back(look), i += rtf[i + 1] == '\'' ? 4 : 2;
        else
        {
            size_t j = i + 1;
            while (std::isalpha(static_cast<unsigned char>(rtf[j])))
                ++j;
            const std::string word = rtf.substr(i + 1, j - i - 1);
            const int nNumber = isNumber(j) ? std::atoi(rtf.c_str() + j) : 1;
            while (isNumber(j))
                ++j;
            j += rtf[j] == ' ';
            if (word == "par" || word == "tab" || word == "u")
                looks.push_back(look);
            if (word == "u")
                j += rtf[j] == '\\' ? 4 : 1;
            if (word == "cf")
                look.crColor = static_cast<size_t>(nNumber) < colours.size() ? colours[nNumber] : CLR_INVALID;
            if (word == "b")
                look.bBold = nNumber != 0;
            i = j;
        }
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
