// The catalogue of driver, PowerDesk and program settings shown on the
// Registry tab. The tab, the presets and the settings removal all read it.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "platform/registry_store.h"
#include "platform/status.h"
#include "text/text_id.h"
#include "ui/check_box.h"

namespace korvane {

class Registry;

// In on-screen order: the tab creates its controls in this order, and the
// presets set the controls in this order.
// clang-format off
enum class Setting {
  kPowerdesk, kDDC, kHighcolor, kTasktrey, kBusmaster,
  kCircles, kRect, kEllipses, kFontcash, kPorigon, kDevice, kPaletsync,
  kMIPMAP, kAnisotropic, kAntiAlias, kTableFog, kFogging,
  kAgp, kMmx, kDNow, kComwrite, kAGPSpeed,
  kFastbilt, kFilter, kD3drender, kZbuff, kPalettized, kTriple, kIndeo, kCinepac, kVsync,
  kAGPExecute,
  kToc, kDithering, kCirsor, kVirtualDesk, kTVout, kAnalogJoy,
};
// clang-format on
constexpr std::size_t kSettingCount = static_cast<std::size_t>(Setting::kAnalogJoy) + 1;

// Where a setting's value lives.
enum class SettingKey {
  kPowerDesk5,        // HKEY_CURRENT_USER, PowerDesk 5's current settings
  kPowerDeskCurrent,  // HKEY_LOCAL_MACHINE, PowerDesk's current settings
  kProgram,           // HKEY_LOCAL_MACHINE, the program's own key
  // Sub-keys of the driver's settings key, below HKEY_LOCAL_MACHINE:
  kCpu,
  kDirectX,
  kEngine,
  kDac,
  kGdi,
  kMonitor,
};

enum class SettingType { kString, kInteger };

// How a load sets the controls: as a user would, so that a state that
// changes writes its value (start-up, a dialog being shown), or showing
// only what is stored (after a restore has put the values back).
enum class LoadMode { kAsUser, kShowOnly };

// Checks or unchecks a box as a load does in that mode.
Status LoadCheck(ui::CheckBox& box, bool checked, LoadMode mode);

// The frames of the Registry tab; kHidden controls lie beyond its right edge.
enum class SettingGroup { kGeneral, kGdi, kD3DFilter, kSystem, kD3DGen, kHidden };

struct SettingEntry {
  Setting setting;
  std::string_view control;  // the control's name
  TextId caption;
  TextId hint;
  SettingGroup group;
  SettingKey key;
  std::string_view value;  // value name, as written
  SettingType type;        // a check box writes 1/0 or "1"/"0" of this type
};

extern const std::array<SettingEntry, kSettingCount> kSettingCatalogue;

inline const SettingEntry& EntryOf(Setting setting) {
  return kSettingCatalogue[static_cast<std::size_t>(setting)];
}

// The items of the AGP speed group and the "AGPFlags" text each writes.
struct AgpSpeedItem {
  std::string_view text;  // empty for the automatic item, which says it in words
  std::string_view value;
};
extern const std::array<AgpSpeedItem, 4> kAgpSpeedItems;
constexpr int kAgpAutomatic = 3;

// The item's caption in the program's language.
std::string AgpSpeedCaption(const AgpSpeedItem& item);

// The item a stored "AGPFlags" text selects; anything unknown is automatic.
int AgpSpeedItemFor(std::string_view flags);

extern const std::string_view kPowerDesk5Path;
extern const std::string_view kPowerDeskCurrentPath;

struct KeyLocation {
  RegistryRoot root;
  std::string path;
};

// The root and path of a key. A driver sub-key has no location while no
// driver was found, so that nothing is ever written below the bare root.
std::optional<KeyLocation> Locate(SettingKey key, const std::string& settings_key);

// Walks one registry handle through the keys of a table's rows: a key is
// opened (switching the root as needed) only when the rows move on to it.
// A key that fails to open leaves the previous one current, as every
// failed open does.
class SettingKeyCursor {
 public:
  SettingKeyCursor(Registry& registry, const std::string& settings_key, bool create)
      : registry_(registry), settings_key_(settings_key), create_(create) {}
  void Enter(SettingKey key);

 private:
  Registry& registry_;
  const std::string& settings_key_;
  bool create_;
  std::optional<SettingKey> current_;
};

}  // namespace korvane
