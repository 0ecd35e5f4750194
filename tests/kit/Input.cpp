#include "kit/Input.h"
#include "kit/Pump.h"

#include <cstring>
#include <iterator>

namespace kit
{
namespace
{
// Buttons the kit holds down between a press and its release.
UINT s_heldButtons = 0;

void SetKeyDown(BYTE* pState, UINT nVirtKey, bool bDown)
{
    pState[nVirtKey] = bDown ? 0x80 : 0;
}

// Each modifier's key and its left-hand key, in the order a user presses them.
const struct { UINT modifier, nVirtKey, nLeftVirtKey; } s_modifierKeys[] = {
    {Ctrl, VK_CONTROL, VK_LCONTROL}, {Shift, VK_SHIFT, VK_LSHIFT}, {Alt, VK_MENU, VK_LMENU}};

// Adds the held modifiers to a key state; keys already held stay held.
void AddModifiers(BYTE* pState, UINT modifiers)
{
    for (const auto& key : s_modifierKeys)
        if (modifiers & key.modifier)
        {
            SetKeyDown(pState, key.nVirtKey, true);
            SetKeyDown(pState, key.nLeftVirtKey, true);
        }
}

void ApplyButtons(BYTE* pState, UINT buttons)
{
    SetKeyDown(pState, VK_LBUTTON, buttons & MK_LBUTTON);
    SetKeyDown(pState, VK_RBUTTON, buttons & MK_RBUTTON);
    SetKeyDown(pState, VK_MBUTTON, buttons & MK_MBUTTON);
}

// For one action: the modifiers held on top of the current key state, then the state as it was, with the
// keys and buttons that the action leaves down or up.
class ActionKeyState
{
public:
    explicit ActionKeyState(UINT modifiers)
    {
        ::GetKeyboardState(m_before);
        ::memcpy(m_during, m_before, sizeof(m_during));
        AddModifiers(m_during, modifiers);
        ApplyButtons(m_during, s_heldButtons);
        ::SetKeyboardState(m_during);
    }

    void SetKey(UINT nVirtKey, bool bDown)
    {
        SetKeyDown(m_during, nVirtKey, bDown);
        SetKeyDown(m_before, nVirtKey, bDown);
        ::SetKeyboardState(m_during);
    }

    ~ActionKeyState()
    {
        ApplyButtons(m_before, s_heldButtons);
        ::SetKeyboardState(m_before);
    }

private:
    BYTE m_before[256];
    BYTE m_during[256];
};

UINT ButtonFlag(Button button)
{
    switch (button)
    {
    case Button::Right: return MK_RBUTTON;
    case Button::Middle: return MK_MBUTTON;
    default: return MK_LBUTTON;
    }
}

UINT DownMessage(Button button)
{
    switch (button)
    {
    case Button::Right: return WM_RBUTTONDOWN;
    case Button::Middle: return WM_MBUTTONDOWN;
    default: return WM_LBUTTONDOWN;
    }
}

WPARAM MouseFlags(UINT modifiers)
{
    return s_heldButtons | ((modifiers & Ctrl) ? MK_CONTROL : 0) | ((modifiers & Shift) ? MK_SHIFT : 0);
}

// Moves the cursor where GetCursorPos reports it. The platform answers a move with a mouse message of its
// own, which is dropped: the kit posts the message that goes with the action itself.
void MoveCursor(POINT ptScreen)
{
    POINT ptCurrent;
    ::GetCursorPos(&ptCurrent);
    if (ptCurrent.x == ptScreen.x && ptCurrent.y == ptScreen.y)
        return;
    ::SetCursorPos(ptScreen.x, ptScreen.y);
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, WM_MOUSEMOVE, WM_MOUSEMOVE, PM_REMOVE))
        ;
}

// The window a real mouse message at this point would go to, and the point in its client coordinates.
HWND MouseTarget(CWnd* pWnd, CPoint& point)
{
    POINT ptScreen = point;
    ::ClientToScreen(pWnd->m_hWnd, &ptScreen);
    HWND hWndTarget = ::GetCapture();
    if (!hWndTarget)
    {
        hWndTarget = pWnd->m_hWnd;
        for (;;)
        {
            POINT ptClient = ptScreen;
            ::ScreenToClient(hWndTarget, &ptClient);
            HWND hWndChild = ::ChildWindowFromPointEx(hWndTarget, ptClient,
                                                      CWP_SKIPINVISIBLE | CWP_SKIPDISABLED | CWP_SKIPTRANSPARENT);
            if (!hWndChild || hWndChild == hWndTarget)
                break;
            hWndTarget = hWndChild;
        }
    }
    POINT ptClient = ptScreen;
    ::ScreenToClient(hWndTarget, &ptClient);
    point = ptClient;
    MoveCursor(ptScreen);
    return hWndTarget;
}

// The platform asks the window under the mouse for its cursor before each mouse message, unless one has
// the capture.
void SetCursorFor(HWND hWndTarget, UINT message)
{
    if (!::GetCapture())
        ::SendMessageW(hWndTarget, WM_SETCURSOR, reinterpret_cast<WPARAM>(hWndTarget), MAKELPARAM(HTCLIENT, message));
}

void PostMouseTo(HWND hWndTarget, CPoint point, UINT message, UINT modifiers)
{
    ActionKeyState keyState(modifiers);
    SetCursorFor(hWndTarget, message);
    ::PostMessageW(hWndTarget, message, MouseFlags(modifiers), MAKELPARAM(point.x, point.y));
    PumpUntilIdle();
}

void PostMouse(CWnd* pWnd, CPoint point, UINT message, UINT modifiers)
{
    HWND hWndTarget = MouseTarget(pWnd, point);
    PostMouseTo(hWndTarget, point, message, modifiers);
}

HWND KeyboardTarget()
{
    HWND hWnd = ::GetFocus();
    return hWnd ? hWnd : ::GetActiveWindow();
}

bool IsExtendedKey(UINT nVirtKey)
{
    switch (nVirtKey)
    {
    case VK_LEFT: case VK_RIGHT: case VK_UP: case VK_DOWN: case VK_HOME: case VK_END:
    case VK_PRIOR: case VK_NEXT: case VK_INSERT: case VK_DELETE:
        return true;
    default:
        return false;
    }
}

void PostKey(UINT nVirtKey, bool bDown, UINT modifiers)
{
    ActionKeyState keyState(modifiers);
    keyState.SetKey(nVirtKey, bDown);
    const bool bSystem = (modifiers & Alt) || nVirtKey == VK_MENU || (::GetKeyState(VK_MENU) & 0x8000);
    UINT message = bDown ? (bSystem ? WM_SYSKEYDOWN : WM_KEYDOWN) : (bSystem ? WM_SYSKEYUP : WM_KEYUP);
    LPARAM lParam = 1 | (static_cast<LPARAM>(::MapVirtualKeyW(nVirtKey, MAPVK_VK_TO_VSC)) << 16);
    if (IsExtendedKey(nVirtKey))
        lParam |= 1 << 24;
    if (bSystem && nVirtKey != VK_MENU)
        lParam |= 1 << 29;
    if (!bDown)
        lParam |= (1 << 30) | (1u << 31);
    ::PostMessageW(KeyboardTarget(), message, nVirtKey, lParam);
    PumpUntilIdle();
}
}

HoldKeys::HoldKeys(UINT modifiers)
{
    ::GetKeyboardState(m_previous);
    BYTE state[256];
    ::memcpy(state, m_previous, sizeof(state));
    AddModifiers(state, modifiers);
    ::SetKeyboardState(state);
}

HoldKeys::~HoldKeys()
{
    ::SetKeyboardState(m_previous);
}

void MouseMove(CWnd* pWnd, CPoint point, UINT modifiers)
{
    PostMouse(pWnd, point, WM_MOUSEMOVE, modifiers);
}

void MousePress(CWnd* pWnd, CPoint point, Button button, UINT modifiers)
{
    s_heldButtons |= ButtonFlag(button);
    PostMouse(pWnd, point, DownMessage(button), modifiers);
}

void MouseRelease(CWnd* pWnd, CPoint point, Button button, UINT modifiers)
{
    s_heldButtons &= ~ButtonFlag(button);
    PostMouse(pWnd, point, DownMessage(button) + 1, modifiers);
}

void Click(CWnd* pWnd, CPoint point, Button button, UINT modifiers)
{
    MousePress(pWnd, point, button, modifiers);
    MouseRelease(pWnd, point, button, modifiers);
}

void DoubleClick(CWnd* pWnd, CPoint point, Button button, UINT modifiers)
{
    Click(pWnd, point, button, modifiers);
    // The second press arrives as a double click in classes with CS_DBLCLKS, as the platform turns it.
    CPoint ptTarget = point;
    HWND hWndTarget = MouseTarget(pWnd, ptTarget);
    bool bDoubleClicks = (::GetClassLongPtrW(hWndTarget, GCL_STYLE) & CS_DBLCLKS) != 0;
    s_heldButtons |= ButtonFlag(button);
    PostMouseTo(hWndTarget, ptTarget, DownMessage(button) + (bDoubleClicks ? 2 : 0), modifiers);
    MouseRelease(pWnd, point, button, modifiers);
}

// Routes a press straight to its window: it skips the queue, where the message meant to end the platform's
// tracking already waits, but takes the host's route.
void RoutePress(HWND hWndTarget, CPoint point, Button button, UINT modifiers)
{
    const UINT nDown = DownMessage(button);
    s_heldButtons |= ButtonFlag(button);
    ActionKeyState keyState(modifiers);
    SetCursorFor(hWndTarget, nDown);
    MSG press{hWndTarget, nDown, MouseFlags(modifiers), MAKELPARAM(point.x, point.y), ::GetTickCount(), {}};
    ::GetCursorPos(&press.pt);
    AfxRouteMessage(&press);
}

void ClickWithQueuedRelease(CWnd* pWnd, CPoint point, Button button, UINT modifiers)
{
    HWND hWndTarget = MouseTarget(pWnd, point);
    ::PostMessageW(hWndTarget, DownMessage(button) + 1, MouseFlags(modifiers), MAKELPARAM(point.x, point.y));
    RoutePress(hWndTarget, point, button, modifiers);
    s_heldButtons &= ~ButtonFlag(button);
    ActionKeyState keyState(modifiers);
    PumpUntilIdle();
}

void PressWithQueuedMove(CWnd* pWnd, CPoint point, CPoint ptMove, Button button, UINT modifiers)
{
    HWND hWndTarget = MouseTarget(pWnd, point);
    POINT ptScreen = ptMove;
    ::ClientToScreen(pWnd->m_hWnd, &ptScreen);
    MoveCursor(ptScreen);
    POINT ptTargetMove = ptScreen;
    ::ScreenToClient(hWndTarget, &ptTargetMove);
    ::PostMessageW(hWndTarget, WM_MOUSEMOVE, MouseFlags(modifiers) | ButtonFlag(button),
                   MAKELPARAM(ptTargetMove.x, ptTargetMove.y));
    RoutePress(hWndTarget, point, button, modifiers);
    ActionKeyState keyState(modifiers);
    PumpUntilIdle();
}

void Drag(CWnd* pWnd, CPoint from, CPoint to, UINT modifiers, int nSteps)
{
    MousePress(pWnd, from, Button::Left, modifiers);
    for (int i = 1; i <= nSteps; ++i)
        MouseMove(pWnd, CPoint(from.x + (to.x - from.x) * i / nSteps, from.y + (to.y - from.y) * i / nSteps), modifiers);
    MouseRelease(pWnd, to, Button::Left, modifiers);
}

CPoint CursorPos(CWnd* pWnd)
{
    POINT point;
    ::GetCursorPos(&point);
    ::ScreenToClient(pWnd->m_hWnd, &point);
    return point;
}

void KeyDown(UINT nVirtKey, UINT modifiers)
{
    PostKey(nVirtKey, true, modifiers);
}

void KeyUp(UINT nVirtKey, UINT modifiers)
{
    PostKey(nVirtKey, false, modifiers);
}

void PressKey(UINT nVirtKey, UINT modifiers)
{
    UINT held = NoKeys;
    for (const auto& key : s_modifierKeys)
        if (modifiers & key.modifier)
        {
            KeyDown(key.nVirtKey, held);
            held |= key.modifier;
        }
    KeyDown(nVirtKey, modifiers);
    KeyUp(nVirtKey, modifiers);
    for (auto it = std::rbegin(s_modifierKeys); it != std::rend(s_modifierKeys); ++it)
        if (modifiers & it->modifier)
        {
            held &= ~it->modifier;
            KeyUp(it->nVirtKey, held);
        }
}

void TypeText(LPCWSTR lpszText)
{
    for (; *lpszText; ++lpszText)
    {
        SHORT keyScan = ::VkKeyScanW(*lpszText);
        if (keyScan == -1)
        {
            ::PostMessageW(KeyboardTarget(), WM_CHAR, *lpszText, 1);
            PumpUntilIdle();
            continue;
        }
        UINT modifiers = ((keyScan & 0x100) ? Shift : 0) | ((keyScan & 0x200) ? Ctrl : 0) | ((keyScan & 0x400) ? Alt : 0);
        PressKey(LOBYTE(keyScan), modifiers);
    }
}
}
