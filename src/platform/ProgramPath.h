#pragma once
#include <string>
#include <string_view>

namespace zor {

// Full path of the running program file (from /proc/self/exe), UTF-8. Empty if unknown.
std::string ProgramFilePath();

// Converts a UTF-16 path of the core to the file system's UTF-8 path, and back.
std::string NativePath(std::u16string_view path);
std::u16string WidePath(std::string_view native);

}  // namespace zor
