#pragma once
// This process's resident memory, for tests that check a hostile peer cannot make it grow
// without bound.
#include <unistd.h>

#include <cstdint>
#include <fstream>

namespace zor::test {

// Sanitizers keep shadow memory and freed blocks of their own, several times what the program
// itself holds: a growth allowance is multiplied by this.
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
inline constexpr uint64_t kSanitizerMemoryFactor = 8;
inline constexpr bool kSanitizerAllocator = true;
#else
inline constexpr uint64_t kSanitizerMemoryFactor = 1;
// Whether malloc is the sanitizer's, which keeps a heap of its own instead of glibc's.
inline constexpr bool kSanitizerAllocator = false;
#endif

// Bytes of this process in RAM now (the second field of /proc/self/statm, in pages); 0 if unknown.
inline uint64_t ResidentBytes() {
  std::ifstream statm("/proc/self/statm");
  uint64_t total_pages = 0;
  uint64_t resident_pages = 0;
  if (!(statm >> total_pages >> resident_pages)) return 0;
  return resident_pages * static_cast<uint64_t>(sysconf(_SC_PAGESIZE));
}

}  // namespace zor::test
