// The offline copy of the 10,000-comment bank with the add-in's own CNG and DPAPI code, in a
// temporary folder: writing it (seal, protect, write, rename), as after each fetch on the
// worker thread, and opening it at login (read, unprotect, key derivation, decrypt, parse).
// The key derivation of a login is timed on its own as well. Median of 9 rounds each.

#include <windows.h>

#include <cstdio>
#include <functional>

#include "bench/scale/bank_builder.h"
#include "bench/scale/sample_stats.h"
#include "bench/scale/win/stopwatch.h"
#include "offline/sealed_copy_store.h"
#include "offline/win/cng_copy_cipher.h"
#include "offline/win/protected_copy_files.h"

using namespace quillbox;

namespace {

constexpr int kRounds = 9;
constexpr char16_t kEmail[] = u"bench.teacher@school.example";
constexpr char16_t kPassword[] = u"correct horse battery staple";

OfflineCopy CopyOfBank(const bench::GeneratedBank& bank) {
  OfflineCopy copy;
  copy.savedAt = 1765200000;
  for (const bench::BankSubject& subject : bank.subjects) {
    copy.subjects.push_back(subject.name);
    SubjectEntry& entry = copy.entries[subject.name];
    for (const bench::BankGroup& group : subject.groups) CommentStore::AddCommentGroup(entry, group.name, group.comments);
  }
  return copy;
}

void Report(const char* what, const std::function<void()>& step, double goal) {
  std::vector<double> samples;
  for (int round = 0; round < kRounds; ++round) {
    const double started = bench::NowMs();
    step();
    samples.push_back(bench::NowMs() - started);
  }
  const bench::SampleSummary summary = bench::Summarise(samples);
  std::printf("%-66s median %8.2f ms  (%.2f to %.2f)", what, summary.median, summary.min, summary.max);
  if (goal > 0) std::printf("  goal < %.0f ms", goal);
  std::printf("\n");
}

}  // namespace

int wmain() {
  const bench::GeneratedBank bank = bench::MakeBank(bench::BankShape{});
  const OfflineCopy copy = CopyOfBank(bank);
  wchar_t temp[MAX_PATH];
  ::GetTempPathW(MAX_PATH, temp);
  win::CngCopyCipher cipher;
  win::ProtectedCopyFiles files(cipher, std::wstring(temp) + L"quillbox-offline-bench\\");
  SealedCopyStore store(cipher, files);

  std::printf("bank: %zu comments, %zu subjects, %zu bytes of UTF-16 text; copy payload %zu bytes\n",
              bank.CommentCount(), bank.subjects.size(), bank.Utf16TextBytes(), SerialiseCopy(copy).size());
  Report("key derivation at an online login (PBKDF2, 200,000 rounds)", [&] { store.StartAccount(kEmail, kPassword); },
         0);
  Report("writing the copy after a fetch (seal, DPAPI, write, rename)", [&] { store.Keep(kEmail, copy); }, 50);
  // Its parts: the bytes, AES-256-GCM over them, and DPAPI over the sealed bytes.
  const CopyKey key = NewCopyKey(kPassword, cipher);
  std::string sealed;
  Report("  of which: the copy's bytes", [&] { SerialiseCopy(copy); }, 0);
  Report("  of which: sealing (bytes and AES-256-GCM)", [&] { sealed = SealCopy(copy, key, cipher); }, 0);
  Report("  of which: protecting (DPAPI key, AES-256-GCM), writing, renaming", [&] { files.Write("parts.copy", sealed); }, 0);
  bool opened = true;
  Report("opening the copy at login (derivation included)", [&] { opened = opened && store.Open(kEmail, kPassword); },
         500);
  files.RemoveAll();
  if (!opened) {
    std::printf("the copy did not open\n");
    return 1;
  }
  return 0;
}
