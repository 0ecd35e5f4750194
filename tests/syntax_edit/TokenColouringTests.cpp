// How text is split into tokens and coloured, read back from the control character by character.
#include "EditorFixture.h"

namespace edtest
{
using TokenColouring = CppEditorTest;

TEST_F(TokenColouring, EachKindOfTokenTakesItsLook)
{
    struct Case
    {
        const char* pszName;
        CTavSyntaxColorEdit::ELanguage eLanguage;
        LPCWSTR pszText;
        const char* pszLooks;
    };
    const Case cases[] = {
        { "line comments start at the marker but not inside strings", kCpp, L"a//b\r\"x//y\" z", "PCCC SSSSSS P" },
        { "the end marker is searched from inside the start marker", kCpp, L"/*/ x\ry", "CCC P P" },
        { "a block comment within a line", kCpp, L"a /* b */ c", "P CCCCCCC P" },
        { "open strings end before the line break or at the end", kCpp, L"\"abc\rdef = \"gh", "SSSS PPP P SSS" },
        // "a\" is a string, b is a word, and the last quote opens a string to the end.
        { "a backslash does not escape a quote", kCpp, L"\"a\\\"b\" c", "SS.SPSSS" },
        { "numbers follow the decimal rule", kCpp, L"12abc -5 - x +5 .5 1.5e3 0x1F",
          "NNPPP NN P P PN PN NNNNN NPPP" },
        { "C keywords and constants", kCpp, L"int x = true; Dim implements", "KKK P P BBBBP PPP PPPPPPPPPP" },
        { "script lists the misspelt implmements and its own constants", kScript, L"Dim implmements implements null",
          "KKK KKKKKKKKKKK PPPPPPPPPP BBBB" },
        { "Basic Rem starts a comment only with a space", kBasic, L"Rem note\rRemark x", "CCCCCCCC PPPPPP P" },
        { "a Basic apostrophe comment ends at the next apostrophe or the line end", kBasic, L"x 'c' y 'd\rz",
          "P CCC P CC P" },
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.pszName);
        m_edit.SetLanguage(c.eLanguage);
        SetText(c.pszText);
        EXPECT_TRUE(HasLooks(c.pszLooks));
    }
}

TEST_F(TokenColouring, BasicRemInLowerCaseIsAKeywordUntilTheNextPass)
{
    m_edit.SetLanguage(kBasic);
    SetText(L"rem note");
    EXPECT_EQ(CString(L"Rem note"), Text());
    EXPECT_TRUE(HasLooks("KKK PPPP"));
    m_edit.FormatAll();
    EXPECT_TRUE(HasLooks("CCCCCCCC"));
}

TEST_F(TokenColouring, BlanksAndBackslashesKeepTheFormatTheyHave)
{
    SetText(L"/*x*/");
    PlaceCaret(5);
    kit::TypeText(L" \\");
    // Typed next to the comment they take its look, and the pass leaves them so.
    EXPECT_TRUE(HasLook(5, 7, kComment));
}
} // namespace edtest
