// The Scene Tool's form: parsing rules of the boxes, and what showing an Item writes back.
#include <QComboBox>
#include <QLocale>
#include <QLineEdit>
#include <QPlainTextEdit>

#include "EditorFixture.h"
#include "gui/widgets/StateIconButton.h"
#include "platform/CodePage.h"
#include "presentation/SceneFormRules.h"
#include "support/DecimalCommaLocale.h"

namespace zor::test {
namespace {

TEST(FormRules, FourParameterLinesGiveExactlyTwoPairs) {
  const auto params = ParseParamsText(u"  Mode = Single \r\nTolerance=0.05\r\nno equals sign\r\n=starts with equals\r\n");
  ASSERT_EQ(params.size(), 2u);
  EXPECT_EQ(params[0], (ItemParam{u"Mode", u"Single"}));
  EXPECT_EQ(params[1], (ItemParam{u"Tolerance", u"0.05"}));
  EXPECT_TRUE(ParseParamsText(u"").empty());
  // Duplicates stay in order; a value may hold further equals signs.
  EXPECT_EQ(ParseParamsText(u"a=1\na=2=3"), (std::vector<ItemParam>{{u"a", u"1"}, {u"a", u"2=3"}}));
  EXPECT_EQ(FormatParamsText(params), u"Mode=Single\r\nTolerance=0.05\r\n");
}

TEST(FormRules, ColoursAreReadInAutomaticBase) {
  const std::pair<std::u16string, uint32_t> cases[] = {
      {u"0x00FF00", 65280},   {u"255", 255},          {u"010", 8},          {u"abc", 0},
      {u"  0XfF", 255},       {u"12ab", 12},          {u"0x", 0},           {u"019", 1},
      {u"-1", 0xFFFFFFFFu},   {u"0x1FFFFFFFF", 0xFFFFFFFFu}, {u"", 0},      {u"+7", 7},
  };
  for (const auto& [text, value] : cases) EXPECT_EQ(ParseColourText(text), value) << ToUtf8(text);
}

// The C library and Qt's default locale both under a locale that writes "0,95", as the program
// runs when the environment names one.
class DecimalCommaNumbers {
 public:
  DecimalCommaNumbers() { QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany)); }
  ~DecimalCommaNumbers() { QLocale::setDefault(previous_); }
  bool Active() const { return c_library_.Active(); }

 private:
  DecimalCommaLocale c_library_;
  const QLocale previous_;
};

TEST(FormRules, ThresholdsReadBackAsTheSameValueUnderADecimalCommaLocale) {
  const DecimalCommaNumbers numbers;
  ASSERT_TRUE(numbers.Active()) << kDecimalCommaLocale << " is missing: run scripts/install-deps.sh";
  const std::pair<float, std::u16string> shown[] = {
      {0.947f, u"0.947"}, {0.95f, u"0.95"}, {1.0f, u"1.00"}, {0.0f, u"0.00"}, {0.1234567f, u"0.1234567"},
  };
  for (const auto& [threshold, text] : shown) {
    EXPECT_EQ(FormatThresholdText(threshold), text);
    EXPECT_EQ(ParseThresholdText(text), threshold) << ToUtf8(text);
  }
  EXPECT_EQ(ParseThresholdText(u"abc"), 0.0f);
  EXPECT_EQ(ParseThresholdText(u"0,95"), 0.0f) << "a comma ends the number";
  EXPECT_FLOAT_EQ(ParseThresholdText(u" 0.5xyz"), 0.5f);
  EXPECT_EQ(FormatColourText(65280), u"0x0000FF00");
  EXPECT_EQ(FormName(std::u16string(300, u'n')).size(), kMaxFormNameChars);
  EXPECT_EQ(FromBoxText(ToBoxText(u"a\r\nb\nc\r")), u"a\r\nb\r\nc\r");
}

class FormTest : public EditorFixture {
 protected:
  QLineEdit* Line(int id) { return qobject_cast<QLineEdit*>(Form().Control(id)); }
  QPlainTextEdit* Text(int id) { return qobject_cast<QPlainTextEdit*>(Form().Control(id)); }
  QComboBox* TypeBox() { return qobject_cast<QComboBox*>(Form().Control(kItemTypeBox)); }

  Item& DrawAndShow() {
    DrawItem(10, 10, 30, 30);
    DeliverFrame(frame_);
    return *Model().Scene().Items[0];
  }
};

TEST_F(FormTest, TypedTextsApplyToTheItemAtOnce) {
  Item& item = DrawAndShow();
  Line(kItemColourBox)->setText("0x00FF00");
  EXPECT_EQ(item.Color, 65280u);
  Line(kItemColourBox)->setText("010");
  EXPECT_EQ(item.Color, 8u);
  Line(kItemThresholdBox)->setText("abc");
  EXPECT_EQ(item.Threshold, 0.0f);
  Text(kItemParamsBox)->setPlainText("Mode = Single\nTolerance=0.05\nnothing\n=x");
  EXPECT_EQ(item.Params, (std::vector<ItemParam>{{u"Mode", u"Single"}, {u"Tolerance", u"0.05"}}));
  Text(kItemScriptBox)->setPlainText("action CLK\nlast");
  EXPECT_EQ(item.Script, u"action CLK\r\nlast");
  Line(kSceneNameBox)->setText(QString(300, 'S'));
  EXPECT_EQ(Model().Scene().Name.size(), 255u);
  Text(kSceneScriptBox)->setPlainText("");
  EXPECT_TRUE(Model().Scene().Script.empty());
}

TEST_F(FormTest, SelectingAnItemUnderADecimalCommaLocaleKeepsItsThreshold) {
  Item& item = DrawAndShow();
  item.Threshold = 0.947f;
  item.Name = std::u16string(300, u'x');
  item.Script = u"click\r\nlast";
  const DecimalCommaNumbers numbers;
  ASSERT_TRUE(numbers.Active()) << kDecimalCommaLocale << " is missing: run scripts/install-deps.sh";
  Model().RebuildMarkers();
  ClickItemRow(0);
  ASSERT_EQ(Form().CurrentItem().get(), &item);
  EXPECT_EQ(Line(kItemThresholdBox)->text(), "0.947");
  EXPECT_EQ(item.Threshold, 0.947f);
  EXPECT_EQ(item.Name.size(), 255u) << "the name box cuts what it shows";
  EXPECT_EQ(item.Script, u"click\r\nlast") << "showing a script keeps its line ends";
  EXPECT_EQ(Line(kItemColourBox)->text(), "0x00000000");
}

TEST_F(FormTest, ChoosingAnotherEngineAsksForACaptureTheSameOneDoesNot) {
  Item& item = DrawAndShow();
  ASSERT_FALSE(Model().CapturePending());
  TypeBox()->setCurrentIndex(0);
  EXPECT_FALSE(Model().CapturePending());
  TypeBox()->setCurrentIndex(2);
  EXPECT_EQ(item.AnalysisType, 2);
  EXPECT_EQ(Model().EngineChoice(), 2);
  EXPECT_TRUE(Model().CapturePending());
  DrawItem(50, 50, 70, 70);
  EXPECT_EQ(Model().Scene().Items[1]->AnalysisType, 2) << "new Items take the last choice";
}

TEST_F(FormTest, WithoutAnItemTheBoxesAreEmptyAndTypingChangesNothing) {
  Item& item = DrawAndShow();
  Model().RebuildMarkers();
  Tool().Refresh();
  EXPECT_TRUE(Line(kItemNameBox)->text().isEmpty());
  EXPECT_EQ(TypeBox()->currentIndex(), -1);
  Line(kItemNameBox)->setText("changed");
  EXPECT_EQ(item.Name, u"ITEM1");
}

TEST_F(FormTest, TestingAnItemWithoutASelectionShowsTheMessageAndChangesNothing) {
  MessageSeen seen;
  AnswerNextMessage(seen, QMessageBox::Ok);
  Click(kTestItemCommand);
  EXPECT_TRUE(seen.seen);
  EXPECT_FALSE(editor_->Testing());
  EXPECT_EQ(Tool().Button(kTestItemCommand)->State(), 0);
}

TEST_F(FormTest, ToggleAndResetChangeOnlyTheRunTimeState) {
  Item& item = DrawAndShow();
  Click(kToggleActiveCommand);
  EXPECT_FALSE(item.Active);
  item.ItemDelay = 4;
  item.Actions.push_back({});
  Click(kResetItemsCommand);
  EXPECT_TRUE(item.Active);
  EXPECT_TRUE(item.Actions.empty());
  EXPECT_EQ(item.ItemDelay, 4u);
}

}  // namespace
}  // namespace zor::test
