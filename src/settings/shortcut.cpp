// Shell links to the running executable in the shell's special folders.
#include "settings.h"

#include <windows.h>

#include <objbase.h>
#include <shlobj.h>

#include <cstring>

#include "win/beside_exe.h"
#include "win/late_dll.h"

namespace {

// The link's full path is built in a buffer of this size, terminator included.
constexpr size_t LinkPathSize = 256;

// One interface pointer, released when it goes.
template <typename Interface>
class ComRef {
public:
    ComRef() = default;
    ~ComRef()
    {
        if (pointer_)
            pointer_->Release();
    }
    ComRef(const ComRef&) = delete;
    ComRef& operator=(const ComRef&) = delete;

    Interface* operator->() const { return pointer_; }
    Interface** put() { return &pointer_; }
    void** putVoid() { return reinterpret_cast<void**>(&pointer_); }

private:
    Interface* pointer_ = nullptr;
};

// One CoInitialize/CoUninitialize pair; declared first, so it outlives the interfaces.
class ComApartment {
public:
    ComApartment() : result_(late::CoInitialize(nullptr)) {}
    ~ComApartment()
    {
        if (SUCCEEDED(result_))
            late::CoUninitialize();
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

private:
    HRESULT result_;
};

// The file-system path of a special folder; false when the shell cannot name one
// (a redirected folder that is missing, a virtual folder).
bool SpecialFolderPath(HWND ownerWindow, int csidl, char (&folder)[MAX_PATH])
{
    folder[0] = '\0';
    ComRef<IMalloc> allocator;
    if (FAILED(late::SHGetMalloc(allocator.put())))
        return false;
    LPITEMIDLIST list = nullptr;
    if (FAILED(late::SHGetSpecialFolderLocation(ownerWindow, csidl, &list)) || !list)
        return false;
    const BOOL found = late::SHGetPathFromIDListA(list, folder);
    allocator->Free(list);
    return found && folder[0] != '\0';
}

// folder + "\" + linkFileName as UTF-16; false when it would not fit the link buffers.
bool LinkPath(const char* folder, const char* linkFileName, wchar_t (&widePath)[LinkPathSize])
{
    if (std::strlen(folder) + 1 + std::strlen(linkFileName) >= LinkPathSize)
        return false;
    char path[LinkPathSize];
    lstrcpyA(path, folder);
    lstrcatA(path, "\\");
    lstrcatA(path, linkFileName);
    return MultiByteToWideChar(CP_ACP, 0, path, -1, widePath, LinkPathSize) != 0;
}

} // namespace

int CreateAppShortcut(HWND ownerWindow, const char* name, int csidl)
{
    char targetPath[PathBufferSize] = {};
    const DWORD length = GetModuleFileNameA(nullptr, targetPath, MAX_PATH);
    // A cut-short path would point the link at some other file.
    if (length == 0 || length >= MAX_PATH)
        return 1;
    char linkFileName[PathBufferSize];
    if (std::strlen(name) + std::strlen(".lnk") >= sizeof linkFileName)
        return 1;
    lstrcpyA(linkFileName, name);
    lstrcatA(linkFileName, ".lnk");
    return CreateShellLink(targetPath, linkFileName, ownerWindow, csidl) ? 0 : 1;
}

BOOL CreateShellLink(const char* targetPath, const char* linkFileName, HWND ownerWindow, int csidl)
{
    ComApartment apartment;
    ComRef<IShellLinkA> link;
    if (FAILED(late::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA, link.putVoid())))
        return FALSE;
    ComRef<IPersistFile> file;
    if (FAILED(link->QueryInterface(IID_IPersistFile, file.putVoid())) || FAILED(link->SetPath(targetPath)))
        return FALSE;
    // Without the folder's own path the link would land wherever a bare "\name" points.
    char folder[MAX_PATH];
    wchar_t widePath[LinkPathSize];
    if (!SpecialFolderPath(ownerWindow, csidl, folder) || !LinkPath(folder, linkFileName, widePath))
        return FALSE;
    return SUCCEEDED(file->Save(widePath, TRUE)) ? TRUE : FALSE;
}
