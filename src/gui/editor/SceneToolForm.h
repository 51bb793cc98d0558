#pragma once
// The Scene Tool's form: the Scene's name, description and script, the selected Item's name,
// engine type, colour, threshold, parameters and script, and the list of Scene files. Every
// edit applies to the Scene or Item at once. GUI thread only.
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QWidget>
#include <memory>

namespace zor {

class SceneEditor;
struct Item;

// Control ids of the form.
inline constexpr int kSceneNameBox = 1301;
inline constexpr int kSceneDescBox = 1302;
inline constexpr int kSceneScriptBox = 1303;
inline constexpr int kItemNameBox = 1304;
inline constexpr int kItemTypeBox = 1305;
inline constexpr int kItemColourBox = 1306;
inline constexpr int kItemThresholdBox = 1307;
inline constexpr int kItemParamsBox = 1308;
inline constexpr int kItemScriptBox = 1309;
inline constexpr int kSceneListBox = 1310;

// The form's height inside the Scene Tool.
inline constexpr int kFormHeight = 440;

class SceneToolForm : public QWidget {
  Q_OBJECT
 public:
  SceneToolForm(SceneEditor& editor, QWidget* scene_tool, int width);

  // Points the form at `item` (or none) and shows the Scene and the Item.
  void Show(std::shared_ptr<Item> item);
  const std::shared_ptr<Item>& CurrentItem() const { return item_; }
  // Fills the Scene list with the ".scene" files of the Scenes folder.
  void ReloadSceneList();
  // Loads the Scene named `name` into the editor, dropping the edited one.
  void LoadScene(const QString& name);
  // Edits are refused while a test runs: the runner reads the Scene and its Items then.
  void SetEditable(bool editable);

  // The control with id `id` (1301 .. 1310), for the Scene Tool and tests.
  QWidget* Control(int id) const;

 private:
  void Build(int width);
  void Connect();
  void FillForm();
  // What the change notifications of the Item's boxes do; nothing without a current Item.
  void ApplyItemName();
  void ApplyItemType(int selection);
  void ApplyColour();
  void ApplyThreshold();
  void ApplyParams();
  void ApplyItemScript();

  SceneEditor& editor_;
  std::shared_ptr<Item> item_;
  QLineEdit* scene_name_ = nullptr;
  QLineEdit* scene_desc_ = nullptr;
  QPlainTextEdit* scene_script_ = nullptr;
  QLineEdit* item_name_ = nullptr;
  QComboBox* item_type_ = nullptr;
  QLineEdit* colour_ = nullptr;
  QLineEdit* threshold_ = nullptr;
  QPlainTextEdit* params_ = nullptr;
  QPlainTextEdit* item_script_ = nullptr;
  QListWidget* scene_list_ = nullptr;
};

}  // namespace zor
