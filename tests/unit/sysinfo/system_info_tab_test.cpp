// The Other tab and the platform label, driven through the main window with
// a processor, a timer and a system of the test's choosing.
#include "sysinfo/system_info_tab.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "app/program.h"
#include "unit/test_machine.h"

namespace korvane::testing {
namespace {

constexpr char kVersionKey[] = "Software\\Microsoft\\Windows\\CurrentVersion";
constexpr int kOtherTab = 4;
constexpr std::uint32_t kTsc = FakeProcessor::kTsc;
constexpr std::uint32_t kMmx = FakeProcessor::kMmx;
constexpr std::uint32_t kSse = FakeProcessor::kSse;
constexpr std::uint32_t k3DNow = 0x80000000u;

class SystemInfoTabTest : public ::testing::Test {
 protected:
  void SetUp() override {
    machine.SeedG400();
    machine.memory.PutString(HKLM, kVersionKey, "VersionNumber", "4.10.2222");
  }
  void Start() {
    program = std::make_unique<Program>(machine.services);
    program->Start();
  }
  // Shows the Other tab afresh, and lets its measurement end.
  void ShowOtherTab() {
    form().PageControl1.Select(0);
    form().PageControl1.Select(kOtherTab);
    machine.scheduler.Advance(1000);
  }
  void Retry() {
    tab().retry.Click();
    machine.scheduler.Advance(1000);
  }
  // The clock measures `ticks` over `milliseconds`, the timer starting at
  // `tick_start` and the counter at `stamp_start`. The timer gives a reading
  // before the start's edge, the edge, one when the wait is nearly over,
  // then moves on by one per reading.
  void NextMeasurement(std::uint64_t ticks, std::uint32_t milliseconds,
                       std::uint32_t tick_start = 1000, std::uint64_t stamp_start = 1u << 20) {
    machine.processor.ScriptStamps({stamp_start, stamp_start + ticks});
    machine.timer.Script({tick_start - 1, tick_start, tick_start + milliseconds - 1});
  }
  TForm1& form() { return program->main_form(); }
  SystemInfoTab& tab() { return form().system_info_tab(); }

  TestMachine machine;
  std::unique_ptr<Program> program;
};

struct OsCase {
  std::optional<OsVersion> version;
  const char* version_number;  // null: no value
  const char* label43;
  const char* label42;
};

TEST_F(SystemInfoTabTest, NamesTheOperatingSystemFromItsVersionAndVersionNumber) {
  const OsCase cases[] = {
      {OsVersion{1, 4, 10}, "4.10.1998", "4.10", "Windows98"},
      {OsVersion{1, 4, 10}, "4.10.2222", "4.10", "Windows98 Second Edition"},
      {OsVersion{1, 4, 10}, nullptr, "4.10", "Windows98 Second Edition"},
      {OsVersion{1, 4, 90}, "4.90.3000", "4.90", "WindowsMe"},
      {OsVersion{1, 4, 0}, "4.00.950", "4.0", "Windows95"},
      {OsVersion{1, 5, 0}, "4.10.1998", "5.0", "不明"},
      {std::nullopt, "4.10.1998", "", "不明"},
  };
  for (const OsCase& c : cases) {
    TestMachine machine;
    machine.SeedG400();
    machine.os.version = c.version;
    if (c.version_number)
      machine.memory.PutString(HKLM, kVersionKey, "VersionNumber", c.version_number);
    Program program(machine.services);
    program.Start();
    program.main_form().PageControl1.Select(kOtherTab);
    const SystemInfoTab& tab = program.main_form().system_info_tab();
    EXPECT_EQ(tab.Label43.caption(), c.label43) << c.label42;
    EXPECT_EQ(tab.Label42.caption(), c.label42) << c.label43;
  }
}

TEST_F(SystemInfoTabTest, TheVersionIsAskedUntilKnownAndVersionNumberReadOnEveryShow) {
  machine.os.version.reset();
  Start();
  machine.dialogs.Clear();  // the start-up check's box
  ShowOtherTab();
  EXPECT_EQ(tab().Label43.caption(), "");
  machine.os.version = OsVersion{1, 4, 10};
  ShowOtherTab();
  EXPECT_EQ(tab().Label42.caption(), "Windows98 Second Edition");
  machine.memory.PutString(HKLM, kVersionKey, "VersionNumber", "4.10.1998");
  machine.os.version = OsVersion{1, 4, 90};
  ShowOtherTab();
  EXPECT_EQ(tab().Label43.caption(), "4.10");
  EXPECT_EQ(tab().Label42.caption(), "Windows98");
  // A value of another type reads as missing; this tab shows no error.
  machine.memory.PutDword(HKLM, kVersionKey, "VersionNumber", 1998);
  ShowOtherTab();
  EXPECT_EQ(tab().Label42.caption(), "Windows98 Second Edition");
  EXPECT_TRUE(machine.Boxes().empty());
}

struct ProcessorCase {
  const char* vendor;
  std::uint32_t signature;
  std::uint32_t features;
  const char* company;
  const char* name;
  // Label60 (MMX), Label69 (CPUID), Label70 (RDTSC), Label82 (3DNow!),
  // Label114 (Enhanced 3DNow!), Label83 (SSE).
  std::vector<std::string> indications;
};

std::string Colour(const ui::Label& label) {
  const ui::Colour colour = label.style().colour;
  return colour == ui::kNavy ? "navy" : colour == ui::kRed ? "red" : "plain";
}

TEST_F(SystemInfoTabTest, ShowsTheMakerSignatureAndInstructionSetsInTheirColours) {
  const ProcessorCase cases[] = {
      {"GenuineIntel",
       0x00000683,
       kTsc | kMmx | kSse,
       "Intel",
       "PentiumIII / Celeron Processor (Coppermine cB0コア)",
       {"搭載 navy", "対応 plain", "対応 plain", "非対応 red", "非対応 red", "搭載 navy"}},
      // The catalogue vouches for SSE where the flags do not.
      {"GenuineIntel",
       0x00000672,
       kTsc | kMmx,
       "Intel",
       "PentiumIII / PentiumIII Xeon Processor",
       {"搭載 navy", "対応 plain", "対応 plain", "非対応 red", "非対応 red", "搭載 navy"}},
      {"AuthenticAMD",
       0x00000612,
       kTsc | kMmx | k3DNow,
       "AMD",
       "Athlon Processor",
       {"搭載 navy", "対応 plain", "対応 plain", "搭載 navy", "搭載 navy", "非対応 red"}},
      {"CentaurHauls",
       0x00000585,
       kTsc | kMmx,
       "IDT",
       "WinChip 2 Processor",
       {"搭載 navy", "対応 plain", "対応 plain", "搭載 navy", "非対応 red", "非対応 red"}},
      {"CyrixInstead",
       0x00000520,
       0,
       "Cyrix",
       "Cyrix 6x86 or 6x86L Processor",
       {"なし red", "対応 plain", "非対応 plain", "非対応 red", "非対応 red", "非対応 red"}},
      {"RiseRiseRise",
       0x00000502,
       kTsc | kMmx,
       "Rise",
       "mP6 Processor",
       {"搭載 navy", "対応 plain", "対応 plain", "非対応 red", "非対応 red", "非対応 red"}},
      {"GenuineTMx86",
       0x00000543,
       kTsc | kMmx,
       "Transmeta",
       "Crusoe Processor",
       {"搭載 navy", "対応 plain", "対応 plain", "非対応 red", "非対応 red", "非対応 red"}},
  };
  for (const ProcessorCase& c : cases) {
    TestMachine machine;
    machine.SeedG400();
    machine.processor.Describe(c.vendor, c.signature, c.features);
    Program program(machine.services);
    program.Start();
    TForm1& form = program.main_form();
    form.PageControl1.Select(kOtherTab);
    const SystemInfoTab& tab = form.system_info_tab();
    EXPECT_EQ(tab.Label64.caption(), c.company);
    EXPECT_EQ(tab.Label81.caption(), c.vendor);
    EXPECT_EQ(tab.Label78.caption(), std::to_string(c.signature >> 8 & 0xF));
    EXPECT_EQ(tab.Label77.caption(), std::to_string(c.signature >> 4 & 0xF));
    EXPECT_EQ(tab.Label74.caption(), std::to_string(c.signature & 0xF));
    EXPECT_EQ(tab.Label62.caption(), c.name);
    std::vector<std::string> shown;
    for (const ui::Label* label :
         {&tab.Label60, &tab.Label69, &tab.Label70, &tab.Label82, &tab.Label114, &tab.Label83}) {
      shown.push_back(label->caption() + " " + Colour(*label));
    }
    EXPECT_EQ(shown, c.indications) << c.vendor;
    EXPECT_EQ(tab.Label40.caption(), form.Label38.caption());
  }
}

TEST_F(SystemInfoTabTest, WithoutCpuidTheTabFallsToItsUnknownTexts) {
  machine.processor.has_cpuid = false;
  Start();
  EXPECT_EQ(form().Label38.caption(), "Unknown");
  ShowOtherTab();
  EXPECT_EQ(tab().Label64.caption(), "未定義");
  EXPECT_EQ(tab().Label81.caption(), "No Name");
  for (const ui::Label* label : {&tab().Label78, &tab().Label77, &tab().Label74}) {
    EXPECT_EQ(label->caption(), "??");
  }
  EXPECT_EQ(tab().Label69.caption(), "非対応");
  EXPECT_EQ(tab().Label70.caption(), "非対応");
  EXPECT_EQ(tab().Label60.caption(), "なし");
  EXPECT_EQ(tab().Label58.caption(), "---.----MHz");
  EXPECT_EQ(tab().Label62.caption(), "未定義");
  EXPECT_EQ(tab().Label71.caption(), "");
  EXPECT_EQ(tab().Label40.caption(), "Unknown");
  EXPECT_EQ(form().MeasuredMHz, 0);
  EXPECT_EQ(machine.processor.cpuid_count + machine.processor.stamp_count, 0);
}

struct ClockCase {
  std::uint64_t ticks;
  std::uint32_t milliseconds;
  std::uint32_t tick_start;
  std::uint64_t stamp_start;
  const char* shown;
  std::int32_t whole;  // -1: the last good clock stays
};

TEST_F(SystemInfoTabTest, TheClockIsTicksOverMillisecondsRoundedHalfAwayFromZero) {
  const ClockCase cases[] = {
      {2'250'000'000, 501, 1000, 1 << 20, "4491.0180MHz", 4491},
      {233'700'000, 502, 1000, 1 << 20, "465.5378MHz", 466},
      // Across a carry into the counter's high half, the timer wrapping.
      {233'700'000, 502, 0xFFFFFF00u, 0xFFFFFF00u, "465.5378MHz", 466},
      {512, 501, 0xFFFFFFF0u, 0xFFFFFF00u, "000.0010MHz", 0},
      {40'000'000, 600, 1000, 1 << 20, "066.6667MHz", 67},
      {624'999'975, 625, 1000, 1 << 20, "1000.0000MHz", 1000},
      {133'783'000, 502, 1000, 1 << 20, "266.5000MHz", 267},
      {133'782'999, 502, 1000, 1 << 20, "266.5000MHz", 266},
      {0, 501, 1000, 1 << 20, "000.0000MHz", 0},
      {2'147'483'647ull * 501'000, 501, 1000, 0, "2147483647.0000MHz", 2147483647},
      // Counts no honest clock can come from.
      {2'147'483'648ull * 501'000, 501, 1000, 0, "---.----MHz", -1},
      {0xFFFFFFFFFFFF0000ull, 501, 1000, 0x10000, "---.----MHz", -1},
  };
  Start();
  ShowOtherTab();
  for (const ClockCase& c : cases) {
    form().MeasuredMHz = 450;
    NextMeasurement(c.ticks, c.milliseconds, c.tick_start, c.stamp_start);
    Retry();
    EXPECT_EQ(tab().Label58.caption(), c.shown) << c.ticks << " over " << c.milliseconds;
    EXPECT_EQ(form().MeasuredMHz, c.whole < 0 ? 450 : c.whole) << c.ticks;
  }
}

// The windows are free during the wait; each end is taken at the edge of a
// millisecond, and the wait ends at the first reading more than 500 ms on,
// however late the program comes back to it.
TEST_F(SystemInfoTabTest, TheWaitStartsAndEndsAtAMillisecondsEdge) {
  const struct {
    std::vector<std::uint32_t> timer;
    const char* shown;
  } cases[] = {
      // Back early: watched from 490 ms on, to 501 ms across the timer's
      // wrap.
      {{0xFFFFFE00u, 0xFFFFFE00u, 0xFFFFFE01u, 0xFFFFFE01u + 490}, "464.9721MHz"},
      // Back 200 ms late: the end waits for the next edge only, 701 ms on.
      {{7, 8, 708}, "332.3124MHz"},
  };
  Start();
  ShowOtherTab();
  for (const auto& c : cases) {
    machine.processor.ScriptStamps({0, 232'951'000});
    machine.timer.Script(c.timer);
    tab().retry.Click();
    EXPECT_EQ(tab().Label58.caption(), "計測中…");
    EXPECT_FALSE(tab().retry.enabled());
    machine.scheduler.Advance(1000);
    EXPECT_EQ(tab().Label58.caption(), c.shown);
    EXPECT_TRUE(tab().retry.enabled());
  }
}

// The tab shows what it knows at once and the clock once it is in; a
// window closed meanwhile leaves no measurement behind to come back to it.
TEST_F(SystemInfoTabTest, TheOtherFactsComeBeforeTheClockAndClosingDropsTheMeasurement) {
  machine.processor.Describe("GenuineIntel", 0x00000652, kTsc | kMmx);
  machine.memory.PutString(HKLM, kVersionKey, "VersionNumber", "4.10.1998");
  Start();
  NextMeasurement(225'450'000, 501);
  form().PageControl1.Select(kOtherTab);
  EXPECT_EQ(tab().Label58.caption(), "計測中…");
  EXPECT_EQ(tab().Label42.caption(), "Windows98");
  EXPECT_EQ(tab().Label81.caption(), "GenuineIntel");
  EXPECT_EQ(tab().Label64.caption(), "Intel");
  EXPECT_EQ(tab().Label60.caption(), "搭載");
  // Shown again meanwhile: the one measurement goes on.
  form().PageControl1.Select(0);
  form().PageControl1.Select(kOtherTab);
  machine.scheduler.Advance(1000);
  EXPECT_EQ(tab().Label58.caption(), "450.0000MHz");
  EXPECT_EQ(tab().Label62.caption(), "PentiumII/PentiumII Xeon/Celeron Processor with MMX tech.");

  form().PageControl1.Select(0);
  form().PageControl1.Select(kOtherTab);
  form().Close();
  program.reset();
  EXPECT_EQ(machine.scheduler.pending(), 0u);
}

TEST_F(SystemInfoTabTest, RetryMeasuresAndInfersThePlatformAndTheNextShowIdentifiesByIt) {
  machine.processor.Describe("GenuineIntel", 0x00000652, kTsc | kMmx);
  Start();
  EXPECT_EQ(form().Label38.caption(), "Unknown");
  NextMeasurement(133'000'000, 501);  // 265.5 MHz: no row yet
  ShowOtherTab();
  EXPECT_EQ(tab().Label58.caption(), "265.4691MHz");
  EXPECT_EQ(tab().Label62.caption(), "Unknown CPU");

  NextMeasurement(225'450'000, 501);  // 450 MHz
  Retry();
  EXPECT_TRUE(tab().retry.enabled());
  EXPECT_EQ(tab().Label58.caption(), "450.0000MHz");
  EXPECT_EQ(form().MeasuredMHz, 450);
  EXPECT_EQ(tab().Label62.caption(), "Unknown CPU");
  EXPECT_EQ(form().Label38.caption(), "Slot1 / Slot2");
  EXPECT_EQ(tab().Label40.caption(), "Slot1 / Slot2");

  NextMeasurement(225'450'000, 501);
  ShowOtherTab();
  EXPECT_EQ(tab().Label62.caption(), "PentiumII/PentiumII Xeon/Celeron Processor with MMX tech.");
  EXPECT_EQ(tab().Label71.caption(), "300,333,350,400,450MHz (Desthutes/Convington) [0.25μ]");
}

TEST_F(SystemInfoTabTest, FormShowInfersThePlatformAndWhichProcessorBoxesApply) {
  // A Pentium II at start-up: no clock yet, so the label stays, and the
  // boxes follow its own bits: no 3DNow!, range registers for write combining.
  machine.processor.Describe("GenuineIntel", 0x00000652, kTsc | kMmx | 1u << 12);
  Start();
  RegistryTab& registry = form().registry_tab();
  EXPECT_EQ(form().Label38.caption(), "Unknown");
  EXPECT_FALSE(registry.box(Setting::kDNow).enabled());
  EXPECT_TRUE(registry.box(Setting::kComwrite).enabled());

  // Once the tab has measured 450 MHz, the inference knows.
  NextMeasurement(225'450'000, 501);
  ShowOtherTab();
  EXPECT_EQ(form().Label38.caption(), "Slot1 / Slot2");
  EXPECT_FALSE(registry.box(Setting::kDNow).enabled());
  EXPECT_TRUE(registry.box(Setting::kComwrite).enabled());
  EXPECT_EQ(tab().Label40.caption(), "Slot1 / Slot2");

  // A K6-2 enables 3DNow!; an unknown vendor disables both.
  for (const char* vendor : {"AuthenticAMD", "GenuineTMx86"}) {
    TestMachine other;
    other.SeedG400();
    other.processor.Describe(vendor, 0x0000058C, kTsc | kMmx | k3DNow);
    Program program(other.services);
    program.Start();
    const bool amd = std::string(vendor) == "AuthenticAMD";
    EXPECT_EQ(program.main_form().Label38.caption(), amd ? "Socket7 (Super7)" : "Unknown");
    EXPECT_EQ(program.main_form().registry_tab().box(Setting::kDNow).enabled(), amd);
    EXPECT_FALSE(program.main_form().registry_tab().box(Setting::kComwrite).enabled());
  }
}

TEST_F(SystemInfoTabTest, WithoutADriverTheInferenceNeverEnablesTheProcessorBoxes) {
  TestMachine bare;
  bare.AddDisplayEntry("0000", "mga.drv", "Matrox Millennium II");
  bare.processor.Describe("GenuineIntel", 0x00000673, kTsc | kMmx | kSse);
  Program program(bare.services);
  program.Start();
  TForm1& form = program.main_form();
  EXPECT_EQ(form.Label38.caption(), "Slot1 / Slot2");
  EXPECT_FALSE(form.registry_tab().box(Setting::kComwrite).enabled());
  EXPECT_FALSE(form.registry_tab().box(Setting::kDNow).enabled());
}

}  // namespace
}  // namespace korvane::testing
