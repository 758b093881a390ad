// quillbox-scale-load: one cold start of QuillboxAddIn.dll, step by step, as Word makes it.
//
//   quillbox-scale-load ADDIN_DLL EMPTY_DLL [--preload | --map-only]
//
// Run it in a fresh process each time. It first loads EMPTY_DLL (a library that does nothing:
// Wine's cost of loading any library) and calls a do-nothing IDispatch; with --preload it then
// loads the system libraries the add-in imports, each timed on its own, as Word has them
// loaded already. Then the add-in: LoadLibrary, DllGetClassObject and CreateInstance,
// OnConnection, GetCustomUI, the onLoad callback's name lookup and RibbonLoaded. Prints one
// "phase NAME MS" line per step, "module NAME" for each library the add-in's LoadLibrary
// brought in and "base ADDRESS" where the add-in was mapped (compared with its preferred image
// base, this tells whether the loader had to relocate it). With --map-only the add-in is only
// mapped and relocated (LoadLibraryEx with DONT_RESOLVE_DLL_REFERENCES: no imports, no
// activation context, no runtime start-up, no DllMain), timed as "phase map-only". This program imports only what the stand-in Word imports, so the add-in's own
// imports are loaded by its own LoadLibrary.

#include <windows.h>

#include <objbase.h>
#include <psapi.h>

#include <cstdio>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "bench/scale/win/addin_under_test.h"
#include "bench/scale/win/callback_caller.h"
#include "bench/scale/win/null_dispatch.h"
#include "bench/scale/win/stopwatch.h"

namespace quillbox::bench {
namespace {

// What the add-in imports that a bare host has not loaded yet, and what they pull in.
constexpr const wchar_t* kAddinImports[] = {L"gdi32.dll",   L"comctl32.dll", L"uxtheme.dll",
                                            L"shell32.dll", L"winhttp.dll",  L"crypt32.dll"};

std::set<std::wstring> LoadedModules() {
  std::vector<HMODULE> modules(512);
  DWORD bytes = 0;
  ::EnumProcessModules(::GetCurrentProcess(), modules.data(), static_cast<DWORD>(modules.size() * sizeof(HMODULE)),
                       &bytes);
  modules.resize(std::min<size_t>(bytes / sizeof(HMODULE), modules.size()));
  std::set<std::wstring> names;
  for (HMODULE module : modules) {
    wchar_t path[MAX_PATH] = L"";
    ::GetModuleFileNameW(module, path, MAX_PATH);
    names.insert(path);
  }
  return names;
}

std::string Narrow(const std::wstring& text) {
  std::string out;
  for (const wchar_t c : text) out += c < 0x80 ? static_cast<char>(c) : '?';
  return out;
}

int MeasureLoad(const std::wstring& addinPath, const std::wstring& emptyPath, bool preload, bool mapOnly) {
  double mark = NowMs();
  if (!::LoadLibraryW(emptyPath.c_str())) throw std::runtime_error("cannot load the empty library");
  std::printf("phase empty-library %.3f\n", NowMs() - mark);

  NullDispatch nothing;
  CallbackCaller nothingCaller(&nothing);
  mark = NowMs();
  PreparedCall call = nothingCaller.Prepare(L"RibbonLoaded", {DispatchArgument(&nothing)});
  nothingCaller.Call(call);
  std::printf("phase do-nothing-dispatch %.3f\n", NowMs() - mark);

  if (preload) {
    double importsMs = 0;
    for (const wchar_t* name : kAddinImports) {
      mark = NowMs();
      ::LoadLibraryW(name);
      const double ms = NowMs() - mark;
      importsMs += ms;
      std::printf("import %s %.3f\n", Narrow(name).c_str(), ms);
    }
    std::printf("phase system-libraries %.3f\n", importsMs);
  }

  if (mapOnly) {
    mark = NowMs();
    HMODULE mapped = ::LoadLibraryExW(addinPath.c_str(), nullptr, DONT_RESOLVE_DLL_REFERENCES);
    const double ms = NowMs() - mark;
    if (!mapped) throw std::runtime_error("cannot map the add-in");
    std::printf("phase map-only %.3f\nbase %p\n", ms, static_cast<void*>(mapped));
    return 0;
  }

  const std::set<std::wstring> before = LoadedModules();
  LoadPhasesMs phases;
  AddinUnderTest addin(addinPath, phases);
  std::printf("phase LoadLibrary %.3f\nphase DllGetClassObject+CreateInstance %.3f\nphase OnConnection %.3f\n"
              "phase GetCustomUI %.3f\nphase GetIDsOfNames(RibbonLoaded) %.3f\nphase RibbonLoaded %.3f\n"
              "phase total %.3f\n",
              phases.loadLibrary, phases.createObject, phases.onConnection, phases.getCustomUi,
              phases.lookUpOnLoad, phases.ribbonLoaded, phases.Total());
  for (const std::wstring& module : LoadedModules()) {
    if (!before.count(module)) std::printf("module %s\n", Narrow(module).c_str());
  }
  std::printf("base %p\n", static_cast<void*>(::GetModuleHandleW(addinPath.c_str())));
  return 0;
}

}  // namespace
}  // namespace quillbox::bench

int wmain(int argc, wchar_t** argv) {
  const bool preload = argc == 4 && std::wstring(argv[3]) == L"--preload";
  const bool mapOnly = argc == 4 && std::wstring(argv[3]) == L"--map-only";
  if (argc != 3 && !preload && !mapOnly) {
    std::fprintf(stderr, "usage: quillbox-scale-load ADDIN_DLL EMPTY_DLL [--preload | --map-only]\n");
    return 2;
  }
  if (FAILED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) return 1;
  int status = 1;
  try {
    status = quillbox::bench::MeasureLoad(argv[1], argv[2], preload, mapOnly);
  } catch (const std::exception& error) {
    std::fprintf(stderr, "quillbox-scale-load: %s\n", error.what());
  }
  std::fflush(stdout);
  ::CoUninitialize();
  return status;
}
