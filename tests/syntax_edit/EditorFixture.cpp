#include "EditorFixture.h"

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
BEGIN_MESSAGE_MAP(CRecordingHost, kit::CHostDialog)
    ON_EN_CHANGE(kEditId, OnEditChange)
    ON_NOTIFY(EN_PROTECTED, kEditId, OnEditProtected)
    ON_NOTIFY(EN_SELCHANGE, kEditId, OnEditSelChange)
END_MESSAGE_MAP()

int CRecordingHost::Count(UINT nCode) const
{
    int nCount = 0;
    for (UINT nSeen : m_codes)
        nCount += nSeen == nCode;
    return nCount;
}

void CRecordingHost::OnEditChange()
{
    m_codes.push_back(EN_CHANGE);
}

void CRecordingHost::OnEditProtected(NMHDR*, LRESULT* pResult)
{
    m_codes.push_back(EN_PROTECTED);
    *pResult = 0;
}

void CRecordingHost::OnEditSelChange(NMHDR*, LRESULT*)
{
    m_codes.push_back(EN_SELCHANGE);
}

void EditorTest::SetUp()
{
    ASSERT_TRUE(m_host.Open(520, 400));
    ASSERT_TRUE(m_edit.Create(WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL |
                                  ES_WANTRETURN,
                              CRect(5, 5, 515, 395), &m_host, kEditId));
    m_edit.SetFocus();
    kit::PumpUntilIdle();
}

void EditorTest::SetText(LPCWSTR lpszText)
{
    m_edit.SetWindowText(lpszText);
    kit::PumpUntilIdle();
}

CHARRANGE EditorTest::Selection()
{
    CHARRANGE chrg = {};
    m_edit.GetSel(chrg);
    return chrg;
}

void EditorTest::PlaceCaret(long nPos)
{
    m_edit.SetSel(nPos, nPos);
    kit::PumpUntilIdle();
}

bool EditorTest::ReadLook(long nFrom, long nTo, Look& look)
{
    const CHARRANGE chrgSaved = Selection();
    const DWORD dwMask = m_edit.GetEventMask();
    m_edit.SetEventMask(0);
    m_edit.SetSel(nFrom, nTo);
    CHARFORMAT cf = {};
    const DWORD dwValid = m_edit.GetSelectionCharFormat(cf);
    m_edit.SetSel(chrgSaved.cpMin, chrgSaved.cpMax);
    m_edit.SetEventMask(dwMask);
    look = { cf.crTextColor, (cf.dwEffects & CFE_BOLD) != 0 };
    return (dwValid & (CFM_COLOR | CFM_BOLD)) == (CFM_COLOR | CFM_BOLD);
}

::testing::AssertionResult EditorTest::HasLook(long nFrom, long nTo, Look expected)
{
    Look look = {};
    if (!ReadLook(nFrom, nTo, look))
        return ::testing::AssertionFailure() << "[" << nFrom << ", " << nTo << ") has mixed formats";
    if (look.crColor != expected.crColor || look.bBold != expected.bBold)
        return ::testing::AssertionFailure() << "[" << nFrom << ", " << nTo << ") is colour 0x" << std::hex
                                             << look.crColor << (look.bBold ? " bold" : " not bold") << ", expected 0x"
                                             << expected.crColor << (expected.bBold ? " bold" : " not bold");
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult EditorTest::HasLooks(const char* pszPattern)
{
    auto lookOf = [](char ch, Look& look) {
        switch (ch)
        {
        case 'P': look = kPlain; return true;
        case 'C': look = kComment; return true;
        case 'N': look = kNumber; return true;
        case 'S': look = kString; return true;
        case 'K': look = kKeyword; return true;
        case 'B': look = kConstant; return true;
        default: return false;
        }
    };
    const std::string pattern(pszPattern);
    for (size_t i = 0; i < pattern.size();)
    {
        size_t j = i + 1;
        while (j < pattern.size() && pattern[j] == pattern[i])
            ++j;
        Look expected = {};
        if (lookOf(pattern[i], expected))
        {
            ::testing::AssertionResult result = HasLook(static_cast<long>(i), static_cast<long>(j), expected);
            if (!result)
                return result << " in \"" << Narrow(Text()) << "\" (pattern " << pattern << ")";
        }
        i = j;
    }
    return ::testing::AssertionSuccess();
}
} // namespace edtest
