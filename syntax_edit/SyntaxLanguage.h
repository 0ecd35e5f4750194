#pragma once
// The settings that steer syntax colouring: word lists, comment and string markers, case rules and the
// colour of each kind of token, with the three built-in language presets.
#include "TavApi.h"

#include "frame/Collections.h"
#include "frame/String.h"

#include <string_view>

class TAV_API CTavSyntaxLanguage
{
    friend class CTavSyntaxTokenizer;

public:
    enum ELanguage
    {
        eLanguageScript = 0,
        eLanguageBasic = 1,
        eLanguageCpp = 2
    };

    enum ETokenKind
    {
        eTokenPlain,
        eTokenComment,
        eTokenNumber,
        eTokenString,
        eTokenKeyword,
        eTokenConstant
    };

    // The look of one token: its colour and whether it is bold.
    struct CTokenFormat
    {
        COLORREF crColor;
        BOOL bBold;
    };

    CTavSyntaxLanguage();

    void SetCaseSensitive(int bCaseSensitive) { m_bCaseSensitive = bCaseSensitive; }
    void SetChangeCase(int bChangeCase) { m_bChangeCase = bChangeCase; }
    void SetMultiLineComment(int bMultiLine) { m_bMultiLineComment = bMultiLine; }
    void SetComment(const CString& strStart, const CString& strEnd);
    void SetComment(const CString& strLine) { m_strLineComment = strLine; }
    void SetStringQuotes(wchar_t chQuote) { m_chStringQuote = chQuote; }

    void AddKeywords(const CString& strList);
    void AddConstants(const CString& strList);
    void ClearKeywords();
    void ClearConstants();

    void SetKeywordColor(COLORREF crColor, int bBold);
    void SetConstantColor(COLORREF crColor, int bBold);
    void SetCommentColor(COLORREF crColor, int bBold);
    void SetNumberColor(COLORREF crColor, int bBold);
    void SetStringColor(COLORREF crColor, int bBold);

    // Text that is none of the coloured kinds is always black and not bold.
    static constexpr COLORREF s_crPlain = RGB(0, 0, 0);

    CTokenFormat GetTokenFormat(ETokenKind eKind) const;

protected:
    // Applies the settings of a preset; an unknown value changes nothing.
    void ApplyPreset(int nLanguage);

    void AddWordsToMap(const CString& strList, CMapStringToString& map, int bLowerKeys);

    int IsLineComment(const CString& strText) const { return StartsWith(strText.Str(), m_strLineComment); }
    int IsCommentStart(const CString& strText) const { return StartsWith(strText.Str(), m_strCommentStart); }
    int IsCommentEnd(const CString& strText) const { return StartsWith(strText.Str(), m_strCommentEnd); }
    int IsStringQuote(wchar_t ch) const { return ch == m_chStringQuote; }
    unsigned int FindCommentEnd(const CString& strText) const
    {
        return FindCommentEnd(std::wstring_view(strText.Str()));
    }
    int IsKeyword(const CString& strWord, CString& strListed) const;
    int IsConstant(const CString& strWord, CString& strListed) const;

    // The same tests on a piece of a larger text, so that the tokenizer never copies the rest of a text.
    static BOOL StartsWith(std::wstring_view text, const CString& strMarker);
    // pbRunsOn, when given, receives whether the comment runs on past the end of the text: no end marker
    // closes it there and comments span lines.
    unsigned int FindCommentEnd(std::wstring_view text, BOOL* pbRunsOn = nullptr) const;

    int m_bCaseSensitive;
    int m_bChangeCase;
    int m_bMultiLineComment;
    CString m_strCommentStart;
    CString m_strCommentEnd;
    CString m_strLineComment;
    wchar_t m_chStringQuote;
    CMapStringToString m_mapKeywords;
    CMapStringToString m_mapConstants;
    CMapStringToString m_mapKeywordsLower;
    CMapStringToString m_mapConstantsLower;
    COLORREF m_crComment;
    int m_bCommentBold;
    COLORREF m_crNumber;
    int m_bNumberBold;
    COLORREF m_crString;
    int m_bStringBold;
    COLORREF m_crKeyword;
    int m_bKeywordBold;
    COLORREF m_crConstant;
    int m_bConstantBold;

private:
    static BOOL LookUpWord(const CString& strWord, const CMapStringToString& mapExact,
                           const CMapStringToString& mapLower, BOOL bCaseSensitive, CString& strListed);
};
