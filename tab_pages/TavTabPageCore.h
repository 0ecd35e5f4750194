#pragma once
// What both tab controls do with their pages alike: building records, creating, showing and hiding page
// windows with their notifications, the tooltips over the tabs, OK and Cancel for the pages, and the
// rollback of a failed switch. Internal to the library.
#include "tab_pages/TavTabItemList.h"
#include "tab_pages/TavTabMessages.h"
#include "frame/Dialog.h"
#include "frame/ImageList.h"
#include "frame/ToolTipCtrl.h"

#include <functional>

namespace TavTabPage
{
// The invalid-argument exception for an index outside the records.
void CheckIndex(CTavTabItemList& pages, long nPage);
// The record at a checked index.
CTavTabItem& Record(CTavTabItemList& pages, long nPage);

// Removes record n (checked): the page's window goes if asked or if the record owns the page, then what the
// record owns.
void RemoveRecord(CTavTabItemList& pages, long nPage, bool bDestroyWindow);

// 16 by 16, colour with mask, capacity 2, growth 1. Colour must be asked for: a mask alone gives 4 bits.
CImageList* NewImageList();

// The record a six-argument AddPage builds: picture loaded from the resource chain (an empty bitmap when
// the load fails), the caption read from the page's template when none is given.
CTavTabItem MakeRecord(CDialog* pPage, int bDeletePage, long nBitmapID, const CString& strDescription,
                       const CString& strCaption, COLORREF crMask);
// A new bitmap object with the bitmap resource whose integer name is the low 16 bits of the ID.
CBitmap* LoadPicture(long nBitmapID);
// The picture's index in the image list, -1 when nothing was added (no picture, an empty bitmap).
long AddPicture(CImageList& images, CBitmap* pPicture, COLORREF crMask);
// Gives the record another picture: the former one is freed if owned, unless it is the very same bitmap.
void ReplacePicture(CTavTabItem& item, CImageList& images, CBitmap* pPicture, int bDeletePicture, COLORREF crMask);

// WM_TABPAGE_CHANGING to the window holding the focus, unless that is the control itself.
void NotifyFocusOfChange(CWnd* pCtrl);
void SendNotify(CWnd* pCtrl, CDialog* pPage, DWORD nCode);
// Creates the page from its own template as a borderless child of the control. FALSE when it could not.
BOOL CreatePageWindow(CWnd* pCtrl, CDialog* pPage);
// The page becomes the active one: shown and told (PSN_SETACTIVE, WM_TABPAGE_ACTIVATE), or kept hidden.
void ActivatePageWindow(CWnd* pCtrl, CDialog* pPage, bool bShow);
// The page stops being the active one: its focus window and the page are told, the page is hidden.
void DeactivatePageWindow(CWnd* pCtrl, CDialog* pPage);

// Gives the tooltip window a tool per described page over its tab (tool ID: index + 1) and nothing else;
// the window is made when there is none (or the control moved to another top-level window).
void RebuildTooltips(CWnd* pCtrl, CToolTipCtrl& toolTip, CTavTabItemList& pages,
                     const std::function<CRect(long)>& tabRect);
void ReplaceTool(CWnd* pCtrl, CToolTipCtrl& toolTip, long nPage, const CString& strText, const CRect& rcTab);

// The pages' own OnOK or OnCancel, for every page that has a window.
void PassToPages(CTavTabItemList& pages, bool bOK);

// Runs a switch; when it throws, runs the rollback, drops whatever the rollback throws, and rethrows the
// switch's own exception.
void SwitchOrRollBack(const std::function<void()>& doSwitch, const std::function<void()>& rollBack);
}
