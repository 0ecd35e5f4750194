#include "TreeTestObjects.h"
#include "Archive.h"

IMPLEMENT_SERIAL(CCountedObject, CObject, 1)
IMPLEMENT_SERIAL(CCountedItemData, CTavTreeItemData, 0)

int CCountedObject::s_nNextSerial = 1;
std::map<int, int> CCountedObject::s_mapDeletions;

CCountedObject::CCountedObject() : m_nSerial(s_nNextSerial++)
{
}

CCountedObject::~CCountedObject()
{
    ++s_mapDeletions[m_nSerial];
}

void CCountedObject::Serialize(CArchive& ar)
{
    if (ar.IsStoring())
        ar << m_nSerial;
    else
        ar >> m_nSerial;
}

void CCountedObject::Reset()
{
    s_mapDeletions.clear();
}

int CCountedItemData::s_nLive = 0;
int CCountedItemData::s_nDeleted = 0;

CCountedItemData::CCountedItemData()
{
    ++s_nLive;
}

CCountedItemData::~CCountedItemData()
{
    --s_nLive;
    ++s_nDeleted;
}
