// Painting through CDC: selection hands back the previous object without taking ownership, owned objects
// free their handles, clipping (by rectangle and region) and saved states hold, text, icons, focus frames and
// blits show, and bitmaps come from the resource chain.
#include "Gdi.h"
#include "kit/Host.h"
#include "kit/Pixels.h"
#include "kit/Pump.h"

#include <gtest/gtest.h>

namespace
{
const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kBlack = RGB(0, 0, 0);
const COLORREF kBlue = RGB(0, 0, 255);
const COLORREF kGreen = RGB(0, 255, 0);

// A 16 x 16 icon that is solid blue.
HICON CreateBlueIcon()
{
    CClientDC screen(nullptr);
    CBitmap colour, mask;
    colour.CreateCompatibleBitmap(&screen, 16, 16);
    const WORD opaque[16] = {};
    mask.CreateBitmap(16, 16, 1, 1, opaque);
    CDC memory;
    memory.CreateCompatibleDC(&screen);
    CBitmap* pOld = memory.SelectObject(&colour);
    memory.FillSolidRect(0, 0, 16, 16, kBlue);
    memory.SelectObject(pOld);
    ICONINFO info = {TRUE, 0, 0, mask, colour};
    return ::CreateIconIndirect(&info);
}

class CPaintingWnd : public CWnd
{
public:
    CRect m_rcClipBox;
    HICON m_hIcon = nullptr;

protected:
    afx_msg void OnPaint()
    {
        CPaintDC dc(this);
        CRect rcClient;
        GetClientRect(&rcClient);
        dc.FillSolidRect(&rcClient, kWhite);

        int nSaved = dc.SaveDC();
        dc.IntersectClipRect(0, 0, 40, 40);
        dc.GetClipBox(&m_rcClipBox);
        dc.FillSolidRect(&rcClient, kRed);  // only the clipped corner takes it
        dc.RestoreDC(nSaved);

        dc.SetBkMode(TRANSPARENT);
        dc.SetTextColor(kBlack);
        CFont* pOldFont = dc.SelectObject(CFont::FromHandle(static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT))));
        dc.TextOut(60, 10, CString(L"Text"));
        CSize extent = dc.GetTextExtent(CString(L"Text"));
        dc.DrawState(CPoint(110, 60), CSize(0, 0), CString(L"Ab"), DSS_NORMAL, FALSE);
        dc.SelectObject(pOldFont);
        dc.Draw3dRect(60, 40, extent.cx, extent.cy, kBlack, kBlack);

        dc.DrawState(CPoint(150, 60), CSize(16, 16), m_hIcon, DSS_NORMAL);
        dc.DrawFocusRect(CRect(150, 10, 190, 30));
        PaintThroughRegion(dc, &rcClient);
        BlitGreenSquare(dc);
    }

    static void PaintThroughRegion(CDC& dc, LPCRECT lpRect)
    {
        CRgn region;
        region.CreateRectRgn(0, 50, 20, 70);
        dc.SelectClipRgn(&region);
        dc.FillSolidRect(lpRect, kBlue);
        dc.SelectClipRgn(nullptr);
    }

    static void BlitGreenSquare(CDC& dc)
    {
        CDC memory;
        memory.CreateCompatibleDC(&dc);
        CBitmap square;
        square.CreateCompatibleBitmap(&dc, 10, 10);
        CBitmap* pOld = memory.SelectObject(&square);
        memory.FillSolidRect(0, 0, 10, 10, kGreen);
        dc.BitBlt(0, 80, 10, 10, &memory, 0, 0, SRCCOPY);
        memory.SelectObject(pOld);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CPaintingWnd, CWnd)
    ON_WM_PAINT()
END_MESSAGE_MAP()
}

TEST(WndGdi, SelectionReturnsThePreviousObjectWithoutOwningIt)
{
    CDC dc;
    ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
    CFont font;
    ASSERT_TRUE(font.CreatePointFont(100, L"Tahoma"));
    HFONT hDefault = static_cast<HFONT>(::GetCurrentObject(dc, OBJ_FONT));

    CFont* pOld = dc.SelectObject(&font);
    ASSERT_NE(nullptr, pOld);
    EXPECT_EQ(hDefault, static_cast<HFONT>(*pOld));
    EXPECT_EQ(static_cast<HFONT>(font), static_cast<HFONT>(*dc.GetCurrentFont()));
    dc.SelectObject(pOld);

    AfxDeleteTempMaps();
    LOGFONTW logFont{};
    EXPECT_NE(0, ::GetObjectW(hDefault, sizeof(logFont), &logFont));  // a wrapper's release leaves its handle

    HGDIOBJ hFont = font.m_hObject;
    EXPECT_TRUE(font.DeleteObject());
    EXPECT_EQ(0u, ::GetObjectType(hFont));
    {
        CBrush brush(kRed);
        hFont = brush.m_hObject;
        EXPECT_EQ(static_cast<DWORD>(OBJ_BRUSH), ::GetObjectType(hFont));
    }
    EXPECT_EQ(0u, ::GetObjectType(hFont));  // owned handles go with their object
}

TEST(WndGdi, PaintDCClipsRestoresDrawsTextStatesAndBlits)
{
    kit::CHostDialog host;
    ASSERT_TRUE(host.Open());
    CPaintingWnd wnd;
    wnd.m_hIcon = CreateBlueIcon();
    ASSERT_NE(nullptr, wnd.m_hIcon);
    ASSERT_TRUE(wnd.Create(nullptr, nullptr, WS_VISIBLE, CRect(0, 0, 200, 100), &host, 1));
    CImage image = kit::Capture(&wnd);
    ::DestroyIcon(wnd.m_hIcon);

    EXPECT_EQ(CRect(0, 0, 40, 40), wnd.m_rcClipBox);
    EXPECT_TRUE(kit::RegionIs(image, CRect(0, 0, 40, 40), kRed));
    EXPECT_TRUE(kit::RegionIs(image, CRect(40, 0, 56, 100), kWhite));
    EXPECT_TRUE(kit::RegionContains(image, CRect(60, 10, 100, 30), kBlack));
    EXPECT_TRUE(kit::PixelIs(image, CPoint(60, 40), kBlack));

    EXPECT_TRUE(kit::RegionContains(image, CRect(110, 60, 140, 80), kBlack));  // state text
    EXPECT_TRUE(kit::RegionIs(image, CRect(150, 60, 166, 76), kBlue));        // state icon
    EXPECT_TRUE(kit::RegionContains(image, CRect(150, 10, 190, 11), kBlack));  // dotted focus frame
    EXPECT_TRUE(kit::RegionIs(image, CRect(151, 11, 189, 29), kWhite));
    EXPECT_TRUE(kit::RegionIs(image, CRect(0, 50, 20, 70), kBlue));           // inside the clip region
    EXPECT_TRUE(kit::RegionIs(image, CRect(20, 50, 40, 70), kWhite));
    EXPECT_TRUE(kit::RegionIs(image, CRect(0, 80, 10, 90), kGreen));          // blitted
    EXPECT_TRUE(kit::PixelIs(image, CPoint(10, 90), kWhite));
}

TEST(WndGdi, BitmapsLoadThroughTheResourceChainAndBlit)
{
    // The host loads the extension module, which chains itself into the resource search at load.
    HMODULE hControls = ::LoadLibraryW(L"TavControls.dll");
    ASSERT_NE(nullptr, hControls);
    CBitmap checkBoxes;
    ASSERT_TRUE(checkBoxes.LoadBitmap(30000));  // held by the extension module, not by this program
    BITMAP info{};
    ASSERT_NE(0, checkBoxes.GetBitmap(&info));
    EXPECT_GT(info.bmWidth, 0);
    EXPECT_GT(info.bmHeight, 0);

    CClientDC screen(nullptr);
    CBitmap canvas;
    ASSERT_TRUE(canvas.CreateCompatibleBitmap(&screen, 8, 8));
    ASSERT_NE(0, canvas.GetBitmap(&info));
    EXPECT_EQ(8, info.bmWidth);
    EXPECT_EQ(8, info.bmHeight);
    CDC memory;
    ASSERT_TRUE(memory.CreateCompatibleDC(&screen));
    CBitmap* pOld = memory.SelectObject(&canvas);
    memory.FillSolidRect(0, 0, 8, 8, kRed);
    EXPECT_EQ(kRed, memory.GetPixel(3, 3));
    memory.SelectObject(pOld);
    checkBoxes.DeleteObject();
    ::FreeLibrary(hControls);
}
