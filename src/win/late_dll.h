#pragma once
// System functions that only some commands need (shortcuts, the help files, sound
// effects, a screen reader) or that only some systems have (the input method),
// reached through DLLs that are loaded on first use rather than imported: start-up
// then maps only what the first frame needs. When a DLL or a function
// cannot be loaded, each call fails the way the system call itself reports failure;
// nothing is shown and nothing crashes.
#include <windows.h>

#include <shlobj.h>

namespace late {

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
