#pragma once
// Fakes for the offline copy: a cipher that is fast and deterministic yet, like GCM, refuses
// any changed byte, key, nonce or header (a keyed checksum over all of them); an in-memory
// file set; and the question and keyboard for the login flow.

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "addin/addin_core.h"
#include "offline/copy_cipher.h"
#include "offline/copy_files.h"

namespace quillbox::testing {

class FakeCopyCipher : public CopyCipher {
 public:
  std::string RandomBytes(size_t count) override { return Stream("random" + std::to_string(++draws), count); }
  std::string DeriveKey(const std::string& password, const std::string& salt, uint32_t iterations) override {
    ++derivations;
    return Stream(password + '\n' + salt + '\n' + std::to_string(iterations), 32);
  }
  std::string Seal(const std::string& key, const std::string& nonce, const std::string& extra,
                   const std::string& plain) override {
    return Xor(key, nonce, plain) + Tag(key, nonce, extra, Xor(key, nonce, plain));
  }
  std::optional<std::string> Open(const std::string& key, const std::string& nonce, const std::string& extraData,
                                  const std::string& sealed) override {
    if (sealed.size() < 16) return std::nullopt;
    const std::string body = sealed.substr(0, sealed.size() - 16);
    if (Tag(key, nonce, extraData, body) != sealed.substr(body.size())) return std::nullopt;
    return Xor(key, nonce, body);
  }
  std::string Hash(const std::string& bytes) override { return Stream("hash" + bytes, 32); }

  int derivations = 0;
  int draws = 0;

 private:
  static uint64_t Fnv(const std::string& bytes, uint64_t value = 1469598103934665603ULL) {
    for (unsigned char byte : bytes) value = (value ^ byte) * 1099511628211ULL;
    return value;
  }
  static std::string Stream(const std::string& input, size_t count) {
    std::string out;
    for (uint64_t block = 0; out.size() < count; ++block) {
      const uint64_t value = Fnv(input + '#' + std::to_string(block));
      for (int i = 0; i < 8 && out.size() < count; ++i) out.push_back(static_cast<char>(value >> (8 * i)));
    }
    return out;
  }
  static std::string Xor(const std::string& key, const std::string& nonce, std::string text) {
    const std::string stream = Stream(key + nonce, text.size());
    for (size_t i = 0; i < text.size(); ++i) text[i] = static_cast<char>(text[i] ^ stream[i]);
    return text;
  }
  static std::string Tag(const std::string& key, const std::string& nonce, const std::string& extra,
                         const std::string& body) {
    return Stream(key + '|' + nonce + '|' + std::to_string(extra.size()) + extra + body, 16);
  }
};

class MemoryCopyFiles : public CopyFiles {
 public:
  std::optional<std::string> Read(const std::string& name) override {
    const auto found = files.find(name);
    if (found == files.end()) return std::nullopt;
    return found->second;
  }
  void Write(const std::string& name, const std::string& bytes) override { files[name] = bytes; }
  void Remove(const std::string& name) override { files.erase(name); }
  void RemoveAll() override { files.clear(); }
  void RemoveOlderThan(int maxAgeDays) override { removedOlderThan = maxAgeDays; }

  std::map<std::string, std::string> files;
  int removedOlderThan = 0;
};

class FakeQuestion : public QuestionDialog {
 public:
  bool AskYesNo(const std::u16string& question, WindowHandle) override {
    asked.push_back(question);
    return answer;
  }
  bool answer = true;
  std::vector<std::u16string> asked;
};

class FakeKeyboard : public KeyboardState {
 public:
  bool ShiftHeld() override { return shift; }
  bool shift = false;
};

}  // namespace quillbox::testing
