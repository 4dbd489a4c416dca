// resource.h: numbers of the program's resources and of the controls in its dialogs.
// Preprocessor-friendly: the resource script includes it too.
#pragma once

// Dialog templates.
#define IDD_ABOUTBOX 100
#define IDD_MAIN 102
#define IDD_FINAL_SCORE 141

// Controls of the main dialog; each tool-tip string carries its control's number.
#define IDC_PREVIEW 1000
#define IDC_SCORE 1001
#define IDC_BOARD 1004
#define IDC_NEW_GAME 1005
#define IDC_SHAPE 1006
#define IDC_EXIT 1007

// String table.
#define IDS_ABOUTBOX 101
#define IDS_TIP_PREVIEW 1000
#define IDS_TIP_SCORE 1001
#define IDS_TIP_NEW_GAME 1005
#define IDS_TIP_SHAPE 1006
#define IDS_TIP_EXIT 1007

// System menu command of the About box (low four bits clear, below 0xF000).
#define IDM_ABOUTBOX 0x0010

// Icon.
#define IDR_MAINFRAME 128

// Bitmaps.
#define IDB_TEXTURE 130
#define IDB_SHAPE_CROSS 131
#define IDB_SHAPE_SQUARE 132
#define IDB_NEW_GAME 133
#define IDB_NEW_GAME_PRESSED 134
#define IDB_EXIT 139
#define IDB_EXIT_PRESSED 140
#define IDB_SPLASH 142
#define IDB_CROSSES 160
#define IDB_BALLS 161
#define IDB_STARS 162

// Waves, resources of the custom type SOUND; digit d is IDW_DIGIT0 + d.
#define IDW_FAREWELL 143
#define IDW_ANNOUNCE 144
#define IDW_DIGIT0 145
#define IDW_DIGIT1 146
#define IDW_DIGIT2 147
#define IDW_DIGIT3 148
#define IDW_DIGIT4 149
#define IDW_DIGIT5 150
#define IDW_DIGIT6 151
#define IDW_DIGIT7 152
#define IDW_DIGIT8 153
#define IDW_DIGIT9 154
