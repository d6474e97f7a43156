# What the cross builds share: Debian's MinGW-w64 compilers of HF_MINGW_PREFIX in their
# single-thread (win32) runtime, and its libraries and headers only. The program has one
# thread, and the posix compilers link in libwinpthread, whose import of GetTickCount64
# (Vista and later) makes Windows XP's loader refuse the program; tests/release checks every
# import against what XP has.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_C_COMPILER ${HF_MINGW_PREFIX}-gcc-win32)
set(CMAKE_CXX_COMPILER ${HF_MINGW_PREFIX}-g++-win32)
set(CMAKE_RC_COMPILER ${HF_MINGW_PREFIX}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${HF_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
