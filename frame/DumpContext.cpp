#include "DumpContext.h"

#include <cstdarg>

CDumpContext::CDumpContext(CString* pTarget)
    : m_pTarget(pTarget)
{
}

CDumpContext& CDumpContext::operator<<(LPCWSTR lpsz)
{
    if (!lpsz)
        lpsz = L"NULL";
    if (m_pTarget)
        *m_pTarget += lpsz;
    else
        OutputDebugStringW(lpsz);
    return *this;
}

CDumpContext& CDumpContext::operator<<(LPCSTR lpsz)
{
    return lpsz ? *this << CString(lpsz) : *this << static_cast<LPCWSTR>(nullptr);
}

CDumpContext& CDumpContext::operator<<(const CString& str)
{
    return *this << str.GetString();
}

CDumpContext& CDumpContext::operator<<(const void* lp)
{
    return OutputFormatted(L"$%0*llX", static_cast<int>(sizeof(void*) * 2),
                           static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(lp)));
}

CDumpContext& CDumpContext::operator<<(const CObject* pOb)
{
    if (!pOb)
        return *this << L"NULL";
    pOb->Dump(*this);
    return *this;
}

CDumpContext& CDumpContext::operator<<(const CObject& ob)
{
    return *this << &ob;
}

CDumpContext& CDumpContext::operator<<(BYTE by)
{
    return OutputFormatted(L"%u", static_cast<unsigned>(by));
}

CDumpContext& CDumpContext::operator<<(WORD w)
{
    return OutputFormatted(L"%u", static_cast<unsigned>(w));
}

CDumpContext& CDumpContext::operator<<(int n)
{
    return OutputFormatted(L"%d", n);
}

CDumpContext& CDumpContext::operator<<(UINT u)
{
    return OutputFormatted(L"%u", u);
}

CDumpContext& CDumpContext::operator<<(LONG l)
{
    return OutputFormatted(L"%ld", l);
}

CDumpContext& CDumpContext::operator<<(DWORD dw)
{
    return OutputFormatted(L"%lu", dw);
}

CDumpContext& CDumpContext::operator<<(LONGLONG n)
{
    return OutputFormatted(L"%lld", n);
}

CDumpContext& CDumpContext::operator<<(ULONGLONG n)
{
    return OutputFormatted(L"%llu", n);
}

CDumpContext& CDumpContext::operator<<(double d)
{
    return OutputFormatted(L"%f", d);
}

void CDumpContext::HexDump(LPCWSTR lpszLine, const BYTE* pby, int nBytes, int nWidth)
{
    if (nWidth <= 0)
        nWidth = 16;
    for (int nRow = 0; nRow < nBytes; nRow += nWidth)
    {
        *this << lpszLine;
        for (int nCol = nRow; nCol < nRow + nWidth && nCol < nBytes; ++nCol)
            OutputFormatted(L" %02X", static_cast<unsigned>(pby[nCol]));
        *this << L"\n";
    }
}

CDumpContext& CDumpContext::OutputFormatted(LPCWSTR pszFormat, ...)
{
    CString str;
    va_list args;
    va_start(args, pszFormat);
    str.FormatV(pszFormat, args);
    va_end(args);
    return *this << str;
}

// The class library's default description of an object: its class and where it lives.
void CObject::Dump(CDumpContext& dc) const
{
    dc << "a " << GetRuntimeClass()->m_lpszClassName << " at " << static_cast<const void*>(this) << "\n";
}
