#include "TreeTestHost.h"
#include "Gdi.h"
#include "kit/Pixels.h"

namespace
{
// The library's own bitmap resource: 48 by 13 pixels, so it adds three 16 by 16 images.
const long s_nLibraryBitmap = 30000;
const long s_nMissingBitmap = 29999;
const COLORREF s_crMask = RGB(255, 0, 255);
const COLORREF s_crBody = RGB(200, 30, 30);

// A 16 by 16 picture, a red body with a mask-coloured border one pixel wide, that counts its deletions.
class CCountedBitmap : public CBitmap
{
public:
    explicit CCountedBitmap(int& nDeleted) : m_nDeleted(nDeleted)
    {
        CClientDC screenDC(nullptr);
        CreateCompatibleBitmap(&screenDC, 16, 16);
        CDC dc;
        dc.CreateCompatibleDC(&screenDC);
        CBitmap* pOld = dc.SelectObject(this);
        dc.FillSolidRect(0, 0, 16, 16, s_crMask);
        dc.FillSolidRect(1, 1, 14, 14, s_crBody);
        dc.SelectObject(pOld);
    }
    ~CCountedBitmap() override { ++m_nDeleted; }

private:
    int& m_nDeleted;
};
}

class TreePictures : public TreeTest
{
protected:
    int ImageCount() const { return m_tree.m_pImageList->GetImageCount(); }
    std::pair<int, int> Images(HTREEITEM hItem) const
    {
        int nImage = -2;
        int nSelImage = -2;
        m_tree.GetItemImage(hItem, nImage, nSelImage);
        return { nImage, nSelImage };
    }
};

TEST_F(TreePictures, ResourcePicturesAreLoadedOnceAndTheSelectedOneDefaultsToTheNormalOne)
{
    HTREEITEM hTextOnly = m_tree.InsertItem(L"Text only", 1, 0, TRUE, -1, -1);
    EXPECT_EQ(0, m_tree.m_aBitmaps.GetSize());
    EXPECT_EQ(0, ImageCount());
    EXPECT_EQ(nullptr, m_tree.GetItemPicture(hTextOnly));
    EXPECT_EQ(-1, m_tree.GetItemPictureResID(hTextOnly));

    // The selected picture is added first; a resource that failed to load is still recorded.
    m_tree.InsertItem(L"Missing selected", 2, 0, TRUE, s_nLibraryBitmap, s_nMissingBitmap);
    ASSERT_EQ(2, m_tree.m_aBitmaps.GetSize());
    EXPECT_EQ(s_nMissingBitmap, m_tree.m_aBitmaps[0].m_lResID);
    EXPECT_EQ(-1, m_tree.m_aBitmaps[0].m_nImage);
    EXPECT_EQ(s_nLibraryBitmap, m_tree.m_aBitmaps[1].m_lResID);
    const int nImage = m_tree.m_aBitmaps[1].m_nImage;
    ASSERT_EQ(0, nImage) << "bitmap 30000 did not load through the resource chain";
    EXPECT_EQ(16, m_tree.GetHeightOfImage(m_tree.m_pImageList, nImage));
    const int nImages = ImageCount();

    // Later uses of either resource, loaded or not, add nothing.
    HTREEITEM hFirst = m_tree.InsertItem(L"First", 3, 0, TRUE, s_nLibraryBitmap, -1);
    HTREEITEM hSecond = m_tree.InsertItem(L"Second", 4, 0, TRUE, s_nLibraryBitmap, s_nLibraryBitmap);
    m_tree.InsertItem(L"Missing", 5, 0, TRUE, s_nMissingBitmap, -1);
    for (HTREEITEM hItem : { hFirst, hSecond })
        EXPECT_EQ(std::make_pair(nImage, nImage), Images(hItem));
    EXPECT_EQ(s_nLibraryBitmap, m_tree.GetItemPictureResID(hFirst));
    EXPECT_EQ(m_tree.m_aBitmaps[1].m_pBitmap, m_tree.GetItemPicture(hFirst));
    m_tree.SetItemPicture(hFirst, s_nLibraryBitmap, s_crMask);
    EXPECT_EQ(2, m_tree.m_aBitmaps.GetSize());
    EXPECT_EQ(nImages, ImageCount());
}

TEST_F(TreePictures, ABitmapObjectIsAddedOnEveryCallAndOnlyAnOwnedOneIsDeletedOnce)
{
    int nDeleted = 0;
    CCountedBitmap borrowed(nDeleted);
    {
        CTestTree tree;
        ASSERT_TRUE(tree.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 100, 100), &m_wndHost, 101));
        HTREEITEM hItem = tree.InsertItem(L"Item", 1, 0);
        CCountedBitmap* pBitmap = new CCountedBitmap(nDeleted);
        tree.SetItemPicture(hItem, pBitmap, TRUE, s_crMask);
        tree.SetItemPicture(hItem, pBitmap, TRUE, s_crMask);
        ASSERT_EQ(2, tree.m_aBitmaps.GetSize());
        EXPECT_EQ(2, tree.m_pImageList->GetImageCount());
        EXPECT_NE(tree.m_aBitmaps[0].m_nImage, tree.m_aBitmaps[1].m_nImage);
        EXPECT_EQ(pBitmap, tree.GetItemPicture(hItem));
        EXPECT_EQ(-1, tree.GetItemPictureResID(hItem));
        tree.SetItemPicture(tree.InsertItem(L"Borrower", 2, 0), &borrowed, FALSE, s_crMask);
    }
    EXPECT_EQ(1, nDeleted);
}

TEST_F(TreePictures, TheTreeAndItsImageListDrawMaskedPictures)
{
    static int s_nDeleted = 0;   // outlives the fixture's tree, which deletes the bitmap
    HTREEITEM hItem = m_tree.InsertItem(L"Red", 1, 0);
    m_tree.SetItemPicture(hItem, new CCountedBitmap(s_nDeleted), TRUE, s_crMask);

    CRect rectLabel;
    ASSERT_TRUE(m_tree.GetItemRect(hItem, &rectLabel, TRUE));
    const CImage image = kit::Capture(&m_tree);
    const CRect rectIcon(rectLabel.left - 20, rectLabel.top, rectLabel.left, rectLabel.bottom);
    EXPECT_GE(kit::CountPixels(image, rectIcon, s_crBody), 14 * 14 - 20);
    CRect rectClient;
    m_tree.GetClientRect(&rectClient);
    EXPECT_EQ(0, kit::CountPixels(image, rectClient, s_crMask)) << "the mask colour is drawn transparent";

    // The image list draws the same picture for painting code of its own.
    const COLORREF crCanvas = RGB(0, 255, 0);
    CClientDC screenDC(nullptr);
    CDC dc;
    dc.CreateCompatibleDC(&screenDC);
    CBitmap canvas;
    canvas.CreateCompatibleBitmap(&screenDC, 16, 16);
    CBitmap* pOld = dc.SelectObject(&canvas);
    dc.FillSolidRect(0, 0, 16, 16, crCanvas);
    EXPECT_TRUE(m_tree.m_pImageList->Draw(&dc, Images(hItem).first, CPoint(0, 0), ILD_TRANSPARENT));
    EXPECT_EQ(s_crBody, dc.GetPixel(8, 8));
    EXPECT_EQ(crCanvas, dc.GetPixel(0, 0));
    dc.SelectObject(pOld);
}
