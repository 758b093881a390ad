// word-standin: plays Word and the Office ribbon toward the Quillbox add-in and runs a
// scripted session (see session_script.h) from a file or standard input.
//
//   word-standin [--dll PATH | --progid PROGID] [--script FILE] [--fail STEP[:HRESULT]]
//                [--null-selection] [--timing] [--arguments by-value|by-reference] [--protected]
//                [--watchdog]
//   word-standin --window [--dll PATH | --progid PROGID] [--script FILE [--step-ms N]]
//
// --window shows Word as a window a person can use (see standin_window.h); with --script the
// script drives the window one line every N milliseconds (default 400) before it is left to
// the person. The transcript still goes to standard output.
//
// The add-in is created by ProgID ("Quillbox.AddIn" unless told otherwise) or, with --dll,
// straight from the library file. --timing prints how long it took from loading the add-in to
// the end of its onLoad callback. --arguments chooses how the ribbon's actions pass their string
// and flag arguments for the whole run (by reference unless told, or unless the environment
// variable QUILLBOX_STANDIN_ARGUMENTS says by-value). --protected starts with the document
// locked for editing, so that Word refuses the add-in's text. --watchdog prints after each
// action the longest time Word's window took to answer a message. Word holds the only
// reference to the add-in, so that closing it (release-addin) is its final Release. Exit status: 0 when the session ran, 1 when the add-in could
// not be started or a script line was not understood, 2 for a bad command line.

#include <windows.h>

#include <fcntl.h>
#include <io.h>
#include <objbase.h>

#include <chrono>
#include <cstdio>
#include <cwchar>
#include <iostream>
#include <optional>
#include <string>
#include <utility>

#include "word-standin/addin_loader.h"
#include "word-standin/session_script.h"
#include "word-standin/standin_window.h"
#include "word-standin/transcript.h"
#include "word-standin/word_host.h"

namespace {

using quillbox::standin::HresultText;

struct Options {
  std::optional<std::wstring> dll;
  std::wstring progId = L"Quillbox.AddIn";
  std::optional<std::wstring> script;
  quillbox::standin::FailurePlan failures;
  std::optional<quillbox::standin::ArgumentForm> arguments;
  bool locked = false;
  bool watchdog = false;
  bool timing = false;
  bool window = false;
  unsigned stepMs = 400;
};

std::optional<Options> ParseOptions(int argc, wchar_t** argv) {
  Options options;
  for (int i = 1; i < argc; ++i) {
    const std::wstring arg = argv[i];
    const bool hasValue = i + 1 < argc;
    if (arg == L"--dll" && hasValue) {
      options.dll = argv[++i];
    } else if (arg == L"--progid" && hasValue) {
      options.progId = argv[++i];
    } else if (arg == L"--script" && hasValue) {
      options.script = argv[++i];
    } else if (arg == L"--fail" && hasValue) {
      const std::wstring value = argv[++i];
      const size_t colon = value.find(L':');
      const auto step = quillbox::standin::ParseHostStep(value.substr(0, colon));
      if (!step) return std::nullopt;
      options.failures.failingStep = step;
      if (colon != std::wstring::npos) {
        options.failures.failure = static_cast<HRESULT>(std::wcstoul(value.c_str() + colon + 1, nullptr, 0));
      }
    } else if (arg == L"--null-selection") {
      options.failures.nullSelection = true;
    } else if (arg == L"--arguments" && hasValue) {
      options.arguments = quillbox::standin::ParseArgumentForm(argv[++i]);
      if (!options.arguments) return std::nullopt;
    } else if (arg == L"--protected") {
      options.locked = true;
    } else if (arg == L"--watchdog") {
      options.watchdog = true;
    } else if (arg == L"--timing") {
      options.timing = true;
    } else if (arg == L"--window") {
      options.window = true;
    } else if (arg == L"--step-ms" && hasValue) {
      options.stepMs = static_cast<unsigned>(std::wcstoul(argv[++i], nullptr, 10));
    } else {
      return std::nullopt;
    }
  }
  return options;
}

std::wstring FromUtf8(const std::string& bytes) {
  if (bytes.empty()) return {};
  const int size = ::MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
  std::wstring text(static_cast<size_t>(size), L'\0');
  ::MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), text.data(), size);
  return text;
}

std::optional<std::string> ReadScript(const std::optional<std::wstring>& path) {
  if (!path) {
    _setmode(_fileno(stdin), _O_BINARY);
    return std::string(std::istreambuf_iterator<char>(std::cin), std::istreambuf_iterator<char>());
  }
  std::FILE* file = _wfopen(path->c_str(), L"rb");
  if (!file) return std::nullopt;
  std::string bytes;
  char buffer[4096];
  for (size_t read; (read = std::fread(buffer, 1, sizeof buffer, file)) > 0;) bytes.append(buffer, read);
  std::fclose(file);
  return bytes;
}

int RunSession(const Options& options, quillbox::standin::Transcript& out) {
  // The window reads no script from standard input: without --script it is the person's alone.
  const bool readsScript = !options.window || options.script;
  const auto script = readsScript ? ReadScript(options.script) : std::optional<std::string>(std::string());
  if (!script) {
    out.Line(L"! cannot read the script " + *options.script);
    return 1;
  }

  const auto loadStart = std::chrono::steady_clock::now();
  quillbox::standin::LoadedAddin addin;
  const HRESULT created = options.dll ? quillbox::standin::CreateAddinFromLibrary(*options.dll, addin)
                                      : quillbox::standin::CreateAddinByProgId(options.progId, addin);
  if (FAILED(created)) {
    out.Line(L"! the add-in could not be created: " + HresultText(created));
    return 1;
  }

  quillbox::standin::WordHost host(std::move(addin.object), out);
  host.State().failures = options.failures;
  host.State().document.Lock(options.locked);
  host.WatchResponsiveness(options.watchdog);
  if (options.arguments) host.PassArguments(*options.arguments);
  const HRESULT started = host.Start();
  if (options.timing && host.RibbonLoadedAt()) {
    const auto elapsed = std::chrono::duration<double, std::milli>(*host.RibbonLoadedAt() - loadStart);
    wchar_t text[64];
    std::swprintf(text, 64, L"load-to-ribbon-loaded-ms %.3f", elapsed.count());
    out.Line(text);
  }
  if (FAILED(started)) return 1;
  bool understood = true;
  if (options.window) {
    quillbox::standin::StandinWindow window(host, out);
    if (options.script) window.Drive(quillbox::standin::ScriptLines(FromUtf8(*script)), options.stepMs);
    understood = window.Run();
  } else {
    understood = quillbox::standin::RunSessionScript(FromUtf8(*script), host, out);
  }
  host.Shutdown();
  return understood ? 0 : 1;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  _setmode(_fileno(stdout), _O_BINARY);
  quillbox::standin::Utf8Transcript out(stdout);
  const auto options = ParseOptions(argc, argv);
  if (!options) {
    out.Line(L"usage: word-standin [--dll PATH | --progid PROGID] [--script FILE] [--fail STEP[:HRESULT]] "
             L"[--null-selection] [--timing] [--arguments by-value|by-reference] [--protected] [--watchdog] "
             L"[--window [--step-ms N]]");
    return 2;
  }
  if (FAILED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {
    out.Line(L"! COM could not be initialised");
    return 1;
  }
  const int status = RunSession(*options, out);
  ::CoUninitialize();
  return status;
}
