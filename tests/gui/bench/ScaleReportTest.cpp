// The scale report's arithmetic and files: latency percentiles, the CSV's columns whatever the
// locale, and the plot's PNG.
#include <QImage>
#include <gtest/gtest.h>

#include <fstream>
#include <optional>
#include <sstream>

#include "platform/FileIO.h"
#include "scale/report/Percentile.h"
#include "scale/report/ScaleCsv.h"
#include "scale/report/ScalePlot.h"
#include "support/DecimalCommaLocale.h"
#include "support/TempDir.h"
#include "support/gui/QtTestSupport.h"

namespace zor::bench {
namespace {

struct PercentileCase {
  std::vector<int64_t> samples;
  double percent;
  std::optional<int64_t> expected;
};

class NearestRank : public ::testing::TestWithParam<PercentileCase> {};

TEST_P(NearestRank, PicksTheSmallestSampleThatCoversThePercent) {
  const PercentileCase& c = GetParam();
  EXPECT_EQ(NearestRankPercentile(c.samples, c.percent), c.expected);
}

std::vector<int64_t> OneTo(int64_t n) {
  std::vector<int64_t> v;
  for (int64_t i = n; i >= 1; --i) v.push_back(i);  // unsorted on purpose
  return v;
}

INSTANTIATE_TEST_SUITE_P(Table, NearestRank,
                         ::testing::Values(PercentileCase{{7}, 50, 7}, PercentileCase{{7}, 99, 7},
                                           PercentileCase{{4, 1, 3, 2}, 50, 2}, PercentileCase{{4, 1, 3, 2}, 75, 3},
                                           PercentileCase{OneTo(100), 99, 99}, PercentileCase{OneTo(1000), 99, 990},
                                           PercentileCase{OneTo(10), 100, 10}, PercentileCase{{}, 50, std::nullopt},
                                           PercentileCase{{1, 2}, 0, std::nullopt},
                                           PercentileCase{{1, 2}, 101, std::nullopt}));

TEST(PercentileMs, NanosecondsBecomeMillisecondsAndNoSamplesMinusOne) {
  EXPECT_DOUBLE_EQ(PercentileMs({2500000, 1500000}, 100), 2.5);
  EXPECT_DOUBLE_EQ(PercentileMs({}, 50), -1);
}

ScaleRow SampleRow(int devices, double cpu_percent, double rss_mb) {
  ScaleRow r;
  r.type = "softkvm";
  r.series = "thumbs";
  r.devices = devices;
  r.seconds = 10;
  r.cpu_percent = cpu_percent;
  r.rss_mb = rss_mb;
  r.threads = 9;
  r.frames_received = 400;
  r.frames_painted = 390;
  r.latency_median_ms = 3.25;
  r.latency_p99_ms = 12.5;
  r.stage_ms_per_s = {10, 30, 0, 60, 0};
  return r;
}

std::vector<std::string> Fields(const std::string& line) {
  std::vector<std::string> fields;
  std::istringstream in(line);
  for (std::string f; std::getline(in, f, ',');) fields.push_back(f);
  return fields;
}

TEST(ScaleCsv, EveryLineHasTheHeadersColumnsWithPointDecimalsUnderADecimalCommaLocale) {
  test::DecimalCommaLocale comma;
  const std::vector<std::string> header = Fields(ScaleCsvHeader());
  const std::vector<std::string> line = Fields(ScaleCsvLine(SampleRow(8, 37.5, 200)));
  ASSERT_EQ(line.size(), header.size());
  const auto column = [&](const std::string& name) {
    const auto at = std::find(header.begin(), header.end(), name);
    return at == header.end() ? std::string("missing") : line[static_cast<size_t>(at - header.begin())];
  };
  EXPECT_EQ(column("cpu_percent"), "37.5");
  EXPECT_EQ(column("rss_per_device_mb"), "25.00");
  EXPECT_EQ(column("latency_p99_ms"), "12.50");
  EXPECT_EQ(column("fullcontrol_latency_median_ms"), "-1.00");  // no full control: none
  EXPECT_EQ(column("paint_share_percent"), "60.0");
  EXPECT_EQ(column("fanout_share_percent"), "0.0");
}

TEST(ScaleCsv, WritesTheHeaderAndOneLinePerRowAndSaysWhyItCannot) {
  test::TempDir dir;
  std::string error;
  ASSERT_TRUE(WriteScaleCsv(dir.File("scale.csv"), {SampleRow(1, 5, 100), SampleRow(8, 30, 200)}, error)) << error;
  std::ifstream in(dir.File("scale.csv"));
  std::vector<std::string> lines;
  for (std::string l; std::getline(in, l);) lines.push_back(l);
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0], ScaleCsvHeader());
  EXPECT_EQ(Fields(lines[2])[2], "8");

  EXPECT_FALSE(WriteScaleCsv(dir.File("no-such-folder/scale.csv"), {SampleRow(1, 5, 100)}, error));
  EXPECT_NE(error.find("no-such-folder"), std::string::npos) << error;
}

TEST(ScaleCsv, ALineReadsBackAsTheRowItWasWrittenFrom) {
  const std::string line = ScaleCsvLine(SampleRow(32, 48.5, 577));
  const std::optional<ScaleRow> row = ParseScaleCsvLine(line);
  ASSERT_TRUE(row);
  EXPECT_EQ(ScaleCsvLine(*row), line);
}

TEST(ScaleCsv, AWrittenFileReadsBackAndAForeignOneSaysWhichLine) {
  test::TempDir dir;
  std::string error;
  const std::vector<ScaleRow> written = {SampleRow(1, 5, 100), SampleRow(8, 30, 200)};
  ASSERT_TRUE(WriteScaleCsv(dir.File("scale.csv"), written, error)) << error;
  std::vector<ScaleRow> read;
  ASSERT_TRUE(ReadScaleCsv(dir.File("scale.csv"), read, error)) << error;
  ASSERT_EQ(read.size(), written.size());
  for (size_t i = 0; i < read.size(); ++i) EXPECT_EQ(ScaleCsvLine(read[i]), ScaleCsvLine(written[i]));

  ASSERT_TRUE(WriteFileAtomically(dir.File("bad.csv"), ScaleCsvHeader() + "\n" + ScaleCsvLine(written[0]) + "\nx,y\n"));
  EXPECT_FALSE(ReadScaleCsv(dir.File("bad.csv"), read, error));
  EXPECT_NE(error.find("line 3"), std::string::npos) << error;
  EXPECT_FALSE(ReadScaleCsv(dir.File("missing.csv"), read, error));
  EXPECT_NE(error.find("missing"), std::string::npos) << error;
}

class ScaleCsvRefuses : public ::testing::TestWithParam<std::string> {};

TEST_P(ScaleCsvRefuses, ALineOfAnotherShape) { EXPECT_FALSE(ParseScaleCsvLine(GetParam())); }

std::string WithField(size_t index, const std::string& value) {
  std::vector<std::string> fields = Fields(ScaleCsvLine(SampleRow(1, 5, 100)));
  fields[index] = value;
  std::string line;
  for (const std::string& f : fields) line += (line.empty() ? "" : ",") + f;
  return line;
}

INSTANTIATE_TEST_SUITE_P(Table, ScaleCsvRefuses,
                         ::testing::Values(std::string(), ScaleCsvHeader(), "softkvm,thumbs,1",
                                           ScaleCsvLine(SampleRow(1, 5, 100)) + ",7", WithField(2, "eight"),
                                           WithField(4, "1,5"), WithField(8, ""), WithField(7, "-")));

class ScalePlotTest : public test::WithQtApp, public ::testing::Test {};

TEST_F(ScalePlotTest, SavesAPngThatLoadsAndShowsTheLines) {
  test::TempDir dir;
  const std::vector<ScaleRow> rows = {SampleRow(1, 5, 100), SampleRow(8, 30, 200), SampleRow(16, 55, 320)};
  QString error;
  const QString path = QString::fromStdString(dir.File("scale.png"));
  ASSERT_TRUE(WriteScalePlot(path, rows, error)) << error.toStdString();
  const QImage loaded(path);
  ASSERT_FALSE(loaded.isNull());
  EXPECT_EQ(loaded.size(), QSize(kPlotWidthPx, kPlotHeightPx));
  // The lines are drawn: the picture differs from the plot of no rows (axes alone).
  EXPECT_NE(loaded.convertToFormat(QImage::Format_RGB32), DrawScalePlot({}));

  EXPECT_FALSE(WriteScalePlot(QString::fromStdString(dir.File("no-such-folder/scale.png")), rows, error));
  EXPECT_TRUE(error.contains("no-such-folder")) << error.toStdString();
}

}  // namespace
}  // namespace zor::bench
