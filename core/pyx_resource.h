// Resource ids of pyx.dll.
#pragma once

// Dialogs
#define IDD_LIBRARY_TARGET 200    // panel added below the open-file dialog
#define IDD_LIBRARY_PROGRESS 201  // "Create Library"

// Controls of the target panel
#define IDC_TARGET_LABEL 1001
#define IDC_TARGET_PATH 1002
#define IDC_TARGET_BROWSE 1003

// Controls of the progress dialog (its Cancel button is IDCANCEL)
#define IDC_PROGRESS_LABEL 1010
#define IDC_PROGRESS_FILE 1011
#define IDC_PROGRESS_BAR 1012
