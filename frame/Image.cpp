#include "Image.h"

#include <array>
#include <cstdio>
#include <vector>

namespace
{
typedef std::vector<unsigned char> Bytes;

void PutBE32(Bytes& out, DWORD value)
{
    out.push_back(static_cast<unsigned char>(value >> 24));
    out.push_back(static_cast<unsigned char>(value >> 16));
    out.push_back(static_cast<unsigned char>(value >> 8));
    out.push_back(static_cast<unsigned char>(value));
}

void PutLE16(Bytes& out, unsigned value)
{
    out.push_back(static_cast<unsigned char>(value));
    out.push_back(static_cast<unsigned char>(value >> 8));
}

DWORD Crc32(const unsigned char* pData, size_t nLength)
{
    static const std::array<DWORD, 256> s_table = [] {
        std::array<DWORD, 256> table{};
        for (DWORD n = 0; n < 256; ++n)
        {
            DWORD c = n;
            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            table[n] = c;
        }
        return table;
    }();
    DWORD crc = 0xFFFFFFFFu;
    for (size_t i = 0; i < nLength; ++i)
        crc = s_table[(crc ^ pData[i]) & 0xFF] ^ (crc >> 8);
    return ~crc;
}

DWORD Adler32(const Bytes& data)
{
    DWORD a = 1, b = 0;
    for (unsigned char byte : data)
    {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    return (b << 16) | a;
}

// A zlib stream of stored (uncompressed) deflate blocks: simple, and exact for pixel comparisons.
Bytes ZlibStored(const Bytes& raw)
{
    Bytes out = {0x78, 0x01};
    size_t nOffset = 0;
    do
    {
        size_t nBlock = raw.size() - nOffset < 65535 ? raw.size() - nOffset : 65535;
        bool bFinal = nOffset + nBlock == raw.size();
        out.push_back(bFinal ? 1 : 0);
        PutLE16(out, static_cast<unsigned>(nBlock));
        PutLE16(out, static_cast<unsigned>(~nBlock & 0xFFFF));
        out.insert(out.end(), raw.begin() + static_cast<std::ptrdiff_t>(nOffset),
                   raw.begin() + static_cast<std::ptrdiff_t>(nOffset + nBlock));
        nOffset += nBlock;
    } while (nOffset < raw.size());
    PutBE32(out, Adler32(raw));
    return out;
}

void PutChunk(Bytes& out, const char* pszType, const Bytes& data)
{
    PutBE32(out, static_cast<DWORD>(data.size()));
    size_t nTypeAt = out.size();
    out.insert(out.end(), pszType, pszType + 4);
    out.insert(out.end(), data.begin(), data.end());
    PutBE32(out, Crc32(&out[nTypeAt], data.size() + 4));
}

// The header of a 32-bit top-down bitmap of this size, as both the DIB section and a BMP file use it.
BITMAPINFOHEADER TopDownHeader(int nWidth, int nHeight)
{
    BITMAPINFOHEADER header{};
    header.biSize = sizeof(header);
    header.biWidth = nWidth;
    header.biHeight = -nHeight;
    header.biPlanes = 1;
    header.biBitCount = 32;
    header.biCompression = BI_RGB;
    return header;
}

BOOL WriteFileBytes(LPCWSTR lpszFileName, const void* pData, size_t nLength)
{
    FILE* pFile = _wfopen(lpszFileName, L"wb");
    if (!pFile)
        return FALSE;
    bool bWritten = fwrite(pData, 1, nLength, pFile) == nLength;
    return fclose(pFile) == 0 && bWritten;
}
}

CImage::~CImage()
{
    Destroy();
}

CImage::CImage(CImage&& other) noexcept
{
    *this = std::move(other);
}

CImage& CImage::operator=(CImage&& other) noexcept
{
    if (this != &other)
    {
        Destroy();
        other.ReleaseDC();
        m_hBitmap = other.m_hBitmap;
        m_pBits = other.m_pBits;
        m_nWidth = other.m_nWidth;
        m_nHeight = other.m_nHeight;
        other.m_hBitmap = nullptr;
        other.m_pBits = nullptr;
        other.m_nWidth = other.m_nHeight = 0;
    }
    return *this;
}

BOOL CImage::Create(int nWidth, int nHeight)
{
    Destroy();
    if (nWidth <= 0 || nHeight <= 0)
        return FALSE;
    BITMAPINFO info{};
    info.bmiHeader = TopDownHeader(nWidth, nHeight);
    void* pBits = nullptr;
    m_hBitmap = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &pBits, nullptr, 0);
    if (!m_hBitmap)
        return FALSE;
    m_pBits = static_cast<DWORD*>(pBits);
    m_nWidth = nWidth;
    m_nHeight = nHeight;
    return TRUE;
}

void CImage::Destroy()
{
    ReleaseDC();
    if (m_hBitmap)
        ::DeleteObject(m_hBitmap);
    m_hBitmap = nullptr;
    m_pBits = nullptr;
    m_nWidth = m_nHeight = 0;
}

HDC CImage::GetDC()
{
    if (!m_hDC && m_hBitmap)
    {
        m_hDC = ::CreateCompatibleDC(nullptr);
        m_hOldBitmap = ::SelectObject(m_hDC, m_hBitmap);
    }
    return m_hDC;
}

void CImage::ReleaseDC()
{
    if (!m_hDC)
        return;
    ::SelectObject(m_hDC, m_hOldBitmap);
    ::DeleteDC(m_hDC);
    m_hDC = nullptr;
    m_hOldBitmap = nullptr;
}

BOOL CImage::CaptureClient(HWND hWnd)
{
    RECT rcClient;
    if (!::GetClientRect(hWnd, &rcClient))
        return FALSE;
    // A cache DC without clipping of children, so that the children's pixels are part of the picture.
    HDC hDC = ::GetDCEx(hWnd, nullptr, DCX_CACHE);
    BOOL bCaptured = CaptureDC(hDC, rcClient);
    ::ReleaseDC(hWnd, hDC);
    return bCaptured;
}

BOOL CImage::CaptureDC(HDC hDC, const RECT& rect)
{
    if (!hDC || !Create(rect.right - rect.left, rect.bottom - rect.top))
        return FALSE;
    BOOL bCopied = ::BitBlt(GetDC(), 0, 0, m_nWidth, m_nHeight, hDC, rect.left, rect.top, SRCCOPY);
    ReleaseDC();
    return bCopied;
}

DWORD* CImage::PixelAt(int x, int y) const
{
    if (!m_pBits || x < 0 || y < 0 || x >= m_nWidth || y >= m_nHeight)
        return nullptr;
    // GDI may still be drawing into the bits.
    ::GdiFlush();
    return &m_pBits[static_cast<size_t>(y) * m_nWidth + x];
}

COLORREF CImage::GetPixel(int x, int y) const
{
    const DWORD* pPixel = PixelAt(x, y);
    if (!pPixel)
        return CLR_INVALID;
    return RGB((*pPixel >> 16) & 0xFF, (*pPixel >> 8) & 0xFF, *pPixel & 0xFF);
}

void CImage::SetPixel(int x, int y, COLORREF color)
{
    if (DWORD* pPixel = PixelAt(x, y))
        *pPixel = (static_cast<DWORD>(GetRValue(color)) << 16) | (static_cast<DWORD>(GetGValue(color)) << 8) |
                  GetBValue(color);
}

BOOL CImage::Save(LPCWSTR lpszFileName) const
{
    size_t nLength = ::lstrlenW(lpszFileName);
    if (nLength >= 4 && ::lstrcmpiW(lpszFileName + nLength - 4, L".bmp") == 0)
        return SaveBmp(lpszFileName);
    return SavePng(lpszFileName);
}

BOOL CImage::SavePng(LPCWSTR lpszFileName) const
{
    if (IsNull())
        return FALSE;
    ::GdiFlush();
    Bytes raw;
    raw.reserve(static_cast<size_t>(m_nHeight) * (1 + 3 * static_cast<size_t>(m_nWidth)));
    const DWORD* pPixel = m_pBits;
    for (int y = 0; y < m_nHeight; ++y)
    {
        raw.push_back(0);  // filter: none
        for (int x = 0; x < m_nWidth; ++x, ++pPixel)
            raw.insert(raw.end(), {static_cast<unsigned char>(*pPixel >> 16), static_cast<unsigned char>(*pPixel >> 8),
                                   static_cast<unsigned char>(*pPixel)});
    }
    Bytes header;
    PutBE32(header, static_cast<DWORD>(m_nWidth));
    PutBE32(header, static_cast<DWORD>(m_nHeight));
    header.insert(header.end(), {8, 2, 0, 0, 0});  // 8-bit RGB, deflate, no filter set, no interlace

    Bytes file = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    PutChunk(file, "IHDR", header);
    PutChunk(file, "IDAT", ZlibStored(raw));
    PutChunk(file, "IEND", Bytes());
    return WriteFileBytes(lpszFileName, file.data(), file.size());
}

BOOL CImage::SaveBmp(LPCWSTR lpszFileName) const
{
    if (IsNull())
        return FALSE;
    ::GdiFlush();
    const DWORD nPixelBytes = static_cast<DWORD>(m_nWidth) * static_cast<DWORD>(m_nHeight) * 4;
    const BITMAPINFOHEADER infoHeader = TopDownHeader(m_nWidth, m_nHeight);
    BITMAPFILEHEADER fileHeader{};
    fileHeader.bfType = 0x4D42;  // "BM"
    fileHeader.bfOffBits = sizeof(fileHeader) + sizeof(infoHeader);
    fileHeader.bfSize = fileHeader.bfOffBits + nPixelBytes;
    Bytes file(reinterpret_cast<const unsigned char*>(&fileHeader),
               reinterpret_cast<const unsigned char*>(&fileHeader) + sizeof(fileHeader));
    file.insert(file.end(), reinterpret_cast<const unsigned char*>(&infoHeader),
                reinterpret_cast<const unsigned char*>(&infoHeader) + sizeof(infoHeader));
    file.insert(file.end(), reinterpret_cast<const unsigned char*>(m_pBits),
                reinterpret_cast<const unsigned char*>(m_pBits) + nPixelBytes);
    return WriteFileBytes(lpszFileName, file.data(), file.size());
}
