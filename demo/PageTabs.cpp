// The two tab controls side by side, each with the same four dialog pages: pictures on two tabs, a disabled
// page (embossed on the owner-drawn strip, hidden from the docking-style one), a later page active and a
// description as tooltip. Left, Right and Ctrl+Tab switch pages; Tab runs through strip and page.
#include "Controls.h"
#include "Dialog.h"
#include "Gdi.h"
#include "Gallery.h"
#include "TavTabPages.h"

#include <memory>
#include <vector>

namespace
{
const COLORREF s_crMask = RGB(255, 0, 255);
const UINT s_pageTemplates[] = {500, 510, 520, 530};

// A 16 by 16 picture on the mask colour: a disc for the first page, a card for the second.
CBitmap* DrawPicture(COLORREF crBody, bool bDisc)
{
    CClientDC screen(nullptr);
    CBitmap* pBitmap = new CBitmap;
    pBitmap->CreateCompatibleBitmap(&screen, 16, 16);
    CDC dc;
    dc.CreateCompatibleDC(&screen);
    CBitmap* pOld = dc.SelectObject(pBitmap);
    dc.FillSolidRect(0, 0, 16, 16, s_crMask);
    CBrush brush(crBody);
    CBrush* pOldBrush = dc.SelectObject(&brush);
    if (bDisc)
        dc.Ellipse(CRect(1, 1, 15, 15));
    else
        dc.Rectangle(CRect(2, 3, 14, 13));
    dc.SelectObject(pOldBrush);
    dc.SelectObject(pOld);
    return pBitmap;
}

// Four pages for one control: the first two with a picture (the control owns it) and a caption of their own,
// the other two captioned by their templates. The page objects stay the gallery's.
template <class TabControl>
void AddPages(TabControl& tabs, std::vector<std::unique_ptr<CDialog>>& pages)
{
    for (UINT nTemplate : s_pageTemplates)
        pages.push_back(std::make_unique<CDialog>(nTemplate));
    const COLORREF crPictures[] = {RGB(40, 140, 220), RGB(230, 170, 30)};
    const LPCWSTR lpszCaptions[] = {L"General", L"Options"};
    for (size_t i = 0; i < 2; ++i)
    {
        CTavTabItem item;
        item.m_pPage = pages[i].get();
        item.m_strCaption = lpszCaptions[i];
        item.m_crMask = s_crMask;
        item.m_pPicture = DrawPicture(crPictures[i], i == 0);
        item.m_bDeletePicture = TRUE;
        tabs.AddPage(item);
    }
    tabs.AddPage(pages[2].get(), FALSE, 0, L"Free text\nkept with the record", L"", s_crMask);
    tabs.AddPage(pages[3].get(), FALSE, 0, L"", L"", s_crMask);
}

class CTabsPage : public CGalleryPage
{
protected:
    BOOL CreateControls() override
    {
        BOOL bCreated =
            m_title.Create(L"Owner-drawn tab control (left) and docking-style tab control (right)",
                           WS_VISIBLE | SS_LEFT, CRect(16, 12, 620, 30), this, 1);
        // The docking-style control takes the place of a marker window.
        HWND hMarker = ::CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 322, 40, 300, 260,
                                         m_hWnd, reinterpret_cast<HMENU>(3), nullptr, nullptr);
        if (!bCreated || !hMarker)
            return FALSE;
        SetPageFont({ &m_title });

        AddPages(m_ownerDrawn, m_ownerDrawnPages);
        if (!m_ownerDrawn.Create(WS_VISIBLE | WS_TABSTOP | WS_CLIPSIBLINGS | TCS_OWNERDRAWFIXED, CRect(16, 40, 306, 300),
                                 this, 2))
            return FALSE;
        SetPageFont({ &m_ownerDrawn }, TRUE);
        m_ownerDrawn.DisablePage(3);
        m_ownerDrawn.ActivatePage(2, FALSE);

        m_docking.SubclassWindow(hMarker);
        AddPages(m_docking, m_dockingPages);
        m_docking.DisablePage(3);
        m_docking.InitializeControl();
        SetPageFont({ &m_docking }, TRUE);
        m_docking.ActivatePage(1, FALSE, 0);
        return TRUE;
    }

private:
    CStatic m_title;
    // The controls go before the pages they show.
    std::vector<std::unique_ptr<CDialog>> m_ownerDrawnPages;
    std::vector<std::unique_ptr<CDialog>> m_dockingPages;
    CTavTabCtrl m_ownerDrawn;
    CTavNewTabCtrl m_docking;
};
}

GALLERY_PAGE(30, L"Tab pages", CTabsPage);
