#include "presentation/AppManagerForm.h"

#include <algorithm>

#include "model/StoredName.h"
#include "presentation/FormText.h"

namespace zor {

std::u16string TrimSceneName(const std::u16string& text) {
  constexpr std::u16string_view kBlank = u" \t\r\n";
  const size_t first = text.find_first_not_of(kBlank);
  if (first == std::u16string::npos) return {};
  const size_t last = text.find_last_not_of(kBlank);
  return text.substr(first, last - first + 1);
}

AppNameCheck CheckAppName(const std::u16string& name) {
  if (TrimSceneName(name).empty()) return AppNameCheck::Blank;
  return IsSafeStoredName(name) ? AppNameCheck::Ok : AppNameCheck::Unsafe;
}

AppManagerForm MakeAppManagerForm(const AppInfo& app, std::vector<std::u16string> scene_files) {
  AppManagerForm form{app.Name,       app.Description, app.UserId, app.UserPassword,
                      app.UserDefine, app.UserEtc,     app.Script, {},
                      std::move(scene_files)};
  for (const auto& stored : app.Scenes) {
    std::u16string scene = TrimSceneName(stored);
    if (scene.empty()) continue;
    auto found = std::find(form.available_scenes.begin(), form.available_scenes.end(), scene);
    if (found != form.available_scenes.end()) form.available_scenes.erase(found);
    form.selected_scenes.push_back(std::move(scene));
  }
  return form;
}

void ApplyAppManagerForm(const AppManagerForm& form, AppInfo& app) {
  TakeEditText(form.name, app.Name);
  TakeEditText(form.description, app.Description);
  TakeEditText(form.user_id, app.UserId);
  TakeEditText(form.user_password, app.UserPassword);
  TakeEditText(form.user_define, app.UserDefine);
  TakeEditText(form.user_etc, app.UserEtc);
  // The script is multi-line and may be long: cutting it would lose the operator's text.
  if (!form.script.empty()) app.Script = form.script;
  app.Scenes = form.selected_scenes;
}

}  // namespace zor
