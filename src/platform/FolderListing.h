#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace zor {

// The stems of the regular files directly in `folder` whose extension (from the last dot, the dot
// included) equals `extension` exactly, case included, in the order the file system lists them.
// A folder that does not exist, is not a folder or cannot be read gives an empty list and writes
// `diag_prefix` followed by "지정한 폴더가 존재하지 않거나 디렉토리가 아닙니다." as a diagnostic line.
std::vector<std::u16string> ListFolderFiles(const std::u16string& folder, std::u16string_view extension,
                                            std::u16string_view diag_prefix = u"");

}  // namespace zor
