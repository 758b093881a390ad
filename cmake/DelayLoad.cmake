# Libraries the add-in needs only after Word has loaded it: the common controls when the first
# dialog shows, WinHTTP (and the certificate libraries it brings) at the first request, the
# shell for the website buttons. Loading them with the add-in would make every Word start
# slower, so QuillboxAddIn.dll imports them through delay-load libraries made from the .def
# files here, which list exactly the functions the add-in calls. Test programs link the
# ordinary import libraries.
find_program(QUILLBOX_DLLTOOL x86_64-w64-mingw32-dlltool REQUIRED)

add_library(quillbox_delay_imports INTERFACE)
foreach(name comctl32 shell32 winhttp)
  set(def ${CMAKE_SOURCE_DIR}/cmake/delay-load/${name}.def)
  set(lib ${CMAKE_BINARY_DIR}/delay-load/lib${name}_delay.a)
  add_custom_command(OUTPUT ${lib}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/delay-load
    COMMAND ${QUILLBOX_DLLTOOL} --input-def ${def} --output-delaylib ${lib}
    DEPENDS ${def} VERBATIM)
  add_custom_target(quillbox_delay_${name} DEPENDS ${lib})
  add_dependencies(quillbox_delay_imports quillbox_delay_${name})
  target_link_libraries(quillbox_delay_imports INTERFACE ${lib})
endforeach()
target_link_libraries(quillbox_delay_imports INTERFACE delayimp)
