# Cross build of the same programs as 64-bit Windows programs. Not shipped: it is what the
# Wine tests and the demo run on a machine whose kernel cannot run 32-bit Linux programs,
# where Wine's 32-bit loader cannot start (scripts/wine-arch.sh tells).
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(HF_MINGW_PREFIX x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
