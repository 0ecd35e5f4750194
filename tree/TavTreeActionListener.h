#pragma once
// What a host hears from a CTavTreeCtrl. The tree keeps plain pointers to its listeners and never deletes them.
#include "TavApi.h"
#include "String.h"
#include <commctrl.h>

class TAV_API CTavTreeActionListener
{
public:
    CTavTreeActionListener() = default;
    CTavTreeActionListener(const CTavTreeActionListener&) {}
    CTavTreeActionListener& operator=(const CTavTreeActionListener&) { return *this; }

    // A double click that is not on an expand button; false keeps the item from toggling.
    virtual bool OnItemDoubleClick(HTREEITEM hItem) = 0;
    virtual void OnSelectionChanged();
    // A label edit ended with a new text; 0 keeps the old text and asks no later listener.
    virtual int OnRenameItem(HTREEITEM hItem, const CString& strNewText);
    virtual void OnBeginLabelEdit(HTREEITEM hItem);
    // The item is about to expand or collapse.
    virtual void OnItemExpanded(HTREEITEM hItem);

protected:
    ~CTavTreeActionListener() = default;
};
