#pragma once
// The gallery's pages: one page per control, each in its own Page<Name>.cpp that registers itself with
// GALLERY_PAGE, so adding a page touches no other file.
#include "Controls.h"
#include "Gdi.h"
#include "Wnd.h"

#include <initializer_list>
#include <memory>
#include <vector>

// A page: a child window that fills the gallery's page area and holds the controls it shows.
class CGalleryPage : public CWnd
{
public:
    BOOL CreatePage(CWnd* pParent, const CRect& rect);
    // Adds a line at the end of a read-only log.
    static void AppendLine(CEdit& log, const CString& strLine);

protected:
    // Creates the page's controls inside the page window (client coordinates of the page).
    virtual BOOL CreateControls() = 0;
    // Gives the controls the gallery's font, which the page makes on first use and owns.
    void SetPageFont(std::initializer_list<CWnd*> controls, BOOL bRedraw = FALSE);

private:
    CFont m_font;
};

typedef CGalleryPage* (*GalleryPageFactory)();

struct GalleryPageInfo
{
    int nOrder;            // pages are shown in this order
    LPCWSTR lpszName;      // shown in the page list; its file name is made from it
    GalleryPageFactory pfnCreate;
};

// Registered pages in display order.
std::vector<GalleryPageInfo> GalleryPages();

class CGalleryPageRegistrar
{
public:
    CGalleryPageRegistrar(int nOrder, LPCWSTR lpszName, GalleryPageFactory pfnCreate);
};

#define GALLERY_PAGE(nOrder, lpszName, pageClass)                   \
    static CGalleryPageRegistrar s_galleryPage##pageClass(          \
        nOrder, lpszName, []() -> CGalleryPage* { return new pageClass; })
