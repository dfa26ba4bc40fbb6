# Cross build of the 32-bit Windows program. There is no 32-bit Wine here,
# so it is built and not run.
set(PENDRAKE_MINGW_TRIPLE i686-w64-mingw32)
set(CMAKE_SYSTEM_PROCESSOR i686)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)
