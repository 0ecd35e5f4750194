#include "check_tree/TavCheckItem.h"
#include "Archive.h"
#include "DumpContext.h"

IMPLEMENT_SERIAL(CTavCheckItem, CTavTreeItemData, 0)

CTavCheckItem::CTavCheckItem() : m_nState(stateUnchecked)
{
}

void CTavCheckItem::Serialize(CArchive& ar)
{
    CTavTreeItemData::Serialize(ar);
    if (ar.IsStoring())
        ar << m_nState;
    else
        ar >> m_nState;
}

void CTavCheckItem::Dump(CDumpContext& dc) const
{
    CTavTreeItemData::Dump(dc);
    dc << L"\tState :   " << m_nState << L"\n";
}

// The copy is a new item of its own: it shares no host object with the source.
CTavTreeItemData* CTavCheckItem::Copy()
{
    CTavCheckItem* pCopy = new CTavCheckItem;
    pCopy->m_lItemID = m_lItemID;
    pCopy->m_bCanHaveChildren = m_bCanHaveChildren;
    pCopy->m_nState = m_nState;
    return pCopy;
}
