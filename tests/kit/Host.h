#pragma once
// A headless host for controls: a visible, active top-level dialog made from a template in memory, with
// the dialog manager's keyboard handling, that stays open on Enter and Escape.
#include "Dialog.h"

#include <vector>

namespace kit
{
// Builds a dialog template in memory (coordinates in dialog units).
class DialogTemplate
{
public:
    DialogTemplate(LPCWSTR lpszCaption, int cx, int cy,
                   DWORD dwStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE | DS_SETFONT);
    // Adds a control of a platform class ("BUTTON", "EDIT", ...) or a registered class name.
    DialogTemplate& AddControl(LPCWSTR lpszClass, LPCWSTR lpszText, DWORD dwStyle, int x, int y, int cx, int cy, WORD nID);
    LPCDLGTEMPLATEW Get() const { return reinterpret_cast<LPCDLGTEMPLATEW>(m_words.data()); }

private:
    void AddString(LPCWSTR lpszText);
    void AlignToDword();
    std::vector<WORD> m_words;
};

class CHostDialog : public CDialog
{
public:
    CHostDialog() = default;
    virtual ~CHostDialog();

    // Opens an empty host of this client size in pixels, or one made from a template.
    BOOL Open(int cxClient = 400, int cyClient = 300);
    BOOL Open(const DialogTemplate& dialogTemplate);

protected:
    virtual void OnOK() override {}
    virtual void OnCancel() override {}
};
}
