#pragma once
// The tab page family of TavControls: the page records and page list that both tab controls keep.
#include "tab_pages/TavTabItem.h"
#include "tab_pages/TavTabItemList.h"
