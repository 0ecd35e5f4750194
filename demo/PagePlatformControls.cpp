// The platform's own controls as the class layer wraps them: static text, edits, buttons.
#include "Controls.h"
#include "Gdi.h"
#include "Gallery.h"

namespace
{
class CPlatformControlsPage : public CGalleryPage
{
protected:
    BOOL CreateControls() override
    {
        BOOL bCreated =
            m_title.Create(L"Plain platform controls", WS_VISIBLE | SS_LEFT, CRect(16, 12, 400, 30), this, 1) &&
            m_nameLabel.Create(L"Name:", WS_VISIBLE | SS_LEFT, CRect(16, 46, 90, 64), this, 2) &&
            m_name.Create(WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, CRect(96, 44, 330, 66), this, 3) &&
            m_notes.Create(WS_VISIBLE | WS_BORDER | WS_TABSTOP | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL,
                           CRect(96, 76, 330, 150), this, 4) &&
            m_group.Create(L"Options", WS_VISIBLE | BS_GROUPBOX, CRect(350, 40, 560, 150), this, 5) &&
            m_check.Create(L"Check box", WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX, CRect(364, 62, 540, 82), this, 6) &&
            m_radioOne.Create(L"First choice", WS_VISIBLE | WS_TABSTOP | WS_GROUP | BS_AUTORADIOBUTTON,
                              CRect(364, 88, 540, 108), this, 7) &&
            m_radioTwo.Create(L"Second choice", WS_VISIBLE | BS_AUTORADIOBUTTON, CRect(364, 114, 540, 134), this, 8) &&
            m_ok.Create(L"OK", WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, CRect(96, 170, 196, 198), this, IDOK) &&
            m_disabled.Create(L"Disabled", WS_VISIBLE | WS_TABSTOP | WS_DISABLED | BS_PUSHBUTTON,
                              CRect(206, 170, 306, 198), this, 9) &&
            m_swatch.Create(L"", WS_VISIBLE | SS_BLACKRECT, CRect(350, 170, 560, 198), this, 10);
        if (!bCreated)
            return FALSE;
        SetPageFont({ &m_title, &m_nameLabel, &m_name, &m_notes, &m_group, &m_check, &m_radioOne, &m_radioTwo, &m_ok,
                      &m_disabled });
        m_name.SetWindowText(L"Sample text");
        m_notes.SetWindowText(L"A multi-line edit\r\nwith a second line.");
        m_check.SetCheck(BST_CHECKED);
        m_radioOne.SetCheck(BST_CHECKED);
        return TRUE;
    }

private:
    CStatic m_title;
    CStatic m_nameLabel;
    CEdit m_name;
    CEdit m_notes;
    CButton m_group;
    CButton m_check;
    CButton m_radioOne;
    CButton m_radioTwo;
    CButton m_ok;
    CButton m_disabled;
    CStatic m_swatch;
};
}

GALLERY_PAGE(10, L"Platform controls", CPlatformControlsPage);
