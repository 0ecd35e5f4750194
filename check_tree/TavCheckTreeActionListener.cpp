#include "check_tree/TavCheckTreeActionListener.h"

void CTavCheckTreeActionListener::OnCheckChanged(HTREEITEM)
{
}
