#pragma once
// The host's message pump: each message is offered to PreTranslateMessage of the windows from its target up
// through the parents (objects only, first TRUE wins), then to the dialog manager of a dialog without an
// object, and only then translated and dispatched.
#include "Wnd.h"

// TRUE when some window or the dialog manager took the message.
FRAME_API BOOL AFXAPI AfxPreTranslateMessage(MSG* pMsg);

// Routes one message that has already been retrieved.
FRAME_API void AFXAPI AfxRouteMessage(MSG* pMsg);

// Waits for, retrieves and routes one message. FALSE when it was WM_QUIT.
FRAME_API BOOL AFXAPI AfxPumpMessage();

// Routes every message waiting in the thread's queue, then releases the temporary wrappers of windows, DCs
// and GDI objects (the idle point). Returns how many messages it routed.
FRAME_API int AFXAPI AfxPumpWaitingMessages();

// Releases the temporary wrappers made by FromHandle since the last idle point.
FRAME_API void AFXAPI AfxDeleteTempMaps();
