#include "late_dll.h"

#include <windows.h>

#include <commctrl.h>
#include <objbase.h>
#include <oleacc.h>
#include <shellapi.h>

#include <cstring>

namespace {

// A system DLL, loaded from the system folder on first use and kept, like an
// import, until the process ends. A failed load is tried again at the next call.
struct LateDll {
    const char* name;
    HMODULE module = nullptr;
};

// The process's late DLLs, each loaded by the first call that needs it, and how
// the DLLs they import are searched.
struct LateDllsRecord {
    LateDll kernel32{"kernel32.dll"};
    LateDll comctl32{"comctl32.dll"};
    LateDll shell32{"shell32.dll"};
    LateDll ole32{"ole32.dll"};
    LateDll winmm{"winmm.dll"};
    LateDll imm32{"imm32.dll"};
    LateDll oleacc{"oleacc.dll"};
    LateDll oleaut32{"oleaut32.dll"};
    // From the loaded DLL's own folder, the system folder, first; once
    // SetDefaultDllDirectories has set the process's directories, from the system
    // folder alone: Microsoft documents that the first flag cannot be combined with a
    // LOAD_LIBRARY_SEARCH_ flag, and only a system with that function knows those.
    DWORD searchFlags = LOAD_WITH_ALTERED_SEARCH_PATH;
};
LateDllsRecord LateDlls;

const HRESULT Unavailable = HRESULT_FROM_WIN32(ERROR_MOD_NOT_FOUND);

HMODULE Load(LateDll& dll)
{
    if (dll.module)
        return dll.module;
    // The system folder by full path: never a same-named file of the game's or the
    // current folder.
    char path[MAX_PATH];
    const UINT length = GetSystemDirectoryA(path, MAX_PATH);
    if (length == 0 || length + 1 + std::strlen(dll.name) >= MAX_PATH)
        return nullptr;
    lstrcatA(path, "\\");
    lstrcatA(path, dll.name);
    // The DLLs it imports are then searched from the system folder too, not from
    // the game's folder first: a same-named DLL left beside the game (a zip unpacked
    // into a downloads folder) is not loaded in place of the system's. What it loads
    // later by bare name is for SearchSystemFolderOnly.
    dll.module = LoadLibraryExA(path, nullptr, LateDlls.searchFlags);
    return dll.module;
}

// The function name of dll with the type of Declared, or null.
template <typename Declared>
Declared* Find(LateDll& dll, const char* name)
{
    const HMODULE module = Load(dll);
    if (!module)
        return nullptr;
    return reinterpret_cast<Declared*>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

} // namespace

namespace late {

void SearchSystemFolderOnly()
{
    // Looked up, not imported: XP's loader would refuse to start the game.
    const auto setDefault = Find<BOOL WINAPI(DWORD)>(LateDlls.kernel32, "SetDefaultDllDirectories");
    if (setDefault && setDefault(LOAD_LIBRARY_SEARCH_SYSTEM32))
        LateDlls.searchFlags = LOAD_LIBRARY_SEARCH_SYSTEM32;
    SetDllDirectoryW(L"");
}

void InitCommonControls()
{
    if (const auto call = Find<decltype(::InitCommonControls)>(LateDlls.comctl32, "InitCommonControls"))
        call();
}

HINSTANCE ShellExecuteA(HWND window, const char* verb, const char* file, const char* parameters,
                        const char* directory, int show)
{
    const auto call = Find<decltype(::ShellExecuteA)>(LateDlls.shell32, "ShellExecuteA");
    // A result of 32 or less is a failure; this one says a DLL was missing.
    return call ? call(window, verb, file, parameters, directory, show)
                : reinterpret_cast<HINSTANCE>(static_cast<INT_PTR>(SE_ERR_DLLNOTFOUND));
}

HRESULT SHGetMalloc(IMalloc** allocator)
{
    *allocator = nullptr;
    const auto call = Find<decltype(::SHGetMalloc)>(LateDlls.shell32, "SHGetMalloc");
    return call ? call(allocator) : Unavailable;
}

HRESULT SHGetSpecialFolderLocation(HWND owner, int csidl, LPITEMIDLIST* list)
{
    *list = nullptr;
    const auto call = Find<decltype(::SHGetSpecialFolderLocation)>(LateDlls.shell32, "SHGetSpecialFolderLocation");
    return call ? call(owner, csidl, list) : Unavailable;
}

BOOL SHGetPathFromIDListA(LPCITEMIDLIST list, char* path)
{
    const auto call = Find<decltype(::SHGetPathFromIDListA)>(LateDlls.shell32, "SHGetPathFromIDListA");
    return call ? call(list, path) : FALSE;
}

HRESULT CoInitialize(void* reserved)
{
    const auto call = Find<decltype(::CoInitialize)>(LateDlls.ole32, "CoInitialize");
    return call ? call(reserved) : Unavailable;
}

HRESULT CoCreateInstance(REFCLSID classId, IUnknown* outer, DWORD context, REFIID interfaceId, void** object)
{
    *object = nullptr;
    const auto call = Find<decltype(::CoCreateInstance)>(LateDlls.ole32, "CoCreateInstance");
    return call ? call(classId, outer, context, interfaceId, object) : Unavailable;
}

void CoUninitialize()
{
    // Only ever called after a CoInitialize that succeeded, so ole32 is loaded.
    if (const auto call = Find<decltype(::CoUninitialize)>(LateDlls.ole32, "CoUninitialize"))
        call();
}

HRESULT CoDisconnectObject(IUnknown* object, DWORD reserved)
{
    const auto call = Find<decltype(::CoDisconnectObject)>(LateDlls.ole32, "CoDisconnectObject");
    return call ? call(object, reserved) : Unavailable;
}

BOOL ImmDisableIME(DWORD thread)
{
    const auto call = Find<BOOL WINAPI(DWORD)>(LateDlls.imm32, "ImmDisableIME");
    return call ? call(thread) : FALSE;
}

BOOL ImmDisableTextFrameService(DWORD thread)
{
    const auto call = Find<BOOL WINAPI(DWORD)>(LateDlls.imm32, "ImmDisableTextFrameService");
    return call ? call(thread) : FALSE;
}

LRESULT LresultFromObject(REFIID interfaceId, WPARAM wParam, IUnknown* object)
{
    const auto call = Find<decltype(::LresultFromObject)>(LateDlls.oleacc, "LresultFromObject");
    return call ? call(interfaceId, wParam, object) : Unavailable;
}

HRESULT CreateStdAccessibleObject(HWND window, LONG objectId, REFIID interfaceId, void** object)
{
    *object = nullptr;
    const auto call = Find<decltype(::CreateStdAccessibleObject)>(LateDlls.oleacc, "CreateStdAccessibleObject");
    return call ? call(window, objectId, interfaceId, object) : Unavailable;
}

HRESULT AccessibleObjectFromWindow(HWND window, DWORD objectId, REFIID interfaceId, void** object)
{
    *object = nullptr;
    const auto call = Find<decltype(::AccessibleObjectFromWindow)>(LateDlls.oleacc, "AccessibleObjectFromWindow");
    return call ? call(window, objectId, interfaceId, object) : Unavailable;
}

BSTR SysAllocString(const OLECHAR* text)
{
    const auto call = Find<decltype(::SysAllocString)>(LateDlls.oleaut32, "SysAllocString");
    return call ? call(text) : nullptr;
}

void* WinmmFunction(const char* name)
{
    return reinterpret_cast<void*>(Find<void()>(LateDlls.winmm, name));
}

} // namespace late
