// The program entry: the application, its error box and its four windows,
// created in order. Creating the main window runs its start-up sequence to
// the end before the next window is created.
#pragma once

#include <functional>
#include <memory>

#include "about/about_box.h"
#include "app/error_box.h"
#include "app/main_form.h"
#include "backup/backup_store.h"
#include "files/work_folder.h"
#include "overclock/clock_test_form.h"
#include "pin/pin_form.h"
#include "platform/services.h"
#include "settings/game_form.h"
#include "ui/application.h"

namespace korvane {

class Program {
 public:
  // `main_form_made`, when given, receives the main window as soon as it
  // exists, before its start-up sequence runs.
  explicit Program(Services& machine, const std::function<void(TForm1&)>& main_form_made = nullptr);

  // Shows the main window, whose show handlers run, then reads the clock
  // tool's status while it answers.
  void Start();

  ui::Application& application() { return application_; }
  TForm1& main_form() { return *main_form_; }
  TGameForm& game_form() { return *game_form_; }
  TAboutBox& about_box() { return *about_box_; }
  TPINForm& pin_form() { return *pin_form_; }
  TClockTestForm& clock_test_form() { return *clock_test_form_; }

 private:
  ui::Application application_;
  ErrorBox errors_;
  // Chosen before anything is written.
  WorkFolder folders_;
  // Every registry write of the windows passes through the backup.
  BackupRegistryStore backups_;
  Services services_;
  std::unique_ptr<TForm1> main_form_;
  std::unique_ptr<TGameForm> game_form_;
  std::unique_ptr<TAboutBox> about_box_;
  std::unique_ptr<TPINForm> pin_form_;
  std::unique_ptr<TClockTestForm> clock_test_form_;
};

}  // namespace korvane
