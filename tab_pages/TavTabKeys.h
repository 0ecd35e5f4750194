#pragma once
// The keyboard rules both tab controls share: which page a switching key goes to, the first and last
// control of a page, and the focus steps of Tab and Shift+Tab. Internal to the library.
//
// How page keys reach the control: a page is a plain dialog, and the host's message loop offers a key in a
// page to the page's dialog manager before the tab control, which would move the focus inside the page on
// its own. The dialog manager first asks the thread's message-filter hooks (WH_MSGFILTER, MSGF_DIALOGBOX),
// so CTavTabKeyRouter keeps one such hook per thread while tab controls exist: a Tab key (with or without
// Ctrl and Shift) aimed at a window inside a tab control goes to that control's PreTranslateMessage first,
// and the dialog manager sees it only when the control leaves it. Arrow keys stay the page's.
#include "tab_pages/TavTabItemList.h"
#include "frame/Dialog.h"
#include "frame/ToolTipCtrl.h"

#include <functional>

namespace TavTabKeys
{
// What both controls' PreTranslateMessage does before the base class: relay to the tooltip, switch pages by
// Left, Right and Ctrl(+Shift)+Tab (through activate), move the focus by Tab and Shift+Tab (through onNext and
// onPrev). TRUE when the message was consumed.
BOOL TranslateTabKeys(MSG* pMsg, CToolTipCtrl& toolTip, CTavTabItemList& pages, long nActive, long nPageCount,
                      const std::function<void(long)>& activate, const std::function<BOOL(MSG*)>& onNext,
                      const std::function<BOOL(MSG*)>& onPrev);

// The page Left/Right or Ctrl(+Shift)+Tab goes to from nActive; wraps to the first or last page without
// looking at its disabled flag.
long SwitchTarget(CTavTabItemList& pages, long nActive, long nPageCount, bool bForward);
// Whether the message is a page-switching key, and which way it goes.
bool IsSwitchKey(const MSG* pMsg, bool& bForward);
bool IsTabKey(const MSG* pMsg, bool bBackward);

// The window or one of its descendants (an editable combo's edit counts as the combo).
bool IsOrContains(CWnd* pWnd, HWND hWnd);
CWnd* FirstControlOfPage(CDialog* pPage);
CWnd* LastControlOfPage(CDialog* pPage);

// The Tab and Shift+Tab steps of a control whose active page is pPage (null: a record without a page). The
// key is consumed even when the focus cannot move.
BOOL FocusForward(CWnd* pCtrl, CDialog* pPage, MSG* pMsg);
BOOL FocusBackward(CWnd* pCtrl, CDialog* pPage, MSG* pMsg);
// The control next to pCtrl in its parent's tab order.
CWnd* NeighbourOf(CWnd* pCtrl, bool bBackward);
}

// Routes Tab keys inside pages to their tab control before the page's dialog manager (see above).
class CTavTabKeyRouter
{
public:
    static void Register(CWnd* pCtrl);
    static void Unregister(CWnd* pCtrl);
};
