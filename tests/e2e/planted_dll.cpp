// Stands in for a DLL that a web page dropped beside the game under a system DLL's
// name: wherever it is loaded it leaves "<its own path>.loaded", and does nothing else.
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, void*)
{
    char mark[MAX_PATH + 8];
    const DWORD length = GetModuleFileNameA(self, mark, MAX_PATH);
    if (reason == DLL_PROCESS_ATTACH && length > 0 && length < MAX_PATH) {
        lstrcatA(mark, ".loaded");
        CloseHandle(CreateFileA(mark, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    }
    return TRUE;
}
