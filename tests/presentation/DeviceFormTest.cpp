// The device dialog's rules, on plain data: what a record shows, and what OK stores.
#include <gtest/gtest.h>

#include "presentation/DeviceForm.h"

namespace zor {
namespace {

TEST(DeviceForm, ValuesOutsideTheListsShowTheFirstEntry) {
  DeviceInfo device;
  device.ThumbFps = 12;
  device.FullFps = 7;
  device.ThumbQuality = 85;
  device.Type = 9;
  device.ScreenWidth = 1280;
  DeviceForm form = MakeDeviceForm(device, {});
  EXPECT_EQ(form.thumb_fps, u"4");
  EXPECT_EQ(form.full_fps, u"5");
  EXPECT_EQ(form.thumb_quality, u"100");
  EXPECT_EQ(form.type_index, 0);
  ApplyDeviceForm(form, device);
  EXPECT_EQ(device.ThumbFps, 4u);
  EXPECT_EQ(device.Type, 0u);
  EXPECT_EQ(device.ScreenWidth, 1920u);
  EXPECT_EQ(device.ScreenHeight, 1080u);
}

TEST(DeviceForm, AppsOfTheRecordMoveOutOfTheAppList) {
  DeviceInfo device;
  device.Apps = {u"mail", u"gone"};  // "gone" has no file any more
  DeviceForm form = MakeDeviceForm(device, {u"alpha", u"mail", u"zeta"});
  EXPECT_EQ(form.selected_apps, (std::vector<std::u16string>{u"mail", u"gone"}));
  EXPECT_EQ(form.available_apps, (std::vector<std::u16string>{u"alpha", u"zeta"}));
  ApplyDeviceForm(form, device);
  EXPECT_EQ(device.Apps, (std::vector<std::u16string>{u"mail", u"gone"}));
}

TEST(DeviceForm, EmptiedEditsKeepTheStoredTexts) {
  DeviceInfo device;
  device.ConnectIP = u"127.0.0.5";
  device.UserId = u"운영자";
  device.CtrlPassword = u"secret";
  DeviceForm form = MakeDeviceForm(device, {});
  form.connect_ip.clear();
  form.user_id.clear();
  form.ctrl_password = std::u16string(300, u'x');  // longer than an edit holds
  form.port = u"  8080abc";
  form.ctrl_port = u"port";
  ApplyDeviceForm(form, device);
  EXPECT_EQ(device.ConnectIP, u"127.0.0.5");
  EXPECT_EQ(device.UserId, u"운영자");
  EXPECT_EQ(device.CtrlPassword, std::u16string(kMaxEditChars, u'x'));
  EXPECT_EQ(device.Port, 8080u);
  EXPECT_EQ(device.CtrlPort, 0u);  // not a number
}

TEST(DeviceForm, TheNameIsShownAndStoredAndAnEmptiedNameClearsIt) {
  DeviceInfo device;
  device.Name = u"Kiosk 3";
  DeviceForm form = MakeDeviceForm(device, {});
  EXPECT_EQ(form.name, u"Kiosk 3");
  form.name = u"계산대 1";
  ApplyDeviceForm(form, device);
  EXPECT_EQ(device.Name, u"계산대 1");

  form.name = std::u16string(300, u'n');  // longer than an edit holds
  ApplyDeviceForm(form, device);
  EXPECT_EQ(device.Name, std::u16string(kMaxEditChars, u'n'));

  form.name.clear();  // the pane goes back to showing the address
  ApplyDeviceForm(form, device);
  EXPECT_TRUE(device.Name.empty());
}

}  // namespace
}  // namespace zor
