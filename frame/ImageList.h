#pragma once
// CImageList: the platform's image list, owned by the object unless detached.
#include "Object.h"
#include "Geometry.h"

class CArchive;
class CBitmap;
class CDC;

class FRAME_API CImageList : public CObject
{
    DECLARE_DYNCREATE(CImageList)
public:
    CImageList();
    ~CImageList() override;

    HIMAGELIST m_hImageList;

    operator HIMAGELIST() const { return m_hImageList; }
    HIMAGELIST GetSafeHandle() const { return m_hImageList; }

    BOOL Create(int cx, int cy, UINT nFlags, int nInitial, int nGrow);
    // Images of width cx cut from a bitmap resource found through the resource chain, as high as the bitmap;
    // pixels of the mask colour become transparent. FALSE when the bitmap cannot be loaded or added.
    BOOL Create(UINT nBitmapID, int cx, int nGrow, COLORREF crMask);
    BOOL Attach(HIMAGELIST hImageList);
    HIMAGELIST Detach();
    BOOL DeleteImageList();

    int GetImageCount() const { return ImageList_GetImageCount(m_hImageList); }
    // Adds the bitmap's images; pixels of the mask colour become transparent. -1 when nothing was added.
    int Add(CBitmap* pbmImage, COLORREF crMask);
    int Add(CBitmap* pbmImage, CBitmap* pbmMask);
    BOOL Remove(int nImage) { return ImageList_Remove(m_hImageList, nImage); }
    BOOL GetImageInfo(int nImage, IMAGEINFO* pImageInfo) const;
    COLORREF SetBkColor(COLORREF cr) { return ImageList_SetBkColor(m_hImageList, cr); }
    COLORREF GetBkColor() const { return ImageList_GetBkColor(m_hImageList); }
    BOOL Draw(CDC* pDC, int nImage, POINT pt, UINT nStyle);
    // A new icon of the image (with its mask) that the caller destroys; null for an index outside the list.
    HICON ExtractIcon(int nImage) { return ImageList_GetIcon(m_hImageList, nImage, ILD_NORMAL); }

    // The platform's image-list stream format, inside an archive. Read replaces the list; a truncated or
    // damaged stream throws the archive's end-of-file exception.
    BOOL Read(CArchive* pArchive);
    BOOL Write(CArchive* pArchive);
};
