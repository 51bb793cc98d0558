#include "platform/ProgramPath.h"

#include <filesystem>
#include <system_error>

#include "platform/CodePage.h"

namespace zor {

std::string ProgramFilePath() {
  std::error_code ec;
  auto path = std::filesystem::read_symlink("/proc/self/exe", ec);
  return ec ? std::string{} : path.string();
}

std::string NativePath(std::u16string_view path) { return ToUtf8(path); }

std::u16string WidePath(std::string_view native) { return FromUtf8(native); }

}  // namespace zor
