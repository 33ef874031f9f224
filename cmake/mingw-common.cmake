# Shared part of the two MinGW-w64 toolchains. NORVANE_TRIPLE is set by the
# including file: i686-w64-mingw32 for the shipped 32-bit program,
# x86_64-w64-mingw32 for the build that runs under this machine's Wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_C_COMPILER ${NORVANE_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${NORVANE_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${NORVANE_TRIPLE}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${NORVANE_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# Fully static: the .exe must run with nothing beside it (no winpthread DLL).
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
