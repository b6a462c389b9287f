# Cross-build for 32-bit Windows with MinGW-w64: the deliverables as shipped.
set(VANTOR_MINGW_ARCH i686)
set(VANTOR_WINE_LOADER wine)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
