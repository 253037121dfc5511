#pragma once
// System functions that only some commands need (shortcuts, the help files, sound
// effects, a screen reader) or that only some systems have (the input method),
// reached through DLLs that are loaded on first use rather than imported: start-up
// then maps only what the first frame needs. The common controls come this way too,
// so that no DLL beside the game can stand in for them. When a DLL or a function
// cannot be loaded, each call fails the way the system call itself reports failure;
// nothing is shown and nothing crashes.
#include <windows.h>

#include <shlobj.h>

namespace late {

// Called first, before anything else is loaded. Where the system has
// SetDefaultDllDirectories (Windows 8 on; Vista and 7 with KB2533623), every later
// load by bare name, the system DLLs' own included (sound drivers, the shell's and
// COM's helpers, the input method's, the theme's), searches only the system folder.
// Everywhere the current folder leaves the search (SetDllDirectoryW, XP SP1 on).
// Not covered: on XP, and on Vista or 7 without the update, a DLL that a system DLL
// loads later by bare name is still looked for in the game's folder first; and the
// imports are found before the game's first instruction: shlwapi and msvcrt, which
// XP does not list among its KnownDLLs, are looked for there on XP.
void SearchSystemFolderOnly();

// comctl32: registers the common control classes (the tooltip among them)
void InitCommonControls();

// shell32
HINSTANCE ShellExecuteA(HWND window, const char* verb, const char* file, const char* parameters,
                        const char* directory, int show);
HRESULT SHGetMalloc(IMalloc** allocator);
HRESULT SHGetSpecialFolderLocation(HWND owner, int csidl, LPITEMIDLIST* list);
BOOL SHGetPathFromIDListA(LPCITEMIDLIST list, char* path);

// ole32
HRESULT CoInitialize(void* reserved);
HRESULT CoCreateInstance(REFCLSID classId, IUnknown* outer, DWORD context, REFIID interfaceId, void** object);
void CoUninitialize();
HRESULT CoDisconnectObject(IUnknown* object, DWORD reserved);

// imm32, which is absent where no input method was ever installed
BOOL ImmDisableIME(DWORD thread);
BOOL ImmDisableTextFrameService(DWORD thread);

// oleacc and oleaut32, loaded when a screen reader first asks for the board
LRESULT LresultFromObject(REFIID interfaceId, WPARAM wParam, IUnknown* object);
HRESULT CreateStdAccessibleObject(HWND window, LONG objectId, REFIID interfaceId, void** object);
HRESULT AccessibleObjectFromWindow(HWND window, DWORD objectId, REFIID interfaceId, void** object);
BSTR SysAllocString(const OLECHAR* text);

// winmm (late_sound.cpp)
BOOL PlaySoundA(const char* sound, HMODULE module, DWORD flags);
// The address of the function name of winmm.dll, or null.
void* WinmmFunction(const char* name);

} // namespace late
