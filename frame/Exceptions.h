#pragma once
// Exceptions are thrown as heap pointers and caught as CException*; the catcher calls Delete().
#include "Object.h"
#include "String.h"

class FRAME_API CException : public CObject
{
    DECLARE_DYNAMIC(CException)
public:
    explicit CException(BOOL bAutoDelete = TRUE) : m_bAutoDelete(bAutoDelete) {}
    virtual ~CException();

    // Frees a heap-allocated exception; one that is not auto-deleting (a static one) stays.
    void Delete();
    virtual BOOL GetErrorMessage(LPWSTR lpszError, UINT nMaxError, PUINT pnHelpContext = nullptr) const;

    BOOL m_bAutoDelete;

protected:
    // What every GetErrorMessage does: the message into the caller's buffer, no help context.
    static BOOL CopyMessage(LPCWSTR lpszMessage, LPWSTR lpszError, UINT nMaxError, PUINT pnHelpContext);
};

class FRAME_API CMemoryException : public CException
{
    DECLARE_DYNAMIC(CMemoryException)
public:
    virtual BOOL GetErrorMessage(LPWSTR lpszError, UINT nMaxError, PUINT pnHelpContext = nullptr) const;
};

class FRAME_API CInvalidArgException : public CException
{
    DECLARE_DYNAMIC(CInvalidArgException)
public:
    virtual BOOL GetErrorMessage(LPWSTR lpszError, UINT nMaxError, PUINT pnHelpContext = nullptr) const;
};

class FRAME_API CArchiveException : public CException
{
    DECLARE_DYNAMIC(CArchiveException)
public:
    enum
    {
        none = 0,
        genericException = 1,
        generic = 1,
        readOnly = 2,
        endOfFile = 3,
        writeOnly = 4,
        badIndex = 5,
        badClass = 6,
        badSchema = 7
    };

    explicit CArchiveException(int cause = none, LPCWSTR lpszArchiveName = nullptr);
    virtual BOOL GetErrorMessage(LPWSTR lpszError, UINT nMaxError, PUINT pnHelpContext = nullptr) const;

    int m_cause;
    CString m_strFileName;
};

[[noreturn]] FRAME_API void AFXAPI AfxThrowMemoryException();
[[noreturn]] FRAME_API void AFXAPI AfxThrowInvalidArgException();
[[noreturn]] FRAME_API void AFXAPI AfxThrowArchiveException(int cause, LPCWSTR lpszArchiveName = nullptr);
