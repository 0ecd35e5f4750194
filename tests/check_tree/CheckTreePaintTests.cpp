#include "CheckTreeTestHost.h"
#include "kit/Pixels.h"
#include <set>

namespace
{
// An owner-drawn tree that draws nothing and notes which hook each item in view reached.
class CHookRecordingTree : public CTavOwnerDrawTree
{
public:
    std::vector<HTREEITEM> m_vecNormal;
    std::vector<HTREEITEM> m_vecHighlighted;

protected:
    void BeginPainting(CDC*) override
    {
        m_vecNormal.clear();
        m_vecHighlighted.clear();
    }
    void DrawNormalItem(CDC*, HTREEITEM hItem, const CRect&) override { m_vecNormal.push_back(hItem); }
    void DrawHighlightedItem(CDC*, HTREEITEM hItem, const CRect&) override { m_vecHighlighted.push_back(hItem); }
};

// The check-box images row by row: W white (shows the background), G grey, L light grey, B black.
const char* const s_aszBoxes[3][13] = {
    { "WWWWWWWWWWWWW", "WGGGGGGGGGGGW", "WGWWWWWWWWWGW", "WGWWWWWWWWWGW", "WGWWWWWWWWWGW", "WGWWWWWWWWWGW",
      "WGWWWWWWWWWGW", "WGWWWWWWWWWGW", "WGWWWWWWWWWGW", "WGWWWWWWWWWGW", "WGWWWWWWWWWGW", "WGGGGGGGGGGGW",
      "WWWWWWWWWWWWW" },
    { "WWWWWWWWWWWWW", "WGGGGGGGGGGGW", "WGBBBBBBBBBGW", "WGBWWWWWWBWGW", "WGBWWWWWBBWGW", "WGBBWWWBBBWGW",
      "WGBBBWBBBWWGW", "WGBBBBBBWWWGW", "WGBWBBBWWWWGW", "WGBWWBWWWWWGW", "WGBWWWWWWWWGW", "WGGGGGGGGGGGW",
      "WWWWWWWWWWWWW" },
    { "WWWWWWWWWWWWW", "WGGGGGGGGGGGW", "WGLLLLLLLLLGW", "WGLLLLLLLGLGW", "WGLLLLLLGGLGW", "WGLGLLLGGGLGW",
      "WGLGGLGGGLLGW", "WGLGGGGGLLLGW", "WGLLGGGLLLLGW", "WGLLLGLLLLLGW", "WGLLLLLLLLLGW", "WGGGGGGGGGGGW",
      "WWWWWWWWWWWWW" },
};

COLORREF BoxColour(char chPixel, COLORREF crBackground)
{
    switch (chPixel)
    {
    case 'G': return RGB(128, 128, 128);
    case 'L': return RGB(192, 192, 192);
    case 'B': return RGB(0, 0, 0);
    default: return crBackground;
    }
}

CRect LabelRect(const CTreeCtrl& tree, HTREEITEM hItem)
{
    CRect rect;
    tree.GetItemRect(hItem, &rect, TRUE);
    return rect;
}

CPoint BoxOrigin(const CRect& rcLabel)
{
    return CPoint(rcLabel.left + 2, rcLabel.top + 1 + (rcLabel.Height() - 14) / 2);
}
}

TEST_F(CheckTreeTest, AnOwnerDrawnTreeWithoutHooksKeepsLinesAndButtonsAndWipesTheLabelsAndPaintsOnlyRowsInView)
{
    CHookRecordingTree tree;
    ASSERT_TRUE(tree.Create(WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT,
                            CRect(0, 0, 200, 120), &m_wndHost, 101));
    m_tree.ShowWindow(SW_HIDE);
    std::vector<HTREEITEM> vecItems;
    for (int i = 0; i < 30; ++i)
        vecItems.push_back(tree.InsertItem(i % 3 == 0 ? nullptr : vecItems[static_cast<size_t>(i - i % 3)],
                                           L"Label text", static_cast<DWORD>(i + 1)));
    for (HTREEITEM hItem : vecItems)
        tree.Expand(hItem, TVE_EXPAND);
    // Expanding scrolled the children into view; the first rows are the ones looked at.
    tree.SendMessage(WM_VSCROLL, SB_TOP);
    tree.SelectItem(vecItems[1]);
    tree.SetItemState(vecItems[2], TVIS_DROPHILITED, TVIS_DROPHILITED);

    const CImage image = kit::Capture(&tree);
    const COLORREF crWindow = ::GetSysColor(COLOR_WINDOW);
    const std::set<HTREEITEM> setHighlighted(tree.m_vecHighlighted.begin(), tree.m_vecHighlighted.end());
    EXPECT_EQ((std::set<HTREEITEM>{ vecItems[1], vecItems[2] }), setHighlighted);
    // Only the rows the window shows, each once.
    const size_t nVisited = tree.m_vecNormal.size() + tree.m_vecHighlighted.size();
    EXPECT_GE(nVisited, tree.GetVisibleCount());
    EXPECT_LE(nVisited, tree.GetVisibleCount() + 1);
    for (size_t i = 0; i < 3; ++i)
    {
        const CRect rcLabel = LabelRect(tree, vecItems[i]);
        EXPECT_TRUE(kit::RegionIs(image, rcLabel, crWindow)) << "label " << i;
        // The lines and the expand button left of the label are still there.
        const CRect rcIndent(0, rcLabel.top, rcLabel.left, rcLabel.bottom);
        EXPECT_LT(kit::CountPixels(image, rcIndent, crWindow), rcIndent.Width() * rcIndent.Height()) << "row " << i;
    }
}

TEST_F(CheckTreeTest, BoxesShowTheImageOfEachStateAndTheHighlightBeginsRightOfTheBox)
{
    const std::vector<HTREEITEM> h = Build({ "unchecked:0", "checked:1", "mixed:2", "other:7", "caret:0", "selected:1" });
    m_tree.SelectItem(h[4]);
    m_tree.SetItemState(h[5], TVIS_SELECTED, TVIS_SELECTED);
    const CImage image = kit::Capture(&m_tree);
    const COLORREF crWindow = ::GetSysColor(COLOR_WINDOW);
    const COLORREF crHighlight = ::GetSysColor(COLOR_HIGHLIGHT);

    for (int nState = 0; nState < 3; ++nState)
    {
        const CPoint ptOrigin = BoxOrigin(LabelRect(m_tree, h[static_cast<size_t>(nState)]));
        for (int y = 0; y < 13; ++y)
            for (int x = 0; x < 13; ++x)
                ASSERT_TRUE(kit::PixelIs(image, ptOrigin + CPoint(x, y), BoxColour(s_aszBoxes[nState][y][x], crWindow)))
                    << "state " << nState << " at " << x << "," << y;
    }
    EXPECT_TRUE(kit::RegionIs(image, CRect(BoxOrigin(LabelRect(m_tree, h[3])), CSize(13, 13)), crWindow))
        << "a state other than the three shows no box";
    CImageList missing;
    EXPECT_FALSE(missing.Create(12345, 13, 1, RGB(255, 255, 255))) << "no such bitmap in the resource chain";

    // Selected items: the box stays on the window colour, the highlight starts 15 pixels into the label with
    // the text in the highlight-text colour; only the caret shows the focus rectangle on its edge.
    for (size_t i : { size_t(4), size_t(5) })
    {
        const CRect rcLabel = LabelRect(m_tree, h[i]);
        const CPoint ptOrigin = BoxOrigin(rcLabel);
        EXPECT_TRUE(kit::PixelIs(image, ptOrigin, crWindow));
        EXPECT_TRUE(kit::PixelIs(image, ptOrigin + CPoint(1, 1), RGB(128, 128, 128)));
        const CRect rcHighlight(rcLabel.left + 15, rcLabel.top, rcLabel.right - 1, rcLabel.bottom);
        EXPECT_TRUE(kit::RegionContains(image, rcHighlight, ::GetSysColor(COLOR_HIGHLIGHTTEXT))) << i;
        EXPECT_TRUE(kit::RegionIs(image, CRect(rcHighlight.left + 1, rcHighlight.top + 1, rcHighlight.left + 2,
                                               rcHighlight.bottom - 1), crHighlight)) << i;
        const CRect rcTopEdge(rcHighlight.left, rcHighlight.top, rcHighlight.right, rcHighlight.top + 1);
        EXPECT_EQ(i == 5, static_cast<bool>(kit::RegionIs(image, rcTopEdge, crHighlight))) << i;
        EXPECT_TRUE(kit::PixelIs(image, CPoint(rcHighlight.left - 1, rcHighlight.top + 1), crWindow)) << i;
    }
}
