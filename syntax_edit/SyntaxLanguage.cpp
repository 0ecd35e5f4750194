#include "SyntaxLanguage.h"

#include <algorithm>

CTavSyntaxLanguage::CTavSyntaxLanguage()
    : m_bCaseSensitive(FALSE), m_bChangeCase(TRUE), m_bMultiLineComment(FALSE), m_chStringQuote(L'"'),
      m_mapKeywords(10), m_mapConstants(10), m_mapKeywordsLower(10), m_mapConstantsLower(10),
      m_crComment(RGB(0, 128, 0)), m_bCommentBold(FALSE), m_crNumber(RGB(255, 0, 255)), m_bNumberBold(FALSE),
      m_crString(RGB(255, 0, 255)), m_bStringBold(FALSE), m_crKeyword(RGB(0, 0, 255)), m_bKeywordBold(FALSE),
      m_crConstant(RGB(0, 0, 0)), m_bConstantBold(TRUE)
{
}

void CTavSyntaxLanguage::SetComment(const CString& strStart, const CString& strEnd)
{
    m_strCommentStart = strStart;
    m_strCommentEnd = strEnd;
}

void CTavSyntaxLanguage::AddKeywords(const CString& strList)
{
    AddWordsToMap(strList, m_mapKeywords, FALSE);
    AddWordsToMap(strList, m_mapKeywordsLower, TRUE);
}

void CTavSyntaxLanguage::AddConstants(const CString& strList)
{
    AddWordsToMap(strList, m_mapConstants, FALSE);
    AddWordsToMap(strList, m_mapConstantsLower, TRUE);
}

void CTavSyntaxLanguage::ClearKeywords()
{
    m_mapKeywords.RemoveAll();
    m_mapKeywordsLower.RemoveAll();
}

void CTavSyntaxLanguage::ClearConstants()
{
    m_mapConstants.RemoveAll();
    m_mapConstantsLower.RemoveAll();
}

void CTavSyntaxLanguage::SetKeywordColor(COLORREF crColor, int bBold)
{
    m_crKeyword = crColor;
    m_bKeywordBold = bBold;
}

void CTavSyntaxLanguage::SetConstantColor(COLORREF crColor, int bBold)
{
    m_crConstant = crColor;
    m_bConstantBold = bBold;
}

void CTavSyntaxLanguage::SetCommentColor(COLORREF crColor, int bBold)
{
    m_crComment = crColor;
    m_bCommentBold = bBold;
}

void CTavSyntaxLanguage::SetNumberColor(COLORREF crColor, int bBold)
{
    m_crNumber = crColor;
    m_bNumberBold = bBold;
}

void CTavSyntaxLanguage::SetStringColor(COLORREF crColor, int bBold)
{
    m_crString = crColor;
    m_bStringBold = bBold;
}

CTavSyntaxLanguage::CTokenFormat CTavSyntaxLanguage::GetTokenFormat(ETokenKind eKind) const
{
    switch (eKind)
    {
    case eTokenComment:
        return { m_crComment, m_bCommentBold != FALSE };
    case eTokenNumber:
        return { m_crNumber, m_bNumberBold != FALSE };
    case eTokenString:
        return { m_crString, m_bStringBold != FALSE };
    case eTokenKeyword:
        return { m_crKeyword, m_bKeywordBold != FALSE };
    case eTokenConstant:
        return { m_crConstant, m_bConstantBold != FALSE };
    default:
        return { s_crPlain, FALSE };
    }
}

// Words are separated by single spaces only: runs of spaces give no empty words, and a tab inside a piece
// stays part of its word. A later word with the same key replaces the earlier one.
void CTavSyntaxLanguage::AddWordsToMap(const CString& strList, CMapStringToString& map, int bLowerKeys)
{
    CString strRest = strList;
    strRest.TrimLeft();
    if (strRest.IsEmpty())
        return;
    if (strRest[strRest.GetLength() - 1] != L' ')
        strRest += L' ';

    for (int nSpace = strRest.Find(L' '); nSpace >= 0; nSpace = strRest.Find(L' '))
    {
        CString strWord = strRest.Left(nSpace);
        strWord.Trim();
        // A piece of nothing but white space is no word.
        if (!strWord.IsEmpty())
        {
            CString strKey = strWord;
            if (bLowerKeys)
                strKey.MakeLower();
            map.SetAt(strKey, strWord);
        }
        strRest = strRest.Mid(nSpace + 1);
    }
}

int CTavSyntaxLanguage::IsKeyword(const CString& strWord, CString& strListed) const
{
    return LookUpWord(strWord, m_mapKeywords, m_mapKeywordsLower, m_bCaseSensitive, strListed);
}

int CTavSyntaxLanguage::IsConstant(const CString& strWord, CString& strListed) const
{
    return LookUpWord(strWord, m_mapConstants, m_mapConstantsLower, m_bCaseSensitive, strListed);
}

BOOL CTavSyntaxLanguage::LookUpWord(const CString& strWord, const CMapStringToString& mapExact,
                                    const CMapStringToString& mapLower, BOOL bCaseSensitive, CString& strListed)
{
    if (bCaseSensitive)
        return mapExact.Lookup(strWord, strListed);
    CString strLower = strWord;
    strLower.MakeLower();
    return mapLower.Lookup(strLower, strListed);
}

// Markers are compared case-sensitively; an empty marker matches every text.
BOOL CTavSyntaxLanguage::StartsWith(std::wstring_view text, const CString& strMarker)
{
    const std::wstring& marker = strMarker.Str();
    return text.size() >= marker.size() && text.compare(0, marker.size(), marker) == 0;
}

// Length of the block-comment part at the start of the text: through the end marker, or to the line end
// when comments do not span lines, or to the end of the text.
unsigned int CTavSyntaxLanguage::FindCommentEnd(std::wstring_view text, BOOL* pbRunsOn) const
{
    size_t nLimit = text.size();
    if (!m_bMultiLineComment)
        nLimit = std::min(nLimit, text.find(L'\r'));
    const std::wstring& end = m_strCommentEnd.Str();
    // An end marker that starts before the limit counts, even if it reaches past it.
    const size_t nSearched = std::min(text.size(), nLimit + (end.empty() ? 0 : end.size() - 1));
    const size_t nEnd = text.substr(0, nSearched).find(end);
    const bool bClosed = nEnd != std::wstring_view::npos && nEnd < nLimit;
    if (pbRunsOn)
        *pbRunsOn = !bClosed && m_bMultiLineComment;
    if (!bClosed)
        return static_cast<unsigned int>(nLimit);
    return static_cast<unsigned int>(nEnd + end.size());
}
