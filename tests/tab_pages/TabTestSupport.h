#pragma once
// Shared ground of the tab control tests: pages, pictures and a host that write what they hear into one
// event log, and a fixture that runs each test on both controls through a small traits class.
#include "TavTabPages.h"
#include "TabPageIds.h"
#include "Exceptions.h"
#include "kit/Host.h"
#include "kit/Input.h"
#include "kit/Pixels.h"
#include "kit/Pump.h"

#include <gtest/gtest.h>
#include <prsht.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace tabtest
{
inline std::vector<std::string> g_events;

inline void Log(const std::string& strEvent)
{
    g_events.push_back(strEvent);
}

// Control IDs of the host: an edit before the tab control, the tab control (or its marker), an edit after.
enum : UINT
{
    IDC_BEFORE = 10,
    IDC_TABS = 20,
    IDC_AFTER = 30,
};

enum class Failure
{
    None,
    Memory,    // Create throws the memory exception
    Archive,   // Create throws the archive exception
};

// A page that logs "<name>:<what>" for activation, deactivation, OK, Cancel and its deletion.
class CLogPage : public CDialog
{
public:
    CLogPage(std::string strName, UINT nTemplate) : CDialog(nTemplate), m_strName(std::move(strName)) {}
    ~CLogPage() override { Log(m_strName + ":deleted"); }

    BOOL Create(LPCWSTR lpszTemplateName, CWnd* pParentWnd) override
    {
        if (m_failure == Failure::Memory)
            AfxThrowMemoryException();
        if (m_failure == Failure::Archive)
            AfxThrowArchiveException(CArchiveException::badIndex);
        return CDialog::Create(lpszTemplateName, pParentWnd);
    }

    Failure m_failure = Failure::None;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_NOTIFY && reinterpret_cast<NMHDR*>(lParam)->code == static_cast<UINT>(PSN_SETACTIVE))
            Log(m_strName + ":set");
        else if (message == WM_NOTIFY && reinterpret_cast<NMHDR*>(lParam)->code == static_cast<UINT>(PSN_KILLACTIVE))
            Log(m_strName + ":kill");
        else if (message == WM_TABPAGE_ACTIVATE)
            Log(m_strName + ":activate");
        else if (message == WM_TABPAGE_DEACTIVATE)
            Log(m_strName + ":deactivate");
        return CDialog::WindowProc(message, wParam, lParam);
    }
    void OnOK() override { Log(m_strName + ":ok"); }
    void OnCancel() override { Log(m_strName + ":cancel"); }

private:
    std::string m_strName;
};

// A page that names its own first and last control: the second edit, then the first.
class CNamingPage : public CLogPage, public CTavTabDialogBase
{
public:
    explicit CNamingPage(std::string strName) : CLogPage(std::move(strName), IDD_PAGE_EDITS) {}
    CWnd* GetFirstControl() override { return GetDlgItem(IDC_PAGE_SECOND); }
    CWnd* GetLastControl() override { return GetDlgItem(IDC_PAGE_FIRST); }
};

class CLogPicture : public CBitmap
{
public:
    explicit CLogPicture(std::string strName) : m_strName(std::move(strName)) {}
    ~CLogPicture() override { Log(m_strName + ":freed"); }

private:
    std::string m_strName;
};

// 16 by 16: the body colour with the top-left 4 by 4 corner in the mask colour.
CBitmap* DrawPicture(CBitmap* pBitmap, COLORREF crBody, COLORREF crMask);

// Logs WM_TABPAGE_CHANGING as "<name>:changing".
class CFocusLog : public CWnd
{
public:
    explicit CFocusLog(std::string strName) : m_strName(std::move(strName)) {}

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_TABPAGE_CHANGING)
            Log(m_strName + ":changing");
        return CWnd::WindowProc(message, wParam, lParam);
    }

private:
    std::string m_strName;
};

// The host: logs the tab notifications it receives and answers CTavNewTabCtrl's owner question.
class CTabHost : public kit::CHostDialog, public CTavNewTabParent
{
public:
    bool OnChangeTab(unsigned int nOldPage, unsigned int nNewPage, CTavNewTabCtrl*) override
    {
        Log("owner:" + std::to_string(static_cast<int>(nOldPage)) + ">" + std::to_string(static_cast<int>(nNewPage)));
        return m_bAllowChange;
    }

    bool m_bAllowChange = true;

protected:
    // What reaches the parent's own handlers (after reflection).
    afx_msg void OnSelChanging(NMHDR*, LRESULT*) { Log("parent:changing"); }
    afx_msg void OnSelChange(NMHDR*, LRESULT*) { Log("parent:change"); }
    DECLARE_MESSAGE_MAP()
};

// What differs between the two controls in a test.
struct OwnerDrawn
{
    using Ctrl = CTavTabCtrl;
    static LPCWSTR ControlClass() { return WC_TABCONTROLW; }
    static DWORD ControlStyle() { return TCS_OWNERDRAWFIXED | WS_TABSTOP | WS_CLIPSIBLINGS; }
    // Pages added before the attach; the attach initializes the control.
    static void Attach(Ctrl& ctrl, CWnd& host) { ctrl.SubclassDlgItem(IDC_TABS, &host); }
    static void Initialize(Ctrl&) {}
    static void Activate(Ctrl& ctrl, long nPage) { ctrl.ActivatePage(nPage, FALSE); }
    static void ActivateForced(Ctrl& ctrl, long nPage) { ctrl.ActivatePage(nPage, TRUE); }
    static CRect TabRect(Ctrl& ctrl, long nPage)
    {
        CRect rect;
        ctrl.GetItemRect(nPage, &rect);
        return rect;
    }
    static CRect PageArea(Ctrl& ctrl)
    {
        CRect rect;
        ctrl.GetClientRect(&rect);
        ctrl.AdjustRect(FALSE, &rect);
        return rect;
    }
};

struct Docking
{
    using Ctrl = CTavNewTabCtrl;
    static LPCWSTR ControlClass() { return L"STATIC"; }
    static DWORD ControlStyle() { return WS_TABSTOP; }
    static void Attach(Ctrl& ctrl, CWnd& host) { ctrl.SubclassDlgItem(IDC_TABS, &host); }
    static void Initialize(Ctrl& ctrl) { ctrl.InitializeControl(); }
    static void Activate(Ctrl& ctrl, long nPage) { ctrl.ActivatePage(nPage, FALSE, 1); }
    static void ActivateForced(Ctrl& ctrl, long nPage) { ctrl.ActivatePage(nPage, TRUE, 1); }
    static CRect TabRect(Ctrl& ctrl, long nPage)
    {
        CRect rect;
        ctrl.GetTabRect(nPage, rect);
        return rect;
    }
    static CRect PageArea(Ctrl& ctrl)
    {
        CRect rect;
        ctrl.GetPageArea(rect);
        return rect;
    }
};

template <class Traits>
class TabFixture : public ::testing::Test
{
protected:
    using Ctrl = typename Traits::Ctrl;

    void SetUp() override { g_events.clear(); }

    // Opens the host, adds the pages (templates cycle through the list) and initializes the control.
    void Open(int nPages, std::vector<UINT> templates = {IDD_PAGE_EDITS, IDD_PAGE_BUTTONS})
    {
        OpenHost();
        for (int i = 0; i < nPages; ++i)
            pages.push_back(std::make_unique<CLogPage>(std::to_string(i), templates[i % templates.size()]));
        BeginControl();
        for (auto& pPage : pages)
            ctrl.AddPage(pPage.get(), FALSE, 0, L"", L"", RGB(192, 192, 192));
        EndControl();
    }
    // The host alone, for tests that add their pages their own way between BeginControl and EndControl.
    void OpenHost()
    {
        kit::DialogTemplate hostTemplate(L"Tab host", 260, 220);
        hostTemplate.AddControl(L"EDIT", L"", WS_TABSTOP | WS_BORDER, 5, 5, 100, 12, IDC_BEFORE)
            .AddControl(Traits::ControlClass(), L"", Traits::ControlStyle(), 5, 22, 240, 160, IDC_TABS)
            .AddControl(L"EDIT", L"", WS_TABSTOP | WS_BORDER, 5, 190, 100, 12, IDC_AFTER);
        ASSERT_TRUE(host.Open(hostTemplate));
        before.SubclassDlgItem(IDC_BEFORE, &host);
    }
    void BeginControl()
    {
        if (std::is_base_of<Docking, Traits>::value)
            Traits::Attach(ctrl, host);
    }
    void EndControl()
    {
        if (!std::is_base_of<Docking, Traits>::value)
            Traits::Attach(ctrl, host);
        Traits::Initialize(ctrl);
        before.SetFocus();
        kit::PumpUntilIdle();
        g_events.clear();
    }

    CLogPage& Page(size_t n) { return *pages[n]; }
    CWnd* Host(UINT nID) { return host.GetDlgItem(static_cast<int>(nID)); }
    HWND Focus() { return ::GetFocus(); }
    void ClickTab(long nPage) { kit::Click(&ctrl, Traits::TabRect(ctrl, nPage).CenterPoint()); }

    CTabHost host;
    CFocusLog before{"focus"};
    std::vector<std::unique_ptr<CLogPage>> pages;
    // Goes before the pages; a test may destroy it early (and then leaves ctrl alone).
    std::unique_ptr<Ctrl> pCtrl = std::make_unique<Ctrl>();
    Ctrl& ctrl = *pCtrl;
};

using BothControls = ::testing::Types<OwnerDrawn, Docking>;

struct ControlNames
{
    template <class T>
    static std::string GetName(int)
    {
        return std::is_same<T, OwnerDrawn>::value ? "OwnerDrawn" : "Docking";
    }
};
}
