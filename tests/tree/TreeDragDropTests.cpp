#include "TreeTestHost.h"
#include "kit/Input.h"
#include "kit/Pump.h"
#include <functional>

// P (p1, p2), Q, R (may not have children), S; all shown, drag and drop and multi-selection on.
class TreeDrag : public TreeTest
{
protected:
    void SetUp() override
    {
        TreeTest::SetUp();
        m_tree.AllowDragAndDrop();
        m_tree.AllowMultiSelection();
        m_tree.AllowMultiDragAndDrop();
        m_hP = InsertCounted(nullptr, 1, L"P");
        m_hP1 = InsertCounted(m_hP, 11, L"p1");
        m_hP2 = InsertCounted(m_hP, 12, L"p2");
        m_hQ = InsertCounted(nullptr, 2, L"Q");
        m_hR = m_tree.InsertItem(nullptr, L"R", 3, FALSE, -1, -1, 0, RUNTIME_CLASS(CCountedItemData));
        m_hS = InsertCounted(nullptr, 4, L"S");
        m_tree.Expand(m_hP, TVE_EXPAND);
        m_tree.SetFocus();
        kit::PumpUntilIdle();
        m_tree.DeselectAll();
    }

    void TearDown() override
    {
        if (m_tree.m_pDragInfo != nullptr)
            kit::MouseRelease(&m_tree, CPoint(0, 0));
        TreeTest::TearDown();
    }

    // A press on the item's label whose first move goes 8 pixels right: the platform announces the drag.
    void StartDrag(HTREEITEM hItem, kit::Button button = kit::Button::Left)
    {
        m_ptStart = LabelPoint(hItem) + CPoint(8, 0);
        kit::PressWithQueuedMove(&m_tree, LabelPoint(hItem), m_ptStart, button);
        ASSERT_NE(nullptr, m_tree.m_pDragInfo);
        ASSERT_EQ(m_ptStart, m_tree.m_pDragInfo->m_ptStart);
    }

    // Texts of the items, with children in brackets, as the tree shows them.
    std::wstring Shape(HTREEITEM hFirst) const
    {
        std::wstring strShape;
        for (HTREEITEM hItem = hFirst; hItem != nullptr; hItem = m_tree.GetNextSiblingItem(hItem))
        {
            strShape += (strShape.empty() ? L"" : L" ") + std::wstring(m_tree.GetItemText(hItem));
            if (HTREEITEM hChild = m_tree.GetChildItem(hItem))
                strShape += L"(" + Shape(hChild) + L")";
        }
        return strShape;
    }
    std::wstring Shape() const { return Shape(m_tree.GetRootItem()); }

    static HCURSOR LibraryCursor(UINT nID)
    {
        return ::LoadCursorW(::GetModuleHandleW(L"TavControls.dll"), MAKEINTRESOURCEW(nID));
    }

    HTREEITEM m_hP, m_hP1, m_hP2, m_hQ, m_hR, m_hS;
    CPoint m_ptStart;
};

TEST_F(TreeDrag, ALabelDragMovesThePressedItemAndAReleaseNearTheStartMovesNothing)
{
    struct Case { CPoint ptOffset; bool bMoves; };
    const Case cases[] = { { CPoint(3, 0), false }, { CPoint(-4, 0), false }, { CPoint(0, -4), false },
                           { CPoint(4, 0), true }, { CPoint(0, 4), true } };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(testing::Message() << c.ptOffset.x << "," << c.ptOffset.y);
        HTREEITEM hQ = m_tree.FindItem(2);
        StartDrag(hQ);
        EXPECT_EQ(L"Q", SelectedTexts()) << "the pressed item is dragged alone";
        EXPECT_EQ(::GetCapture(), m_tree.m_hWnd);
        kit::MouseMove(&m_tree, LabelPoint(m_hS));
        EXPECT_EQ(m_hS, m_tree.m_pDragInfo->m_hDropTarget);
        EXPECT_EQ(L"Q S", SelectedTexts()) << "the target shows selected";
        kit::MouseMove(&m_tree, m_ptStart + c.ptOffset);
        kit::MouseRelease(&m_tree, m_ptStart + c.ptOffset);
        EXPECT_EQ(nullptr, m_tree.m_pDragInfo);
        EXPECT_NE(::GetCapture(), m_tree.m_hWnd);
        EXPECT_EQ(c.bMoves ? L"P(p1 p2) R S(Q)" : L"P(p1 p2) Q R S", Shape());
        EXPECT_EQ(L"Q", SelectedTexts()) << "the target's bit is cleared either way";
        EXPECT_EQ(6, CCountedItemData::s_nLive);
        if (c.bMoves)
            m_tree.MoveItemWithChildren(m_tree.FindItem(2), nullptr);   // back to the root level, sorted
        EXPECT_EQ(L"P(p1 p2) Q R S", Shape());
        m_tree.DeselectAll();
    }
    EXPECT_EQ(0, CCountedItemData::s_nDeleted);
}

TEST_F(TreeDrag, ASubtreeIsNeverDroppedIntoItselfAndNotOntoItsOwnParent)
{
    StartDrag(m_hP);
    EXPECT_EQ(CTavTreeDragInformation::eSeveralItems, m_tree.m_pDragInfo->m_nDragKind);
    kit::MouseMove(&m_tree, LabelPoint(m_hP1));
    EXPECT_EQ(nullptr, m_tree.m_pDragInfo->m_hDropTarget);
    kit::MouseRelease(&m_tree, LabelPoint(m_hP1));
    EXPECT_EQ(L"P(p1 p2) Q R S", Shape());

    m_tree.DeselectAll();
    StartDrag(m_hP2);
    kit::MouseMove(&m_tree, LabelPoint(m_hP));
    EXPECT_EQ(m_hP, m_tree.m_pDragInfo->m_hDropTarget);
    kit::MouseRelease(&m_tree, LabelPoint(m_hP));
    EXPECT_EQ(L"P(p1 p2) Q R S", Shape());
    EXPECT_EQ(L"p2", SelectedTexts());
}

// Pressing beside a selected label keeps the selection; the first move drags all of it.
TEST_F(TreeDrag, ASelectionWithAParentAndItsChildMovesTheSubtreeOnceOntoEitherKindOfTarget)
{
    struct Case { long lTargetID; LPCWSTR lpszShape; };
    const Case cases[] = {
        { 4, L"R S(P(p1 p2) Q)" },   // among the children, sorted
        { 3, L"R Q P(p1 p2) S" },    // siblings after the target, in reverse order
    };
    for (const Case& c : cases)
    {
        TearDown();
        SetUp();
        for (HTREEITEM hItem : { m_hP, m_hP1, m_hQ })
            m_tree.SetItemState(hItem, TVIS_SELECTED, TVIS_SELECTED);
        kit::MousePress(&m_tree, BesideLabel(m_hQ));
        kit::MouseMove(&m_tree, BesideLabel(m_hQ) + CPoint(0, 1));
        ASSERT_NE(nullptr, m_tree.m_pDragInfo);
        EXPECT_EQ(2, m_tree.m_pDragInfo->m_aDragItems.GetSize());
        const HTREEITEM hTarget = m_tree.FindItem(c.lTargetID);
        kit::MouseMove(&m_tree, LabelPoint(hTarget));
        kit::MouseRelease(&m_tree, LabelPoint(hTarget));
        EXPECT_EQ(c.lpszShape, Shape());
        EXPECT_EQ(6, CCountedItemData::s_nLive);
        EXPECT_EQ(0, CCountedItemData::s_nDeleted);
        EXPECT_EQ(3, m_tree.GetSelectionCount()) << "moved items keep their selected bits";
    }
}

TEST_F(TreeDrag, ARefusedDragShowsItsCursorMovesNothingAndLeavesNoStrayBit)
{
    m_tree.DisAllowMultiDragAndDrop();
    StartDrag(m_hP);
    EXPECT_EQ(CTavTreeDragInformation::eRefused, m_tree.m_pDragInfo->m_nDragKind);
    kit::MouseMove(&m_tree, LabelPoint(m_hS));
    EXPECT_EQ(LibraryCursor(CTavTreeDragInformation::eAbortDragCursorID), ::GetCursor());
    kit::MouseRelease(&m_tree, LabelPoint(m_hS));
    EXPECT_EQ(L"P(p1 p2) Q R S", Shape());
    EXPECT_EQ(L"P", SelectedTexts());
    EXPECT_EQ(::LoadCursorW(nullptr, IDC_ARROW), ::GetCursor());
}

TEST_F(TreeDrag, LeavingTheTreeDropsTheTargetAndComingBackFindsANewOne)
{
    StartDrag(m_hQ);
    kit::MouseMove(&m_tree, LabelPoint(m_hS));
    EXPECT_EQ(LibraryCursor(CTavTreeDragInformation::eSingleDragCursorID), ::GetCursor());
    kit::MouseMove(&m_tree, CPoint(150, 380));
    EXPECT_TRUE(m_tree.m_pDragInfo->m_bOutside);
    EXPECT_EQ(nullptr, m_tree.m_pDragInfo->m_hDropTarget);
    EXPECT_EQ(L"Q", SelectedTexts());
    EXPECT_EQ(LibraryCursor(CTavTreeDragInformation::eAbortDragCursorID), ::GetCursor());
    kit::MouseMove(&m_tree, LabelPoint(m_hP));
    EXPECT_FALSE(m_tree.m_pDragInfo->m_bOutside);
    EXPECT_EQ(m_hP, m_tree.m_pDragInfo->m_hDropTarget);
    kit::MouseRelease(&m_tree, LabelPoint(m_hP));
    EXPECT_EQ(L"P(p1 p2 Q) R S", Shape());
}

TEST_F(TreeDrag, ReleasesWithoutTargetAndDeletionsMidDragMoveNothing)
{
    struct Case { LPCWSTR lpszCase; std::function<void()> end; LPCWSTR lpszShape; };
    const Case cases[] = {
        { L"no target", [this] { kit::MouseMove(&m_tree, CPoint(150, 300)); }, L"P(p1 p2) Q R S" },
        { L"Delete key (Q and the target S are selected)", [] { kit::PressKey(VK_DELETE); }, L"P(p1 p2) R" },
        { L"host deletes the target", [this] { m_tree.DeleteItem(4L); }, L"P(p1 p2) Q R" },
        { L"host deletes the dragged item", [this] { m_tree.DeleteItem(2L); }, L"P(p1 p2) R S" },
        { L"host deletes all", [this] { m_tree.DeleteAllItems(); }, L"" },
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.lpszCase);
        TearDown();
        SetUp();
        m_tree.AllowItemDelete();
        StartDrag(m_hQ);
        const bool bEndsByDeletion = &c != &cases[0];
        if (bEndsByDeletion)
            kit::MouseMove(&m_tree, LabelPoint(m_hS));
        c.end();
        if (bEndsByDeletion)
        {
            EXPECT_EQ(nullptr, m_tree.m_pDragInfo);
            EXPECT_NE(::GetCapture(), m_tree.m_hWnd);
            EXPECT_EQ(::LoadCursorW(nullptr, IDC_ARROW), ::GetCursor());
        }
        kit::MouseRelease(&m_tree, CPoint(150, 300));
        EXPECT_EQ(c.lpszShape, Shape());
        EXPECT_EQ(ScannedSelectedTexts(), SelectedTexts());
        EXPECT_EQ(std::wstring::npos, SelectedTexts().find(L'S')) << "the target does not join the selection";
        EXPECT_EQ(static_cast<int>(m_tree.GetCount()), CCountedItemData::s_nLive);
    }
}

TEST_F(TreeDrag, TheRightButtonDragsAndDropsToo)
{
    StartDrag(m_hQ, kit::Button::Right);
    kit::MouseMove(&m_tree, LabelPoint(m_hP));
    kit::MouseRelease(&m_tree, LabelPoint(m_hP), kit::Button::Right);
    EXPECT_EQ(L"P(p1 p2 Q) R S", Shape());
}

TEST_F(TreeDrag, TheTopAndBottomRowsScrollOrExpand)
{
    for (int i = 0; i < 40; ++i)
        InsertCounted(nullptr, 100 + i, L"filler");
    auto lastRow = [this] {
        HTREEITEM hLast = m_tree.GetFirstVisibleItem();
        for (UINT i = 1; i < m_tree.GetVisibleCount(); ++i)
            hLast = m_tree.GetNextVisibleItem(hLast);
        return hLast;
    };
    StartDrag(m_hQ);
    kit::MouseMove(&m_tree, LabelPoint(lastRow()));
    EXPECT_EQ(m_hP1, m_tree.GetFirstVisibleItem()) << "one row down";
    kit::MouseMove(&m_tree, LabelPoint(m_hP1));
    EXPECT_EQ(m_hP, m_tree.GetFirstVisibleItem()) << "and back up";

    // A collapsed parent in the last row opens to show its first child.
    HTREEITEM hParent = lastRow();
    InsertCounted(hParent, 999, L"child");
    kit::MouseMove(&m_tree, LabelPoint(hParent));
    EXPECT_NE(0u, m_tree.GetItemState(hParent, TVIS_EXPANDED));
    kit::MouseRelease(&m_tree, m_ptStart);
}

TEST_F(TreeDrag, CursorsComeFromTheStaticsOrElseFromTheLibrarysResources)
{
    using Info = CTavTreeDragInformation;
    struct Case { int nKind; BOOL bOutside; HICON* phStatic; UINT nResID; };
    const Case cases[] = {
        { Info::eSingleItem, FALSE, &Info::s_hSingleDragCursor, Info::eSingleDragCursorID },
        { Info::eSeveralItems, FALSE, &Info::s_hMultiDragCursor, Info::eMultiDragCursorID },
        { Info::eRefused, FALSE, &Info::s_hAbortDragCursor, Info::eAbortDragCursorID },
        { Info::eSingleItem, TRUE, &Info::s_hAbortDragCursor, Info::eAbortDragCursorID },
    };
    const HICON hHostCursor = ::LoadCursorW(nullptr, IDC_HAND);
    for (const Case& c : cases)
    {
        Info info;
        info.m_nDragKind = c.nKind;
        info.m_bOutside = c.bOutside;
        ASSERT_NE(nullptr, LibraryCursor(c.nResID));
        info.SetDragCursor();
        EXPECT_EQ(LibraryCursor(c.nResID), ::GetCursor());
        *c.phStatic = hHostCursor;
        info.SetDragCursor();
        EXPECT_EQ(hHostCursor, ::GetCursor());
        *c.phStatic = nullptr;
    }
}

// The host's moves and copies carry whole labels and refuse a target in the item's own subtree.
TEST_F(TreeDrag, HostMovesAndCopiesCarryLongLabelsAndRefuseTheOwnSubtree)
{
    const CString strLong(L'x', 600);
    m_tree.SetItemText(m_hP2, strLong);
    HTREEITEM hMoved = m_tree.MoveItem(m_hP2, m_hS);
    ASSERT_NE(nullptr, hMoved);
    EXPECT_EQ(strLong, m_tree.GetItemText(hMoved));
    HTREEITEM hCopy = m_tree.CopyItem(hMoved, m_hQ);
    EXPECT_EQ(strLong, m_tree.GetItemText(hCopy));

    const std::wstring strShape = Shape();
    EXPECT_EQ(nullptr, m_tree.MoveItem(m_hP, m_hP1));
    EXPECT_EQ(nullptr, m_tree.CopyItem(m_hP, m_hP));
    m_tree.MoveItemWithChildren(m_hP, m_hP1);
    m_tree.CopyItemWithChildren(m_hP, m_hP1);
    EXPECT_EQ(strShape, Shape());
    EXPECT_EQ(7u, m_tree.GetCount());
    EXPECT_EQ(6, CCountedItemData::s_nLive);   // the copy's data is a plain CTavTreeItemData
}
