#pragma once
// The JSON line of each event of a device's run, in one place for everyone who writes them:
// zorkvm-cli run prints them, a run log stores them (with the time and its pictures). Keys
// keep their order, so a line reads the same wherever it is written.
#include <cstddef>
#include <nlohmann/json.hpp>
#include <string>

#include "automation/RunObserver.h"
#include "model/ScreenImage.h"

namespace zor {

// Where a run's lines go. Called on the threads of IRunObserver (several at once): a sink
// writes each line whole and never blocks its caller for long.
class IRunEventSink {
 public:
  virtual ~IRunEventSink() = default;
  virtual void Write(const nlohmann::ordered_json& line) = 0;
};

// Turns what the runner of device `device` reports into lines for `sink`.
class RunEventLines : public IRunObserver {
 public:
  RunEventLines(IRunEventSink& sink, size_t device) : sink_(sink), device_(device) {}

  void OnSceneLoaded(const AppInfo& app) override;
  void OnItemEvaluated(const AppInfo& app, const Item& item, const WorkRect& area,
                       const AnalysisResult& result) override;
  void OnActionSent(const AppInfo& app, const Item& item, const ItemAction& action) override;
  void OnSceneChanged(const AppInfo& app) override;
  void OnAppIdle(const AppInfo& app) override;
  void OnHoldChanged(HoldReason hold) override;
  void OnStalled(const AppInfo& app, int64_t seconds) override;

 private:
  nlohmann::ordered_json AppLine(const char* event, const AppInfo& app,
                                 const nlohmann::ordered_json& details = nlohmann::ordered_json::object()) const;

  IRunEventSink& sink_;
  const size_t device_;
};

// The device showed its first picture.
nlohmann::ordered_json ConnectedLine(size_t device, const ScreenImage& frame);
// An App's file could not be read whole; the runner runs it with what it could read.
nlohmann::ordered_json AppLoadFailedLine(size_t device, const std::u16string& app, const std::string& reason);

}  // namespace zor
