#include "list_boxes/TavListBox.h"

CTavListBox::CTavListBox() = default;

CTavListBox::~CTavListBox() = default;

CWnd* CTavListBox::GetWndPtr() const
{
    return const_cast<CTavListBox*>(this);
}

BOOL CTavListBox::PreTranslateMessage(MSG* pMsg)
{
    RelayEvent(pMsg);
    return CWnd::PreTranslateMessage(pMsg);
}

void CTavListBox::InitControl()
{
    UpdateFlyByTooltip();
}
