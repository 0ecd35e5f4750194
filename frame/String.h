#pragma once
// CString: a wide-character string value with the class library's member names.
#include "FrameApi.h"

#include <cstdarg>
#include <string>

class FRAME_API CString
{
public:
    CString() = default;
    CString(const CString&) = default;
    CString(CString&&) noexcept = default;
    CString(LPCWSTR psz);                       // null gives an empty string
    CString(LPCWSTR pch, int nLength);
    CString(LPCSTR psz);                        // widened with the ANSI code page
    CString(LPCSTR pch, int nLength);
    CString(wchar_t ch, int nRepeat = 1);
    CString(const std::wstring& str) : m_str(str) {}

    CString& operator=(const CString&) = default;
    CString& operator=(CString&&) noexcept = default;
    CString& operator=(LPCWSTR psz);
    CString& operator=(LPCSTR psz);
    CString& operator=(wchar_t ch);

    int GetLength() const { return static_cast<int>(m_str.size()); }
    BOOL IsEmpty() const { return m_str.empty(); }
    void Empty() { m_str.clear(); }

    wchar_t GetAt(int nIndex) const;
    void SetAt(int nIndex, wchar_t ch);
    wchar_t operator[](int nIndex) const { return GetAt(nIndex); }
    operator LPCWSTR() const { return m_str.c_str(); }
    LPCWSTR GetString() const { return m_str.c_str(); }
    const std::wstring& Str() const { return m_str; }

    // Direct access to the characters; ReleaseBuffer(-1) takes the length up to the first NUL.
    LPWSTR GetBuffer(int nMinBufLength = 0);
    LPWSTR GetBufferSetLength(int nNewLength);
    void ReleaseBuffer(int nNewLength = -1);

    CString& operator+=(const CString& str) { m_str += str.m_str; return *this; }
    CString& operator+=(LPCWSTR psz);
    CString& operator+=(wchar_t ch) { m_str += ch; return *this; }
    void Append(LPCWSTR psz, int nLength);

    int Compare(LPCWSTR psz) const;
    int CompareNoCase(LPCWSTR psz) const;

    int Find(wchar_t ch, int nStart = 0) const;
    int Find(LPCWSTR pszSub, int nStart = 0) const;
    int ReverseFind(wchar_t ch) const;
    int FindOneOf(LPCWSTR pszCharSet) const;

    CString Left(int nCount) const;
    CString Mid(int nFirst) const;
    CString Mid(int nFirst, int nCount) const;
    CString Right(int nCount) const;
    CString SpanIncluding(LPCWSTR pszCharSet) const;
    CString SpanExcluding(LPCWSTR pszCharSet) const;
    CString Tokenize(LPCWSTR pszTokens, int& iStart) const;

    CString& TrimLeft();
    CString& TrimLeft(wchar_t chTarget);
    CString& TrimLeft(LPCWSTR pszTargets);
    CString& TrimRight();
    CString& TrimRight(wchar_t chTarget);
    CString& TrimRight(LPCWSTR pszTargets);
    CString& Trim() { return TrimRight().TrimLeft(); }

    CString& MakeLower();
    CString& MakeUpper();
    CString& MakeReverse();

    int Replace(wchar_t chOld, wchar_t chNew);
    int Replace(LPCWSTR pszOld, LPCWSTR pszNew);
    int Remove(wchar_t ch);
    int Insert(int nIndex, wchar_t ch);
    int Insert(int nIndex, LPCWSTR psz);
    int Delete(int nIndex, int nCount = 1);

    // printf-style formatting with the platform's wide conventions (%s is a wide string).
    void Format(LPCWSTR pszFormat, ...);
    void AppendFormat(LPCWSTR pszFormat, ...);
    void FormatV(LPCWSTR pszFormat, va_list args);

    // Loads a string resource through the application's resource chain.
    BOOL LoadString(UINT nID);

private:
    std::wstring m_str;
};

FRAME_API CString AFXAPI operator+(const CString& str1, const CString& str2);
FRAME_API CString AFXAPI operator+(const CString& str, LPCWSTR psz);
FRAME_API CString AFXAPI operator+(LPCWSTR psz, const CString& str);
FRAME_API CString AFXAPI operator+(const CString& str, wchar_t ch);
FRAME_API CString AFXAPI operator+(wchar_t ch, const CString& str);

inline bool operator==(const CString& s1, const CString& s2) { return s1.Str() == s2.Str(); }
inline bool operator==(const CString& s1, LPCWSTR s2) { return s1.Compare(s2) == 0; }
inline bool operator==(LPCWSTR s1, const CString& s2) { return s2.Compare(s1) == 0; }
inline bool operator!=(const CString& s1, const CString& s2) { return !(s1 == s2); }
inline bool operator!=(const CString& s1, LPCWSTR s2) { return !(s1 == s2); }
inline bool operator!=(LPCWSTR s1, const CString& s2) { return !(s1 == s2); }
inline bool operator<(const CString& s1, const CString& s2) { return s1.Str() < s2.Str(); }
inline bool operator>(const CString& s1, const CString& s2) { return s2 < s1; }
inline bool operator<=(const CString& s1, const CString& s2) { return !(s2 < s1); }
inline bool operator>=(const CString& s1, const CString& s2) { return !(s1 < s2); }
