#pragma once
// Messages that page dialogs and focused windows receive from both tab controls (besides WM_NOTIFY with
// PSN_SETACTIVE and PSN_KILLACTIVE). The controls ignore every answer.

/// Sent to a page right after PSN_SETACTIVE; wParam and lParam 0.
#define WM_TABPAGE_ACTIVATE 0x0A10
/// Sent to a page right after PSN_KILLACTIVE; wParam and lParam 0.
#define WM_TABPAGE_DEACTIVATE 0x0A11
/// Sent to the window holding the focus when a page change begins, and to the focus window inside a page
/// that is hidden; wParam is the tab control's window handle.
#define WM_TABPAGE_CHANGING 0x0B01
