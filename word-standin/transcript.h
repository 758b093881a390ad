#pragma once
// Where the stand-in host writes what it shows: the ribbon, the document, the invalidations
// and every failure a callback reported.

#include <cstdio>
#include <string>
#include <vector>

namespace quillbox::standin {

class Transcript {
 public:
  virtual ~Transcript() = default;
  virtual void Line(const std::wstring& text) = 0;
};

// UTF-8 lines on a stream opened in binary mode, so that the output is the same under any
// console code page.
class Utf8Transcript final : public Transcript {
 public:
  explicit Utf8Transcript(std::FILE* stream) : stream_(stream) {}
  void Line(const std::wstring& text) override;

 private:
  std::FILE* stream_;
};

class CollectedTranscript final : public Transcript {
 public:
  void Line(const std::wstring& text) override { lines_.push_back(text); }
  const std::vector<std::wstring>& Lines() const noexcept { return lines_; }

 private:
  std::vector<std::wstring> lines_;
};

// Text for the transcript: "0x%08X".
std::wstring HresultText(long result);
// Text in double quotes, with quotes and backslashes escaped and line breaks shown as \r, \n.
std::wstring Quoted(const std::wstring& text);

}  // namespace quillbox::standin
