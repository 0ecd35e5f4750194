#include "SyntaxTokenizer.h"

#include <algorithm>
#include <cwctype>

std::vector<CTavSyntaxToken> CTavSyntaxTokenizer::Tokenize(std::wstring_view text, BOOL bInBlock,
                                                         BOOL* pbEndsInBlock) const
{
    std::vector<CTavSyntaxToken> tokens;
    BOOL bRunsOn = bInBlock;
    size_t i = 0;
    if (bInBlock)
    {
        i = m_language.FindCommentEnd(text, &bRunsOn);
        if (i > 0)
            tokens.push_back({ 0, static_cast<int>(i), CTavSyntaxLanguage::eTokenComment, {} });
    }
    while (i < text.size())
    {
        if (IsSkipped(text[i]))
        {
            ++i;
            continue;
        }
        CTavSyntaxToken token = ReadToken(text.substr(i), bRunsOn);
        token.nStart += static_cast<int>(i);
        token.nEnd += static_cast<int>(i);
        i = static_cast<size_t>(token.nEnd);
        tokens.push_back(std::move(token));
    }
    if (pbEndsInBlock)
        *pbEndsInBlock = bRunsOn;
    return tokens;
}

// The first rule that applies decides: line comment, block comment, string, number, word, other character.
CTavSyntaxToken CTavSyntaxTokenizer::ReadToken(std::wstring_view rest, BOOL& bRunsOn) const
{
    using Language = CTavSyntaxLanguage;
    const wchar_t ch = rest[0];
    bRunsOn = FALSE;
    if (Language::StartsWith(rest, m_language.m_strLineComment))
        return { 0, static_cast<int>(std::min(rest.size(), rest.find(L'\r'))), Language::eTokenComment, {} };
    // The end-marker search starts one character into the start marker, so "/*/" closes itself.
    if (Language::StartsWith(rest, m_language.m_strCommentStart))
        return { 0, static_cast<int>(m_language.FindCommentEnd(rest.substr(1), &bRunsOn)) + 1,
                 Language::eTokenComment, {} };
    if (m_language.IsStringQuote(ch))
        return { 0, ScanString(rest), Language::eTokenString, {} };
    if ((ch >= L'0' && ch <= L'9') || ch == L'-')
    {
        const int nLength = ScanNumber(rest);
        if (nLength > 0)
            return { 0, nLength, Language::eTokenNumber, {} };
        return { 0, 1, Language::eTokenPlain, {} };
    }
    if (IsWordStart(ch))
        return ReadWord(rest);
    return { 0, 1, Language::eTokenPlain, {} };
}

// Through the closing quote; an open string ends before the line break or at the end of the text.
// There is no escape character.
int CTavSyntaxTokenizer::ScanString(std::wstring_view rest) const
{
    const std::wstring_view inner = rest.substr(1);
    const size_t nClose = inner.find(m_language.m_chStringQuote);
    size_t nLength = nClose == std::wstring_view::npos ? inner.size() + 1 : nClose + 2;
    const size_t nBreak = inner.find(L'\r');
    if (nBreak != std::wstring_view::npos && nBreak + 1 < nLength)
        nLength = nBreak + 1;
    return static_cast<int>(nLength);
}

int CTavSyntaxTokenizer::ScanNumber(std::wstring_view text)
{
    auto isDigit = [&](size_t i) { return i < text.size() && text[i] >= L'0' && text[i] <= L'9'; };
    size_t i = 0;
    if (i < text.size() && text[i] == L'-')
        ++i;
    size_t nDigits = 0;
    for (; isDigit(i); ++i)
        ++nDigits;
    if (i < text.size() && text[i] == L'.')
        for (++i; isDigit(i); ++i)
            ++nDigits;
    if (nDigits == 0)
        return 0;
    if (i < text.size() && (text[i] == L'e' || text[i] == L'E'))
    {
        size_t j = i + 1;
        if (j < text.size() && (text[j] == L'+' || text[j] == L'-'))
            ++j;
        if (isDigit(j))
        {
            while (isDigit(j))
                ++j;
            i = j;
        }
    }
    return static_cast<int>(i);
}

CTavSyntaxToken CTavSyntaxTokenizer::ReadWord(std::wstring_view rest) const
{
    size_t nLength = 1;
    while (nLength < rest.size() && IsWordPart(rest[nLength]))
        ++nLength;
    CTavSyntaxToken token{ 0, static_cast<int>(nLength), CTavSyntaxLanguage::eTokenPlain, {} };
    const CString strWord(rest.data(), static_cast<int>(nLength));
    // A word in both lists is a keyword.
    if (m_language.IsKeyword(strWord, token.strListed))
        token.eKind = CTavSyntaxLanguage::eTokenKeyword;
    else if (m_language.IsConstant(strWord, token.strListed))
        token.eKind = CTavSyntaxLanguage::eTokenConstant;
    return token;
}

BOOL CTavSyntaxTokenizer::IsSkipped(wchar_t ch)
{
    return ch == L' ' || ch == L'\t' || ch == L'\n' || ch == L'\r' || ch == L'\\';
}

BOOL CTavSyntaxTokenizer::IsWordStart(wchar_t ch)
{
    return std::iswalpha(ch) || ch == L'_';
}

BOOL CTavSyntaxTokenizer::IsWordPart(wchar_t ch)
{
    return std::iswalnum(ch) || ch == L'_';
}
