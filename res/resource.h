#pragma once
// Resource and command numbers shared by the resource script and the code.
// Plain #defines only: the resource compiler sees nothing but the preprocessor.

// Menu, icon and dialogs
#define IDM_MAIN                101
#define IDI_APP                 102
#define IDD_ABOUT               103
#define IDD_SETTINGS            104
#define IDD_RESULT              128
#define IDD_ONEPOINT            129
#define IDD_RECORD              141
#define IDD_REVIEW              142

// Bitmaps: the board, then the key faces of digit d at base + d
#define IDB_BOARD               105
#define IDB_KEY_USED_BASE       105     // used face of digit d: 105 + d (106..114)
#define IDB_KEY_NORMAL_BASE     114     // normal face of digit d: 114 + d (115..123)
#define IDB_GO_READY            124
#define IDB_CLEAR_ACTIVE        125
#define IDB_GO_IDLE             126
#define IDB_CLEAR_IDLE          127
#define IDB_TILE_BASE           131     // tile of digit d: 131 + d (132..140)

// Cursors
#define IDCUR_HAND              130
#define IDCUR_HINT              131

// Menu commands
#define IDM_QUIT                8
#define IDM_HELPFILE            9
#define IDM_ABOUT               40002
#define IDM_HOMEPAGE            40003
#define IDM_NEWGAME             40004
#define IDM_SOUND_ON            40005
#define IDM_SOUND_OFF           40006
#define IDM_ONEPOINT            40007
#define IDM_WORKWINDOW          40008
#define IDM_WORKWINDOW_HELP     40009
// Added to the Game menu at run time: menu 101 stays as it is
#define IDM_RECORD              40010
#define IDM_REVIEW              40011

// Keypad buttons: digit d sends IDC_DIGIT_BASE + d - 1
#define IDC_DIGIT_BASE          100     // 100..108
#define IDC_GO                  109
#define IDC_CLEAR               110

// Dialog 104, settings
#define IDC_SET_DESKTOP         1000
#define IDC_SET_STARTMENU       1001
#define IDC_SET_STARTUP         1002
// Dialog 128, result
#define IDC_RESULT_HEADLINE     1003
#define IDC_RESULT_ANSWER       1004
// Dialog 129, one-point help
#define IDC_HELP_NEXT           1005
#define IDC_HELP_BACK           1006
#define IDC_HELP_TEXT           1007
// Dialog 141, record: six summary lines, then the line and the bar of the wins in k guesses
#define IDC_RECORD_PLAYED       1010    // summary lines 1010..1015, in the order of RecordTexts
#define IDC_RECORD_LINE_BASE    1015    // line "k回 N": 1015 + k (1016..1025)
#define IDC_RECORD_BAR_BASE     1025    // its bar: 1025 + k (1026..1035)
#define IDC_RECORD_RESET        1036
// Dialog 142, review
#define IDC_REVIEW_LIST         1040
#define IDC_REVIEW_ANSWER       1041
#define IDC_REVIEW_NARROWED     1042
#define IDC_REVIEW_COMPUTER     1043

#ifndef RC_INVOKED
static_assert(IDB_KEY_USED_BASE + 9 == 114 && IDB_KEY_NORMAL_BASE + 1 == 115, "key faces 106-114, 115-123");
static_assert(IDB_TILE_BASE + 1 == 132 && IDB_TILE_BASE + 9 == 140, "tile faces 132-140");
static_assert(IDC_RECORD_PLAYED + 6 == IDC_RECORD_LINE_BASE + 1 && IDC_RECORD_LINE_BASE + 10 == IDC_RECORD_BAR_BASE,
              "record texts 1010-1025 in the order of RecordTexts, bars 1026-1035");
static_assert(IDC_DIGIT_BASE + 8 == 108 && IDC_GO == 109 && IDC_CLEAR == 110, "keypad ids 100-110");
#endif
