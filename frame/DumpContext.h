#pragma once
// CDumpContext: diagnostic text output. Objects describe themselves through CObject::Dump; the text is
// appended to a CString that the owner reads, or sent to the debugger when there is none.
#include "Object.h"
#include "String.h"

class FRAME_API CDumpContext
{
public:
    // Text goes to *pTarget as it is written; with no target, to the debugger (OutputDebugStringW).
    explicit CDumpContext(CString* pTarget = nullptr);

    CDumpContext(const CDumpContext&) = delete;
    CDumpContext& operator=(const CDumpContext&) = delete;

    // Depth 0 asks objects for a summary; deeper dumps may include the elements of collections.
    int GetDepth() const { return m_nDepth; }
    void SetDepth(int nNewDepth) { m_nDepth = nNewDepth; }

    // Text is never held back, so there is nothing to flush; kept for code written against file-backed dumps.
    void Flush() {}

    CDumpContext& operator<<(LPCWSTR lpsz);   // null writes "NULL"
    CDumpContext& operator<<(LPCSTR lpsz);    // widened with the ANSI code page; null writes "NULL"
    CDumpContext& operator<<(const CString& str);
    CDumpContext& operator<<(const void* lp); // "$" and the address in hexadecimal, all digits
    // The object's own Dump; null writes "NULL". CObject's Dump writes "a CClassName at $address" and a line
    // break.
    CDumpContext& operator<<(const CObject* pOb);
    CDumpContext& operator<<(const CObject& ob);
    CDumpContext& operator<<(BYTE by);
    CDumpContext& operator<<(WORD w);
    CDumpContext& operator<<(int n);
    CDumpContext& operator<<(UINT u);
    CDumpContext& operator<<(LONG l);
    CDumpContext& operator<<(DWORD dw);
    CDumpContext& operator<<(LONGLONG n);
    CDumpContext& operator<<(ULONGLONG n);
    CDumpContext& operator<<(double d);       // fixed notation with six decimals, as printf's %f

    // Lines of nWidth bytes, each starting with lpszLine, then " XX" per byte, then a line break.
    void HexDump(LPCWSTR lpszLine, const BYTE* pby, int nBytes, int nWidth);

private:
    CDumpContext& OutputFormatted(LPCWSTR pszFormat, ...);

    CString* m_pTarget;
    int m_nDepth = 0;
};
