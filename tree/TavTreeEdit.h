#pragma once
// The tree's label editor: it takes over the platform's edit window for the length of one edit so that
// Enter commits and Escape abandons the edit by moving the focus back to the tree.
#include "TavApi.h"
#include "frame/Controls.h"

/// The tree's label editor: Enter commits and Escape abandons the edit, handing the focus back to the tree.
class TAV_API CTavTreeEdit : public CEdit
{
public:
    /// Enter and Escape end the edit; other keys go to the edit window.
    BOOL PreTranslateMessage(MSG* pMsg) override;

    /// Set when an edit is ended with Escape, cleared when an edit begins; shared by every tree.
    static BOOL s_bLabelEditCancelled;

private:
    void HandFocusToTree();
};
