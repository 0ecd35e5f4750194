#pragma once
// The tab page family of TavControls: the page records and page list, the owner-drawn tab control, the
// docking-style tab control on the library's tab window, and the interfaces of pages and owners.
#include "tab_pages/TavTabItem.h"
#include "tab_pages/TavTabItemList.h"
#include "tab_pages/TavTabMessages.h"
#include "tab_pages/TavTabDialogBase.h"
#include "tab_pages/TavNewTabParent.h"
#include "tab_pages/TavTabCtrl.h"
#include "tab_pages/TavNewTabCtrl.h"
