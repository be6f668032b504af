// The clock test on the real program, through Wine's DirectDraw and the
// stand-in for the card's memory, which fails above a memory clock the test
// chooses.
#include <string>

#include "korvane_test.h"

namespace e2e {
namespace {

class ClockTestE2E : public KorvaneTest {
 protected:
  void SetUp() override {
    KorvaneTest::SetUp();
    SeedG400();
  }
  std::optional<std::uint32_t> Errors(const std::string& clocks) const {
    const auto value = Get(HKEY_LOCAL_MACHINE, kProgramKey, "ClockTest " + clocks);
    return value ? value->dword() : std::nullopt;
  }
};

TEST_F(ClockTestE2E, AQuickTestFindsNoErrorAndGivesTheVideoMemoryBack) {
  Start();
  ASSERT_TRUE(main);
  korvane->SelectTab(main, kOverclockTab);
  korvane->Click(Main("TestButton"));
  const HWND window = korvane->WaitForForm("ClockTestForm");
  ASSERT_TRUE(window);
  const auto control = [&](const char* name) { return korvane->Control(window, name); };
  EXPECT_EQ(korvane->Text(control("ClocksLabel")), "システム250MHz、コア125MHz、メモリー166MHz");
  korvane->Click(control("StartButton"));
  // While it runs, no clock can be changed under it.
  EXPECT_FALSE(korvane->Enabled(Main("Button3")));
  for (int waited = 0; waited < 180000 && korvane->Text(control("StartButton")) != "開始";
       waited += 200) {
    Sleep(200);
  }
  const std::string lines = korvane->Text(control("TestLines"));
  // The free memory before and after, the same and not in doubt.
  const std::size_t before = lines.find("前") + 3;
  const std::size_t after = lines.find("後") + 3;
  const std::string free = lines.substr(before, lines.find(' ', before) - before);
  EXPECT_EQ(lines.substr(0, lines.find("（")), "ビデオメモリー 32.0 MB") << lines;
  EXPECT_EQ(lines.substr(after, free.size()), free) << lines;
  EXPECT_NE(free, "0.0");
  EXPECT_NE(lines.find("\r\nパス 6 / 6（塗りつぶし）\r\nエラー 0\r\n誤りはありません。"),
            std::string::npos)
      << lines;
  EXPECT_EQ(Errors("250 1/2 2/3"), 0u);
  EXPECT_TRUE(korvane->Enabled(Main("Button3")));
}

TEST_F(ClockTestE2E, ACardFailingWhileAskedPutsTheClocksBackAndIsNotSetAtLogOn) {
  // 300 MHz with 2/3 runs the memory at 200 MHz; the card's holds 190.
  ASSERT_TRUE(WriteBytes(std::string(kProgramFolder) + "\\ddraw-limit.txt", "190"));
  Start();
  ASSERT_TRUE(main);
  korvane->SelectTab(main, kOverclockTab);
  korvane->Click(Main("CheckBox1"));
  korvane->Click(Main("CheckBox2"));
  korvane->Type(Main("Edit1"), "300");
  korvane->ClickLater(Main("Button3"));
  // No answer: the test's first error ends the question (as soon as it
  // shows, or before the driver sees it) and the clocks go back.
  std::optional<MessageBoxWindow> told;
  for (int waited = 0; waited < 60000; waited += 100) {
    told = korvane->WaitForMessageBox();
    if (told && told->text.rfind("テスト「", 0) == 0) break;
    Sleep(100);
  }
  ASSERT_TRUE(told);
  EXPECT_EQ(told->text,
            "テスト「交互」がシステム300MHz（コア150MHz、メモリー200MHz）で誤りを見つけました。\n"
            "変更前のシステムクロック250MHzに戻しました。何も保存していません。");
  korvane->Answer(*told, IDOK);
  EXPECT_EQ(ToolRuns(kProgramFolder, kG4set).back(), "-sclk 250 -div 1/2 2/3 1/2");
  EXPECT_EQ(Errors("300 1/2 2/3"), 1u);
  EXPECT_FALSE(Get(HKEY_LOCAL_MACHINE, kProgramKey, "G400 OverClock"));

  korvane->Click(Main("Button2"));
  ExpectBox("Matrox Korvane",
            "300MHz（1/2、2/3）では前回のテストで1個の誤りがあったため、起動時の設定にはしません.");
  EXPECT_FALSE(Get(HKEY_LOCAL_MACHINE, kRunKey, "G400 OverClock"));
}

}  // namespace
}  // namespace e2e
