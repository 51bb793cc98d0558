// `zorkvm-bench scale` end to end against zorkvm-sim, short: the rows are there and their values
// are sane (never how fast anything was), and the plot loads.
#include <QImage>
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>

#include "support/RunProgram.h"
#include "support/TempDir.h"
#include "support/gui/QtTestSupport.h"

namespace zor {
namespace {

std::vector<std::string> Fields(const std::string& line) {
  std::vector<std::string> fields;
  std::istringstream in(line);
  for (std::string f; std::getline(in, f, ',');) fields.push_back(f);
  return fields;
}

// Each data line of a CSV as column name to value.
std::vector<std::map<std::string, std::string>> ReadCsv(const std::string& path) {
  std::ifstream in(path);
  std::string line;
  std::getline(in, line);
  const std::vector<std::string> header = Fields(line);
  std::vector<std::map<std::string, std::string>> rows;
  while (std::getline(in, line)) {
    const std::vector<std::string> values = Fields(line);
    std::map<std::string, std::string> row;
    for (size_t i = 0; i < header.size() && i < values.size(); ++i) row[header[i]] = values[i];
    rows.push_back(row);
  }
  return rows;
}

class ScaleLive : public test::WithQtApp, public ::testing::Test {};

TEST_F(ScaleLive, ShortThumbnailRunWritesOneSaneRowPerDeviceCountAndThePlot) {
  test::TempDir out;
  const test::ProgramResult run =
      test::RunProgram(ZORKVM_TOOLS_DIR "/zorkvm-bench", {"scale", out.Path(), "--counts", "1,2", "--seconds", "2",
                                                          "--warmup", "0.5", "--types", "softkvm", "--series", "thumbs"});
  ASSERT_EQ(run.exit_code, 0) << run.err;
  const auto rows = ReadCsv(out.File("scale.csv"));
  ASSERT_EQ(rows.size(), 2u);
  for (size_t i = 0; i < rows.size(); ++i) {
    const auto& r = rows[i];
    EXPECT_EQ(r.at("type"), "softkvm");
    EXPECT_EQ(r.at("series"), "thumbs");
    EXPECT_EQ(std::stoi(r.at("devices")), static_cast<int>(i + 1));
    EXPECT_GT(std::stod(r.at("cpu_percent")), 0);
    EXPECT_GT(std::stod(r.at("rss_mb")), 0);
    EXPECT_GT(std::stoi(r.at("threads")), 1);
    EXPECT_GT(std::stoull(r.at("frames_received")), 0u);
    EXPECT_GT(std::stoull(r.at("frames_painted")), 0u);
    EXPECT_LE(std::stoull(r.at("frames_painted")), std::stoull(r.at("frames_received")));
    EXPECT_EQ(std::stoull(r.at("frames_analysed")), 0u);  // no Apps in this series
    EXPECT_GE(std::stod(r.at("latency_median_ms")), 0);
    EXPECT_GE(std::stod(r.at("latency_p99_ms")), std::stod(r.at("latency_median_ms")));
    EXPECT_GT(std::stod(r.at("decode_ms_per_s")), 0);
    EXPECT_GT(std::stod(r.at("paint_ms_per_s")), 0);
  }
  const QImage plot(QString::fromStdString(out.File("scale.png")));
  EXPECT_FALSE(plot.isNull());
}

TEST_F(ScaleLive, BadCommandLineSaysWhyAndWritesNothing) {
  test::TempDir out;
  const test::ProgramResult run =
      test::RunProgram(ZORKVM_TOOLS_DIR "/zorkvm-bench", {"scale", out.Path(), "--counts", "1,65"});
  EXPECT_EQ(run.exit_code, 2);
  EXPECT_NE(run.err.find("--counts"), std::string::npos) << run.err;
  EXPECT_FALSE(std::ifstream(out.File("scale.csv")).good());
}

}  // namespace
}  // namespace zor
