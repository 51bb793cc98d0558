#pragma once
// Diagnostic lines: the program's trace output, silent by default.
// Enable with the environment variable ZORKVM_DEBUG: "1" or "all" for every category, or a
// comma-separated list of categories ("client,drivers"). A host (the GUI) may install its own
// sink; otherwise enabled lines go to standard error. Thread-safe.
#include <functional>
#include <string>
#include <string_view>

namespace zor::diag {

using Sink = std::function<void(std::string_view category, std::string_view line)>;

// Replaces the output of enabled lines; an empty sink restores standard error.
void SetSink(Sink sink);

// Overrides ZORKVM_DEBUG (the same syntax); used by tools and tests.
void SetEnabledCategories(std::string_view spec);

bool Enabled(std::string_view category);

// Writes one line (UTF-8, no trailing newline needed) when its category is enabled.
void Write(std::string_view category, std::string_view line);
void Write(std::string_view category, std::u16string_view line);

}  // namespace zor::diag
