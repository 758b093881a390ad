#pragma once
// How much memory the process holds: the private bytes Windows charges it (PrivateUsage from
// GetProcessMemoryInfo, which Wine leaves at 0), the same counted by walking the address
// space (committed private regions), its working set, and the bytes of all busy blocks in
// its heaps (what the C and C++ allocators hand out, counted by walking every heap).

#include <cstdint>

namespace quillbox::bench {

struct MemorySnapshot {
  uint64_t privateBytes = 0;
  uint64_t committedPrivateBytes = 0;
  uint64_t workingSetBytes = 0;
  uint64_t heapBusyBytes = 0;
  uint64_t heapBusyBlocks = 0;
};

MemorySnapshot TakeMemorySnapshot();

}  // namespace quillbox::bench
