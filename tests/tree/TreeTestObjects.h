#pragma once
// Objects whose constructions and deletions the tree tests count.
#include "TavTree.h"
#include <map>

// A host object; every deletion is recorded by serial number, so a double deletion shows as a count of 2.
class CCountedObject : public CObject
{
    DECLARE_SERIAL(CCountedObject)
public:
    CCountedObject();
    ~CCountedObject() override;
    void Serialize(CArchive& ar) override;

    int m_nSerial;
    static int s_nNextSerial;
    static std::map<int, int> s_mapDeletions;
    static void Reset();
};

// Item data whose live instances are counted.
class CCountedItemData : public CTavTreeItemData
{
    DECLARE_SERIAL(CCountedItemData)
public:
    CCountedItemData();
    ~CCountedItemData() override;
    static int s_nLive;
    static int s_nDeleted;
};
