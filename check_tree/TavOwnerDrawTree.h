#pragma once
#include "tree/TavTreeCtrl.h"

/// CTavOwnerDrawTree: a tree that paints its item labels itself. The native tree paints lines, buttons and
/// pictures into an off-screen bitmap, the labels it painted are wiped out, and the drawing hooks paint each
/// label in view; the result reaches the screen in one copy.
class TAV_API CTavOwnerDrawTree : public CTavTreeCtrl
{
protected:
    /// Builds the base tree; the class exists only as the base of a derived tree.
    CTavOwnerDrawTree();
    /// Tears down the base tree.
    ~CTavOwnerDrawTree() override;

    /// Called with the off-screen DC before anything is drawn over the native painting.
    virtual void BeginPainting(CDC* pDC);
    /// Called with the off-screen DC after every label in view is drawn.
    virtual void EndPainting(CDC* pDC);
    /// Draws the label of an item that is neither selected nor drop-highlighted into rect.
    virtual void DrawNormalItem(CDC* pDC, HTREEITEM hItem, const CRect& rect);
    /// Draws the label of a selected or drop-highlighted item into rect.
    virtual void DrawHighlightedItem(CDC* pDC, HTREEITEM hItem, const CRect& rect);
    /// Fills the native label rectangle of every item in view with the window colour.
    virtual void KillOldLabels(CDC* pDC);

    /// The base's set-up, then the native label tooltips switched off.
    void InitializeControl() override;
    /// The native label rectangle moved 2 pixels right and 1 down; empty for an item not shown.
    void CalcItemRect(HTREEITEM hItem, CRect& rect) override;
    /// Does nothing: labels painted by the tree cannot be edited in place.
    void AllowLabelEditing() {}

    /// Paints through the off-screen bitmap.
    afx_msg void OnPaint();
    DECLARE_MESSAGE_MAP()

private:
    // Items in view from the first one down to the last row that reaches into the client area.
    template <class TCalcRect, class TVisit>
    void ForEachItemInView(TCalcRect calcRect, TVisit visit);
};
