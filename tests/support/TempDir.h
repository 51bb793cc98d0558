#pragma once
// A fresh folder under the system's temporary folder, removed with everything in it on destruction.
#include <filesystem>
#include <string>

namespace zor::test {

class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& path() const { return path_; }
  std::string file(const std::string& name) const { return (path_ / name).string(); }

 private:
  std::filesystem::path path_;
};

// Writes bytes to a file, replacing it.
void WriteFile(const std::string& path, const std::string& bytes);
// Reads a whole file; empty if missing.
std::string ReadFile(const std::string& path);

}  // namespace zor::test
