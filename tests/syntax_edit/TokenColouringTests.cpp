// How text is split into tokens and coloured, read back from the control character by character.
#include "EditorFixture.h"

namespace edtest
{
class TokenColouring : public EditorTest
{
protected:
    void SetUp() override
    {
        EditorTest::SetUp();
        m_edit.SetLanguage(CTavSyntaxColorEdit::eLanguageCpp);
    }
};

TEST_F(TokenColouring, LineCommentsStartAtTheMarkerButNotInsideStrings)
{
    SetText(L"a//b\r\"x//y\" z");
    EXPECT_TRUE(HasLooks("PCCC SSSSSS P"));
}

TEST_F(TokenColouring, BlockCommentEndSearchStartsInsideTheStartMarker)
{
    SetText(L"/*/ x\ry");
    EXPECT_TRUE(HasLooks("CCC P P"));
    SetText(L"a /* b */ c");
    EXPECT_TRUE(HasLooks("P CCCCCCC P"));
}

TEST_F(TokenColouring, OpenStringsEndBeforeTheLineBreakOrAtTheEnd)
{
    SetText(L"\"abc\rdef = \"gh");
    EXPECT_TRUE(HasLooks("SSSS PPP P SSS"));
}

TEST_F(TokenColouring, BackslashDoesNotEscapeAQuote)
{
    SetText(L"\"a\\\"b\" c");
    // "a\" is a string, b is a word, and the last quote opens a string to the end.
    EXPECT_TRUE(HasLooks("SS.SPSSS"));
}

TEST_F(TokenColouring, NumbersFollowTheDecimalRule)
{
    SetText(L"12abc -5 - x +5 .5 1.5e3 0x1F");
    EXPECT_TRUE(HasLooks("NNPPP NN P P PN PN NNNNN NPPP"));
}

TEST_F(TokenColouring, KeywordsAndConstantsTakeTheirColours)
{
    SetText(L"int x = true; Dim implements");
    EXPECT_TRUE(HasLooks("KKK P P BBBBP PPP PPPPPPPPPP"));
    m_edit.SetLanguage(CTavSyntaxColorEdit::eLanguageScript);
    // The script language lists the misspelt "implmements" and its own constants.
    SetText(L"Dim implmements implements null");
    EXPECT_TRUE(HasLooks("KKK KKKKKKKKKKK PPPPPPPPPP BBBB"));
}

TEST_F(TokenColouring, BasicRemStartsACommentOnlyAsWrittenWithASpace)
{
    m_edit.SetLanguage(CTavSyntaxColorEdit::eLanguageBasic);
    SetText(L"Rem note\rRemark x");
    EXPECT_TRUE(HasLooks("CCCCCCCC PPPPPP P"));
    // rem is the keyword Rem: rewritten in this pass, a comment from the next pass over the line on.
    SetText(L"rem note");
    EXPECT_EQ(CString(L"Rem note"), Text());
    EXPECT_TRUE(HasLooks("KKK PPPP"));
    m_edit.FormatAll();
    EXPECT_TRUE(HasLooks("CCCCCCCC"));
}

TEST_F(TokenColouring, BasicApostropheCommentEndsAtTheNextApostropheOrTheLineEnd)
{
    m_edit.SetLanguage(CTavSyntaxColorEdit::eLanguageBasic);
    SetText(L"x 'c' y 'd\rz");
    EXPECT_TRUE(HasLooks("P CCC P CC P"));
}

TEST_F(TokenColouring, WithoutALanguageEveryLineIsACommentFromItsFirstCharacter)
{
    CTestEdit bare;
    ASSERT_TRUE(bare.Create(WS_CHILD | WS_VISIBLE | ES_MULTILINE, CRect(0, 0, 200, 100), &m_host, kEditId + 1));
    bare.SetWindowText(L"  ab\r\tcd");
    CHARFORMAT cf = {};
    bare.SetSel(2, 4);
    bare.GetSelectionCharFormat(cf);
    EXPECT_EQ(kComment.crColor, cf.crTextColor);
    bare.SetSel(6, 8);
    bare.GetSelectionCharFormat(cf);
    EXPECT_EQ(kComment.crColor, cf.crTextColor);
    bare.DestroyWindow();
}

TEST_F(TokenColouring, BlanksAndBackslashesKeepTheFormatTheyHave)
{
    SetText(L"/*x*/");
    PlaceCaret(5);
    kit::TypeText(L" \\");
    // Typed next to the comment they take its look, and the pass leaves them so.
    EXPECT_TRUE(HasLook(5, 7, kComment));
}

TEST_F(TokenColouring, ColourSettersTakeEffectFromTheNextPass)
{
    SetText(L"int x");
    m_edit.SetKeywordColor(RGB(200, 0, 0), TRUE);
    EXPECT_TRUE(HasLook(0, 3, kKeyword));
    m_edit.FormatAll();
    EXPECT_TRUE(HasLook(0, 3, Look{ RGB(200, 0, 0), true }));
}
} // namespace edtest
