#pragma once
// A fresh directory under the system's temporary folder, removed with everything in it.
#include <string>

namespace zor::test {

class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::string& Path() const { return path_; }
  std::string File(const std::string& name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

// Writes bytes to a file, replacing it.
void WriteFile(const std::string& path, const std::string& bytes);
// Reads a whole file; empty if missing.
std::string ReadFile(const std::string& path);

}  // namespace zor::test
