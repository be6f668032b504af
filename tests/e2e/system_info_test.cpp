// The Other tab and the platform label on the real program, on the host's
// own processor (Wine runs the program's CPUID and RDTSC natively) and the
// simulated Windows 98 SE.
#include <cpuid.h>

#include <cmath>
#include <string>
#include <vector>

#include "driver/host_processor.h"
#include "korvane_test.h"
#include "sysinfo/cpu_catalogue.h"
#include "sysinfo/platform_inference.h"

namespace e2e {
namespace {

constexpr char kVersionKey[] = "Software\\Microsoft\\Windows\\CurrentVersion";
constexpr char kSecondEdition[] = "4.10.2222";

class SystemInfoE2E : public KorvaneTest {
 protected:
  void SetUp() override {
    KorvaneTest::SetUp();
    SeedG400();
    SetString(HKEY_LOCAL_MACHINE, kVersionKey, "VersionNumber", kSecondEdition);
    const auto read = ReadHostProcessor();
    ASSERT_TRUE(read) << "cannot read the host's /proc/cpuinfo";
    host = *read;
  }
  void TearDown() override {
    KorvaneTest::TearDown();
    SetString(HKEY_LOCAL_MACHINE, kVersionKey, "VersionNumber", kSecondEdition);
  }
  korvane::CpuSignature Signature() const {
    unsigned eax = 0, ebx = 0, ecx = 0, edx = 0;
    __get_cpuid(0x80000001, &eax, &ebx, &ecx, &edx);
    return korvane::CpuSignature{
        host.vendor,          host.family,         host.model, host.stepping,
        host.extended_family, host.extended_model, host.brand, static_cast<int>(ebx >> 28),
        host.Has("3dnow"),    host.Has("mtrr")};
  }
  // The tab shows the clock once its measurement is over.
  void WaitForClock() {
    for (int waited = 0; waited < 10000; waited += 20) {
      if (korvane->Text(Main("Label58")) != "計測中…") return;
      Sleep(20);
    }
  }
  // The clock shown, checked against the counter's rate over the same time.
  void ExpectClockMatchesCounter(const ClockSample& start, const ClockSample& end) {
    const std::string text = korvane->Text(Main("Label58"));
    const auto shown = ParseClock(text);
    ASSERT_TRUE(shown) << text;
    const double reference = CounterMHz(start, end);
    EXPECT_LT(std::fabs(*shown - reference) / reference, 0.005)
        << text << " against the counter's " << reference << " MHz";
  }

  HostProcessor host;
};

std::string Indication(bool fitted) { return fitted ? "搭載" : "非対応"; }

TEST_F(SystemInfoE2E, TheTabsShowTheHostsProcessorAndWindows98SecondEdition) {
  Start();
  const korvane::PlatformGuess guess = korvane::InferPlatform(Signature(), 0);
  const std::string platform = guess.platform ? std::string(*guess.platform) : "Unknown";
  EXPECT_EQ(korvane->Text(Main("Label38")), platform);
  korvane->SelectTab(main, kRegistryTab);
  EXPECT_EQ(korvane->Enabled(Main("DNow")), guess.dnow);
  EXPECT_EQ(korvane->Enabled(Main("comwrite")), guess.comwrite);

  korvane->SelectTab(main, kOtherTab);
  WaitForClock();
  EXPECT_EQ(korvane->Text(Main("Label64")), host.vendor == "GenuineIntel"   ? "Intel"
                                            : host.vendor == "AuthenticAMD" ? "AMD"
                                                                            : "未定義");
  EXPECT_EQ(korvane->Text(Main("Label81")), host.vendor);
  EXPECT_EQ(korvane->Text(Main("Label78")), std::to_string(host.family));
  EXPECT_EQ(korvane->Text(Main("Label77")), std::to_string(host.model));
  EXPECT_EQ(korvane->Text(Main("Label74")), std::to_string(host.stepping));
  EXPECT_EQ(korvane->Text(Main("Label69")), "対応");
  EXPECT_EQ(korvane->Text(Main("Label70")), host.Has("tsc") ? "対応" : "非対応");
  EXPECT_EQ(korvane->Text(Main("Label60")), host.Has("mmx") ? "搭載" : "なし");

  const auto shown_clock = ParseClock(korvane->Text(Main("Label58")));
  ASSERT_TRUE(shown_clock);
  const auto mhz = static_cast<std::int32_t>(std::lround(*shown_clock));
  const korvane::Identification known = korvane::IdentifyCpu(Signature(), mhz);
  // Linux names extended leaf 0x80000001's bits 31 and 30 "3dnow" and
  // "3dnowext".
  EXPECT_EQ(korvane->Text(Main("Label82")),
            Indication(host.Has("3dnow") || (known.extras & korvane::kExtra3DNow)));
  EXPECT_EQ(korvane->Text(Main("Label114")),
            Indication(host.Has("3dnowext") || (known.extras & korvane::kExtraEnhanced3DNow)));
  EXPECT_EQ(korvane->Text(Main("Label83")),
            Indication(host.Has("sse") || (known.extras & korvane::kExtraSse)));
  EXPECT_EQ(korvane->Text(Main("Label62")),
            known.name ? std::string(*known.name) : std::string("Unknown CPU"));
  EXPECT_EQ(korvane->Text(Main("Label71")),
            known.detail ? std::string(*known.detail) : std::string());

  EXPECT_EQ(korvane->Text(Main("Label42")), "Windows98 Second Edition");
  EXPECT_EQ(korvane->Text(Main("Label43")), "4.10");
  // The inference has run again with the clock just measured.
  const korvane::PlatformGuess measured = korvane::InferPlatform(Signature(), mhz);
  const std::string platform_now = measured.platform ? std::string(*measured.platform) : platform;
  EXPECT_EQ(korvane->Text(Main("Label40")), platform_now);
  EXPECT_EQ(korvane->Text(Main("Label38")), platform_now);

  // The keyboard reaches the retry button before the buttons along the bottom.
  std::vector<std::string> order;
  for (int i = 0; i < 4; ++i) {
    korvane->PressKey(VK_TAB);
    order.push_back(WindowName(korvane->Focus()));
  }
  EXPECT_EQ(order, (std::vector<std::string>{"retry", "Button15", "Button5", "PageControl1"}));

  // The edition is read again at every show of the tab.
  SetString(HKEY_LOCAL_MACHINE, kVersionKey, "VersionNumber", "4.10.1998");
  korvane->SelectTab(main, kGeneralTab);
  korvane->SelectTab(main, kOtherTab);
  EXPECT_EQ(korvane->Text(Main("Label42")), "Windows98");
  EXPECT_FALSE(korvane->MessageBoxOpen());
}

TEST_F(SystemInfoE2E, TheMeasuredClockIsTheCountersOwnRate) {
  Start();
  ClockSample start = SampleClocks();
  korvane->SelectTab(main, kOtherTab);
  WaitForClock();
  ClockSample end = SampleClocks();
  ExpectClockMatchesCounter(start, end);

  start = SampleClocks();
  korvane->Click(Main("retry"));
  WaitForClock();
  end = SampleClocks();
  ExpectClockMatchesCounter(start, end);
  EXPECT_TRUE(korvane->Enabled(Main("retry")));
  EXPECT_EQ(korvane->Text(Main("retry")), "再計算(&R)");

  // Closed while it measures, the program ends as ever.
  korvane->Click(Main("retry"));
  PostMessageW(main, WM_CLOSE, 0, 0);
  DWORD code = 1;
  EXPECT_TRUE(korvane->WaitForExit(10000, &code));
  EXPECT_EQ(code, 0u);
}

}  // namespace
}  // namespace e2e
