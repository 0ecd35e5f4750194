#pragma once
// State of a drag of tree items, and the cursors a drag shows.
#include "TavApi.h"
#include <windows.h>

/// State of a drag of tree items, and the cursors a drag shows.
class TAV_API CTavTreeDragInformation
{
public:
    /// Cursors shown while dragging; when null, the library's own cursor resource is shown.
    static HICON s_hSingleDragCursor;
    static HICON s_hMultiDragCursor;   ///< shown while several items are dragged
    static HICON s_hAbortDragCursor;   ///< shown where a drop is refused
};
