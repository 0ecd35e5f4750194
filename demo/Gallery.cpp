// TavGallery: shows every control of the library, one page each. Headless (the default) it renders each
// page to <out>/<nn>-<name>.png and prints the paths; with --window it opens a window with a page list.
#include "Gallery.h"
#include "Gdi.h"
#include "Image.h"
#include "WinApp.h"

#include <cwctype>
#include <string>

namespace
{
const CSize kPageSize(640, 400);
const int kListWidth = 180;
const UINT IDC_PAGE_LIST = 100;

void PrintLine(const std::wstring& text)
{
    std::wstring line = text + L"\n";
    int nBytes = ::WideCharToMultiByte(CP_UTF8, 0, line.c_str(), static_cast<int>(line.size()), nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<size_t>(nBytes), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, line.c_str(), static_cast<int>(line.size()), &utf8[0], nBytes, nullptr, nullptr);
    DWORD nWritten = 0;
    ::WriteFile(::GetStdHandle(STD_OUTPUT_HANDLE), utf8.data(), static_cast<DWORD>(utf8.size()), &nWritten, nullptr);
}

// "Platform controls" -> "platform-controls".
std::wstring FileNameOf(LPCWSTR lpszName)
{
    std::wstring name;
    for (; *lpszName; ++lpszName)
    {
        if (std::iswalnum(*lpszName))
            name += static_cast<wchar_t>(std::towlower(*lpszName));
        else if (!name.empty() && name.back() != L'-')
            name += L'-';
    }
    while (!name.empty() && name.back() == L'-')
        name.pop_back();
    return name;
}

LPCWSTR FrameClass()
{
    return AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorW(nullptr, IDC_ARROW), reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
}

// Visible popups that the host owns (a fly-by tooltip, say) are windows of their own, outside the host's client
// area: they are copied into the picture at their places, the topmost last.
void AddOwnedPopups(CImage& image, HWND hWndHost)
{
    std::vector<HWND> popups;
    auto collect = [](HWND hWnd, LPARAM lParam) -> BOOL {
        auto* pPopups = reinterpret_cast<std::vector<HWND>*>(lParam);
        if (::IsWindowVisible(hWnd) && ::GetWindow(hWnd, GW_OWNER) == pPopups->front())
            pPopups->push_back(hWnd);
        return TRUE;
    };
    popups.push_back(hWndHost);
    ::EnumThreadWindows(::GetCurrentThreadId(), collect, reinterpret_cast<LPARAM>(&popups));
    POINT ptOrigin = {0, 0};
    ::ClientToScreen(hWndHost, &ptOrigin);
    HDC hImageDC = image.GetDC();
    for (auto it = popups.rbegin(); *it != hWndHost; ++it)
    {
        CRect rcPopup;
        ::GetWindowRect(*it, &rcPopup);
        HDC hPopupDC = ::GetWindowDC(*it);
        ::BitBlt(hImageDC, rcPopup.left - ptOrigin.x, rcPopup.top - ptOrigin.y, rcPopup.Width(), rcPopup.Height(),
                 hPopupDC, 0, 0, SRCCOPY);
        ::ReleaseDC(*it, hPopupDC);
    }
    image.ReleaseDC();
}

// Renders each page in a window of its own and saves what it shows.
int RenderPages(const std::wstring& outFolder)
{
    ::CreateDirectoryW(outFolder.c_str(), nullptr);
    // Paths given the Unix way (as the scripts do) keep that separator in what is printed.
    const wchar_t* pszSeparator = outFolder.find(L'/') != std::wstring::npos ? L"/" : L"\\";
    int nPage = 0;
    int nFailed = 0;
    for (const GalleryPageInfo& info : GalleryPages())
    {
        ++nPage;
        CWnd host;
        CRect rcHost(CPoint(0, 0), kPageSize);
        std::unique_ptr<CGalleryPage> pPage(info.pfnCreate());
        if (!host.CreateEx(WS_EX_TOOLWINDOW, FrameClass(), info.lpszName, WS_POPUP | WS_VISIBLE, rcHost, nullptr, 0) ||
            !pPage->CreatePage(&host, rcHost))
        {
            PrintLine(L"failed to create page " + std::wstring(info.lpszName));
            ++nFailed;
            continue;
        }
        host.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        AfxPumpWaitingMessages();

        wchar_t szNumber[8];
        ::wsprintfW(szNumber, L"%02d-", nPage);
        std::wstring path = outFolder + pszSeparator + szNumber + FileNameOf(info.lpszName) + L".png";
        CImage image;
        bool bCaptured = image.CaptureClient(host.m_hWnd);
        if (bCaptured)
            AddOwnedPopups(image, host.m_hWnd);
        if (bCaptured && image.SavePng(path.c_str()))
            PrintLine(path);
        else
        {
            PrintLine(L"failed to save " + path);
            ++nFailed;
        }
        pPage->DestroyWindow();
        host.DestroyWindow();
        AfxPumpWaitingMessages();
    }
    return nFailed == 0 ? 0 : 1;
}

// The interactive window: the page list on the left, the chosen page on the right.
class CGalleryFrame : public CWnd
{
public:
    BOOL CreateFrame()
    {
        CRect rcWindow(0, 0, kListWidth + kPageSize.cx, kPageSize.cy);
        ::AdjustWindowRectEx(&rcWindow, WS_OVERLAPPEDWINDOW, FALSE, 0);
        return CreateEx(0, FrameClass(), L"TavControls gallery", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, CW_USEDEFAULT,
                        CW_USEDEFAULT, rcWindow.Width(), rcWindow.Height(), nullptr, nullptr);
    }

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct)
    {
        if (CWnd::OnCreate(lpCreateStruct) == -1)
            return -1;
        if (!m_pageList.CreateEx(WS_EX_CLIENTEDGE, L"LISTBOX", nullptr,
                                 WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT,
                                 CRect(0, 0, kListWidth, kPageSize.cy), this, IDC_PAGE_LIST))
            return -1;
        m_pageList.SetFont(CFont::FromHandle(static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT))));
        m_pages = GalleryPages();
        for (const GalleryPageInfo& info : m_pages)
            m_pageList.SendMessage(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(info.lpszName));
        m_pageList.SendMessage(LB_SETCURSEL, 0);
        ShowPage(0);
        return 0;
    }
    afx_msg void OnSize(UINT, int cx, int cy)
    {
        m_pageList.MoveWindow(0, 0, kListWidth, cy);
        if (m_pPage)
            m_pPage->MoveWindow(kListWidth, 0, cx - kListWidth, cy);
    }
    afx_msg void OnPageSelected()
    {
        ShowPage(static_cast<int>(m_pageList.SendMessage(LB_GETCURSEL)));
    }
    afx_msg void OnDestroy()
    {
        if (m_pPage)
            m_pPage->DestroyWindow();
        ::PostQuitMessage(0);
    }

private:
    void ShowPage(int nIndex)
    {
        if (nIndex < 0 || nIndex >= static_cast<int>(m_pages.size()))
            return;
        if (m_pPage)
            m_pPage->DestroyWindow();
        CRect rcClient;
        GetClientRect(&rcClient);
        rcClient.left = kListWidth;
        m_pPage.reset(m_pages[static_cast<size_t>(nIndex)].pfnCreate());
        m_pPage->CreatePage(this, rcClient);
    }

    CWnd m_pageList;
    std::vector<GalleryPageInfo> m_pages;
    std::unique_ptr<CGalleryPage> m_pPage;
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CGalleryFrame, CWnd)
    ON_WM_CREATE()
    ON_WM_SIZE()
    ON_WM_DESTROY()
    ON_LBN_SELCHANGE(IDC_PAGE_LIST, OnPageSelected)
END_MESSAGE_MAP()

int RunWindow()
{
    CGalleryFrame frame;
    if (!frame.CreateFrame())
        return 1;
    frame.ShowWindow(SW_SHOW);
    frame.UpdateWindow();
    while (AfxPumpMessage())
        AfxDeleteTempMaps();
    return 0;
}
}

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int)
{
    INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&controls);

    bool bWindow = false;
    std::wstring outFolder = L"gallery";
    for (int i = 1; i < __argc; ++i)
    {
        std::wstring arg = __wargv[i];
        if (arg == L"--window")
            bWindow = true;
        else if (arg == L"--out" && i + 1 < __argc)
            outFolder = __wargv[++i];
    }
    return bWindow ? RunWindow() : RenderPages(outFolder);
}
