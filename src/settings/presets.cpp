#include "settings/presets.h"

#include <array>
#include <cstdint>
#include <string_view>

#include "registry/registry.h"
#include "text/information_box.h"
#include "text/texts.h"

namespace korvane {
namespace {

struct PresetRow {
  Setting setting;
  // One cell per preset, in the order of Preset: 1 or 0 for a check box, the
  // item index for the AGP speed.
  std::array<std::int8_t, 4> cells;
};

constexpr std::int8_t kAgp1x = 0;
constexpr std::int8_t kAgp2x = 1;
constexpr std::int8_t kAgpAuto = kAgpAutomatic;

// In writing order; rows that share a key are written through one opening.
//                       emergency game benchmark initial
// clang-format off
constexpr auto kPresetTable = std::to_array<PresetRow>({
    {Setting::kPowerdesk,   {1, 1, 1, 1}},
    {Setting::kTasktrey,    {1, 1, 1, 1}},
    {Setting::kDDC,         {0, 0, 0, 0}},
    {Setting::kHighcolor,   {1, 1, 1, 1}},
    {Setting::kBusmaster,   {0, 1, 1, 1}},
    {Setting::kPaletsync,   {1, 1, 1, 1}},
    {Setting::kCircles,     {1, 1, 1, 1}},
    {Setting::kRect,        {1, 1, 1, 1}},
    {Setting::kEllipses,    {1, 1, 1, 1}},
    {Setting::kFontcash,    {1, 1, 1, 1}},
    {Setting::kPorigon,     {1, 1, 1, 1}},
    {Setting::kDevice,      {0, 1, 1, 1}},
    {Setting::kMIPMAP,      {0, 1, 0, 1}},
    {Setting::kAnisotropic, {0, 1, 0, 1}},
    {Setting::kAntiAlias,   {0, 1, 0, 1}},
    {Setting::kTableFog,    {0, 0, 0, 1}},
    {Setting::kFogging,     {0, 1, 0, 1}},
    {Setting::kAgp,         {1, 1, 1, 1}},
    {Setting::kMmx,         {1, 1, 1, 1}},
    {Setting::kDNow,        {1, 1, 1, 1}},
    {Setting::kComwrite,    {0, 1, 1, 1}},
    {Setting::kAGPSpeed,    {kAgp1x, kAgp2x, kAgp2x, kAgpAuto}},
    {Setting::kFastbilt,    {0, 1, 1, 1}},
    {Setting::kFilter,      {0, 1, 1, 1}},
    {Setting::kD3drender,   {0, 1, 1, 1}},
    {Setting::kZbuff,       {0, 1, 1, 1}},
    {Setting::kPalettized,  {0, 0, 1, 1}},
    {Setting::kTriple,      {0, 1, 1, 1}},
    {Setting::kIndeo,       {0, 1, 1, 1}},
    {Setting::kCinepac,     {0, 1, 1, 1}},
    {Setting::kVsync,       {1, 1, 0, 1}},
    {Setting::kAGPExecute,  {0, 1, 1, 1}},
});
// clang-format on
static_assert(kPresetTable.size() == 32, "a preset sets all 32 settings");

constexpr std::array<TextId, 4> kMessages = {
    TextId::kEmergencyApplied,
    TextId::kGameApplied,
    TextId::kBenchmarkApplied,
    TextId::kDriverDefaultsApplied,
};

}  // namespace

Status ApplyPreset(Preset preset, RegistryStore& store, Dialogs& dialogs, RegistryTab& tab,
                   const std::string& settings_key) {
  // Without a driver key half the table would have nowhere to go.
  if (settings_key.empty()) return Status::Ok();
  const auto column = static_cast<std::size_t>(preset);

  Registry registry(store);
  SettingKeyCursor cursor(registry, settings_key, /*create=*/true);
  for (const PresetRow& row : kPresetTable) {
    cursor.Enter(EntryOf(row.setting).key);
    RETURN_IF_ERROR(WriteSettingState(registry, row.setting, row.cells[column]));
  }
  registry.CloseKey();

  // The controls follow in on-screen order, which is the catalogue's.
  for (const SettingEntry& entry : kSettingCatalogue) {
    for (const PresetRow& row : kPresetTable) {
      if (row.setting == entry.setting) {
        RETURN_IF_ERROR(tab.SetFromValue(row.setting, row.cells[column]));
      }
    }
  }
  // Told only once it has happened: a failed write shows its error alone.
  Inform(dialogs, Text(kMessages[column]));
  return Status::Ok();
}

}  // namespace korvane
