# What ships: QuillboxAddIn.dll stripped of its debug information, which is kept beside it in
# QuillboxAddIn.dll.debug (found through the library's .gnu_debuglink, so that a crash address
# from a school can still be resolved with gdb or addr2line), and signed when the builder
# supplies a certificate (scripts/sign.sh). The installer packages this file; the tests and the
# demo keep using the build's own QuillboxAddIn.dll.

if(NOT CMAKE_BUILD_TYPE MATCHES "^(Release|RelWithDebInfo|MinSizeRel)$")
  message(WARNING "CMAKE_BUILD_TYPE is '${CMAKE_BUILD_TYPE}': the release library and the package "
                  "are made from an unoptimised build")
endif()

find_program(QUILLBOX_OBJCOPY NAMES ${QUILLBOX_MINGW_TRIPLE}-objcopy REQUIRED)

# quillbox_release_dll(TARGET LIBRARY_TARGET DIR [QUIET_UNSIGNED]): a target that makes DIR/NAME
# and DIR/NAME.debug from LIBRARY_TARGET's file NAME. QUIET_UNSIGNED: for libraries that are not
# shipped (test and benchmark variants), whose build need not say again that nothing was signed.
function(quillbox_release_dll target library dir)
  set(sign_options)
  if(ARGN STREQUAL "QUIET_UNSIGNED")
    set(sign_options --quiet-unsigned)
  endif()
  get_target_property(name ${library} OUTPUT_NAME)
  if(NOT name)
    set(name ${library})
  endif()
  set(out ${dir}/${name}.dll)
  add_custom_command(OUTPUT ${out} ${out}.debug
    COMMAND ${CMAKE_COMMAND} -E make_directory ${dir}
    COMMAND ${QUILLBOX_OBJCOPY} --only-keep-debug $<TARGET_FILE:${library}> ${out}.debug
    COMMAND ${QUILLBOX_OBJCOPY} --strip-all --add-gnu-debuglink=${out}.debug
            $<TARGET_FILE:${library}> ${out}.unsigned
    COMMAND bash ${CMAKE_SOURCE_DIR}/scripts/sign.sh ${sign_options} ${out}.unsigned
    COMMAND ${CMAKE_COMMAND} -E rename ${out}.unsigned ${out}
    DEPENDS ${library} $<TARGET_FILE:${library}> ${CMAKE_SOURCE_DIR}/scripts/sign.sh
    COMMENT "Release form of ${name}.dll in ${dir}"
    VERBATIM)
  add_custom_target(${target} ALL DEPENDS ${out})
  set_target_properties(${target} PROPERTIES QUILLBOX_RELEASE_FILE ${out})
endfunction()

quillbox_release_dll(QuillboxAddIn_release QuillboxAddIn ${CMAKE_BINARY_DIR}/release)
