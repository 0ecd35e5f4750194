// The check list box with 1,000 to 100,000 strings: relayed pointer moves alternating between two cut-off items on
// the last rows in view (scrolled to the end), with the hit test from the layout and with the index-order search
// from item 0; and AddStrings of 100,000 strings against a plain LB_ADDSTRING loop into a raw list box of the
// same styles beside it. Besides time it counts the LB_GETITEMRECT messages each move sends. Big fills run with
// redraw off in both list boxes, as a host fills them: with redraw on, the platform redraws the scroll bar after
// every string (about 15 ms a string on this machine).
#include "TavListBoxes.h"
#include "WinApp.h"

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>

namespace
{
const DWORD kListStyle = WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | LBS_NOTIFY | LBS_EXTENDEDSEL |
                         LBS_NOINTEGRALHEIGHT | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS;
UINT g_nItemRectMessages = 0;

class CCountingCheckList : public CTavCheckListBox
{
public:
    bool m_bIndexOrder = false;   // use the mix-in's index-order search instead of the layout

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == LB_GETITEMRECT)
            ++g_nItemRectMessages;
        return CTavCheckListBox::WindowProc(message, wParam, lParam);
    }
    long FlyByItemFromPoint(const CPoint& point) override
    {
        return m_bIndexOrder ? CTavFlyByControl::FlyByItemFromPoint(point) : CTavCheckListBox::FlyByItemFromPoint(point);
    }
};

double Now()
{
    static LARGE_INTEGER s_frequency = [] { LARGE_INTEGER f; QueryPerformanceFrequency(&f); return f; }();
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    return static_cast<double>(counter.QuadPart) / static_cast<double>(s_frequency.QuadPart);
}

CStringArray& Strings(int nCount)
{
    static CStringArray s_arrStrings;
    s_arrStrings.RemoveAll();
    for (int i = 0; i < nCount; ++i)
        s_arrStrings.Add((L"Item " + std::to_wstring(i) + L" with a long tail that the list box cuts off").c_str());
    return s_arrStrings;
}

struct HoverResult
{
    double dMicrosPerMove;
    double dItemRectsPerMove;
};

// Relayed moves alternating between the text of the last two rows in view.
HoverResult Hover(CCountingCheckList& list, int nMoves)
{
    const int nCount = list.GetCount();
    CRect rcLast, rcBefore;
    list.CListBox::GetItemRect(nCount - 1, &rcLast);
    list.CListBox::GetItemRect(nCount - 2, &rcBefore);
    const CPoint points[] = {rcLast.TopLeft() + CSize(30, 2), rcBefore.TopLeft() + CSize(30, 2)};
    g_nItemRectMessages = 0;
    const double dStart = Now();
    for (int i = 0; i < nMoves; ++i)
    {
        list.PostMessage(WM_MOUSEMOVE, 0, MAKELPARAM(points[i % 2].x, points[i % 2].y));
        AfxPumpWaitingMessages();
    }
    return {(Now() - dStart) * 1e6 / nMoves, static_cast<double>(g_nItemRectMessages) / nMoves};
}

double FillMillis(const std::function<void()>& fill)
{
    const double dStart = Now();
    fill();
    return (Now() - dStart) * 1e3;
}
}

int main()
{
    std::setvbuf(stdout, nullptr, _IONBF, 0);  // each line as soon as it is measured
    CWnd host;
    LPCWSTR lpszClass = AfxRegisterWndClass(0, ::LoadCursorW(nullptr, IDC_ARROW), reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    if (!host.CreateEx(0, lpszClass, L"List box bench", WS_POPUP | WS_VISIBLE, CRect(0, 0, 400, 400), nullptr, 0))
        return 1;
    host.SetForegroundWindow();
    host.SetActiveWindow();
    CCountingCheckList list;
    if (!list.Create(kListStyle, CRect(10, 10, 130, 310), &host, 1))
        return 1;
    CWnd raw;
    raw.Attach(::CreateWindowExW(0, L"LISTBOX", nullptr, kListStyle, 200, 10, 120, 300, host.m_hWnd,
                                 reinterpret_cast<HMENU>(2), nullptr, nullptr));
    list.EnableFlyByTooltips();
    AfxPumpWaitingMessages();

    std::printf("Hover: relayed moves alternating between two cut-off items on the last rows in view\n");
    std::printf("%9s | %12s | %14s | %18s | %20s\n", "items", "us per move", "ITEMRECT/move", "index-order us/mv",
                "index-order RECT/mv");
    double dMicrosAt1000 = 0, dMicrosAt100000 = 0;
    for (int nCount : {1000, 10000, 100000})
    {
        list.RemoveAll();
        list.SetRedraw(FALSE);
        list.AddStrings(Strings(nCount));
        list.SetRedraw(TRUE);
        list.SetTopIndex(nCount - 1);
        list.Invalidate();
        AfxPumpWaitingMessages();
        Hover(list, 20);  // warm up: the tooltip exists, shows and holds the capture
        const HoverResult layout = Hover(list, 400);
        list.m_bIndexOrder = true;
        const HoverResult indexOrder = Hover(list, nCount >= 100000 ? 6 : 40);
        list.m_bIndexOrder = false;
        std::printf("%9d | %12.1f | %14.1f | %18.1f | %20.1f\n", nCount, layout.dMicrosPerMove, layout.dItemRectsPerMove,
                    indexOrder.dMicrosPerMove, indexOrder.dItemRectsPerMove);
        (nCount == 1000 ? dMicrosAt1000 : dMicrosAt100000) = layout.dMicrosPerMove;
    }
    const double dHoverRatio = dMicrosAt100000 / dMicrosAt1000;
    std::printf("Goal: time per move at 100,000 at most 1.5x the time at 1,000: %.2fx, %s\n\n", dHoverRatio,
                dHoverRatio <= 1.5 ? "met" : "missed");

    const CStringArray& arrStrings = Strings(100000);
    double dAddStrings = 1e9, dRawLoop = 1e9;
    list.SetRedraw(FALSE);
    raw.SetRedraw(FALSE);
    for (int nRound = 0; nRound < 2; ++nRound)
    {
        list.RemoveAll();
        raw.SendMessage(LB_RESETCONTENT);
        dRawLoop = std::min(dRawLoop, FillMillis([&] {
            for (INT_PTR i = 0; i < arrStrings.GetSize(); ++i)
                raw.SendMessage(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(static_cast<LPCWSTR>(arrStrings[i])));
        }));
        dAddStrings = std::min(dAddStrings, FillMillis([&] { list.AddStrings(arrStrings); }));
        AfxPumpWaitingMessages();
    }
    const double dFillRatio = dAddStrings / dRawLoop;
    std::printf("Filling 100,000 strings with redraw off (best of 2)\n");
    std::printf("%14s | %22s | %6s\n", "AddStrings ms", "LB_ADDSTRING loop ms", "ratio");
    std::printf("%14.1f | %22.1f | %5.2fx\n", dAddStrings, dRawLoop, dFillRatio);
    std::printf("Goal: AddStrings at most 1.5x the plain loop: %s\n", dFillRatio <= 1.5 ? "met" : "missed");

    raw.DestroyWindow();
    list.DestroyWindow();
    host.DestroyWindow();
    return 0;
}
