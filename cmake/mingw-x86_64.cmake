# Cross build of the same programs as 64-bit Windows programs. Not shipped: it is what the
# Wine tests and the demo run on a machine whose kernel cannot run 32-bit Linux programs,
# where Wine's 32-bit loader cannot start (scripts/wine-arch.sh tells).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(HF_MINGW_PREFIX x86_64-w64-mingw32)
# The single-thread runtime, as the shipped build has it.
set(CMAKE_C_COMPILER ${HF_MINGW_PREFIX}-gcc-win32)
set(CMAKE_CXX_COMPILER ${HF_MINGW_PREFIX}-g++-win32)
set(CMAKE_RC_COMPILER ${HF_MINGW_PREFIX}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${HF_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
