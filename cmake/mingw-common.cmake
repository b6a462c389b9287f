# Shared by the MinGW-w64 toolchain files: VANTOR_MINGW_ARCH (i686 or x86_64)
# and VANTOR_WINE_LOADER are set by the file that includes this one.
# The posix thread model, so that std::thread and std::mutex exist for GoogleTest.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${VANTOR_MINGW_ARCH})

set(CMAKE_C_COMPILER   ${VANTOR_MINGW_ARCH}-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER ${VANTOR_MINGW_ARCH}-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER  ${VANTOR_MINGW_ARCH}-w64-mingw32-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${VANTOR_MINGW_ARCH}-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# Win32 test programs run under Wine through ctest.
set(CMAKE_CROSSCOMPILING_EMULATOR ${VANTOR_WINE_LOADER})
