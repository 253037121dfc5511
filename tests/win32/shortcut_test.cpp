// Shortcuts in the prefix's redirected shell folders: where they land, what they point
// at, and that a failed folder lookup or a path too long for its buffer writes nothing.
#include <windows.h>

#include <objbase.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "settings/settings.h"

namespace {

std::string SpecialFolder(int csidl)
{
    char path[MAX_PATH] = {};
    SHGetFolderPathA(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path);
    return path;
}

bool Exists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string ThisProgram()
{
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    return path;
}

// The target stored in a .lnk file; empty when it does not load as a shell link.
std::string LinkTarget(const std::string& linkPath)
{
    std::string target;
    CoInitialize(nullptr);
    IShellLinkA* link = nullptr;
    if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                   reinterpret_cast<void**>(&link)))) {
        IPersistFile* file = nullptr;
        wchar_t wide[MAX_PATH];
        MultiByteToWideChar(CP_ACP, 0, linkPath.c_str(), -1, wide, MAX_PATH);
        char path[MAX_PATH] = {};
        if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file))) &&
            SUCCEEDED(file->Load(wide, STGM_READ)) && SUCCEEDED(link->GetPath(path, MAX_PATH, nullptr, 0)))
            target = path;
        if (file)
            file->Release();
        link->Release();
    }
    CoUninitialize();
    return target;
}

// Points one of the user's shell folders somewhere else for the life of the object.
class ShellFolderRedirect {
public:
    ShellFolderRedirect(const char* value, const std::string& path) : value_(value)
    {
        RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders",
                      0, KEY_QUERY_VALUE | KEY_SET_VALUE, &key_);
        DWORD size = sizeof old_;
        had_ = RegQueryValueExA(key_, value_, nullptr, &type_, reinterpret_cast<BYTE*>(old_), &size) == ERROR_SUCCESS;
        RegSetValueExA(key_, value_, 0, REG_SZ, reinterpret_cast<const BYTE*>(path.c_str()),
                       static_cast<DWORD>(path.size()) + 1);
    }
    ~ShellFolderRedirect()
    {
        if (had_)
            RegSetValueExA(key_, value_, 0, type_, reinterpret_cast<const BYTE*>(old_),
                           static_cast<DWORD>(std::strlen(old_)) + 1);
        else
            RegDeleteValueA(key_, value_);
        RegCloseKey(key_);
    }
    ShellFolderRedirect(const ShellFolderRedirect&) = delete;
    ShellFolderRedirect& operator=(const ShellFolderRedirect&) = delete;

private:
    const char* value_;
    HKEY key_ = nullptr;
    DWORD type_ = REG_SZ;
    char old_[MAX_PATH] = {};
    bool had_ = false;
};

class Shortcut : public ::testing::Test {
protected:
    void SetUp() override
    {
        desktop_ = SpecialFolder(CSIDL_DESKTOPDIRECTORY);
        programs_ = SpecialFolder(CSIDL_PROGRAMS);
        // Never write into a real desktop.
        ASSERT_NE(desktop_.find("velquin-shell"), std::string::npos) << desktop_;
        ASSERT_NE(programs_.find("velquin-shell"), std::string::npos) << programs_;
        char name[64];
        std::snprintf(name, sizeof name, "ShortcutTest-%lu", GetCurrentProcessId());
        name_ = name;
    }
    void TearDown() override
    {
        DeleteFileA(DesktopLink().c_str());
        DeleteFileA(ProgramsLink().c_str());
    }
    std::string DesktopLink() const { return desktop_ + "\\" + name_ + ".lnk"; }
    std::string ProgramsLink() const { return programs_ + "\\" + name_ + ".lnk"; }

    std::string desktop_, programs_, name_;
};

} // namespace

TEST_F(Shortcut, LinksInTheDesktopAndProgramsFoldersPointAtTheRunningProgram)
{
    EXPECT_EQ(CreateAppShortcut(nullptr, name_.c_str(), CSIDL_DESKTOP), 0);
    EXPECT_EQ(CreateAppShortcut(nullptr, name_.c_str(), CSIDL_PROGRAMS), 0);
    EXPECT_EQ(LinkTarget(DesktopLink()), ThisProgram());
    EXPECT_EQ(LinkTarget(ProgramsLink()), ThisProgram());
    // The Programs folder itself, not a subfolder of it.
    EXPECT_FALSE(Exists(programs_ + "\\" + name_ + "\\" + name_ + ".lnk"));
}

TEST_F(Shortcut, AnExistingFileOfTheSameNameIsOverwritten)
{
    std::FILE* junk = std::fopen(DesktopLink().c_str(), "wb");
    ASSERT_NE(junk, nullptr);
    std::fputs("not a shell link", junk);
    std::fclose(junk);
    ASSERT_EQ(LinkTarget(DesktopLink()), "");
    EXPECT_EQ(CreateAppShortcut(nullptr, name_.c_str(), CSIDL_DESKTOP), 0);
    EXPECT_EQ(LinkTarget(DesktopLink()), ThisProgram());
}

TEST_F(Shortcut, AFolderTheShellCannotNameIsAFailureThatWritesNothing)
{
    // Without a folder path the link would have gone to "\name.lnk": the drive's root.
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    char cwd[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, cwd);
    SetCurrentDirectoryA(temp);
    const std::string link = name_ + ".lnk";
    const std::string strays[] = {std::string(temp) + link, std::string(temp, 2) + "\\" + link, "C:\\" + link};
    {
        const std::string missing = "C:\\velquin-shell\\" + name_ + "-missing";
        ShellFolderRedirect redirect("Startup", missing);
        ASSERT_FALSE(Exists(missing));
        EXPECT_FALSE(CreateShellLink(ThisProgram().c_str(), link.c_str(), nullptr, CSIDL_STARTUP));
        EXPECT_EQ(CreateAppShortcut(nullptr, name_.c_str(), CSIDL_STARTUP), 1);
        EXPECT_FALSE(Exists(missing));
    }
    EXPECT_FALSE(CreateShellLink(ThisProgram().c_str(), link.c_str(), nullptr, CSIDL_PRINTERS)) << "a virtual folder";
    EXPECT_FALSE(CreateShellLink(ThisProgram().c_str(), link.c_str(), nullptr, 0x7f)) << "no such folder";
    for (const std::string& stray : strays)
        EXPECT_FALSE(Exists(stray)) << stray;
    SetCurrentDirectoryA(cwd);
}

TEST_F(Shortcut, ALinkPathLongerThanItsBufferIsRefused)
{
    // folder + "\" + name + terminator in 256 bytes: 255 characters fit, 256 do not.
    const size_t room = 255 - desktop_.size() - 1;
    const std::string fits = std::string(room - 4, 'f') + ".lnk";
    const std::string tooLong = std::string(room - 3, 'l') + ".lnk";
    EXPECT_TRUE(CreateShellLink(ThisProgram().c_str(), fits.c_str(), nullptr, CSIDL_DESKTOP));
    EXPECT_EQ(LinkTarget(desktop_ + "\\" + fits), ThisProgram());
    DeleteFileA((desktop_ + "\\" + fits).c_str());
    EXPECT_FALSE(CreateShellLink(ThisProgram().c_str(), tooLong.c_str(), nullptr, CSIDL_DESKTOP));

    // Nothing cut short either: no file in the folder starts with the long name's letters.
    WIN32_FIND_DATAA found;
    const HANDLE find = FindFirstFileA((desktop_ + "\\lll*").c_str(), &found);
    EXPECT_EQ(find, INVALID_HANDLE_VALUE) << found.cFileName;
    if (find != INVALID_HANDLE_VALUE)
        FindClose(find);

    // A name that would overflow the link name's own buffer.
    EXPECT_EQ(CreateAppShortcut(nullptr, std::string(300, 'n').c_str(), CSIDL_DESKTOP), 1);
}
