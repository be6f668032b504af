#include "overclock/clock_model.h"

#include <gtest/gtest.h>

#include "overclock/clock_report.h"

namespace korvane {
namespace {

TEST(ClockModelTest, DividersDivideFirstAndTruncate) {
  const struct {
    const char* divider;
    int system_mhz;
    int expected;
  } cases[] = {
      {"1/2", 250, 125}, {"1/1", 250, 250}, {"1/3", 250, 83},  {"2/3", 250, 166},
      {"2/5", 250, 100}, {"4/9", 250, 108}, {"2/3", 251, 166}, {"2/3", 252, 168},
      {"4/9", 400, 176}, {"2/5", 100, 40},  {"1/2", 251, 125},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(DividedClock(c.divider, c.system_mhz), c.expected)
        << c.divider << " " << c.system_mhz;
  }
  EXPECT_FALSE(DividedClock("3/4", 250));
  EXPECT_FALSE(DividedClock("", 250));
}

TEST(ClockModelTest, CommandLinesNameTheToolAsTheInterpreterNeedsIt) {
  const struct {
    ClockTool tool;
    const char* path;
    int system_mhz;
    const char* expected;  // null: the tool cannot set this clock
  } cases[] = {
      {ClockTool::kG4set, "C:\\K\\G4set.exe", 250, "C:\\K\\G4set.exe -sclk 250 -div 1/2 2/3 1/2"},
      {ClockTool::kG4set, "C:\\K\\G4set.exe", 400, "C:\\K\\G4set.exe -sclk 400 -div 1/2 2/3 1/2"},
      {ClockTool::kG200clk, "C:\\K\\g200clk.exe", 150, "C:\\K\\g200clk.exe /1 300"},
      {ClockTool::kG200clk, "C:\\K\\g200clk.exe", 125, "C:\\K\\g200clk.exe /1 250"},
      {ClockTool::kG200clk, "C:\\K\\g200clk.exe", 200, "C:\\K\\g200clk.exe /1 400"},
      {ClockTool::kG200clk, "C:\\K\\g200clk.exe", 124, nullptr},
      {ClockTool::kG200clk, "C:\\K\\g200clk.exe", 201, nullptr},
      {ClockTool::kG200clk, "C:\\K\\g200clk.exe", 251, nullptr},
      {ClockTool::kG4set, "C:\\A&B\\G4set.exe", 300,
       "\"C:\\A&B\\G4set.exe\" -sclk 300 -div 1/2 2/3 1/2"},
  };
  for (const auto& c : cases) {
    const auto command = ClockToolCommand(c.tool, c.path, c.system_mhz, "1/2", "2/3");
    if (c.expected) {
      EXPECT_EQ(command, c.expected);
    } else {
      EXPECT_FALSE(command) << c.system_mhz;
    }
  }
}

TEST(ClockModelTest, OnlyAFileNamedExactlyG4setExeIsTheFirstTool) {
  EXPECT_EQ(ToolNamedBy("C:\\KORVANE\\G4set.exe"), ClockTool::kG4set);
  EXPECT_EQ(ToolNamedBy("C:G4set.exe"), ClockTool::kG4set);
  EXPECT_EQ(ToolNamedBy("G4set.exe"), ClockTool::kG4set);
  EXPECT_EQ(ToolNamedBy("C:\\KORVANE\\g4set.exe"), ClockTool::kG200clk);
  EXPECT_EQ(ToolNamedBy("C:\\G4set.exe\\other.exe"), ClockTool::kG200clk);
  EXPECT_EQ(ToolNamedBy(""), ClockTool::kG200clk);
}

TEST(ClockReportTest, LinesKeepTheirTextWithoutLineEnds) {
  EXPECT_EQ(SplitLines("a\r\nb\r\n"), (ClockReport{"a", "b"}));
  EXPECT_EQ(SplitLines("a\nb"), (ClockReport{"a", "b"}));
  EXPECT_EQ(SplitLines("a\r\n\r\nb\rc"), (ClockReport{"a", "", "b", "c"}));
  EXPECT_EQ(SplitLines(std::string(500, 'x') + "\r\n"), ClockReport{std::string(500, 'x')});
  EXPECT_TRUE(SplitLines("").empty());
}

ClockReport ReportWithLine(std::size_t number, const std::string& line) {
  ClockReport report(number - 1, "filler");
  report.push_back(line);
  return report;
}

TEST(ClockReportTest, TheSystemClockRoundsAtItsFirstDecimal) {
  const std::string prefix = "System clock (PLL)  : ";  // 22 characters
  const struct {
    const char* columns;  // from column 23
    int expected;
  } cases[] = {
      {"250.0 MHz", 250}, {"249.5", 250}, {" 99.4", 99}, {"399.9", 400}, {"100x4", 100},
  };
  for (const auto& c : cases) {
    const auto clock = ReadReportedSystemClock(ReportWithLine(11, prefix + c.columns));
    ASSERT_TRUE(clock.ok()) << c.columns << ": " << clock.status().message();
    EXPECT_EQ(clock.value(), c.expected) << c.columns;
  }
}

TEST(ClockReportTest, AColumnThatIsNoDigitIsAConversionErrorWithItsText) {
  const std::string prefix = "System clock (PLL)  : ";
  const struct {
    ClockReport report;
    const char* expected;
  } cases[] = {
      {ReportWithLine(11, prefix + "2x0.0"), "'x' は整数ではありません"},
      {ReportWithLine(11, prefix + "x50.0"), "'x' は整数ではありません"},
      {ReportWithLine(11, prefix + "250. "), "' ' は整数ではありません"},
      {ReportWithLine(11, prefix + "  9.0"), "' ' は整数ではありません"},
      {ReportWithLine(11, prefix + "250"), "'' は整数ではありません"},
      {ReportWithLine(11, prefix), "'' は整数ではありません"},
      {ReportWithLine(10, prefix + "250.0"), "'' は整数ではありません"},
      {ClockReport{}, "'' は整数ではありません"},
  };
  for (const auto& c : cases) {
    const auto clock = ReadReportedSystemClock(c.report);
    ASSERT_FALSE(clock.ok()) << c.expected;
    EXPECT_EQ(clock.status().message(), c.expected);
  }
}

TEST(ClockReportTest, TheClocksLineGivesWhatItHoldsOfEachField) {
  const ReportedClocks full = ReadReportedClocks(ReportWithLine(13, "1/2  -> 125 2/3  -> 166 MHz"));
  EXPECT_EQ(full.core_divider, "1/2");
  EXPECT_EQ(full.core_clock, "125");
  EXPECT_EQ(full.memory_divider, "2/3");
  EXPECT_EQ(full.memory_clock, "166");
  const ReportedClocks short_line = ReadReportedClocks(ReportWithLine(13, "4/9  ->  9"));
  EXPECT_EQ(short_line.core_divider, "4/9");
  EXPECT_EQ(short_line.core_clock, " 9");
  EXPECT_EQ(short_line.memory_divider, "");
  EXPECT_EQ(short_line.memory_clock, "");
  const ReportedClocks missing = ReadReportedClocks(ReportWithLine(12, "1/2  -> 125 2/3  -> 166"));
  EXPECT_EQ(missing.core_divider, "");
  EXPECT_EQ(missing.memory_clock, "");
}

}  // namespace
}  // namespace korvane
