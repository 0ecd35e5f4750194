#pragma once
// The data object a tree item carries in data-object mode: the host's ID for the item, whether other items
// may become its children, and an optional host object the item may own.
#include "TavApi.h"
#include "Object.h"

class CArchive;
class CDumpContext;

class TAV_API CTavTreeItemData : public CObject
{
    DECLARE_SERIAL(CTavTreeItemData)

public:
    CTavTreeItemData();
    CTavTreeItemData(long lItemID, BOOL bCanHaveChildren, CObject* pObject, BOOL bDeleteObject);
    ~CTavTreeItemData() override;

    void Serialize(CArchive& ar) override;
    void Dump(CDumpContext& dc) const override;

    // A new data object with the same ID, flag and host object. The copy never owns the host object, so that
    // the object is deleted at most once, by the item it came from.
    virtual CTavTreeItemData* Copy();

    long m_lItemID;
    BOOL m_bCanHaveChildren;
    CObject* m_pObject;
    BOOL m_bDeleteObject;

private:
    CTavTreeItemData(const CTavTreeItemData&) = delete;
    CTavTreeItemData& operator=(const CTavTreeItemData&) = delete;
};
