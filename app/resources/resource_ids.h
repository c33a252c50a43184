#pragma once

// Identifiers of the program's resources, shared by the resource script and the code.

#define IDI_ARBORDIR 1
#define IDI_LOAD_TEMPLATE 102
#define IDI_SAVE_TEMPLATE 103
#define IDI_SCAN 104
// The tree's pictures, PNG files kept as they are.
#define IDR_FOLDER 101
#define IDR_FOLDER_NAME_CHANGED 105
#define IDR_FOLDER_NAME_REFUSED 106
