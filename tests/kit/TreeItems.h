#pragma once
// Every item of a tree view in pre-order, hidden ones included, read straight from the platform.
#include "TreeCtrl.h"

#include <vector>

namespace kit
{
std::vector<HTREEITEM> AllTreeItems(const CTreeCtrl& tree);
}
