#include "app/driver_discovery.h"

#include <gtest/gtest.h>

#include "unit/test_machine.h"

namespace korvane::testing {
namespace {

class DriverDiscoveryTest : public ::testing::Test {
 protected:
  DriverLocation Discover() {
    Registry registry(machine.registry);
    registry.SetRoot(HKLM);
    DriverLocation location;
    EXPECT_TRUE(DiscoverDriver(registry, &location).ok());
    return location;
  }
  TestMachine machine;
};

TEST_F(DriverDiscoveryTest, TheLowestMatchingEntryWins) {
  machine.AddDisplayEntry("0003", "G400.drv", "Matrox Millennium G400 - English");
  machine.AddDisplayEntry("0000", "G400.drv", "Matrox Millennium G400 DualHead - English");
  machine.AddDisplayEntry("0001", "mga.drv", "Matrox Millennium II");
  const DriverLocation location = Discover();
  EXPECT_EQ(location.driver_key, "\\System\\CurrentControlSet\\Services\\Class\\Display\\0000");
  EXPECT_EQ(location.settings_key,
            "\\System\\CurrentControlSet\\Services\\Class\\Display\\0000\\Settings");
  EXPECT_EQ(location.description, "Matrox Millennium G400 DualHead - English");
}

TEST_F(DriverDiscoveryTest, OnlyTheExactDriverNameMatches) {
  machine.AddDisplayEntry("0010", "G400.drv", "Ten");
  machine.AddDisplayEntry("0000", "g400.drv", "Lower case");
  machine.AddDisplayEntry("0001", "G400.drv ", "Trailing blank");
  machine.AddDisplayEntry("0011", "G400.drv", "Beyond the scan");
  const DriverLocation location = Discover();
  EXPECT_EQ(location.description, "Ten");
  EXPECT_TRUE(location.found());
}

TEST_F(DriverDiscoveryTest, NoMatchLeavesEverythingEmpty) {
  machine.AddDisplayEntry("0000", "mga64.drv");
  const DriverLocation location = Discover();
  EXPECT_FALSE(location.found());
  EXPECT_EQ(location.settings_key, "");
  EXPECT_EQ(location.description, "");
}

TEST_F(DriverDiscoveryTest, ADriverNameOfTheWrongTypeEndsTheScan) {
  machine.AddDisplayEntry("0005", "G400.drv", "Five");
  machine.memory.PutDword(HKLM, std::string(kDisplayClass) + "\\0002\\DEFAULT", "drv", 1);
  machine.AddDisplayEntry("0000", "G400.drv", "Zero");
  Registry registry(machine.registry);
  registry.SetRoot(HKLM);
  DriverLocation location;
  EXPECT_EQ(DiscoverDriver(registry, &location).message(), "'drv' のデータ型が不正です");
  // As far as it got.
  EXPECT_EQ(location.description, "Five");
}

TEST(BoardModelTest, ChosenByCharactersOfTheDescription) {
  EXPECT_EQ(BoardModel("Matrox Millennium G400 DualHead - English"),
            "Matrox Millennium G400 DualHead");
  EXPECT_EQ(BoardModel("Matrox Millennium G400 - English"), "Matrox Millennium G400 SingleHead");
  EXPECT_EQ(BoardModel("Matrox G400 AGP - English"), "Matrox G400 AGP");  // character 17
  EXPECT_EQ(BoardModel("Matrox Marvel G400-TV - English"), "Matrox Marvel G400 AGP");
  // Character 24 decides before character 9.
  std::string both(30, 'x');
  both[8] = 'a';
  both[23] = 'D';
  EXPECT_EQ(BoardModel(both), "Matrox Millennium G400 DualHead");
  both[23] = '-';
  EXPECT_EQ(BoardModel(both), "Matrox Millennium G400 SingleHead");
  both[23] = 'x';
  EXPECT_EQ(BoardModel(both), "Matrox Marvel G400 AGP");
  // Too short for any rule, or empty as when no driver was found.
  EXPECT_EQ(BoardModel("Matrox Mi"), "Matrox G400 AGP");
  EXPECT_EQ(BoardModel(""), "Matrox G400 AGP");
}

TEST(MonitorTest, TheHighestExistingEntryWins) {
  TestMachine machine;
  Registry registry(machine.registry);
  registry.SetRoot(HKLM);
  EXPECT_EQ(MonitorDescription(registry).value(), "Unknown");
  machine.AddMonitorEntry("0000", "Zero");
  machine.AddMonitorEntry("0002", "Two");
  EXPECT_EQ(MonitorDescription(registry).value(), "Two");
  machine.memory.CreateKey(HKLM, std::string(kMonitorClass) + "\\0009");
  EXPECT_EQ(MonitorDescription(registry).value(), "");  // no description, but it opens
}

TEST(AgpModeTest, ReadFromLineSixteenColumnSixteen) {
  std::vector<std::string> report(15, "");
  EXPECT_FALSE(AgpModeText(report));  // fifteen lines only
  report.push_back("AGP transfer  :2x");
  EXPECT_EQ(*AgpModeText(report), "AGP 2x");
  report[15] = "AGP transfer  :";  // the line is too short
  EXPECT_FALSE(AgpModeText(report));
}

}  // namespace
}  // namespace korvane::testing
