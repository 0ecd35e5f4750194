#include "kit/Pixels.h"
#include "kit/Pump.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace kit
{
namespace
{
bool SameColour(COLORREF a, COLORREF b, int tolerance)
{
    return std::abs(GetRValue(a) - GetRValue(b)) <= tolerance && std::abs(GetGValue(a) - GetGValue(b)) <= tolerance &&
           std::abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}

std::wstring OutputFolder()
{
    wchar_t szFolder[MAX_PATH];
    DWORD nLength = ::GetEnvironmentVariableW(L"TAV_TEST_OUTPUT", szFolder, MAX_PATH);
    if (nLength == 0 || nLength >= MAX_PATH)
    {
        ::GetModuleFileNameW(nullptr, szFolder, MAX_PATH);
        *(::wcsrchr(szFolder, L'\\') + 1) = 0;
        ::lstrcatW(szFolder, L"test-output");
    }
    ::CreateDirectoryW(szFolder, nullptr);
    return szFolder;
}

// The current test's name, made safe for a file name.
std::wstring FailureName()
{
    const ::testing::TestInfo* pInfo = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = pInfo ? std::string(pInfo->test_suite_name()) + "." + pInfo->name() : "capture";
    std::wstring wide(name.begin(), name.end());
    for (wchar_t& ch : wide)
        if (ch == L'/' || ch == L'\\' || ch == L':')
            ch = L'_';
    return wide;
}

std::string Describe(COLORREF colour)
{
    char sz[24];
    snprintf(sz, sizeof(sz), "RGB(%d,%d,%d)", GetRValue(colour), GetGValue(colour), GetBValue(colour));
    return sz;
}

std::string Describe(const CRect& rect)
{
    char sz[64];
    snprintf(sz, sizeof(sz), "(%ld,%ld)-(%ld,%ld)", rect.left, rect.top, rect.right, rect.bottom);
    return sz;
}

::testing::AssertionResult Fail(const CImage& image, const std::string& what)
{
    CString strPath = SaveImage(image, FailureName().c_str());
    std::wstring path(static_cast<LPCWSTR>(strPath));
    return ::testing::AssertionFailure() << what << " (capture saved to " << std::string(path.begin(), path.end()) << ")";
}
}

CImage Capture(CWnd* pWnd)
{
    ::RedrawWindow(pWnd->m_hWnd, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    PumpUntilIdle();
    CImage image;
    image.CaptureClient(pWnd->m_hWnd);
    return image;
}

CString SaveImage(const CImage& image, LPCWSTR lpszName)
{
    std::wstring path = OutputFolder() + L"\\" + lpszName + L".png";
    image.SavePng(path.c_str());
    return path.c_str();
}

::testing::AssertionResult PixelIs(const CImage& image, CPoint point, COLORREF expected, int tolerance)
{
    COLORREF actual = image.GetPixel(point.x, point.y);
    if (actual != CLR_INVALID && SameColour(actual, expected, tolerance))
        return ::testing::AssertionSuccess();
    return Fail(image, "pixel (" + std::to_string(point.x) + "," + std::to_string(point.y) + ") is " +
                           (actual == CLR_INVALID ? std::string("outside the image") : Describe(actual)) +
                           ", expected " + Describe(expected));
}

int CountPixels(const CImage& image, const CRect& rect, COLORREF colour, int tolerance)
{
    int nCount = 0;
    for (int y = rect.top; y < rect.bottom; ++y)
        for (int x = rect.left; x < rect.right; ++x)
        {
            COLORREF actual = image.GetPixel(x, y);
            if (actual != CLR_INVALID && SameColour(actual, colour, tolerance))
                ++nCount;
        }
    return nCount;
}

::testing::AssertionResult RegionIs(const CImage& image, const CRect& rect, COLORREF expected, int tolerance)
{
    int nMatching = CountPixels(image, rect, expected, tolerance);
    if (nMatching == rect.Width() * rect.Height() && !rect.IsRectEmpty())
        return ::testing::AssertionSuccess();
    return Fail(image, std::to_string(rect.Width() * rect.Height() - nMatching) + " pixels of " + Describe(rect) +
                           " are not " + Describe(expected));
}

::testing::AssertionResult RegionContains(const CImage& image, const CRect& rect, COLORREF expected, int tolerance)
{
    if (CountPixels(image, rect, expected, tolerance) > 0)
        return ::testing::AssertionSuccess();
    return Fail(image, "no pixel of " + Describe(rect) + " is " + Describe(expected));
}
}
