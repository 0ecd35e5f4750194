#pragma once
#include "tree/TavTreeItemData.h"

/// The data object of a check tree item: the tree item data plus the item's check state.
class TAV_API CTavCheckItem : public CTavTreeItemData
{
    DECLARE_SERIAL(CTavCheckItem)

public:
    /// Check states; a caller may store other values, which show no box and take no part in combining.
    enum ECheckState : UINT
    {
        stateUnchecked = 0,      ///< not checked
        stateChecked = 1,        ///< checked
        stateIndeterminate = 2,  ///< the item's children are mixed
    };

    /// An unchecked item with ID -1, no children allowed and no host object.
    CTavCheckItem();

    /// Writes or reads the base fields, then the state as four bytes.
    void Serialize(CArchive& ar) override;
    /// The base item data's lines, then the state.
    void Dump(CDumpContext& dc) const override;
    /// A new check item with the same ID, children flag and state, carrying no host object.
    CTavTreeItemData* Copy() override;

    UINT m_nState;  ///< the item's check state
};
