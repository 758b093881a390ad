# Cross-compiling for 32-bit Windows (32-bit Word) with Debian's mingw-w64 (posix thread
# model, so that std::thread and std::mutex exist). Programs run through Wine's 32-bit loader,
# which needs Debian's wine32 (i386) beside wine64; in a 64-bit prefix they run as 32-bit
# processes do on 64-bit Windows (WOW64), with the 32-bit registry view.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(CMAKE_C_COMPILER i686-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER i686-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER i686-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/i686-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_CROSSCOMPILING_EMULATOR /usr/lib/wine/wine)
