// quillbox-scale-bench: how QuillboxAddIn.dll copes with a large comment bank, under Wine.
//
//   quillbox-scale-bench bank FILE small|big
//       writes a bank file for the reference service; prints its comment count and the
//       UTF-16 size of its text
//   quillbox-scale-bench run ADDIN_DLL SMALL_URL BIG_URL EMAIL PASSWORD LOAD_MS EMPTY_LOAD_MS [SUBJECTS]
//       getters, login, comment click and memory against two reference services, one serving
//       a small bank and one the big bank (the bank this program writes); prints the result
//       table, with the cold start's median (LOAD_MS, and EMPTY_LOAD_MS for the do-nothing
//       library) as quillbox-scale-load measured it
//
// The add-in's cold start is measured by quillbox-scale-load (load_main.cpp), which imports
// less. The base URL is written to the add-in's registry value before each add-in object starts.

#include <windows.h>

#include <objbase.h>
#include <oleauto.h>

#include <cstdio>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "bench/scale/bank_builder.h"
#include "bench/scale/report_table.h"
#include "bench/scale/sample_stats.h"
#include "bench/scale/win/addin_under_test.h"
#include "bench/scale/win/callback_caller.h"
#include "bench/scale/win/login_answerer.h"
#include "bench/scale/win/null_dispatch.h"
#include "bench/scale/win/process_memory.h"
#include "bench/scale/win/stopwatch.h"
#include "common/text_utf.h"
#include "service/service_client.h"
#include "service/win/winhttp_transport.h"

namespace quillbox::bench {
namespace {

constexpr double kProgressFloorMs = 1000;  // the progress dialog's first look at its worker

std::u16string FromWide(const std::wstring& text) { return std::u16string(text.begin(), text.end()); }
std::string Narrow(const std::wstring& text) { return Utf16ToUtf8(FromWide(text)); }

// --- bank ---------------------------------------------------------------------------------

int WriteBank(const std::wstring& path, const std::wstring& size) {
  BankShape shape;
  if (size == L"small") shape = BankShape{2, 2, 20, 5};
  const GeneratedBank bank = MakeBank(shape);
  const std::string json = BankFileJson(bank, "teacher@example.org", "chalk-and-talk");
  std::FILE* file = _wfopen(path.c_str(), L"wb");
  const bool written = file && std::fwrite(json.data(), 1, json.size(), file) == json.size();
  if (file) std::fclose(file);
  if (!written) throw std::runtime_error("cannot write the bank file");
  std::printf("comments %zu\nutf16-bytes %zu\n", bank.CommentCount(), bank.Utf16TextBytes());
  return 0;
}

// --- run ----------------------------------------------------------------------------------

void SetBaseUrl(const std::wstring& url) {
  HKEY key = nullptr;
  if (::RegCreateKeyExW(HKEY_LOCAL_MACHINE, L"Software\\Slatewood\\QuillboxAddIn", 0, nullptr, 0, KEY_SET_VALUE,
                        nullptr, &key, nullptr) != ERROR_SUCCESS) {
    throw std::runtime_error("cannot open the add-in's registry key");
  }
  const auto bytes = static_cast<DWORD>((url.size() + 1) * sizeof(wchar_t));
  const LONG written =
      ::RegSetValueExW(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(url.c_str()), bytes);
  ::RegCloseKey(key);
  if (written != ERROR_SUCCESS) throw std::runtime_error("cannot write the base URL");
}

LONG AsLong(const VARIANT& value) {
  VARIANT converted;
  ::VariantInit(&converted);
  if (FAILED(::VariantChangeType(&converted, const_cast<VARIANT*>(&value), 0, VT_I4))) return 0;
  return converted.lVal;
}

// The ribbon getters timed, with their arguments. Item getters walk the items in turn.
struct GetterCase {
  const wchar_t* name;
  bool indexed;
  const wchar_t* countGetter;  // for indexed getters: how many items there are
};
constexpr GetterCase kGetters[] = {
    {L"GetLabelLogIn", false, nullptr},
    {L"GetVisibleComments", false, nullptr},
    {L"GetTextName", false, nullptr},
    {L"GetPressedBoy", false, nullptr},
    {L"GetPressedGirl", false, nullptr},
    {L"GetPressedThey", false, nullptr},
    {L"GetItemCountSubject", false, nullptr},
    {L"GetItemLabelSubject", true, L"GetItemCountSubject"},
    {L"GetItemIDSubject", true, L"GetItemCountSubject"},
    {L"GetSelectedItemIndexSubject", false, nullptr},
    {L"GetItemCountCategory", false, nullptr},
    {L"GetItemLabelCategory", true, L"GetItemCountCategory"},
    {L"GetItemIDCategory", true, L"GetItemCountCategory"},
    {L"GetSelectedItemIndexCategory", false, nullptr},
    {L"GetLabelCategory", false, nullptr},
    {L"GetItemCountComment", false, nullptr},
    {L"GetItemLabelComment", true, L"GetItemCountComment"},
    {L"GetItemIDComment", true, L"GetItemCountComment"},
    {L"GetItemSupertipComment", true, L"GetItemCountComment"},
    {L"GetSelectedItemIndexComment", false, nullptr},
};

constexpr int kGetterRounds = 7;
constexpr int kCallsPerRound = 2000;

LONG CountBy(const CallbackCaller& caller, IDispatch* control, const wchar_t* getter) {
  PreparedCall call = caller.Prepare(getter, {DispatchArgument(control)});
  VARIANT result;
  caller.Call(call, result);
  const LONG count = AsLong(result);
  ::VariantClear(&result);
  return count;
}

// Microseconds per Invoke: the median over rounds of the mean of one round.
double GetterMicroseconds(const CallbackCaller& caller, IDispatch* control, const GetterCase& getter) {
  const LONG items = getter.indexed ? std::max<LONG>(CountBy(caller, control, getter.countGetter), 1) : 1;
  PreparedCall call = getter.indexed ? caller.Prepare(getter.name, {DispatchArgument(control), LongArgument(0)})
                                     : caller.Prepare(getter.name, {DispatchArgument(control)});
  std::vector<double> rounds;
  for (int round = 0; round <= kGetterRounds; ++round) {
    const double start = NowMs();
    for (int i = 0; i < kCallsPerRound; ++i) {
      if (getter.indexed) call.arguments[0].lVal = i % items;  // the index is the last parameter
      caller.Call(call);
    }
    if (round > 0) rounds.push_back((NowMs() - start) * 1000.0 / kCallsPerRound);  // round 0 warms up
  }
  return Summarise(rounds).median;
}

std::map<std::wstring, double> AllGetters(const CallbackCaller& caller, IDispatch* control) {
  std::map<std::wstring, double> figures;
  for (const GetterCase& getter : kGetters) figures[getter.name] = GetterMicroseconds(caller, control, getter);
  return figures;
}

double NullInvokeMicroseconds() {
  NullDispatch nothing;
  CallbackCaller caller(&nothing);
  return GetterMicroseconds(caller, &nothing, GetterCase{L"GetItemLabelComment", false, nullptr});
}

struct LoginFigures {
  double wallMs = 0;      // LogIn's Invoke from call to return
  double dialogMs = 0;    // until the login dialog was answered
  double afterOkMs = 0;   // from OK to LogIn's return: the progress dialog's floor and the rest
  std::wstring error;
};

LoginFigures TimedLogin(AddinUnderTest& addin, const std::wstring& email, const std::wstring& password) {
  PreparedCall logIn = addin.Callbacks().Prepare(L"LogIn", {DispatchArgument(addin.Ribbon())});
  LoginAnswerer answerer(email, password);
  const double start = NowMs();
  if (FAILED(addin.Callbacks().Call(logIn))) throw std::runtime_error("LogIn failed");
  const double end = NowMs();
  answerer.Stop();
  LoginFigures figures;
  figures.wallMs = end - start;
  figures.dialogMs = answerer.AnsweredAtMs() > 0 ? answerer.AnsweredAtMs() - start : 0;
  figures.afterOkMs = end - (answerer.AnsweredAtMs() > 0 ? answerer.AnsweredAtMs() : start);
  figures.error = answerer.ErrorText();
  return figures;
}

// The login worker's own work, without any dialog: the subject request and the first
// subject's comment-group request through the add-in's WinHTTP transport into a fresh store.
double LoginWorkMs(const std::wstring& baseUrl, const std::wstring& email, const std::wstring& password) {
  win::WinHttpTransport transport;
  const ServiceAccount account{FromWide(baseUrl), FromWide(email), FromWide(password)};
  std::vector<double> samples;
  for (int i = 0; i < 5; ++i) {
    CommentStore store;
    ErrorReport errors;
    const double start = NowMs();
    ServiceClient(account, transport).FetchSubjects(store, errors);
    samples.push_back(NowMs() - start);
    if (!errors.text.empty() || store.Subjects().empty()) throw std::runtime_error("the subject request failed");
  }
  return Summarise(samples).median;
}

struct ClickFigures {
  SampleSummary clickMs;       // SelecteItemChangedComment alone
  SampleSummary readyMs;       // and the invalidated galleries read again
  LONG nextGroupItems = 0;     // items of the comment gallery after the click
  size_t documentGrowth = 0;   // characters written per click, on average
  int invokesToReady = 0;
};

// Clicks comment k of the first group (of 500) and reads the two galleries again as Office
// does after the invalidations: item count, then every item's label and id, the selected
// index, and the group gallery's label.
ClickFigures TimedClicks(AddinUnderTest& addin, IDispatch* control, int clicks) {
  const CallbackCaller& caller = addin.Callbacks();
  BSTR noId = nullptr;
  PreparedCall chooseFirstGroup =
      caller.Prepare(L"SelecteItemChangedCategory", {DispatchArgument(control), BstrByRefArgument(&noId), LongArgument(0)});
  PreparedCall click =
      caller.Prepare(L"SelecteItemChangedComment", {DispatchArgument(control), BstrByRefArgument(&noId), LongArgument(0)});
  struct Gallery {
    PreparedCall count, label, id, selected;
  };
  const auto gallery = [&](const wchar_t* count, const wchar_t* label, const wchar_t* id, const wchar_t* selected) {
    return Gallery{caller.Prepare(count, {DispatchArgument(control)}),
                   caller.Prepare(label, {DispatchArgument(control), LongArgument(0)}),
                   caller.Prepare(id, {DispatchArgument(control), LongArgument(0)}),
                   caller.Prepare(selected, {DispatchArgument(control)})};
  };
  Gallery groups = gallery(L"GetItemCountCategory", L"GetItemLabelCategory", L"GetItemIDCategory",
                           L"GetSelectedItemIndexCategory");
  Gallery comments = gallery(L"GetItemCountComment", L"GetItemLabelComment", L"GetItemIDComment",
                             L"GetSelectedItemIndexComment");
  PreparedCall groupLabel = caller.Prepare(L"GetLabelCategory", {DispatchArgument(control)});

  ClickFigures figures;
  const auto readAgain = [&](Gallery& g) {
    VARIANT result;
    caller.Call(g.count, result);
    const LONG items = AsLong(result);
    ::VariantClear(&result);
    for (LONG i = 0; i < items; ++i) {
      g.label.arguments[0].lVal = i;
      g.id.arguments[0].lVal = i;
      caller.Call(g.label);
      caller.Call(g.id);
    }
    caller.Call(g.selected);
    figures.invokesToReady += 2 + 2 * items;
    return items;
  };

  std::vector<double> clickSamples, readySamples;
  const size_t textBefore = addin.Host().document.Text().size();
  for (int r = 0; r < clicks; ++r) {
    caller.Call(chooseFirstGroup);
    figures.invokesToReady = 1;
    click.arguments[0].lVal = (r * 37) % 500;
    const double start = NowMs();
    if (FAILED(caller.Call(click))) throw std::runtime_error("SelecteItemChangedComment failed");
    const double clicked = NowMs();
    readAgain(groups);
    caller.Call(groupLabel);
    ++figures.invokesToReady;
    figures.nextGroupItems = readAgain(comments);
    const double ready = NowMs();
    clickSamples.push_back(clicked - start);
    readySamples.push_back(ready - start);
  }
  figures.clickMs = Summarise(clickSamples);
  figures.readyMs = Summarise(readySamples);
  figures.documentGrowth = (addin.Host().document.Text().size() - textBefore) / static_cast<size_t>(clicks);
  return figures;
}

double Mib(uint64_t bytes) { return static_cast<double>(bytes) / (1024.0 * 1024.0); }

void PrintMemory(const char* label, const MemorySnapshot& m) {
  std::printf("memory %-22s PrivateUsage %7.2f MiB  committed private %7.2f MiB  working set %7.2f MiB  "
              "heap busy %7.2f MiB in %llu blocks\n",
              label, Mib(m.privateBytes), Mib(m.committedPrivateBytes), Mib(m.workingSetBytes), Mib(m.heapBusyBytes),
              static_cast<unsigned long long>(m.heapBusyBlocks));
}

int MeasureRun(const std::vector<std::wstring>& args) {
  const std::wstring& addinPath = args[0];
  const std::wstring& smallUrl = args[1];
  const std::wstring& bigUrl = args[2];
  const std::wstring& email = args[3];
  const std::wstring& password = args[4];
  const double loadMs = std::stod(Narrow(args[5]));
  const double emptyLoadMs = std::stod(Narrow(args[6]));
  const int subjectsToLoad = args.size() > 7 ? std::stoi(Narrow(args[7])) : 50;
  // The text of the subjects that will be loaded, from the same bank the services serve.
  GeneratedBank bank = MakeBank(BankShape{});
  if (subjectsToLoad < static_cast<int>(bank.subjects.size())) bank.subjects.resize(static_cast<size_t>(subjectsToLoad));
  const auto bankBytes = static_cast<double>(bank.Utf16TextBytes());

  NullDispatch control;  // the ribbon control Office passes; the add-in does not look at it
  std::vector<ReportRow> rows;
  const double nullInvokeUs = NullInvokeMicroseconds();
  std::printf("do-nothing Invoke: %.3f us\n", nullInvokeUs);

  // The small bank, and the empty store before its login.
  SetBaseUrl(smallUrl);
  LoadPhasesMs smallPhases;
  std::map<std::wstring, double> emptyGetters, smallGetters, bigGetters;
  LoginFigures smallLogin;
  MemorySnapshot beforeSmall, afterSmall;
  {
    AddinUnderTest addin(addinPath, smallPhases);
    emptyGetters = AllGetters(addin.Callbacks(), &control);
    beforeSmall = TakeMemorySnapshot();
    smallLogin = TimedLogin(addin, email, password);
    afterSmall = TakeMemorySnapshot();
    if (!smallLogin.error.empty()) throw std::runtime_error("the small bank's login showed an error");
    smallGetters = AllGetters(addin.Callbacks(), &control);
  }

  // The big bank.
  SetBaseUrl(bigUrl);
  LoadPhasesMs bigPhases;
  AddinUnderTest addin(addinPath, bigPhases);
  const MemorySnapshot beforeBig = TakeMemorySnapshot();
  const LoginFigures bigLogin = TimedLogin(addin, email, password);
  if (!bigLogin.error.empty()) throw std::runtime_error("the big bank's login showed an error");
  const MemorySnapshot afterBigLogin = TakeMemorySnapshot();
  bigGetters = AllGetters(addin.Callbacks(), &control);

  // Every other subject in turn, each fetched once behind the progress dialog.
  const CallbackCaller& caller = addin.Callbacks();
  BSTR noId = nullptr;
  PreparedCall chooseSubject =
      caller.Prepare(L"SelecteItemChangedSubject", {DispatchArgument(&control), BstrByRefArgument(&noId), LongArgument(0)});
  std::vector<double> subjectSwitchMs;
  for (int s = 1; s < subjectsToLoad; ++s) {
    chooseSubject.arguments[0].lVal = s;
    const double start = NowMs();
    caller.Call(chooseSubject);
    subjectSwitchMs.push_back(NowMs() - start);
  }
  const MemorySnapshot allLoaded = TakeMemorySnapshot();
  chooseSubject.arguments[0].lVal = 0;  // cached: no request, no dialog
  caller.Call(chooseSubject);
  const ClickFigures clicks = TimedClicks(addin, &control, 200);

  const double workSmallMs = LoginWorkMs(smallUrl, email, password);
  const double workBigMs = LoginWorkMs(bigUrl, email, password);

  // --- report ---
  std::printf("\nload (warm, second object in the process): %.3f ms; first object: %.3f ms\n", bigPhases.Total(),
              smallPhases.Total());
  std::printf("\ngetters, microseconds per Invoke (median of %d rounds of %d calls)\n", kGetterRounds,
              kCallsPerRound);
  std::printf("| Getter | Empty store | Small bank | 10,000-comment bank |\n|---|---:|---:|---:|\n");
  double slowestBig = 0, slowestEmpty = 0;
  std::wstring slowestName;
  for (const GetterCase& getter : kGetters) {
    const double big = bigGetters[getter.name];
    std::printf("| %s | %s | %s | %s |\n", Narrow(getter.name).c_str(), FormatNumber(emptyGetters[getter.name]).c_str(),
                FormatNumber(smallGetters[getter.name]).c_str(), FormatNumber(big).c_str());
    if (big > slowestBig) {
      slowestBig = big;
      slowestName = getter.name;
    }
    slowestEmpty = std::max(slowestEmpty, emptyGetters[getter.name]);
  }
  std::printf("| (do-nothing IDispatch) | %s | | |\n", FormatNumber(nullInvokeUs).c_str());

  std::printf("\nlogin: small bank wall %.1f ms (dialog answered after %.1f ms, OK to return %.1f ms); "
              "big bank wall %.1f ms (dialog %.1f ms, OK to return %.1f ms)\n",
              smallLogin.wallMs, smallLogin.dialogMs, smallLogin.afterOkMs, bigLogin.wallMs, bigLogin.dialogMs,
              bigLogin.afterOkMs);
  std::printf("login work without dialogs (subject and first comment-group request): small %.2f ms, big %.2f ms\n",
              workSmallMs, workBigMs);
  const SampleSummary switches = Summarise(subjectSwitchMs);
  std::printf("subject switches with a request (%d): median %.1f ms, min %.1f, max %.1f\n", switches.count,
              switches.median, switches.min, switches.max);
  std::printf("click: median %.3f ms (p90 %.3f, max %.3f); to labels ready: median %.3f ms (p90 %.3f, max %.3f); "
              "%d Invokes; next group has %ld comments; %zu characters written per click\n",
              clicks.clickMs.median, clicks.clickMs.p90, clicks.clickMs.max, clicks.readyMs.median,
              clicks.readyMs.p90, clicks.readyMs.max, clicks.invokesToReady, static_cast<long>(clicks.nextGroupItems),
              clicks.documentGrowth);
  std::printf("\n");
  PrintMemory("before small login", beforeSmall);
  PrintMemory("after small login", afterSmall);
  PrintMemory("before big login", beforeBig);
  PrintMemory("after big login", afterBigLogin);
  PrintMemory("every subject loaded", allLoaded);
  std::printf("text of the %zu subjects loaded (UTF-16): %.2f MiB, %zu comments\n", bank.subjects.size(),
              bankBytes / (1024.0 * 1024.0), bank.CommentCount());

  // A Windows PrivateUsage where there is one; under Wine, the committed private regions.
  const auto privateOf = [](const MemorySnapshot& m) {
    return static_cast<double>(m.privateBytes ? m.privateBytes : m.committedPrivateBytes);
  };
  const double privateRatio = (privateOf(allLoaded) - privateOf(beforeBig)) / bankBytes;
  const double heapRatio =
      (static_cast<double>(allLoaded.heapBusyBytes) - static_cast<double>(beforeBig.heapBusyBytes)) / bankBytes;
  const double smallPrivateGrowth = privateOf(afterSmall) - privateOf(beforeSmall);

  rows.push_back({"Load to end of RibbonLoaded, median of fresh processes (ms)", loadMs, emptyLoadMs, 20.0, ""});
  rows.push_back({"Slowest getter, 10,000-comment bank (" + Narrow(slowestName) + ", us)", slowestBig, nullInvokeUs,
                  50.0, ""});
  rows.push_back({"Slowest getter, empty store (us)", slowestEmpty, nullInvokeUs, 50.0, ""});
  rows.push_back({"Comment click, group of 500 (ms)", clicks.clickMs.median, nullInvokeUs / 1000.0, 2.0, ""});
  rows.push_back({"Comment click to next group's labels read (ms)", clicks.readyMs.median,
                  nullInvokeUs * clicks.invokesToReady / 1000.0, 2.0, ""});
  rows.push_back({"Login less the 1 s progress floor, 10,000-comment bank (ms)", bigLogin.wallMs - kProgressFloorMs,
                  smallLogin.wallMs - kProgressFloorMs, 100.0, ""});
  rows.push_back({"Private bytes growth / bank UTF-16 size", privateRatio,
                  smallPrivateGrowth / bankBytes, 3.0, ""});
  rows.push_back({"Heap bytes growth / bank UTF-16 size", heapRatio, std::nullopt, 3.0, ""});
  std::printf("\n%s", FormatTable(rows).c_str());
  return 0;
}

int Usage() {
  std::fprintf(stderr,
               "usage: quillbox-scale-bench bank FILE small|big\n"
               "       quillbox-scale-bench run ADDIN_DLL SMALL_URL BIG_URL EMAIL PASSWORD LOAD_MS EMPTY_LOAD_MS "
               "[SUBJECTS]\n");
  return 2;
}

int Main(int argc, wchar_t** argv) {
  std::vector<std::wstring> args(argv + 1, argv + argc);
  if (args.empty()) return Usage();
  const std::wstring command = args.front();
  args.erase(args.begin());
  if (command == L"bank" && args.size() == 2) return WriteBank(args[0], args[1]);
  if (command == L"run" && (args.size() == 7 || args.size() == 8)) return MeasureRun(args);
  return Usage();
}

}  // namespace
}  // namespace quillbox::bench

int wmain(int argc, wchar_t** argv) {
  if (FAILED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) return 1;
  int status = 1;
  try {
    status = quillbox::bench::Main(argc, argv);
  } catch (const std::exception& error) {
    std::fprintf(stderr, "quillbox-scale-bench: %s\n", error.what());
  }
  std::fflush(stdout);
  ::CoUninitialize();
  return status;
}
