#include "Archive.h"
#include "Exceptions.h"

#include <cstring>
#include <limits>
#include <string>

namespace
{
// The first WORD of a stored object.
const WORD wNullTag = 0x0000;
const WORD wBigObjectTag = 0x7FFF;  // a DWORD tag follows
const WORD wClassTag = 0x8000;      // flags a class index in a WORD tag
const WORD wNewClassTag = 0xFFFF;   // a class record follows
const DWORD dwBigClassTag = 0x80000000;
const DWORD dwMaxMapIndex = 0x7FFFFFFF;

// Counts and string lengths share one escape chain: a WORD, 0xFFFF and a DWORD, 0xFFFFFFFF and a QWORD.
// Values from wFirstEscaped on leave the WORD form (string lengths keep 0xFFFE free as the wide marker).
void WriteEscapedLength(CArchive& ar, ULONGLONG nLength, WORD wFirstEscaped)
{
    if (nLength < wFirstEscaped)
    {
        ar << static_cast<WORD>(nLength);
        return;
    }
    ar << static_cast<WORD>(0xFFFF);
    if (nLength < 0xFFFFFFFF)
        ar << static_cast<DWORD>(nLength);
    else
        ar << static_cast<DWORD>(0xFFFFFFFF) << nLength;
}

// The rest of the chain once its WORD has been read.
ULONGLONG ReadEscapedLength(CArchive& ar, WORD wLength)
{
    if (wLength != 0xFFFF)
        return wLength;
    DWORD dwLength;
    ar >> dwLength;
    if (dwLength != 0xFFFFFFFF)
        return dwLength;
    ULONGLONG qwLength;
    ar >> qwLength;
    return qwLength;
}
}

CArchive::CArchive(CFile* pFile, UINT nMode)
    : m_pFile(pFile), m_nMode(nMode)
{
    if (!pFile)
        AfxThrowInvalidArgException();
    if (IsLoading())
        m_aLoaded.push_back({LoadedEntry::Object, nullptr, 0});
}

void CArchive::Flush()
{
    if (m_pFile && IsStoring())
        m_pFile->Flush();
}

void CArchive::Close()
{
    Flush();
    m_pFile = nullptr;
}

CFile* CArchive::CheckedFile(Mode nMode) const
{
    if (IsLoading() != (nMode == load))
        AfxThrowArchiveException(nMode == load ? CArchiveException::writeOnly : CArchiveException::readOnly);
    if (!m_pFile)
        AfxThrowArchiveException(CArchiveException::genericException);
    return m_pFile;
}

UINT CArchive::Read(void* lpBuf, UINT nMax)
{
    CFile* pFile = CheckedFile(load);
    // A file may deliver less than asked before its end; only a read of nothing means the end.
    UINT nTotal = 0;
    while (nTotal < nMax)
    {
        const UINT nRead = pFile->Read(static_cast<BYTE*>(lpBuf) + nTotal, nMax - nTotal);
        if (nRead == 0)
            break;
        nTotal += nRead;
    }
    return nTotal;
}

void CArchive::Write(const void* lpBuf, UINT nMax)
{
    CheckedFile(store)->Write(lpBuf, nMax);
}

void CArchive::ReadExact(void* lpBuf, UINT nCount)
{
    if (Read(lpBuf, nCount) != nCount)
        AfxThrowArchiveException(CArchiveException::endOfFile);
}

void CArchive::EnsureAvailable(ULONGLONG nBytes)
{
    const CFile* pFile = CheckedFile(load);
    const ULONGLONG nLength = pFile->GetLength();
    const ULONGLONG nPosition = pFile->GetPosition();
    if (nPosition > nLength || nBytes > nLength - nPosition)
        AfxThrowArchiveException(CArchiveException::endOfFile);
}

CArchive& CArchive::operator>>(bool& b)
{
    BYTE by;
    ReadValue(by);
    b = by != 0;
    return *this;
}

DWORD_PTR CArchive::ReadCount()
{
    WORD wCount;
    *this >> wCount;
    return ReadEscapedLength(*this, wCount);
}

void CArchive::WriteCount(DWORD_PTR dwCount)
{
    WriteEscapedLength(*this, dwCount, 0xFFFF);
}

UINT CArchive::GetObjectSchema()
{
    const UINT nSchema = m_nObjectSchema;
    m_nObjectSchema = static_cast<UINT>(-1);
    return nSchema;
}

// Loading

CRuntimeClass* CArchive::ReadClass(const CRuntimeClass* pClassRefRequested, UINT* pSchema, DWORD* pObTag)
{
    CheckedFile(load);
    WORD wTag;
    *this >> wTag;

    CRuntimeClass* pClassRef;
    UINT nSchema;
    if (wTag == wNewClassTag)
    {
        pClassRef = LoadNewClass(nSchema);
    }
    else
    {
        DWORD dwTag;
        if (wTag == wBigObjectTag)
            *this >> dwTag;
        else
            dwTag = (wTag & wClassTag) ? dwBigClassTag | (wTag & ~wClassTag) : wTag;
        const DWORD nIndex = dwTag & ~dwBigClassTag;
        if (!(dwTag & dwBigClassTag))
        {
            if (!pObTag)
                AfxThrowArchiveException(CArchiveException::badIndex);
            *pObTag = nIndex;
            return nullptr;
        }
        pClassRef = LoadedClass(nIndex, nSchema);
    }

    if (pClassRefRequested && !pClassRef->IsDerivedFrom(pClassRefRequested))
        AfxThrowArchiveException(CArchiveException::badClass);
    if (pSchema)
        *pSchema = nSchema;
    return pClassRef;
}

CRuntimeClass* CArchive::LoadNewClass(UINT& nSchema)
{
    WORD wSchema, wNameLength;
    *this >> wSchema >> wNameLength;
    EnsureAvailable(wNameLength);
    std::string strName(wNameLength, '\0');
    ReadExact(&strName[0], wNameLength);

    // The name must match a class exactly; a NUL inside it would cut the comparison short.
    CRuntimeClass* pClassRef = strName.find('\0') == std::string::npos ? CRuntimeClass::FromName(strName.c_str())
                                                                         : nullptr;
    if (!pClassRef || !pClassRef->IsSerializable() || !pClassRef->m_pfnCreateObject)
        AfxThrowArchiveException(CArchiveException::badClass);
    if ((pClassRef->m_wSchema & ~VERSIONABLE_SCHEMA) != wSchema && !(pClassRef->m_wSchema & VERSIONABLE_SCHEMA))
        AfxThrowArchiveException(CArchiveException::badSchema);

    m_aLoaded.push_back({LoadedEntry::Class, pClassRef, wSchema});
    nSchema = wSchema;
    return pClassRef;
}

CRuntimeClass* CArchive::LoadedClass(DWORD nIndex, UINT& nSchema) const
{
    if (nIndex == 0 || nIndex >= m_aLoaded.size() || m_aLoaded[nIndex].m_kind != LoadedEntry::Class)
        AfxThrowArchiveException(CArchiveException::badIndex);
    nSchema = m_aLoaded[nIndex].m_nSchema;
    return static_cast<CRuntimeClass*>(m_aLoaded[nIndex].m_pEntry);
}

CObject* CArchive::LoadedObject(DWORD nIndex, const CRuntimeClass* pClassRefRequested) const
{
    if (nIndex >= m_aLoaded.size() || m_aLoaded[nIndex].m_kind != LoadedEntry::Object)
        AfxThrowArchiveException(CArchiveException::badIndex);
    CObject* pOb = static_cast<CObject*>(m_aLoaded[nIndex].m_pEntry);
    if (pOb && pClassRefRequested && !pOb->IsKindOf(pClassRefRequested))
        AfxThrowArchiveException(CArchiveException::badClass);
    return pOb;
}

CObject* CArchive::ReadObject(const CRuntimeClass* pClassRefRequested)
{
    UINT nSchema = 0;
    DWORD nObTag = 0;
    CRuntimeClass* pClassRef = ReadClass(pClassRefRequested, &nSchema, &nObTag);
    return pClassRef ? LoadNewObject(pClassRef, nSchema) : LoadedObject(nObTag, pClassRefRequested);
}

// The object is registered before its data is read, so that objects inside it can refer back to it. If
// reading fails, the object is deleted, and it and everything registered after it can no longer be referred
// to: the objects created inside it were handed to it and went with it.
CObject* CArchive::LoadNewObject(CRuntimeClass* pClassRef, UINT nSchema)
{
    CheckStackRoom();
    // The slot is taken first, so that registering cannot fail once the object exists.
    const size_t nIndex = m_aLoaded.size();
    m_aLoaded.push_back({LoadedEntry::Discarded, nullptr, 0});
    CObject* pOb = pClassRef->CreateObject();
    m_aLoaded[nIndex] = {LoadedEntry::Object, pOb, 0};

    const UINT nSchemaSaved = m_nObjectSchema;
    m_nObjectSchema = nSchema;
    ++m_nLoadDepth;
    try
    {
        pOb->Serialize(*this);
    }
    catch (...)
    {
        --m_nLoadDepth;
        m_nObjectSchema = nSchemaSaved;
        DiscardObjectsFrom(nIndex);
        delete pOb;
        throw;
    }
    --m_nLoadDepth;
    m_nObjectSchema = nSchemaSaved;
    return pOb;
}

// Objects inside objects load recursively. An archive nested deeper than the thread's stack allows fails as
// a generic fault rather than overflowing the stack; the last eighth of the stack left at the outermost
// object stays free for the code that handles the exception.
void CArchive::CheckStackRoom()
{
    char chProbe = 0;
    const ULONG_PTR nHere = reinterpret_cast<ULONG_PTR>(&chProbe);
    if (m_nLoadDepth == 0)
    {
        // Asking the system costs microseconds under Wine; an archive of many objects asks once.
        if (m_nStackBase == 0)
        {
            MEMORY_BASIC_INFORMATION info = {};
            VirtualQuery(&chProbe, &info, sizeof(info));
            m_nStackBase = reinterpret_cast<ULONG_PTR>(info.AllocationBase);
        }
        m_nStackFloor = m_nStackBase + (nHere - m_nStackBase) / 8;
    }
    else if (nHere < m_nStackFloor)
    {
        AfxThrowArchiveException(CArchiveException::genericException);
    }
}

void CArchive::DiscardObjectsFrom(size_t nIndex)
{
    for (size_t i = nIndex; i < m_aLoaded.size(); ++i)
        if (m_aLoaded[i].m_kind == LoadedEntry::Object)
            m_aLoaded[i] = {LoadedEntry::Discarded, nullptr, 0};
}

// Storing

DWORD CArchive::NextStoreIndex()
{
    const size_t nIndex = m_mapStored.size() + 1;
    if (nIndex > dwMaxMapIndex)
        AfxThrowArchiveException(CArchiveException::genericException);
    return static_cast<DWORD>(nIndex);
}

void CArchive::WriteTag(DWORD nIndex, bool bClass)
{
    if (nIndex < wBigObjectTag)
        *this << static_cast<WORD>(bClass ? (wClassTag | nIndex) : nIndex);
    else
        *this << wBigObjectTag << (bClass ? (dwBigClassTag | nIndex) : nIndex);
}

void CArchive::WriteClass(const CRuntimeClass* pClassRef)
{
    CheckedFile(store);
    if (!pClassRef->IsSerializable())
        AfxThrowArchiveException(CArchiveException::badClass);
    const auto it = m_mapStored.find(pClassRef);
    if (it != m_mapStored.end())
    {
        WriteTag(it->second, true);
        return;
    }
    m_mapStored.emplace(pClassRef, NextStoreIndex());
    const WORD wNameLength = static_cast<WORD>(std::strlen(pClassRef->m_lpszClassName));
    *this << wNewClassTag << static_cast<WORD>(pClassRef->m_wSchema & ~VERSIONABLE_SCHEMA) << wNameLength;
    Write(pClassRef->m_lpszClassName, wNameLength);
}

void CArchive::WriteObject(const CObject* pOb)
{
    CheckedFile(store);
    if (!pOb)
    {
        *this << wNullTag;
        return;
    }
    const auto it = m_mapStored.find(pOb);
    if (it != m_mapStored.end())
    {
        WriteTag(it->second, false);
        return;
    }
    WriteClass(pOb->GetRuntimeClass());
    m_mapStored.emplace(pOb, NextStoreIndex());
    // Serialize is not const, but storing only reads the object.
    const_cast<CObject*>(pOb)->Serialize(*this);
}

CArchive& AFXAPI operator<<(CArchive& ar, const CObject* pOb)
{
    ar.WriteObject(pOb);
    return ar;
}

CArchive& AFXAPI operator>>(CArchive& ar, CObject*& pOb)
{
    pOb = ar.ReadObject(nullptr);
    return ar;
}

CArchive& AFXAPI operator>>(CArchive& ar, const CObject*& pOb)
{
    pOb = ar.ReadObject(nullptr);
    return ar;
}

// Strings

UINT_PTR AFXAPI AfxReadStringLength(CArchive& ar, int& nCharSize)
{
    nCharSize = sizeof(char);
    BYTE bLength;
    ar >> bLength;
    if (bLength < 0xFF)
        return bLength;
    WORD wLength;
    ar >> wLength;
    if (wLength == 0xFFFE)
    {
        // The wide marker; the real length follows, encoded the same way.
        nCharSize = sizeof(wchar_t);
        ar >> bLength;
        if (bLength < 0xFF)
            return bLength;
        ar >> wLength;
    }
    return ReadEscapedLength(ar, wLength);
}

void AFXAPI AfxWriteStringLength(CArchive& ar, UINT_PTR nLength, BOOL bUnicode)
{
    if (bUnicode)
        ar << static_cast<BYTE>(0xFF) << static_cast<WORD>(0xFFFE);
    if (nLength < 0xFF)
    {
        ar << static_cast<BYTE>(nLength);
        return;
    }
    ar << static_cast<BYTE>(0xFF);
    WriteEscapedLength(ar, nLength, 0xFFFE);
}

CArchive& AFXAPI operator<<(CArchive& ar, const CString& str)
{
    AfxWriteStringLength(ar, static_cast<UINT_PTR>(str.GetLength()), TRUE);
    ar.Write(str.GetString(), static_cast<UINT>(str.GetLength()) * sizeof(wchar_t));
    return ar;
}

CArchive& AFXAPI operator>>(CArchive& ar, CString& str)
{
    int nCharSize;
    const UINT_PTR nLength = AfxReadStringLength(ar, nCharSize);
    // Checked against what is left before anything is allocated: a corrupt length fails as a short file.
    if (nLength > std::numeric_limits<ULONGLONG>::max() / nCharSize)
        AfxThrowArchiveException(CArchiveException::endOfFile);
    ar.EnsureAvailable(static_cast<ULONGLONG>(nLength) * nCharSize);
    if (nLength > static_cast<UINT_PTR>(std::numeric_limits<int>::max()))
        AfxThrowMemoryException();

    const int nChars = static_cast<int>(nLength);
    CString strLoaded;
    if (nCharSize == sizeof(wchar_t))
    {
        ar.ReadExact(strLoaded.GetBufferSetLength(nChars), static_cast<UINT>(nChars) * sizeof(wchar_t));
        strLoaded.ReleaseBuffer(nChars);
    }
    else
    {
        std::string strBytes(nLength, '\0');
        ar.ReadExact(&strBytes[0], static_cast<UINT>(nChars));
        strLoaded = CString(strBytes.data(), nChars);
    }
    str = std::move(strLoaded);
    return ar;
}
