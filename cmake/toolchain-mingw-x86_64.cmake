# The same game for 64-bit Windows, with mingw-w64's win32-thread compilers. It
# does not ship: the tests drive it under Wine on machines whose kernel runs no
# 32-bit programs, where 32-bit Wine cannot start (see scripts/wine-env.sh).
include(${CMAKE_CURRENT_LIST_DIR}/toolchain-mingw-i686.cmake)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER   x86_64-w64-mingw32-gcc-win32)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-win32)
set(CMAKE_RC_COMPILER  x86_64-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
