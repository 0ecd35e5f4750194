#pragma once
// State of a drag of tree items, and the cursors a drag shows.
#include "TavApi.h"
#include <windows.h>

class TAV_API CTavTreeDragInformation
{
public:
    // Cursors shown while dragging; when null, the library's own cursor resource is shown.
    static HICON s_hSingleDragCursor;
    static HICON s_hMultiDragCursor;
    static HICON s_hAbortDragCursor;
};
