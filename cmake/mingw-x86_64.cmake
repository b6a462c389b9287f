# Cross-build for 64-bit Windows with MinGW-w64: the test build for machines
# that cannot run 32-bit programs (scripts/wine-mode.sh). Debian's "wine"
# would start the 32-bit loader, so ctest runs the 64-bit one directly.
set(VANTOR_MINGW_ARCH x86_64)
set(VANTOR_WINE_LOADER /usr/lib/wine/wine64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
