// Rules the dialogs and panes follow before they ask or show anything: which App names may be
// saved, and how a device is named to the operator.
#include <gtest/gtest.h>

#include "presentation/AppManagerForm.h"
#include "presentation/DeviceLabel.h"

namespace zor {
namespace {

TEST(AppNameCheck, BlankAndPathLikeNamesAreRefused) {
  const struct {
    std::u16string name;
    AppNameCheck expected;
  } cases[] = {
      {u"", AppNameCheck::Blank},          {u" \t ", AppNameCheck::Blank},     {u"night", AppNameCheck::Ok},
      {u"일일 점검", AppNameCheck::Ok},    {u"a/b", AppNameCheck::Unsafe},     {u"a\\b", AppNameCheck::Unsafe},
      {u"..", AppNameCheck::Unsafe},       {u".", AppNameCheck::Unsafe},
  };
  for (const auto& c : cases) EXPECT_EQ(CheckAppName(c.name), c.expected) << std::string(c.name.begin(), c.name.end());
}

TEST(DeviceLabel, TheNameOrElseTheAddressAndASummaryOfWhereItIs) {
  DeviceInfo device;
  device.ConnectIP = u"10.0.0.5";
  device.Port = 8080;
  device.Type = 0;
  EXPECT_EQ(DeviceLabel(device), u"10.0.0.5");
  EXPECT_EQ(DeviceSummary(device), u"ZOR SoftKVM · 10.0.0.5:8080");
  device.Name = u"Kiosk 3";
  device.Type = 42;  // a type this program does not know is left out
  EXPECT_EQ(DeviceLabel(device), u"Kiosk 3");
  EXPECT_EQ(DeviceSummary(device), u"Kiosk 3 · 10.0.0.5:8080");
}

}  // namespace
}  // namespace zor
