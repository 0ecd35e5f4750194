// Both tab controls with 2, 10 and 100 pages of a six-control dialog: building per page, switching by the
// Right key and by a click on another tab (first visits, which create the page, revisits, and pages made up
// front), and painting the tab strip against a plain platform tab control with the same tabs.
#include "TavTabPages.h"
#include "Dialog.h"
#include "Gdi.h"
#include "WinApp.h"

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace
{
const UINT IDD_BENCH_PAGE = 100;
const UINT IDC_TABS = 1;
const int kStripHeight = 30;

double Now()
{
    static LARGE_INTEGER s_frequency = [] { LARGE_INTEGER f; QueryPerformanceFrequency(&f); return f; }();
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    return static_cast<double>(counter.QuadPart) / static_cast<double>(s_frequency.QuadPart);
}

double TimeMs(const std::function<void()>& action)
{
    const double start = Now();
    action();
    return (Now() - start) * 1000.0;
}

struct Stats
{
    double median = 0;
    double p95 = 0;
};

Stats Summarise(std::vector<double> samples)
{
    Stats stats;
    if (samples.empty())
        return stats;
    std::sort(samples.begin(), samples.end());
    stats.median = samples[samples.size() / 2];
    stats.p95 = samples[std::min(samples.size() - 1, samples.size() * 95 / 100)];
    return stats;
}

CString Caption(int n)
{
    wchar_t szCaption[16];
    swprintf(szCaption, 16, L"Page %d", n);
    return szCaption;
}

// The host window, the same size for every page count: the strip shows as many tabs as fit, the others
// scroll, as a user would see them.
class CBenchHost : public CWnd
{
public:
    CBenchHost()
    {
        CreateEx(0, AfxRegisterWndClass(0, nullptr, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1)), L"Tab bench",
                 WS_POPUP | WS_VISIBLE, 0, 0, 800, 400, nullptr, nullptr);
        GetClientRect(&m_rcTabs);
    }
    ~CBenchHost() override { DestroyWindow(); }
    CRect m_rcTabs;
};

// One control under test: how it is built, switched and painted.
struct Bench
{
    virtual ~Bench() = default;
    virtual void Build(CBenchHost& host, std::vector<std::unique_ptr<CDialog>>& pages) = 0;
    virtual CWnd& Window() = 0;
    virtual long Active() = 0;
    virtual CRect TabRect(long nPage) = 0;
};

struct OwnerDrawnBench : Bench
{
    void Build(CBenchHost& host, std::vector<std::unique_ptr<CDialog>>& pages) override
    {
        for (size_t i = 0; i < pages.size(); ++i)
            tabs.AddPage(pages[i].get(), FALSE, 0, L"", Caption(static_cast<int>(i)), RGB(192, 192, 192));
        tabs.Create(WS_VISIBLE | WS_TABSTOP | TCS_OWNERDRAWFIXED, host.m_rcTabs, &host, IDC_TABS);
    }
    CWnd& Window() override { return tabs; }
    long Active() override { return tabs.GetActivePage(); }
    CRect TabRect(long nPage) override
    {
        CRect rect;
        tabs.GetItemRect(nPage, &rect);
        return rect;
    }
    CTavTabCtrl tabs;
};

struct DockingBench : Bench
{
    void Build(CBenchHost& host, std::vector<std::unique_ptr<CDialog>>& pages) override
    {
        HWND hMarker = ::CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, host.m_rcTabs.left,
                                         host.m_rcTabs.top, host.m_rcTabs.Width(), host.m_rcTabs.Height(),
                                         host.m_hWnd, reinterpret_cast<HMENU>(IDC_TABS), nullptr, nullptr);
        tabs.SubclassWindow(hMarker);
        for (size_t i = 0; i < pages.size(); ++i)
            tabs.AddPage(pages[i].get(), FALSE, 0, L"", Caption(static_cast<int>(i)), RGB(192, 192, 192));
        tabs.InitializeControl();
    }
    CWnd& Window() override { return tabs; }
    long Active() override { return tabs.GetActivePage(); }
    CRect TabRect(long nPage) override
    {
        CRect rect;
        tabs.GetTabRect(nPage, rect);
        return rect;
    }
    CTavNewTabCtrl tabs;
};

template <class TBench>
std::unique_ptr<Bench> MakeBench()
{
    return std::make_unique<TBench>();
}

enum class Input
{
    Key,
    Click,
};

// Switches the way a user does, through the thread's queue, and waits until the page is shown: Right from
// the strip, or a click on the tab of nPage.
void SwitchByKey(Bench& bench)
{
    bench.Window().SetFocus();
    bench.Window().PostMessage(WM_KEYDOWN, VK_RIGHT, 1);
    bench.Window().PostMessage(WM_KEYUP, VK_RIGHT, 0xC0000001);
    AfxPumpWaitingMessages();
}

void SwitchByClick(Bench& bench, long nPage)
{
    const CPoint point = bench.TabRect(nPage).CenterPoint();
    CPoint screen = point;
    bench.Window().ClientToScreen(&screen);
    ::SetCursorPos(screen.x, screen.y);
    bench.Window().PostMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(point.x, point.y));
    bench.Window().PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(point.x, point.y));
    AfxPumpWaitingMessages();
}

// The tabs after the first that lie wholly in view, clear of any scroll buttons at the strip's end.
std::vector<long> VisibleTabs(Bench& bench, int nPages)
{
    CRect rcClient;
    bench.Window().GetClientRect(&rcClient);
    std::vector<long> tabs;
    for (long n = 1; n < nPages; ++n)
    {
        const CRect rcTab = bench.TabRect(n);
        if (!rcTab.IsRectEmpty() && rcTab.left >= 0 && rcTab.right <= rcClient.right - 50)
            tabs.push_back(n);
    }
    return tabs;
}

std::vector<std::unique_ptr<CDialog>> MakePages(int nPages, bool bUpFront, CWnd* pParent)
{
    std::vector<std::unique_ptr<CDialog>> pages;
    for (int i = 0; i < nPages; ++i)
    {
        pages.push_back(std::make_unique<CDialog>(IDD_BENCH_PAGE));
        if (bUpFront)
        {
            pages.back()->Create(IDD_BENCH_PAGE, pParent);
            pages.back()->ShowWindow(SW_HIDE);
        }
    }
    return pages;
}

struct SwitchResult
{
    Stats first;     // each visit creates its page (up front: the pages were made before)
    Stats revisit;
};

// From page 0, visits pages once (first visits) and again (revisits) on fresh controls until there are
// enough samples: every page by Right, the tabs in view by click.
SwitchResult MeasureSwitches(const std::function<std::unique_ptr<Bench>()>& make, int nPages, Input input,
                             bool bUpFront)
{
    std::vector<double> first, revisit;
    while (first.size() < 20)
    {
        CBenchHost host;
        auto pages = MakePages(nPages, bUpFront, &host);
        std::unique_ptr<Bench> pBench = make();
        pBench->Build(host, pages);
        AfxPumpWaitingMessages();
        const std::vector<long> targets = VisibleTabs(*pBench, nPages);
        for (std::vector<double>* pSamples : {&first, &revisit})
        {
            if (input == Input::Key)
                for (int n = 1; n < nPages; ++n)
                    pSamples->push_back(TimeMs([&] { SwitchByKey(*pBench); }));
            else
                for (long nPage : targets)
                    pSamples->push_back(TimeMs([&] { SwitchByClick(*pBench, nPage); }));
            // Back to page 0, untimed, for the next pass.
            if (input == Input::Key)
                SwitchByKey(*pBench);
            else
                SwitchByClick(*pBench, 0);
        }
    }
    return {Summarise(first), Summarise(revisit)};
}

double MeasureBuildPerPage(const std::function<std::unique_ptr<Bench>()>& make, int nPages)
{
    std::vector<double> samples;
    for (int round = 0; round < 3; ++round)
    {
        CBenchHost host;
        auto pages = MakePages(nPages, false, &host);
        std::unique_ptr<Bench> pBench = make();
        samples.push_back(TimeMs([&] {
                              pBench->Build(host, pages);
                              AfxPumpWaitingMessages();
                          }) /
                          nPages);
    }
    return Summarise(samples).median;
}

// Repaints the strip (the top band of the window) and waits for the painting.
double MeasureStripPaint(CWnd& wnd)
{
    std::vector<double> samples;
    CRect rcStrip;
    wnd.GetClientRect(&rcStrip);
    rcStrip.bottom = rcStrip.top + kStripHeight;
    for (int i = 0; i < 15; ++i)
        samples.push_back(TimeMs([&] {
            wnd.RedrawWindow(&rcStrip, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        }));
    return Summarise(samples).median;
}

double MeasureStrip(const std::function<std::unique_ptr<Bench>()>& make, int nPages)
{
    CBenchHost host;
    auto pages = MakePages(nPages, false, &host);
    std::unique_ptr<Bench> pBench = make();
    pBench->Build(host, pages);
    AfxPumpWaitingMessages();
    return MeasureStripPaint(pBench->Window());
}

double MeasurePlainStrip(int nPages)
{
    CBenchHost host;
    CTabCtrl plain;
    plain.Create(WS_VISIBLE, host.m_rcTabs, &host, IDC_TABS);
    for (int i = 0; i < nPages; ++i)
        plain.InsertItem(i, Caption(i));
    AfxPumpWaitingMessages();
    return MeasureStripPaint(plain);
}

// Creating one page alone, as the control does on a first visit.
double MeasurePageCreation()
{
    CBenchHost host;
    std::vector<double> samples;
    for (int i = 0; i < 30; ++i)
    {
        CDialog page(IDD_BENCH_PAGE);
        samples.push_back(TimeMs([&] {
            page.Create(IDD_BENCH_PAGE, &host);
            page.ShowWindow(SW_SHOW);
            AfxPumpWaitingMessages();
        }));
        page.DestroyWindow();
    }
    return Summarise(samples).median;
}

const char* Verdict(bool bMet)
{
    return bMet ? "met" : "MISSED";
}
}

int main()
{
    INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&controls);
    const int pageCounts[] = {2, 10, 100};
    const struct { const char* pszName; std::function<std::unique_ptr<Bench>()> make; } benches[] = {
        {"CTavTabCtrl", &MakeBench<OwnerDrawnBench>},
        {"CTavNewTabCtrl", &MakeBench<DockingBench>},
    };
    const double msCreatePage = MeasurePageCreation();

    std::printf("%-15s | %5s | %9s | %-25s | %-25s | %-25s | %-25s | %-25s | %-25s | %6s | %6s\n", "control", "pages",
                "build/pg", "Right: first med/p95", "Right: revisit", "Right: up front", "click: first",
                "click: revisit", "click: up front", "strip", "plain");
    std::printf("%-15s | %5s | %9s | %-25s | %-25s | %-25s | %-25s | %-25s | %-25s | %6s | %6s\n", "", "", "ms", "ms",
                "ms", "ms", "ms", "ms", "ms", "ms", "ms");
    bool bAllMet = true;
    std::vector<std::string> verdicts;
    for (const auto& bench : benches)
    {
        double buildAt10 = 0, revisitKeyAt10 = 0, revisitClickAt10 = 0;
        for (int nPages : pageCounts)
        {
            const double build = MeasureBuildPerPage(bench.make, nPages);
            SwitchResult key = MeasureSwitches(bench.make, nPages, Input::Key, false);
            SwitchResult keyUp = MeasureSwitches(bench.make, nPages, Input::Key, true);
            SwitchResult click = MeasureSwitches(bench.make, nPages, Input::Click, false);
            SwitchResult clickUp = MeasureSwitches(bench.make, nPages, Input::Click, true);
            const double strip = MeasureStrip(bench.make, nPages);
            const double plain = MeasurePlainStrip(nPages);
            std::printf("%-15s | %5d | %9.3f | %10.3f / %10.3f | %10.3f / %10.3f | %10.3f / %10.3f | %10.3f / %10.3f "
                        "| %10.3f / %10.3f | %10.3f / %10.3f | %6.3f | %6.3f\n",
                        bench.pszName, nPages, build, key.first.median, key.first.p95, key.revisit.median,
                        key.revisit.p95, keyUp.first.median, keyUp.first.p95, click.first.median, click.first.p95,
                        click.revisit.median, click.revisit.p95, clickUp.first.median, clickUp.first.p95, strip, plain);
            char szLine[256];
            std::snprintf(szLine, sizeof(szLine), "%s %d pages: strip %.3f ms <= 1.5 x plain %.3f ms: %s",
                          bench.pszName, nPages, strip, plain, Verdict(strip <= 1.5 * plain));
            verdicts.push_back(szLine);
            bAllMet &= strip <= 1.5 * plain;
            if (nPages == 10)
            {
                buildAt10 = build;
                revisitKeyAt10 = key.revisit.median;
                revisitClickAt10 = click.revisit.median;
            }
            if (nPages == 100)
            {
                const bool bKey = key.revisit.median <= 1.25 * revisitKeyAt10;
                const bool bClick = click.revisit.median <= 1.25 * revisitClickAt10;
                const bool bBuild = build <= 1.5 * buildAt10;
                std::snprintf(szLine, sizeof(szLine),
                              "%s revisit at 100 <= 1.25 x at 10: Right %.3f vs %.3f: %s; click %.3f vs %.3f: %s",
                              bench.pszName, key.revisit.median, revisitKeyAt10, Verdict(bKey), click.revisit.median,
                              revisitClickAt10, Verdict(bClick));
                verdicts.push_back(szLine);
                std::snprintf(szLine, sizeof(szLine), "%s building per page at 100 <= 1.5 x at 10: %.3f vs %.3f: %s",
                              bench.pszName, build, buildAt10, Verdict(bBuild));
                verdicts.push_back(szLine);
                bAllMet &= bKey && bClick && bBuild;
                if (bench.pszName == benches[0].pszName)
                {
                    const double extra = key.first.median - key.revisit.median;
                    const bool bFirst = extra <= 1.5 * msCreatePage;
                    std::snprintf(szLine, sizeof(szLine),
                                  "%s first visit - revisit at 100 (%.3f ms) <= 1.5 x creating the page alone "
                                  "(%.3f ms): %s",
                                  bench.pszName, extra, msCreatePage, Verdict(bFirst));
                    verdicts.push_back(szLine);
                    bAllMet &= bFirst;
                }
            }
        }
    }
    std::printf("\n");
    for (const std::string& strVerdict : verdicts)
        std::printf("%s\n", strVerdict.c_str());
    std::printf("%s\n", bAllMet ? "All goals met." : "Some goals missed.");
    return 0;
}
