#pragma once
// Resource IDs of the explorer, shared by Explorer.rc and the code.
#define IDB_FOLDER 101
#define IDB_FILE 102
#define IDD_EDITOR_PAGE 200
