// Resource identifiers, shared by the resource script and the code.
#pragma once

#define IDS_TITLE 103
#define IDS_STOPPED 104
#define IDI_VESKAL 107
#define IDI_TRAY_ENABLED 108
#define IDI_TRAY_STOPPED 109
#define IDS_CLASSNAME 109
#define IDS_MUTEXNAME 110
#define IDS_NO_SETTINGS_PROGRAM 111
#define IDS_NO_DESKTOP 112
#define IDS_STARTUP_FAILED 113
#define IDS_SAVE_FAILED 114
#define IDR_TRAYMENU 129
#define IDC_MOVECURSOR 130

#define ID_TRAY_EXIT 32771
#define ID_TRAY_SETTINGS 32773
#define ID_TRAY_HOME 32774
#define ID_TRAY_ENABLE 32775
#define ID_TRAY_MAP 32776
#define ID_TRAY_STARTUP 32777
