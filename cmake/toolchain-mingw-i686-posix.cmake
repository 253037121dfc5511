# The test programs' cross build: as the game's, but with the posix-thread
# compilers, because GoogleTest needs std::mutex, which the win32 thread model
# lacks. The game itself is built with toolchain-mingw-i686.cmake (see
# VELQUIN_GAME_TOOLCHAIN in the top-level CMakeLists.txt), so the executable
# that the tests drive is the one that ships.
include(${CMAKE_CURRENT_LIST_DIR}/toolchain-mingw-i686.cmake)
set(CMAKE_C_COMPILER   i686-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER i686-w64-mingw32-g++-posix)
