#include "kit/Pump.h"

namespace kit
{
namespace
{
// Routes what is waiting, telling the observer about each message first; false once the observer says stop.
bool RouteWaiting(const std::function<bool(const MSG&)>& observe)
{
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
    {
        bool bStop = observe && observe(msg);
        AfxRouteMessage(&msg);
        if (bStop)
            return false;
    }
    return true;
}

bool PumpObserving(const std::function<bool(const MSG&)>& observe, const std::function<bool()>& condition,
                   DWORD timeoutMs)
{
    const DWORD start = ::GetTickCount();
    for (;;)
    {
        bool bObserved = !RouteWaiting(observe);
        AfxDeleteTempMaps();
        if (bObserved || (condition && condition()))
            return true;
        DWORD elapsed = ::GetTickCount() - start;
        if (elapsed >= timeoutMs)
            return false;
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, timeoutMs - elapsed, QS_ALLINPUT);
    }
}
}

void PumpUntilIdle()
{
    RouteWaiting(nullptr);
    AfxDeleteTempMaps();
}

bool PumpUntil(const std::function<bool()>& condition, DWORD timeoutMs)
{
    return PumpObserving(nullptr, condition, timeoutMs);
}

void PumpFor(DWORD milliseconds)
{
    PumpObserving(nullptr, [] { return false; }, milliseconds);
}

void FireTimer(HWND hWnd, UINT_PTR nIDEvent)
{
    ::PostMessageW(hWnd, WM_TIMER, nIDEvent, 0);
    PumpUntilIdle();
}

bool WaitForTimer(HWND hWnd, UINT_PTR nIDEvent, DWORD timeoutMs)
{
    bool bFired = PumpObserving(
        [hWnd, nIDEvent](const MSG& msg) {
            return msg.message == WM_TIMER && msg.hwnd == hWnd && msg.wParam == nIDEvent;
        },
        nullptr, timeoutMs);
    PumpUntilIdle();
    return bFired;
}
}
