// zorkvm-cli reads and writes numbers in JSON's notation whatever locale its environment names.
#include <gtest/gtest.h>

#include <cstdlib>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>

#include "model/SceneData.h"
#include "platform/ProgramPath.h"
#include "support/DecimalCommaLocale.h"
#include "support/RunProgram.h"
#include "support/TempDir.h"

namespace zor {
namespace {

const std::string kCli = ZORKVM_TOOLS_DIR "/zorkvm-cli";

// Sets LC_ALL for the programs this test starts, and puts back what was there.
class ScopedLcAll {
 public:
  explicit ScopedLcAll(const char* value) {
    if (const char* old = std::getenv("LC_ALL")) previous_ = old;
    ::setenv("LC_ALL", value, 1);
  }
  ~ScopedLcAll() {
    if (previous_) {
      ::setenv("LC_ALL", previous_->c_str(), 1);
    } else {
      ::unsetenv("LC_ALL");
    }
  }

 private:
  std::optional<std::string> previous_;
};

TEST(CliNumberLocaleLive, SceneThresholdsRoundTripUnderADecimalCommaLocale) {
  const test::DecimalCommaLocale available;
  ASSERT_TRUE(available.Active()) << test::kDecimalCommaLocale << " is missing: run scripts/install-deps.sh";
  const ScopedLcAll lc_all(test::kDecimalCommaLocale);
  test::TempDir dir;
  const std::string path = dir.File("t.scene");
  const auto written = test::RunProgram(kCli, {"scene", "write", path}, R"({"Items": [{"Threshold": 0.947}]})");
  ASSERT_EQ(written.exit_code, 0) << written.err;
  SceneData scene;
  ASSERT_TRUE(scene.LoadFromPath(WidePath(path)));
  ASSERT_EQ(scene.Items.size(), 1u);
  EXPECT_EQ(scene.Items[0]->Threshold, 0.947f);

  const auto dumped = test::RunProgram(kCli, {"scene", "dump", path});
  ASSERT_EQ(dumped.exit_code, 0) << dumped.err;
  EXPECT_EQ(nlohmann::json::parse(dumped.out)["Items"][0]["Threshold"].get<float>(), 0.947f) << dumped.out;
  EXPECT_EQ(dumped.out.find("0,947"), std::string::npos) << dumped.out;
}

}  // namespace
}  // namespace zor
