#pragma once
// One tab page record of the tab controls: the page dialog, the tab's caption, tooltip text and picture,
// the disabled flag, and which of the objects it points to the record owns.
#include "TavApi.h"
#include "String.h"

class CDialog;
class CBitmap;

class TAV_API CTavTabItem
{
public:
    CTavTabItem();
    CTavTabItem(const CTavTabItem& item);
    CTavTabItem& operator=(const CTavTabItem& item);
    // Frees neither page nor picture: copies share them, so only DestroyPage and DestroyBitmap free them.
    virtual ~CTavTabItem();

    void Init();
    void Copy(const CTavTabItem& item);
    // The ownership flags are not part of what a record shows, so they are not compared.
    BOOL operator==(const CTavTabItem& item);

    // Delete the page or picture if the record owns it. Pointer and flag stay as they are: the caller
    // overwrites the pointer or discards the record straight afterwards.
    void DestroyBitmap();
    void DestroyPage();

    CDialog* m_pPage;
    BOOL m_bDeletePage;
    BOOL m_bDeletePicture;
    BOOL m_bDisabled;
    CString m_strCaption;
    CString m_strDescription;   // tooltip text; empty for none
    long m_nImageIndex;         // in the image list of the control holding the record; -1 for none
    CBitmap* m_pPicture;
    COLORREF m_crMask;          // made transparent when the picture joins the image list
};
