# Cross build of the 32-bit Windows programs with Debian's MinGW-w64: what ships.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(HF_MINGW_PREFIX i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
