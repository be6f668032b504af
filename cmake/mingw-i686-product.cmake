# korvane.exe: the -win32 cross compiler, code for every Pentium-class
# processor, and none of MinGW's prebuilt runtime (see src/win32/runtime.cpp).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(CMAKE_CXX_COMPILER i686-w64-mingw32-g++-win32)
set(CMAKE_RC_COMPILER i686-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/i686-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_CXX_FLAGS_INIT
    "-march=i586 -mtune=generic -fno-exceptions -fno-rtti -fno-threadsafe-statics -fno-asynchronous-unwind-tables -D_GLIBCXX_ASSERTIONS -D__USE_MINGW_ANSI_STDIO=0 -DWINVER=0x0400 -D_WIN32_WINDOWS=0x0410 -D_WIN32_IE=0x0400 -D_WIN32_WINNT=0x0400")
