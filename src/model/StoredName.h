#pragma once
// Names of Apps and Scenes become file names inside their folders; these checks keep them there.
#include <string>
#include <string_view>

namespace zor {

// True when `name` names a file directly inside its folder: no path separator ('/', or '\\' as
// files copied from Windows use it), no NUL, and not "." or "..". The empty name is allowed
// (an App or Scene without a name is stored as ".app" or ".scene").
bool IsSafeStoredName(std::u16string_view name);

// Sets `path` to `folder` + `name` + `extension`; false, with `path` untouched, when the name is
// unsafe.
bool StoredFilePath(const std::u16string& folder, std::u16string_view name,
                    std::u16string_view extension, std::u16string& path);

}  // namespace zor
