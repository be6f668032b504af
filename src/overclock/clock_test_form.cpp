#include "overclock/clock_test_form.h"

#include <algorithm>

#include "platform/ascii.h"
#include "platform/scheduler.h"
#include "registry/registry.h"
#include "text/texts.h"

namespace korvane {
namespace {

using T = TextId;

// A slice of the test ends within this, and the window answers in between:
// a slice may end one blit or strip later, and a blit under Wine takes up
// to 20 ms more.
constexpr std::uint32_t kSliceMs = 10;
constexpr std::uint32_t kRefreshMs = 100;
// While the surfaces are lost (a full-screen DOS box), the test looks again
// this often.
constexpr std::uint32_t kLostRetryMs = 250;

// The program key's value that keeps what the last test at these clocks
// found: "ClockTest 300 1/2 2/3", the number of errors.
std::string ResultName(const SetClocks& clocks) {
  return "ClockTest " + std::to_string(clocks.system_mhz) + " " + clocks.core_divider + " " +
         clocks.memory_divider;
}

// Megabytes with a tenth: "31.8".
std::string Megabytes(std::uint32_t bytes) {
  const std::uint32_t tenths = (bytes >> 10) * 10 >> 10;
  return std::to_string(tenths / 10) + "." + std::to_string(tenths % 10);
}

std::string HexWord(std::uint32_t word) { return "0x" + HexText(word, 8); }

std::string ErrorLine(const MemoryError& error) {
  return Format(T::kTestErrorLine, {HexWord(error.offset), HexWord(error.wrote),
                                    HexWord(error.read), HexWord(error.differing)});
}

}  // namespace

std::optional<std::int32_t> LastTestErrors(RegistryStore& store, const SetClocks& clocks) {
  Registry registry(store);
  registry.SetRoot(RegistryRoot::kLocalMachine);
  const std::string name = ResultName(clocks);
  if (!registry.OpenKeyReadOnly(kProgramKeyPath) || !registry.ValueExists(name)) return {};
  const Result<std::int32_t> errors = registry.ReadInteger(name);
  // A value of another type says nothing of the clocks.
  if (!errors.ok()) return {};
  return errors.value();
}

const char* TClockTestForm::PassName(TestPass pass) {
  return Text(static_cast<T>(static_cast<int>(T::kPassZeros) + static_cast<int>(pass)));
}

TClockTestForm::TClockTestForm(Services& services, ui::ErrorReporter& errors)
    : Form("ClockTestForm", Text(T::kClockTestTitle), 440, 268, ui::BorderStyle::kDialog,
           errors),
      ClocksLabel(*this, "ClocksLabel", {8, 10, 0, 0}, ""),
      TestKind(*this, "TestKind", {8, 32, 424, 40}, Text(T::kTestSetFrame),
               {Text(T::kQuickTest), Text(T::kThoroughTest)}, 2),
      Progress(*this, "Progress", {8, 82, 424, 16}),
      TestLines(*this, "TestLines", {8, 106, 424, 124}, {}),
      StartButton(*this, "StartButton", {8, 236, 80, 25}, Text(T::kStartTest)),
      CloseButton(*this, "CloseButton", {352, 236, 80, 25}, Text(T::kCloseCaption)),
      services_(services),
      test_(services.video_memory, services.timer) {
  ui::TextStyle bold;
  bold.bold = true;
  ClocksLabel.SetStyle(bold);
  TestKind.SetItemIndexSilently(0);
  StartButton.on_click = [this] {
    if (running()) {
      StopTest();
    } else {
      Begin(TestKind.item_index() == 1 ? TestSet::kThorough : TestSet::kQuick, false);
    }
    return Status::Ok();
  };
  CloseButton.on_click = [this] {
    UserClose();
    return Status::Ok();
  };
  // Closing the window ends its test: nothing runs that the user cannot see.
  can_close = [this] {
    StopTest();
    return true;
  };
}

TClockTestForm::~TClockTestForm() { services_.scheduler.Cancel(ticket_); }

void TClockTestForm::Open(const std::optional<SetClocks>& setting, const RunningClocks& shown) {
  if (!running()) {
    setting_ = setting;
    const auto known = [](const std::string& clock) {
      return clock.empty() ? std::string(Text(T::kUnknown)) : clock;
    };
    ClocksLabel.SetCaption(
        Format(T::kTestedClocks, {known(shown.system), known(shown.core), known(shown.memory)}));
    TestLines.SetLines({});
    Progress.SetPosition(0);
  }
  static_cast<void>(Show());
  BringToFront();
}

bool TClockTestForm::Begin(TestSet set, bool stop_at_first_error) {
  if (running()) return false;
  TestKind.SetItemIndexSilently(set == TestSet::kThorough ? 1 : 0);
  const VideoMemoryRefusal refusal = test_.Start(set, stop_at_first_error);
  if (refusal != VideoMemoryRefusal::kNone) {
    Progress.SetPosition(0);
    TestLines.SetLines({Text(refusal == VideoMemoryRefusal::kNoDirectDraw ? T::kNoDirectDraw
                                                                         : T::kNoVideoSurface)});
    return false;
  }
  Refresh();
  if (on_running_changed) on_running_changed();
  ticket_ = services_.scheduler.After(0, [this] { Slice(); });
  return true;
}

void TClockTestForm::Slice() {
  ticket_ = 0;
  if (!test_.Work(kSliceMs)) return Finish();
  // Shown ten times a second, and as each pass ends: painting the bar after
  // every slice would take more time than the slices.
  const std::uint32_t now = services_.timer.Now();
  if (now - refreshed_at_ >= kRefreshMs || test_.progress().passes_done != shown_passes_) {
    refreshed_at_ = now;
    shown_passes_ = test_.progress().passes_done;
    Refresh();
  }
  ticket_ = services_.scheduler.After(test_.waiting_for_surfaces() ? kLostRetryMs : 0,
                                      [this] { Slice(); });
}

void TClockTestForm::StopTest() {
  if (!running()) return;
  test_.Stop();
  Finish();
}

void TClockTestForm::Finish() {
  services_.scheduler.Cancel(ticket_);
  ticket_ = 0;
  const TestProgress& p = test_.progress();
  Refresh();
  // Errors say the clocks do not hold, however the test ended; only a whole
  // test says they do.
  if (setting_ && (p.errors > 0 || p.outcome == TestOutcome::kPassed)) {
    Registry registry(services_.registry);
    registry.SetRoot(RegistryRoot::kLocalMachine);
    registry.OpenKey(kProgramKeyPath, true);
    const Status stored =
        registry.WriteInteger(ResultName(*setting_), static_cast<std::int32_t>(p.errors));
    if (!stored.ok()) errors().ReportError(stored.message());
  }
  last_report_ = Describe();
  if (on_running_changed) on_running_changed();
}

void TClockTestForm::Refresh() {
  const TestProgress& p = test_.progress();
  const bool ended = !running();
  Progress.SetPosition(p.outcome == TestOutcome::kPassed ? 1000 : static_cast<int>(p.per_mille));
  std::vector<std::string> lines = {
      Format(T::kTestMemory, {Megabytes(p.tested_bytes), Megabytes(p.free_before),
                              ended ? Megabytes(p.free_after) : "-"}),
      Format(T::kTestPasses,
             {std::to_string(p.passes_done), std::to_string(p.passes_total), PassName(p.pass)}),
      Format(T::kTestErrors, {std::to_string(p.errors)})};
  if (ended) {
    lines.push_back(Text(p.outcome == TestOutcome::kPassed         ? T::kTestPassed
                         : p.outcome == TestOutcome::kDriverFailed ? T::kTestDriverFailed
                         : p.errors > 0                            ? T::kTestFailed
                                                                   : T::kTestStopped));
  }
  for (std::uint32_t i = 0; i < p.errors && i < kErrorsKept; ++i) {
    lines.push_back(ErrorLine(p.first_errors[i]));
  }
  TestLines.SetLines(std::move(lines));
  StartButton.SetCaption(Text(ended ? T::kStartTest : T::kStopTest));
  TestKind.SetEnabled(ended);
}

std::vector<std::string> TClockTestForm::Describe() const {
  std::vector<std::string> lines = {ClocksLabel.caption()};
  const std::vector<std::string>& shown = TestLines.lines();
  // What it did and found, and its first error.
  lines.insert(lines.end(), shown.begin(), shown.begin() + std::min<std::size_t>(shown.size(), 5));
  return lines;
}

std::vector<std::string> TClockTestForm::ReportLines() const {
  if (running()) return Describe();
  if (last_report_.empty()) return {Text(T::kReportNoClockTest)};
  return last_report_;
}

}  // namespace korvane
