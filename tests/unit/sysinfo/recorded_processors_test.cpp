// Processors recorded on real machines (tests/data/cpuid, listed in its
// processors.tsv), replayed through the catalogue and the platform inference
// as the support tool replays them.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "app/program.h"
#include "cpuid_description.h"
#include "platform/fakes/cpuid_dump.h"
#include "unit/test_machine.h"

namespace korvane::testing {
namespace {

std::string ReadDump(const std::string& name) {
  std::ifstream file(std::string(KORVANE_CPUID_DUMPS) + "/" + name);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

struct Product {
  const char* line;                  // what the name must say
  std::vector<std::string> sockets;  // every socket the platform may name
};

// The product line and sockets of each recorded processor, from its
// codename and brand in the manifest.
const std::map<std::string, Product> kProducts = {
    {"amd-k5-pr75", {"K5", {"Socket7", "Socket5"}}},
    {"amd-k5-pr100", {"K5", {"Socket7", "Socket5"}}},
    {"amd-k5-pr133", {"K5", {"Socket7", "Socket5"}}},
    {"amd-k5-pr200", {"K5", {"Socket7", "Socket5"}}},
    {"amd-k6", {"K6 MMX", {"Socket7"}}},
    {"amd-k6-little-foot", {"K6 MMX", {"Socket7"}}},
    {"amd-k6-2-chomper", {"K6-2", {"Socket7"}}},
    {"amd-k6-iii+", {"K6-III+", {"Socket7"}}},
    {"amd-athlon-xp", {"Athlon XP", {"Socket A"}}},
    {"amd-athlon-xp-2200+", {"Athlon XP", {"Socket A"}}},
    {"amd-athlon-xp-3200+", {"Athlon XP", {"Socket A"}}},
    {"amd-duron-processor-applebred", {"Duron", {"Socket A"}}},
    {"amd-sempron-3000+", {"Sempron", {"Socket A"}}},
    {"amd-athlon-64-processor-2800+", {"Athlon 64", {"Socket754"}}},
    {"amd-athlon-64-processor-3200+", {"Athlon 64", {"Socket939"}}},
    {"amd-athlon-64-x2-dual-core-processor-3800+", {"Athlon 64 X2", {"Socket939"}}},
    {"amd-athlon-64-x2-dual-core-processor-5200+", {"Athlon 64 X2", {"Socket AM2"}}},
    {"amd-athlon-64-x2-dual-core-processor-6400+", {"Athlon 64 X2", {"Socket AM2"}}},
    {"amd-opteron-processor-240-he-dual", {"Opteron", {"Socket940"}}},
    {"amd-opteron-processor-248", {"Opteron", {"Socket940"}}},
    {"dual-core-amd-opteron-processor-2210-he-quad", {"Opteron", {"Socket F"}}},
    {"dual-core-amd-opteron-processor-8220-se-octo", {"Opteron", {"Socket F"}}},
    {"amd-sempron-processor-le-1100", {"Sempron", {"Socket AM2"}}},
    {"mobile-amd-sempron-processor-3500+", {"Sempron", {"Socket S1"}}},
    {"amd-turion-64-mobile-technology-ml-34", {"Turion 64", {"Socket754"}}},
    {"intel-pentium-ii-dixon", {"PentiumII", {"MMC-1", "MMC-2", "Micro-PGA1"}}},
    {"intel-pentium-iii-katmai-dual", {"PentiumIII", {"Slot1", "Slot2"}}},
    {"intel-celeron-coppermine", {"Celeron", {"Socket370", "Slot1"}}},
    {"intel-pentium-iii-cpu-family-1266mhz", {"PentiumIII", {"Socket370"}}},
    {"intel-celeron-processor-600mhz", {"Celeron M", {"Socket479"}}},
    {"intel-pentium-m-processor-1.60ghz", {"Pentium M", {"Socket479"}}},
    {"intel-pentium-m-processor-1.60ghz-2", {"Pentium M", {"Socket479"}}},
    {"intel-core-duo-cpu-t2600", {"Core Duo", {"Socket M"}}},
    {"intel-cpu-t2400", {"Core Duo", {"Socket M"}}},
    {"intel-celeron-cpu-215", {"Celeron", {"Socket M"}}},
    {"intel-celeron-cpu-1.70ghz", {"Celeron", {"Socket478"}}},
    {"intel-celeron-cpu-2.00ghz", {"Celeron", {"Socket478"}}},
    {"intel-celeron-cpu-2.40ghz", {"Celeron D", {"Socket478", "LGA775"}}},
    {"intel-pentium-4-cpu-1.60ghz", {"Pentium4", {"Socket478"}}},
    {"intel-pentium-4-cpu-2.40ghz", {"Pentium4", {"Socket478"}}},
    {"intel-pentium-4-cpu-2.66ghz", {"Pentium4", {"Socket478"}}},
    {"intel-pentium-4-cpu-3.20ghz", {"Pentium4", {"Socket478", "LGA775"}}},
    {"mobile-intel-pentium-4-m-cpu", {"Pentium4-M", {"Socket478"}}},
    {"via-ezra", {"C3", {"Socket370"}}},
    {"via-c3-ezra", {"C3", {"Socket370"}}},
    {"via-c7-m-processor-1200mhz", {"C7-M", {"NanoBGA2"}}},
    {"via-nehemiah", {"C3", {"Socket370"}}},
    {"amd-k7-processor", {"Athlon", {"Slot A"}}},
    {"intel-core2-cpu-6300", {"Core 2 Duo", {"LGA775"}}},
    {"intel-core2-duo-cpu-e4500", {"Core 2 Duo", {"LGA775"}}},
    {"intel-core2-quad-cpu-q6600", {"Core 2 Quad", {"LGA775"}}},
    {"intel-core2-quad-cpu-q9450", {"Core 2 Quad", {"LGA775"}}},
    {"intel-pentium-dual-cpu-e2160", {"Pentium Dual-Core", {"LGA775"}}},
    {"intel-celeron-cpu-420", {"Celeron", {"LGA775"}}},
    {"intel-celeron-cpu-e1200", {"Celeron", {"LGA775"}}},
    {"intel-pentium-d-820", {"Pentium D 800", {"LGA775"}}},
    {"intel-pentium-extreme-edition-955", {"Pentium Extreme Edition", {"LGA775"}}},
    {"intel-celeron-d-347", {"Celeron D", {"LGA775"}}},
    {"intel-xeon-cpu-3.00ghz-tulsa-dual", {"Xeon 7100", {"Socket604"}}},
    {"amd-phenom-9500-quad-core-processor", {"Phenom", {"Socket AM2+"}}},
    {"amd-phenom-ii-x4-940-processor", {"Phenom II", {"Socket AM2+", "Socket AM3"}}},
    {"amd-phenom-ii-42-twkr-black-edition", {"Phenom II", {"Socket AM2+", "Socket AM3"}}},
    {"amd-athlon-7750-dual-core-processor", {"Athlon X2", {"Socket AM2+"}}},
    {"amd-athlon-ii-x2-245-processor", {"Athlon II", {"Socket AM3"}}},
    {"amd-athlon-ii-x3-425-processor", {"Athlon II", {"Socket AM3"}}},
    {"amd-sempron-140-processor", {"Sempron", {"Socket AM3"}}},
    // No AGP board took these: no name and no socket, only their own bits.
    {"intel-atom-cpu-d525", {"Unknown CPU", {"Unknown"}}},
    {"via-nano-processor", {"Unknown CPU", {"Unknown"}}},
};

// What is left of a platform text once its sockets, separators and the
// board type in brackets are taken out.
std::string Unexplained(std::string platform, std::vector<std::string> sockets) {
  for (const char* separator : {"(Super7)", "/", " "}) sockets.push_back(separator);
  for (const std::string& gone : sockets) {
    for (auto at = platform.find(gone); at != std::string::npos; at = platform.find(gone)) {
      platform.erase(at, gone.size());
    }
  }
  return platform;
}

TEST(RecordedProcessorsTest, EachIsNamedForItsLineOnARealSocketWithTheInstructionSetsItHas) {
  std::ifstream manifest(std::string(KORVANE_CPUID_DUMPS) + "/processors.tsv");
  std::string row;
  std::getline(manifest, row);  // the column names
  int seen = 0;
  while (std::getline(manifest, row)) {
    std::vector<std::string> column;
    std::istringstream cells(row);
    for (std::string cell; std::getline(cells, cell, '\t');) column.push_back(cell);
    ASSERT_EQ(column.size(), 11u) << row;
    const std::string& name = column[0];
    SCOPED_TRACE(name + " (" + column[5] + ")");
    ASSERT_TRUE(kProducts.count(name));
    const Product& product = kProducts.at(name);
    const auto shown = DescribeCpuidDump(ReadDump(name + ".txt"), 0);
    ASSERT_TRUE(shown);
    ++seen;

    EXPECT_NE(shown->name.find(product.line), std::string::npos) << shown->name;
    EXPECT_EQ(Unexplained(shown->platform, product.sockets), "") << shown->platform;
    const std::string fitted = {column[7][0], column[8][0], column[9][0], column[10][0]};
    EXPECT_EQ(std::string({shown->mmx ? '1' : '0', shown->sse ? '1' : '0', shown->now3d ? '1' : '0',
                           shown->enhanced_now3d ? '1' : '0'}),
              fitted);
    // The driver's 3DNow! exactly where the processor has it; write
    // combining on Intel's processors from the Pentium Pro on.
    EXPECT_EQ(shown->dnow_box, column[9] == "1" ? "enabled" : "disabled");
    EXPECT_EQ(shown->comwrite_box, column[1] == "GenuineIntel" ? "enabled" : "disabled");
  }
  EXPECT_EQ(seen, static_cast<int>(kProducts.size()));
}

// AIDA64 writes its dumps with a note after the registers, without the
// colon, or with tabs, and gives a leaf again for each subleaf: those are
// read as the dump itself.
TEST(RecordedProcessorsTest, AIDA64sLayoutsReadAsTheDumpDoes) {
  for (const auto& [name, product] : kProducts) {
    SCOPED_TRACE(name);
    const std::string dump = ReadDump(name + ".txt");
    std::istringstream lines(dump);
    std::string aida64;
    int n = 0;
    for (std::string line; std::getline(lines, line); ++n) {
      const std::string leaf = line.substr(6, 8), registers = line.substr(16);
      const std::string layouts[] = {"CPUID " + leaf + ": " + registers + " [GenuineIntel]",
                                     "CPUID " + leaf + "  " + registers,
                                     "CPUID\t" + leaf + ":\t" + registers + "\t[SL 00]"};
      aida64 += layouts[n % 3] + "\r\n";
      aida64 += "CPUID " + leaf + ": 00000000-00000000-00000000-00000000 [SL 01]\r\n";
    }
    EXPECT_EQ(FormatDescription(*DescribeCpuidDump(aida64, 0)),
              FormatDescription(*DescribeCpuidDump(dump, 0)));
  }
}

// A user's saved report carries the processor's leaves; read back, they say
// what the dump itself says.
TEST(RecordedProcessorsTest, ASavedReportDescribesTheProcessorAsItsDumpDoes) {
  for (const auto& [name, product] : kProducts) {
    SCOPED_TRACE(name);
    const std::string dump = ReadDump(name + ".txt");
    TestMachine machine;
    machine.SeedG400();
    ASSERT_TRUE(LoadCpuidDump(dump, machine.processor));
    Program program(machine.services);
    program.Start();
    machine.dialogs.AnswerFile("C:\\korvane.txt");
    program.main_form().ReportButton.Click();
    const auto from_report =
        DescribeCpuidDump(machine.files.Get("C:\\korvane.txt").value_or(""), 450);
    ASSERT_TRUE(from_report);
    EXPECT_EQ(FormatDescription(*from_report), FormatDescription(*DescribeCpuidDump(dump, 450)));
  }
}

}  // namespace
}  // namespace korvane::testing
