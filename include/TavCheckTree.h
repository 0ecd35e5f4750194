#pragma once
// The check tree family: the owner-drawn tree CTavOwnerDrawTree, the check tree CTavCheckTreeCtrl with its
// item data CTavCheckItem, and the listener interface CTavCheckTreeActionListener.
#include "TavTree.h"
#include "check_tree/TavCheckItem.h"
#include "check_tree/TavCheckTreeActionListener.h"
#include "check_tree/TavOwnerDrawTree.h"
#include "check_tree/TavCheckTreeCtrl.h"
