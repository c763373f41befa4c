#pragma once
// Resource ids of Torvin: one block per dialog, then strings, icons and tiles. Plain #defines so
// that both the resource compiler and pure code can include this file. The numbers are the ones
// the program is known by; do not renumber.

#ifndef IDOK
#define IDOK 1
#define IDCANCEL 2
#endif
#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif

// About box (system menu of the main window)
#define IDD_ABOUT 100
#define ID_ABOUT_COMMAND 16
// System-menu commands keep their low four bits clear, as the system reserves them.
#define ID_SHORTCUT_COMMAND 32

// Main window
#define IDD_PET_LIST 102
#define IDC_PET_LIST 1000
#define IDC_LAUNCH 1003
#define IDC_ADD_PET 1004
#define IDC_DELETE_PET 1005
#define IDC_MAIL_SETTINGS 1006
#define IDC_MAIL_START 1012
#define IDC_MAIL_STOP 1013
#define IDC_SNACK 1014
#define IDC_CHOOSE_BACKGROUND 1015

// First-run setup
#define IDD_SETUP 129
#define IDC_SETUP_NAME 1001
#define IDC_SETUP_FOLDER 1002
#define IDC_SETUP_BROWSE 1017

// Adding a pet
#define IDD_ADD_PET 139
#define IDC_NEW_PET_NAME 1001

// Error code
#define IDD_ERROR_CODE 141
#define IDC_ERROR_CODE 1001

// Notices
#define IDD_HOST_NOT_FOUND 130
#define IDD_HOST_RUNNING 144
#define IDD_NO_PET_SELECTED 145
#define IDD_DUPLICATE_PET 146
#define IDD_FIRST_PET 147
#define IDD_DELETE_PET 148
#define IDD_FORCE_STOP 150
#define IDD_EXIT_NOTICE 186

// Mail account settings
#define IDD_MAIL_SETTINGS 149
#define IDC_MAIL_PET_NAME 1001
#define IDC_MAIL_ADDRESS 1002
#define IDC_POP_SERVER 1007
#define IDC_USER_ID 1008
#define IDC_PASSWORD 1009
#define IDC_MAIL_CHECK_ON 1010
#define IDC_MAIL_CHECK_OFF 1011
#define IDC_POP_TLS 1021

// Background choice
#define IDD_BACKGROUND 185
#define IDC_BG_PINK 1010
#define IDC_BG_BLUE 1011
#define IDC_BG_GREEN 1016
#define IDC_BG_OWN 1019
#define IDC_BG_SELECT_SKIN 1004
#define IDC_BG_SKIN_NAME 1001

// Skin file list
#define IDD_SKIN_LIST 187
#define IDC_SKIN_LIST 1020

// Strings
#define IDS_ABOUT_MENU 101
#define IDS_SOCKET_FAILED 103
#define IDS_SHORTCUT_MENU 104
#define IDS_SHORTCUT_CREATED 105
#define IDS_SHORTCUT_FAILED 106
#define IDS_COMMAND_UNKNOWN_OPTION 107
#define IDS_COMMAND_MISSING_NAME 108
#define IDS_COMMAND_EXTRA_ARGUMENTS 109
#define IDS_COMMAND_NOT_CP932 110
#define IDS_COMMAND_UNKNOWN_PET 111
#define IDS_COMMAND_NO_SETTINGS 112
#define IDS_HAND_OFF_FAILED 113
#define IDS_LAUNCH_DURING_MAIL_CHECK 114
#define IDS_LAUNCH_WHILE_BUSY 115
#define IDS_SETTINGS_NOT_WRITTEN 116
#define IDS_SETTINGS_KEPT 117
#define IDS_SETTINGS_UNREADABLE 118
#define IDS_NO_HOST_FOLDER 119
#define IDS_ALREADY_RUNNING 120

// Icons: the program icon, then the skin buttons' pairs (hot while hovered or pressed, normal
// otherwise), named after the button that shows them.
#define IDI_APP 128
#define IDI_MAIL_SETTINGS_NORMAL 159
#define IDI_CANCEL_NORMAL 160
#define IDI_DELETE_PET_HOT 161
#define IDI_DELETE_PET_NORMAL 162
#define IDI_EXIT_HOT 163
#define IDI_EXIT_NORMAL 164
#define IDI_LAUNCH_HOT 165
#define IDI_LAUNCH_NORMAL 166
#define IDI_ADD_PET_HOT 167
#define IDI_ADD_PET_NORMAL 168
#define IDI_OK_HOT 169
#define IDI_OK_NORMAL 170
#define IDI_SNACK_HOT 171
#define IDI_SNACK_NORMAL 172
#define IDI_FLOPPY_HOT 173
#define IDI_FLOPPY_NORMAL 174
#define IDI_MAGNIFIER_HOT 175
#define IDI_MAGNIFIER_NORMAL 176
#define IDI_MAIL_SETTINGS_HOT 177
#define IDI_CANCEL_HOT 178
#define IDI_MAIL_START_HOT 179
#define IDI_MAIL_START_NORMAL 180
#define IDI_MAIL_STOP_HOT 181
#define IDI_MAIL_STOP_NORMAL 182
#define IDI_CHOOSE_BACKGROUND_NORMAL 183
#define IDI_CHOOSE_BACKGROUND_HOT 184

// Background tiles
#define IDB_TILE_PINK 151
#define IDB_TILE_GREEN 153
#define IDB_TILE_BLUE 154
