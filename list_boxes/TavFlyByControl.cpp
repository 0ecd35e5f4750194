#include "list_boxes/TavFlyByControl.h"
#include "list_boxes/TavFlyByTooltip.h"

CTavFlyByControl::CTavFlyByControl() : m_bFlyByEnabled(true), m_pTooltip(new CTavFlyByTooltip) {}

CTavFlyByControl::~CTavFlyByControl()
{
    delete m_pTooltip;
}

void CTavFlyByControl::EnableFlyByTooltips()
{
    m_bFlyByEnabled = true;
    UpdateFlyByTooltip();
}

void CTavFlyByControl::DisableFlyByTooltips()
{
    m_bFlyByEnabled = false;
    UpdateFlyByTooltip();
}

long CTavFlyByControl::FlyByItemFromPoint(const CPoint& point)
{
    for (long nItem = 0; nItem < GetItemCount(); ++nItem)
        if (GetItemRect(nItem).PtInRect(point))
            return nItem;
    return -1;
}

bool CTavFlyByControl::HasTooltipWindow() const
{
    return ::IsWindow(m_pTooltip->GetSafeHwnd()) != FALSE;
}

void CTavFlyByControl::UpdateFlyByTooltip()
{
    if (m_bFlyByEnabled && !HasTooltipWindow())
        m_pTooltip->Create(this, WS_POPUP | WS_BORDER);
    else if (!m_bFlyByEnabled)
        HideFlyByTooltip();  // and free the capture the tooltip took, which no relay would free any more
}

void CTavFlyByControl::RelayEvent(MSG* pMsg)
{
    if (m_bFlyByEnabled && HasTooltipWindow())
        m_pTooltip->RelayEvent(pMsg);
}

void CTavFlyByControl::UpdateShownItem(int nItem)
{
    if (!m_bFlyByEnabled || !HasTooltipWindow())
        return;
    m_pTooltip->AdjustTitleTip(nItem);
    m_pTooltip->InvalidateRect(nullptr, TRUE);
    m_pTooltip->UpdateWindow();
}

void CTavFlyByControl::HideFlyByTooltip()
{
    if (HasTooltipWindow())
        m_pTooltip->AdjustTitleTip(m_pTooltip->m_nNoItem);
}

bool CTavFlyByControl::IsFlyByItem(long nItem)
{
    return nItem >= 0 && nItem < GetItemCount();
}
