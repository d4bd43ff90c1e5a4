# System DLLs that Zintar needs only for one command each (the tray icon, the Startup shortcut,
# the browse dialog, the About box) are bound on first use, not at every start: loading the shell
# and COM at start-up costs more than everything else the program does before its window shows.
# Each entry: dll, then export name and (for x86 stdcall decoration) argument bytes, in pairs.
set(ZINTAR_DELAYED_IMPORTS
  "shell32|Shell_NotifyIconA 8 FindExecutableA 12 ShellExecuteA 24"
  "ole32|CoInitialize 4 CoCreateInstance 20 CoUninitialize 0"
  "comdlg32|GetOpenFileNameA 4"
  "version|GetFileVersionInfoSizeA 8 GetFileVersionInfoA 16 VerQueryValueA 16")

find_program(ZINTAR_DLLTOOL ${ZINTAR_MINGW_PREFIX}-dlltool REQUIRED)

# Sets ${out} to the delay-load import libraries, built from generated .def files.
function(zintar_delayed_import_libraries out)
  set(libraries)
  foreach(entry ${ZINTAR_DELAYED_IMPORTS})
    string(REPLACE "|" ";" parts "${entry}")
    list(GET parts 0 dll)
    list(GET parts 1 exports)
    string(REPLACE " " ";" exports "${exports}")
    set(def "${CMAKE_BINARY_DIR}/delay/${dll}.def")
    set(text "LIBRARY ${dll}.dll\nEXPORTS\n")
    list(LENGTH exports count)
    math(EXPR last "${count} - 2")
    foreach(i RANGE 0 ${last} 2)
      list(GET exports ${i} name)
      math(EXPR j "${i} + 1")
      list(GET exports ${j} bytes)
      if(CMAKE_SYSTEM_PROCESSOR STREQUAL "i686")
        string(APPEND text "  ${name}@${bytes}\n")
      else()
        string(APPEND text "  ${name}\n")
      endif()
    endforeach()
    file(WRITE "${def}" "${text}")
    set(lib "${CMAKE_BINARY_DIR}/delay/lib${dll}_delay.a")
    set(kill_at)
    if(CMAKE_SYSTEM_PROCESSOR STREQUAL "i686")
      set(kill_at --kill-at)
    endif()
    add_custom_command(OUTPUT "${lib}"
      COMMAND ${ZINTAR_DLLTOOL} --input-def "${def}" --dllname ${dll}.dll ${kill_at}
              --output-delaylib "${lib}"
      DEPENDS "${def}" VERBATIM)
    list(APPEND libraries "${lib}")
  endforeach()
  add_custom_target(zintar_delay_libs DEPENDS ${libraries})
  set(${out} ${libraries} PARENT_SCOPE)
endfunction()
