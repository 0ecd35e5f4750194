#include "ImageList.h"
#include "Gdi.h"
#include "Archive.h"
#include "Exceptions.h"
#include <objidl.h>

// Declared by the platform's header only when the stream interface is known before it is included.
extern "C" HIMAGELIST WINAPI ImageList_Read(IStream* pStream);
extern "C" BOOL WINAPI ImageList_Write(HIMAGELIST hImageList, IStream* pStream);

IMPLEMENT_DYNCREATE(CImageList, CObject)

namespace
{
// A stream over an archive for the platform's image-list reader and writer, which only read and write. A
// short read fails, so that a truncated archive is not taken for a complete image list.
class CArchiveStream final : public IStream
{
public:
    explicit CArchiveStream(CArchive& ar) : m_ar(ar) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override
    {
        if (riid == IID_IUnknown || riid == IID_ISequentialStream || riid == IID_IStream)
        {
            *ppv = this;
            return S_OK;
        }
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    // Lives on the caller's stack for one call.
    ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }

    HRESULT STDMETHODCALLTYPE Read(void* pv, ULONG cb, ULONG* pcbRead) override
    {
        const ULONG nRead = m_ar.Read(pv, cb);
        if (pcbRead != nullptr)
            *pcbRead = nRead;
        return nRead == cb ? S_OK : STG_E_READFAULT;
    }
    HRESULT STDMETHODCALLTYPE Write(const void* pv, ULONG cb, ULONG* pcbWritten) override
    {
        m_ar.Write(pv, cb);
        if (pcbWritten != nullptr)
            *pcbWritten = cb;
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE Seek(LARGE_INTEGER, DWORD, ULARGE_INTEGER*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetSize(ULARGE_INTEGER) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE CopyTo(IStream*, ULARGE_INTEGER, ULARGE_INTEGER*, ULARGE_INTEGER*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Commit(DWORD) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Revert() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE LockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE UnlockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Stat(STATSTG*, DWORD) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Clone(IStream**) override { return E_NOTIMPL; }

private:
    CArchive& m_ar;
};
}

CImageList::CImageList() : m_hImageList(nullptr)
{
}

CImageList::~CImageList()
{
    DeleteImageList();
}

BOOL CImageList::Create(int cx, int cy, UINT nFlags, int nInitial, int nGrow)
{
    return Attach(ImageList_Create(cx, cy, nFlags, nInitial, nGrow));
}

BOOL CImageList::Create(UINT nBitmapID, int cx, int nGrow, COLORREF crMask)
{
    CBitmap bitmap;
    BITMAP info = {};
    if (cx <= 0 || !bitmap.LoadBitmap(nBitmapID) || !bitmap.GetBitmap(&info))
        return FALSE;
    if (!Create(cx, info.bmHeight, ILC_COLOR24 | ILC_MASK, info.bmWidth / cx, nGrow))
        return FALSE;
    if (Add(&bitmap, crMask) != -1)
        return TRUE;
    DeleteImageList();
    return FALSE;
}

BOOL CImageList::Attach(HIMAGELIST hImageList)
{
    if (hImageList == nullptr)
        return FALSE;
    DeleteImageList();
    m_hImageList = hImageList;
    return TRUE;
}

HIMAGELIST CImageList::Detach()
{
    HIMAGELIST hImageList = m_hImageList;
    m_hImageList = nullptr;
    return hImageList;
}

BOOL CImageList::DeleteImageList()
{
    if (m_hImageList == nullptr)
        return FALSE;
    ImageList_Destroy(Detach());
    return TRUE;
}

int CImageList::Add(CBitmap* pbmImage, COLORREF crMask)
{
    HBITMAP hBitmap = pbmImage != nullptr ? static_cast<HBITMAP>(pbmImage->GetSafeHandle()) : nullptr;
    if (m_hImageList == nullptr || hBitmap == nullptr)
        return -1;
    return ImageList_AddMasked(m_hImageList, hBitmap, crMask);
}

int CImageList::Add(CBitmap* pbmImage, CBitmap* pbmMask)
{
    HBITMAP hBitmap = pbmImage != nullptr ? static_cast<HBITMAP>(pbmImage->GetSafeHandle()) : nullptr;
    HBITMAP hMask = pbmMask != nullptr ? static_cast<HBITMAP>(pbmMask->GetSafeHandle()) : nullptr;
    if (m_hImageList == nullptr || hBitmap == nullptr)
        return -1;
    return ImageList_Add(m_hImageList, hBitmap, hMask);
}

BOOL CImageList::GetImageInfo(int nImage, IMAGEINFO* pImageInfo) const
{
    return m_hImageList != nullptr && ImageList_GetImageInfo(m_hImageList, nImage, pImageInfo);
}

BOOL CImageList::Draw(CDC* pDC, int nImage, POINT pt, UINT nStyle)
{
    return ImageList_Draw(m_hImageList, nImage, pDC->GetSafeHdc(), pt.x, pt.y, nStyle);
}

BOOL CImageList::Read(CArchive* pArchive)
{
    CArchiveStream stream(*pArchive);
    HIMAGELIST hImageList = ImageList_Read(&stream);
    if (hImageList == nullptr)
        AfxThrowArchiveException(CArchiveException::endOfFile);
    return Attach(hImageList);
}

BOOL CImageList::Write(CArchive* pArchive)
{
    CArchiveStream stream(*pArchive);
    return ImageList_Write(m_hImageList, &stream);
}
