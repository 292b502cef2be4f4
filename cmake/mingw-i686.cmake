# The shipped programs: 32-bit Windows.
set(ORVELIN_MINGW_PROCESSOR i686)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
