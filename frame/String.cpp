#include "String.h"
#include "Exceptions.h"
#include "Module.h"

#include <algorithm>
#include <cstring>
#include <cwctype>
#include <cwchar>
#include <functional>

namespace
{
std::wstring Widen(LPCSTR pch, int nLength)
{
    if (!pch || nLength <= 0)
        return std::wstring();
    const int nWide = MultiByteToWideChar(CP_ACP, 0, pch, nLength, nullptr, 0);
    std::wstring str(static_cast<size_t>(nWide), L'\0');
    MultiByteToWideChar(CP_ACP, 0, pch, nLength, &str[0], nWide);
    return str;
}

// Character predicates for the scans below; the NUL that ends a set is never in it.
auto InSet(LPCWSTR pszSet)
{
    return [pszSet](wchar_t ch) { return pszSet && ch != L'\0' && std::wcschr(pszSet, ch) != nullptr; };
}
bool IsSpace(wchar_t ch) { return std::iswspace(ch) != 0; }

// The first index from nFrom on whose character fails pred; the length when none does.
template <class Pred>
size_t SkipWhile(const std::wstring& str, size_t nFrom, Pred pred)
{
    while (nFrom < str.size() && pred(str[nFrom]))
        ++nFrom;
    return nFrom;
}

// The length that is left once the trailing characters that satisfy pred are cut off.
template <class Pred>
size_t EndWithout(const std::wstring& str, Pred pred)
{
    size_t nEnd = str.size();
    while (nEnd > 0 && pred(str[nEnd - 1]))
        --nEnd;
    return nEnd;
}

// A position found in the string, or -1 for none.
int ToIndex(size_t nPos)
{
    return nPos == std::wstring::npos ? -1 : static_cast<int>(nPos);
}

// Clamps a start and a count to the string, as the class library does for Mid, Left and Right.
std::wstring Slice(const std::wstring& str, int nFirst, int nCount)
{
    const int nLength = static_cast<int>(str.size());
    if (nFirst < 0)
        nFirst = 0;
    if (nCount < 0)
        nCount = 0;
    if (nFirst >= nLength)
        return std::wstring();
    if (nCount > nLength - nFirst)
        nCount = nLength - nFirst;
    return str.substr(static_cast<size_t>(nFirst), static_cast<size_t>(nCount));
}
}

CString::CString(LPCWSTR psz) : m_str(psz ? psz : L"") {}

CString::CString(LPCWSTR pch, int nLength)
{
    if (pch && nLength > 0)
        m_str.assign(pch, static_cast<size_t>(nLength));
}

CString::CString(LPCSTR psz) : m_str(psz ? Widen(psz, static_cast<int>(std::strlen(psz))) : std::wstring()) {}

CString::CString(LPCSTR pch, int nLength) : m_str(Widen(pch, nLength)) {}

CString::CString(wchar_t ch, int nRepeat)
{
    if (nRepeat > 0)
        m_str.assign(static_cast<size_t>(nRepeat), ch);
}

CString& CString::operator=(LPCWSTR psz)
{
    m_str = psz ? psz : L"";
    return *this;
}

CString& CString::operator=(LPCSTR psz)
{
    return *this = CString(psz);
}

CString& CString::operator=(wchar_t ch)
{
    m_str.assign(1, ch);
    return *this;
}

wchar_t CString::GetAt(int nIndex) const
{
    if (nIndex < 0 || nIndex >= GetLength())
        AfxThrowInvalidArgException();
    return m_str[static_cast<size_t>(nIndex)];
}

void CString::SetAt(int nIndex, wchar_t ch)
{
    if (nIndex < 0 || nIndex >= GetLength())
        AfxThrowInvalidArgException();
    m_str[static_cast<size_t>(nIndex)] = ch;
}

LPWSTR CString::GetBuffer(int nMinBufLength)
{
    if (nMinBufLength > GetLength())
        m_str.resize(static_cast<size_t>(nMinBufLength));
    return &m_str[0];
}

LPWSTR CString::GetBufferSetLength(int nNewLength)
{
    m_str.resize(static_cast<size_t>(nNewLength < 0 ? 0 : nNewLength));
    return &m_str[0];
}

void CString::ReleaseBuffer(int nNewLength)
{
    if (nNewLength < 0)
        nNewLength = static_cast<int>(std::wcslen(m_str.c_str()));
    if (nNewLength < GetLength())
        m_str.resize(static_cast<size_t>(nNewLength));
}

CString& CString::operator+=(LPCWSTR psz)
{
    if (psz)
        m_str += psz;
    return *this;
}

void CString::Append(LPCWSTR psz, int nLength)
{
    if (psz && nLength > 0)
        m_str.append(psz, static_cast<size_t>(nLength));
}

int CString::Compare(LPCWSTR psz) const
{
    return std::wcscmp(m_str.c_str(), psz ? psz : L"");
}

int CString::CompareNoCase(LPCWSTR psz) const
{
    return _wcsicmp(m_str.c_str(), psz ? psz : L"");
}

int CString::Find(wchar_t ch, int nStart) const
{
    if (nStart < 0 || nStart >= GetLength())
        return -1;
    return ToIndex(m_str.find(ch, static_cast<size_t>(nStart)));
}

int CString::Find(LPCWSTR pszSub, int nStart) const
{
    if (!pszSub || nStart < 0 || nStart > GetLength())
        return -1;
    return ToIndex(m_str.find(pszSub, static_cast<size_t>(nStart)));
}

int CString::ReverseFind(wchar_t ch) const
{
    return ToIndex(m_str.rfind(ch));
}

int CString::FindOneOf(LPCWSTR pszCharSet) const
{
    if (!pszCharSet)
        return -1;
    return ToIndex(m_str.find_first_of(pszCharSet));
}

CString CString::Left(int nCount) const { return CString(Slice(m_str, 0, nCount)); }
CString CString::Mid(int nFirst) const { return CString(Slice(m_str, nFirst, GetLength())); }
CString CString::Mid(int nFirst, int nCount) const { return CString(Slice(m_str, nFirst, nCount)); }

CString CString::Right(int nCount) const
{
    if (nCount < 0)
        nCount = 0;
    return CString(Slice(m_str, GetLength() - nCount, nCount));
}

CString CString::SpanIncluding(LPCWSTR pszCharSet) const
{
    return Left(static_cast<int>(SkipWhile(m_str, 0, InSet(pszCharSet))));
}

CString CString::SpanExcluding(LPCWSTR pszCharSet) const
{
    return Left(static_cast<int>(SkipWhile(m_str, 0, std::not_fn(InSet(pszCharSet)))));
}

CString CString::Tokenize(LPCWSTR pszTokens, int& iStart) const
{
    if (iStart < 0)
        return CString();
    const size_t nFirst = SkipWhile(m_str, static_cast<size_t>(iStart), InSet(pszTokens));
    if (nFirst >= m_str.size())
    {
        iStart = -1;
        return CString();
    }
    const size_t nEnd = SkipWhile(m_str, nFirst, std::not_fn(InSet(pszTokens)));
    iStart = static_cast<int>(nEnd) + 1;
    return CString(m_str.substr(nFirst, nEnd - nFirst));
}

CString& CString::TrimLeft()
{
    m_str.erase(0, SkipWhile(m_str, 0, IsSpace));
    return *this;
}

CString& CString::TrimLeft(wchar_t chTarget)
{
    const wchar_t szTarget[2] = { chTarget, L'\0' };
    return TrimLeft(szTarget);
}

CString& CString::TrimLeft(LPCWSTR pszTargets)
{
    m_str.erase(0, SkipWhile(m_str, 0, InSet(pszTargets)));
    return *this;
}

CString& CString::TrimRight()
{
    m_str.resize(EndWithout(m_str, IsSpace));
    return *this;
}

CString& CString::TrimRight(wchar_t chTarget)
{
    const wchar_t szTarget[2] = { chTarget, L'\0' };
    return TrimRight(szTarget);
}

CString& CString::TrimRight(LPCWSTR pszTargets)
{
    m_str.resize(EndWithout(m_str, InSet(pszTargets)));
    return *this;
}

CString& CString::MakeLower()
{
    if (!m_str.empty())
        CharLowerBuffW(&m_str[0], static_cast<DWORD>(m_str.size()));
    return *this;
}

CString& CString::MakeUpper()
{
    if (!m_str.empty())
        CharUpperBuffW(&m_str[0], static_cast<DWORD>(m_str.size()));
    return *this;
}

CString& CString::MakeReverse()
{
    m_str.assign(m_str.rbegin(), m_str.rend());
    return *this;
}

int CString::Replace(wchar_t chOld, wchar_t chNew)
{
    int nCount = 0;
    for (wchar_t& ch : m_str)
        if (ch == chOld)
        {
            ch = chNew;
            ++nCount;
        }
    return nCount;
}

int CString::Replace(LPCWSTR pszOld, LPCWSTR pszNew)
{
    if (!pszOld || !*pszOld)
        return 0;
    const std::wstring strOld(pszOld);
    const std::wstring strNew(pszNew ? pszNew : L"");
    std::wstring strResult;
    int nCount = 0;
    size_t nFrom = 0;
    for (size_t nPos; (nPos = m_str.find(strOld, nFrom)) != std::wstring::npos; nFrom = nPos + strOld.size())
    {
        strResult.append(m_str, nFrom, nPos - nFrom).append(strNew);
        ++nCount;
    }
    if (nCount)
        m_str = strResult.append(m_str, nFrom, std::wstring::npos);
    return nCount;
}

int CString::Remove(wchar_t ch)
{
    const auto itKeptEnd = std::remove(m_str.begin(), m_str.end(), ch);
    const int nRemoved = static_cast<int>(m_str.end() - itKeptEnd);
    m_str.erase(itKeptEnd, m_str.end());
    return nRemoved;
}

int CString::Insert(int nIndex, wchar_t ch)
{
    const wchar_t sz[2] = { ch, L'\0' };
    return Insert(nIndex, sz);
}

int CString::Insert(int nIndex, LPCWSTR psz)
{
    if (nIndex < 0)
        nIndex = 0;
    if (nIndex > GetLength())
        nIndex = GetLength();
    if (psz)
        m_str.insert(static_cast<size_t>(nIndex), psz);
    return GetLength();
}

int CString::Delete(int nIndex, int nCount)
{
    if (nIndex < 0)
        nIndex = 0;
    if (nCount > 0 && nIndex < GetLength())
        m_str.erase(static_cast<size_t>(nIndex), static_cast<size_t>(nCount));
    return GetLength();
}

void CString::FormatV(LPCWSTR pszFormat, va_list args)
{
    va_list argsCount;
    va_copy(argsCount, args);
    const int nLength = _vscwprintf(pszFormat, argsCount);
    va_end(argsCount);
    if (nLength < 0)
        AfxThrowInvalidArgException();
    std::wstring str(static_cast<size_t>(nLength) + 1, L'\0');
    _vsnwprintf(&str[0], str.size(), pszFormat, args);
    str.resize(static_cast<size_t>(nLength));
    m_str.swap(str);
}

void CString::Format(LPCWSTR pszFormat, ...)
{
    va_list args;
    va_start(args, pszFormat);
    FormatV(pszFormat, args);
    va_end(args);
}

void CString::AppendFormat(LPCWSTR pszFormat, ...)
{
    CString strMore;
    va_list args;
    va_start(args, pszFormat);
    strMore.FormatV(pszFormat, args);
    va_end(args);
    *this += strMore;
}

BOOL CString::LoadString(UINT nID)
{
    // Strings live in blocks of sixteen; the block's resource name is the ID / 16 + 1.
    LPCWSTR lpszBlock = MAKEINTRESOURCEW(nID / 16 + 1);
    HINSTANCE hInst = AfxFindResourceHandle(lpszBlock, RT_STRING);
    LPCWSTR pch = nullptr;
    const int nLength = ::LoadStringW(hInst, nID, reinterpret_cast<LPWSTR>(&pch), 0);
    if (nLength <= 0)
        return FALSE;
    m_str.assign(pch, static_cast<size_t>(nLength));
    return TRUE;
}

CString AFXAPI operator+(const CString& str1, const CString& str2) { CString s(str1); s += str2; return s; }
CString AFXAPI operator+(const CString& str, LPCWSTR psz) { CString s(str); s += psz; return s; }
CString AFXAPI operator+(LPCWSTR psz, const CString& str) { CString s(psz); s += str; return s; }
CString AFXAPI operator+(const CString& str, wchar_t ch) { CString s(str); s += ch; return s; }
CString AFXAPI operator+(wchar_t ch, const CString& str) { CString s(ch); s += str; return s; }
