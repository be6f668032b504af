// The Overclock tab: the system clock and dividers the user picks and the
// clocks they give, the clocks the chip ran at when the program started,
// the clock tool in use, clock change and reset through that tool, and the
// overclock at every log-on through the system's Run key.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "overclock/clock_model.h"
#include "overclock/clock_report.h"
#include "platform/services.h"
#include "platform/status.h"
#include "registry/registry.h"
#include "runner/batch_runner.h"
#include "ui/button.h"
#include "ui/check_box.h"
#include "ui/combo_box.h"
#include "ui/edit.h"
#include "ui/form.h"
#include "ui/label.h"
#include "ui/memo.h"
#include "ui/page_control.h"
#include "ui/radio_group.h"
#include "ui/up_down.h"

namespace korvane {

class TClockTestForm;

// The system's Run key, and its entry that sets the clocks at every log-on.
inline constexpr std::string_view kRunKeyPath =
    "\\Software\\Microsoft\\Windows\\CurrentVersion\\run";
inline constexpr std::string_view kRunValueName = "G400 OverClock";

// How long the question after a clock change waits before it puts the old
// clocks back.
inline constexpr int kConfirmSeconds = 15;

// The main window's state that this tab reads and changes.
struct OverclockState {
  const std::string& program_folder;
  // Where OC.bat goes.
  const std::string& work_folder;
  const ClockReport& clock_report;
  // While start-up's status query is still to come or runs.
  const bool& clock_report_pending;
  // Why start-up could not read the report; empty when it did.
  const std::string& clock_query_failure;
  std::string& tool_path;
  std::string& tool_command_line;
};

class OverclockTab {
 public:
  OverclockTab(ui::TabSheet& sheet, Services& services, BatchRunner& runner, OverclockState state);

  // Start-up: the system clock and the tool kept in the program key, the
  // handle's current key.
  Status LoadProgramKey(Registry& registry);

  // Whether a clock change or reset has set the labels in this run.
  bool clock_changed() const { return clock_changed_; }
  // Shows the report's clocks, as showing the tab does: for the report that
  // came in while the tab was shown.
  Status ShowReportedClocks() { return TabSheet3Show(); }

  // The clocks the tab shows the chip running at, whether or not it has
  // been shown: those set in this run, or those the tool reported at start.
  RunningClocks CurrentClocks() const;

  // The system clock as the handlers read it: typed text in Edit1 counts
  // once it is a clock within range.
  int SystemClock() { return UpDown1.ReadPosition(); }

  // Whether clocks nobody has kept are still to be put back: while the
  // question after a change stands, or while the user reads that an ended
  // tool's clocks go back.
  bool take_back_due() const { return due_ && !due_->put_back; }
  // Windows asks to end the session meanwhile: that counts as a No. A
  // countdown's box is ended and the clocks from before are put back now,
  // with the tool and path of the change, and nothing is stored. Gives what
  // to tell the user, or why the clocks could not be put back.
  Result<std::string> TakeBackBeforeSessionEnds();

  // How long the question after a clock change waits for an answer: for
  // tests, which cannot wait 15 seconds.
  void SetConfirmSeconds(int seconds) { confirm_seconds_ = seconds; }

  // The clock test window, made after this tab.
  void AttachTest(TClockTestForm& test) { test_ = &test; }
  // A clock test began or ended: one run while the question after a change
  // waits holds its countdown, and its first error ends the question as a
  // No does.
  void ClockTestChanged();

  ui::Label Label14;
  ui::Label Label16;
  ui::Edit Edit1;
  ui::UpDown UpDown1;
  ui::Label Label24;
  ui::Label Label159;
  ui::Label Label21;
  ui::ComboBox CoreCB;
  ui::Label Label157;
  ui::Label Label32;
  ui::ComboBox MemCB;
  ui::Label Label158;
  ui::Button Button3;
  ui::Button Button4;
  ui::CheckBox CheckBox1;
  ui::CheckBox CheckBox2;
  ui::Memo Memo0;
  ui::Label Label160;
  ui::Label Label163;
  ui::Label Label91;
  ui::Label Label92;
  ui::Label Label161;
  ui::Label Label162;
  ui::Label Label17;
  ui::Label Label25;
  ui::Label Label19;
  ui::Label Label28;
  ui::RadioGroup RadioGroup1;
  ui::GroupBox GroupBox1;
  ui::Button Button2;
  ui::Button Button7;
  ui::Button Button8;
  ui::Button TestButton;

 private:
  // What the user changed on the tab while start-up's status query ran.
  struct Touched {
    bool system = false;
    bool core = false;
    bool memory = false;
  };

  // Fills the tab from the report. What the user changed while the report
  // was being read stays the first time, so that a click that waited for
  // the report acts on what the user set.
  Status TabSheet3Show();
  Status Edit1Change();
  Status RadioGroup1Click();
  Status CoreCBChange();
  Status MemCBChange();
  Status UpDown1Changing();
  Status Edit1Click();
  Status Button3Click();
  Status Button4Click();
  Status Button2Click();
  Status Button7Click();
  Status CheckBox1Click();
  Status CheckBox2Click();
  Status TestButtonClick();
  // Starts the quick test of the clocks just sent, for the question after
  // the change; false when it cannot run.
  bool StartQuestionTest(const SetClocks& sent, const RunningClocks& shown);

  // The tool the user chose; an error when none is chosen or it cannot set
  // this system clock.
  Result<ClockTool> ChosenTool(int system_mhz) const;
  // What puts a change or reset back: the tool and path it used, the clocks
  // from before it, when known, and the clocks it set, for the message
  // should they stay.
  struct TakeBack {
    ClockTool tool;
    std::string tool_path;
    std::optional<SetClocks> before;
    RunningClocks refused;
  };
  // A take-back that is due while a box stands.
  struct DueTakeBack {
    TakeBack take_back;
    bool put_back = false;  // by the end of the session, meanwhile
  };

  // Writes the command line into OC.bat and runs `tool_path` with it,
  // waiting; `if_ended` says what ending it then does to the clocks.
  Result<RunEnd> RunClockTool(const std::string& tool_path, TextId if_ended);
  // The same, for a change or a reset: false when the tool was ended, and
  // the clocks from before were then put back and the user told.
  Result<bool> ChangeClocks(const TakeBack& take_back);
  void SetPlannedClock(const ui::ComboBox& list, ui::Label& label, int system_mhz);
  Status StoreSystemClock(int mhz);
  // The clocks the chip runs at as far as the program knows: those it set
  // last in this run, or those the tool reported at start-up.
  std::optional<SetClocks> ClocksSetBefore() const;
  // Runs the tool again with the clocks from before a change the user did
  // not keep; gives what to tell the user.
  Result<std::string> PutBackClocks(const TakeBack& take_back);
  // Tells the user the outcome of a take-back, after `why` it was taken back
  // when the user did not choose it.
  Status TellPutBack(const Result<std::string>& put_back, std::string_view why = {});
  // Asks `ask` while the take-back is due; true when the end of the session
  // has put the clocks back meanwhile.
  template <typename Ask>
  bool WhileTakeBackDue(const TakeBack& take_back, Ask ask);
  // Whether the chip has run at this system clock in this run.
  bool Tried(int system_mhz) const;

  ui::Form& form_;
  Services& services_;
  BatchRunner& runner_;
  OverclockState state_;
  bool clock_changed_ = false;
  // Whether the box that says why start-up could not read the clocks has
  // been shown.
  bool query_failure_told_ = false;
  std::optional<SetClocks> last_set_;
  std::vector<int> tried_;
  std::optional<DueTakeBack> due_;
  Touched touched_;
  int confirm_seconds_ = kConfirmSeconds;
  TClockTestForm* test_ = nullptr;
  // A test runs while the question after a change waits, and whether it
  // has found an error.
  bool question_test_ = false;
  bool question_test_failed_ = false;
};

}  // namespace korvane
