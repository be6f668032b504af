#include "app/program.h"

#include "platform/registry_store.h"

namespace korvane {

Program::Program(Services& services)
    : application_("Matrox Korvane"), errors_(services.dialogs, application_.title()) {
  main_form_ = std::make_unique<TForm1>(services, application_, errors_);
  const Status created = main_form_->FormCreate();
  if (!created.ok()) errors_.ReportError(created.message());
  game_form_ = std::make_unique<TGameForm>(services.registry, errors_);
  about_box_ = std::make_unique<TAboutBox>(services.processes, services.dialogs, errors_);
  pin_form_ =
      std::make_unique<TPINForm>(main_form_->chip_tab(), services.dialogs, services.files, errors_);
  main_form_->AttachWindows(*game_form_, *about_box_);
  main_form_->chip_tab().AttachEditor(*pin_form_);
}

void Program::Start() {
  const Status shown = main_form_->Show();
  if (!shown.ok()) errors_.ReportError(shown.message());
}

}  // namespace korvane
