#include "gui/widgets/UiTheme.h"

#include <QFontDatabase>
#include <array>
#include <utility>

#include "platform/Diag.h"

static void InitZorkvmResource() { Q_INIT_RESOURCE(zorkvm); }

namespace zor {
namespace {

// Where Debian's packages put the fonts, used when fontconfig does not list them.
constexpr std::array<const char*, 2> kFontFiles = {
    "/usr/share/fonts/opentype/font-awesome/FontAwesome.otf",
    "/usr/share/fonts/truetype/nanum/NanumGothic.ttf",
};

// Windows icon code point -> Font Awesome 4.7 code point, chosen by what the button does.
constexpr std::array<std::pair<char16_t, char16_t>, 19> kIconMap = {{
    {glyph::kAppManager, 0xF1B3},        // cubes: the Apps
    {glyph::kAddDevice, 0xF0FE},         // plus-square
    {glyph::kSettings, 0xF013},          // cog
    {glyph::kWeb, 0xF0AC},               // globe
    {glyph::kStartAutomation, 0xF04B},   // play
    {glyph::kStopAutomation, 0xF04D},    // stop
    {glyph::kPause, 0xF04C},             // pause
    {glyph::kResume, 0xF144},            // play-circle
    {glyph::kConnect, 0xF1E6},           // plug
    {glyph::kDisconnect, 0xF011},        // power-off: ends the connection (not a broken one)
    {glyph::kDelete, 0xF1F8},            // trash
    {glyph::kSceneEditor, 0xF03E},       // picture-o
    {glyph::kEdit, 0xF040},              // pencil
    {glyph::kAddItemPressed, 0xF05B},    // crosshairs: drawing a new Item
    {glyph::kRecapture, 0xF030},         // camera
    {glyph::kToggleActive, 0xF205},      // toggle-on
    {glyph::kResetItems, 0xF021},        // refresh
    {glyph::kSaveScene, 0xF0C7},         // floppy-o
    {glyph::kTestScene, 0xF04E},         // forward: run the whole Scene
}};
constexpr char16_t kUnknownIcon = 0xF059;  // question-circle

QString MappedFamily(const std::u16string& windows_face) {
  return windows_face == kIconFontRequest.face ? QString(kIconFamily) : QString(kTextFamily);
}

}  // namespace

void InitGuiResources() { InitZorkvmResource(); }

void LoadThemeFonts() {
  static const bool loaded = [] {
    const QStringList families = QFontDatabase::families();
    if (families.contains(kIconFamily) && families.contains(kTextFamily)) return true;
    for (const char* file : kFontFiles) {
      if (QFontDatabase::addApplicationFont(file) < 0) diag::Write("ui", std::string("cannot load font ") + file);
    }
    return true;
  }();
  (void)loaded;
}

QFont ToQFont(const FontSpec& spec) {
  QFont font(MappedFamily(spec.face));
  font.setPixelSize(spec.pixel_height);
  // Windows weights run 100..900 like CSS; Qt 6 uses the same scale.
  font.setWeight(static_cast<QFont::Weight>(spec.weight));
  font.setStyleStrategy(QFont::PreferAntialias);
  return font;
}

QFont IconFont() { return ToQFont(kIconFontRequest); }
QFont UiFont() { return ToQFont(kUiFontRequest); }
QFont StateTextFont() { return ToQFont(FontSpec{kUiFontRequest.face, 32, 700}); }

QString IconText(char16_t windows_code_point) {
  for (const auto& [windows, mapped] : kIconMap) {
    if (windows == windows_code_point) return QString(QChar(mapped));
  }
  diag::Write("ui", "no icon for code point " + std::to_string(windows_code_point));
  return QString(QChar(kUnknownIcon));
}

}  // namespace zor
