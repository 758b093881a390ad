# The windows build: the Windows shell around the core, QuillboxAddIn.dll itself, the Word
# stand-in host and the Windows-side tests (run under Wine).

include(${CMAKE_SOURCE_DIR}/cmake/DelayLoad.cmake)

# Everything Windows-only except the DLL's entry points, so that test programs can link it.
# A target with the property QUILLBOX_DELAY_LOAD set gets the delay-loaded forms of the
# libraries that DelayLoad.cmake names. Code names the accessibility interface as
# __uuidof(IAccessible), never IID_IAccessible: mingw's liboleacc.a defines that symbol as an
# import thunk, and a program whose link order took it from there (rather than from libuuid)
# fails every request for the interface with E_NOINTERFACE.
add_library(quillbox_win STATIC)
set(quillbox_delay "$<BOOL:$<TARGET_PROPERTY:QUILLBOX_DELAY_LOAD>>")
target_link_libraries(quillbox_win PUBLIC quillbox_core
  ole32 oleaut32 uuid advapi32 uxtheme gdi32 user32 crypt32
  "$<${quillbox_delay}:quillbox_delay_imports>"
  "$<$<NOT:${quillbox_delay}>:winhttp;comctl32;shell32;oleacc>")
target_compile_definitions(quillbox_win PUBLIC UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX
  _WIN32_WINNT=0x0601)
target_include_directories(quillbox_win PUBLIC ${CMAKE_SOURCE_DIR} ${CMAKE_BINARY_DIR}/generated)
quillbox_warnings(quillbox_win)

# Static runtime: the DLL and the test programs need no mingw runtime DLLs.
set(QUILLBOX_STATIC_LINK -static -static-libgcc -static-libstdc++)

add_library(QuillboxAddIn SHARED)
set_target_properties(QuillboxAddIn PROPERTIES PREFIX "" OUTPUT_NAME "QuillboxAddIn" QUILLBOX_DELAY_LOAD ON)
target_link_libraries(QuillboxAddIn PRIVATE quillbox_win)
# Sections aligned in the file as in memory (4 KiB instead of 512 bytes): Wine's loader then maps
# the file's pages instead of reading the whole image into memory, which more than halved the
# library's load time (bench/README.md). Every build of the add-in library links with these.
set(QUILLBOX_ADDIN_LINK_OPTIONS ${QUILLBOX_STATIC_LINK} -Wl,--file-alignment=4096)
if(QUILLBOX_WINDOWS_BITS EQUAL 32)
  # The .def exports the Dll* functions by their plain names, which is how regsvr32 and COM
  # look them up; the linker finds their __stdcall definitions (DllGetClassObject@12) itself.
  list(APPEND QUILLBOX_ADDIN_LINK_OPTIONS LINKER:--enable-stdcall-fixup)
endif()
target_link_options(QuillboxAddIn PRIVATE ${QUILLBOX_ADDIN_LINK_OPTIONS})
quillbox_warnings(QuillboxAddIn)

foreach(dir common model offline service settings ui addin server)
  if(EXISTS ${CMAKE_SOURCE_DIR}/${dir}/win/CMakeLists.txt)
    add_subdirectory(${dir}/win)
  endif()
endforeach()

include(${CMAKE_SOURCE_DIR}/cmake/ReleaseBuild.cmake)
add_subdirectory(installer)

if(EXISTS ${CMAKE_SOURCE_DIR}/word-standin/CMakeLists.txt)
  add_subdirectory(word-standin)
endif()

# GoogleTest built with the mingw toolchain, for the Windows-side test programs.
set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
include(GoogleTest)
add_subdirectory(tests/support)
# The Windows-side test scripts run their Windows programs with the Wine loader of this build's
# bitness (scripts/lib/wine.sh reads QUILLBOX_WINDOWS_BITS).
set(QUILLBOX_TEST_BASH ${CMAKE_COMMAND} -E env QUILLBOX_WINDOWS_BITS=${QUILLBOX_WINDOWS_BITS} bash)
add_subdirectory(tests/windows)
add_subdirectory(bench/scale)
add_subdirectory(demo/screenshots)
