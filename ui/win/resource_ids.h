#pragma once
// Resource and control numbers of the three dialogs. Shared by quillbox_ui.rc and the code,
// so this header holds only #defines that the resource compiler understands.

// Login dialog "Please log in...".
#define IDD_LOGIN 203
#define IDC_LOGIN_EMAIL 201
#define IDC_LOGIN_PASSWORD 202
#define IDC_LOGIN_FORGOT_LINK 204
#define IDC_LOGIN_CREATE_LINK 205

// Progress dialog "Please wait...".
#define IDD_PROGRESS 205
#define IDC_PROGRESS_BAR 203

// Error dialog "Error!".
#define IDD_MESSAGE 207
#define IDC_MESSAGE_ICON 207
#define IDC_MESSAGE_TEXT 205
#define IDC_MESSAGE_LINK 206

// The common-controls manifest that the dialogs' activation context is built from.
#define IDR_UI_MANIFEST 2
