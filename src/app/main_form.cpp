#include "app/main_form.h"

#include <cstdint>
#include <utility>

#include "app/paths.h"
#include "backup/backup_texts.h"
#include "platform/dialogs.h"
#include "platform/file_system.h"
#include "platform/os_info.h"
#include "registry/registry.h"
#include "report/report_texts.h"
#include "settings/presets.h"
#include "settings/setting_catalogue.h"
#include "settings/settings_removal.h"
#include "sysinfo/platform_inference.h"

namespace korvane {
namespace {

// The window is not visible yet while the status query runs: a tool that
// never ended would leave the user nothing to close.
constexpr std::uint32_t kStartupQueryLimitMs = 30000;
constexpr char kExitCaption[] = "終了(&E)";
constexpr char kExitHint[] = "Korvaneを終了します。";

ui::TextStyle Bold(int size_px = 0) {
  ui::TextStyle style;
  style.bold = true;
  style.size_px = size_px;
  return style;
}

}  // namespace

TForm1::TForm1(Services& services, ui::Application& application, ui::ErrorReporter& errors)
    : Form("Form1", "Korvane", 426, 385, ui::BorderStyle::kSingle, errors),
      services_(services),
      application_(application),
      batch_runner_(services.files, services.processes),
      PentiumMMX1("PentiumMMX1", services.processor),
      PageControl1(*this, "PageControl1", {0, 0, 426, 385}),
      TabSheet1(PageControl1, "TabSheet1", "一般"),
      TabSheet2(PageControl1, "TabSheet2", "レジストリ"),
      TabSheet6(PageControl1, "TabSheet6", "チップ仕様"),
      TabSheet4(PageControl1, "TabSheet4", "オーバークロック"),
      TabSheet5(PageControl1, "TabSheet5", "その他"),
      Label1(TabSheet1, "Label1", {10, 6, 0, 0}, "Matrox Korvane Ver1.10"),
      GroupBox2(TabSheet1, "GroupBox2", {8, 34, 402, 82}, "レジストリのお手軽設定"),
      Button12(GroupBox2, "Button12", {12, 20, 184, 24}, "ベンチマークモード",
               "最も性能を発揮する設定です。"),
      Button10(GroupBox2, "Button10", {206, 20, 184, 24}, "ゲームモード",
               "ゲーム用に最適の設定です。"),
      Button11(GroupBox2, "Button11", {12, 50, 184, 24}, "初期設定", "ドライバを入れた最初の設定"),
      Button9(GroupBox2, "Button9", {206, 50, 184, 24}, "緊急時専用モード",
              "Socket7ユーザー等きちんと動作しない場合の設定"),
      Label13(TabSheet1, "Label13", {12, 128, 0, 0}, "ボード："),
      Label5(TabSheet1, "Label5", {92, 125, 0, 0}, "Matrox Millennium G400 MAX"),
      Label30(TabSheet1, "Label30", {12, 152, 0, 0}, "AGP動作："),
      Label29(TabSheet1, "Label29", {92, 152, 0, 0}, "AGP 1x/2x/4x"),
      Label27(TabSheet1, "Label27", {12, 172, 0, 0}, "使用CRT："),
      Label31(TabSheet1, "Label31", {92, 172, 0, 0}, "???? ???????????"),
      Label37(TabSheet1, "Label37", {12, 192, 0, 0}, "プラットフォーム："),
      Label38(TabSheet1, "Label38", {120, 192, 0, 0}, "Unknown"),
      Label6(TabSheet1, "Label6", {12, 218, 0, 0}, "対応カード一覧："),
      Label7(TabSheet1, "Label7", {28, 236, 0, 0}, "Matrox Millennium G400 MAX"),
      Label11(TabSheet1, "Label11", {28, 252, 0, 0}, "Matrox Millennium G400 DualHead"),
      Label9(TabSheet1, "Label9", {28, 268, 0, 0}, "Matrox Millennium G400 SingleHead SG NLX"),
      Label90(TabSheet1, "Label90", {28, 284, 0, 0}, "Matrox Millennium G400 SingleHead SGRAM"),
      Label8(TabSheet1, "Label8", {28, 300, 0, 0}, "Matrox Millennium G400 SingleHead SDRAM"),
      Label4(TabSheet1, "Label4", {12, 326, 0, 0}, "｢MGA-G400｣はMatrox Graphics社の商標です。"),
      // The right-hand column of buttons, clear of the labels on the left.
      uninstall(TabSheet1, "uninstall", {286, 188, 124, 25}, "アンインストールする",
                "レジストリの設定をアンインストールします。"),
      RestoreButton(TabSheet1, "RestoreButton", {286, 217, 124, 25}, backup_texts::kRestoreCaption,
                    backup_texts::kRestoreHint),
      ReportButton(TabSheet1, "ReportButton", {286, 246, 124, 25}, report_texts::kReportCaption,
                   report_texts::kReportHint),
      Button1(TabSheet1, "Button1", {286, 275, 124, 25}, kExitCaption, kExitHint),
      Button25(TabSheet1, "Button25", {286, 304, 124, 25}, "バージョン情報",
               "Korvaneのバージョンを表示します。"),
      registry_tab_(TabSheet2, services.registry, driver_.settings_key),
      chip_tab_(TabSheet6, services, batch_runner_, program_folder_, clock_report_, Label5, pin_),
      overclock_tab_(TabSheet4, services, batch_runner_,
                     {program_folder_, clock_report_, tool_path_, tool_command_line_}),
      system_info_tab_(TabSheet5, services, PentiumMMX1, MeasuredMHz, Label38),
      Button15(TabSheet5, "Button15", {196, 310, 126, 25}, "各種ゲーム用設定",
               "各種ゲーム用の設定をする。"),
      Button5(TabSheet5, "Button5", {330, 310, 80, 25}, kExitCaption, kExitHint) {
  Label1.SetStyle(Bold(19));
  Label5.SetStyle(Bold(15));
  Label29.SetStyle(Bold());
  Label5.SetHint("お使いのG400のモデル名");
  Label29.SetHint("AGPの動作速度を示しています。");
  Label31.SetHint("お使いのモニターです。");
  Label38.SetHint("お使いのプラットフォーム。");
  Label7.SetHint("いったいいつになったら出るのでしょうか？");

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
  ReportButton.on_click = [this] { return ReportButtonClick(); };
  Button1.on_click = [this] { return Button1Click(); };
  overclock_tab_.Button8.on_click = Button1.on_click;
  for (ui::Button* button :
       {&overclock_tab_.Button3, &overclock_tab_.Button4, &chip_tab_.PINButton()}) {
    button->on_click = WaitingAction(std::move(button->on_click));
  }
  can_close = [this] { return MayCloseNow(); };
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

Status TForm1::Button1Click() {
  if (MayCloseNow()) Close();
  return Status::Ok();
}

bool TForm1::MayCloseNow() {
  if (waiting_actions_ == 0) return true;
  close_pending_ = true;
  return false;
}

ui::Handler TForm1::WaitingAction(ui::Handler action) {
  return [this, action = std::move(action)] {
    ++waiting_actions_;
    const Status status = action();
    --waiting_actions_;
    if (waiting_actions_ > 0 || !close_pending_) return status;
    close_pending_ = false;
    if (!status.ok()) errors().ReportError(status.message());
    Close();
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
    services_.dialogs.Message("Windows95/98専用のプログラムです。", "エラー", MessageButtons::kOk,
                              MessageIcon::kNone);
    application_.RequestTerminate();
  }
}

Status TForm1::FormCreate() {
  CheckPlatform();

  // Worked out first, though it needs nothing before it: the Overclock tab
  // then works even when a later start-up step fails.
  program_folder_ = FolderOf(services_.files.ProgramPath());

  Registry registry(services_.registry);
  registry.SetRoot(RegistryRoot::kLocalMachine);
  registry.OpenKey(kRunKeyPath, true);
  overclock_tab_.Button7.SetEnabled(registry.ValueExists(kRunValueName));

  return RunStartupSteps(registry);
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
  RETURN_IF_ERROR(QueryClockTool(batch_runner_, services_.files, program_folder_,
                                 kStartupQueryLimitMs, &clock_report_));

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
  ShowPlatform(PentiumMMX1, MeasuredMHz, driver_.found(), Label38,
               registry_tab_.box(Setting::kDNow), registry_tab_.box(Setting::kComwrite));
  return Status::Ok();
}

Status TForm1::TabSheet1Show() {
  if (const auto mode = AgpModeText(clock_report_)) Label29.SetCaption(*mode);
  return Status::Ok();
}

}  // namespace korvane
