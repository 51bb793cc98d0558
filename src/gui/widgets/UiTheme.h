#pragma once
// The shared fonts and colours of the GUI, made from the program's font requests. The Windows faces
// are mapped to Debian fonts: the icon font to Font Awesome (fonts-font-awesome), the text fonts
// to NanumGothic (fonts-nanum), which draws Hangul and Latin alike. GUI thread only.
#include <QColor>
#include <QFont>
#include <QString>
#include <string>

#include "model/AppConfig.h"

namespace zor {

// A font request as the Windows program made it; ToQFont maps the face to an installed font.
struct FontSpec {
  std::u16string face;
  int pixel_height = 18;
  int weight = 400;
};
inline const FontSpec kIconFontRequest{u"Segoe MDL2 Assets", 18, 400};
inline const FontSpec kUiFontRequest{u"Segoe UI", 18, 400};

// The grey of panels and bars, the lighter grey under the pointer, and the container's black.
inline constexpr Rgb kPanelColor{60, 60, 60};
inline constexpr Rgb kHoverColor{80, 80, 80};
inline constexpr Rgb kClientsBackColor{0, 0, 0};

// Family names of the installed fonts that stand in for the Windows faces.
inline constexpr char kIconFamily[] = "FontAwesome";
inline constexpr char kTextFamily[] = "NanumGothic";

// Makes sure the stand-in families are known to Qt (adds the font files when fontconfig does not
// list them). Call once after the QApplication exists; later calls do nothing.
void LoadThemeFonts();

// Registers the GUI library's resources (logo, program icon); a static library needs its
// initialiser called. Safe to call more than once.
void InitGuiResources();

// The Qt font for a font request (pixel height, weight), in its mapped family.
QFont ToQFont(const FontSpec& spec);
QFont IconFont();  // kIconFontRequest
QFont UiFont();    // kUiFontRequest
// The thumbnail's state texts: bold, 32 pixels.
QFont StateTextFont();

inline QColor ToQColor(Rgb c) { return QColor(c.r, c.g, c.b); }

// The text to draw for an icon glyph given as its code point of the Windows icon font. Each glyph
// is mapped by the button's function to a Font Awesome icon; an unknown code point draws a
// question mark icon (never an empty box) and writes a diagnostic line.
QString IconText(char16_t windows_code_point);

// The Windows code points the program uses, by function.
namespace glyph {
inline constexpr char16_t kAppManager = 0xEBC6;
inline constexpr char16_t kAddDevice = 0xF8AA;
inline constexpr char16_t kSettings = 0xE713;
inline constexpr char16_t kWeb = 0xE9CE;
inline constexpr char16_t kStartAutomation = 0xF5B0;
inline constexpr char16_t kStopAutomation = 0xE73B;
inline constexpr char16_t kPause = 0xF8AE;
inline constexpr char16_t kResume = 0xEC58;
inline constexpr char16_t kConnect = 0xF71C;
inline constexpr char16_t kDisconnect = 0xF71D;
inline constexpr char16_t kDelete = 0xE74D;
inline constexpr char16_t kSceneEditor = 0xF407;
inline constexpr char16_t kEdit = 0xEC4E;
// The Scene Tool's buttons (adding an Item shows kSceneEditor).
inline constexpr char16_t kAddItemPressed = 0xEBFC;
inline constexpr char16_t kRecapture = 0xEE6F;
inline constexpr char16_t kToggleActive = 0xEDAB;
inline constexpr char16_t kResetItems = 0xE72C;
inline constexpr char16_t kSaveScene = 0xE74E;
inline constexpr char16_t kTestScene = 0xF093;
}  // namespace glyph

}  // namespace zor
