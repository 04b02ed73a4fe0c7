// The shell's own state, one record per run. The shell owns the AppContext and everything
// it points to (except the tool options record), the undo chain and the two pictures.
#pragma once

#include <windows.h>

#include "common/app_context.h"
#include "core/palette_objects.h"
#include "core/pyx.h"

struct UndoChain;  // core/pyx.h, once the undo chain is built

struct ShellState {
    HINSTANCE instance = nullptr;     // the module holding the menu, dialogs and pictures
    AppContext* context = nullptr;
    UndoChain* undoChain = nullptr;
    SharedPalettes palettes;
    int transformPending = 0;         // 1 while a custom rotation or scaling waits
    wchar_t helpPath[MAX_PATH + 16] = {};
    Bitmap* splashPicture = nullptr;
    Bitmap* aboutPicture = nullptr;
    HWND splashWindow = nullptr;
    HACCEL accelerators = nullptr;
    ULONG_PTR gdiplusToken = 0;
};

ShellState& CurrentShell();

// Every message box of the shell carries this caption.
constexpr wchar_t kShellCaption[] = L"Vexil 1.0";
