// The Registry tab: one control per catalogue entry, each writing its
// setting the moment its state changes, and the start-up load.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "platform/registry_store.h"
#include "platform/status.h"
#include "registry/registry.h"
#include "settings/setting_catalogue.h"
#include "ui/check_box.h"
#include "ui/page_control.h"
#include "ui/radio_group.h"
#include "ui/status_bar.h"

namespace korvane {

class RegistryTab {
 public:
  // `settings_key` is the main window's, read whenever a control writes.
  RegistryTab(ui::TabSheet& sheet, RegistryStore& store, const std::string& settings_key);

  ui::CheckBox& box(Setting setting) const;
  ui::RadioGroup& AGPSpeed() const;
  ui::StatusBar& StatusBar1() const { return *status_bar_; }
  ui::GroupBox& group(SettingGroup group) const;

  // Loads "LaunchQuickDesk" and "ShowMeAllMatrox" from the current key of a
  // handle opened on PowerDesk's key below HKEY_CURRENT_USER.
  Status LoadPowerDesk(Registry& registry, LoadMode mode = LoadMode::kAsUser);
  // Loads the driver settings with a handle rooted at HKEY_LOCAL_MACHINE.
  Status LoadDriverSettings(Registry& registry, LoadMode mode = LoadMode::kAsUser);
  // Shows what the registry now holds, by the start-up rules, writing nothing.
  Status Reload();

  // Without a driver key the driver settings have nowhere to go: their
  // controls are disabled and the status bar says why.
  void DisableDriverSettings();

  // Sets a control to the state that stands for a stored value: a check box
  // is on for 1 (integer) or "1" (string); the AGP speed takes an item index.
  Status SetFromValue(Setting setting, int value);

 private:
  Status WriteSetting(Setting setting);

  ui::TabSheet& sheet_;
  RegistryStore& store_;
  const std::string& settings_key_;
  std::array<std::unique_ptr<ui::GroupBox>, 5> groups_;
  std::array<std::unique_ptr<ui::Control>, kSettingCount> controls_;
  std::unique_ptr<ui::StatusBar> status_bar_;
};

// Writes a setting's value with a registry handle of its own: the On or Off
// value for a check box, the selected item's value for the AGP speed.
Status WriteSettingValue(RegistryStore& store, const std::string& settings_key, Setting setting,
                         int state);

// Writes a setting's value for a state into the handle's current key.
Status WriteSettingState(Registry& registry, Setting setting, int state);

// Whether the setting lives below the driver's settings key.
bool IsDriverSetting(Setting setting);

}  // namespace korvane
