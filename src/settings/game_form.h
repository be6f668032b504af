// The per-game dialog: registry values of Unreal, Need for Speed III and
// Forsaken, reloaded every time the dialog is shown.
#pragma once

#include <cstdint>
#include <string_view>

#include "platform/registry_store.h"
#include "platform/status.h"
#include "settings/setting_catalogue.h"
#include "ui/button.h"
#include "ui/check_box.h"
#include "ui/form.h"

namespace korvane {

class Registry;

class TGameForm : public ui::Form {
 public:
  TGameForm(RegistryStore& store, ui::ErrorReporter& errors);

  // Shows what the registry now holds, by the rules of showing the dialog,
  // writing nothing: after a restore.
  Status Reload() { return Load(LoadMode::kShowOnly); }

  ui::GroupBox GroupBox1;
  ui::CheckBox Truecolor;
  ui::CheckBox DoFlip;
  ui::CheckBox DoTrilinear;
  ui::CheckBox TriBufferUnreal;
  ui::GroupBox GroupBox3;
  ui::CheckBox TriBufferNFS3;
  ui::GroupBox GroupBox2;
  ui::CheckBox VGAMode;
  ui::Button Button1;

 private:
  Status FormShow() { return Load(LoadMode::kAsUser); }
  Status Load(LoadMode mode);
  Status TruecolorClick();
  Status DoFlipClick();
  Status DoTrilinearClick();
  Status TriBufferUnrealClick();
  Status TriBufferNFS3Click();
  Status VGAModeClick();

  // Loads an integer value into a box: 0 unchecks, 1 checks, another number
  // leaves it; a missing value disables the box for the rest of the run.
  Status LoadBox(Registry& registry, std::string_view name, ui::CheckBox& box, LoadMode mode);
  Status WriteFlag(std::string_view key, std::string_view name, bool on);

  RegistryStore& store_;
};

}  // namespace korvane
