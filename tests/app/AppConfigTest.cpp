#include "app/AppConfig.h"

#include <gtest/gtest.h>

#include <set>
#include <thread>
#include <vector>

namespace zor {
namespace {

TEST(AppConfig, ConcurrentFirstUseBuildsOneFullRecord) {
  std::vector<std::thread> threads;
  std::vector<const AppConfig*> seen(8);
  std::vector<size_t> modes(8);
  for (size_t i = 0; i < seen.size(); ++i) {
    threads.emplace_back([&, i] {
      seen[i] = &AppConfig::Instance();
      modes[i] = seen[i]->AnalysisModes.size();
    });
  }
  for (auto& t : threads) t.join();
  EXPECT_EQ(std::set<const AppConfig*>(seen.begin(), seen.end()).size(), 1u);
  for (size_t count : modes) EXPECT_EQ(count, 10u);
}

TEST(AppConfig, TablesAndCaption) {
  const AppConfig& config = AppConfig::Instance();
  EXPECT_EQ(config.Caption(), u"ZORWARE Macro KVM Ver 2026.06.10");
  const DeviceTypeInfo* tessel = config.FindDeviceType(1);
  ASSERT_NE(tessel, nullptr);
  EXPECT_EQ(tessel->label, u"Tessel Lite");
  EXPECT_EQ(tessel->stream_path, u"/api/stream/mjpeg");
  EXPECT_EQ(config.FindDeviceType(2), nullptr);
  EXPECT_EQ(config.Resolutions.at(0).label, u"1920 x 1080");
  EXPECT_EQ(config.AnalysisModes.at(2).name, u"2진패턴");
  EXPECT_EQ(config.AnalysisModes.at(0).colour, (Rgb{100, 200, 100}));
}

TEST(AppConfig, FoldersComeFromTheProgramPath) {
  AppConfig& config = AppConfig::Instance();
  const std::u16string saved = config.BaseDir;
  config.SetFolders(u"/opt/tools/kvm/zorkvm");
  EXPECT_EQ(config.BaseDir, u"/opt/tools/kvm/");
  EXPECT_EQ(config.AppsDir, u"/opt/tools/kvm/Apps/");
  EXPECT_EQ(config.ScenesDir, u"/opt/tools/kvm/Scenes/");
  config.SetFolders(u"D:\\tools\\kvm\\zorkvm.exe");
  EXPECT_EQ(config.BaseDir, u"D:\\tools\\kvm/");
  config.SetFolders(u"zorkvm");
  EXPECT_EQ(config.BaseDir, u"zorkvm/") << "a path without separators is taken whole";
  config.InitResources();
  EXPECT_EQ(config.BaseDir.back(), u'/');
  EXPECT_NE(config.BaseDir, u"/");
  config.SetFolders(saved + u"x");
}

}  // namespace
}  // namespace zor
