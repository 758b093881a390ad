# The Windows architecture a windows build targets, from its toolchain file: x86_64 for 64-bit
# Word (cmake/mingw-w64.cmake) or i686 for 32-bit Word (cmake/mingw-w64-i686.cmake). Both
# build the same sources; what differs per architecture is named here once.
#   QUILLBOX_MINGW_TRIPLE     prefix of the binutils and widl programs
#   QUILLBOX_WINDOWS_BITS     64 or 32
#   QUILLBOX_WIDL_MODE        widl's -m64 or -m32 (the type library's SYS_WIN64 or SYS_WIN32)
#   QUILLBOX_TYPELIB_PLATFORM the platform key RegisterTypeLib writes: win64 or win32
#   QUILLBOX_WINE_WINDOWS_DIR Wine's own Windows DLLs of this architecture
#   QUILLBOX_MSI_ARCH         wixl's -a: x64 or x86
#   QUILLBOX_MSI_NAME         the installer package's file name
if(CMAKE_SYSTEM_PROCESSOR STREQUAL "x86_64")
  set(QUILLBOX_MINGW_TRIPLE x86_64-w64-mingw32)
  set(QUILLBOX_WINDOWS_BITS 64)
  set(QUILLBOX_TYPELIB_PLATFORM win64)
  set(QUILLBOX_WINE_WINDOWS_DIR /usr/lib/x86_64-linux-gnu/wine/x86_64-windows)
  set(QUILLBOX_MSI_ARCH x64)
  set(QUILLBOX_MSI_NAME QuillboxAddIn.msi)
elseif(CMAKE_SYSTEM_PROCESSOR MATCHES "^i[3-6]86$")
  set(QUILLBOX_MINGW_TRIPLE i686-w64-mingw32)
  set(QUILLBOX_WINDOWS_BITS 32)
  set(QUILLBOX_TYPELIB_PLATFORM win32)
  set(QUILLBOX_WINE_WINDOWS_DIR /usr/lib/i386-linux-gnu/wine/i386-windows)
  set(QUILLBOX_MSI_ARCH x86)
  set(QUILLBOX_MSI_NAME QuillboxAddIn-x86.msi)
else()
  message(FATAL_ERROR "No Windows build for processor '${CMAKE_SYSTEM_PROCESSOR}': use "
                      "cmake/mingw-w64.cmake (x86_64) or cmake/mingw-w64-i686.cmake (i686)")
endif()
set(QUILLBOX_WIDL_MODE -m${QUILLBOX_WINDOWS_BITS})
