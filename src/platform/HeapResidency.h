#pragma once
// Keeping freed memory inside the process. glibc hands large blocks (128 KiB and up) back to
// the system on free, so each analysis would fault its working buffers in again: about 12 us
// per 4 KiB page, 25 ms for one 8 MB buffer, on every call. Programs call this once at start,
// before any thread is made; after it, steady-state analyses reuse the same pages.
namespace zor {

// Makes malloc serve every block from the heap (never from a private mapping), never trim the
// heap's free top back to the system, and share a few heaps among all threads. Returns false
// if the allocator refused a setting.
bool KeepFreedMemoryResident();

}  // namespace zor
