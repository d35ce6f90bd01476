// Resource and control identifiers of config.exe. The end-to-end tests drive
// the dialog through these, so they stay fixed.
#pragma once

// The program's icon: the lowest icon id, so that Explorer shows it too.
#define IDI_CONFIG 1

#define IDD_CONFIG 100

// Plane size in screens: edit boxes with their up-down buddies.
#define IDC_WIDTH 1001
#define IDC_WIDTH_SPIN 1002
#define IDC_HEIGHT 1003
#define IDC_HEIGHT_SPIN 1004

// Start cell picker: radio buttons IDC_CELL0 + cell, row by row.
#define IDC_CELL0 1010
#define IDC_CELL1 1011
#define IDC_CELL2 1012
#define IDC_CELL3 1013
#define IDC_CELL4 1014
#define IDC_CELL5 1015
#define IDC_CELL6 1016
#define IDC_CELL7 1017
#define IDC_CELL8 1018

#define IDC_DCENTER 1020  // double click returns home

#define IDC_SPEED 1030        // trackbar 1..10
#define IDC_SPEED_VALUE 1031  // the number beside it

// Activation chord.
#define IDC_KEYLIST 1040
#define IDC_CAPTURE 1041
#define IDC_REMOVE 1042
#define IDC_CLEAR 1043
#define IDC_CAPTURE_HINT 1044
#define IDC_EMPTY_WARNING 1045  // also warns of keys that are never seen down
#define IDC_WARNING_ICON 1046

// OK is IDOK (1), Cancel is IDCANCEL (2).
#define IDC_APPLY 1050

#define IDC_RANGE_NOTE 1060  // values given that the controls cannot show
#define IDC_SOURCE 1061      // where the values shown came from

#define IDS_CAPTION 200
#define IDS_NOT_RUNNING 201
#define IDS_NO_ANSWER 202
#define IDS_CAPTURE_START 203
#define IDS_CAPTURE_STOP 204
#define IDS_CAPTURE_IDLE_HINT 205
#define IDS_CAPTURE_ACTIVE_HINT 206
#define IDS_UNNAMED_KEY 207
#define IDS_ACCESS_DENIED 208
#define IDS_EMPTY_WARNING 209
#define IDS_UNSEEN_WARNING 210
#define IDS_RANGE_NOTE 211
#define IDS_CELL_NAME 212
#define IDS_SPEED_NAME 213
#define IDS_FROM_VESKAL 214
#define IDS_FROM_FILE 215
#define IDS_DEFAULTS 216
#define IDS_LIST_SEPARATOR 217
