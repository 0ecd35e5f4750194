// The host's view of TavControls.dll's resources: found by ID through the application's resource chain,
// in the formats and with the contents the controls rely on.
#include "Module.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
class ControlsResources : public ::testing::Test
{
protected:
    static void SetUpTestSuite() { s_hControls = LoadLibraryW(L"TavControls.dll"); }
    static void TearDownTestSuite() { FreeLibrary(s_hControls); }

    void SetUp() override { ASSERT_NE(s_hControls, nullptr) << "TavControls.dll did not load"; }

    // The resource's bytes, from the module that the chain names for it, which must be the library.
    static std::vector<BYTE> ChainedResource(UINT nID, LPCWSTR lpszType)
    {
        HINSTANCE hInst = AfxFindResourceHandle(MAKEINTRESOURCEW(nID), lpszType);
        EXPECT_EQ(hInst, s_hControls) << "resource " << nID << " not found in TavControls.dll";
        return ResourceBytes(hInst, nID, lpszType);
    }

    static std::vector<BYTE> ResourceBytes(HINSTANCE hInst, UINT nID, LPCWSTR lpszType)
    {
        HRSRC hRes = FindResourceW(hInst, MAKEINTRESOURCEW(nID), lpszType);
        if (!hRes)
            return {};
        const BYTE* pData = static_cast<const BYTE*>(LockResource(LoadResource(hInst, hRes)));
        return std::vector<BYTE>(pData, pData + SizeofResource(hInst, hRes));
    }

    static HMODULE s_hControls;
};
HMODULE ControlsResources::s_hControls = nullptr;

template <class T>
T At(const std::vector<BYTE>& data, size_t nOffset)
{
    T value{};
    if (nOffset + sizeof(T) <= data.size())
        memcpy(&value, data.data() + nOffset, sizeof(T));
    return value;
}

#pragma pack(push, 2)
struct CursorGroupEntry
{
    WORD wWidth;
    WORD wHeight;   // the XOR and AND bitmaps stacked
    WORD wPlanes;
    WORD wBitCount;
    DWORD dwBytesInRes;
    WORD nID;
};
#pragma pack(pop)

struct DragCursor
{
    UINT nGroupID;
    WORD nImageID;
};
const DragCursor kDragCursors[] = {{31508, 3}, {31509, 2}, {31510, 1}};

TEST_F(ControlsResources, CursorGroupsHoldOneMonochromeImageNumberedAsTheControlsExpect)
{
    for (const DragCursor& cursor : kDragCursors)
    {
        SCOPED_TRACE(cursor.nGroupID);
        const std::vector<BYTE> group = ChainedResource(cursor.nGroupID, RT_GROUP_CURSOR);
        ASSERT_EQ(group.size(), 6 + sizeof(CursorGroupEntry));
        EXPECT_EQ(At<WORD>(group, 2), 2) << "resource type: cursor";
        EXPECT_EQ(At<WORD>(group, 4), 1) << "image count";
        const CursorGroupEntry entry = At<CursorGroupEntry>(group, 6);
        EXPECT_EQ(entry.wWidth, 32);
        EXPECT_EQ(entry.wHeight, 64);
        EXPECT_EQ(entry.wPlanes, 1);
        EXPECT_EQ(entry.wBitCount, 1);
        EXPECT_EQ(entry.nID, cursor.nImageID);

        const std::vector<BYTE> image = ResourceBytes(s_hControls, entry.nID, RT_CURSOR);
        ASSERT_EQ(image.size(), entry.dwBytesInRes);
        EXPECT_EQ(At<WORD>(image, 0), 0) << "hot spot x";
        EXPECT_EQ(At<WORD>(image, 2), 0) << "hot spot y";
        const BITMAPINFOHEADER header = At<BITMAPINFOHEADER>(image, 4);
        EXPECT_EQ(header.biWidth, 32);
        EXPECT_EQ(header.biHeight, 64);
        EXPECT_EQ(header.biBitCount, 1);
    }
}

// The AND mask and XOR image of a loaded cursor, top row first, one entry per pixel.
struct CursorPixels
{
    std::vector<int> andMask;
    std::vector<int> xorImage;
};

CursorPixels ReadMonochromeCursor(HCURSOR hCursor, ICONINFO& info)
{
    CursorPixels pixels;
    if (!GetIconInfo(hCursor, &info))
        return pixels;
    struct
    {
        BITMAPINFOHEADER header;
        RGBQUAD colours[2];
    } bmi = {};
    bmi.header.biSize = sizeof(BITMAPINFOHEADER);
    bmi.header.biWidth = 32;
    bmi.header.biHeight = -64;
    bmi.header.biPlanes = 1;
    bmi.header.biBitCount = 32;
    std::vector<DWORD> bits(32 * 64);
    HDC hdc = GetDC(nullptr);
    const int nRows = GetDIBits(hdc, info.hbmMask, 0, 64, bits.data(), reinterpret_cast<BITMAPINFO*>(&bmi),
                                DIB_RGB_COLORS);
    ReleaseDC(nullptr, hdc);
    if (nRows != 64)
        return pixels;
    for (int i = 0; i < 32 * 32; ++i)
    {
        pixels.andMask.push_back((bits[i] & 0xFFFFFF) != 0);
        pixels.xorImage.push_back((bits[32 * 32 + i] & 0xFFFFFF) != 0);
    }
    return pixels;
}

TEST_F(ControlsResources, CursorsLoadWithTheHotSpotOnTheArrowTipAndDifferentDrawings)
{
    std::vector<CursorPixels> drawings;
    for (const DragCursor& cursor : kDragCursors)
    {
        SCOPED_TRACE(cursor.nGroupID);
        HINSTANCE hInst = AfxFindResourceHandle(MAKEINTRESOURCEW(cursor.nGroupID), RT_GROUP_CURSOR);
        HCURSOR hCursor = LoadCursorW(hInst, MAKEINTRESOURCEW(cursor.nGroupID));
        ASSERT_NE(hCursor, nullptr);
        ICONINFO info = {};
        const CursorPixels pixels = ReadMonochromeCursor(hCursor, info);
        EXPECT_FALSE(info.fIcon);
        EXPECT_EQ(info.xHotspot, 0u);
        EXPECT_EQ(info.yHotspot, 0u);
        EXPECT_EQ(info.hbmColor, nullptr) << "a monochrome cursor keeps both planes in the mask bitmap";
        BITMAP bm = {};
        GetObjectW(info.hbmMask, sizeof(bm), &bm);
        EXPECT_EQ(bm.bmWidth, 32);
        EXPECT_EQ(bm.bmHeight, 64);
        DeleteObject(info.hbmMask);
        DeleteObject(info.hbmColor);
        ASSERT_EQ(pixels.andMask.size(), 32u * 32u);
        EXPECT_EQ(pixels.andMask[0], 0) << "the hot spot pixel is drawn";
        EXPECT_EQ(pixels.xorImage[0], 0) << "the hot spot pixel is black";
        EXPECT_EQ(pixels.andMask[31], 1) << "the top-right corner is transparent";
        drawings.push_back(pixels);
    }
    ASSERT_EQ(drawings.size(), 3u);
    for (size_t i = 0; i < 3; ++i)
        for (size_t j = i + 1; j < 3; ++j)
            EXPECT_TRUE(drawings[i].andMask != drawings[j].andMask || drawings[i].xorImage != drawings[j].xorImage)
                << "cursors " << kDragCursors[i].nGroupID << " and " << kDragCursors[j].nGroupID << " look alike";
}

// The check-box images as the check tree draws them: unchecked, checked, indeterminate, 13 x 13 each, with
// W white, G grey, L light grey and B black. Columns 39 to 47 of the bitmap are white.
const char* const kCheckBoxImages[3][13] = {
    {"WWWWWWWWWWWWW", "WGGGGGGGGGGGW", "WGWWWWWWWWWGW", "WGWWWWWWWWWGW", "WGWWWWWWWWWGW",
     "WGWWWWWWWWWGW", "WGWWWWWWWWWGW", "WGWWWWWWWWWGW", "WGWWWWWWWWWGW", "WGWWWWWWWWWGW",
     "WGWWWWWWWWWGW", "WGGGGGGGGGGGW", "WWWWWWWWWWWWW"},
    {"WWWWWWWWWWWWW", "WGGGGGGGGGGGW", "WGBBBBBBBBBGW", "WGBWWWWWWBWGW", "WGBWWWWWBBWGW",
     "WGBBWWWBBBWGW", "WGBBBWBBBWWGW", "WGBBBBBBWWWGW", "WGBWBBBWWWWGW", "WGBWWBWWWWWGW",
     "WGBWWWWWWWWGW", "WGGGGGGGGGGGW", "WWWWWWWWWWWWW"},
    {"WWWWWWWWWWWWW", "WGGGGGGGGGGGW", "WGLLLLLLLLLGW", "WGLLLLLLLGLGW", "WGLLLLLLGGLGW",
     "WGLGLLLGGGLGW", "WGLGGLGGGLLGW", "WGLGGGGGLLLGW", "WGLLGGGLLLLGW", "WGLLLGLLLLLGW",
     "WGLLLLLLLLLGW", "WGGGGGGGGGGGW", "WWWWWWWWWWWWW"},
};

COLORREF ExpectedCheckBoxPixel(int x, int y)
{
    const char c = x < 39 ? kCheckBoxImages[x / 13][y][x % 13] : 'W';
    switch (c)
    {
    case 'G':
        return RGB(128, 128, 128);
    case 'L':
        return RGB(192, 192, 192);
    case 'B':
        return RGB(0, 0, 0);
    default:
        return RGB(255, 255, 255);
    }
}

const COLORREF kStandardPalette[16] = {
    RGB(0, 0, 0),       RGB(128, 0, 0),   RGB(0, 128, 0),   RGB(128, 128, 0),
    RGB(0, 0, 128),     RGB(128, 0, 128), RGB(0, 128, 128), RGB(128, 128, 128),
    RGB(192, 192, 192), RGB(255, 0, 0),   RGB(0, 255, 0),   RGB(255, 255, 0),
    RGB(0, 0, 255),     RGB(255, 0, 255), RGB(0, 255, 255), RGB(255, 255, 255)};

TEST_F(ControlsResources, CheckBoxBitmapIsA16ColourDibWithThePixelsOfTheTable)
{
    const std::vector<BYTE> dib = ChainedResource(30000, RT_BITMAP);
    ASSERT_EQ(dib.size(), 416u);
    const BITMAPINFOHEADER header = At<BITMAPINFOHEADER>(dib, 0);
    EXPECT_EQ(header.biSize, 40u);
    EXPECT_EQ(header.biWidth, 48);
    EXPECT_EQ(header.biHeight, 13) << "bottom-up rows";
    EXPECT_EQ(header.biPlanes, 1);
    EXPECT_EQ(header.biBitCount, 4);
    EXPECT_EQ(header.biCompression, static_cast<DWORD>(BI_RGB));

    COLORREF palette[16];
    for (int i = 0; i < 16; ++i)
    {
        const RGBQUAD entry = At<RGBQUAD>(dib, 40 + 4 * i);
        palette[i] = RGB(entry.rgbRed, entry.rgbGreen, entry.rgbBlue);
        EXPECT_EQ(palette[i], kStandardPalette[i]) << "palette entry " << i;
    }

    const size_t nStride = 24;
    for (int y = 0; y < 13; ++y)
        for (int x = 0; x < 48; ++x)
        {
            const BYTE packed = dib[40 + 64 + (12 - y) * nStride + x / 2];
            const int nIndex = x % 2 ? packed & 0x0F : packed >> 4;
            EXPECT_EQ(palette[nIndex], ExpectedCheckBoxPixel(x, y)) << "pixel (" << x << ", " << y << ")";
        }
}

TEST_F(ControlsResources, CheckBoxBitmapLoadsThroughGdiWithTheSamePixels)
{
    HINSTANCE hInst = AfxFindResourceHandle(MAKEINTRESOURCEW(30000), RT_BITMAP);
    HBITMAP hBitmap = LoadBitmapW(hInst, MAKEINTRESOURCEW(30000));
    ASSERT_NE(hBitmap, nullptr);
    HDC hdc = CreateCompatibleDC(nullptr);
    HBITMAP hScreenCompatible = nullptr;
    {
        HDC hScreen = GetDC(nullptr);
        hScreenCompatible = CreateCompatibleBitmap(hScreen, 48, 13);
        ReleaseDC(nullptr, hScreen);
    }
    // Draw into a full-colour bitmap so the comparison does not depend on the source's colour depth.
    HDC hdcSource = CreateCompatibleDC(nullptr);
    HGDIOBJ hOldSource = SelectObject(hdcSource, hBitmap);
    HGDIOBJ hOld = SelectObject(hdc, hScreenCompatible);
    ASSERT_TRUE(BitBlt(hdc, 0, 0, 48, 13, hdcSource, 0, 0, SRCCOPY));
    int nMismatches = 0;
    for (int y = 0; y < 13; ++y)
        for (int x = 0; x < 48; ++x)
            if (GetPixel(hdc, x, y) != ExpectedCheckBoxPixel(x, y))
                ++nMismatches;
    EXPECT_EQ(nMismatches, 0);
    SelectObject(hdc, hOld);
    SelectObject(hdcSource, hOldSource);
    DeleteDC(hdcSource);
    DeleteDC(hdc);
    DeleteObject(hScreenCompatible);
    DeleteObject(hBitmap);
}

TEST_F(ControlsResources, ManifestAsksForNoElevationAndNoRuntimeAssemblies)
{
    HRSRC hRes = FindResourceExW(s_hControls, RT_MANIFEST, MAKEINTRESOURCEW(2),
                                 MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US));
    ASSERT_NE(hRes, nullptr) << "manifest 2 in language 1033";
    const char* pText = static_cast<const char*>(LockResource(LoadResource(s_hControls, hRes)));
    const std::string manifest(pText, SizeofResource(s_hControls, hRes));
    EXPECT_NE(manifest.find("level=\"asInvoker\""), std::string::npos) << manifest;
    EXPECT_NE(manifest.find("uiAccess=\"false\""), std::string::npos) << manifest;
    EXPECT_EQ(manifest.find("VC90"), std::string::npos) << "MinGW builds bind no Visual C++ runtime";
    EXPECT_EQ(manifest.find("dependentAssembly"), std::string::npos);
    const size_t nArch = manifest.find("processorArchitecture");
    if (nArch != std::string::npos)
    {
        EXPECT_EQ(manifest.compare(nArch, 29, "processorArchitecture=\"amd64\""), 0) << manifest;
    }
}

TEST_F(ControlsResources, CursorsAndBitmapAreLanguageNeutral)
{
    const WORD wNeutral = MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL);
    for (const DragCursor& cursor : kDragCursors)
    {
        EXPECT_NE(FindResourceExW(s_hControls, RT_GROUP_CURSOR, MAKEINTRESOURCEW(cursor.nGroupID), wNeutral),
                  nullptr)
            << cursor.nGroupID;
        EXPECT_NE(FindResourceExW(s_hControls, RT_CURSOR, MAKEINTRESOURCEW(cursor.nImageID), wNeutral), nullptr)
            << cursor.nImageID;
    }
    EXPECT_NE(FindResourceExW(s_hControls, RT_BITMAP, MAKEINTRESOURCEW(30000), wNeutral), nullptr);
}
}
