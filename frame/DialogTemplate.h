#pragma once
// CTavDialogTemplate: reads a dialog template resource (classic or extended format), found by name or ID
// through the application's resource chain, for what it says about the dialog: its caption.
#include "FrameApi.h"
#include "String.h"

class FRAME_API CTavDialogTemplate
{
public:
    CTavDialogTemplate() = default;

    // FALSE when no module of the chain holds the template or it is not a readable template; the caption is
    // empty then.
    BOOL Load(LPCWSTR lpszTemplateName);
    CString GetDialogCaption() const { return m_strCaption; }

private:
    CString m_strCaption;
};
