# Cross-builds the Windows programs with MinGW-w64 from Debian's packages. The "-posix"
# compilers carry the C++ library with the threads GoogleTest needs. Test programs run under Wine.
# Requires: BRENDIX_MINGW_TRIPLE, set by the toolchain file that includes this one.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_C_COMPILER ${BRENDIX_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${BRENDIX_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${BRENDIX_MINGW_TRIPLE}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${BRENDIX_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_CROSSCOMPILING_EMULATOR wine)
