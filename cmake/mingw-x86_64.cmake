# Test builds on machines that cannot run 32-bit code: 64-bit Windows.
set(ORVELIN_MINGW_PROCESSOR x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
