#include "offline/win/protected_copy_files.h"

#include <windows.h>
#include <wincrypt.h>

#include <stdexcept>

#include "common/win/unique_handle.h"
#include "offline/byte_fields.h"
#include "offline/sealed_copy.h"

namespace quillbox::win {
namespace {

constexpr wchar_t kCopyPattern[] = L"*.copy";
constexpr wchar_t kTemporarySuffix[] = L".tmp";
// A temporary file left by a crash between the write and the rename.
constexpr wchar_t kTemporaryPattern[] = L"*.copy.tmp";
// A file larger than this is not a copy the add-in wrote (the biggest banks seal to a few MB).
constexpr LONGLONG kMaxFileBytes = 64LL * 1024 * 1024;
constexpr ULONGLONG kFileTimeTicksPerDay = 24ULL * 60 * 60 * 10000000;

// File names come from hex digits and ".copy" only, so the bytes are ASCII.
std::wstring Wide(const std::string& name) { return std::wstring(name.begin(), name.end()); }

DATA_BLOB Blob(const std::string& bytes) {
  return DATA_BLOB{static_cast<DWORD>(bytes.size()), reinterpret_cast<BYTE*>(const_cast<char*>(bytes.data()))};
}

constexpr size_t kFileKeyBytes = 32;

std::string ProtectForUser(const std::string& bytes) {
  DATA_BLOB in = Blob(bytes);
  DATA_BLOB out{};
  if (!::CryptProtectData(&in, L"Quillbox offline copy", nullptr, nullptr, nullptr, CRYPTPROTECT_UI_FORBIDDEN,
                          &out)) {
    throw std::runtime_error("CryptProtectData failed");
  }
  const UniqueLocalMemory memory(out.pbData);
  return std::string(reinterpret_cast<const char*>(out.pbData), out.cbData);
}

std::optional<std::string> UnprotectForUser(const std::string& bytes) {
  DATA_BLOB in = Blob(bytes);
  DATA_BLOB out{};
  if (!::CryptUnprotectData(&in, nullptr, nullptr, nullptr, nullptr, CRYPTPROTECT_UI_FORBIDDEN, &out)) {
    return std::nullopt;
  }
  const UniqueLocalMemory memory(out.pbData);
  return std::string(reinterpret_cast<const char*>(out.pbData), out.cbData);
}

bool WriteWholeFile(const std::wstring& path, const std::string& bytes) {
  const UniqueFileHandle file(::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                            FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return false;
  DWORD written = 0;
  return ::WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
         written == bytes.size() && ::FlushFileBuffers(file.Get());
}

std::optional<std::string> ReadWholeFile(const std::wstring& path) {
  const UniqueFileHandle file(
      ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return std::nullopt;
  LARGE_INTEGER size{};
  if (!::GetFileSizeEx(file.Get(), &size) || size.QuadPart > kMaxFileBytes) return std::nullopt;
  std::string bytes(static_cast<size_t>(size.QuadPart), '\0');
  DWORD read = 0;
  if (!::ReadFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) ||
      read != bytes.size()) {
    return std::nullopt;
  }
  return bytes;
}

// Creates each missing folder of path (which ends in a backslash).
bool CreateFolders(const std::wstring& path) {
  for (size_t end = path.find(L'\\', 3); end != std::wstring::npos; end = path.find(L'\\', end + 1)) {
    const std::wstring folder = path.substr(0, end);
    if (!::CreateDirectoryW(folder.c_str(), nullptr) && ::GetLastError() != ERROR_ALREADY_EXISTS) return false;
  }
  return true;
}

// Calls visit with the name and last write time of every file in the folder that matches.
template <typename Visit>
void ForEachFile(const std::wstring& folder, const wchar_t* pattern, Visit visit) {
  WIN32_FIND_DATAW found{};
  const UniqueFindHandle search(::FindFirstFileW((folder + pattern).c_str(), &found));
  if (!search) return;
  do {
    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) visit(std::wstring(found.cFileName), found.ftLastWriteTime);
  } while (::FindNextFileW(search.Get(), &found));
}

}  // namespace

std::string ProtectedCopyFiles::Protect(const std::string& bytes) {
  const std::string key = cipher_.RandomBytes(kFileKeyBytes);
  const std::string nonce = cipher_.RandomBytes(kCopyNonceBytes);
  const std::string protectedKey = ProtectForUser(key);
  ByteWriter out;
  out.Count(protectedKey.size());
  out.Bytes(protectedKey);
  out.Bytes(nonce);
  out.Bytes(cipher_.Seal(key, nonce, protectedKey, bytes));
  return out.Take();
}

std::optional<std::string> ProtectedCopyFiles::Unprotect(const std::string& stored) {
  ByteReader in(stored);
  uint32_t keySize = 0;
  std::string protectedKey, nonce, sealed;
  if (!in.U32(keySize) || !in.Bytes(keySize, protectedKey) || !in.Bytes(kCopyNonceBytes, nonce) ||
      !in.Bytes(in.Left(), sealed)) {
    return std::nullopt;
  }
  const std::optional<std::string> key = UnprotectForUser(protectedKey);
  if (!key || key->size() != kFileKeyBytes) return std::nullopt;
  return cipher_.Open(*key, nonce, protectedKey, sealed);
}

std::wstring OfflineCopyFolder() {
  wchar_t base[MAX_PATH];
  const DWORD length = ::GetEnvironmentVariableW(L"LOCALAPPDATA", base, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return {};
  return std::wstring(base, length) + L"\\Slatewood\\QuillboxAddIn\\offline\\";
}

std::optional<std::string> ProtectedCopyFiles::Read(const std::string& name) {
  if (folder_.empty()) return std::nullopt;
  const std::optional<std::string> stored = ReadWholeFile(folder_ + Wide(name));
  if (!stored) return std::nullopt;
  return Unprotect(*stored);
}

void ProtectedCopyFiles::Write(const std::string& name, const std::string& bytes) {
  if (folder_.empty() || !CreateFolders(folder_)) return;
  const std::wstring path = folder_ + Wide(name);
  const std::wstring temporary = path + kTemporarySuffix;
  if (!WriteWholeFile(temporary, Protect(bytes)) ||
      !::MoveFileExW(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    ::DeleteFileW(temporary.c_str());
  }
}

void ProtectedCopyFiles::Remove(const std::string& name) {
  if (!folder_.empty()) ::DeleteFileW((folder_ + Wide(name)).c_str());
}

void ProtectedCopyFiles::RemoveAll() {
  if (folder_.empty()) return;
  for (const wchar_t* pattern : {kCopyPattern, kTemporaryPattern}) {
    ForEachFile(folder_, pattern, [this](const std::wstring& name, FILETIME) { ::DeleteFileW((folder_ + name).c_str()); });
  }
}

void ProtectedCopyFiles::RemoveOlderThan(int maxAgeDays) {
  if (folder_.empty()) return;
  FILETIME now{};
  ::GetSystemTimeAsFileTime(&now);
  const auto ticks = [](FILETIME time) { return (static_cast<ULONGLONG>(time.dwHighDateTime) << 32) | time.dwLowDateTime; };
  const ULONGLONG maxAge = static_cast<ULONGLONG>(maxAgeDays) * kFileTimeTicksPerDay;
  ForEachFile(folder_, kCopyPattern, [&](const std::wstring& name, FILETIME written) {
    if (ticks(now) > ticks(written) && ticks(now) - ticks(written) > maxAge) ::DeleteFileW((folder_ + name).c_str());
  });
}

}  // namespace quillbox::win
