#include "scale/ScaleMain.h"

#include <filesystem>
#include <iostream>

#include "gui/GuiBenchSupport.h"
#include "scale/ScaleRun.h"
#include "scale/report/ScaleCsv.h"
#include "scale/report/ScalePlot.h"

namespace zor::bench {
namespace {

// Rewrites both files after every row, so an interrupted run keeps what it measured.
bool WriteReports(const ScaleOptions& options, const std::vector<ScaleRow>& rows) {
  std::string error;
  if (!WriteScaleCsv(options.out_dir + "/scale.csv", rows, error)) {
    std::cerr << "zorkvm-bench scale: " << error << "\n";
    return false;
  }
  QString plot_error;
  if (!WriteScalePlot(QString::fromStdString(options.out_dir + "/scale.png"), rows, plot_error)) {
    std::cerr << "zorkvm-bench scale: " << plot_error.toStdString() << "\n";
    return false;
  }
  return true;
}

}  // namespace

int RunScaleMode(const std::vector<std::string>& args) {
  std::string error;
  const std::optional<ScaleOptions> options = ParseScaleOptions(args, error);
  if (!options) {
    std::cerr << "zorkvm-bench scale: " << error << "\n" << ScaleUsage();
    return 2;
  }
  std::error_code ec;
  std::filesystem::create_directories(options->out_dir, ec);
  if (ec) {
    std::cerr << "zorkvm-bench scale: cannot create " << options->out_dir << ": " << ec.message() << "\n";
    return 2;
  }
  BenchApp();
  std::vector<ScaleRow> rows;
  bool all_measured = true;
  for (const std::string& type : options->types) {
    for (const std::string& series : options->series) {
      for (int devices : options->counts) {
        const ScaleCase c{type, series, devices};
        std::cerr << "zorkvm-bench scale: " << type << " " << series << " " << devices << " devices\n";
        std::optional<ScaleRow> row = RunScaleCase(*options, c, error);
        if (!row) {
          std::cerr << "zorkvm-bench scale: " << type << " " << series << " " << devices << ": " << error << "\n";
          all_measured = false;
          continue;
        }
        rows.push_back(*row);
        if (!WriteReports(*options, rows)) return 1;
      }
    }
  }
  return all_measured && !rows.empty() ? 0 : 1;
}

}  // namespace zor::bench
