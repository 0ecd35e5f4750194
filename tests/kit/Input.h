#pragma once
// Mouse and keyboard input as a user gives it: messages go through the thread's queue and the host's pump
// (never straight to a handler), the cursor position is where GetCursorPos reports it, and modifier keys
// and mouse buttons are held in the thread's key state so that GetKeyState reports them while the message
// is handled. Every action pumps until the queue is idle before it returns.
//
// How the platform behaves here (Wine 8, checked): SetKeyboardState sets what GetKeyState reports for the
// thread, but not GetAsyncKeyState, which stays "up". A posted WM_KEYDOWN does not change the key state by
// itself, so the kit sets the state around each posted key. TranslateMessage turns a posted WM_KEYDOWN into
// WM_CHAR using that state ('A' gives 'a', with Shift 'A', with Ctrl 0x01). SetCursorPos moves the position
// that GetCursorPos reports, also under the null display driver. Posted mouse messages do not update the
// key state of the buttons either, nor do they send WM_SETCURSOR; the kit does both.
#include "Geometry.h"
#include "Wnd.h"

namespace kit
{
// Modifier keys held during an action.
enum Modifiers : UINT
{
    NoKeys = 0,
    Ctrl = 1,
    Shift = 2,
    Alt = 4,
};

enum class Button
{
    Left,
    Right,
    Middle,
};

// Holds modifier keys down in the thread's key state for its lifetime (GetKeyState reports them).
class HoldKeys
{
public:
    explicit HoldKeys(UINT modifiers);
    ~HoldKeys();
    HoldKeys(const HoldKeys&) = delete;
    HoldKeys& operator=(const HoldKeys&) = delete;

private:
    BYTE m_previous[256];
};

// Mouse at a point in the client coordinates of pWnd. The message goes to the window with the capture if
// there is one, else to the deepest visible, enabled child of pWnd under the point, with the point
// converted to that window's client coordinates. wParam carries the MK_ flags of the held modifiers and
// buttons.
void MouseMove(CWnd* pWnd, CPoint point, UINT modifiers = NoKeys);
void MousePress(CWnd* pWnd, CPoint point, Button button = Button::Left, UINT modifiers = NoKeys);
void MouseRelease(CWnd* pWnd, CPoint point, Button button = Button::Left, UINT modifiers = NoKeys);
void Click(CWnd* pWnd, CPoint point, Button button = Button::Left, UINT modifiers = NoKeys);
void DoubleClick(CWnd* pWnd, CPoint point, Button button = Button::Left, UINT modifiers = NoKeys);
// A click whose release is already waiting in the queue when the press is handled. For controls that track
// the mouse in a loop of their own after a press (the platform's tree view waits there to tell a click from
// a drag): the loop finds the release and ends as a click, where Click would hang, as it sends the release
// only after the press has returned.
void ClickWithQueuedRelease(CWnd* pWnd, CPoint point, Button button = Button::Left, UINT modifiers = NoKeys);
// A press whose first move, beyond the platform's 4-pixel drag distance, is already waiting in the queue when
// the press is handled: the platform's tree view, which waits inside the press to tell a click from a drag,
// finds the move and announces a drag. The cursor is at the move's point and the button stays held; go on
// with MouseMove and MouseRelease.
void PressWithQueuedMove(CWnd* pWnd, CPoint point, CPoint ptMove, Button button = Button::Left, UINT modifiers = NoKeys);
// Press, move in steps to the end point, release: a drag with the left button.
void Drag(CWnd* pWnd, CPoint from, CPoint to, UINT modifiers = NoKeys, int nSteps = 4);
// Where GetCursorPos says the mouse is, in pWnd's client coordinates.
CPoint CursorPos(CWnd* pWnd);

// Keyboard input to the window with the focus (or the active window when none has it). KeyDown and KeyUp
// hold the modifiers in the key state for their one message; PressKey presses the modifier keys themselves
// first and releases them last, as a user does.
void KeyDown(UINT nVirtKey, UINT modifiers = NoKeys);
void KeyUp(UINT nVirtKey, UINT modifiers = NoKeys);
void PressKey(UINT nVirtKey, UINT modifiers = NoKeys);
// Types text key by key; characters without a key on the keyboard layout arrive as WM_CHAR alone.
void TypeText(LPCWSTR lpszText);
}
