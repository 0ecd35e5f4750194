#pragma once
// Splits program text into the tokens that the editor colours, by the rules of a language's settings.
#include "SyntaxLanguage.h"

#include <vector>

struct CTavSyntaxToken
{
    int nStart;                            // index of the first character in the tokenized text
    int nEnd;                              // index just past the last character
    CTavSyntaxLanguage::ETokenKind eKind;
    CString strListed;                     // keywords and constants: the spelling of the word list
};

class TAV_API CTavSyntaxTokenizer
{
public:
    explicit CTavSyntaxTokenizer(const CTavSyntaxLanguage& language) : m_language(language) {}

    // Every token of the text in order. Blanks, line breaks and backslashes between tokens belong to none.
    // bInBlock: the text starts inside a block comment opened before it, which runs on to the first end
    // marker. pbEndsInBlock, when given, receives whether a block comment runs on past the end of the text.
    std::vector<CTavSyntaxToken> Tokenize(std::wstring_view text, BOOL bInBlock = FALSE,
                                          BOOL* pbEndsInBlock = nullptr) const;

    // Length of the decimal number at the start of the text (optional minus, digits with an optional
    // fraction, optional exponent); 0 when there is none.
    static int ScanNumber(std::wstring_view text);

private:
    CTavSyntaxToken ReadToken(std::wstring_view rest, BOOL& bRunsOn) const;
    int ScanString(std::wstring_view rest) const;
    CTavSyntaxToken ReadWord(std::wstring_view rest) const;

    static BOOL IsSkipped(wchar_t ch);
    static BOOL IsWordStart(wchar_t ch);
    static BOOL IsWordPart(wchar_t ch);

    const CTavSyntaxLanguage& m_language;
};
