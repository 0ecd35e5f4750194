// The gallery run headless renders its pages to PNG files: the first page's file is a well-formed PNG of
// the page size whose pixels show more than a blank page, and the list boxes page shows its open tooltip.
#include <windows.h>

#include <cstdio>
#include <gtest/gtest.h>
#include <set>
#include <string>
#include <vector>

namespace
{
typedef std::vector<unsigned char> Bytes;

std::wstring ProgramFolder()
{
    wchar_t szPath[MAX_PATH];
    ::GetModuleFileNameW(nullptr, szPath, MAX_PATH);
    *(::wcsrchr(szPath, L'\\') + 1) = 0;
    return szPath;
}

// Runs the gallery and returns its exit code, or -1 when it did not finish in time.
int RunGallery(const std::wstring& outFolder)
{
    std::wstring commandLine = L"\"" + ProgramFolder() + L"TavGallery.exe\" --out \"" + outFolder + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    if (!::CreateProcessW(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return -2;
    DWORD exitCode = static_cast<DWORD>(-1);
    if (::WaitForSingleObject(process.hProcess, 60000) == WAIT_OBJECT_0)
        ::GetExitCodeProcess(process.hProcess, &exitCode);
    else
        ::TerminateProcess(process.hProcess, 1);
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    return static_cast<int>(exitCode);
}

Bytes ReadFile(const std::wstring& path)
{
    Bytes bytes;
    FILE* pFile = _wfopen(path.c_str(), L"rb");
    if (!pFile)
        return bytes;
    unsigned char buffer[65536];
    size_t nRead;
    while ((nRead = fread(buffer, 1, sizeof(buffer), pFile)) > 0)
        bytes.insert(bytes.end(), buffer, buffer + nRead);
    fclose(pFile);
    return bytes;
}

DWORD BE32(const unsigned char* p)
{
    return (static_cast<DWORD>(p[0]) << 24) | (static_cast<DWORD>(p[1]) << 16) | (static_cast<DWORD>(p[2]) << 8) | p[3];
}

DWORD Crc32(const unsigned char* p, size_t n)
{
    DWORD crc = 0xFFFFFFFF;
    for (size_t i = 0; i < n; ++i)
    {
        crc ^= p[i];
        for (int k = 0; k < 8; ++k)
            crc = (crc & 1) ? 0xEDB88320u ^ (crc >> 1) : crc >> 1;
    }
    return ~crc;
}

struct Png
{
    DWORD width = 0;
    DWORD height = 0;
    Bytes pixels;  // filter byte + RGB per row, as stored
};

// Reads a PNG whose image data is stored uncompressed, checking every chunk's CRC.
::testing::AssertionResult ParsePng(const Bytes& file, Png& png)
{
    if (file.size() < 8 || memcmp(file.data(), "\x89PNG\r\n\x1a\n", 8) != 0)
        return ::testing::AssertionFailure() << "no PNG signature";
    Bytes zlib;
    for (size_t at = 8; at + 12 <= file.size();)
    {
        DWORD length = BE32(&file[at]);
        if (at + 12 + length > file.size())
            return ::testing::AssertionFailure() << "chunk runs past the end";
        std::string type(reinterpret_cast<const char*>(&file[at + 4]), 4);
        if (Crc32(&file[at + 4], length + 4) != BE32(&file[at + 8 + length]))
            return ::testing::AssertionFailure() << "bad CRC in " << type;
        const unsigned char* pData = &file[at + 8];
        if (type == "IHDR")
        {
            png.width = BE32(pData);
            png.height = BE32(pData + 4);
        }
        else if (type == "IDAT")
            zlib.insert(zlib.end(), pData, pData + length);
        at += 12 + length;
    }
    for (size_t at = 2; at + 5 <= zlib.size();)
    {
        bool bFinal = zlib[at] & 1;
        if ((zlib[at] >> 1) != 0)
            return ::testing::AssertionFailure() << "not a stored block";
        size_t length = zlib[at + 1] | (zlib[at + 2] << 8);
        png.pixels.insert(png.pixels.end(), zlib.begin() + static_cast<std::ptrdiff_t>(at + 5),
                          zlib.begin() + static_cast<std::ptrdiff_t>(at + 5 + length));
        at += 5 + length;
        if (bFinal)
            break;
    }
    if (png.pixels.size() != png.height * (1 + 3 * static_cast<size_t>(png.width)))
        return ::testing::AssertionFailure() << "image data of " << png.pixels.size() << " bytes";
    return ::testing::AssertionSuccess();
}
}

TEST(Gallery, RendersItsFirstPageToAPngHeadless)
{
    wchar_t szTemp[MAX_PATH];
    ::GetTempPathW(MAX_PATH, szTemp);
    std::wstring outFolder = std::wstring(szTemp) + L"tav-gallery-" + std::to_wstring(::GetCurrentProcessId());
    std::wstring firstPage = outFolder + L"\\01-platform-controls.png";
    ::DeleteFileW(firstPage.c_str());

    ASSERT_EQ(0, RunGallery(outFolder));
    Png png;
    ASSERT_TRUE(ParsePng(ReadFile(firstPage), png));
    EXPECT_EQ(640u, png.width);
    EXPECT_EQ(400u, png.height);

    // A rendered page shows its background, white edit fields and dark text: several distinct colours.
    std::set<DWORD> colours;
    const size_t stride = 1 + 3 * static_cast<size_t>(png.width);
    for (size_t y = 0; y < png.height; ++y)
        for (size_t x = 0; x < png.width; ++x)
        {
            const unsigned char* p = &png.pixels[y * stride + 1 + 3 * x];
            colours.insert((static_cast<DWORD>(p[0]) << 16) | (p[1] << 8) | p[2]);
        }
    EXPECT_GE(colours.size(), 3u);
    EXPECT_TRUE(colours.count(0xFFFFFF));

    // The list boxes page shows the check list's fly-by tooltip, a popup of its own, over the selected cut-off
    // item and beyond the list's right edge (x 156): highlight colour out there on the item's row.
    WIN32_FIND_DATAW found;
    HANDLE hFind = ::FindFirstFileW((outFolder + L"\\*-list-boxes.png").c_str(), &found);
    ASSERT_NE(INVALID_HANDLE_VALUE, hFind);
    ::FindClose(hFind);
    const std::wstring listPage = outFolder + L"\\" + found.cFileName;
    Png listPng;
    ASSERT_TRUE(ParsePng(ReadFile(listPage), listPng));
    const COLORREF crHighlight = ::GetSysColor(COLOR_HIGHLIGHT);
    int nHighlight = 0;
    for (size_t y = 40; y < 90; ++y)
        for (size_t x = 170; x < 250; ++x)
        {
            const unsigned char* p = &listPng.pixels[y * stride + 1 + 3 * x];
            nHighlight += RGB(p[0], p[1], p[2]) == crHighlight;
        }
    EXPECT_GT(nHighlight, 200);

    ::DeleteFileW(listPage.c_str());
    ::DeleteFileW(firstPage.c_str());
    ::RemoveDirectoryW(outFolder.c_str());
}
