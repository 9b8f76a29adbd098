# Cross-building for 64-bit Windows with Debian's mingw-w64 (the POSIX threads variant, which
# std::thread and Qt need). Used for Qt itself (scripts/build-qt-windows.sh) and for Nerix
# (scripts/build-windows.sh).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR AMD64)
set(NERIX_MINGW x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${NERIX_MINGW}-gcc-posix)
set(CMAKE_CXX_COMPILER ${NERIX_MINGW}-g++-posix)
set(CMAKE_RC_COMPILER ${NERIX_MINGW}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${NERIX_MINGW})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
