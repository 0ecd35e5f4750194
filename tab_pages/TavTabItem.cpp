#include "TavTabItem.h"

#include "Dialog.h"
#include "Gdi.h"

CTavTabItem::CTavTabItem()
{
    Init();
}

CTavTabItem::CTavTabItem(const CTavTabItem& item)
{
    Copy(item);
}

CTavTabItem& CTavTabItem::operator=(const CTavTabItem& item)
{
    Copy(item);
    return *this;
}

CTavTabItem::~CTavTabItem()
{
    Init();
}

void CTavTabItem::Init()
{
    m_pPage = nullptr;
    m_bDeletePage = FALSE;
    m_bDeletePicture = FALSE;
    m_bDisabled = FALSE;
    m_strCaption.Empty();
    m_strDescription.Empty();
    m_nImageIndex = -1;
    m_pPicture = nullptr;
    m_crMask = RGB(192, 192, 192);
}

void CTavTabItem::Copy(const CTavTabItem& item)
{
    m_pPage = item.m_pPage;
    m_bDeletePage = item.m_bDeletePage;
    m_bDeletePicture = item.m_bDeletePicture;
    m_bDisabled = item.m_bDisabled;
    m_strCaption = item.m_strCaption;
    m_strDescription = item.m_strDescription;
    m_nImageIndex = item.m_nImageIndex;
    m_pPicture = item.m_pPicture;
    m_crMask = item.m_crMask;
}

BOOL CTavTabItem::operator==(const CTavTabItem& item)
{
    return m_pPage == item.m_pPage && m_strCaption == item.m_strCaption &&
           m_strDescription == item.m_strDescription && m_nImageIndex == item.m_nImageIndex &&
           m_pPicture == item.m_pPicture && m_bDisabled == item.m_bDisabled && m_crMask == item.m_crMask;
}

void CTavTabItem::DestroyBitmap()
{
    if (m_bDeletePicture)
        delete m_pPicture;
}

void CTavTabItem::DestroyPage()
{
    if (m_bDeletePage)
        delete m_pPage;
}
