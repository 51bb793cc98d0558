#include "platform/CodePage.h"

#include <iconv.h>

#include <cstdint>
#include <cstring>

namespace zor {
namespace {

// iconv descriptors are not thread-safe; each conversion opens its own. Opening costs a few
// microseconds, which is nothing next to the file I/O these conversions sit beside.
class Iconv {
 public:
  Iconv(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
  ~Iconv() {
    if (ok()) iconv_close(cd_);
  }
  Iconv(const Iconv&) = delete;
  Iconv& operator=(const Iconv&) = delete;
  bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }
  iconv_t get() const { return cd_; }

 private:
  iconv_t cd_;
};

// Converts one UTF-16 unit sequence (a BMP character or a surrogate pair) to code page 949;
// appends '?' when the code page has no such character.
void AppendOneChar(const Iconv& cv, const char16_t* units, size_t count, std::string& out) {
  char buffer[8];
  char* in = reinterpret_cast<char*>(const_cast<char16_t*>(units));
  size_t in_left = count * sizeof(char16_t);
  char* dst = buffer;
  size_t dst_left = sizeof(buffer);
  iconv(cv.get(), nullptr, nullptr, nullptr, nullptr);
  if (iconv(cv.get(), &in, &in_left, &dst, &dst_left) == static_cast<size_t>(-1) || in_left != 0) {
    out.push_back('?');
    return;
  }
  out.append(buffer, static_cast<size_t>(dst - buffer));
}

bool IsHighSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

}  // namespace

bool ToCodePage949(std::u16string_view text, std::string& out) {
  out.clear();
  if (text.empty()) return true;
  Iconv cv("CP949", "UTF-16LE");
  if (!cv.ok()) return false;
  out.reserve(text.size() * 2);
  for (size_t i = 0; i < text.size(); ++i) {
    const char16_t c = text[i];
    if (c < 0x80) {
      out.push_back(static_cast<char>(c));
    } else if (IsHighSurrogate(c) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
      AppendOneChar(cv, &text[i], 2, out);
      ++i;
    } else {
      AppendOneChar(cv, &text[i], 1, out);
    }
  }
  return true;
}

std::string ToCodePage949(std::u16string_view text) {
  std::string out;
  ToCodePage949(text, out);
  return out;
}

namespace {

// Converts `bytes` from code page 949. An invalid or cut-off sequence gives an empty result, or,
// with `replace`, a '?' for its first byte, after which conversion goes on at the next byte.
std::u16string ConvertFrom949(std::string_view bytes, bool replace) {
  if (bytes.empty()) return {};
  Iconv cv("UTF-16LE", "CP949");
  if (!cv.ok()) return {};
  std::u16string out(bytes.size(), u'\0');  // never more UTF-16 units than bytes
  char* in = const_cast<char*>(bytes.data());
  size_t in_left = bytes.size();
  char* dst = reinterpret_cast<char*>(out.data());
  size_t dst_left = out.size() * sizeof(char16_t);
  while (in_left > 0) {
    if (iconv(cv.get(), &in, &in_left, &dst, &dst_left) != static_cast<size_t>(-1)) break;
    if (!replace || dst_left < sizeof(char16_t)) return {};
    const char16_t question = u'?';
    std::memcpy(dst, &question, sizeof question);
    dst += sizeof question;
    dst_left -= sizeof question;
    ++in;
    --in_left;
    iconv(cv.get(), nullptr, nullptr, nullptr, nullptr);
  }
  out.resize((out.size() * sizeof(char16_t) - dst_left) / sizeof(char16_t));
  return out;
}

}  // namespace

std::u16string FromCodePage949(std::string_view bytes) { return ConvertFrom949(bytes, false); }

std::u16string FromCodePage949Replacing(std::string_view bytes) { return ConvertFrom949(bytes, true); }

std::u16string FromUtf8(std::string_view utf8) {
  std::u16string out;
  out.reserve(utf8.size());
  size_t i = 0;
  const auto byte = [&](size_t k) { return static_cast<unsigned char>(utf8[k]); };
  while (i < utf8.size()) {
    const unsigned char b = byte(i);
    uint32_t cp = 0xFFFD;
    size_t len = 1;
    if (b < 0x80) {
      cp = b;
    } else if ((b & 0xE0) == 0xC0) {
      len = 2;
    } else if ((b & 0xF0) == 0xE0) {
      len = 3;
    } else if ((b & 0xF8) == 0xF0) {
      len = 4;
    }
    if (len > 1) {
      bool valid = i + len <= utf8.size();
      uint32_t value = b & (0x7F >> len);
      for (size_t k = 1; valid && k < len; ++k) {
        valid = (byte(i + k) & 0xC0) == 0x80;
        value = (value << 6) | (byte(i + k) & 0x3F);
      }
      static constexpr uint32_t kMinimum[] = {0, 0, 0x80, 0x800, 0x10000};
      if (valid && value >= kMinimum[len] && value <= 0x10FFFF && (value < 0xD800 || value > 0xDFFF)) {
        cp = value;
      } else {
        len = 1;
      }
    }
    if (cp >= 0x10000) {
      cp -= 0x10000;
      out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
      out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
    } else {
      out.push_back(static_cast<char16_t>(cp));
    }
    i += len;
  }
  return out;
}

std::string ToUtf8(std::u16string_view text) {
  std::string out;
  out.reserve(text.size() * 3);
  for (size_t i = 0; i < text.size(); ++i) {
    uint32_t cp = text[i];
    if (IsHighSurrogate(text[i]) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
      cp = 0x10000 + ((cp - 0xD800) << 10) + (text[i + 1] - 0xDC00);
      ++i;
    } else if (cp >= 0xD800 && cp <= 0xDFFF) {
      cp = 0xFFFD;
    }
    if (cp < 0x80) {
      out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
      out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
      out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
      out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
      out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
      out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
      out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
  }
  return out;
}

}  // namespace zor
