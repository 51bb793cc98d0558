#include "presentation/SceneEditModel.h"

#include <cstdlib>
#include <cstring>
#include <string>
#include <utility>

namespace zor {
namespace {

// The handle whose edges follow the mouse when a new Item is drawn.
constexpr int32_t kBottomRightHandle = 7;

ItemMarker MarkerOnCapture(const Item& item, int32_t item_index, bool selected) {
  return {item.CaptureLeft, item.CaptureTop, item.CaptureLeft + item.CaptureWidth,
          item.CaptureTop + item.CaptureHeight, selected, item_index};
}

}  // namespace

bool CopyTemplate(const ScreenImage& frame, const EditRect& rect, TemplateImage& image) {
  if (frame.Empty() || rect.Width() <= 0 || rect.Height() <= 0) return false;
  const auto frame_w = static_cast<int64_t>(frame.width);
  const auto frame_h = static_cast<int64_t>(frame.height);
  if (rect.Left < 0 || rect.Top < 0 || rect.Right > frame_w || rect.Bottom > frame_h) return false;
  if (frame.pixels.size() < frame.StrideBytes() * frame.height) return false;
  const size_t row_bytes = static_cast<size_t>(rect.Width()) * 4;
  image.Width = rect.Width();
  image.Height = rect.Height();
  image.Pixels.resize(row_bytes * static_cast<size_t>(rect.Height()));
  for (int32_t row = 0; row < rect.Height(); ++row) {
    const size_t from = static_cast<size_t>(rect.Top + row) * frame.StrideBytes() + static_cast<size_t>(rect.Left) * 4;
    std::memcpy(image.Pixels.data() + static_cast<size_t>(row) * row_bytes, frame.pixels.data() + from, row_bytes);
  }
  return true;
}

std::shared_ptr<Item> SceneEditModel::CurrentItem() const {
  if (current_ < 0 || static_cast<size_t>(current_) >= markers_.size()) return nullptr;
  const int32_t index = markers_[static_cast<size_t>(current_)].ItemIndex;
  if (index < 0 || static_cast<size_t>(index) >= scene_->Items.size()) return nullptr;
  return scene_->Items[static_cast<size_t>(index)];
}

ItemMarker* SceneEditModel::Current() {
  if (current_ < 0 || static_cast<size_t>(current_) >= markers_.size()) return nullptr;
  return &markers_[static_cast<size_t>(current_)];
}

EditOutcome SceneEditModel::ButtonDown(int32_t x, int32_t y) {
  if (add_mode_) {
    AppendNewItem(x, y);
    drag_mode_ = kBottomRightHandle;
    dragging_ = true;
    return {.changed = true, .repaint = true};
  }
  ItemMarker* marker = Current();
  if (marker == nullptr) return {};
  const int handle = HitHandle(*marker, x, y);
  dragging_ = true;
  if (handle >= 0) {
    drag_mode_ = handle;
    return {};
  }
  if (marker->Normalised().Contains(x, y)) {
    drag_mode_ = kDragMove;
    anchor_x_ = x;
    anchor_y_ = y;
    return {.repaint = true};
  }
  drag_mode_ = kDragArea;
  press_x_ = x;
  press_y_ = y;
  area_ = {x, y, x, y};
  return {.repaint = true, .show_cross = true};
}

void SceneEditModel::AppendNewItem(int32_t x, int32_t y) {
  auto item = std::make_shared<Item>();
  item->Index = static_cast<int32_t>(scene_->Items.size());
  const std::string number = std::to_string(item->Index + 1);
  item->Name = u"ITEM" + std::u16string(number.begin(), number.end());
  item->CaptureLeft = x;
  item->CaptureTop = y;
  item->CaptureWidth = 1;
  item->CaptureHeight = 1;
  item->AnalysisType = engine_choice_;
  scene_->Items.push_back(item);
  markers_.push_back({x, y, x, y, true, item->Index});
  current_ = static_cast<int32_t>(markers_.size()) - 1;
}

EditOutcome SceneEditModel::MouseMove(int32_t x, int32_t y) {
  ItemMarker* marker = Current();
  if (!dragging_ || marker == nullptr) return {};
  if (!add_mode_ && drag_mode_ == kDragArea) {
    area_ = NormalisedRect(press_x_, press_y_, x, y);
    return {.changed = true, .repaint = true};
  }
  ApplyDrag(*marker, x, y);
  SyncCaptureRect(*marker);
  return {.changed = true, .repaint = true};
}

void SceneEditModel::ApplyDrag(ItemMarker& marker, int32_t x, int32_t y) {
  if (add_mode_) {
    marker.Right = x;
    marker.Bottom = y;
    return;
  }
  if (drag_mode_ == kDragMove) {
    const int32_t dx = x - anchor_x_;
    const int32_t dy = y - anchor_y_;
    marker.Left += dx;
    marker.Right += dx;
    marker.Top += dy;
    marker.Bottom += dy;
    anchor_x_ = x;
    anchor_y_ = y;
    return;
  }
  // Which edges each handle moves: left, top, right, bottom.
  static constexpr bool kEdges[kHandleCount][4] = {
      {true, true, false, false}, {false, true, false, false}, {false, true, true, false},
      {true, false, false, false}, {false, false, true, false}, {true, false, false, true},
      {false, false, false, true}, {false, false, true, true}};
  if (drag_mode_ < 0 || drag_mode_ >= kHandleCount) return;
  const bool* edges = kEdges[drag_mode_];
  if (edges[0]) marker.Left = x;
  if (edges[1]) marker.Top = y;
  if (edges[2]) marker.Right = x;
  if (edges[3]) marker.Bottom = y;
}

void SceneEditModel::SyncCaptureRect(const ItemMarker& marker) {
  if (marker.ItemIndex < 0 || static_cast<size_t>(marker.ItemIndex) >= scene_->Items.size()) return;
  Item& item = *scene_->Items[static_cast<size_t>(marker.ItemIndex)];
  const EditRect rect = marker.Normalised();
  item.CaptureLeft = rect.Left;
  item.CaptureTop = rect.Top;
  item.CaptureWidth = rect.Width();
  item.CaptureHeight = rect.Height();
}

EditOutcome SceneEditModel::ButtonUp(int32_t x, int32_t y) {
  EditOutcome outcome;
  if (add_mode_) {
    // Add mode ends with this release, whether or not the press drew anything.
    if (dragging_) FinishAdd();
    add_mode_ = false;
    outcome = {.changed = true, .repaint = true, .add_ended = true};
  } else if (dragging_ && drag_mode_ == kDragArea) {
    StoreAreaGesture(x, y);
    outcome = {.changed = true, .repaint = true};
  }
  drag_mode_ = kDragNone;
  dragging_ = false;
  return outcome;
}

void SceneEditModel::StoreAreaGesture(int32_t x, int32_t y) {
  const std::shared_ptr<Item> item = CurrentItem();
  if (!item) return;
  const int32_t dx = x - press_x_;
  const int32_t dy = y - press_y_;
  if (std::abs(dx) + std::abs(dy) < kClickSlopPixels) {
    item->ClickOffsetX = press_x_ - item->CaptureLeft;
    item->ClickOffsetY = press_y_ - item->CaptureTop;
    return;
  }
  // The rectangle shown while dragging, which ends where the button was released.
  area_ = NormalisedRect(press_x_, press_y_, x, y);
  item->WorkOffsetX = area_.Left - item->CaptureLeft;
  item->WorkOffsetY = area_.Top - item->CaptureTop;
  item->WorkWidth = std::abs(dx);
  item->WorkHeight = std::abs(dy);
}

void SceneEditModel::FinishAdd() {
  ItemMarker* marker = Current();
  if (marker == nullptr) return;
  const EditRect rect = marker->Normalised();
  if (rect.Width() >= kMinNewItemPixels && rect.Height() >= kMinNewItemPixels) {
    SyncCaptureRect(*marker);
  } else {
    DeleteCurrent();
  }
  // Either the template is taken or the markers are put back in step with the next frame.
  capture_pending_ = true;
}

EditOutcome SceneEditModel::KeyDown(EditKey key) {
  if (current_ < 0 || markers_.size() < 2) return {};
  const auto last = markers_.size() - 1;
  auto place = static_cast<size_t>(current_);
  switch (key) {
    case EditKey::Up:
      if (place > 0) SwapPlaces(place, place - 1), --place;
      break;
    case EditKey::Down:
      if (place < last) SwapPlaces(place, place + 1), ++place;
      break;
    case EditKey::Home:
      for (; place > 0; --place) SwapPlaces(place, place - 1);
      break;
    case EditKey::End:
      for (; place < last; ++place) SwapPlaces(place, place + 1);
      break;
    case EditKey::Delete:
      DeleteCurrent();
      return {.changed = true, .repaint = true};
  }
  current_ = static_cast<int32_t>(place);
  return {.changed = true, .repaint = true};
}

void SceneEditModel::SwapPlaces(size_t a, size_t b) {
  std::swap(scene_->Items[a], scene_->Items[b]);
  std::swap(markers_[a], markers_[b]);
  for (size_t place : {a, b}) {
    markers_[place].ItemIndex = static_cast<int32_t>(place);
    scene_->Items[place]->Index = static_cast<int32_t>(place);
  }
}

void SceneEditModel::DeleteCurrent() {
  if (current_ < 0 || static_cast<size_t>(current_) >= markers_.size()) return;
  const int32_t removed = markers_[static_cast<size_t>(current_)].ItemIndex;
  markers_.erase(markers_.begin() + current_);
  if (removed >= 0 && static_cast<size_t>(removed) < scene_->Items.size()) {
    scene_->Items.erase(scene_->Items.begin() + removed);
  }
  for (ItemMarker& marker : markers_) {
    if (marker.ItemIndex > removed) --marker.ItemIndex;
  }
  for (size_t place = 0; place < scene_->Items.size(); ++place) {
    scene_->Items[place]->Index = static_cast<int32_t>(place);
  }
  current_ = -1;
}

void SceneEditModel::StartAdd() {
  add_mode_ = true;
  for (ItemMarker& marker : markers_) marker.Selected = false;
  current_ = -1;
}

bool SceneEditModel::RequestRecapture() {
  const std::shared_ptr<Item> item = CurrentItem();
  if (!item) return false;
  item->Template.Pixels.clear();
  capture_pending_ = true;
  return true;
}

bool SceneEditModel::SelectItemIndex(int32_t item_index) {
  for (size_t place = 0; place < markers_.size(); ++place) {
    if (markers_[place].ItemIndex != item_index) continue;
    for (ItemMarker& marker : markers_) marker.Selected = false;
    current_ = static_cast<int32_t>(place);
    if (item_index >= 0 && static_cast<size_t>(item_index) < scene_->Items.size()) {
      markers_[place] = MarkerOnCapture(*scene_->Items[static_cast<size_t>(item_index)], item_index, true);
    }
    markers_[place].Selected = true;
    return true;
  }
  return false;
}

void SceneEditModel::RebuildMarkers() {
  // Markers pair with Items by position, so an Item's index is its place, whatever a file said.
  markers_.clear();
  for (size_t place = 0; place < scene_->Items.size(); ++place) {
    Item& item = *scene_->Items[place];
    item.Index = static_cast<int32_t>(place);
    markers_.push_back(MarkerOnCapture(item, item.Index, false));
  }
  current_ = -1;
}

void SceneEditModel::Clear() {
  scene_->Clear();
  markers_.clear();
  current_ = -1;
  saved_bytes_ = scene_->Encode();
}

bool SceneEditModel::HasUnsavedChanges() const { return scene_->Encode() != saved_bytes_; }

SaveResult SceneEditModel::SaveScene() {
  SaveResult result = scene_->Save(scene_->Name + kSceneExtension);
  if (result) saved_bytes_ = scene_->Encode();
  return result;
}

LoadResult SceneEditModel::LoadScene(const std::u16string& name) {
  // The old Items go now; a test runs on copies and holds none of them.
  scene_->Items.clear();
  LoadResult result = scene_->Load(name + kSceneExtension);
  RebuildMarkers();
  if (result) saved_bytes_ = scene_->Encode();
  return result;
}

bool SceneEditModel::CaptureFromFrame(const ScreenImage* frame) {
  if (!capture_pending_) return false;
  capture_pending_ = false;
  if (const std::shared_ptr<Item> item = CurrentItem()) {
    const EditRect rect{item->CaptureLeft, item->CaptureTop, item->CaptureLeft + item->CaptureWidth,
                        item->CaptureTop + item->CaptureHeight};
    TemplateImage& image = item->Template;
    if (item->CaptureWidth > 0 && item->CaptureHeight > 0) {
      const bool stale = image.Pixels.empty() || image.Width != rect.Width() || image.Height != rect.Height();
      if (stale && frame != nullptr) CopyTemplate(*frame, rect, image);
    } else {
      image = {};
    }
  }
  for (size_t place = 0; place < markers_.size() && place < scene_->Items.size(); ++place) {
    const ItemMarker old = markers_[place];
    markers_[place] = MarkerOnCapture(*scene_->Items[place], old.ItemIndex, old.Selected);
  }
  return true;
}

}  // namespace zor
