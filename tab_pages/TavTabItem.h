#pragma once
// One tab page record of the tab controls: the page dialog, the tab's caption, tooltip text and picture,
// the disabled flag, and which of the objects it points to the record owns.
#include "TavApi.h"
#include "frame/String.h"

class CDialog;
class CBitmap;

/// One tab page record of the tab controls: the page dialog, caption, tooltip text, picture, the disabled flag
/// and which of the page and picture the record owns.
class TAV_API CTavTabItem
{
public:
    /// An empty record (no page, no picture, enabled, image -1).
    CTavTabItem();
    /// Copies every field; the copy shares page and picture.
    CTavTabItem(const CTavTabItem& item);
    /// Copies every field; the copy shares page and picture.
    CTavTabItem& operator=(const CTavTabItem& item);
    /// Frees neither page nor picture: copies share them, so only DestroyPage and DestroyBitmap free them.
    virtual ~CTavTabItem();

    /// Puts every field back to its initial value without freeing anything.
    void Init();
    /// Copies every field of item.
    void Copy(const CTavTabItem& item);
    /// The ownership flags are not part of what a record shows, so they are not compared.
    BOOL operator==(const CTavTabItem& item);

    /// Delete the page or picture if the record owns it. Pointer and flag stay as they are: the caller
    /// overwrites the pointer or discards the record straight afterwards.
    void DestroyBitmap();
    /// Deletes the page if the record owns it.
    void DestroyPage();

    CDialog* m_pPage;   ///< the page dialog
    BOOL m_bDeletePage;   ///< the record owns m_pPage
    BOOL m_bDeletePicture;   ///< the record owns m_pPicture
    BOOL m_bDisabled;   ///< the page cannot be activated
    CString m_strCaption;   ///< tab caption
    CString m_strDescription;   ///< tooltip text; empty for none
    long m_nImageIndex;         ///< in the image list of the control holding the record; -1 for none
    CBitmap* m_pPicture;        ///< picture shown on the tab, or null
    COLORREF m_crMask;          ///< made transparent when the picture joins the image list
};
