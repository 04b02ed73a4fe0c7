/* The template every new icon library starts from: a 32-bit module with no code of
   interest, into which the library writer puts its icon resources. */
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved)
{
    (void)instance;
    (void)reason;
    (void)reserved;
    return TRUE;
}
