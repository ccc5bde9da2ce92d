#pragma once

// Every numeric id of Lumidex: dialogs, controls, images, menus, strings and
// commands. Ids from 57344 up are the framework's standard ids.

// Dialogs and forms
inline constexpr int IDD_ABOUTBOX = 100;
inline constexpr int IDD_LUMIDEX_FORM = 101;
inline constexpr int IDD_START = 137;
inline constexpr int IDD_CONNECT = 140;
inline constexpr int IDD_CONFIGURATION = 141;

// Shared by the main menu, accelerators, toolbar, main icon and document string
inline constexpr int IDR_MAINFRAME = 128;
inline constexpr int IDR_POPUP = 129;

// Images
inline constexpr int IDB_TREE = 135;
inline constexpr int IDI_SPARE = 136;
inline constexpr int IDB_SPLASH = 139;
inline constexpr int IDC_HAND = 142;

// Controls
inline constexpr int IDC_RESULT_LIST = 1001;
inline constexpr int IDC_MESSAGE = 1003;
inline constexpr int IDC_USER = 1005;
inline constexpr int IDC_PASSWORD = 1006;
inline constexpr int IDC_MODE_NORMAL = 1007;
inline constexpr int IDC_MODE_SYSOPER = 1008;
inline constexpr int IDC_MODE_SYSDBA = 1009;
inline constexpr int IDC_CREATE_XSL = 1014;
inline constexpr int IDC_VIEW_XML = 1015;
inline constexpr int IDC_WEBLINK = 1015;
inline constexpr int IDC_VERSION = 1016;
inline constexpr int IDC_HELP_BUTTON = 1018;
inline constexpr int IDC_TREE = 1019;
inline constexpr int IDC_DATABASE = 1020;

// Timers of the view and the splash
inline constexpr int IDT_SPLASH = 1;
inline constexpr int IDT_STARTUP = 2;

// Commands of the program
inline constexpr int ID_DATABASE_CONNECT = 32773;
inline constexpr int ID_DATABASE_DISCONNECT = 32774;
inline constexpr int ID_SETUP_CONFIGURATION = 32801;
inline constexpr int ID_LINKS_HOMEPAGE = 32803;
inline constexpr int ID_LINKS_DOWNLOAD = 32804;
inline constexpr int ID_LINKS_ORACLE = 32805;
inline constexpr int ID_LINKS_TECHNET = 32806;
inline constexpr int ID_LINKS_METALINK = 32807;
inline constexpr int ID_LINKS_GOOGLE = 32811;
inline constexpr int ID_DATABASE_VIEWDATA = 32821;
inline constexpr int ID_DATABASE_REFRESH = 32824;
inline constexpr int ID_DATABASE_SQL = 32830;
inline constexpr int ID_FILE_SAVE_CSV = 32831;

// Framework commands and strings
inline constexpr int AFX_IDS_APP_TITLE = 57344;
inline constexpr int AFX_IDS_IDLEMESSAGE = 57345;
inline constexpr int ID_FILE_SAVE_AS = 57604;
inline constexpr int ID_EDIT_COPY = 57634;
inline constexpr int ID_EDIT_CUT = 57635;
inline constexpr int ID_EDIT_PASTE = 57637;
inline constexpr int ID_EDIT_UNDO = 57643;
inline constexpr int ID_APP_ABOUT = 57664;
inline constexpr int ID_APP_EXIT = 57665;
inline constexpr int ID_HELP_FINDER = 57667;
inline constexpr int ID_CONTEXT_HELP = 57669;
inline constexpr int ID_HELP = 57670;
inline constexpr int ID_DEFAULT_HELP = 57671;
inline constexpr int ID_NEXT_PANE = 57680;
inline constexpr int ID_PREV_PANE = 57681;
inline constexpr int ID_INDICATOR_CAPS = 59137;
inline constexpr int ID_INDICATOR_NUM = 59138;
inline constexpr int ID_INDICATOR_SCRL = 59139;
inline constexpr int ID_VIEW_TOOLBAR = 59392;
inline constexpr int ID_VIEW_STATUS_BAR = 59393;
inline constexpr int AFX_IDW_TOOLBAR = 59392;
inline constexpr int AFX_IDW_STATUS_BAR = 59393;
inline constexpr int AFX_IDS_UNTITLED = 61443;
