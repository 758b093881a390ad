# Libraries the add-in needs only after Word has loaded it: the common controls when the first
# dialog shows, WinHTTP (and the certificate libraries it brings) at the first request, the
# shell for the website buttons, the accessibility library when a screen reader first asks a
# link what it is. Loading them with the add-in would make every Word start
# slower, so QuillboxAddIn.dll imports them through delay-load libraries made from the .def
# files here, which list exactly the functions the add-in calls. Test programs link the
# ordinary import libraries.
#
# Two things differ for 32-bit Windows, where these functions are __stdcall:
# - The compiler calls InitCommonControlsEx as _InitCommonControlsEx@4, so the .def given to
#   dlltool carries each name's decoration (taken from mingw-w64's ordinary import library),
#   and --kill-at keeps the names looked up in the DLL undecorated, as the DLLs export them.
# - A function that the code reaches only through its import slot (__imp__X@N, which is how
#   the headers' dllimport declarations call it) would lose its delay-load stub in the i686
#   link: the slot then holds 0 and the first call jumps there. Naming every stub as
#   undefined keeps each one, and with it a slot that points into the stub.
find_program(QUILLBOX_DLLTOOL ${QUILLBOX_MINGW_TRIPLE}-dlltool REQUIRED)
if(QUILLBOX_WINDOWS_BITS EQUAL 32)
  find_program(QUILLBOX_NM ${QUILLBOX_MINGW_TRIPLE}-nm REQUIRED)
endif()

# quillbox_delay_def(NAME OUT_DEF OUT_STUBS): the .def for dlltool and the stubs' link names.
function(quillbox_delay_def name out_def out_stubs)
  set(plain_def ${CMAKE_SOURCE_DIR}/cmake/delay-load/${name}.def)
  set_property(DIRECTORY ${CMAKE_SOURCE_DIR} APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${plain_def})
  file(STRINGS ${plain_def} lines)
  list(FILTER lines EXCLUDE REGEX "^(LIBRARY|EXPORTS)")
  set(stubs)
  if(QUILLBOX_WINDOWS_BITS EQUAL 32)
    set(import_library /usr/${QUILLBOX_MINGW_TRIPLE}/lib/lib${name}.a)
    execute_process(COMMAND ${QUILLBOX_NM} --defined-only ${import_library}
      OUTPUT_VARIABLE symbols RESULT_VARIABLE status)
    if(NOT status EQUAL 0)
      message(FATAL_ERROR "${QUILLBOX_NM} could not read ${import_library}")
    endif()
    file(STRINGS ${plain_def} header REGEX "^(LIBRARY|EXPORTS)")
    list(JOIN header "\n" text)
    foreach(function IN LISTS lines)
      string(REGEX MATCH " T _${function}(@[0-9]+)\n" found "${symbols}")
      if(NOT found)
        message(FATAL_ERROR "${function}: no __stdcall decoration in ${import_library}")
      endif()
      string(APPEND text "\n${function}${CMAKE_MATCH_1}")
      list(APPEND stubs _${function}${CMAKE_MATCH_1})
    endforeach()
    set(def ${CMAKE_BINARY_DIR}/delay-load/${name}.def)
    file(CONFIGURE OUTPUT ${def} CONTENT "${text}\n" @ONLY)
  else()
    set(def ${plain_def})
    set(stubs ${lines})
  endif()
  set(${out_def} ${def} PARENT_SCOPE)
  set(${out_stubs} ${stubs} PARENT_SCOPE)
endfunction()

add_library(quillbox_delay_imports INTERFACE)
foreach(name comctl32 oleacc shell32 winhttp)
  quillbox_delay_def(${name} def stubs)
  set(lib ${CMAKE_BINARY_DIR}/delay-load/lib${name}_delay.a)
  add_custom_command(OUTPUT ${lib}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/delay-load
    COMMAND ${QUILLBOX_DLLTOOL} --kill-at --input-def ${def} --output-delaylib ${lib}
    DEPENDS ${def} VERBATIM)
  add_custom_target(quillbox_delay_${name} DEPENDS ${lib})
  add_dependencies(quillbox_delay_imports quillbox_delay_${name})
  target_link_libraries(quillbox_delay_imports INTERFACE ${lib})
  foreach(stub IN LISTS stubs)
    target_link_options(quillbox_delay_imports INTERFACE "LINKER:--undefined=${stub}")
  endforeach()
endforeach()
target_link_libraries(quillbox_delay_imports INTERFACE delayimp)
