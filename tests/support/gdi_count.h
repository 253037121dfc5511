#pragma once
// Live GDI objects of a process (the test's own or another), read from Wine's
// per-process GDI handle table: GetGuiResources is not implemented there.
// -1 when it cannot be read.
#include <windows.h>

int GdiObjectCount(HANDLE process);
