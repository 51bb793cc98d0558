// Scene loading and the Item script, the automation's per-file and per-step costs.
// SceneDecode is read against a plain copy of the same bytes: loading a Scene should cost about
// what copying its template pixels costs.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>
#include <string>

#include "automation/ItemScript.h"
#include "model/SceneData.h"

namespace zor {
namespace {

// A Scene of `items` Items, each with a full-HD template and a short script.
std::string EncodedScene(int items, int width, int height) {
  SceneData scene;
  scene.Name = u"벤치마크";
  for (int i = 0; i < items; ++i) {
    auto item = std::make_shared<Item>();
    item->Index = i;
    item->Name = u"ITEM" + std::u16string(1, char16_t(u'1' + i));
    item->Script = u"action CLK\nset cooldown 2000\nset workarea";
    item->Params = {{u"BinThreshold", u"128"}};
    item->Template = {width, height, std::vector<uint8_t>(size_t(width) * height * 4, 0x5A)};
    scene.Items.push_back(item);
  }
  return scene.Encode();
}

void BM_SceneDecode(benchmark::State& state) {
  const std::string bytes = EncodedScene(4, 1920, 1080);
  for (auto _ : state) {
    SceneData scene;
    scene.Decode(bytes);
    benchmark::DoNotOptimize(scene.Items.data());
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(bytes.size()));
}
BENCHMARK(BM_SceneDecode)->Unit(benchmark::kMillisecond);

void BM_CopySceneBytes(benchmark::State& state) {
  const std::string bytes = EncodedScene(4, 1920, 1080);
  for (auto _ : state) {
    const auto* first = reinterpret_cast<const uint8_t*>(bytes.data());
    std::vector<uint8_t> copy(first, first + bytes.size());
    benchmark::DoNotOptimize(copy.data());
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(bytes.size()));
}
BENCHMARK(BM_CopySceneBytes)->Unit(benchmark::kMillisecond);

void BM_RunItemScript(benchmark::State& state) {
  AppInfo app;
  for (int i = 0; i < 8; ++i) app.Scene->Items.push_back(std::make_shared<Item>());
  Item& item = *app.Scene->Items[0];
  item.Script =
      u"final\naction CLKRE\naction INPUT \"user name\"\naction KEY 40 0\nset cooldown 2000\n"
      u"set itemdelay 3\nset workarea";
  const MatchPlace best{100, 200, 116, 208};
  for (auto _ : state) benchmark::DoNotOptimize(RunItemScript(app, item, best));
}
BENCHMARK(BM_RunItemScript);

}  // namespace
}  // namespace zor
