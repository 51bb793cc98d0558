#pragma once
// The Scene Tool "SCENE TOOL": a tool window docked to the right edge of the editor's view,
// holding the form, the eight command buttons and the item list. It follows the view, keeps
// the place the user moved it to, and docks back on a double click on its caption.
// GUI thread only.
#include <QWidget>
#include <array>

#include "presentation/CommandTarget.h"
#include "presentation/SceneEditorLink.h"

namespace zor {

class SceneEditor;
class SceneItemListView;
class SceneToolForm;
class StateIconButton;

// Command ids of the buttons.
inline constexpr int kSaveSceneCommand = 1400;
inline constexpr int kRecaptureCommand = 1401;
inline constexpr int kTestItemCommand = 1402;
inline constexpr int kTestSceneCommand = 1403;
inline constexpr int kAddItemCommand = 1404;
inline constexpr int kDeleteSceneCommand = 1405;
inline constexpr int kToggleActiveCommand = 1406;
inline constexpr int kResetItemsCommand = 1407;

// The Scene Tool's client size.
inline constexpr int kSceneToolWidth = 400;
inline constexpr int kSceneToolHeight = 1080;

// Texts of its messages: source texts of the "zor::SceneToolWindow" translation context (its tr()).
inline constexpr char kSelectItemFirstText[] =
    QT_TRANSLATE_NOOP("zor::SceneToolWindow", "Select an Item, then run it.");
inline constexpr char kDeleteSceneQuestion[] =
    QT_TRANSLATE_NOOP("zor::SceneToolWindow", "Delete the selected item?");
inline constexpr char kDeleteSceneCaption[] = QT_TRANSLATE_NOOP("zor::SceneToolWindow", "Confirm delete");

class SceneToolWindow : public QWidget, public ICommandTarget {
  Q_OBJECT
 public:
  SceneToolWindow(SceneEditor& editor, QWidget* owner_view);

  SceneToolForm* Form() const { return form_; }
  SceneItemListView* List() const { return list_; }
  StateIconButton* Button(int command_id) const;

  // Shows the current marker's Item in the form and repaints the item list at once.
  void Refresh();
  void RepaintList();
  void ReloadSceneList();
  // Add mode ends: the add button shows its first state again.
  void ReleaseAddButton();
  bool AddPressed() const;
  // The test buttons show the running test; editing is refused while one runs.
  void ShowTestState(EditorTestState state);

  // The buttons' commands.
  void OnCommand(int id, int code, intptr_t arg) override;
  // Saves the edited Scene; when that fails, says why in a message box and returns false.
  bool SaveScene();
  // Removes the edited Scene's file and clears the Scene; false when there is no such file or
  // it cannot be removed.
  bool DeleteSceneFile();

  // Docking: the view moved or was shown (`shown`); the tool goes to its place beside it.
  void FollowOwner(bool shown);
  // Back to the view's right edge.
  void DockBack();
  QPoint DockOffset() const { return {dock_x_, dock_y_}; }

 protected:
  bool event(QEvent* event) override;
  void moveEvent(QMoveEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  void CreateButtons();
  void PlaceAtDock();
  void ToggleActive();
  void ResetItems();
  void AskDeleteScene();

  SceneEditor& editor_;
  QWidget* owner_ = nullptr;
  SceneToolForm* form_ = nullptr;
  SceneItemListView* list_ = nullptr;
  std::array<StateIconButton*, 8> buttons_{};
  int dock_x_ = 3;
  int dock_y_ = 36;
  bool first_size_ = true;
  bool placing_ = false;  // our own move is under way: not the user's
};

}  // namespace zor
