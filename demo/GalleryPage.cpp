#include "Gallery.h"

#include <algorithm>

namespace
{
std::vector<GalleryPageInfo>& Registry()
{
    static std::vector<GalleryPageInfo> s_pages;
    return s_pages;
}
}

CGalleryPageRegistrar::CGalleryPageRegistrar(int nOrder, LPCWSTR lpszName, GalleryPageFactory pfnCreate)
{
    Registry().push_back({nOrder, lpszName, pfnCreate});
}

std::vector<GalleryPageInfo> GalleryPages()
{
    std::vector<GalleryPageInfo> pages = Registry();
    std::stable_sort(pages.begin(), pages.end(),
                     [](const GalleryPageInfo& a, const GalleryPageInfo& b) { return a.nOrder < b.nOrder; });
    return pages;
}

BOOL CGalleryPage::CreatePage(CWnd* pParent, const CRect& rect)
{
    LPCWSTR lpszClass = AfxRegisterWndClass(0, ::LoadCursorW(nullptr, IDC_ARROW),
                                            reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    if (!CreateEx(WS_EX_CONTROLPARENT, lpszClass, nullptr, WS_CHILD | WS_VISIBLE, rect, pParent, 0))
        return FALSE;
    return CreateControls();
}

void CGalleryPage::SetPageFont(std::initializer_list<CWnd*> controls, BOOL bRedraw)
{
    if (m_font.GetSafeHandle() == nullptr)
        m_font.CreatePointFont(90, L"Tahoma");
    for (CWnd* pControl : controls)
        pControl->SetFont(&m_font, bRedraw);
}

void CGalleryPage::AppendLine(CEdit& log, const CString& strLine)
{
    const int nEnd = log.GetWindowTextLength();
    log.SetSel(nEnd, nEnd);
    log.ReplaceSel(strLine);
}
