#include "RecordFile.h"

#include <iostream>

namespace zor::cli {

int ReportPartialRead(const std::string& path, const LoadResult& read) {
  if (read.Whole()) return 0;
  std::cerr << "zorkvm-cli: '" << path << "' is damaged: reading stopped at byte "
            << read.stopped_at_byte << "; what came before it was read\n";
  return kExitPartialRead;
}

}  // namespace zor::cli
