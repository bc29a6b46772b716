# cmake -DEXE=lexor-tools.exe [-DOBJDUMP=x86_64-w64-mingw32-objdump] -P CheckWindowsImports.cmake
# Fails unless the executable imports only DLLs that every Windows the
# program runs on (10 and later) carries: a player gets one file and nothing
# beside it, so a Qt, C++ runtime or other library DLL must never be needed.
cmake_minimum_required(VERSION 3.25)

if(NOT OBJDUMP)
  set(OBJDUMP x86_64-w64-mingw32-objdump)
endif()
execute_process(COMMAND ${OBJDUMP} -p ${EXE} OUTPUT_VARIABLE _dump RESULT_VARIABLE _result)
if(NOT _result EQUAL 0)
  message(FATAL_ERROR "${OBJDUMP} -p ${EXE} failed")
endif()

set(_system
  advapi32 authz comctl32 comdlg32 crypt32 d3d11 d3d9 dwmapi dxgi gdi32 imm32 kernel32 msvcrt netapi32
  ole32 oleaut32 setupapi shcore shell32 shlwapi user32 userenv uxtheme version winmm ws2_32 wtsapi32)
string(REGEX MATCHALL "DLL Name: [^\r\n]+" _lines "${_dump}")
if(NOT _lines)
  message(FATAL_ERROR "${EXE} shows no import table")
endif()
set(_foreign)
foreach(_line IN LISTS _lines)
  string(REGEX REPLACE "DLL Name: " "" _dll "${_line}")
  string(TOLOWER "${_dll}" _name)
  string(REGEX REPLACE "\\.dll$" "" _name "${_name}")
  # API sets: names the loader resolves to system DLLs, never files beside the program.
  if(NOT _name IN_LIST _system AND NOT _name MATCHES "^api-ms-win-core-")
    list(APPEND _foreign ${_dll})
  endif()
endforeach()
if(_foreign)
  list(JOIN _foreign ", " _foreign)
  message(FATAL_ERROR "${EXE} needs DLLs that Windows does not have: ${_foreign}")
endif()
list(LENGTH _lines _count)
message(STATUS "${EXE}: ${_count} imported DLLs, all part of Windows")
