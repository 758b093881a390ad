// A library that does nothing at load but carries what the add-in links statically besides its
// own code: the C++ runtime (streams, locales, threads) and JsonCpp, with their static
// initialisers and thread-local storage callbacks. Its load against the do-nothing library's
// shows what their start-up costs.

#include <windows.h>

#include <json/json.h>

#include <mutex>
#include <sstream>
#include <string>
#include <thread>

// Exported, so that the linker keeps what it uses.
extern "C" __declspec(dllexport) int quillbox_runtime_use(const char* text) {
  static std::mutex lock;
  std::lock_guard<std::mutex> guard(lock);
  Json::Value root;
  Json::Reader reader;
  std::ostringstream out;
  out << text << std::this_thread::get_id();
  return reader.parse(out.str(), root) ? 1 : 0;
}

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) { return TRUE; }
