// The main window: five tabs, the General tab, and the start-up sequence.
// It owns the state the whole run shares.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "app/driver_discovery.h"
#include "backup/backup_store.h"
#include "files/work_folder.h"
#include "overclock/clock_report.h"
#include "overclock/clock_test_form.h"
#include "overclock/overclock_tab.h"
#include "pin/chip_tab.h"
#include "platform/services.h"
#include "report/machine_report.h"
#include "runner/batch_runner.h"
#include "settings/game_form.h"
#include "settings/registry_tab.h"
#include "sysinfo/pentium_mmx.h"
#include "sysinfo/system_info_tab.h"
#include "ui/application.h"
#include "ui/button.h"
#include "ui/form.h"
#include "ui/label.h"
#include "ui/page_control.h"
#include "ui/status_bar.h"

namespace korvane {

class TForm1 : public ui::Form {
 public:
  TForm1(Services& services, ui::Application& application, ui::ErrorReporter& errors,
         WorkFolder folders);

  // The start-up sequence, run once as the window is created. An error ends
  // it; the program still starts.
  Status FormCreate();

  // The secondary windows, created after this one.
  void AttachWindows(TGameForm& game_form, ui::Form& about_box);
  // The clock test window.
  void AttachClockTest(TClockTestForm& test);
  // The registry's backups, for the restore.
  void AttachBackups(BackupRegistryStore& backups) { backups_ = &backups; }

  // What the machine report shows, as the windows stand.
  MachineReport DescribeMachine();

  const DriverLocation& driver() const { return driver_; }
  const std::string& platform_name() const { return platform_name_; }
  const std::string& program_folder() const { return folders_.program; }
  // The lines the clock tool printed at start-up.
  ClockReport& clock_report() { return clock_report_; }
  // The one runner of outside tools: one run at a time.
  BatchRunner& batch_runner() { return batch_runner_; }
  RegistryTab& registry_tab() { return registry_tab_; }
  ChipTab& chip_tab() { return chip_tab_; }
  OverclockTab& overclock_tab() { return overclock_tab_; }

  // The clock tool's status query, run once the window shows, if start-up
  // reached it: the window answers meanwhile, what needs the report says it
  // is being read, and fills in when it is in.
  void ReadClockTool();

  // Wraps the handler of a control that waits for an outside tool: closing
  // the window meanwhile asks whether to wait for the tool or end it, and
  // takes effect once the handler has finished, so that what it still has
  // to show and store is not cut short.
  ui::Handler WaitingAction(ui::Handler action);
  // Windows asks whether the session may end: not while a tool works on the
  // card or the files; clocks nobody has kept are put back first. Why it
  // may not is told once the question has been answered.
  bool QueryEndSession();

  // Why start-up could not read the chip's clocks; empty when it did.
  const std::string& clock_query_failure() const { return clock_query_failure_; }
  SystemInfoTab& system_info_tab() { return system_info_tab_; }

 private:
  // Declared first: the controls' handlers refer to them.
  Services& services_;
  ui::Application& application_;
  TGameForm* game_form_ = nullptr;
  TClockTestForm* clock_test_ = nullptr;
  ui::Form* about_box_ = nullptr;
  BackupRegistryStore* backups_ = nullptr;

  std::string platform_name_;
  DriverLocation driver_;
  const WorkFolder folders_;
  // What start-up put right of a save or an extraction cut short, where
  // the program writes when not in its folder, and what it could not write.
  std::string startup_repairs_;
  ClockReport clock_report_;
  std::string clock_query_failure_;
  bool clock_report_pending_ = false;
  // Clicks that wait for the status query, each with its control.
  std::vector<std::pair<const ui::Control*, ui::Handler>> after_report_;
  BatchRunner batch_runner_;
  std::string tool_path_;
  std::string tool_command_line_;
  int waiting_actions_ = 0;
  bool close_pending_ = false;
  // The controls that start a tool or choose one, and whether each was
  // enabled before a run or an action that waits disabled them.
  std::vector<std::pair<ui::Control*, bool>> tool_controls_;
  bool tool_controls_held_ = false;
  // Why the session could not end, to be told once Windows has its answer.
  bool session_refusal_pending_ = false;
  PinState pin_;

 public:
  // The processor probe, and the last measured clock in whole megahertz (0
  // until the Other tab has measured it).
  TPentiumMMX PentiumMMX1;
  std::int32_t MeasuredMHz = 0;

  ui::PageControl PageControl1;
  ui::TabSheet TabSheet1;
  ui::TabSheet TabSheet2;
  ui::TabSheet TabSheet6;
  ui::TabSheet TabSheet4;
  ui::TabSheet TabSheet5;

  // General tab, top to bottom.
  ui::Label Label1;
  ui::GroupBox GroupBox2;
  ui::Button Button12;
  ui::Button Button10;
  ui::Button Button11;
  ui::Button Button9;
  ui::Label Label13;
  ui::Label Label5;
  ui::Label Label30;
  ui::Label Label29;
  ui::Label Label27;
  ui::Label Label31;
  ui::Label Label37;
  ui::Label Label38;
  ui::Label Label6;
  ui::Label Label7;
  ui::Label Label11;
  ui::Label Label9;
  ui::Label Label90;
  ui::Label Label8;
  ui::Label Label4;
  ui::Button uninstall;
  ui::Button RestoreButton;
  ui::Button ReportButton;
  ui::Button Button1;
  ui::Button Button25;

 private:
  RegistryTab registry_tab_;
  ChipTab chip_tab_;
  OverclockTab overclock_tab_;
  // Before the Other tab's two buttons, so that the keyboard reaches the
  // clock's retry button first.
  SystemInfoTab system_info_tab_;

 public:
  // Other tab.
  ui::Button Button15;
  ui::Button Button5;
  // Below the tabs: which outside tool runs, while one does.
  ui::StatusBar StatusBar2;

 private:
  void CheckPlatform();
  // While a tool runs: the status bar names it and the pointer shows the
  // wait.
  void ShowRunBegins(std::string_view tool);
  void ShowRunEnds();
  // While a tool runs, while an action that runs one lasts (its questions
  // and its revert included), and while the clocks are tested, no tool can
  // be started or chosen.
  void HoldToolControls();
  // Ends a clock test under way, releasing the card's memory.
  void StopClockTest();
  // Wraps a handler that needs the clock tool's report: a click while the
  // status query runs is kept, once, and handled when the report is in.
  ui::Handler AfterClockReport(const ui::Control& control, ui::Handler action);
  // Fills in what the report decides, in start-up's order, then handles the
  // clicks that waited for it.
  void TakeClockReport(const Status& read);
  // Tells why the session could not end, once the question is answered: a
  // box now would keep Windows waiting for the answer.
  void TellSessionRefused(std::string text, MessageIcon icon);
  // What the status bar says while no tool runs: what start-up put right of
  // files a reset left half written, and why it could not read the chip's
  // clocks, if it could not.
  std::string StandingNotice() const;
  Status RunStartupSteps(Registry& registry);
  Status FormShow();
  // The platform label and the two processor boxes, from the processor and
  // the clock measured last.
  void RefreshPlatform();
  Status TabSheet1Show();
  Status Button1Click();
  // False, and the close kept for later, while an action waits.
  bool MayCloseNow();
  Status RestoreButtonClick();
  Status ReportButtonClick();
};

}  // namespace korvane
