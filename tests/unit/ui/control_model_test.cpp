#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/check_box.h"
#include "ui/combo_box.h"
#include "ui/edit.h"
#include "ui/form.h"
#include "ui/label.h"
#include "ui/page_control.h"
#include "ui/radio_group.h"
#include "ui/status_bar.h"
#include "ui/up_down.h"
#include "unit/test_machine.h"

namespace korvane::testing {
namespace {

class TestForm : public ui::Form {
 public:
  explicit TestForm(ui::ErrorReporter& errors)
      : Form("TestForm", "Test", 200, 100, ui::BorderStyle::kSingle, errors) {}
};

// Counts handler runs and can be told to fail.
struct Counter {
  int runs = 0;
  std::string failure;
  ui::Handler handler() {
    return [this] {
      ++runs;
      return failure.empty() ? Status::Ok() : Status::Error(failure);
    };
  }
};

class ControlModelTest : public ::testing::Test {
 protected:
  RecordingErrors errors;
  TestForm form{errors};
};

TEST_F(ControlModelTest, StateSetFromCodeRunsTheHandlerOnlyWhenItChanges) {
  ui::CheckBox box(form, "box", {}, "Box");
  ui::RadioGroup group(form, "group", {}, "Group", {"a", "b", "c"}, 2);
  ui::Edit edit(form, "edit", {}, "250");
  Counter box_clicks, group_clicks, edit_changes;
  box.on_click = box_clicks.handler();
  group.on_click = group_clicks.handler();
  edit.on_change = edit_changes.handler();

  EXPECT_FALSE(box.checked());
  EXPECT_EQ(group.item_index(), -1);
  ASSERT_TRUE(box.SetChecked(false).ok());
  ASSERT_TRUE(group.SetItemIndex(-1).ok());
  ASSERT_TRUE(edit.SetText("250").ok());
  EXPECT_EQ(box_clicks.runs + group_clicks.runs + edit_changes.runs, 0);

  ASSERT_TRUE(box.SetChecked(true).ok());
  ASSERT_TRUE(box.SetChecked(true).ok());
  ASSERT_TRUE(group.SetItemIndex(2).ok());
  ASSERT_TRUE(group.SetItemIndex(2).ok());
  ASSERT_TRUE(edit.SetText("300").ok());
  EXPECT_EQ(box_clicks.runs, 1);
  EXPECT_EQ(group_clicks.runs, 1);
  EXPECT_EQ(edit_changes.runs, 1);

  // The user's input takes the same path.
  box.Click();
  group.ClickItem(2);
  group.ClickItem(0);
  EXPECT_FALSE(box.checked());
  EXPECT_EQ(box_clicks.runs, 2);
  EXPECT_EQ(group_clicks.runs, 2);
  EXPECT_EQ(group.item_index(), 0);
}

TEST_F(ControlModelTest, AFailingHandlerKeepsTheNewStateAndReachesTheRightPlace) {
  ui::CheckBox box(form, "box", {}, "Box");
  Counter clicks;
  clicks.failure = "'AGP' の設定に失敗しました";
  box.on_click = clicks.handler();

  // From code, the caller gets the error to stop its own action...
  EXPECT_EQ(box.SetChecked(true).message(), "'AGP' の設定に失敗しました");
  EXPECT_TRUE(errors.errors.empty());
  // ...from the user, it is shown, and the box keeps the state the user gave.
  box.Click();
  EXPECT_FALSE(box.checked());
  EXPECT_EQ(errors.errors, std::vector<std::string>{"'AGP' の設定に失敗しました"});
}

TEST_F(ControlModelTest, ComboBoxSelectedFromCodeRunsNoHandler) {
  ui::ComboBox combo(form, "combo", {}, {"1/2", "1/1"});
  Counter changes;
  combo.on_change = changes.handler();
  combo.SetItemIndex(1);
  EXPECT_EQ(combo.text(), "1/1");
  EXPECT_EQ(changes.runs, 0);
  combo.Select(0);
  EXPECT_EQ(combo.text(), "1/2");
  EXPECT_EQ(changes.runs, 1);
  combo.SetItemIndex(7);
  EXPECT_EQ(combo.item_index(), -1);
}

TEST_F(ControlModelTest, UpDownClampsAndShowsItsPositionInTheEditBox) {
  ui::Edit edit(form, "Edit1", {}, "250");
  ui::UpDown up_down(form, "UpDown1", {}, edit, 100, 400, 250);
  Counter changing, edit_changes;
  up_down.on_changing = changing.handler();
  edit.on_change = edit_changes.handler();
  ASSERT_TRUE(up_down.SetPosition(900).ok());
  EXPECT_EQ(up_down.position(), 400);
  EXPECT_EQ(edit.text(), "400");
  up_down.Step(1);  // at the limit: nothing changes
  EXPECT_EQ(changing.runs, 1);
  EXPECT_EQ(edit_changes.runs, 1);
  up_down.Step(-1);
  EXPECT_EQ(edit.text(), "399");

  // Typed text counts once it is a number within range, as with a real
  // up-down control; other text leaves the last position.
  const auto type = [&edit](const char* text) { ASSERT_TRUE(edit.SetText(text).ok()); };
  type("251");
  EXPECT_EQ(up_down.ReadPosition(), 251);
  EXPECT_EQ(changing.runs, 2) << "typed text does not run the changing handler";
  for (const char* rejected : {"abc", "99", "401", "25O", "", "2500000000"}) {
    type(rejected);
    EXPECT_EQ(up_down.ReadPosition(), 251) << rejected;
  }
  type("399");
  up_down.Step(1);  // from what the box shows, not from the last position read
  EXPECT_EQ(up_down.position(), 400);
  EXPECT_EQ(changing.runs, 3);
  type("abc");
  ASSERT_TRUE(up_down.SetPosition(400).ok());
  EXPECT_EQ(edit.text(), "400") << "a position set from code always shows";
  EXPECT_EQ(changing.runs, 3);
}

TEST_F(ControlModelTest, HintsGoToARoutedStatusBarInsteadOfTooltips) {
  ui::PageControl pages(form, "pages", {});
  ui::TabSheet routed(pages, "routed", "A");
  ui::TabSheet plain(pages, "plain", "B");
  ui::GroupBox group(routed, "group", {}, "Group");
  ui::CheckBox inner(group, "inner", {}, "Inner", "inner hint");
  ui::CheckBox bare(routed, "bare", {}, "Bare");
  ui::Label label(plain, "label", {}, "Label");
  label.SetHint("label hint");
  ui::StatusBar bar(routed, "bar", {}, {{300, "restart"}});
  routed.ShowHintsIn(&bar);

  EXPECT_FALSE(inner.ShowsTooltip());
  EXPECT_TRUE(label.ShowsTooltip());
  EXPECT_EQ(bar.panels()[0].text, "restart");
  inner.PointerOver();
  EXPECT_EQ(bar.panels()[0].text, "inner hint");
  bare.PointerOver();  // no hint: the panel empties
  EXPECT_EQ(bar.panels()[0].text, "");
  inner.PointerOver();
  routed.PointerOver();  // the page's own empty area
  EXPECT_EQ(bar.panels()[0].text, "");
  label.PointerOver();  // another page: no effect here
  EXPECT_EQ(bar.panels()[0].text, "");
}

TEST_F(ControlModelTest, ShowingRunsTheFormThenTheVisiblePageOnce) {
  ui::PageControl pages(form, "pages", {});
  ui::TabSheet first(pages, "first", "1");
  ui::TabSheet second(pages, "second", "2");
  std::vector<std::string> shown;
  form.on_show = [&] {
    shown.push_back("form");
    return Status::Ok();
  };
  first.on_show = [&] {
    shown.push_back("first");
    return Status::Ok();
  };
  second.on_show = [&] {
    shown.push_back("second");
    return Status::Ok();
  };

  // A hidden form's pages change silently.
  ASSERT_TRUE(pages.SetActiveIndex(1).ok());
  ASSERT_TRUE(pages.SetActiveIndex(0).ok());
  EXPECT_TRUE(shown.empty());

  ASSERT_TRUE(form.Show().ok());
  ASSERT_TRUE(form.Show().ok());  // already shown
  EXPECT_EQ(shown, (std::vector<std::string>{"form", "first"}));
  pages.Select(1);
  pages.Select(1);
  pages.Select(0);
  EXPECT_EQ(shown, (std::vector<std::string>{"form", "first", "second", "first"}));

  form.Close();
  EXPECT_FALSE(form.visible());
  ASSERT_TRUE(form.Show().ok());
  EXPECT_EQ(shown.back(), "first");
  EXPECT_EQ(shown.size(), 6u);
}

}  // namespace
}  // namespace korvane::testing
