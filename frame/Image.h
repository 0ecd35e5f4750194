#pragma once
// CImage: a 32-bit top-down DIB section that can be drawn into through a memory DC, read pixel by pixel,
// filled from a window's client area, and saved as PNG or BMP.
#include "Geometry.h"

class FRAME_API CImage
{
public:
    CImage() = default;
    ~CImage();
    CImage(const CImage&) = delete;
    CImage& operator=(const CImage&) = delete;
    CImage(CImage&& other) noexcept;
    CImage& operator=(CImage&& other) noexcept;

    BOOL Create(int nWidth, int nHeight);
    void Destroy();
    BOOL IsNull() const { return m_hBitmap == nullptr; }
    int GetWidth() const { return m_nWidth; }
    int GetHeight() const { return m_nHeight; }
    operator HBITMAP() const { return m_hBitmap; }

    // A memory DC with the image selected; one per image, kept until ReleaseDC or Destroy.
    HDC GetDC();
    void ReleaseDC();

    // Copies what a window shows in its client area (children included) as it is now.
    BOOL CaptureClient(HWND hWnd);
    // Copies a rectangle of a DC.
    BOOL CaptureDC(HDC hDC, const RECT& rect);

    // Colours as COLORREF (0x00BBGGRR); CLR_INVALID outside the image.
    COLORREF GetPixel(int x, int y) const;
    void SetPixel(int x, int y, COLORREF color);

    // Saves as BMP when the file name ends in ".bmp", as PNG otherwise.
    BOOL Save(LPCWSTR lpszFileName) const;
    BOOL SavePng(LPCWSTR lpszFileName) const;
    BOOL SaveBmp(LPCWSTR lpszFileName) const;

private:
    // The pixel's word in the bits, or nullptr outside the image.
    DWORD* PixelAt(int x, int y) const;

    HBITMAP m_hBitmap = nullptr;
    DWORD* m_pBits = nullptr;   // rows top to bottom, one 0x00RRGGBB word per pixel
    int m_nWidth = 0;
    int m_nHeight = 0;
    HDC m_hDC = nullptr;
    HGDIOBJ m_hOldBitmap = nullptr;
};
