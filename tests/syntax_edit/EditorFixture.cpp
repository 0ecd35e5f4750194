#include "EditorFixture.h"

#include <cstring>
#include <sstream>
#include <string>

namespace
{
std::string Narrow(const CString& str)
{
    std::string narrow;
    for (int i = 0; i < str.GetLength(); ++i)
        narrow += str[i] == L'\r' ? '|' : static_cast<char>(str[i] < 0x80 ? str[i] : '?');
    return narrow;
}
} // namespace

void PrintTo(const CString& str, std::ostream* pStream)
{
    *pStream << '"' << Narrow(str) << '"';
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
