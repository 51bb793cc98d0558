#pragma once
// What the scene editor edits, without widgets: the Scene, one marker per Item, the selection,
// the mouse gestures that add, move and resize Items or set a click point or work area, the
// keys that reorder and delete, and template capture from a frame. The view feeds it mouse
// and key input; the Scene Tool and the item list read it. GUI thread only.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "model/SceneData.h"
#include "model/ScreenImage.h"
#include "presentation/ItemMarker.h"

namespace zor {

// Drag modes; 0 .. 7 resize by the handle of that number.
inline constexpr int32_t kDragNone = -3;
inline constexpr int32_t kDragMove = -2;
inline constexpr int32_t kDragArea = -1;

// Below this sum of |dx| + |dy| an area drag counts as a click and sets the click offset.
inline constexpr int32_t kClickSlopPixels = 5;
// A newly drawn Item must be at least this wide and high, or it is dropped.
inline constexpr int32_t kMinNewItemPixels = 5;

enum class EditKey { Up, Down, Home, End, Delete };

// What a gesture changed, so that the view knows whom to tell.
struct EditOutcome {
  bool changed = false;      // the Scene, the markers or the selection changed: refresh the tool
  bool repaint = false;      // the view shows something new
  bool show_cross = false;   // an area drag started: show the cross cursor
  bool add_ended = false;    // add mode is over: release the add button
};

class SceneEditModel {
 public:
  SceneData& Scene() { return *scene_; }
  const SceneData& Scene() const { return *scene_; }
  // The same Scene, for a test run that shares it while it lasts.
  const std::shared_ptr<SceneData>& SharedScene() const { return scene_; }
  const std::vector<ItemMarker>& Markers() const { return markers_; }

  // The selected marker's position, or -1; and its Item (null without a selection).
  int32_t CurrentMarker() const { return current_; }
  std::shared_ptr<Item> CurrentItem() const;

  bool AddMode() const { return add_mode_; }
  bool Dragging() const { return dragging_; }
  int32_t DragMode() const { return drag_mode_; }
  // The area being drawn (normalised), valid while an area drag lasts.
  const EditRect& AreaRect() const { return area_; }
  bool AreaDragging() const { return dragging_ && drag_mode_ == kDragArea; }

  bool CapturePending() const { return capture_pending_; }
  void SetCapturePending() { capture_pending_ = true; }
  int32_t EngineChoice() const { return engine_choice_; }
  void SetEngineChoice(int32_t type) { engine_choice_ = type; }

  // Mouse gestures in remote-screen pixels.
  EditOutcome ButtonDown(int32_t x, int32_t y);
  EditOutcome MouseMove(int32_t x, int32_t y);
  EditOutcome ButtonUp(int32_t x, int32_t y);
  // Reordering and deletion of the current Item; nothing with fewer than two Items.
  EditOutcome KeyDown(EditKey key);

  // The add button was pressed: no selection, the next press in the view draws a new Item.
  void StartAdd();
  // The next frame captures the current Item's template again (its pixels are dropped now).
  bool RequestRecapture();
  // Selects the marker of the Item whose index is `item_index` and puts the marker back on the
  // Item's capture rectangle; false when no marker has that index.
  bool SelectItemIndex(int32_t item_index);
  // One marker per Item of the Scene (after a load or a clear), none selected.
  void RebuildMarkers();
  // Empties the Scene and the markers; the empty Scene has nothing left to save.
  void Clear();

  // The Scene differs from what was last loaded or saved (at first: from the empty Scene).
  // Compared by the bytes the file would get, so any change to the Scene or its Items counts,
  // whoever made it (gestures, the Scene Tool's form and buttons), and a change undone by hand
  // counts as none.
  bool HasUnsavedChanges() const;
  // Saves the Scene as "<its name>.scene"; after a success it has no unsaved changes.
  SaveResult SaveScene();
  // Replaces the Scene with the file "<name>.scene" and puts one marker on each Item. After a
  // load that took the file's contents the Scene has no unsaved changes.
  LoadResult LoadScene(const std::u16string& name);

  // Runs template capture when one is pending: the current Item's template is taken from
  // `frame` if its rectangle lies inside and its template is missing or of another size; then
  // every marker is put back on its Item. False when nothing was pending.
  bool CaptureFromFrame(const ScreenImage* frame);

 private:
  ItemMarker* Current();
  void AppendNewItem(int32_t x, int32_t y);
  void ApplyDrag(ItemMarker& marker, int32_t x, int32_t y);
  void StoreAreaGesture(int32_t x, int32_t y);
  void FinishAdd();
  void DeleteCurrent();
  // Swaps the Items and markers at `a` and `b` and renumbers both.
  void SwapPlaces(size_t a, size_t b);
  void SyncCaptureRect(const ItemMarker& marker);

  // Made once and never replaced, so that other threads may hold it; loads change its contents.
  const std::shared_ptr<SceneData> scene_ = std::make_shared<SceneData>();
  std::vector<ItemMarker> markers_;
  int32_t current_ = -1;
  bool add_mode_ = false;
  bool dragging_ = false;
  int32_t drag_mode_ = kDragNone;
  int32_t press_x_ = 0;
  int32_t press_y_ = 0;
  EditRect area_;
  int32_t anchor_x_ = 0;
  int32_t anchor_y_ = 0;
  bool capture_pending_ = false;
  int32_t engine_choice_ = 0;
  // The Scene's bytes when it was last loaded or saved.
  std::string saved_bytes_ = scene_->Encode();
};

// Copies the rectangle (left, top, width, height) of `frame` into `image`; false, with `image`
// untouched, when the rectangle is empty or not wholly inside the frame.
bool CopyTemplate(const ScreenImage& frame, const EditRect& rect, TemplateImage& image);

}  // namespace zor
