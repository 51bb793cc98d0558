#include "model/AppConfig.h"

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
  ASSERT_FALSE(AppConfig::Instance().AnalysisModes.empty());
  for (size_t count : modes) EXPECT_EQ(count, AppConfig::Instance().AnalysisModes.size());
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
