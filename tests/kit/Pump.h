#pragma once
// Delivering the thread's messages the way a host's message loop does: each posted or input message goes
// through the PreTranslateMessage walk (and a dialog's IsDialogMessage) before it is translated and
// dispatched.
#include "WinApp.h"

#include <functional>

namespace kit
{
// Routes messages until the queue is empty (painting included), then releases temporary wrappers.
void PumpUntilIdle();

// Routes messages until the condition holds or timeoutMs passes; TRUE when it held. Waits without spinning.
bool PumpUntil(const std::function<bool()>& condition, DWORD timeoutMs);

// Routes messages for this long (for things that must not happen within a time).
void PumpFor(DWORD milliseconds);

// Timers. FireTimer delivers WM_TIMER for nIDEvent to the window through the queue now, as if the period had
// elapsed (the window's own timer stays as it is). WaitForTimer waits for the window's real timer to come
// round, up to timeoutMs; TRUE when it fired.
void FireTimer(HWND hWnd, UINT_PTR nIDEvent);
bool WaitForTimer(HWND hWnd, UINT_PTR nIDEvent, DWORD timeoutMs);
}
