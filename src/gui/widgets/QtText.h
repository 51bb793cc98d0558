#pragma once
// Conversions between the core's UTF-16 strings and Qt's QString (both UTF-16: no re-encoding).
#include <QString>
#include <string>

namespace zor {

inline QString ToQString(const std::u16string& text) {
  return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

inline std::u16string FromQString(const QString& text) { return text.toStdU16String(); }

}  // namespace zor
