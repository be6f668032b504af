#include "overclock/overclock_tab.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "files/paths.h"
#include "overclock/clock_test_form.h"
#include "platform/ascii.h"
#include "platform/dialogs.h"
#include "platform/file_system.h"
#include "text/information_box.h"
#include "text/texts.h"

namespace korvane {
namespace {

constexpr char kG4setTitle[] = "Matrox G400 Chip Control Utility";
constexpr char kG200clkTitle[] = "Matrox G200/G400 Optimization";
constexpr char kSystemClockValue[] = "G400 OverClock";
constexpr char kToolPathReadName[] = "G4set";
constexpr char kToolPathWriteName[] = "g4set";
constexpr char kConfirmValue[] = "ConfirmClocks";
constexpr char kTestWhileAskingValue[] = "TestClocks";

// A reset sends 251 MHz with the initial dividers, and stores the initial
// core clock.
constexpr int kResetSystemClock = 251;
constexpr int kInitialCoreClock = 125;
constexpr std::uint32_t kClockChangeSliceMs = 5000;

// Layout, in pixels of the page: the clocks to set on the left, the clocks
// the chip runs at and the tool on the right.
constexpr int kLeft = 8;
constexpr int kRight = 240;
constexpr int kRightValue = 352;

using T = TextId;

std::vector<std::string> Items(const std::array<std::string_view, 6>& dividers) {
  return std::vector<std::string>(dividers.begin(), dividers.end());
}

// A text's lines, split at '\n'.
std::vector<std::string> Lines(std::string_view text) {
  std::vector<std::string> lines;
  for (std::size_t start = 0;;) {
    const std::size_t end = text.find('\n', start);
    lines.emplace_back(text.substr(start, end == std::string_view::npos ? end : end - start));
    if (end == std::string_view::npos) return lines;
    start = end + 1;
  }
}

Status StoreFlag(RegistryStore& store, const char* name, bool on) {
  Registry registry(store);
  registry.SetRoot(RegistryRoot::kLocalMachine);
  registry.OpenKey(kProgramKeyPath, true);
  return registry.WriteInteger(name, on ? 1 : 0);
}

int ItemIndexOf(const ui::ComboBox& list, const std::string& text) {
  const auto& items = list.items();
  const auto it = std::find(items.begin(), items.end(), text);
  return it == items.end() ? 0 : static_cast<int>(it - items.begin());
}

}  // namespace

OverclockTab::OverclockTab(ui::TabSheet& sheet, Services& services, BatchRunner& runner,
                           OverclockState state)
    : Label14(sheet, "Label14", {kLeft, 8, 0, 0}, kG4setTitle),
      Label16(sheet, "Label16", {kLeft, 38, 0, 0}, Text(T::kSystemClockToSet)),
      Edit1(sheet, "Edit1", {140, 34, 40, 20}, std::to_string(kInitialSystemClock),
            Text(T::kSystemClockEditHint)),
      UpDown1(sheet, "UpDown1", {180, 34, 16, 20}, Edit1, kMinSystemClock, kMaxSystemClock,
              kInitialSystemClock, Text(T::kSystemClockUpDownHint)),
      Label24(sheet, "Label24", {200, 38, 0, 0}, "MHz"),
      Label159(sheet, "Label159", {kLeft, 66, 0, 0}, Text(T::kDividers)),
      Label21(sheet, "Label21", {14, 88, 0, 0}, Text(T::kCoreClockCaption)),
      CoreCB(sheet, "CoreCB", {116, 84, 48, 20}, Items(kCoreDividers)),
      Label157(sheet, "Label157", {170, 88, 0, 0}, "125MHz"),
      Label32(sheet, "Label32", {14, 114, 0, 0}, Text(T::kMemoryClockCaption)),
      MemCB(sheet, "MemCB", {116, 110, 48, 20}, Items(kMemoryDividers)),
      Label158(sheet, "Label158", {170, 114, 0, 0}, "166MHz"),
      Button3(sheet, "Button3", {kLeft, 142, 104, 25}, Text(T::kSetClocks),
              Text(T::kSetClocksHint)),
      Button4(sheet, "Button4", {118, 142, 104, 25}, Text(T::kResetClocks),
              Text(T::kResetClocksHint)),
      CheckBox1(sheet, "CheckBox1", {kLeft, 174, 218, 16}, Text(T::kConfirmClocks),
                Text(T::kConfirmClocksHint)),
      CheckBox2(sheet, "CheckBox2", {kLeft + 16, 192, 202, 16}, Text(T::kTestWhileAsking),
                Text(T::kTestWhileAskingHint)),
      Memo0(sheet, "Memo0", {kLeft, 212, 218, 123}, Lines(Text(T::kOverclockNotes))),
      Label160(sheet, "Label160", {kRight, 38, 0, 0}, Text(T::kSystemClockCaption)),
      Label163(sheet, "Label163", {kRightValue, 38, 0, 0}, "250MHz"),
      Label91(sheet, "Label91", {kRight, 60, 0, 0}, Text(T::kCoreClockCaption)),
      Label92(sheet, "Label92", {kRightValue, 60, 0, 0}, "125MHz"),
      Label161(sheet, "Label161", {kRight, 82, 0, 0}, Text(T::kMemoryClockCaption)),
      Label162(sheet, "Label162", {kRightValue, 82, 0, 0}, "166MHz"),
      Label17(sheet, "Label17", {kRight, 114, 0, 0}, Text(T::kDefaultClockCaption)),
      Label25(sheet, "Label25", {kRightValue, 114, 0, 0}, "250MHz"),
      Label19(sheet, "Label19", {kRight, 136, 0, 0}, Text(T::kMaximumClockCaption)),
      Label28(sheet, "Label28", {kRightValue, 136, 0, 0}, Text(T::kMaximumClock)),
      RadioGroup1(sheet, "RadioGroup1", {236, 164, 174, 64}, Text(T::kClockToolFrame),
                  {std::string(kG4setName), "G200clk.exe"}, 1, Text(T::kClockToolHint)),
      GroupBox1(sheet, "GroupBox1", {236, 238, 174, 56}, Text(T::kStartupFrame)),
      Button2(GroupBox1, "Button2", {8, 20, 94, 25}, Text(T::kStartupEnable),
              Text(T::kStartupEnableHint)),
      Button7(GroupBox1, "Button7", {106, 20, 60, 25}, Text(T::kStartupRemove),
              Text(T::kStartupRemoveHint)),
      Button8(sheet, "Button8", {330, 310, 80, 25}, Text(T::kExitCaption), Text(T::kExitHint)),
      TestButton(sheet, "TestButton", {236, 310, 90, 25}, Text(T::kClockTestButton),
                 Text(T::kClockTestButtonHint)),
      form_(sheet.form()),
      services_(services),
      runner_(runner),
      state_(state) {
  ui::TextStyle title;
  title.bold = true;
  title.size_px = 15;
  Label14.SetStyle(title);

  sheet.on_show = [this] { return TabSheet3Show(); };
  RadioGroup1.on_click = [this] { return RadioGroup1Click(); };
  CoreCB.on_change = [this] { return CoreCBChange(); };
  MemCB.on_change = [this] { return MemCBChange(); };
  UpDown1.on_changing = [this] { return UpDown1Changing(); };
  Edit1.on_click = [this] { return Edit1Click(); };
  Edit1.on_change = [this] { return Edit1Change(); };
  Button3.on_click = [this] { return Button3Click(); };
  Button4.on_click = [this] { return Button4Click(); };
  Button2.on_click = [this] { return Button2Click(); };
  Button7.on_click = [this] { return Button7Click(); };
  CheckBox1.on_click = [this] { return CheckBox1Click(); };
  CheckBox2.on_click = [this] { return CheckBox2Click(); };
  TestButton.on_click = [this] { return TestButtonClick(); };
  // Testing while asking needs the question.
  CheckBox2.SetEnabled(false);
}

Status OverclockTab::LoadProgramKey(Registry& registry) {
  if (registry.ValueExists(kSystemClockValue)) {
    ASSIGN_OR_RETURN(const std::int32_t stored, registry.ReadInteger(kSystemClockValue));
    RETURN_IF_ERROR(UpDown1.SetPosition(stored));
  }
  for (auto [name, box] : {std::pair{kConfirmValue, &CheckBox1},
                           std::pair{kTestWhileAskingValue, &CheckBox2}}) {
    if (!registry.ValueExists(name)) continue;
    ASSIGN_OR_RETURN(const std::int32_t on, registry.ReadInteger(name));
    RETURN_IF_ERROR(box->SetChecked(on != 0));
  }
  ClockTool tool = ClockTool::kG4set;
  if (registry.ValueExists(kToolPathReadName)) {
    ASSIGN_OR_RETURN(state_.tool_path, registry.ReadString(kToolPathReadName));
    tool = ToolNamedBy(state_.tool_path);
  } else {
    state_.tool_path = JoinPath(state_.program_folder, kG4setName);
  }
  // The choice starts as none, so this always runs the tool choice handler,
  // which has the last word on the tool path.
  return RadioGroup1.SetItemIndex(static_cast<int>(tool));
}

Status OverclockTab::TabSheet3Show() {
  if (clock_changed_) return Status::Ok();
  if (state_.clock_report_pending) {
    for (ui::Label* label : {&Label163, &Label92, &Label162}) label->SetCaption(Text(T::kReading));
    return Status::Ok();
  }
  const Touched keep = std::exchange(touched_, Touched{});
  const ReportedClocks clocks = ReadReportedClocks(state_.clock_report);
  Label92.SetCaption(MegahertzText(clocks.core_clock));
  Label162.SetCaption(MegahertzText(clocks.memory_clock));
  if (!keep.core) {
    Label157.SetCaption(MegahertzText(clocks.core_clock));
    CoreCB.SetItemIndex(ItemIndexOf(CoreCB, clocks.core_divider));
  }
  if (!keep.memory) {
    Label158.SetCaption(MegahertzText(clocks.memory_clock));
    MemCB.SetItemIndex(ItemIndexOf(MemCB, clocks.memory_divider));
  }
  // The planned clocks of what the user chose follow from their choice, and
  // so do those the report has no figure for.
  const int kept_system = SystemClock();
  if (keep.core || keep.system || clocks.core_clock.empty()) {
    SetPlannedClock(CoreCB, Label157, kept_system);
  }
  if (keep.memory || keep.system || clocks.memory_clock.empty()) {
    SetPlannedClock(MemCB, Label158, kept_system);
  }
  const Result<int> read = ReadReportedSystemClock(state_.clock_report);
  if (!read.ok()) {
    Label163.SetCaption(MegahertzText(std::string_view()));
    // A report the tool printed and that holds no clock is the conversion
    // error at every showing; the status bar quotes it.
    if (state_.clock_query_failure.empty() || !state_.clock_report.empty()) return read.status();
    // The status bar says why there is no report from start-up on; a box
    // says it once, here, where the clocks are missed, rather than before
    // the window to every user who came for another tab.
    if (query_failure_told_) return Status::Ok();
    query_failure_told_ = true;
    return Status::Error(Format(T::kClockQueryFailed, {state_.clock_query_failure}));
  }
  const int reported = read.value();
  Label163.SetCaption(MegahertzText(reported));
  if (keep.system) return Status::Ok();
  // Only a new system clock recomputes the planned clocks; an unchanged one
  // keeps the report's. What was typed counts as the clock it changes from.
  UpDown1.ReadPosition();
  return UpDown1.SetPosition(reported);
}

// Until the status query is in, whatever changes the clock box is the
// user: the program sets it only from the report.
Status OverclockTab::Edit1Change() {
  if (state_.clock_report_pending) touched_.system = true;
  return Status::Ok();
}

RunningClocks OverclockTab::CurrentClocks() const {
  if (clock_changed_) return {Label163.caption(), Label92.caption(), Label162.caption()};
  RunningClocks running;
  if (const auto system = ReadReportedSystemClock(state_.clock_report); system.ok()) {
    running.system = MegahertzText(system.value());
  }
  const ReportedClocks clocks = ReadReportedClocks(state_.clock_report);
  if (!clocks.core_clock.empty()) running.core = MegahertzText(clocks.core_clock);
  if (!clocks.memory_clock.empty()) running.memory = MegahertzText(clocks.memory_clock);
  return running;
}

Status OverclockTab::RadioGroup1Click() {
  const int choice = RadioGroup1.item_index();
  if (choice < 0) return Status::Ok();
  const bool g4set = static_cast<ClockTool>(choice) == ClockTool::kG4set;
  state_.tool_path = JoinPath(state_.program_folder, g4set ? kG4setName : kG200clkName);
  Label14.SetCaption(g4set ? kG4setTitle : kG200clkTitle);
  Registry registry(services_.registry);
  registry.SetRoot(RegistryRoot::kLocalMachine);
  registry.OpenKey(kProgramKeyPath, true);
  return registry.WriteString(kToolPathWriteName, state_.tool_path);
}

void OverclockTab::SetPlannedClock(const ui::ComboBox& list, ui::Label& label, int system_mhz) {
  if (const auto clock = DividedClock(list.text(), system_mhz)) {
    label.SetCaption(MegahertzText(*clock));
  }
}

Status OverclockTab::CoreCBChange() {
  if (state_.clock_report_pending) touched_.core = true;
  SetPlannedClock(CoreCB, Label157, SystemClock());
  return Status::Ok();
}

Status OverclockTab::MemCBChange() {
  if (state_.clock_report_pending) touched_.memory = true;
  SetPlannedClock(MemCB, Label158, SystemClock());
  return Status::Ok();
}

Status OverclockTab::UpDown1Changing() {
  SetPlannedClock(CoreCB, Label157, UpDown1.position());
  SetPlannedClock(MemCB, Label158, UpDown1.position());
  return Status::Ok();
}

Status OverclockTab::Edit1Click() {
  const int system_mhz = SystemClock();
  SetPlannedClock(CoreCB, Label157, system_mhz);
  SetPlannedClock(MemCB, Label158, system_mhz);
  const auto typed = ParseInteger(Edit1.text());
  if (!typed) return NotAnIntegerError(Edit1.text());
  return UpDown1.SetPosition(*typed);
}

Result<ClockTool> OverclockTab::ChosenTool(int system_mhz) const {
  if (RadioGroup1.item_index() < 0) return Status::Error(Text(T::kNoToolChosen));
  const auto tool = static_cast<ClockTool>(RadioGroup1.item_index());
  // G200clk.exe is given nothing it cannot take, so nothing stale or empty
  // is ever run or stored in its place.
  if (!ToolTakes(tool, system_mhz)) return Status::Error(Text(T::kG200clkRange));
  return tool;
}

Result<RunEnd> OverclockTab::RunClockTool(const std::string& tool_path, TextId if_ended) {
  // A tool that runs and fails goes unnoticed: the program cannot tell from
  // outside whether the chip took the clocks. One that is missing or cannot
  // be started is an error.
  return runner_.Run(state_.work_folder, {tool_path, "OC.bat", state_.tool_command_line,
                                          kClockChangeSliceMs, std::string(), if_ended});
}

Result<bool> OverclockTab::ChangeClocks(const TakeBack& take_back) {
  ASSIGN_OR_RETURN(const RunEnd end, RunClockTool(take_back.tool_path, T::kOldClocksIfEnded));
  if (end == RunEnd::kEnded) return true;
  // The tool may have set the new clocks before it was ended: they are put
  // back as after a change nobody kept.
  const bool put_back = WhileTakeBackDue(take_back, [&] {
    Inform(services_.dialogs, Format(T::kClockToolEnded, {FileName(take_back.tool_path)}));
  });
  if (!put_back) RETURN_IF_ERROR(TellPutBack(PutBackClocks(take_back)));
  return false;
}

template <typename Ask>
bool OverclockTab::WhileTakeBackDue(const TakeBack& take_back, Ask ask) {
  due_ = DueTakeBack{take_back};
  ask();
  const bool put_back = due_->put_back;
  due_.reset();
  return put_back;
}

Status OverclockTab::StoreSystemClock(int mhz) {
  Registry registry(services_.registry);
  registry.SetRoot(RegistryRoot::kLocalMachine);
  registry.OpenKey(kProgramKeyPath, true);
  return registry.WriteInteger(kSystemClockValue, mhz);
}

Status OverclockTab::Button3Click() {
  if (runner_.busy()) return Status::Ok();
  const int system_mhz = SystemClock();
  // The tool is taken once, for the change and the revert alike.
  ASSIGN_OR_RETURN(const ClockTool tool, ChosenTool(system_mhz));
  // The labels and the message tell what is sent, whatever the labels
  // showed, and whatever the lists show once the tool has run: the window
  // stays live meanwhile.
  SetPlannedClock(CoreCB, Label157, system_mhz);
  SetPlannedClock(MemCB, Label158, system_mhz);
  const std::string core = Label157.caption();
  const std::string memory = Label158.caption();
  const SetClocks sent{system_mhz, CoreCB.text(), MemCB.text()};
  const TakeBack take_back{
      tool, state_.tool_path, ClocksSetBefore(), {MegahertzText(system_mhz), core, memory}};
  state_.tool_command_line = *ClockToolCommand(tool, take_back.tool_path, sent.system_mhz,
                                               sent.core_divider, sent.memory_divider);
  ASSIGN_OR_RETURN(const bool ran, ChangeClocks(take_back));
  if (!ran) return Status::Ok();
  // A clock that garbles the screen is taken back without an answer.
  if (CheckBox1.checked()) {
    // So is one the test finds errors at while the question waits.
    const bool testing = CheckBox2.checked() && StartQuestionTest(sent, take_back.refused);
    MessageAnswer answer = MessageAnswer::kTimedOut;
    const bool put_back = WhileTakeBackDue(take_back, [&] {
      answer = services_.dialogs.TimedMessage(
          Format(T::kKeepClocksQuestion, {std::to_string(confirm_seconds_)}) +
              (testing ? Text(T::kKeepClocksTesting) : ""),
          Text(T::kQuestionCaption), MessageButtons::kOkCancel, MessageIcon::kQuestion,
          confirm_seconds_);
    });
    // Once the question is answered, a test still under way only tests.
    const bool failed = std::exchange(question_test_failed_, false);
    if (std::exchange(question_test_, false)) services_.dialogs.HoldCountdowns(false);
    // Clocks that go back need no more testing.
    if (test_ && (put_back || answer != MessageAnswer::kOk)) test_->StopTest();
    // The end of the session took the clocks back while the box stood.
    if (put_back) return Status::Ok();
    if (failed || answer != MessageAnswer::kOk) {
      const RunningClocks& at = take_back.refused;
      return TellPutBack(
          PutBackClocks(take_back),
          failed ? Format(T::kTestFoundErrors,
                          {TClockTestForm::PassName(test_->progress().error_pass), at.system,
                           at.core, at.memory})
                 : std::string());
    }
  }
  last_set_ = sent;
  tried_.push_back(system_mhz);
  RETURN_IF_ERROR(StoreSystemClock(system_mhz));
  Label163.SetCaption(MegahertzText(system_mhz));
  Label92.SetCaption(core);
  Label162.SetCaption(memory);
  clock_changed_ = true;
  Inform(services_.dialogs, Format(T::kClocksChanged, {core, memory}));
  form_.BringToFront();
  return Status::Ok();
}

Status OverclockTab::Button4Click() {
  if (runner_.busy()) return Status::Ok();
  ASSIGN_OR_RETURN(const ClockTool tool, ChosenTool(kResetSystemClock));
  const TakeBack take_back{
      tool, state_.tool_path, ClocksSetBefore(), {"250MHz", "125MHz", "166MHz"}};
  state_.tool_command_line = *ClockToolCommand(tool, take_back.tool_path, kResetSystemClock,
                                               kCoreDividers[0], kMemoryDividers[0]);
  // The tab changes only once the tool has run.
  ASSIGN_OR_RETURN(const bool ran, ChangeClocks(take_back));
  if (!ran) return Status::Ok();
  last_set_ =
      SetClocks{kResetSystemClock, std::string(kCoreDividers[0]), std::string(kMemoryDividers[0])};
  tried_.push_back(kResetSystemClock);
  RETURN_IF_ERROR(UpDown1.SetPosition(kResetSystemClock));
  Label157.SetCaption("125MHz");
  Label158.SetCaption("166MHz");
  Inform(services_.dialogs, Text(T::kClocksReset));
  RETURN_IF_ERROR(StoreSystemClock(kInitialCoreClock));
  Label163.SetCaption("250MHz");
  Label92.SetCaption("125MHz");
  Label162.SetCaption("166MHz");
  clock_changed_ = true;
  form_.BringToFront();
  return Status::Ok();
}

Status OverclockTab::Button2Click() {
  const int system_mhz = SystemClock();
  ASSIGN_OR_RETURN(const ClockTool tool, ChosenTool(system_mhz));
  // An entry that names no tool would do nothing at every log-on, unseen;
  // one on a disc that may be gone then would show an error at every start.
  if (!services_.files.Exists(state_.tool_path)) {
    return ToolNotFoundError(state_.tool_path);
  }
  const DriveKind drive = services_.files.DriveKindOf(DriveRoot(state_.tool_path));
  if (drive == DriveKind::kCdRom || drive == DriveKind::kRemovable) {
    return Status::Error(Format(T::kStartupToolRemovable, {state_.tool_path}));
  }
  // Clocks the card failed its test at are not set at every log-on.
  const SetClocks wanted{system_mhz, CoreCB.text(), MemCB.text()};
  const std::optional<std::int32_t> test_errors = LastTestErrors(services_.registry, wanted);
  if (test_errors && *test_errors > 0) {
    return Status::Error(Format(T::kStartupClockFailedTest,
                                {std::to_string(system_mhz), wanted.core_divider,
                                 wanted.memory_divider, std::to_string(*test_errors)}));
  }
  // A clock that hangs the machine at every log-on takes Safe Mode to undo:
  // one the chip has not run at yet is asked about.
  if (!Tried(system_mhz) &&
      services_.dialogs.Message(Format(T::kUntriedStartupClock, {std::to_string(system_mhz)}),
                                Text(T::kQuestionCaption), MessageButtons::kOkCancel,
                                MessageIcon::kWarning) != MessageAnswer::kOk) {
    return Status::Ok();
  }
  Registry registry(services_.registry);
  registry.SetRoot(RegistryRoot::kLocalMachine);
  registry.OpenKey(kRunKeyPath, true);
  Inform(services_.dialogs, Format(T::kStartupClockSet, {std::to_string(system_mhz)}) +
                                (test_errors ? "" : Text(T::kStartupClockUntested)));
  state_.tool_command_line = *ClockToolCommand(tool, state_.tool_path, system_mhz,
                                               wanted.core_divider, wanted.memory_divider);
  RETURN_IF_ERROR(registry.WriteString(kRunValueName, state_.tool_command_line));
  Button7.SetEnabled(true);
  return Status::Ok();
}

Status OverclockTab::Button7Click() {
  Registry registry(services_.registry);
  registry.SetRoot(RegistryRoot::kLocalMachine);
  registry.OpenKey(kRunKeyPath, true);
  RETURN_IF_ERROR(registry.DeleteValue(kRunValueName));
  Button7.SetEnabled(false);
  return Status::Ok();
}

Status OverclockTab::CheckBox1Click() {
  CheckBox2.SetEnabled(CheckBox1.checked());
  return StoreFlag(services_.registry, kConfirmValue, CheckBox1.checked());
}

Status OverclockTab::CheckBox2Click() {
  return StoreFlag(services_.registry, kTestWhileAskingValue, CheckBox2.checked());
}

Status OverclockTab::TestButtonClick() {
  if (test_) test_->Open(ClocksSetBefore(), CurrentClocks());
  return Status::Ok();
}

bool OverclockTab::StartQuestionTest(const SetClocks& sent, const RunningClocks& shown) {
  if (!test_) return false;
  test_->Open(sent, shown);
  if (!test_->StartQuick(true)) return false;
  question_test_ = true;
  services_.dialogs.HoldCountdowns(true);
  return true;
}

void OverclockTab::ClockTestChanged() {
  if (!question_test_ || test_->running()) return;
  // The countdown goes on once the test is over; an error ends the
  // question as a No does.
  question_test_ = false;
  services_.dialogs.HoldCountdowns(false);
  if (test_->progress().errors == 0) return;
  question_test_failed_ = true;
  services_.dialogs.EndCountdowns();
}

std::optional<SetClocks> OverclockTab::ClocksSetBefore() const {
  if (last_set_) return last_set_;
  const Result<int> system = ReadReportedSystemClock(state_.clock_report);
  if (!system.ok()) return std::nullopt;
  const ReportedClocks clocks = ReadReportedClocks(state_.clock_report);
  if (!DividedClock(clocks.core_divider, system.value()) ||
      !DividedClock(clocks.memory_divider, system.value())) {
    return std::nullopt;
  }
  return SetClocks{system.value(), clocks.core_divider, clocks.memory_divider};
}

bool OverclockTab::Tried(int system_mhz) const {
  if (std::find(tried_.begin(), tried_.end(), system_mhz) != tried_.end()) return true;
  // The chip ran at the reported clock when the program started.
  const Result<int> reported = ReadReportedSystemClock(state_.clock_report);
  return reported.ok() && reported.value() == system_mhz;
}

Result<std::string> OverclockTab::PutBackClocks(const TakeBack& take_back) {
  // Clocks the program does not know, or that the tool cannot take, give
  // way to the chip's initial ones: the reset's, or the lowest G200clk.exe
  // sets; the user is told which.
  const std::optional<SetClocks>& before = take_back.before;
  const bool known = before && ToolTakes(take_back.tool, before->system_mhz);
  SetClocks old = known ? *before
                        : SetClocks{kResetSystemClock, std::string(kCoreDividers[0]),
                                    std::string(kMemoryDividers[0])};
  if (!ToolTakes(take_back.tool, old.system_mhz)) old.system_mhz = kG200clkMinSystemClock;
  state_.tool_command_line = *ClockToolCommand(take_back.tool, take_back.tool_path, old.system_mhz,
                                               old.core_divider, old.memory_divider);
  // Whatever keeps the old clocks from coming back, the chip still runs the
  // ones the user refused, and the user must hear so.
  const Result<RunEnd> end = RunClockTool(take_back.tool_path, T::kNewClocksIfEnded);
  if (!end.ok() || end.value() != RunEnd::kEnded) {
    const std::string why =
        end.ok() ? Format(T::kToolEnded, {FileName(take_back.tool_path)}) : end.status().message();
    return Status::Error(
        Format(T::kClocksNotPutBack, {why, take_back.refused.core, take_back.refused.memory}));
  }
  const std::string system = std::to_string(old.system_mhz);
  if (known) return Format(T::kClocksPutBack, {system});
  if (take_back.tool == ClockTool::kG200clk) return Format(T::kSystemClockDefaultSet, {system});
  return Format(T::kClockDefaultsSet,
                {MegahertzText(*DividedClock(old.core_divider, old.system_mhz)),
                 MegahertzText(*DividedClock(old.memory_divider, old.system_mhz))});
}

Status OverclockTab::TellPutBack(const Result<std::string>& put_back, std::string_view why) {
  if (!put_back.ok()) return put_back.status();
  Inform(services_.dialogs, std::string(why) + put_back.value());
  form_.BringToFront();
  return Status::Ok();
}

Result<std::string> OverclockTab::TakeBackBeforeSessionEnds() {
  due_->put_back = true;
  services_.dialogs.EndCountdowns();
  return PutBackClocks(due_->take_back);
}

}  // namespace korvane
