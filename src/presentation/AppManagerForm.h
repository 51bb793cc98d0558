#pragma once
// The App Manager's rules as plain data: what the dialog shows for an App, and how Save changes
// the App. The dialog only copies between this and its widgets.
#include <string>
#include <vector>

#include "model/AppInfo.h"

namespace zor {

struct AppManagerForm {
  std::u16string name;
  std::u16string description;
  std::u16string user_id;
  std::u16string user_password;
  std::u16string user_define;
  std::u16string user_etc;
  std::u16string script;
  std::vector<std::u16string> selected_scenes;   // "Select Scene", in running order
  std::vector<std::u16string> available_scenes;  // "Scene List": Scene files not selected
};

// The App's fields and Scenes; `scene_files` are the Scene names found in the Scenes folder.
// Each Scene name of the App is cut of white space at both ends; an empty one is left out, and
// the Scene file of exactly that name leaves "Scene List".
AppManagerForm MakeAppManagerForm(const AppInfo& app, std::vector<std::u16string> scene_files);

// The Save rule: every non-empty edit replaces its field (the one-line edits cut to their
// length, the script whole); an empty one keeps it; the App's Scenes become "Select Scene" top
// to bottom.
void ApplyAppManagerForm(const AppManagerForm& form, AppInfo& app);

// `text` without spaces, tabs, carriage returns and line feeds at both ends.
std::u16string TrimSceneName(const std::u16string& text);

// Whether an App may be saved under `name`. A blank name would be stored as a hidden ".app"
// that lists as an empty row; an unsafe one would leave the Apps folder.
enum class AppNameCheck { Ok, Blank, Unsafe };
AppNameCheck CheckAppName(const std::u16string& name);

}  // namespace zor
