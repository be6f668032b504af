// The General tab's restore and report buttons.
#include <string>

#include "app/main_form.h"
#include "backup/restore.h"
#include "platform/os_info.h"
#include "platform/wall_clock.h"
#include "report/report_texts.h"
#include "report/save_report.h"
#include "settings/setting_catalogue.h"

namespace korvane {

Status TForm1::RestoreButtonClick() {
  if (!backups_) return Status::Ok();
  return RestoreBackup(*backups_, services_.dialogs, services_.files, [this] {
    RETURN_IF_ERROR(registry_tab_.Reload());
    return game_form_ ? game_form_->Reload() : Status::Ok();
  });
}

Status TForm1::ReportButtonClick() {
  return SaveReport(BuildReport(DescribeMachine()), services_.dialogs, services_.files,
                    services_.clipboard);
}

MachineReport TForm1::DescribeMachine() {
  MachineReport report;
  report.created = DateTimeText(services_.clock.Now());
  report.program = Label1.caption();
  report.os_platform = platform_name_;
  if (const auto version = services_.os.Version()) {
    report.os_version = std::to_string(version->major) + "." + std::to_string(version->minor);
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
      state = item < 0 ? report_texts::kNoSelection : registry_tab_.AGPSpeed().items()[item];
      control = &registry_tab_.AGPSpeed();
    } else {
      state = registry_tab_.box(entry.setting).checked() ? report_texts::kOn : report_texts::kOff;
      control = &registry_tab_.box(entry.setting);
    }
    if (!control->enabled()) state += report_texts::kCannotChange;
    report.driver_settings.back().lines.push_back({control->caption(), state});
  }
  return report;
}

}  // namespace korvane
