#include "platform/Diag.h"

#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <vector>

#include "platform/CodePage.h"

namespace zor::diag {
namespace {

struct State {
  std::mutex mutex;
  Sink sink;
  bool all = false;
  std::vector<std::string> categories;
};

void ParseSpec(State& s, std::string_view spec) {
  s.all = spec == "1" || spec == "all" || spec == "*";
  s.categories.clear();
  while (!s.all && !spec.empty()) {
    const size_t comma = spec.find(',');
    std::string_view item = spec.substr(0, comma);
    if (!item.empty()) s.categories.emplace_back(item);
    spec = comma == std::string_view::npos ? std::string_view{} : spec.substr(comma + 1);
  }
}

State& GetState() {
  static State* state = [] {
    auto* s = new State;  // lives for the whole process: written to from threads at exit
    if (const char* env = std::getenv("ZORKVM_DEBUG")) ParseSpec(*s, env);
    return s;
  }();
  return *state;
}

bool EnabledLocked(const State& s, std::string_view category) {
  if (s.all) return true;
  for (const auto& c : s.categories) {
    if (c == category) return true;
  }
  return false;
}

}  // namespace

void SetSink(Sink sink) {
  State& s = GetState();
  std::lock_guard lock(s.mutex);
  s.sink = std::move(sink);
}

void SetEnabledCategories(std::string_view spec) {
  State& s = GetState();
  std::lock_guard lock(s.mutex);
  ParseSpec(s, spec);
}

bool Enabled(std::string_view category) {
  State& s = GetState();
  std::lock_guard lock(s.mutex);
  return EnabledLocked(s, category);
}

void Write(std::string_view category, std::string_view line) {
  State& s = GetState();
  std::lock_guard lock(s.mutex);
  if (!EnabledLocked(s, category)) return;
  if (s.sink) {
    s.sink(category, line);
    return;
  }
  std::fprintf(stderr, "%.*s\n", static_cast<int>(line.size()), line.data());
}

void Write(std::string_view category, std::u16string_view line) {
  if (Enabled(category)) Write(category, ToUtf8(line));
}

}  // namespace zor::diag
