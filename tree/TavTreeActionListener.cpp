#include "tree/TavTreeActionListener.h"

void CTavTreeActionListener::OnSelectionChanged()
{
}

int CTavTreeActionListener::OnRenameItem(HTREEITEM, const CString&)
{
    return 1;
}

void CTavTreeActionListener::OnBeginLabelEdit(HTREEITEM)
{
}

void CTavTreeActionListener::OnItemExpanded(HTREEITEM)
{
}
