#include "tree/TavTreeItemData.h"
#include "Archive.h"
#include "DumpContext.h"

IMPLEMENT_SERIAL(CTavTreeItemData, CObject, 0)

CTavTreeItemData::CTavTreeItemData()
    : m_lItemID(-1), m_bCanHaveChildren(FALSE), m_pObject(nullptr), m_bDeleteObject(FALSE)
{
}

CTavTreeItemData::CTavTreeItemData(long lItemID, BOOL bCanHaveChildren, CObject* pObject, BOOL bDeleteObject)
    : m_lItemID(lItemID), m_bCanHaveChildren(bCanHaveChildren), m_pObject(pObject), m_bDeleteObject(bDeleteObject)
{
}

CTavTreeItemData::~CTavTreeItemData()
{
    if (m_bDeleteObject && m_pObject != nullptr)
        delete m_pObject;
    m_pObject = nullptr;
    m_bDeleteObject = FALSE;
}

void CTavTreeItemData::Serialize(CArchive& ar)
{
    if (ar.IsStoring())
    {
        ar << m_lItemID << m_bCanHaveChildren;
        ar.WriteObject(m_pObject);
        ar << m_bDeleteObject;
    }
    else
    {
        ar >> m_lItemID >> m_bCanHaveChildren;
        m_pObject = ar.ReadObject(nullptr);
        ar >> m_bDeleteObject;
    }
}

void CTavTreeItemData::Dump(CDumpContext& dc) const
{
    dc << L"\tItemID:          " << m_lItemID << L"\n";
    dc << L"\tCanHaveChildren: " << static_cast<int>(m_bCanHaveChildren) << L"\n";
    dc << L"\tObject:          " << m_pObject;
    dc << L"\tDeleteObject:    " << static_cast<int>(m_bDeleteObject) << L"\n";
}

CTavTreeItemData* CTavTreeItemData::Copy()
{
    return new CTavTreeItemData(m_lItemID, m_bCanHaveChildren, m_pObject, FALSE);
}
