#include "word-standin/transcript.h"

#include <windows.h>

#include <cwchar>

namespace quillbox::standin {

void Utf8Transcript::Line(const std::wstring& text) {
  std::string bytes;
  if (!text.empty()) {
    const int size = ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                           nullptr, nullptr);
    bytes.resize(static_cast<size_t>(size));
    ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(), size, nullptr,
                          nullptr);
  }
  bytes += '\n';
  std::fwrite(bytes.data(), 1, bytes.size(), stream_);
  std::fflush(stream_);
}

std::wstring HresultText(long result) {
  wchar_t text[16];
  std::swprintf(text, 16, L"0x%08lX", static_cast<unsigned long>(result));
  return text;
}

std::wstring Quoted(const std::wstring& text) {
  std::wstring out = L"\"";
  for (const wchar_t c : text) {
    switch (c) {
      case L'"':
        out += L"\\\"";
        break;
      case L'\\':
        out += L"\\\\";
        break;
      case L'\r':
        out += L"\\r";
        break;
      case L'\n':
        out += L"\\n";
        break;
      default:
        out += c;
    }
  }
  return out + L"\"";
}

}  // namespace quillbox::standin
