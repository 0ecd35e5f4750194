#include "tree/TavTreeDragInformation.h"

HICON CTavTreeDragInformation::s_hSingleDragCursor = nullptr;
HICON CTavTreeDragInformation::s_hMultiDragCursor = nullptr;
HICON CTavTreeDragInformation::s_hAbortDragCursor = nullptr;
