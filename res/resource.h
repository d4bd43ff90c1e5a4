// Resource and control ids shared by zintar.rc and the code. #defines only: windres reads this.
#pragma once

// Templates, menu and icon.
#define IDD_MAIN 101
#define IDR_TRAY_MENU 101
#define IDI_ZINTAR 102
#define IDD_ATTRIBUTES 104
#define IDD_ABOUT 106
#define IDD_SETTINGS 107

// Main window (template 101).
#define IDC_ADD 1
#define IDC_EDIT 2
#define IDC_DELETE 3
#define IDC_EXIT 4
#define IDC_SETTINGS 5
#define IDC_HOTKEY_LIST 6
#define IDC_APP_ICON 1000

// Tray pop-up menu (menu 101).
#define IDM_CONFIGURE 40001
#define IDM_EXIT 40002

// Attributes dialog (template 104).
#define IDC_TITLE_EDIT 1003
#define IDC_HOTKEY 1004
#define IDC_LAUNCH_EDIT 1005
#define IDC_NAME_EDIT 1007
#define IDC_NAME_GROUP 1008
#define IDC_PLAYER_GROUP 1017
#define IDC_RADIO_SCREENSAVER 1018
#define IDC_RADIO_LAUNCH 1019
#define IDC_RADIO_HIDE 1020
#define IDC_RADIO_PLAYER 1021
#define IDC_BROWSE 1022
#define IDC_PLAYER_PREV 1023
#define IDC_PLAYER_STOP 1024
#define IDC_PLAYER_VOLUP 1025
#define IDC_PLAYER_NEXT 1028
#define IDC_PLAYER_PLAY 1029
#define IDC_PLAYER_VOLDOWN 1030
#define IDC_PLAYER_LOAD 1031
#define IDC_PLAYER_PAUSE 1032
#define IDC_PLAYER_TOP 1033
#define IDC_PLAYER_FWD 1034
#define IDC_PLAYER_REW 1035
#define IDC_PLAYER_FADE 1036

// Settings dialog (template 107).
#define IDC_SET_MINIMIZE 1006
#define IDC_SET_DISABLE_SYSTRAY 1007
#define IDC_SET_START_MINIMIZED 1008
#define IDC_SET_AUTOSTART 1009
#define IDC_SET_POLL_INTERVAL 1010
#define IDC_SET_POLL 1011
#define IDC_SET_POLL_SPIN 1012

// About box (template 106).
#define IDC_ABOUT_VERSION 1010

#define IDC_STATIC_TEXT -1
