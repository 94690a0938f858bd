// Resource, control and string ids, shared by the resource script and the code.
#pragma once

#define IDI_PROGRAM 128
#define IDI_FOLDER_BOX 211

#define IDD_ABOUT 100
#define IDD_MAIN 129
#define IDD_PROGRESS 203

#define IDC_BANNER_ICON 1000
#define IDC_EXTENSIONS 1001
#define IDC_OUTPUT 1002
#define IDC_COPY_TEXT 1003
#define IDC_ROOT_URL 1004
#define IDC_FOLDER 1005
#define IDC_SUBFOLDERS 1006
#define IDC_EXCLUDE_NOINDEX 1007
#define IDC_BANNER_TEXT 1008
#define IDC_WEB_LINK 1011
#define IDC_PAUSE 1037
#define IDC_PROGRESS_BAR 1194
#define IDC_ABOUT 57664
#define IDC_BROWSE 32770

// The folder browser's tree is scrolled to its selection by this one-shot timer.
#define IDT_SCROLL_TO_SELECTION 404

#define IDS_PROGRAM_NAME 128
#define IDS_FOLDER_TO_SEARCH 129
#define IDS_SITE_SETTINGS 130
#define IDS_SITE_SETTINGS_FAULT 131
#define IDS_PAUSED 1009
#define IDS_CANCEL 1010

// A notification that a dialog leaves unhandled goes back to its control as this + the message.
#define WM_REFLECT_OFFSET 0x2000

// The product's web page, opened from the About box; its domain is the link's text.
#define LINKLOOM_WEB_DOMAIN "linkloom.example"
#define LINKLOOM_WEB_ADDRESS "https://" LINKLOOM_WEB_DOMAIN "/"
