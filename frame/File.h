#pragma once
// Byte streams under CArchive: CFile is the abstract stream, CMemFile keeps its bytes in memory.
#include "Object.h"

class FRAME_API CFile : public CObject
{
    DECLARE_DYNAMIC(CFile)
public:
    enum SeekPosition { begin = 0x0, current = 0x1, end = 0x2 };

    virtual ~CFile();

    // Reads up to nCount bytes; returns how many were read (fewer at the end of the file).
    virtual UINT Read(void* lpBuf, UINT nCount) = 0;
    virtual void Write(const void* lpBuf, UINT nCount) = 0;
    // Moves the position relative to nFrom (a SeekPosition); returns the new position.
    virtual ULONGLONG Seek(LONGLONG lOff, UINT nFrom) = 0;
    virtual ULONGLONG GetPosition() const = 0;
    virtual ULONGLONG GetLength() const = 0;
    virtual void Flush();
    virtual void Close();

    void SeekToBegin();
    ULONGLONG SeekToEnd();
};

// A file in a memory block. The default form owns a block that grows as bytes are written; the attached
// form works inside a caller's block of fixed size and never frees it.
class FRAME_API CMemFile : public CFile
{
    DECLARE_DYNAMIC(CMemFile)
public:
    explicit CMemFile(UINT nGrowBytes = 1024);
    // The file starts with the nBufferSize bytes of lpBuffer as its content; writing past them throws
    // CMemoryException.
    CMemFile(BYTE* lpBuffer, UINT nBufferSize);
    ~CMemFile() override;

    UINT Read(void* lpBuf, UINT nCount) override;
    void Write(const void* lpBuf, UINT nCount) override;
    ULONGLONG Seek(LONGLONG lOff, UINT nFrom) override;
    ULONGLONG GetPosition() const override;
    ULONGLONG GetLength() const override;
    void Close() override;

    // Hands the block over and leaves the file empty. An owned block was allocated with malloc and is
    // released by the caller with free().
    BYTE* Detach();

    CMemFile(const CMemFile&) = delete;
    CMemFile& operator=(const CMemFile&) = delete;

private:
    void GrowFile(SIZE_T nNewCapacity);
    void Reset();

    BYTE* m_lpBuffer = nullptr;
    SIZE_T m_nBufferSize = 0; // capacity of m_lpBuffer
    SIZE_T m_nFileSize = 0;
    SIZE_T m_nPosition = 0;
    UINT m_nGrowBytes;
    bool m_bAutoDelete;
};
