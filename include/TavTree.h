#pragma once
// The tree control family: CTavTreeCtrl with its item data, label editor, drag state and listener interface.
#include "tree/TavTreeItemData.h"
#include "tree/TavTreeActionListener.h"
#include "tree/TavTreeEdit.h"
#include "tree/TavTreeDragInformation.h"
#include "tree/TavTreeCtrl.h"
