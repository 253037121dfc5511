#include "gdi_count.h"

#include <cstdint>
#include <vector>

int GdiObjectCount(HANDLE process)
{
    using QueryFn = LONG(WINAPI*)(HANDLE, int, void*, ULONG, ULONG*);
    const auto query =
        reinterpret_cast<QueryFn>(reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"),
                                                                          "NtQueryInformationProcess")));
    if (!query)
        return -1;
    struct {
        LONG exitStatus;
        void* peb;
        ULONG_PTR affinity;
        LONG basePriority;
        ULONG_PTR pid;
        ULONG_PTR parentPid;
    } basic{};
    if (query(process, 0, &basic, sizeof basic, nullptr) != 0)
        return -1;
    // Wine keeps the GDI handle table at PEB + 0x94 (0xF8 in a 64-bit process):
    // 0x10000 entries of 24 bytes, a non-zero type byte at offset 14 marks a live
    // handle. The game and this program are built for the same architecture.
    constexpr size_t tableOffset = sizeof(void*) == 4 ? 0x94 : 0xF8;
    uintptr_t table = 0;
    SIZE_T read = 0;
    if (!ReadProcessMemory(process, static_cast<char*>(basic.peb) + tableOffset, &table, sizeof table, &read) ||
        !table)
        return -1;
    constexpr size_t entries = 0x10000, entrySize = 24;
    std::vector<uint8_t> data(entries * entrySize);
    if (!ReadProcessMemory(process, reinterpret_cast<void*>(table), data.data(), data.size(),
                           &read))
        return -1;
    int live = 0;
    for (size_t i = 0; i < entries; ++i)
        live += data[i * entrySize + 14] != 0;
    return live;
}
