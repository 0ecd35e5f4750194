#pragma once
// What a host hears from a CTavTreeCtrl. The tree keeps plain pointers to its listeners and never deletes them.
#include "TavApi.h"
#include "frame/String.h"
#include <commctrl.h>

/// What a host hears from a CTavTreeCtrl; register with AddActionListener. The tree keeps a plain pointer
/// and never deletes a listener.
class TAV_API CTavTreeActionListener
{
public:
    /// An empty listener.
    CTavTreeActionListener() = default;
    /// Copies hold no state.
    CTavTreeActionListener(const CTavTreeActionListener&) {}
    /// Copies hold no state.
    CTavTreeActionListener& operator=(const CTavTreeActionListener&) { return *this; }

    /// A double click that is not on an expand button; false keeps the item from toggling.
    virtual bool OnItemDoubleClick(HTREEITEM hItem) = 0;
    /// The selection changed.
    virtual void OnSelectionChanged();
    /// A label edit ended with a new text; 0 keeps the old text and asks no later listener.
    virtual int OnRenameItem(HTREEITEM hItem, const CString& strNewText);
    /// A label edit begins on the item.
    virtual void OnBeginLabelEdit(HTREEITEM hItem);
    /// The item is about to expand or collapse.
    virtual void OnItemExpanded(HTREEITEM hItem);

protected:
    /// Listeners are not deleted through this interface.
    ~CTavTreeActionListener() = default;
};
