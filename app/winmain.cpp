// vexil.exe: the icon editor.
#include <windows.h>

#include "startup.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandLine, int)
{
    if (!StartVexil(instance, commandLine))
        return 0;
    const int code = RunMessageLoop();
    FinishVexil();
    return code;
}
