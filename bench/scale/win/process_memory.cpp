#include "bench/scale/win/process_memory.h"

#include <windows.h>

#include <psapi.h>

#include <vector>

namespace quillbox::bench {
namespace {

void AddHeapBusyBytes(HANDLE heap, MemorySnapshot& snapshot) {
  if (!::HeapLock(heap)) return;
  PROCESS_HEAP_ENTRY entry = {};
  while (::HeapWalk(heap, &entry)) {
    if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) {
      snapshot.heapBusyBytes += entry.cbData;
      ++snapshot.heapBusyBlocks;
    }
  }
  ::HeapUnlock(heap);
}

uint64_t CommittedPrivateBytes() {
  uint64_t total = 0;
  MEMORY_BASIC_INFORMATION region;
  for (const char* address = nullptr;
       ::VirtualQuery(address, &region, sizeof region) == sizeof region && region.RegionSize > 0;
       address = static_cast<const char*>(region.BaseAddress) + region.RegionSize) {
    if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE) total += region.RegionSize;
  }
  return total;
}

}  // namespace

MemorySnapshot TakeMemorySnapshot() {
  MemorySnapshot snapshot;
  PROCESS_MEMORY_COUNTERS_EX counters = {};
  counters.cb = sizeof counters;
  if (::GetProcessMemoryInfo(::GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                             sizeof counters)) {
    snapshot.privateBytes = counters.PrivateUsage;
    snapshot.workingSetBytes = counters.WorkingSetSize;
  }
  snapshot.committedPrivateBytes = CommittedPrivateBytes();
  std::vector<HANDLE> heaps(64);
  DWORD count = ::GetProcessHeaps(static_cast<DWORD>(heaps.size()), heaps.data());
  if (count > heaps.size()) {
    heaps.resize(count);
    count = ::GetProcessHeaps(count, heaps.data());
  }
  for (DWORD i = 0; i < count && i < heaps.size(); ++i) AddHeapBusyBytes(heaps[i], snapshot);
  return snapshot;
}

}  // namespace quillbox::bench
