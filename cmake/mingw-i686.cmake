# Cross build of the 32-bit Windows programs with Debian's MinGW-w64.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(HF_MINGW_PREFIX i686-w64-mingw32)
# The single-thread (win32) runtime: the program has one thread, and the posix compilers
# link in libwinpthread, whose import of GetTickCount64 (Vista and later) makes Windows XP's
# loader refuse the program. tests/release checks every import against what XP has.
set(CMAKE_C_COMPILER ${HF_MINGW_PREFIX}-gcc-win32)
set(CMAKE_CXX_COMPILER ${HF_MINGW_PREFIX}-g++-win32)
set(CMAKE_RC_COMPILER ${HF_MINGW_PREFIX}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${HF_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
