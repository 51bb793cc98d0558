#include "SimMessageLog.h"

#include <nlohmann/json.hpp>

namespace zor::sim {
namespace {

std::string Hex(std::string_view bytes) {
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string out;
  out.reserve(bytes.size() * 2);
  for (unsigned char c : bytes) {
    out.push_back(kDigits[c >> 4]);
    out.push_back(kDigits[c & 0x0F]);
  }
  return out;
}

int64_t UnixMs() {
  using namespace std::chrono;
  return duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
}

}  // namespace

SimMessageLog::SimMessageLog(const std::string& path) {
  if (path.empty() || path == "-") {
    out_ = stdout;
  } else {
    out_ = std::fopen(path.c_str(), "a");
    owns_file_ = out_ != nullptr;
  }
}

SimMessageLog::~SimMessageLog() {
  if (owns_file_) std::fclose(out_);
}

double SimMessageLog::ElapsedMs() const {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start_).count();
}

void SimMessageLog::Message(int device, std::string_view channel, std::string_view peer, bool binary,
                            std::string_view payload) {
  nlohmann::ordered_json line{{"time_ms", ElapsedMs()}, {"unix_ms", UnixMs()}, {"device", device},
                              {"channel", channel},     {"peer", peer}};
  if (binary) {
    line["binary"] = Hex(payload);
  } else {
    line["text"] = payload;
  }
  WriteLine(line.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace));
}

void SimMessageLog::Decoded(int device, std::string_view channel, std::string_view peer,
                            const nlohmann::ordered_json& fields) {
  nlohmann::ordered_json line{{"time_ms", ElapsedMs()}, {"unix_ms", UnixMs()}, {"device", device},
                              {"channel", channel},     {"peer", peer}};
  line.update(fields);
  WriteLine(line.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace));
}

void SimMessageLog::Event(int device, std::string_view channel, std::string_view peer, std::string_view event) {
  nlohmann::ordered_json line{{"time_ms", ElapsedMs()}, {"unix_ms", UnixMs()}, {"device", device},
                              {"channel", channel},     {"peer", peer},         {"event", event}};
  WriteLine(line.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace));
}

void SimMessageLog::WriteLine(const std::string& line) {
  if (!out_) return;
  std::lock_guard lock(mutex_);
  std::fwrite(line.data(), 1, line.size(), out_);
  std::fputc('\n', out_);
  std::fflush(out_);
}

}  // namespace zor::sim
