#include "File.h"
#include "Exceptions.h"

#include <cstdlib>
#include <cstring>
#include <limits>

IMPLEMENT_DYNAMIC(CFile, CObject)

CFile::~CFile() = default;

void CFile::Flush()
{
}

void CFile::Close()
{
}

void CFile::SeekToBegin()
{
    Seek(0, begin);
}

ULONGLONG CFile::SeekToEnd()
{
    return Seek(0, end);
}

IMPLEMENT_DYNAMIC(CMemFile, CFile)

CMemFile::CMemFile(UINT nGrowBytes)
    : m_nGrowBytes(nGrowBytes), m_bAutoDelete(true)
{
}

CMemFile::CMemFile(BYTE* lpBuffer, UINT nBufferSize)
    : m_lpBuffer(lpBuffer), m_nBufferSize(nBufferSize), m_nFileSize(nBufferSize), m_nGrowBytes(0),
      m_bAutoDelete(false)
{
}

CMemFile::~CMemFile()
{
    Close();
}

UINT CMemFile::Read(void* lpBuf, UINT nCount)
{
    if (m_nPosition >= m_nFileSize)
        return 0;
    const SIZE_T nAvailable = m_nFileSize - m_nPosition;
    const UINT nRead = nCount < nAvailable ? nCount : static_cast<UINT>(nAvailable);
    std::memcpy(lpBuf, m_lpBuffer + m_nPosition, nRead);
    m_nPosition += nRead;
    return nRead;
}

void CMemFile::Write(const void* lpBuf, UINT nCount)
{
    if (nCount == 0)
        return;
    if (m_nPosition > std::numeric_limits<SIZE_T>::max() - nCount)
        AfxThrowMemoryException();
    const SIZE_T nEnd = m_nPosition + nCount;
    if (nEnd > m_nBufferSize)
        GrowFile(nEnd);
    // A position seeked past the end leaves a gap; it reads back as zeros, not as old heap contents.
    if (m_nPosition > m_nFileSize)
        std::memset(m_lpBuffer + m_nFileSize, 0, m_nPosition - m_nFileSize);
    std::memcpy(m_lpBuffer + m_nPosition, lpBuf, nCount);
    m_nPosition = nEnd;
    if (nEnd > m_nFileSize)
        m_nFileSize = nEnd;
}

ULONGLONG CMemFile::Seek(LONGLONG lOff, UINT nFrom)
{
    LONGLONG nBase;
    switch (nFrom)
    {
    case begin: nBase = 0; break;
    case current: nBase = static_cast<LONGLONG>(m_nPosition); break;
    case end: nBase = static_cast<LONGLONG>(m_nFileSize); break;
    default: AfxThrowInvalidArgException();
    }
    LONGLONG nNewPos;
    if (__builtin_add_overflow(nBase, lOff, &nNewPos) || nNewPos < 0)
        AfxThrowInvalidArgException();
    m_nPosition = static_cast<SIZE_T>(nNewPos);
    return m_nPosition;
}

ULONGLONG CMemFile::GetPosition() const
{
    return m_nPosition;
}

ULONGLONG CMemFile::GetLength() const
{
    return m_nFileSize;
}

void CMemFile::Close()
{
    if (m_bAutoDelete)
        std::free(m_lpBuffer);
    Reset();
}

BYTE* CMemFile::Detach()
{
    BYTE* lpBuffer = m_lpBuffer;
    Reset();
    return lpBuffer;
}

void CMemFile::Reset()
{
    m_lpBuffer = nullptr;
    m_nBufferSize = m_nFileSize = m_nPosition = 0;
}

// Grows geometrically so that a long run of small writes costs linear time, in whole multiples of the
// grow size.
void CMemFile::GrowFile(SIZE_T nNewCapacity)
{
    if (!m_bAutoDelete)
        AfxThrowMemoryException();
    const SIZE_T nDoubled = m_nBufferSize > std::numeric_limits<SIZE_T>::max() / 2 ? nNewCapacity
                                                                                   : m_nBufferSize * 2;
    SIZE_T nCapacity = nNewCapacity > nDoubled ? nNewCapacity : nDoubled;
    const SIZE_T nUnit = m_nGrowBytes ? m_nGrowBytes : 1;
    if (nCapacity % nUnit && nCapacity <= std::numeric_limits<SIZE_T>::max() - nUnit)
        nCapacity += nUnit - nCapacity % nUnit;
    void* pNew = std::realloc(m_lpBuffer, nCapacity);
    if (!pNew)
        AfxThrowMemoryException();
    m_lpBuffer = static_cast<BYTE*>(pNew);
    m_nBufferSize = nCapacity;
}
