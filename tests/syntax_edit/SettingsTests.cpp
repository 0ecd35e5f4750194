// Word lists, presets and the other language settings.
#include "EditorFixture.h"

namespace edtest
{
using Settings = EditorTest;

TEST_F(Settings, WithoutALanguageEveryLineIsACommentFromItsFirstCharacter)
{
    SetText(L"  ab\r\tcd");
    EXPECT_TRUE(HasLooks("..CC..CC"));
}

TEST_F(Settings, WordListsAreSplitAtSpacesOnly)
{
    m_edit.SetCaseSensitive(TRUE);
    for (LPCWSTR pszList : { L"  alpha   beta", L"gam\tma delta ", L" \t ", L"" })
        m_edit.AddKeywords(pszList);
    EXPECT_EQ(4, m_edit.m_mapKeywords.GetCount());
    for (LPCWSTR pszWord : { L"alpha", L"beta", L"gam\tma", L"delta" })
        EXPECT_EQ(CString(pszWord), m_edit.ListedKeyword(pszWord));
    EXPECT_EQ(CString(), m_edit.ListedKeyword(L"gam"));
}

TEST_F(Settings, TheSpellingAddedLastWinsWhenCaseIsIgnored)
{
    // Without a language the empty comment markers would match everywhere.
    m_edit.SetComment(L"//");
    m_edit.SetComment(L"/*", L"*/");
    m_edit.AddKeywords(L"If");
    m_edit.AddKeywords(L"IF");
    SetText(L"if If iF");
    EXPECT_EQ(CString(L"IF IF IF"), Text());
    EXPECT_TRUE(HasLooks("KK KK KK"));

    m_edit.SetCaseSensitive(TRUE);
    SetText(L"if If IF");
    EXPECT_TRUE(HasLooks("PP KK KK"));
}

TEST_F(Settings, PresetsCarryTheirWordListsExactly)
{
    struct Expected
    {
        CTavSyntaxColorEdit::ELanguage eLanguage;
        INT_PTR nKeywords;
        INT_PTR nConstants;
    };
    for (const Expected& expected : { Expected{ kScript, 19, 3 }, Expected{ kBasic, 41, 76 }, Expected{ kCpp, 80, 2 } })
    {
        SCOPED_TRACE(expected.eLanguage);
        m_edit.SetLanguage(expected.eLanguage);
        EXPECT_EQ(expected.nKeywords, m_edit.m_mapKeywords.GetCount());
        EXPECT_EQ(expected.nKeywords, m_edit.m_mapKeywordsLower.GetCount());
        EXPECT_EQ(expected.nConstants, m_edit.m_mapConstants.GetCount());
    }
    m_edit.SetLanguage(kBasic);
    EXPECT_EQ(CString(L"vbCrLf"), m_edit.ListedConstant(L"VBCRLF"));
}

TEST_F(Settings, APresetLeavesNoWordsOfThePreviousOneAndKeepsTheHostsColours)
{
    m_edit.SetKeywordColor(RGB(10, 20, 30), TRUE);
    m_edit.SetChangeCase(FALSE);
    m_edit.SetLanguage(kBasic);
    m_edit.SetLanguage(kCpp);
    for (LPCWSTR pszWord : { L"Dim", L"Wend", L"vbRed", L"Nothing" })
        EXPECT_EQ(CString(), m_edit.ListedKeyword(pszWord) + m_edit.ListedConstant(pszWord));
    EXPECT_FALSE(m_edit.m_bChangeCase);

    SetText(L"class Dim");
    EXPECT_TRUE(HasLook(0, 5, Look{ RGB(10, 20, 30), true }));
    EXPECT_TRUE(HasLook(6, 9, kPlain));
}

TEST_F(Settings, AnUnknownLanguageKeepsEverySettingAndStillRecolours)
{
    m_edit.SetLanguage(kCpp);
    m_edit.SetMultiLineComment(FALSE);
    m_edit.SetStringQuotes(L'\'');
    SetText(L"int 'a'");
    m_edit.SetKeywordColor(kRed.crColor, FALSE);

    m_edit.SetLanguage(static_cast<CTavSyntaxColorEdit::ELanguage>(7));
    EXPECT_FALSE(m_edit.m_bMultiLineComment);
    EXPECT_EQ(L'\'', m_edit.m_chStringQuote);
    EXPECT_EQ(CString(L"//"), m_edit.m_strLineComment);
    EXPECT_EQ(80, m_edit.m_mapKeywords.GetCount());
    EXPECT_TRUE(HasLook(0, 3, kRed));
    EXPECT_TRUE(HasLook(4, 7, kString));
}

TEST_F(Settings, PresetChosenBeforeTheWindowExistsColoursOnceTextArrives)
{
    CTestEdit early;
    early.SetLanguage(kCpp);
    ASSERT_TRUE(early.Create(WS_CHILD | WS_VISIBLE | ES_MULTILINE, CRect(0, 0, 200, 100), &m_host, kEditId + 1));
    early.SetWindowText(L"int x");
    EXPECT_TRUE(edtest::HasLooks(early, "KKK P"));
    // The default format that Initialize gave: protected Courier New, 10 points.
    early.SetSel(0, 3);
    CHARFORMAT cf = {};
    early.GetSelectionCharFormat(cf);
    EXPECT_TRUE(cf.dwEffects & CFE_PROTECTED);
    EXPECT_EQ(200, cf.yHeight);
    EXPECT_EQ(CString(L"Courier New"), CString(cf.szFaceName));
    EXPECT_EQ(LONG(ENM_CHANGE | ENM_SELCHANGE | ENM_PROTECTED), early.GetEventMask());
    // Tab stops every 0.2 inch.
    PARAFORMAT pf = {};
    early.GetParaFormat(pf);
    ASSERT_EQ(32, pf.cTabCount);
    EXPECT_EQ(288, pf.rgxTabs[0]);
    EXPECT_EQ(9216, pf.rgxTabs[31]);
    early.DestroyWindow();
}
} // namespace edtest
