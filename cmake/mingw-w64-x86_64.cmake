# Cross build for 64-bit Windows with Debian's MinGW-w64 (posix threads):
#   cmake -S . -B build-win -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake -DLEXOR_CORE_ONLY=ON
# or, for the whole program, chained behind the static Qt's own toolchain file
# (scripts/test-windows.sh does that). Executables are linked statically, so
# they run without any DLL beside them.
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-x86_64-compilers.cmake)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# Lets ctest run the Windows executables here, under Wine, when it is installed.
find_program(LEXOR_WINE NAMES wine wine64 PATHS /usr/lib/wine NO_CMAKE_FIND_ROOT_PATH)
if(LEXOR_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${LEXOR_WINE})
endif()
