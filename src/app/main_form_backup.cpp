// The General tab's restore and report buttons.
#include <string>
#include <string_view>
#include <utility>

#include "app/main_form.h"
#include "backup/restore.h"
#include "platform/scheduler.h"
#include "platform/wall_clock.h"
#include "report/save_report.h"
#include "settings/setting_catalogue.h"
#include "sysinfo/cpuid_leaves.h"
#include "sysinfo/windows_release.h"
#include "text/texts.h"

namespace korvane {
namespace {

using T = TextId;

}  // namespace

Status TForm1::RestoreButtonClick() {
  if (!backups_) return Status::Ok();
  return RestoreBackup(*backups_, services_.dialogs, services_.files, [this] {
    RETURN_IF_ERROR(registry_tab_.Reload());
    return game_form_ ? game_form_->Reload() : Status::Ok();
  });
}

Status TForm1::ReportButtonClick() {
  // The Other tab's figures as showing it gives them, the clock measured now,
  // and the chip tab's decode of the PIN file dumped last; a PIN file that
  // does not decode leaves what the tab shows.
  RETURN_IF_ERROR(system_info_tab_.TabSheet4Show());
  if (!services_.scheduler.RunUntil([this] { return !system_info_tab_.measuring(); })) {
    return Status::Ok();  // the program ends: nothing to save for
  }
  static_cast<void>(chip_tab_.TabSheet6Show());
  return SaveReport(BuildReport(DescribeMachine()), services_.dialogs, services_.files,
                    folders_.path, services_.clipboard);
}

MachineReport TForm1::DescribeMachine() {
  MachineReport report;
  report.created = DateTimeText(services_.clock.Now());
  report.program = Label1.caption();
  if (folders_.moved()) report.work_folder = Format(T::kWorkFolderNotice, {folders_.path});
  report.os_platform = platform_name_;
  // The processor and the system as the Other tab shows them.
  const SystemInfoTab& info = system_info_tab_;
  report.os_name = info.Label42.caption();
  report.os_version = info.Label43.caption();
  // The tab's label names the system as its own table does; the report
  // tells the exact release.
  if (const auto version = services_.os.Version()) report.os_release = WindowsRelease(*version);
  report.cpu_vendor = info.Label64.caption() + " (" + info.Label81.caption() + ")";
  report.cpu_signature =
      info.Label78.caption() + "/" + info.Label77.caption() + "/" + info.Label74.caption();
  report.cpu_name = info.Label62.caption();
  report.cpu_detail = info.Label71.caption();
  report.cpu_clock = info.Label58.caption();
  for (const auto& [caption, value] :
       {std::pair{&info.Label61, &info.Label69}, std::pair{&info.Label66, &info.Label70},
        std::pair{&info.Label59, &info.Label60}, std::pair{&info.Label84, &info.Label82},
        std::pair{&info.Label113, &info.Label114}, std::pair{&info.Label85, &info.Label83}}) {
    // The caption's colon goes: the report puts its own.
    report.cpu_features.push_back({WithoutCaptionColon(caption->caption()), value->caption()});
  }

  report.board = Label5.caption();
  report.monitor = Label31.caption();
  report.platform = Label38.caption();
  report.agp_mode = Label29.caption();

  // The Registry tab as it shows: its frames in order, hidden boxes left out.
  for (const SettingEntry& entry : kSettingCatalogue) {
    if (entry.group == SettingGroup::kHidden) continue;
    const std::string& frame = registry_tab_.group(entry.group).caption();
    if (report.driver_settings.empty() || report.driver_settings.back().caption != frame) {
      report.driver_settings.push_back({frame, {}});
    }
    std::string state;
    const ui::Control* control;
    if (entry.setting == Setting::kAGPSpeed) {
      const int item = registry_tab_.AGPSpeed().item_index();
      state = item < 0 ? Text(T::kReportNoSelection) : registry_tab_.AGPSpeed().items()[item];
      control = &registry_tab_.AGPSpeed();
    } else {
      state = Text(registry_tab_.box(entry.setting).checked() ? T::kReportOn : T::kReportOff);
      control = &registry_tab_.box(entry.setting);
    }
    if (!control->enabled()) state += Text(T::kReportCannotChange);
    report.driver_settings.back().lines.push_back({control->caption(), state});
  }
  // The clocks the chip runs at, as the Overclock tab shows them.
  const RunningClocks clocks = overclock_tab_.CurrentClocks();
  report.system_clock = clocks.system;
  report.core_clock = clocks.core;
  report.memory_clock = clocks.memory;
  if (clock_test_) report.clock_test = clock_test_->ReportLines();

  // The chip figures as their tab shows them, once a PIN file was decoded
  // or the card read, and where they came from.
  const ChipTab& chip = chip_tab_;
  const bool from_card = chip.pin().from_card;
  const bool decoded = chip.PButton().enabled() || from_card;
  if (!decoded && !chip.card_refusal().empty()) {
    report.chip_figures = {{Text(T::kReportCardBios), chip.card_refusal()}};
  } else if (decoded) {
    report.chip_figures = {
        {Text(T::kReportChipSource), Text(from_card ? T::kCardRead : T::kReportSourceTool)},
    };
    if (from_card) {
      report.chip_figures.push_back(
          {Text(T::kReportBiosReadWay),
           Text(chip.pin().card_read_way == BiosReadWay::kDirect ? T::kBiosReadInPlace
                                                                 : T::kBiosReadBySystem)});
    }
    report.chip_figures.insert(report.chip_figures.end(),
                               {
                                   {Text(T::kReportChipModel), chip.ModelName().caption()},
                                   {Text(T::kReportChipRevision), chip.ChipRevision().caption()},
                                   {Text(T::kReportModelNumber), chip.ModelNumber().caption()},
                                   {Text(T::kReportSerialNumber), chip.SerialNumber().caption()},
                                   {Text(T::kReportBiosVersion), chip.BiosVersion().caption()},
                               });
    std::string ramdac;
    for (std::size_t column = 0; column < 6; ++column) {
      if (column > 0) ramdac += " / ";
      ramdac += chip.RamdacCell(column).caption();
    }
    report.chip_figures.push_back({Text(T::kReportRamdac), ramdac});
    if (chip.SecondaryCaption().enabled()) {
      report.chip_figures.push_back(
          {Text(T::kReportSecondaryRamdac),
           chip.SecondaryCell(0).caption() + " / " + chip.SecondaryCell(1).caption()});
    }
    std::string core;
    std::string memory;
    for (std::size_t mode = 0; mode < 3; ++mode) {
      if (mode > 0) {
        core += " / ";
        memory += " / ";
      }
      core += chip.CoreClockCell(mode).caption();
      memory += chip.MemoryClockCell(mode).caption();
    }
    report.chip_figures.push_back({Text(T::kReportChipCoreClock), core});
    report.chip_figures.push_back({Text(T::kReportChipMemoryClock), memory});
  }
  for (const CpuidLeaf& leaf : PentiumMMX1.Leaves()) report.cpuid_lines.push_back(CpuidLine(leaf));
  return report;
}

}  // namespace korvane
