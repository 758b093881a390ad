#pragma once
// Little-endian fields for the offline copy's bytes: fixed-size numbers, counts and UTF-16
// strings written as a count of code units followed by the units. The reader never trusts a
// count: one that needs more bytes than are left fails at once, before anything is allocated.

#include <cstdint>
#include <string>
#include <string_view>

namespace quillbox {

class ByteWriter {
 public:
  void U32(uint32_t value) { Little(value, 4); }
  void U64(uint64_t value) { Little(value, 8); }
  void Count(size_t value) { U32(static_cast<uint32_t>(value)); }
  void Bytes(std::string_view bytes) { out_.append(bytes); }
  void Text(const std::u16string& text) {
    Count(text.size());
    // Filled in place: a bank's text is megabytes, written after every fetch.
    size_t at = out_.size();
    out_.resize(at + 2 * text.size());
    for (char16_t unit : text) {
      out_[at++] = static_cast<char>(unit & 0xFF);
      out_[at++] = static_cast<char>(unit >> 8);
    }
  }
  std::string Take() { return std::move(out_); }

 private:
  void Little(uint64_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out_.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
  }
  std::string out_;
};

class ByteReader {
 public:
  explicit ByteReader(std::string_view bytes) : rest_(bytes) {}

  bool U32(uint32_t& value) {
    uint64_t wide = 0;
    if (!Little(wide, 4)) return false;
    value = static_cast<uint32_t>(wide);
    return true;
  }
  bool U64(uint64_t& value) { return Little(value, 8); }
  // A count of items that each take at least four bytes (a count or a string's length).
  bool Count(uint32_t& value) { return U32(value) && value <= rest_.size() / 4; }
  bool Bytes(size_t size, std::string& out) {
    if (size > rest_.size()) return false;
    out.assign(rest_.substr(0, size));
    rest_.remove_prefix(size);
    return true;
  }
  bool Text(std::u16string& text) {
    uint32_t units = 0;
    if (!U32(units) || units > rest_.size() / 2) return false;
    text.resize(units);
    for (char16_t& unit : text) {
      uint64_t value = 0;
      Little(value, 2);
      unit = static_cast<char16_t>(value);
    }
    return true;
  }
  bool AtEnd() const { return rest_.empty(); }
  size_t Left() const { return rest_.size(); }

 private:
  bool Little(uint64_t& value, size_t bytes) {
    if (rest_.size() < bytes) return false;
    value = 0;
    for (size_t i = 0; i < bytes; ++i) value |= static_cast<uint64_t>(static_cast<uint8_t>(rest_[i])) << (8 * i);
    rest_.remove_prefix(bytes);
    return true;
  }
  std::string_view rest_;
};

}  // namespace quillbox
