#include "model/StoredName.h"

namespace zor {

bool IsSafeStoredName(std::u16string_view name) {
  if (name == u"." || name == u"..") return false;
  return name.find_first_of(std::u16string_view(u"/\\\0", 3)) == std::u16string_view::npos;
}

bool StoredFilePath(const std::u16string& folder, std::u16string_view name,
                    std::u16string_view extension, std::u16string& path) {
  if (!IsSafeStoredName(name)) return false;
  path = folder;
  path.append(name).append(extension);
  return true;
}

}  // namespace zor
