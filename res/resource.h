// Resource ids shared by the C++ sources and Velmora.rc (plain #defines so windres can read it too).
#pragma once

#define IDR_MAINFRAME           128

#define IDD_LOGIN_DIALOG        102
#define IDD_GAME_DIALOG         132
#define IDD_LOGIN_BROWSER       150
#define IDD_BUTTON_HOST         153

#define IDB_MIN_NORMAL          135
#define IDB_MIN_PRESSED         136
#define IDB_MIN_HOVER           137
#define IDB_CLOSE_NORMAL        138
#define IDB_CLOSE_PRESSED       139
#define IDB_CLOSE_HOVER         140
#define IDB_HOME_NORMAL         141
#define IDB_HOME_HOVER          142
#define IDB_DEPOSIT_NORMAL      143
#define IDB_DEPOSIT_HOVER       144
#define IDB_SERVICE_NORMAL      145
#define IDB_SERVICE_HOVER       146
#define IDB_LOGIN_BACKGROUND    149
#define IDB_FORUM_NORMAL        151
#define IDB_FORUM_HOVER         152

#define IDC_GAME_BROWSER        2001
#define IDC_LOGIN_BROWSER       2002
