# SPDX-License-Identifier: MIT
# Builds Windows programs on Debian with MinGW-w64 (g++-mingw-w64-x86-64-posix), linked
# statically so that they run without the compiler's libraries beside them. Programs the build
# runs, and the tests, run under Wine where it is installed.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(VANTREL_MINGW x86_64-w64-mingw32)

# The posix flavour: its std::thread and std::mutex are the ones the game uses.
set(CMAKE_C_COMPILER ${VANTREL_MINGW}-gcc-posix)
set(CMAKE_CXX_COMPILER ${VANTREL_MINGW}-g++-posix)
set(CMAKE_RC_COMPILER ${VANTREL_MINGW}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${VANTREL_MINGW})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

# The build runs a program of its own, the tone's generator, and the tests run the rest: under
# Wine, which keeps its Windows in a folder of the build's own, never in the user's ~/.wine, and
# says nothing of its own doings.
find_program(VANTREL_WINE wine)
if(NOT VANTREL_WINE)
    message(FATAL_ERROR "The Windows build runs its tone generator under Wine: install wine.")
endif()
set(CMAKE_CROSSCOMPILING_EMULATOR env WINEDEBUG=-all WINEPREFIX=${CMAKE_BINARY_DIR}/wine
    ${VANTREL_WINE})
