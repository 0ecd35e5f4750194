#include "Exceptions.h"

IMPLEMENT_DYNAMIC(CException, CObject)
IMPLEMENT_DYNAMIC(CMemoryException, CException)
IMPLEMENT_DYNAMIC(CInvalidArgException, CException)
IMPLEMENT_DYNAMIC(CArchiveException, CException)

CException::~CException() = default;

void CException::Delete()
{
    if (m_bAutoDelete)
        delete this;
}

BOOL CException::CopyMessage(LPCWSTR lpszMessage, LPWSTR lpszError, UINT nMaxError, PUINT pnHelpContext)
{
    if (pnHelpContext)
        *pnHelpContext = 0;
    if (!lpszError || nMaxError == 0)
        return FALSE;
    lstrcpynW(lpszError, lpszMessage, static_cast<int>(nMaxError));
    return TRUE;
}

BOOL CException::GetErrorMessage(LPWSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    // The base class has no message of its own: an empty one, reported as missing.
    CopyMessage(L"", lpszError, nMaxError, pnHelpContext);
    return FALSE;
}

BOOL CMemoryException::GetErrorMessage(LPWSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    return CopyMessage(L"Out of memory.", lpszError, nMaxError, pnHelpContext);
}

BOOL CInvalidArgException::GetErrorMessage(LPWSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    return CopyMessage(L"Invalid argument.", lpszError, nMaxError, pnHelpContext);
}

CArchiveException::CArchiveException(int cause, LPCWSTR lpszArchiveName)
    : m_cause(cause), m_strFileName(lpszArchiveName)
{
}

BOOL CArchiveException::GetErrorMessage(LPWSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    static const LPCWSTR s_messages[] = {
        L"No error.",
        L"An unexpected error occurred in the archive.",
        L"Tried to write to an archive opened for loading.",
        L"Reached the end of the archive while reading an object.",
        L"Tried to read from an archive opened for storing.",
        L"The archive holds an invalid object reference.",
        L"The archive holds an unexpected or unknown class.",
        L"The archive holds an unsupported version of a class.",
    };
    const int nCount = static_cast<int>(sizeof(s_messages) / sizeof(s_messages[0]));
    return CopyMessage(m_cause >= 0 && m_cause < nCount ? s_messages[m_cause] : s_messages[genericException],
                       lpszError, nMaxError, pnHelpContext);
}

void AFXAPI AfxThrowMemoryException()
{
    throw new CMemoryException;
}

void AFXAPI AfxThrowInvalidArgException()
{
    throw new CInvalidArgException;
}

void AFXAPI AfxThrowArchiveException(int cause, LPCWSTR lpszArchiveName)
{
    throw new CArchiveException(cause, lpszArchiveName);
}
