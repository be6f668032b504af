#include "app/main_form.h"

#include <cstdint>
#include <initializer_list>
#include <utility>

#include "about/version.h"
#include "files/paths.h"
#include "files/replace_file.h"
#include "platform/dialogs.h"
#include "platform/file_system.h"
#include "platform/os_info.h"
#include "registry/registry.h"
#include "settings/presets.h"
#include "settings/setting_catalogue.h"
#include "settings/settings_removal.h"
#include "sysinfo/platform_inference.h"
#include "text/information_box.h"
#include "text/texts.h"

namespace korvane {
namespace {

// The window is not visible yet while the status query runs: a tool that
// never ended would leave the user nothing to close.
constexpr std::uint32_t kStartupQueryLimitMs = 30000;
// What the AGP label shows until a report names the mode.
constexpr char kAgpModeUnread[] = "AGP 1x/2x/4x";
// The least room between a caption of the General tab and its value.
constexpr int kValueGap = 16;

// Below the tab pages, as high as the Registry tab's own status bar.
constexpr int kPagesHeight = 385;
constexpr int kStatusBarHeight = 18;

using T = TextId;

ui::TextStyle Bold(int size_px = 0) {
  ui::TextStyle style;
  style.bold = true;
  style.size_px = size_px;
  return style;
}

}  // namespace

TForm1::TForm1(Services& services, ui::Application& application, ui::ErrorReporter& errors,
               WorkFolder folders)
    : Form("Form1", "Korvane", 426, kPagesHeight + kStatusBarHeight, ui::BorderStyle::kSingle,
           errors),
      services_(services),
      application_(application),
      folders_(std::move(folders)),
      batch_runner_(services.files, services.processes, services.dialogs, services.scheduler),
      PentiumMMX1("PentiumMMX1", services.processor),
      PageControl1(*this, "PageControl1", {0, 0, 426, kPagesHeight}),
      TabSheet1(PageControl1, "TabSheet1", Text(T::kGeneralTab)),
      TabSheet2(PageControl1, "TabSheet2", Text(T::kRegistryTab)),
      TabSheet6(PageControl1, "TabSheet6", Text(T::kChipTab)),
      TabSheet4(PageControl1, "TabSheet4", Text(T::kOverclockTab)),
      TabSheet5(PageControl1, "TabSheet5", Text(T::kOtherTab)),
      Label1(TabSheet1, "Label1", {10, 6, 0, 0}, "Matrox Korvane Ver" KORVANE_VERSION),
      GroupBox2(TabSheet1, "GroupBox2", {8, 34, 402, 82}, Text(T::kPresetFrame)),
      Button12(GroupBox2, "Button12", {12, 20, 184, 24}, Text(T::kBenchmarkMode),
               Text(T::kBenchmarkModeHint)),
      Button10(GroupBox2, "Button10", {206, 20, 184, 24}, Text(T::kGameMode),
               Text(T::kGameModeHint)),
      Button11(GroupBox2, "Button11", {12, 50, 184, 24}, Text(T::kDriverDefaults),
               Text(T::kDriverDefaultsHint)),
      Button9(GroupBox2, "Button9", {206, 50, 184, 24}, Text(T::kEmergencyMode),
              Text(T::kEmergencyModeHint)),
      Label13(TabSheet1, "Label13", {12, 128, 0, 0}, Text(T::kBoardCaption)),
      Label5(TabSheet1, "Label5", {92, 125, 0, 0}, "Matrox Millennium G400 MAX"),
      Label30(TabSheet1, "Label30", {12, 152, 0, 0}, Text(T::kAgpModeCaption)),
      Label29(TabSheet1, "Label29", {92, 152, 0, 0}, kAgpModeUnread),
      Label27(TabSheet1, "Label27", {12, 172, 0, 0}, Text(T::kMonitorCaption)),
      Label31(TabSheet1, "Label31", {92, 172, 0, 0}, "???? ???????????"),
      Label37(TabSheet1, "Label37", {12, 192, 0, 0}, Text(T::kPlatformCaption)),
      Label38(TabSheet1, "Label38", {92, 192, 0, 0}, Text(T::kUnknownPlatform)),
      Label6(TabSheet1, "Label6", {12, 218, 0, 0}, Text(T::kSupportedCards)),
      Label7(TabSheet1, "Label7", {28, 236, 0, 0}, "Matrox Millennium G400 MAX"),
      Label11(TabSheet1, "Label11", {28, 252, 0, 0}, "Matrox Millennium G400 DualHead"),
      Label9(TabSheet1, "Label9", {28, 268, 0, 0}, "Matrox Millennium G400 SingleHead SG NLX"),
      Label90(TabSheet1, "Label90", {28, 284, 0, 0}, "Matrox Millennium G400 SingleHead SGRAM"),
      Label8(TabSheet1, "Label8", {28, 300, 0, 0}, "Matrox Millennium G400 SingleHead SDRAM"),
      Label4(TabSheet1, "Label4", {12, 326, 0, 0}, Text(T::kTrademark)),
      // The right-hand column of buttons, clear of the labels on the left.
      uninstall(TabSheet1, "uninstall", {286, 188, 124, 25}, Text(T::kUninstall),
                Text(T::kUninstallHint)),
      RestoreButton(TabSheet1, "RestoreButton", {286, 217, 124, 25}, Text(T::kRestore),
                    Text(T::kRestoreHint)),
      ReportButton(TabSheet1, "ReportButton", {286, 246, 124, 25}, Text(T::kReport),
                   Text(T::kReportHint)),
      Button1(TabSheet1, "Button1", {286, 275, 124, 25}, Text(T::kExitCaption), Text(T::kExitHint)),
      Button25(TabSheet1, "Button25", {286, 304, 124, 25}, Text(T::kAboutButton),
               Text(T::kAboutButtonHint)),
      registry_tab_(TabSheet2, services.registry, driver_.settings_key),
      chip_tab_(TabSheet6, services, batch_runner_, folders_.path, clock_report_, Label5, pin_),
      overclock_tab_(TabSheet4, services, batch_runner_,
                     {folders_.program, folders_.path, clock_report_, clock_report_pending_,
                      clock_query_failure_, tool_path_, tool_command_line_}),
      system_info_tab_(TabSheet5, services, PentiumMMX1, MeasuredMHz, Label38,
                       [this] { RefreshPlatform(); }),
      Button15(TabSheet5, "Button15", {196, 310, 126, 25}, Text(T::kGameSettingsButton),
               Text(T::kGameSettingsHint)),
      Button5(TabSheet5, "Button5", {330, 310, 80, 25}, Text(T::kExitCaption), Text(T::kExitHint)),
      StatusBar2(*this, "StatusBar2", {0, kPagesHeight, 426, kStatusBarHeight}, {{426, ""}}) {
  Label1.SetStyle(Bold(19));
  Label5.SetStyle(Bold(15));
  Label29.SetStyle(Bold());
  Label5.SetHint(Text(T::kBoardHint));
  Label29.SetHint(Text(T::kAgpModeHint));
  Label31.SetHint(Text(T::kMonitorHint));
  Label38.SetHint(Text(T::kPlatformHint));
  // In the column of the values above, unless the caption is wider.
  Label38.PlaceAfter(Label37, kValueGap);
  Label7.SetHint(Text(T::kMaxBoardHint));

  on_show = [this] { return FormShow(); };
  TabSheet1.on_show = [this] { return TabSheet1Show(); };
  const auto preset = [this](Preset which) {
    return [this, which] {
      return ApplyPreset(which, services_.registry, services_.dialogs, registry_tab_,
                         driver_.settings_key);
    };
  };
  Button12.on_click = preset(Preset::kBenchmark);
  Button10.on_click = preset(Preset::kGame);
  Button11.on_click = preset(Preset::kInitial);
  Button9.on_click = preset(Preset::kEmergency);
  uninstall.on_click = [this] {
    return RemoveSettings(services_.registry, services_.dialogs, registry_tab_,
                          driver_.settings_key);
  };
  RestoreButton.on_click = [this] { return RestoreButtonClick(); };
  ReportButton.on_click = AfterClockReport(ReportButton, [this] { return ReportButtonClick(); });
  Button1.on_click = [this] { return Button1Click(); };
  overclock_tab_.Button8.on_click = Button1.on_click;
  for (ui::Button* button :
       {&overclock_tab_.Button3, &overclock_tab_.Button4, &chip_tab_.PINButton()}) {
    button->on_click = AfterClockReport(*button, WaitingAction(std::move(button->on_click)));
    tool_controls_.emplace_back(button, true);
  }
  // Whether a clock was run at before asks the report, and so does which
  // clocks a test tests.
  for (ui::Button* button : {&overclock_tab_.Button2, &overclock_tab_.TestButton}) {
    button->on_click = AfterClockReport(*button, std::move(button->on_click));
  }
  for (ui::Control* control : std::initializer_list<ui::Control*>{
           &overclock_tab_.RadioGroup1, &overclock_tab_.Button2, &overclock_tab_.Button7,
           &overclock_tab_.TestButton}) {
    tool_controls_.emplace_back(control, true);
  }
  batch_runner_.on_begin = [this](std::string_view tool) { ShowRunBegins(tool); };
  batch_runner_.on_linger = [this](std::string_view notice) {
    StatusBar2.SetPanelText(0, std::string(notice));
  };
  batch_runner_.on_end = [this] { ShowRunEnds(); };
  can_close = [this] { return MayCloseNow(); };
  can_end_session = [this] { return QueryEndSession(); };
  Button5.on_click = Button1.on_click;
  Button25.on_click = [this] {
    if (about_box_) about_box_->ShowModal();
    return Status::Ok();
  };
  Button15.on_click = [this] { return game_form_ ? game_form_->Show() : Status::Ok(); };
}

void TForm1::AttachWindows(TGameForm& game_form, ui::Form& about_box) {
  game_form_ = &game_form;
  about_box_ = &about_box;
}

void TForm1::AttachClockTest(TClockTestForm& test) {
  clock_test_ = &test;
  overclock_tab_.AttachTest(test);
  test.on_running_changed = [this] {
    overclock_tab_.ClockTestChanged();
    HoldToolControls();
  };
}

Status TForm1::Button1Click() {
  if (MayCloseNow()) Close();
  return Status::Ok();
}

bool TForm1::MayCloseNow() {
  // Nobody waits for the report of a program that ends.
  if (clock_report_pending_) batch_runner_.Stop();
  if (waiting_actions_ == 0) {
    StopClockTest();
    return true;
  }
  batch_runner_.AskWhileClosing();
  close_pending_ = true;
  return false;
}

bool TForm1::QueryEndSession() {
  // The status query only reads: the session may end while it runs. A tool
  // the program gave up on ending is Windows' to deal with, as any other
  // program's window is.
  if (batch_runner_.waiting() && !clock_report_pending_) {
    TellSessionRefused(
        Format(T::kSessionEndRefused, {batch_runner_.running(), batch_runner_.running()}),
        MessageIcon::kInformation);
    return false;
  }
  if (!overclock_tab_.take_back_due()) {
    StopClockTest();
    return true;
  }
  const Result<std::string> put_back = overclock_tab_.TakeBackBeforeSessionEnds();
  if (!put_back.ok()) {
    TellSessionRefused(put_back.status().message(), MessageIcon::kError);
    return false;
  }
  StatusBar2.SetPanelText(0, put_back.value());
  StopClockTest();
  return true;
}

void TForm1::TellSessionRefused(std::string text, MessageIcon icon) {
  if (session_refusal_pending_) return;
  session_refusal_pending_ = true;
  services_.scheduler.After(0, [this, text = std::move(text), icon] {
    session_refusal_pending_ = false;
    // In front: Windows 98 would only flash the button of a box whose
    // window is not, and the user who asked to shut down is elsewhere.
    const bool error = icon == MessageIcon::kError;
    services_.dialogs.Message(error ? text + "." : text,
                              error ? application_.title() : Text(T::kInformationCaption),
                              MessageButtons::kOk, icon, MessageFront::kForeground);
  });
}

void TForm1::ShowRunBegins(std::string_view tool) {
  StatusBar2.SetPanelText(0, Format(T::kToolRunning, {tool}));
  SetBusy(true);
  HoldToolControls();
}

void TForm1::ShowRunEnds() {
  StatusBar2.SetPanelText(0, StandingNotice());
  SetBusy(false);
  HoldToolControls();
}

std::string TForm1::StandingNotice() const {
  if (clock_query_failure_.empty()) return startup_repairs_;
  // A report that came says what is wrong with it itself, shorter, so that
  // its quote is seen.
  return JoinNotices({startup_repairs_, clock_report_.empty()
                                            ? Format(T::kClockQueryFailed, {clock_query_failure_})
                                            : clock_query_failure_});
}

void TForm1::StopClockTest() {
  // Windows ends the program after the session's end without its
  // destructors: the card's memory goes back now.
  if (clock_test_) clock_test_->StopTest();
}

void TForm1::HoldToolControls() {
  // During the status query the buttons stay: their clicks wait for it.
  const bool hold = waiting_actions_ > 0 || !after_report_.empty() ||
                    (batch_runner_.busy() && !clock_report_pending_) ||
                    (clock_test_ && clock_test_->running());
  if (hold == tool_controls_held_) return;
  tool_controls_held_ = hold;
  for (auto& [control, was_enabled] : tool_controls_) {
    if (hold) was_enabled = control->enabled();
    control->SetEnabled(!hold && was_enabled);
  }
}

ui::Handler TForm1::AfterClockReport(const ui::Control& control, ui::Handler action) {
  return [this, &control, action = std::move(action)] {
    if (!clock_report_pending_) return action();
    for (const auto& waiting : after_report_) {
      if (waiting.first == &control) return Status::Ok();
    }
    after_report_.emplace_back(&control, action);
    HoldToolControls();
    StatusBar2.SetPanelText(0,
                            Format(T::kClickWaits, {batch_runner_.running(), control.caption()}));
    return Status::Ok();
  };
}

void TForm1::ReadClockTool() {
  if (!clock_report_pending_) return;
  const Status read =
      QueryClockTool(batch_runner_, services_.files, folders_.program, folders_.path,
                     kStartupQueryLimitMs, &clock_report_, &clock_query_failure_);
  clock_report_pending_ = false;
  TakeClockReport(read);
  batch_runner_.ShowLingeringWindow();
}

void TForm1::TakeClockReport(const Status& read) {
  std::vector<std::pair<const ui::Control*, ui::Handler>> waited = std::move(after_report_);
  after_report_.clear();
  // A click is not done against a tool that has just failed; the status bar
  // says so first, where it is seen.
  const char* dropped = "";
  if (!waited.empty() && (!read.ok() || !clock_query_failure_.empty())) {
    dropped = Text(T::kClickNotDone);
    waited.clear();
  }
  StatusBar2.SetPanelText(0, JoinNotices({dropped, StandingNotice()}));
  HoldToolControls();
  // Closed meanwhile: nothing is left to fill in or to act for.
  if (!visible()) return;
  if (!read.ok()) errors().ReportError(read.message());
  const ui::TabSheet& shown = PageControl1.page(PageControl1.active_index());
  if (&shown == &TabSheet1) static_cast<void>(TabSheet1Show());
  if (&shown == &TabSheet6) chip_tab_.DecodeChipRevision();
  if (&shown == &TabSheet4) {
    const Status clocks = overclock_tab_.ShowReportedClocks();
    if (!clocks.ok()) errors().ReportError(clocks.message());
  }
  for (const auto& [control, action] : waited) {
    const Status status = action();
    if (!status.ok()) errors().ReportError(status.message());
  }
}

ui::Handler TForm1::WaitingAction(ui::Handler action) {
  return [this, action = std::move(action)] {
    ++waiting_actions_;
    HoldToolControls();
    const Status status = action();
    --waiting_actions_;
    HoldToolControls();
    // Told here rather than once this returns: before the window of a tool
    // that could not be ended is brought to the front, and before a close
    // that waited for the action.
    if (!status.ok()) errors().ReportError(status.message());
    batch_runner_.ShowLingeringWindow();
    if (waiting_actions_ == 0 && std::exchange(close_pending_, false)) Close();
    return Status::Ok();
  };
}

void TForm1::CheckPlatform() {
  const auto version = services_.os.Version();
  platform_name_.clear();
  if (version) {
    switch (version->platform_id) {
      case kPlatformWin32s:
        platform_name_ = "Windows3.1 + Win32s";
        break;
      case kPlatformWindows:
        platform_name_ = "Windows95/98";
        break;
      case kPlatformWindowsNt:
        platform_name_ = "WindowsNT";
        break;
      default:
        break;
    }
  }
  if (platform_name_ != "Windows95/98") {
    services_.dialogs.Message(Text(T::kWindows9xOnly), Text(T::kErrorCaption), MessageButtons::kOk,
                              MessageIcon::kNone);
    application_.RequestTerminate();
  }
}

Status TForm1::FormCreate() {
  CheckPlatform();

  // Before anything reads a file that a reset left half written.
  // One that could not be finished is said in a box: it names where each
  // text is, more than the status bar holds.
  const Result<std::string> recovered = RecoverInterruptedReplace(services_.files, folders_.path);
  if (!recovered.ok()) errors().ReportError(recovered.status().message());

  Registry registry(services_.registry);
  registry.SetRoot(RegistryRoot::kLocalMachine);
  registry.OpenKey(kRunKeyPath, true);
  overclock_tab_.Button7.SetEnabled(registry.ValueExists(kRunValueName));

  // A backup that cannot be written does not stop the load: what the load
  // would have written back is left as it is, and the status bar says why.
  if (backups_) backups_->HoldFailures(true);
  const Status steps = RunStartupSteps(registry);
  if (backups_) backups_->HoldFailures(false);
  startup_repairs_ = JoinNotices(
      {folders_.moved() ? Format(T::kWorkFolderNotice, {folders_.path}) : std::string(),
       recovered.ok() ? recovered.value() : std::string(), chip_tab_.PutBackDumpLeftAside(),
       backups_ ? backups_->held_failure() : std::string()});
  StatusBar2.SetPanelText(0, StandingNotice());
  return steps;
}

Status TForm1::RunStartupSteps(Registry& registry) {
  const Status discovery = DiscoverDriver(registry, &driver_);
  if (!driver_.found()) {
    // Driver settings would land below the bare root: offer none.
    registry_tab_.DisableDriverSettings();
    for (ui::Button* button : {&Button12, &Button10, &Button11, &Button9, &uninstall}) {
      button->SetEnabled(false);
    }
  }
  RETURN_IF_ERROR(discovery);
  Label5.SetCaption(BoardModel(driver_.description));

  registry.OpenKey(kProgramKeyPath, true);
  RETURN_IF_ERROR(overclock_tab_.LoadProgramKey(registry));
  // The status query runs once the window shows (ReadClockTool): on Windows
  // 95/98 its DOS box takes long to start, and the window need not wait.
  clock_report_pending_ = true;

  registry.SetRoot(RegistryRoot::kCurrentUser);
  registry.OpenKey(kPowerDesk5Path, true);
  RETURN_IF_ERROR(registry_tab_.LoadPowerDesk(registry));

  registry.SetRoot(RegistryRoot::kLocalMachine);
  RETURN_IF_ERROR(registry_tab_.LoadDriverSettings(registry));

  ASSIGN_OR_RETURN(const std::string monitor, MonitorDescription(registry));
  Label31.SetCaption(monitor);
  return Status::Ok();
}

Status TForm1::FormShow() {
  RefreshPlatform();
  return Status::Ok();
}

void TForm1::RefreshPlatform() {
  ShowPlatform(PentiumMMX1, MeasuredMHz, driver_.found(), Label38,
               registry_tab_.box(Setting::kDNow), registry_tab_.box(Setting::kComwrite));
}

Status TForm1::TabSheet1Show() {
  if (clock_report_pending_) {
    Label29.SetCaption(Text(T::kReading));
  } else {
    // A report without the mode leaves the label as it was before the
    // query, not saying it is still being read.
    Label29.SetCaption(AgpModeText(clock_report_).value_or(kAgpModeUnread));
  }
  return Status::Ok();
}

}  // namespace korvane
