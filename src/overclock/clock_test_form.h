// The clock test window: tests the card's memory and drawing engine at the
// clocks the chip runs now, shows how far it got and what it found, and
// keeps, per clock setting, what the last test of it found. The window is
// not modal: the test runs in slices from whichever message loop runs, the
// question after a clock change's included.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "overclock/clock_model.h"
#include "overclock/video_memory_test.h"
#include "platform/registry_store.h"
#include "platform/services.h"
#include "ui/button.h"
#include "ui/form.h"
#include "ui/label.h"
#include "ui/memo.h"
#include "ui/progress_bar.h"
#include "ui/radio_group.h"

namespace korvane {

// The errors the last test of these clocks found, as the program key keeps
// them; empty when they were never tested.
std::optional<std::int32_t> LastTestErrors(RegistryStore& store, const SetClocks& clocks);

class TClockTestForm : public ui::Form {
 public:
  TClockTestForm(Services& services, ui::ErrorReporter& errors);
  ~TClockTestForm() override;

  // Shows the window for the clocks the chip runs now, `setting` when the
  // program knows it; a test under way goes on with the clocks it began
  // with.
  void Open(const std::optional<SetClocks>& setting, const RunningClocks& shown);
  // Starts the quick test of what Open named, ending it at the first error
  // when asked; false, with the reason on the window, when it cannot start.
  bool StartQuick(bool stop_at_first_error) { return Begin(TestSet::kQuick, stop_at_first_error); }
  // Ends a test under way and releases the memory.
  void StopTest();
  bool running() const { return test_.running(); }
  const TestProgress& progress() const { return test_.progress(); }
  // The clocks under test, as the window names them.
  const std::string& clocks_text() const { return ClocksLabel.caption(); }
  // The name of a pass, as the window shows it.
  static const char* PassName(TestPass pass);
  // The last test of this run, for the report: the clocks, or that none
  // ran, then what it found, a line each.
  std::vector<std::string> ReportLines() const;

  // Told whenever a test begins or ends, however it ends.
  std::function<void()> on_running_changed;

  ui::Label ClocksLabel;
  ui::RadioGroup TestKind;
  ui::ProgressBar Progress;
  // What the test has done and found, a line each, then its first errors.
  ui::Memo TestLines;
  // Starts a test, and stops it while it runs.
  ui::Button StartButton;
  ui::Button CloseButton;

 private:
  bool Begin(TestSet set, bool stop_at_first_error);
  void Slice();
  void Refresh();
  void Finish();
  // The clocks under test and what the window says of the test.
  std::vector<std::string> Describe() const;
  bool MayClose();

  Services& services_;
  VideoMemoryTest test_;
  std::optional<SetClocks> setting_;
  std::uint32_t ticket_ = 0;
  std::uint32_t refreshed_at_ = 0;
  std::uint32_t shown_passes_ = 0;
  // What the report shows of the last test that ended.
  std::vector<std::string> last_report_;
};

}  // namespace korvane
