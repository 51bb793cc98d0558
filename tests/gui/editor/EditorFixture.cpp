#include "EditorFixture.h"

#include <chrono>
#include <thread>

#include "automation/AutoRunner.h"
#include "gui/widgets/StateIconButton.h"
#include "presentation/ItemListLayout.h"

namespace zor::test {
namespace {

void SendMouse(QWidget& widget, QEvent::Type type, int x, int y, Qt::MouseButton button, Qt::MouseButtons held) {
  const QPointF local(x, y);
  QMouseEvent event(type, local, widget.mapToGlobal(local), button, held, Qt::NoModifier);
  QApplication::sendEvent(&widget, &event);
}

}  // namespace

FramePtr MakeGradientFrame(uint32_t width, uint32_t height) {
  auto image = std::make_shared<ScreenImage>();
  image->width = width;
  image->height = height;
  image->pixels.resize(static_cast<size_t>(width) * height * 4);
  for (uint32_t y = 0; y < height; ++y) {
    for (uint32_t x = 0; x < width; ++x) {
      uint8_t* p = &image->pixels[(static_cast<size_t>(y) * width + x) * 4];
      p[0] = static_cast<uint8_t>(x);
      p[1] = static_cast<uint8_t>(y);
      p[2] = static_cast<uint8_t>(x + y);
      p[3] = 255;
    }
  }
  return image;
}

bool WaitWithEvents(const std::function<bool()>& done, int timeout_ms) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout_ms);
  while (!done()) {
    if (std::chrono::steady_clock::now() >= deadline) return false;
    QApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return true;
}

EditorFixture::EditorFixture() : editor_(std::make_unique<SceneEditor>(kWidth, kHeight)) {
  device_.Type = 7;  // no driver: a test hands the frames to the session itself
  DeviceSession& session = controller_.Session();
  controller_.SetRunner(std::make_unique<AutoRunner>(session, session, session));
  controller_.AttachSceneEditor(editor_.get());
  editor_->SetTestControl(&controller_);
  editor_->ShowAndFocus();
  Settle();
}

EditorFixture::~EditorFixture() {
  controller_.DetachSceneEditor();  // a test still running ends before the editor goes
  editor_.reset();
  Settle();
}

void EditorFixture::Press(int x, int y) {
  SendMouse(View(), QEvent::MouseButtonPress, x, y, Qt::LeftButton, Qt::LeftButton);
}

void EditorFixture::Move(int x, int y) { SendMouse(View(), QEvent::MouseMove, x, y, Qt::NoButton, Qt::LeftButton); }

void EditorFixture::Release(int x, int y) {
  SendMouse(View(), QEvent::MouseButtonRelease, x, y, Qt::LeftButton, Qt::NoButton);
}

void EditorFixture::Drag(int x1, int y1, int x2, int y2) {
  Press(x1, y1);
  Move(x2, y2);
  Release(x2, y2);
}

void EditorFixture::Key(int key) {
  QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier);
  QApplication::sendEvent(&View(), &event);
}

void EditorFixture::DrawItem(int x1, int y1, int x2, int y2) {
  Click(kAddItemCommand);
  Drag(x1, y1, x2, y2);
}

void EditorFixture::DeliverFrame(const FramePtr& frame) {
  editor_->OnFrame(frame);
  Settle();
}

void EditorFixture::Click(int command_id) { Tool().Button(command_id)->Press(kNotifyClick); }

void EditorFixture::ClickList(int x, int y) {
  QWidget& viewport = *Tool().List()->viewport();
  SendMouse(viewport, QEvent::MouseButtonPress, x, y, Qt::LeftButton, Qt::LeftButton);
}

void EditorFixture::ClickItemRow(int row) { ClickList(40, ItemRowTop(row, Tool().List()->ScrollPosition()) + 30); }

}  // namespace zor::test
