#include "about/about_box.h"

#include <gtest/gtest.h>

#include "unit/test_machine.h"

namespace korvane::testing {
namespace {

class AboutBoxTest : public ::testing::Test {
 protected:
  TestMachine machine;
  RecordingErrors errors;
  TAboutBox about{machine.processes, machine.dialogs, errors};
};

TEST_F(AboutBoxTest, LinksStartTheSystemsHandlerWithoutWaiting) {
  about.Label4.Click();
  about.Label6.Click();
  about.Label15.Click();
  EXPECT_EQ(machine.processes.launched(),
            (std::vector<std::string>{std::string("start ") + kSupportHomePage,
                                      std::string("start mailto:") + kSupportMailAddress,
                                      std::string("start ") + kMatroxGraphicsPage}));
  for (ui::Label* link : {&about.Label4, &about.Label6, &about.Label15}) {
    EXPECT_TRUE(link->style().underline);
    EXPECT_EQ(link->style().colour, ui::kNavy);
    EXPECT_TRUE(link->hand_cursor());
  }
  EXPECT_EQ(about.Label4.hint(), "クリックするとホームページに行けます。");
}

TEST_F(AboutBoxTest, ThePictureTellsOfTheNextCards) {
  about.ProgramIcon.Click();
  EXPECT_EQ(machine.Boxes(),
            std::vector<std::string>{
                "情報|もうすぐG450が出るのぅ～そして････その次は期待のG800ですね～"});
  EXPECT_EQ(machine.dialogs.shown()[0].icon, MessageIcon::kInformation);
  EXPECT_EQ(about.ProgramIcon.hint(), "千年王国の復活か？");
}

TEST_F(AboutBoxTest, ShowsNameVersionAndDateAndClosesWithOk) {
  EXPECT_EQ(about.caption(), "バージョン情報");
  EXPECT_EQ(about.Label1.caption(), "Matrox Korvane");
  EXPECT_TRUE(about.Label1.style().bold);
  EXPECT_EQ(about.Version.caption() + about.Label3.caption(), "Version：1.10");
  EXPECT_TRUE(about.Label3.style().bold);
  EXPECT_EQ(about.Label2.caption(), "2000/08/20");
  EXPECT_TRUE(about.OKButton.is_default);
  about.ShowModal();
  EXPECT_TRUE(about.visible());
  about.OKButton.Click();
  EXPECT_FALSE(about.visible());
}

}  // namespace
}  // namespace korvane::testing
