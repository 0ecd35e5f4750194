// Word lists, presets and the other language settings.
#include "EditorFixture.h"

namespace edtest
{
class Settings : public EditorTest
{
protected:
    bool IsKeyword(LPCWSTR lpszWord)
    {
        CString strListed;
        return m_edit.IsKeyword(lpszWord, strListed) != FALSE;
    }
    bool IsConstant(LPCWSTR lpszWord)
    {
        CString strListed;
        return m_edit.IsConstant(lpszWord, strListed) != FALSE;
    }
};

TEST_F(Settings, WordListsAreSplitAtSpacesOnly)
{
    m_edit.SetCaseSensitive(TRUE);
    m_edit.AddKeywords(L"  alpha   beta");
    m_edit.AddKeywords(L"gam\tma delta ");
    m_edit.AddKeywords(L" \t ");
    m_edit.AddKeywords(L"");
    EXPECT_EQ(4, m_edit.m_mapKeywords.GetCount());
    EXPECT_TRUE(IsKeyword(L"alpha"));
    EXPECT_TRUE(IsKeyword(L"beta"));
    EXPECT_TRUE(IsKeyword(L"gam\tma"));
    EXPECT_TRUE(IsKeyword(L"delta"));
    EXPECT_FALSE(IsKeyword(L"gam"));

    m_edit.SetComment(L"//");
    m_edit.SetComment(L"/*", L"*/");
    SetText(L"alpha beta gamma");
    EXPECT_TRUE(HasLooks("KKKKK KKKK PPPPP"));
}

TEST_F(Settings, TheSpellingAddedLastWinsWhenCaseIsIgnored)
{
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

TEST_F(Settings, ChangeCaseOffKeepsTheUsersSpelling)
{
    m_edit.SetLanguage(CTavSyntaxColorEdit::eLanguageBasic);
    m_edit.SetChangeCase(FALSE);
    SetText(L"dim x");
    EXPECT_EQ(CString(L"dim x"), Text());
    EXPECT_TRUE(HasLooks("KKK P"));
}

TEST_F(Settings, PresetsCarryTheirWordListsExactly)
{
    struct Expected
    {
        CTavSyntaxColorEdit::ELanguage eLanguage;
        INT_PTR nKeywords;
        INT_PTR nConstants;
    };
    for (const Expected& expected : { Expected{ CTavSyntaxColorEdit::eLanguageScript, 19, 3 },
                                      Expected{ CTavSyntaxColorEdit::eLanguageBasic, 41, 76 },
                                      Expected{ CTavSyntaxColorEdit::eLanguageCpp, 80, 2 } })
    {
        m_edit.SetLanguage(expected.eLanguage);
        EXPECT_EQ(expected.nKeywords, m_edit.m_mapKeywords.GetCount()) << expected.eLanguage;
        EXPECT_EQ(expected.nKeywords, m_edit.m_mapKeywordsLower.GetCount()) << expected.eLanguage;
        EXPECT_EQ(expected.nConstants, m_edit.m_mapConstants.GetCount()) << expected.eLanguage;
    }
    m_edit.SetLanguage(CTavSyntaxColorEdit::eLanguageBasic);
    EXPECT_EQ(CString(L"Rem "), m_edit.m_strLineComment);
    EXPECT_EQ(CString(L"'"), m_edit.m_strCommentStart);
    EXPECT_FALSE(m_edit.m_bMultiLineComment);
    CString strListed;
    EXPECT_TRUE(m_edit.IsConstant(L"VBCRLF", strListed));
    EXPECT_EQ(CString(L"vbCrLf"), strListed);
}

TEST_F(Settings, APresetLeavesNoWordsOfThePreviousOneAndKeepsTheHostsColours)
{
    m_edit.SetKeywordColor(RGB(10, 20, 30), TRUE);
    m_edit.SetChangeCase(FALSE);
    m_edit.SetLanguage(CTavSyntaxColorEdit::eLanguageBasic);
    m_edit.SetLanguage(CTavSyntaxColorEdit::eLanguageCpp);
    EXPECT_FALSE(IsKeyword(L"Dim"));
    EXPECT_FALSE(IsKeyword(L"Wend"));
    EXPECT_FALSE(IsConstant(L"vbRed"));
    EXPECT_FALSE(IsConstant(L"Nothing"));
    EXPECT_TRUE(IsKeyword(L"class"));
    EXPECT_FALSE(m_edit.m_bChangeCase);

    SetText(L"class Dim");
    EXPECT_TRUE(HasLook(0, 5, Look{ RGB(10, 20, 30), true }));
    EXPECT_TRUE(HasLook(6, 9, kPlain));
}

TEST_F(Settings, AnUnknownLanguageKeepsEverySettingAndStillRecolours)
{
    m_edit.SetLanguage(CTavSyntaxColorEdit::eLanguageCpp);
    m_edit.SetMultiLineComment(FALSE);
    m_edit.SetStringQuotes(L'\'');
    SetText(L"int 'a'");
    m_edit.SetKeywordColor(RGB(200, 0, 0), FALSE);

    m_edit.SetLanguage(static_cast<CTavSyntaxColorEdit::ELanguage>(7));
    EXPECT_FALSE(m_edit.m_bMultiLineComment);
    EXPECT_EQ(L'\'', m_edit.m_chStringQuote);
    EXPECT_EQ(CString(L"//"), m_edit.m_strLineComment);
    EXPECT_EQ(80, m_edit.m_mapKeywords.GetCount());
    EXPECT_TRUE(HasLook(0, 3, Look{ RGB(200, 0, 0), false }));
    EXPECT_TRUE(HasLook(4, 7, kString));
}

TEST_F(Settings, PresetChosenBeforeTheWindowExistsColoursOnceTextArrives)
{
    CTestEdit early;
    early.SetLanguage(CTavSyntaxColorEdit::eLanguageCpp);
    ASSERT_TRUE(early.Create(WS_CHILD | WS_VISIBLE | ES_MULTILINE, CRect(0, 0, 200, 100), &m_host, kEditId + 1));
    early.SetWindowText(L"int x");
    early.SetSel(0, 3);
    CHARFORMAT cf = {};
    early.GetSelectionCharFormat(cf);
    EXPECT_EQ(kKeyword.crColor, cf.crTextColor);
    // The default format that Initialize gave: protected Courier New, 10 points, not bold.
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
