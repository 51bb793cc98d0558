#pragma once
// Helpers of the GUI tests (header-only: the support folder's .cpp files go into every test
// program, also those without Qt). The tests run on Qt's offscreen platform.
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <functional>
#include <memory>

#include "gui/widgets/QtText.h"
#include "gui/widgets/UiTheme.h"
#include "gui/widgets/UiTranslations.h"
#include "model/AppConfig.h"

// LeakSanitizer (sanitizer builds): fontconfig keeps its cache and configuration for the life of
// the process (freed only by FcFini, which Qt never calls); that is not a leak of ours.
extern "C" __attribute__((used)) inline const char* __lsan_default_suppressions() {
  return "leak:libfontconfig.so\n";
}

namespace zor::test {

// The one QApplication of a test program, made on first use. It speaks Korean, whatever the
// machine's locale, so that the tests see the texts the program shows under a Korean locale; a
// test of the English texts switches with InstallUiLanguage and switches back.
inline QApplication& QtApp() {
  static int argc = 1;
  static char name[] = "zorkvm-test";
  static char* argv[] = {name, nullptr};
  static QApplication* app = [] {
    auto* a = new QApplication(argc, argv);
    LoadThemeFonts();
    InitGuiResources();
    InstallUiLanguage(UiLanguage::Korean);
    return a;
  }();
  return *app;
}

// Base of test fixtures that hold widgets as members: the application exists before them.
struct WithQtApp {
  WithQtApp() { QtApp(); }
};

// QSettings write into a temporary folder while it lives, not into the user's configuration.
class TemporarySettings {
 public:
  TemporarySettings() { QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir_.path()); }
  ~TemporarySettings() {
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                       QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation));
  }

 private:
  QTemporaryDir dir_;
};

// A fresh program folder (with Apps/ and Scenes/) that AppConfig points at while it lives.
class ProgramFolder {
 public:
  ProgramFolder() {
    QDir(dir_.path()).mkpath("Apps");
    QDir(dir_.path()).mkpath("Scenes");
    AppConfig::Instance().SetFolders(FromQString(dir_.path() + "/zorkvm"));
  }
  QString Path(const QString& name = {}) const { return dir_.path() + "/" + name; }

 private:
  QTemporaryDir dir_;
};

// Runs `action` on the next modal widget (dialog or message box) once it is shown; the caller
// then starts what opens it. Gives up after `timeout_ms`, which fails the waiting test by
// leaving the modal open only until the caller's own wait ends.
inline void OnNextModal(std::function<void(QWidget*)> action, int timeout_ms = 5000) {
  auto* timer = new QTimer;
  auto elapsed = std::make_shared<QElapsedTimer>();
  elapsed->start();
  QObject::connect(timer, &QTimer::timeout, [timer, elapsed, action = std::move(action), timeout_ms] {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == nullptr && elapsed->elapsed() < timeout_ms) return;
    timer->stop();
    timer->deleteLater();
    if (modal != nullptr) action(modal);
  });
  timer->start(10);
}

// What a message box said, and the answer given to it.
struct MessageSeen {
  QString caption;
  QString text;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  bool seen = false;
};

// Answers the next message box with `button` and records it in `seen`.
inline void AnswerNextMessage(MessageSeen& seen, QMessageBox::StandardButton button) {
  OnNextModal([&seen, button](QWidget* modal) {
    auto* box = qobject_cast<QMessageBox*>(modal);
    if (box == nullptr) return;
    seen = {box->windowTitle(), box->text(), box->icon(), true};
    if (QAbstractButton* b = box->button(button)) {
      b->click();
    } else {
      box->reject();
    }
  });
}

// Answers the message boxes that follow one another (a question, then its outcome) in turn.
inline void AnswerMessagesInTurn(std::vector<std::pair<MessageSeen*, QMessageBox::StandardButton>> answers) {
  if (answers.empty()) return;
  const auto [seen, button] = answers.front();
  answers.erase(answers.begin());
  OnNextModal([seen, button, rest = std::move(answers)](QWidget* modal) {
    auto* box = qobject_cast<QMessageBox*>(modal);
    if (box == nullptr) return;
    *seen = {box->windowTitle(), box->text(), box->icon(), true};
    AnswerMessagesInTurn(rest);
    if (QAbstractButton* b = box->button(button)) {
      b->click();
    } else {
      box->reject();
    }
  });
}

// Lets queued events (repaints, posted commands) run.
inline void Settle(int rounds = 3) {
  for (int i = 0; i < rounds; ++i) QApplication::processEvents();
}

}  // namespace zor::test
