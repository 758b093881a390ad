#include "loopback_servers.h"

#include <windows.h>

#include <atomic>
#include <fstream>
#include <map>
#include <sstream>
#include <stdexcept>

#include "tests/support/wine_path.h"

namespace quillbox::testing {

namespace {

LoopbackServers Load() {
  const std::string stateFile = std::string(QUILLBOX_LOOPBACK_STATE) + "/servers.txt";
  std::ifstream file(stateFile);
  if (!file) throw std::runtime_error("loopback servers are not running: no " + stateFile);
  std::map<std::string, std::string> values;
  for (std::string line; std::getline(file, line);) {
    const size_t equals = line.find('=');
    if (equals != std::string::npos) values[line.substr(0, equals)] = line.substr(equals + 1);
  }
  const auto value = [&values, &stateFile](const std::string& key) {
    const auto found = values.find(key);
    if (found == values.end()) throw std::runtime_error(stateFile + " has no " + key);
    return found->second;
  };
  const auto server = [&value](const std::string& name) {
    return LoopbackServer{std::stoi(value(name + "_port")), WinePath(value(name + "_log"))};
  };
  LoopbackServers servers;
  servers.plain = server("plain");
  servers.tls = server("tls");
  servers.untrusted = server("untrusted");
  servers.proxy = server("proxy");
  servers.refusing = server("refusing");
  servers.trustedCert = WinePath(value("trusted_cert"));
  servers.browserScript = value("browser_script");
  servers.browserCapture = WinePath(value("browser_capture"));
  return servers;
}

}  // namespace

const LoopbackServers& Servers() {
  static const LoopbackServers servers = Load();
  return servers;
}

std::string UniqueToken(const char* purpose) {
  static std::atomic<int> counter{0};
  return std::string(purpose) + "-" + std::to_string(::GetCurrentProcessId()) + "-" +
         std::to_string(::GetTickCount()) + "-" + std::to_string(++counter);
}

std::string ReadWholeFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream content;
  content << file.rdbuf();
  return content.str();
}

std::string LogEntryStartingWith(const std::string& log, const std::string& requestLinePrefix) {
  const std::string content = ReadWholeFile(log);
  size_t start = 0;
  while (start < content.size()) {
    size_t end = content.find("\n\n", start);
    end = end == std::string::npos ? content.size() : end + 1;
    if (content.compare(start, requestLinePrefix.size(), requestLinePrefix) == 0) {
      return content.substr(start, end - start);
    }
    start = end + 1;
  }
  return {};
}

size_t CountInFile(const std::string& path, const std::string& text) {
  const std::string content = ReadWholeFile(path);
  size_t count = 0;
  for (size_t at = content.find(text); at != std::string::npos; at = content.find(text, at + 1)) ++count;
  return count;
}

std::string HttpBase(const LoopbackServer& server) {
  return "http://127.0.0.1:" + std::to_string(server.port);
}

std::string HttpsBase(const LoopbackServer& server, const char* host) {
  return "https://" + std::string(host) + ":" + std::to_string(server.port);
}

std::string ProxyAddress(const LoopbackServer& proxy) { return "127.0.0.1:" + std::to_string(proxy.port); }

}  // namespace quillbox::testing
