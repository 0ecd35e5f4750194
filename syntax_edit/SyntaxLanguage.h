#pragma once
// The settings that steer syntax colouring: word lists, comment and string markers, case rules and the
// colour of each kind of token, with the three built-in language presets.
#include "TavApi.h"

#include "frame/Collections.h"
#include "frame/String.h"

#include <string_view>

/// The settings that steer the colouring of a CTavSyntaxColorEdit: word lists, comment and string markers,
/// case rules and the look of each kind of token. Setters store only; SetLanguage applies a preset.
class TAV_API CTavSyntaxLanguage
{
    friend class CTavSyntaxTokenizer;

public:
    /// The built-in presets.
    enum ELanguage
    {
        eLanguageScript = 0,   ///< brace-style script language with C comments, case-sensitive
        eLanguageBasic = 1,    ///< Basic-family script language, case-insensitive, keywords rewritten as listed
        eLanguageCpp = 2       ///< C and C++ with the Microsoft-specific keywords, case-sensitive
    };

    /// The kinds of token the colouring tells apart.
    enum ETokenKind
    {
        eTokenPlain,      ///< anything else: black, not bold
        eTokenComment,    ///< line or block comment
        eTokenNumber,     ///< a number as the C library reads it
        eTokenString,     ///< text between two string quotes
        eTokenKeyword,    ///< a word of the keyword list
        eTokenConstant    ///< a word of the constant list (a keyword wins over a constant)
    };

    /// The look of one kind of token.
    struct CTokenFormat
    {
        COLORREF crColor;   ///< text colour
        BOOL bBold;         ///< whether the text is bold
    };

    /// Empty markers and word lists until a preset or the setters fill them.
    CTavSyntaxLanguage();

    /// Whether keywords and constants match only in their listed spelling.
    void SetCaseSensitive(int bCaseSensitive) { m_bCaseSensitive = bCaseSensitive; }
    /// Whether a case-insensitive match is rewritten in its listed spelling (on by default).
    void SetChangeCase(int bChangeCase) { m_bChangeCase = bChangeCase; }
    /// Whether a block comment may run over line ends.
    void SetMultiLineComment(int bMultiLine) { m_bMultiLineComment = bMultiLine; }
    /// The markers that open and close a block comment.
    void SetComment(const CString& strStart, const CString& strEnd);
    /// The marker that opens a comment running to the end of its line.
    void SetComment(const CString& strLine) { m_strLineComment = strLine; }
    /// The one character that opens and closes a string.
    void SetStringQuotes(wchar_t chQuote) { m_chStringQuote = chQuote; }

    /// Adds the words of a space-separated list to the keywords; words accumulate until cleared.
    void AddKeywords(const CString& strList);
    /// Adds the words of a space-separated list to the constants.
    void AddConstants(const CString& strList);
    /// Forgets every keyword.
    void ClearKeywords();
    /// Forgets every constant.
    void ClearConstants();

    /// Colour and boldness of keywords, from the next colouring on.
    void SetKeywordColor(COLORREF crColor, int bBold);
    /// Colour and boldness of constants.
    void SetConstantColor(COLORREF crColor, int bBold);
    /// Colour and boldness of comments.
    void SetCommentColor(COLORREF crColor, int bBold);
    /// Colour and boldness of numbers.
    void SetNumberColor(COLORREF crColor, int bBold);
    /// Colour and boldness of strings.
    void SetStringColor(COLORREF crColor, int bBold);

    /// Text that is none of the coloured kinds is always black and not bold.
    static constexpr COLORREF s_crPlain = RGB(0, 0, 0);

    /// The current look of a kind of token.
    CTokenFormat GetTokenFormat(ETokenKind eKind) const;

protected:
    /// Applies the settings of a preset; an unknown value changes nothing.
    void ApplyPreset(int nLanguage);

    /// Adds a list's words to one map, with lower-case keys when bLowerKeys is set.
    void AddWordsToMap(const CString& strList, CMapStringToString& map, int bLowerKeys);

    /// Whether the text starts with the line-comment marker.
    int IsLineComment(const CString& strText) const { return StartsWith(strText.Str(), m_strLineComment); }
    /// Whether the text starts with the block-comment start marker.
    int IsCommentStart(const CString& strText) const { return StartsWith(strText.Str(), m_strCommentStart); }
    /// Whether the text starts with the block-comment end marker.
    int IsCommentEnd(const CString& strText) const { return StartsWith(strText.Str(), m_strCommentEnd); }
    /// Whether the character is the string quote.
    int IsStringQuote(wchar_t ch) const { return ch == m_chStringQuote; }
    /// The length of the block comment at the start of the text: through its end marker, else to the line
    /// end (single-line comments) or the end of the text.
    unsigned int FindCommentEnd(const CString& strText) const
    {
        return FindCommentEnd(std::wstring_view(strText.Str()));
    }
    /// Whether the word is a keyword under the case rule; strListed receives its listed spelling.
    int IsKeyword(const CString& strWord, CString& strListed) const;
    /// Whether the word is a constant under the case rule; strListed receives its listed spelling.
    int IsConstant(const CString& strWord, CString& strListed) const;

    /// Whether a piece of a larger text starts with the marker (an empty marker always matches).
    static BOOL StartsWith(std::wstring_view text, const CString& strMarker);
    /// FindCommentEnd on a piece of a larger text, which it does not copy. pbRunsOn, when given, receives
    /// whether the comment runs on past the end of the text: no end marker closes it there and comments span
    /// lines.
    unsigned int FindCommentEnd(std::wstring_view text, BOOL* pbRunsOn = nullptr) const;

    int m_bCaseSensitive;                   ///< see SetCaseSensitive
    int m_bChangeCase;                      ///< see SetChangeCase
    int m_bMultiLineComment;                ///< see SetMultiLineComment
    CString m_strCommentStart;              ///< block comment start marker
    CString m_strCommentEnd;                ///< block comment end marker
    CString m_strLineComment;               ///< line comment marker
    wchar_t m_chStringQuote;                ///< string quote character
    CMapStringToString m_mapKeywords;       ///< keywords by exact spelling
    CMapStringToString m_mapConstants;      ///< constants by exact spelling
    CMapStringToString m_mapKeywordsLower;  ///< keywords by lower-case spelling, valued with the listed one
    CMapStringToString m_mapConstantsLower; ///< constants by lower-case spelling, valued with the listed one
    COLORREF m_crComment;                   ///< comment colour
    int m_bCommentBold;                     ///< comments bold
    COLORREF m_crNumber;                    ///< number colour
    int m_bNumberBold;                      ///< numbers bold
    COLORREF m_crString;                    ///< string colour
    int m_bStringBold;                      ///< strings bold
    COLORREF m_crKeyword;                   ///< keyword colour
    int m_bKeywordBold;                     ///< keywords bold
    COLORREF m_crConstant;                  ///< constant colour
    int m_bConstantBold;                    ///< constants bold

private:
    static BOOL LookUpWord(const CString& strWord, const CMapStringToString& mapExact,
                           const CMapStringToString& mapLower, BOOL bCaseSensitive, CString& strListed);
};
