#include "platform/FolderListing.h"

#include <filesystem>
#include <system_error>

#include "platform/Diag.h"
#include "platform/ProgramPath.h"

namespace zor {

std::vector<std::u16string> ListFolderFiles(const std::u16string& folder, std::u16string_view extension,
                                            std::u16string_view diag_prefix) {
  namespace fs = std::filesystem;
  std::vector<std::u16string> stems;
  std::error_code ec;
  const fs::path dir(NativePath(folder));
  fs::directory_iterator it(dir, ec);
  if (ec || !fs::is_directory(dir, ec)) {
    diag::Write("shell", std::u16string(diag_prefix) + u"지정한 폴더가 존재하지 않거나 디렉토리가 아닙니다.");
    return stems;
  }
  // Errors while listing (an entry vanishing, a folder that stops being readable) end the
  // listing with what was found so far.
  for (; it != fs::directory_iterator(); it.increment(ec)) {
    if (ec) break;
    if (!it->is_regular_file(ec)) continue;
    const std::u16string name = WidePath(it->path().filename().string());
    const size_t dot = name.rfind(u'.');
    if (dot != std::u16string::npos && std::u16string_view(name).substr(dot) == extension) {
      stems.push_back(name.substr(0, dot));
    }
  }
  return stems;
}

}  // namespace zor
