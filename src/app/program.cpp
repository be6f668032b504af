#include "app/program.h"

#include "files/paths.h"
#include "platform/registry_store.h"

namespace korvane {
namespace {

// The machine's services, the registry seen through the backup.
Services WithRegistry(const Services& services, RegistryStore& registry) {
  return Services{registry,           services.dialogs,   services.processes, services.files,
                  services.os,        services.processor, services.timer,     services.clock,
                  services.clipboard, services.scheduler, services.video_bios,
                  services.video_memory};
}

}  // namespace

Program::Program(Services& machine, const std::function<void(TForm1&)>& main_form_made)
    : application_("Matrox Korvane"),
      errors_(machine.dialogs, application_.title()),
      folders_(ChooseWorkFolder(machine.files)),
      backups_(machine.registry, machine.files, machine.clock, JoinPath(folders_.path, "backup")),
      services_(WithRegistry(machine, backups_)) {
  Services& services = services_;
  main_form_ = std::make_unique<TForm1>(services, application_, errors_, folders_);
  main_form_->AttachBackups(backups_);
  if (main_form_made) main_form_made(*main_form_);
  const Status created = main_form_->FormCreate();
  if (!created.ok()) errors_.ReportError(created.message());
  game_form_ = std::make_unique<TGameForm>(services.registry, errors_);
  about_box_ = std::make_unique<TAboutBox>(services.processes, services.dialogs, errors_);
  pin_form_ = std::make_unique<TPINForm>(main_form_->chip_tab(), services.dialogs, services.files,
                                         folders_.path, errors_);
  clock_test_form_ = std::make_unique<TClockTestForm>(services, errors_);
  main_form_->AttachWindows(*game_form_, *about_box_);
  main_form_->AttachClockTest(*clock_test_form_);
  main_form_->chip_tab().AttachEditor(*pin_form_);
}

void Program::Start() {
  const Status shown = main_form_->Show();
  if (!shown.ok()) errors_.ReportError(shown.message());
  main_form_->ReadClockTool();
}

}  // namespace korvane
