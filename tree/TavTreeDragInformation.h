#pragma once
// State of a drag of tree items, and the cursors a drag shows.
#include "TavApi.h"
#include "Collections.h"
#include "Geometry.h"
#include <windows.h>
#include <commctrl.h>

/// A drag of tree items under way: what is dragged, where it started, the highlighted target.
class TAV_API CTavTreeDragInformation
{
    friend class CTavTreeCtrl;

public:
    /// What a drag carries, which decides its cursor.
    enum EDragKind
    {
        eSingleItem = 0,   ///< one item without children
        eSeveralItems = 1, ///< several items, or one item with children
        eRefused = 2,      ///< the items cannot be dropped
    };

    /// An empty drag: no target, no items, start (0, 0), one item, inside the tree.
    CTavTreeDragInformation();
    /// Shows the refused cursor outside the tree, else the cursor of the drag's kind.
    void SetDragCursor();
    /// Whether the point lies far enough from the start for the drag to count: outside the square from
    /// 4 pixels left and above the start (included) to 4 pixels right and below it (excluded).
    BOOL IsValidDragPoint(CPoint point) const;

    HTREEITEM m_hDropTarget;                    ///< the highlighted drop target, or null
    CArray<HTREEITEM, HTREEITEM&> m_aDragItems; ///< the dragged items, none below another
    CPoint m_ptStart;                           ///< cursor position in client coordinates at the start
    int m_nDragKind;                            ///< an EDragKind
    BOOL m_bOutside;                            ///< the cursor is outside the tree's client area

    /// Cursor for a single item; when null, the library's cursor resource 31509.
    static HICON s_hSingleDragCursor;
    /// Cursor for several items; when null, the library's cursor resource 31508.
    static HICON s_hMultiDragCursor;
    /// Cursor for a refused drag or outside the tree; when null, the library's cursor resource 31510.
    static HICON s_hAbortDragCursor;

    /// Cursor group resources of the three cursors.
    enum ECursorID
    {
        eMultiDragCursorID = 31508,
        eSingleDragCursorID = 31509,
        eAbortDragCursorID = 31510,
    };

protected:
    /// Back to the state of a new drag.
    void Init();
    /// Shows hCursor, or when it is null the cursor resource found through the resource chain.
    void SetAppCursor(UINT nResID, HICON hCursor);
};
