#pragma once
// CArchive: values, strings and object graphs in the class library's persistent binary format, read from or
// written to a CFile. Faults are thrown as CArchiveException*.
#include "Object.h"
#include "String.h"
#include "File.h"

#include <type_traits>
#include <unordered_map>
#include <vector>

class FRAME_API CArchive
{
public:
    enum Mode { store = 0, load = 1 };

    // The archive reads and writes straight through pFile, so the file always holds everything stored so
    // far and its position is just past the last value read.
    CArchive(CFile* pFile, UINT nMode);

    CArchive(const CArchive&) = delete;
    CArchive& operator=(const CArchive&) = delete;

    BOOL IsLoading() const { return (m_nMode & load) != 0; }
    BOOL IsStoring() const { return (m_nMode & load) == 0; }
    CFile* GetFile() const { return m_pFile; }

    void Flush();
    // Flushes and lets go of the file; the archive cannot be used afterwards.
    void Close();

    // Raw bytes. Read returns fewer than nMax bytes at the end of the file.
    UINT Read(void* lpBuf, UINT nMax);
    void Write(const void* lpBuf, UINT nMax);

    // Element counts: a WORD, escaped to a DWORD (and a QWORD) for large values.
    DWORD_PTR ReadCount();
    void WriteCount(DWORD_PTR dwCount);

    // Objects in the persistent object format; each object is written once and referred to afterwards.
    // A loaded object must be of pClassRefRequested or a class derived from it (null accepts any class).
    CObject* ReadObject(const CRuntimeClass* pClassRefRequested);
    void WriteObject(const CObject* pOb);
    CRuntimeClass* ReadClass(const CRuntimeClass* pClassRefRequested = nullptr, UINT* pSchema = nullptr,
                             DWORD* pObTag = nullptr);
    void WriteClass(const CRuntimeClass* pClassRef);

    // The schema stored with the object being loaded; reported once, then (UINT)-1.
    UINT GetObjectSchema();
    void SetObjectSchema(UINT nSchema) { m_nObjectSchema = nSchema; }

    CArchive& operator<<(BYTE by) { return WriteValue(by); }
    CArchive& operator<<(char ch) { return WriteValue(ch); }
    CArchive& operator<<(WORD w) { return WriteValue(w); }
    CArchive& operator<<(short n) { return WriteValue(n); }
    CArchive& operator<<(wchar_t ch) { return WriteValue(ch); }
    CArchive& operator<<(int i) { return WriteValue(i); }
    CArchive& operator<<(unsigned u) { return WriteValue(u); }
    CArchive& operator<<(LONG l) { return WriteValue(l); }
    CArchive& operator<<(DWORD dw) { return WriteValue(dw); }
    CArchive& operator<<(float f) { return WriteValue(f); }
    CArchive& operator<<(double d) { return WriteValue(d); }
    CArchive& operator<<(LONGLONG n) { return WriteValue(n); }
    CArchive& operator<<(ULONGLONG n) { return WriteValue(n); }
    // A bool is one byte. Only a real bool matches, so that a pointer never turns into one.
    template <class T, std::enable_if_t<std::is_same_v<T, bool>, int> = 0>
    CArchive& operator<<(T b)
    {
        return WriteValue(static_cast<BYTE>(b ? 1 : 0));
    }

    CArchive& operator>>(BYTE& by) { return ReadValue(by); }
    CArchive& operator>>(char& ch) { return ReadValue(ch); }
    CArchive& operator>>(WORD& w) { return ReadValue(w); }
    CArchive& operator>>(short& n) { return ReadValue(n); }
    CArchive& operator>>(wchar_t& ch) { return ReadValue(ch); }
    CArchive& operator>>(int& i) { return ReadValue(i); }
    CArchive& operator>>(unsigned& u) { return ReadValue(u); }
    CArchive& operator>>(LONG& l) { return ReadValue(l); }
    CArchive& operator>>(DWORD& dw) { return ReadValue(dw); }
    CArchive& operator>>(float& f) { return ReadValue(f); }
    CArchive& operator>>(double& d) { return ReadValue(d); }
    CArchive& operator>>(LONGLONG& n) { return ReadValue(n); }
    CArchive& operator>>(ULONGLONG& n) { return ReadValue(n); }
    CArchive& operator>>(bool& b);

    // Throws endOfFile unless at least nBytes remain to be read. Readers of counted data call it before
    // allocating room for the data, so that a corrupt count cannot make them allocate more than the file
    // could hold.
    void EnsureAvailable(ULONGLONG nBytes);

private:
    friend FRAME_API CArchive& AFXAPI operator>>(CArchive& ar, CString& str);

    struct LoadedEntry
    {
        enum Kind { Class, Object, Discarded } m_kind;
        void* m_pEntry;     // CRuntimeClass* or CObject*
        UINT m_nSchema;     // schema stored with a class
    };

    template <class T>
    CArchive& WriteValue(T value)
    {
        Write(&value, sizeof(value));
        return *this;
    }
    template <class T>
    CArchive& ReadValue(T& value)
    {
        ReadExact(&value, sizeof(value));
        return *this;
    }

    // The file, once the archive is known to be open and to work in the direction nMode.
    CFile* CheckedFile(Mode nMode) const;
    void ReadExact(void* lpBuf, UINT nCount);

    CRuntimeClass* LoadNewClass(UINT& nSchema);
    CRuntimeClass* LoadedClass(DWORD nIndex, UINT& nSchema) const;
    CObject* LoadedObject(DWORD nIndex, const CRuntimeClass* pClassRefRequested) const;
    CObject* LoadNewObject(CRuntimeClass* pClassRef, UINT nSchema);
    void DiscardObjectsFrom(size_t nIndex);
    void CheckStackRoom();
    void WriteTag(DWORD nIndex, bool bClass);
    DWORD NextStoreIndex();

    CFile* m_pFile;
    UINT m_nMode;
    UINT m_nObjectSchema = static_cast<UINT>(-1);
    UINT m_nLoadDepth = 0;          // objects being loaded inside one another
    ULONG_PTR m_nStackBase = 0;     // lowest address of the loading thread's stack, asked for once
    ULONG_PTR m_nStackFloor = 0;    // nested loading stops above this stack address
    // Index 0 stands for null; classes and objects share the numbering in order of first appearance.
    std::vector<LoadedEntry> m_aLoaded;
    std::unordered_map<const void*, DWORD> m_mapStored;
};

FRAME_API CArchive& AFXAPI operator<<(CArchive& ar, const CObject* pOb);
FRAME_API CArchive& AFXAPI operator>>(CArchive& ar, CObject*& pOb);
FRAME_API CArchive& AFXAPI operator>>(CArchive& ar, const CObject*& pOb);

// String length prefixes. Reading reports the character size of the string that follows: 1 for code-page
// bytes, 2 for UTF-16 units.
FRAME_API UINT_PTR AFXAPI AfxReadStringLength(CArchive& ar, int& nCharSize);
FRAME_API void AFXAPI AfxWriteStringLength(CArchive& ar, UINT_PTR nLength, BOOL bUnicode);

// A CString is stored in its wide form; both forms read back, code-page bytes widened with the ANSI code page.
FRAME_API CArchive& AFXAPI operator<<(CArchive& ar, const CString& str);
FRAME_API CArchive& AFXAPI operator>>(CArchive& ar, CString& str);
