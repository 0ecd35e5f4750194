#pragma once
// The list box family: the fly-by tooltip mix-in and its popup, the host-drawn list box and the check list box.
#include "list_boxes/TavFlyByControl.h"
#include "list_boxes/TavFlyByTooltip.h"
#include "list_boxes/TavListBox.h"
#include "list_boxes/TavCheckListBox.h"
