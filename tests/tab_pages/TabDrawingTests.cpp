// What the tabs look like: the owner-drawn tabs' picture and caption placement, the selected tab's face,
// the transparent mask, embossed disabled captions; the tab window's active tab, hidden tabs and pictures.
#include "TabTestSupport.h"

#include <map>

using namespace tabtest;

namespace
{
const COLORREF s_crBody = RGB(0, 0, 255);
const COLORREF s_crMask = RGB(255, 0, 255);

// The top-left corner of what shows the colour inside the rectangle: its first column and first row.
CPoint BodyCorner(const CImage& image, const CRect& rect, COLORREF crBody = s_crBody)
{
    CPoint corner(-1, -1);
    for (int x = rect.left; x < rect.right && corner.x < 0; ++x)
        if (kit::RegionContains(image, CRect(x, rect.top, x + 1, rect.bottom), crBody))
            corner.x = x;
    for (int y = rect.top; y < rect.bottom && corner.y < 0; ++y)
        if (kit::RegionContains(image, CRect(rect.left, y, rect.right, y + 1), crBody))
            corner.y = y;
    return corner;
}

template <class Traits>
class Looks : public TabFixture<Traits>
{
protected:
    // Pages 0 and 1 with the picture, page 2 with a caption only.
    void OpenWithPictures()
    {
        this->OpenHost();
        for (int i = 0; i < 3; ++i)
            this->pages.push_back(std::make_unique<CLogPage>(std::to_string(i), IDD_PAGE_EDITS));
        this->BeginControl();
        for (int i = 0; i < 3; ++i)
        {
            CTavTabItem item;
            item.m_pPage = &this->Page(static_cast<size_t>(i));
            item.m_strCaption = i == 2 ? L"Words" : L"Tab";
            if (i < 2)
            {
                item.m_pPicture = DrawPicture(new CBitmap, s_crBody, s_crMask);
                item.m_bDeletePicture = TRUE;
                item.m_crMask = s_crMask;
            }
            this->ctrl.AddPage(item);
            EXPECT_EQ(item.m_nImageIndex, i < 2 ? i : -1);
        }
        this->EndControl();
    }
};
}

// Keeps the rectangle the platform hands each tab to draw in (it differs from the tab's item rectangle).
class CRecordingTabCtrl : public CTavTabCtrl
{
public:
    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override
    {
        m_drawn[lpDrawItemStruct->itemID] = lpDrawItemStruct->rcItem;
        CTavTabCtrl::DrawItem(lpDrawItemStruct);
    }
    std::map<UINT, CRect> m_drawn;
};

struct RecordingOwnerDrawn : OwnerDrawn
{
    using Ctrl = CRecordingTabCtrl;
    static void Attach(Ctrl& ctrl, CWnd& host) { ctrl.SubclassDlgItem(IDC_TABS, &host); }
};

using OwnerDrawnLooks = Looks<RecordingOwnerDrawn>;

TEST_F(OwnerDrawnLooks, SelectedTabSitsOnTheFaceSixInAndOthersShiftTwoRightAndDown)
{
    OpenWithPictures();
    const CImage image = kit::Capture(&ctrl);
    const CRect rcSelected = ctrl.m_drawn[0], rcOther = ctrl.m_drawn[1];
    EXPECT_TRUE(kit::PixelIs(image, CPoint(rcSelected.left + 1, rcSelected.top + 1), ::GetSysColor(COLOR_BTNFACE)));
    const int yCentred = rcSelected.top + (rcSelected.Height() - 16) / 2;
    EXPECT_EQ(BodyCorner(image, rcSelected), CPoint(rcSelected.left + 6, yCentred));
    EXPECT_EQ(BodyCorner(image, rcOther), CPoint(rcOther.left + 2, rcOther.top + (rcOther.Height() - 16) / 2 + 2));
    const CPoint corner = BodyCorner(image, rcSelected);
    EXPECT_FALSE(kit::RegionContains(image, CRect(corner.x, corner.y, corner.x + 4, corner.y + 4), s_crMask))
        << "the mask colour shows";
}

TEST_F(OwnerDrawnLooks, TabsAtTheBottomShiftUp)
{
    OpenWithPictures();
    ctrl.SetLabelSide(CTavTabCtrl::eLabelBottom);
    EXPECT_TRUE(ctrl.GetStyle() & TCS_BOTTOM);
    const CImage image = kit::Capture(&ctrl);
    const CRect rcOther = ctrl.m_drawn[1];
    // The low tabs clip the picture's top, so its last row tells where it went.
    int yLast = -1;
    for (int y = rcOther.top; y < rcOther.bottom; ++y)
        if (kit::RegionContains(image, CRect(rcOther.left, y, rcOther.right, y + 1), s_crBody))
            yLast = y;
    EXPECT_EQ(yLast, rcOther.top + (rcOther.Height() - 16) / 2 - 2 + 15);
}

TEST_F(OwnerDrawnLooks, DisabledCaptionIsEmbossedWithoutButtonTextPixels)
{
    OpenWithPictures();
    const CRect rcWords = OwnerDrawn::TabRect(ctrl, 2);
    const COLORREF crText = ::GetSysColor(COLOR_BTNTEXT);
    EXPECT_TRUE(kit::RegionContains(kit::Capture(&ctrl), rcWords, crText));
    ctrl.DisablePage(2);
    const CImage image = kit::Capture(&ctrl);
    EXPECT_FALSE(kit::RegionContains(image, rcWords, crText));
    EXPECT_TRUE(kit::RegionContains(image, rcWords, ::GetSysColor(COLOR_BTNSHADOW)));
    EXPECT_TRUE(kit::RegionContains(image, rcWords, ::GetSysColor(COLOR_BTNHIGHLIGHT)));
}

using DockingLooks = Looks<Docking>;

TEST_F(DockingLooks, ActiveTabStandsApartHiddenTabsTakeNoRoomAndPicturesShow)
{
    OpenWithPictures();
    const CRect rcActive = Docking::TabRect(ctrl, 0), rcOther = Docking::TabRect(ctrl, 1);
    CImage image = kit::Capture(&ctrl);
    const COLORREF crWindow = ::GetSysColor(COLOR_WINDOW), crFace = ::GetSysColor(COLOR_BTNFACE);
    EXPECT_TRUE(kit::PixelIs(image, CPoint(rcActive.right - 3, rcActive.bottom - 3), crWindow));
    EXPECT_TRUE(kit::PixelIs(image, CPoint(rcOther.right - 3, rcOther.bottom - 4), crFace));
    EXPECT_GE(BodyCorner(image, rcOther).x, rcOther.left);
    EXPECT_FALSE(kit::RegionContains(image, rcOther, s_crMask));

    ctrl.DisablePage(1);
    image = kit::Capture(&ctrl);
    EXPECT_EQ(Docking::TabRect(ctrl, 2).left, rcOther.left);
    EXPECT_FALSE(kit::RegionContains(image, CRect(rcOther.right, rcOther.top, rcOther.right + 40, rcOther.bottom),
                                     ::GetSysColor(COLOR_BTNTEXT)))
        << "something is drawn where the last tab was before the hidden one moved it";
}

TEST_F(OwnerDrawnLooks, PictureThatFailedToLoadLeavesTheLabelTheWholeTabAndAStrayTabDrawsNothing)
{
    OpenWithPictures();
    CLogPage missing("missing", IDD_PAGE_EDITS);
    ctrl.AddPage(&missing, FALSE, 999, L"", L"Words", s_crMask);   // no bitmap 999: an empty picture
    TCITEMW tab{};
    tab.mask = TCIF_IMAGE;
    ASSERT_TRUE(ctrl.GetItem(3, &tab));
    EXPECT_EQ(tab.iImage, -1);
    // A tab the platform has but the records do not: drawing it must leave the shared DC usable.
    ctrl.InsertItem(ctrl.GetItemCount(), L"Stray");
    ctrl.Invalidate();
    const CImage image = kit::Capture(&ctrl);
    EXPECT_EQ(ctrl.m_drawn.count(4), 1u);
    const CRect rcWords = ctrl.m_drawn[2], rcMissing = ctrl.m_drawn[3];
    const COLORREF crText = ::GetSysColor(COLOR_BTNTEXT);
    EXPECT_EQ(BodyCorner(image, rcMissing, crText) - rcMissing.TopLeft(), BodyCorner(image, rcWords, crText) - rcWords.TopLeft())
        << "the caption of the tab whose picture failed is not centred like one without a picture";
    EXPECT_FALSE(kit::RegionContains(image, ctrl.m_drawn[4], ::GetSysColor(COLOR_BTNTEXT)));
}
