#include "sysinfo/system_info_tab.h"

#include <utility>

#include "platform/os_info.h"
#include "platform/scheduler.h"
#include "platform/timer.h"
#include "registry/registry.h"
#include "sysinfo/clock_reading.h"
#include "sysinfo/cpu_catalogue.h"
#include "sysinfo/processor_view.h"
#include "text/texts.h"

namespace korvane {
namespace {

constexpr char kWindowsVersionKey[] = "\\Software\\Microsoft\\Windows\\CurrentVersion";
constexpr char kFirstEditionNumber[] = "4.10.1998";
// The wait ends at the first timer reading more than this after the start.
constexpr std::int32_t kWaitMs = 500;
// The wait's last milliseconds are spent watching the timer, so that the
// end is taken at a millisecond's edge: the windows are free until then.
// Windows 95/98 fire timers at 55 ms steps, so they may come later, which
// lengthens the wait but does not change the reading.
constexpr std::int32_t kWatchMs = 10;

// Layout, in pixels of the page: captions on the left and their values in
// one column, the detail on its own lines below its caption (some details
// have no space to wrap at), the instruction sets in a second pair of
// columns.
constexpr int kRow = 18;
constexpr int kTwoLines = 28;
constexpr int kCaptionLeft = 12;
constexpr int kValueLeft = 124;
constexpr int kValueWidth = 288;
constexpr int kDetailLeft = 24;
constexpr int kDetailWidth = 388;
constexpr int kNameTop = 10 + kRow;
constexpr int kDetailTop = kNameTop + kTwoLines + 2;
constexpr int kSystemTop = kDetailTop + 16 + kTwoLines + 4;
constexpr int kColumnsTop = kSystemTop + 2 * kRow + 12;
constexpr int kFeatureLeft = 206;
// The signature's values stand in the column of the values above, except
// in Japanese: there a vendor string such as "GenuineTMx86" is wider than
// the room before the next column, and the signature's captions end well
// short of that column.
constexpr int kJapaneseSignatureLeft = 104;
constexpr int kFeatureValueLeft = 352;
constexpr int kClockTop = kColumnsTop + 6 * kRow + 10;

using T = TextId;

int SignatureLeft() {
  return CurrentLanguage() == Language::kJapanese ? kJapaneseSignatureLeft : kValueLeft;
}

ui::TextStyle Indication(ui::Colour colour) {
  ui::TextStyle style;
  style.bold = true;
  style.colour = colour;
  return style;
}

// An instruction-set indication: fitted in navy, or the label's own "no"
// text in red.
void Indicate(ui::Label& label, bool fitted, TextId no_text = T::kNotSupported) {
  label.SetCaption(Text(fitted ? T::kFitted : no_text));
  label.SetStyle(Indication(fitted ? ui::kNavy : ui::kRed));
}

// A label whose text says yes or no, in its own colour.
void Support(ui::Label& label, bool supported) {
  label.SetCaption(Text(supported ? T::kSupported : T::kNotSupported));
}

}  // namespace

SystemInfoTab::SystemInfoTab(ui::TabSheet& sheet, Services& services, const TPentiumMMX& probe,
                             std::int32_t& measured_mhz, const ui::Label& platform_label,
                             std::function<void()> infer_platform)
    : services_(services),
      probe_(probe),
      measured_mhz_(measured_mhz),
      platform_label_(platform_label),
      infer_platform_(std::move(infer_platform)),
      Label63(sheet, "Label63", {kCaptionLeft, 10, 0, 0}, Text(T::kCpuVendorCaption)),
      Label64(sheet, "Label64", {kValueLeft, 10, 0, 0}, Text(T::kUnknownCpuVendor)),
      Label65(sheet, "Label65", {kCaptionLeft, kNameTop, 0, 0}, Text(T::kCpuNameCaption)),
      Label62(sheet, "Label62", {kValueLeft, kNameTop, kValueWidth, kTwoLines},
              Text(T::kUnknownCpu)),
      Label72(sheet, "Label72", {kCaptionLeft, kDetailTop, 0, 0}, Text(T::kCpuDetailCaption)),
      Label71(sheet, "Label71", {kDetailLeft, kDetailTop + 16, kDetailWidth, kTwoLines}, ""),
      Label41(sheet, "Label41", {kCaptionLeft, kSystemTop, 0, 0}, Text(T::kOsCaption)),
      Label42(sheet, "Label42", {kValueLeft, kSystemTop, 0, 0}, Text(T::kUnknown)),
      Label44(sheet, "Label44", {kFeatureValueLeft - 30, kSystemTop, 0, 0}, "Ver."),
      Label43(sheet, "Label43", {kFeatureValueLeft, kSystemTop, 0, 0}, "?.??"),
      Label39(sheet, "Label39", {kCaptionLeft, kSystemTop + kRow, 0, 0}, Text(T::kPlatformCaption)),
      Label40(sheet, "Label40", {kValueLeft, kSystemTop + kRow, 0, 0}, Text(T::kUnknown)),
      Label80(sheet, "Label80", {kCaptionLeft, kColumnsTop, 0, 0}, Text(T::kVendorStringCaption)),
      Label81(sheet, "Label81", {SignatureLeft(), kColumnsTop, 0, 0},
              Text(T::kUnknownVendorString)),
      Label79(sheet, "Label79", {kCaptionLeft, kColumnsTop + kRow, 0, 0}, Text(T::kFamilyCaption)),
      Label78(sheet, "Label78", {SignatureLeft(), kColumnsTop + kRow, 0, 0}, "??"),
      Label76(sheet, "Label76", {kCaptionLeft, kColumnsTop + 2 * kRow, 0, 0},
              Text(T::kCpuModelCaption)),
      Label77(sheet, "Label77", {SignatureLeft(), kColumnsTop + 2 * kRow, 0, 0}, "??"),
      Label75(sheet, "Label75", {kCaptionLeft, kColumnsTop + 3 * kRow, 0, 0},
              Text(T::kSteppingCaption)),
      Label74(sheet, "Label74", {SignatureLeft(), kColumnsTop + 3 * kRow, 0, 0}, "??"),
      Label61(sheet, "Label61", {kFeatureLeft, kColumnsTop, 0, 0}, Text(T::kCpuidCaption)),
      Label69(sheet, "Label69", {kFeatureValueLeft, kColumnsTop, 0, 0}, Text(T::kSupported)),
      Label66(sheet, "Label66", {kFeatureLeft, kColumnsTop + kRow, 0, 0}, Text(T::kRdtscCaption)),
      Label70(sheet, "Label70", {kFeatureValueLeft, kColumnsTop + kRow, 0, 0}, Text(T::kSupported)),
      Label59(sheet, "Label59", {kFeatureLeft, kColumnsTop + 2 * kRow, 0, 0}, Text(T::kMmxCaption)),
      Label60(sheet, "Label60", {kFeatureValueLeft, kColumnsTop + 2 * kRow, 0, 0},
              Text(T::kFitted)),
      Label84(sheet, "Label84", {kFeatureLeft, kColumnsTop + 3 * kRow, 0, 0},
              Text(T::k3DNowCaption)),
      Label82(sheet, "Label82", {kFeatureValueLeft, kColumnsTop + 3 * kRow, 0, 0},
              Text(T::kNotSupported)),
      Label113(sheet, "Label113", {kFeatureLeft, kColumnsTop + 4 * kRow, 0, 0},
               Text(T::kEnhanced3DNowCaption)),
      Label114(sheet, "Label114", {kFeatureValueLeft, kColumnsTop + 4 * kRow, 0, 0},
               Text(T::kNotSupported)),
      Label85(sheet, "Label85", {kFeatureLeft, kColumnsTop + 5 * kRow, 0, 0}, Text(T::kSseCaption)),
      Label83(sheet, "Label83", {kFeatureValueLeft, kColumnsTop + 5 * kRow, 0, 0},
              Text(T::kNotSupported)),
      Label57(sheet, "Label57", {kCaptionLeft, kClockTop + 3, 0, 0}, Text(T::kCpuClockCaption)),
      Label58(sheet, "Label58", {kValueLeft, kClockTop, 0, 0}, kNoClock),
      retry(sheet, "retry", {310, kClockTop - 3, 100, 25}, Text(T::kRetry), Text(T::kRetryHint)) {
  Label60.SetStyle(Indication(ui::kNavy));
  for (ui::Label* label : {&Label82, &Label114, &Label83}) label->SetStyle(Indication(ui::kRed));
  ui::TextStyle clock;
  clock.bold = true;
  clock.size_px = 16;
  Label58.SetStyle(clock);

  sheet.on_show = [this] { return TabSheet4Show(); };
  retry.on_click = [this] { return retryClick(); };
}

SystemInfoTab::~SystemInfoTab() { services_.scheduler.Cancel(wait_ticket_); }

Status SystemInfoTab::TabSheet4Show() {
  ShowOperatingSystem();
  Support(Label69, probe_.CpuIDsupport());
  Support(Label70, probe_.RDTSCsupport());
  ShowSignature();
  MeasureClock(true);
  // What the last clock tells is shown now, and again with the new one.
  Identify();
  Label40.SetCaption(platform_label_.caption());
  return Status::Ok();
}

Status SystemInfoTab::retryClick() {
  MeasureClock(false);
  return Status::Ok();
}

void SystemInfoTab::ShowOperatingSystem() {
  if (os_version_text_.empty()) {
    if (const auto version = services_.os.Version()) {
      os_version_text_ = std::to_string(version->major) + "." + std::to_string(version->minor);
    }
  }
  Label43.SetCaption(os_version_text_);
  const std::string& shown = Label43.caption();
  if (shown == "4.10") {
    Registry registry(services_.registry);
    registry.SetRoot(RegistryRoot::kLocalMachine);
    registry.OpenKey(kWindowsVersionKey, true);
    // A value that cannot be read as text counts as missing: this tab
    // reports nothing to the user.
    const Result<std::string> number = registry.ReadString("VersionNumber");
    const bool first_edition = number.ok() && number.value() == kFirstEditionNumber;
    Label42.SetCaption(Text(first_edition ? T::kWindows98Name : T::kWindows98SeName));
  } else if (shown == "4.90") {
    Label42.SetCaption(Text(T::kWindowsMeName));
  } else if (shown == "4.0") {
    Label42.SetCaption(Text(T::kWindows95Name));
  }
}

void SystemInfoTab::ShowSignature() {
  if (!probe_.CpuIDsupport()) {
    Label81.SetCaption("No Name");
    for (ui::Label* label : {&Label78, &Label77, &Label74}) label->SetCaption("??");
    return;
  }
  Label81.SetCaption(probe_.VendorString());
  Label78.SetCaption(std::to_string(probe_.Family().value));
  Label77.SetCaption(std::to_string(probe_.Model().value));
  Label74.SetCaption(std::to_string(probe_.SteppingID().value));
}

// Both counters run on in real time whatever the program does between the
// two readings, so the wait need not be busy: the windows stay free. Each
// end is taken at the edge of a millisecond, which keeps the reading as
// exact as a busy wait's.
void SystemInfoTab::MeasureClock(bool identify) {
  if (!probe_.RDTSCsupport()) {
    Label58.SetCaption(kNoClock);
    Label40.SetCaption(platform_label_.caption());
    return;
  }
  identify_after_ = identify_after_ || identify;
  if (measuring_) return;
  measuring_ = true;
  retry.SetEnabled(false);
  Label58.SetCaption(Text(T::kMeasuring));
  MillisecondTimer& timer = services_.timer;
  const std::uint32_t before = timer.Now();
  do {
    TickStart = timer.Now();
  } while (TickStart == before);
  StampStart = probe_.TimeStamp();
  wait_ticket_ = services_.scheduler.After(kWaitMs - kWatchMs, [this] { WaitForEnd(); });
  if (!wait_ticket_) WaitForEnd();  // no timer to be had: wait here
}

void SystemInfoTab::WaitForEnd() {
  wait_ticket_ = 0;
  MillisecondTimer& timer = services_.timer;
  const std::uint32_t now = timer.Now();
  const std::int32_t left = kWaitMs - static_cast<std::int32_t>(now - TickStart);
  if (left > kWatchMs) {
    wait_ticket_ = services_.scheduler.After(static_cast<std::uint32_t>(left - kWatchMs),
                                             [this] { WaitForEnd(); });
    if (wait_ticket_) return;
  }
  do {
    TickEnd = timer.Now();
  } while (TickEnd == now || static_cast<std::int32_t>(TickEnd - TickStart) <= kWaitMs);
  StampEnd = probe_.TimeStamp();
  TakeReading();
}

void SystemInfoTab::TakeReading() {
  measuring_ = false;
  retry.SetEnabled(true);
  const std::uint32_t elapsed = TPentiumMMX::Interval32(TickEnd, TickStart);
  const TStampPair count = TPentiumMMX::Interval64(StampEnd, StampStart);
  const bool backwards = StampEnd.High < StampStart.High ||
                         (StampEnd.High == StampStart.High && StampEnd.Low < StampStart.Low);
  const auto reading =
      backwards ? std::nullopt
                : ReadClock((static_cast<std::uint64_t>(count.High) << 32) | count.Low, elapsed);
  if (reading) {
    Label58.SetCaption(reading->text);
    measured_mhz_ = reading->whole_mhz;
    infer_platform_();
  } else {
    // No honest number: the last good clock stays for the catalogue.
    Label58.SetCaption(kNoClock);
  }
  // The platform is copied after the measurement, which may have changed it.
  Label40.SetCaption(platform_label_.caption());
  if (identify_after_) Identify();
  identify_after_ = false;
}

void SystemInfoTab::Identify() {
  const ProcessorView view = ViewProcessor(probe_, measured_mhz_);
  Label64.SetCaption(view.company);
  Indicate(Label60, view.mmx, T::kNotFitted);
  Indicate(Label82, view.now3d);
  Indicate(Label114, view.enhanced_now3d);
  Indicate(Label83, view.sse);
  const Identification& found = view.identification;
  if (found.name) Label62.SetCaption(CatalogueText(*found.name));
  if (found.detail) Label71.SetCaption(CatalogueText(*found.detail));
}

}  // namespace korvane
