#include "scale/ScaleMain.h"

#include <filesystem>
#include <fstream>
#include <iostream>

#include "gui/GuiBenchSupport.h"
#include "platform/HeapTrimmer.h"
#include "scale/ScaleRun.h"
#include "scale/report/ScaleCsv.h"
#include "scale/report/ScalePlot.h"
#include "support/ChildProcess.h"
#include "support/TempDir.h"

namespace zor::bench {
namespace {

// A row's process connects (at most 3 minutes), warms up and measures; past this much more it
// is taken as hung and killed.
constexpr int kRowSlackMs = 300000;

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

// In the process the run started for one row: measures it, prints its CSV line.
int MeasureRow(const ScaleOptions& options, const ScaleCase& c) {
  BenchApp();
  const HeapTrimmer heap_trimmer;  // as the program's main makes one
  std::string error;
  const std::optional<ScaleRow> row = RunScaleCase(options, c, error);
  if (!row) {
    std::cerr << "zorkvm-bench scale: " << c.type << " " << c.series << " " << c.devices << ": " << error << "\n";
    return 1;
  }
  std::cout << ScaleCsvLine(*row) << std::endl;
  return 0;
}

// Runs one row in a process of its own and reads back its line.
std::optional<ScaleRow> RowInChild(const ScaleOptions& options, const ScaleCase& c) {
  test::TempDir dir;
  std::vector<std::string> argv = RowArguments(options, c);
  argv.insert(argv.begin(), std::filesystem::read_symlink("/proc/self/exe").string());
  test::ChildProcess child(argv, dir.File("row.csv"));
  const int timeout_ms = static_cast<int>((options.seconds + options.warmup_seconds) * 1000) + kRowSlackMs;
  const int exit_code = child.Started() ? child.WaitExit(timeout_ms) : -1;
  std::string line;
  std::getline(std::ifstream(dir.File("row.csv")), line);
  std::optional<ScaleRow> row = ParseScaleCsvLine(line);
  if (exit_code != 0 || !row) {
    std::cerr << "zorkvm-bench scale: " << c.type << " " << c.series << " " << c.devices
              << ": the row's process ended with " << exit_code << " and no row\n";
    return std::nullopt;
  }
  return row;
}

int Replot(const ScaleOptions& options) {
  BenchApp();
  std::vector<ScaleRow> rows;
  std::string error;
  if (!ReadScaleCsv(options.out_dir + "/scale.csv", rows, error)) {
    std::cerr << "zorkvm-bench scale: " << error << "\n";
    return 1;
  }
  return WriteReports(options, rows) ? 0 : 1;
}

}  // namespace

int RunScaleMode(const std::vector<std::string>& args) {
  std::string error;
  const std::optional<ScaleOptions> options = ParseScaleOptions(args, error);
  if (!options) {
    std::cerr << "zorkvm-bench scale: " << error << "\n" << ScaleUsage();
    return 2;
  }
  if (options->row) return MeasureRow(*options, *options->row);
  if (options->replot) return Replot(*options);
  std::error_code ec;
  std::filesystem::create_directories(options->out_dir, ec);
  if (ec) {
    std::cerr << "zorkvm-bench scale: cannot create " << options->out_dir << ": " << ec.message() << "\n";
    return 2;
  }
  BenchApp();  // for the plot's fonts
  std::vector<ScaleRow> rows;
  bool all_measured = true;
  for (const std::string& type : options->types) {
    for (const std::string& series : options->series) {
      for (int devices : options->counts) {
        std::cerr << "zorkvm-bench scale: " << type << " " << series << " " << devices << " devices\n";
        std::optional<ScaleRow> row = RowInChild(*options, {type, series, devices});
        all_measured = all_measured && row.has_value();
        if (!row) continue;
        rows.push_back(*row);
        if (!WriteReports(*options, rows)) return 1;
      }
    }
  }
  return all_measured && !rows.empty() ? 0 : 1;
}

}  // namespace zor::bench
