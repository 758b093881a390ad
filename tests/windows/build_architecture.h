// What differs between the x86_64 and the i686 build of a test program and the library built
// alongside it: the type library's SYSKIND (widl's -m64 or -m32), the platform key that
// RegisterTypeLib names after it below TypeLib\{...}\1.1\409, and the registry views (a 32-bit
// process on 64-bit Windows sees HKLM\Software through Wow6432Node).
#pragma once

#include <windows.h>

#include <oaidl.h>

namespace quillbox::testing {

#ifdef _WIN64
inline constexpr SYSKIND kTypeLibrarySyskind = SYS_WIN64;
inline constexpr wchar_t kTypeLibraryPlatform[] = L"win64";
inline constexpr REGSAM kOwnRegistryView = KEY_WOW64_64KEY;
inline constexpr REGSAM kOtherRegistryView = KEY_WOW64_32KEY;
#else
inline constexpr SYSKIND kTypeLibrarySyskind = SYS_WIN32;
inline constexpr wchar_t kTypeLibraryPlatform[] = L"win32";
inline constexpr REGSAM kOwnRegistryView = KEY_WOW64_32KEY;
inline constexpr REGSAM kOtherRegistryView = KEY_WOW64_64KEY;
#endif

}  // namespace quillbox::testing
