#pragma once
// The one exception type that carries a failure of Word, Office or memory through the core.
// It holds the HRESULT and, where there is one, the interface the failing call was made on.
// The COM layer turns it back into the method's result; nothing else catches it. An automation
// object's own description of the failure (its EXCEPINFO text) comes along where it gave one.

#include <cstdint>
#include <exception>
#include <string>
#include <utility>

namespace quillbox {

struct Guid {
  uint32_t data1 = 0;
  uint16_t data2 = 0;
  uint16_t data3 = 0;
  uint8_t data4[8] = {};
};

bool operator==(const Guid& a, const Guid& b);
inline bool operator!=(const Guid& a, const Guid& b) { return !(a == b); }

// HRESULT values the core produces or passes on, spelled out so that the core needs no
// Windows headers.
namespace hr {
constexpr int32_t kOk = 0;
constexpr int32_t kFalse = 1;
constexpr int32_t kFail = static_cast<int32_t>(0x80004005u);
constexpr int32_t kPointer = static_cast<int32_t>(0x80004003u);
constexpr int32_t kOutOfMemory = static_cast<int32_t>(0x8007000Eu);
constexpr int32_t kNoInterface = static_cast<int32_t>(0x80004002u);
constexpr int32_t kUnexpected = static_cast<int32_t>(0x8000FFFFu);
constexpr int32_t kInvalidArg = static_cast<int32_t>(0x80070057u);

constexpr bool Failed(int32_t result) { return result < 0; }
}  // namespace hr

// Interfaces named in errors.
constexpr Guid kIidRibbonUI = {0x000C03A7, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
constexpr Guid kIidWordApplication = {0x00020970, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
constexpr Guid kIidWordSelection = {0x00020975, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

class ComError : public std::exception {
 public:
  explicit ComError(int32_t result, const Guid& iid = Guid{}, std::u16string description = {})
      : result_(result), iid_(iid), description_(std::move(description)) {}

  int32_t Result() const { return result_; }
  const Guid& Interface() const { return iid_; }
  const std::u16string& Description() const { return description_; }
  const char* what() const noexcept override { return "COM call failed"; }

 private:
  int32_t result_;
  Guid iid_;
  std::u16string description_;
};

// Throws ComError(result, iid) when result is a failure code.
inline void ThrowIfFailed(int32_t result, const Guid& iid = Guid{}) {
  if (hr::Failed(result)) throw ComError(result, iid);
}

}  // namespace quillbox
