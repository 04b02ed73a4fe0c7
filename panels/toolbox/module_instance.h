// toolrack's own module handle, for its window class, dialog and pictures.
#pragma once

#include <windows.h>

HINSTANCE ToolrackInstance();
