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
#include <iterator>
#include <utility>
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
// scroll, as a user would see them. Hosts measured side by side sit in slots that do not overlap, so none
// paints less for being covered.
class CBenchHost : public CWnd
{
public:
    explicit CBenchHost(int nSlot = 0)
    {
        CreateEx(0, AfxRegisterWndClass(0, nullptr, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1)), L"Tab bench",
                 WS_POPUP | WS_VISIBLE, 0, nSlot * 250, 800, 240, nullptr, nullptr);
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

// One control with its pages, visited from page 0 once (first visits) and once more (revisits), then built
// anew: every page by Right, the tabs in view by click. Runs of several page counts take turns switch by
// switch, so that the load of the machine weighs on all of them alike.
class CSwitchRun
{
public:
    CSwitchRun(std::function<std::unique_ptr<Bench>()> make, int nPages, Input input, bool bUpFront, int nSlot)
        : m_make(std::move(make)), m_nPages(nPages), m_input(input), m_bUpFront(bUpFront), m_nSlot(nSlot)
    {
    }

    bool IsDone() const { return m_first.size() >= 30 && m_revisit.size() >= 30; }

    void Step()
    {
        if (!m_pBench)
            Build();
        const size_t nMoves = m_input == Input::Key ? static_cast<size_t>(m_nPages - 1) : m_targets.size();
        if (m_nNext < nMoves)
        {
            std::vector<double>& samples = m_nPass == 0 ? m_first : m_revisit;
            samples.push_back(TimeMs([&] { Move(m_input == Input::Key ? -1 : m_targets[m_nNext]); }));
            ++m_nNext;
            return;
        }
        Move(m_input == Input::Key ? -1 : 0);   // back to page 0, untimed
        m_nNext = 0;
        if (++m_nPass == 2)
        {
            m_pBench.reset();
            m_pages.clear();
            m_pHost.reset();
        }
    }

    SwitchResult Result() const { return {Summarise(m_first), Summarise(m_revisit)}; }

private:
    void Build()
    {
        m_pHost = std::make_unique<CBenchHost>(m_nSlot);
        m_pages = MakePages(m_nPages, m_bUpFront, m_pHost.get());
        m_pBench = m_make();
        m_pBench->Build(*m_pHost, m_pages);
        AfxPumpWaitingMessages();
        m_targets = VisibleTabs(*m_pBench, m_nPages);
        m_nPass = 0;
        m_nNext = 0;
    }
    // Right for -1, else a click on that tab.
    void Move(long nTab)
    {
        if (nTab < 0)
            SwitchByKey(*m_pBench);
        else
            SwitchByClick(*m_pBench, nTab);
    }

    std::function<std::unique_ptr<Bench>()> m_make;
    int m_nPages;
    Input m_input;
    bool m_bUpFront;
    int m_nSlot;
    std::unique_ptr<CBenchHost> m_pHost;
    std::vector<std::unique_ptr<CDialog>> m_pages;
    std::unique_ptr<Bench> m_pBench;
    std::vector<long> m_targets;
    int m_nPass = 0;
    size_t m_nNext = 0;
    std::vector<double> m_first, m_revisit;
};

// The results for each page count, measured in turns.
std::vector<SwitchResult> MeasureSwitches(const std::function<std::unique_ptr<Bench>()>& make,
                                          const std::vector<int>& pageCounts, Input input, bool bUpFront)
{
    std::vector<CSwitchRun> runs;
    for (size_t i = 0; i < pageCounts.size(); ++i)
        runs.emplace_back(make, pageCounts[i], input, bUpFront, static_cast<int>(i));
    for (bool bPending = true; bPending;)
    {
        bPending = false;
        for (CSwitchRun& run : runs)
            if (!run.IsDone())
            {
                run.Step();
                bPending = true;
            }
    }
    std::vector<SwitchResult> results;
    for (const CSwitchRun& run : runs)
        results.push_back(run.Result());
    return results;
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
double PaintStrip(CWnd& wnd)
{
    CRect rcStrip;
    wnd.GetClientRect(&rcStrip);
    rcStrip.bottom = rcStrip.top + kStripHeight;
    return TimeMs([&] { wnd.RedrawWindow(&rcStrip, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW); });
}

// The median strip paint of the control and of a plain platform tab control with the same tabs, in turns.
std::pair<double, double> MeasureStrips(const std::function<std::unique_ptr<Bench>()>& make, int nPages)
{
    CBenchHost host(0), plainHost(1);
    auto pages = MakePages(nPages, false, &host);
    std::unique_ptr<Bench> pBench = make();
    pBench->Build(host, pages);
    CTabCtrl plain;
    plain.Create(WS_VISIBLE, plainHost.m_rcTabs, &plainHost, IDC_TABS);
    for (int i = 0; i < nPages; ++i)
        plain.InsertItem(i, Caption(i));
    AfxPumpWaitingMessages();
    std::vector<double> own, platform;
    for (int i = 0; i < 31; ++i)
    {
        own.push_back(PaintStrip(pBench->Window()));
        platform.push_back(PaintStrip(plain));
    }
    return {Summarise(own).median, Summarise(platform).median};
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
        const std::vector<int> counts(std::begin(pageCounts), std::end(pageCounts));
        const std::vector<SwitchResult> keys = MeasureSwitches(bench.make, counts, Input::Key, false);
        const std::vector<SwitchResult> keysUp = MeasureSwitches(bench.make, counts, Input::Key, true);
        const std::vector<SwitchResult> clicks = MeasureSwitches(bench.make, counts, Input::Click, false);
        const std::vector<SwitchResult> clicksUp = MeasureSwitches(bench.make, counts, Input::Click, true);
        std::vector<double> builds;
        for (size_t i = 0; i < counts.size(); ++i)
        {
            const int nPages = counts[i];
            builds.push_back(MeasureBuildPerPage(bench.make, nPages));
            const std::pair<double, double> strips = MeasureStrips(bench.make, nPages);
            const SwitchResult &key = keys[i], &keyUp = keysUp[i], &click = clicks[i], &clickUp = clicksUp[i];
            std::printf("%-15s | %5d | %9.3f | %10.3f / %10.3f | %10.3f / %10.3f | %10.3f / %10.3f | %10.3f / %10.3f "
                        "| %10.3f / %10.3f | %10.3f / %10.3f | %6.3f | %6.3f\n",
                        bench.pszName, nPages, builds.back(), key.first.median, key.first.p95, key.revisit.median,
                        key.revisit.p95, keyUp.first.median, keyUp.first.p95, click.first.median, click.first.p95,
                        click.revisit.median, click.revisit.p95, clickUp.first.median, clickUp.first.p95,
                        strips.first, strips.second);
            char szLine[256];
            const bool bStrip = strips.first <= 1.5 * strips.second;
            std::snprintf(szLine, sizeof(szLine), "%s %d pages: strip %.3f ms <= 1.5 x plain %.3f ms: %s",
                          bench.pszName, nPages, strips.first, strips.second, Verdict(bStrip));
            verdicts.push_back(szLine);
            bAllMet &= bStrip;
        }
        // Indices 1 and 2: 10 and 100 pages.
        const bool bKey = keys[2].revisit.median <= 1.25 * keys[1].revisit.median;
        const bool bClick = clicks[2].revisit.median <= 1.25 * clicks[1].revisit.median;
        const bool bBuild = builds[2] <= 1.5 * builds[1];
        char szLine[256];
        std::snprintf(szLine, sizeof(szLine),
                      "%s revisit at 100 <= 1.25 x at 10: Right %.3f vs %.3f: %s; click %.3f vs %.3f: %s",
                      bench.pszName, keys[2].revisit.median, keys[1].revisit.median, Verdict(bKey),
                      clicks[2].revisit.median, clicks[1].revisit.median, Verdict(bClick));
        verdicts.push_back(szLine);
        std::snprintf(szLine, sizeof(szLine), "%s building per page at 100 <= 1.5 x at 10: %.3f vs %.3f: %s",
                      bench.pszName, builds[2], builds[1], Verdict(bBuild));
        verdicts.push_back(szLine);
        bAllMet &= bKey && bClick && bBuild;
        if (bench.pszName == benches[0].pszName)
        {
            const double extra = keys[2].first.median - keys[2].revisit.median;
            const bool bFirst = extra <= 1.5 * msCreatePage;
            std::snprintf(szLine, sizeof(szLine),
                          "%s first visit - revisit at 100 (%.3f ms) <= 1.5 x creating the page alone (%.3f ms): %s",
                          bench.pszName, extra, msCreatePage, Verdict(bFirst));
            verdicts.push_back(szLine);
            bAllMet &= bFirst;
        }
    }
    std::printf("\n");
    for (const std::string& strVerdict : verdicts)
        std::printf("%s\n", strVerdict.c_str());
    std::printf("%s\n", bAllMet ? "All goals met." : "Some goals missed.");
    return 0;
}
