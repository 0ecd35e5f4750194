// The host's view of TavControls.dll's resources: found by ID through the application's resource chain,
// in the formats and with the contents the controls rely on.
#include "Module.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

namespace
{
const WORD s_wNeutral = MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL);

class ControlsResources : public ::testing::Test
{
protected:
    static void SetUpTestSuite() { s_hControls = LoadLibraryW(L"TavControls.dll"); }
    static void TearDownTestSuite() { FreeLibrary(s_hControls); }

    void SetUp() override { ASSERT_NE(s_hControls, nullptr) << "TavControls.dll did not load"; }

    // The resource's bytes, from the module that the chain names for it, which must be the library; the
    // resource must also be language neutral.
    static std::vector<BYTE> ChainedResource(UINT nID, LPCWSTR lpszType)
    {
        HINSTANCE hInst = AfxFindResourceHandle(MAKEINTRESOURCEW(nID), lpszType);
        EXPECT_EQ(hInst, s_hControls) << "resource " << nID << " not found in TavControls.dll";
        HRSRC hRes = FindResourceExW(hInst, lpszType, MAKEINTRESOURCEW(nID), s_wNeutral);
        EXPECT_NE(hRes, nullptr) << "resource " << nID << " is not language neutral";
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

// A bitmap's pixels as 0x00RRGGBB, top row first.
std::vector<DWORD> Pixels(HBITMAP hBitmap, int nWidth, int nHeight)
{
    BITMAPINFO bmi = {};
    bmi.bmiHeader = {sizeof(BITMAPINFOHEADER), nWidth, -nHeight, 1, 32, BI_RGB};
    std::vector<DWORD> vecBits(nWidth * nHeight);
    HDC hdc = GetDC(nullptr);
    const int nRows = GetDIBits(hdc, hBitmap, 0, nHeight, vecBits.data(), &bmi, DIB_RGB_COLORS);
    ReleaseDC(nullptr, hdc);
    EXPECT_EQ(nRows, nHeight);
    for (DWORD& dwPixel : vecBits)
        dwPixel &= 0xFFFFFF;
    return vecBits;
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

TEST_F(ControlsResources, DragCursorsHoldOneMonochromeImageWithTheHotSpotOnTheArrowTip)
{
    const struct
    {
        UINT nGroupID;
        WORD nImageID;
    } cursors[] = {{31508, 3}, {31509, 2}, {31510, 1}};
    std::vector<std::vector<DWORD>> vecDrawings;
    for (const auto& cursor : cursors)
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

        const std::vector<BYTE> image = ChainedResource(entry.nID, RT_CURSOR);
        ASSERT_EQ(image.size(), entry.dwBytesInRes);
        EXPECT_EQ(At<DWORD>(image, 0), 0u) << "hot spot";
        const BITMAPINFOHEADER header = At<BITMAPINFOHEADER>(image, 4);
        EXPECT_EQ(header.biWidth, 32);
        EXPECT_EQ(header.biHeight, 64);
        EXPECT_EQ(header.biBitCount, 1);

        HCURSOR hCursor = LoadCursorW(s_hControls, MAKEINTRESOURCEW(cursor.nGroupID));
        ASSERT_NE(hCursor, nullptr);
        ICONINFO info = {};
        ASSERT_TRUE(GetIconInfo(hCursor, &info));
        EXPECT_FALSE(info.fIcon);
        EXPECT_EQ(info.xHotspot, 0u);
        EXPECT_EQ(info.yHotspot, 0u);
        EXPECT_EQ(info.hbmColor, nullptr) << "a monochrome cursor keeps both planes in the mask bitmap";
        // The AND mask on top, the XOR image below.
        const std::vector<DWORD> vecPixels = Pixels(info.hbmMask, 32, 64);
        DeleteObject(info.hbmMask);
        DeleteObject(info.hbmColor);
        EXPECT_EQ(vecPixels[0], 0u) << "the hot spot pixel is drawn";
        EXPECT_EQ(vecPixels[32 * 32], 0u) << "the hot spot pixel is black";
        EXPECT_NE(vecPixels[31], 0u) << "the top-right corner is transparent";
        for (const std::vector<DWORD>& vecOther : vecDrawings)
            EXPECT_NE(vecPixels, vecOther) << "two cursors look alike";
        vecDrawings.push_back(vecPixels);
    }
}

// The check-box images as the check tree draws them: unchecked, checked, indeterminate, 13 x 13 each, each a
// white square with a grey ring one pixel inside its edge around the 9 x 9 insides below, with W white,
// G grey, L light grey and B black. Columns 39 to 47 of the bitmap are white.
const char* const kCheckBoxInsides[3][9] = {
    {"WWWWWWWWW", "WWWWWWWWW", "WWWWWWWWW", "WWWWWWWWW", "WWWWWWWWW", "WWWWWWWWW", "WWWWWWWWW", "WWWWWWWWW",
     "WWWWWWWWW"},
    {"BBBBBBBBB", "BWWWWWWBW", "BWWWWWBBW", "BBWWWBBBW", "BBBWBBBWW", "BBBBBBWWW", "BWBBBWWWW", "BWWBWWWWW",
     "BWWWWWWWW"},
    {"LLLLLLLLL", "LLLLLLLGL", "LLLLLLGGL", "LGLLLGGGL", "LGGLGGGLL", "LGGGGGLLL", "LLGGGLLLL", "LLLGLLLLL",
     "LLLLLLLLL"},
};

DWORD ExpectedCheckBoxPixel(int x, int y)
{
    const int nEdge = std::min({x % 13, 12 - x % 13, y, 12 - y});
    const char c = x >= 39 || nEdge == 0 ? 'W' : nEdge == 1 ? 'G' : kCheckBoxInsides[x / 13][y - 2][x % 13 - 2];
    static const std::map<char, DWORD> s_colours = {
        {'W', 0xFFFFFF}, {'G', 0x808080}, {'L', 0xC0C0C0}, {'B', 0x000000}};
    return s_colours.at(c);
}

const DWORD kStandardPalette[16] = {0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0x808080,
                                    0xC0C0C0, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};

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

    DWORD palette[16];
    for (int i = 0; i < 16; ++i)
    {
        palette[i] = At<DWORD>(dib, 40 + 4 * i);
        EXPECT_EQ(palette[i], kStandardPalette[i]) << "palette entry " << i;
    }

    HBITMAP hBitmap = LoadBitmapW(s_hControls, MAKEINTRESOURCEW(30000));
    ASSERT_NE(hBitmap, nullptr);
    const std::vector<DWORD> vecLoaded = Pixels(hBitmap, 48, 13);
    DeleteObject(hBitmap);
    for (int y = 0; y < 13; ++y)
        for (int x = 0; x < 48; ++x)
        {
            const BYTE packed = dib[40 + 64 + (12 - y) * 24 + x / 2];
            EXPECT_EQ(palette[x % 2 ? packed & 0x0F : packed >> 4], ExpectedCheckBoxPixel(x, y)) << x << ", " << y;
            EXPECT_EQ(vecLoaded[y * 48 + x], ExpectedCheckBoxPixel(x, y)) << "loaded by GDI: " << x << ", " << y;
        }
}

// The application's own resource module is searched before the extension modules; a resource that no
// module holds is looked for in the application's module. A second copy of the library, loaded as a plain
// data file, stands in for an application that carries resources with the same IDs.
TEST_F(ControlsResources, ChainSearchesTheApplicationFirst)
{
    wchar_t szLibrary[MAX_PATH], szTemp[MAX_PATH], szCopy[MAX_PATH];
    ASSERT_NE(GetModuleFileNameW(s_hControls, szLibrary, MAX_PATH), 0u);
    ASSERT_NE(GetTempPathW(MAX_PATH, szTemp), 0u);
    ASSERT_NE(GetTempFileNameW(szTemp, L"tav", 0, szCopy), 0u);
    ASSERT_TRUE(CopyFileW(szLibrary, szCopy, FALSE));
    HMODULE hApplication = LoadLibraryExW(szCopy, nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(hApplication, nullptr);

    const HINSTANCE hBefore = AfxGetResourceHandle();
    AfxSetResourceHandle(hApplication);
    EXPECT_EQ(AfxFindResourceHandle(MAKEINTRESOURCEW(31508), RT_GROUP_CURSOR), hApplication);
    EXPECT_EQ(AfxFindResourceHandle(MAKEINTRESOURCEW(30000), RT_BITMAP), hApplication);
    AfxSetResourceHandle(hBefore);
    EXPECT_EQ(AfxFindResourceHandle(MAKEINTRESOURCEW(31508), RT_GROUP_CURSOR), s_hControls);
    EXPECT_EQ(AfxFindResourceHandle(MAKEINTRESOURCEW(29999), RT_BITMAP), hBefore) << "held by no module";

    FreeLibrary(hApplication);
    DeleteFileW(szCopy);
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
}
