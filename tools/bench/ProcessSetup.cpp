// Start-up settings of zorkvm-bench that the program's own main would make. main.cpp stays the
// stock benchmark entry, so they run as a static initialiser, before any benchmark or thread.
#include "platform/HeapResidency.h"

namespace {

const bool kFreedMemoryKept = zor::KeepFreedMemoryResident();

}  // namespace
