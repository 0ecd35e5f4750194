#include "String.h"
#include "Exceptions.h"
#include "Module.h"

#include <cstring>
#include <cwctype>
#include <cwchar>

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

bool Contains(LPCWSTR pszSet, wchar_t ch)
{
    return pszSet && ch != L'\0' && std::wcschr(pszSet, ch) != nullptr;
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
    m_str = psz ? Widen(psz, static_cast<int>(std::strlen(psz))) : std::wstring();
    return *this;
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
    const size_t nPos = m_str.find(ch, static_cast<size_t>(nStart));
    return nPos == std::wstring::npos ? -1 : static_cast<int>(nPos);
}

int CString::Find(LPCWSTR pszSub, int nStart) const
{
    if (!pszSub || nStart < 0 || nStart > GetLength())
        return -1;
    const size_t nPos = m_str.find(pszSub, static_cast<size_t>(nStart));
    return nPos == std::wstring::npos ? -1 : static_cast<int>(nPos);
}

int CString::ReverseFind(wchar_t ch) const
{
    const size_t nPos = m_str.rfind(ch);
    return nPos == std::wstring::npos ? -1 : static_cast<int>(nPos);
}

int CString::FindOneOf(LPCWSTR pszCharSet) const
{
    if (!pszCharSet)
        return -1;
    const size_t nPos = m_str.find_first_of(pszCharSet);
    return nPos == std::wstring::npos ? -1 : static_cast<int>(nPos);
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
    int nCount = 0;
    while (nCount < GetLength() && Contains(pszCharSet, m_str[static_cast<size_t>(nCount)]))
        ++nCount;
    return Left(nCount);
}

CString CString::SpanExcluding(LPCWSTR pszCharSet) const
{
    int nCount = 0;
    while (nCount < GetLength() && !Contains(pszCharSet, m_str[static_cast<size_t>(nCount)]))
        ++nCount;
    return Left(nCount);
}

CString CString::Tokenize(LPCWSTR pszTokens, int& iStart) const
{
    if (iStart < 0)
        return CString();
    int nFirst = iStart;
    while (nFirst < GetLength() && Contains(pszTokens, m_str[static_cast<size_t>(nFirst)]))
        ++nFirst;
    if (nFirst >= GetLength())
    {
        iStart = -1;
        return CString();
    }
    int nEnd = nFirst;
    while (nEnd < GetLength() && !Contains(pszTokens, m_str[static_cast<size_t>(nEnd)]))
        ++nEnd;
    iStart = nEnd + 1;
    return Mid(nFirst, nEnd - nFirst);
}

CString& CString::TrimLeft()
{
    size_t nFirst = 0;
    while (nFirst < m_str.size() && std::iswspace(m_str[nFirst]))
        ++nFirst;
    m_str.erase(0, nFirst);
    return *this;
}

CString& CString::TrimLeft(wchar_t chTarget)
{
    const wchar_t szTarget[2] = { chTarget, L'\0' };
    return TrimLeft(szTarget);
}

CString& CString::TrimLeft(LPCWSTR pszTargets)
{
    size_t nFirst = 0;
    while (nFirst < m_str.size() && Contains(pszTargets, m_str[nFirst]))
        ++nFirst;
    m_str.erase(0, nFirst);
    return *this;
}

CString& CString::TrimRight()
{
    size_t nEnd = m_str.size();
    while (nEnd > 0 && std::iswspace(m_str[nEnd - 1]))
        --nEnd;
    m_str.resize(nEnd);
    return *this;
}

CString& CString::TrimRight(wchar_t chTarget)
{
    const wchar_t szTarget[2] = { chTarget, L'\0' };
    return TrimRight(szTarget);
}

CString& CString::TrimRight(LPCWSTR pszTargets)
{
    size_t nEnd = m_str.size();
    while (nEnd > 0 && Contains(pszTargets, m_str[nEnd - 1]))
        --nEnd;
    m_str.resize(nEnd);
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
    const size_t nBefore = m_str.size();
    std::wstring strKept;
    for (wchar_t c : m_str)
        if (c != ch)
            strKept += c;
    m_str.swap(strKept);
    return static_cast<int>(nBefore - m_str.size());
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
    HINSTANCE hInst = AfxFindResourceHandle(lpszBlock, MAKEINTRESOURCEW(6));
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
