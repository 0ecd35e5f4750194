#pragma once
// The data object a tree item carries in data-object mode: the host's ID for the item, whether other items
// may become its children, and an optional host object the item may own.
#include "TavApi.h"
#include "frame/Object.h"

class CArchive;
class CDumpContext;

/// The data object a tree item carries: the host's ID, whether the item accepts children, and an optional
/// host object that the item owns when m_bDeleteObject is set. Derive from it to add fields (override
/// Serialize, calling the base first).
class TAV_API CTavTreeItemData : public CObject
{
    DECLARE_SERIAL(CTavTreeItemData)

public:
    /// ID 0, may have children, no host object.
    CTavTreeItemData();
    /// A data object with these values.
    CTavTreeItemData(long lItemID, BOOL bCanHaveChildren, CObject* pObject, BOOL bDeleteObject);
    /// Deletes the host object if it owns it.
    ~CTavTreeItemData() override;

    /// Writes or reads the ID, the flag, the host object (persistent object format) and the ownership flag.
    void Serialize(CArchive& ar) override;
    /// Writes the fields to the dump context.
    void Dump(CDumpContext& dc) const override;

    /// A new data object with the same ID, flag and host object. The copy never owns the host object, so that
    /// the object is deleted at most once, by the item it came from.
    virtual CTavTreeItemData* Copy();

    long m_lItemID;   ///< the host's ID of the item
    BOOL m_bCanHaveChildren;   ///< whether other items may become its children
    CObject* m_pObject;   ///< attached host object, or null
    BOOL m_bDeleteObject;   ///< whether the data object deletes m_pObject

private:
    CTavTreeItemData(const CTavTreeItemData&) = delete;
    CTavTreeItemData& operator=(const CTavTreeItemData&) = delete;
};
