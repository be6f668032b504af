#include "settings/registry_tab.h"

#include <utility>
#include <vector>

#include "text/texts.h"
#include "ui/control.h"

namespace korvane {
namespace {

// Layout of the tab, in pixels of the page.
constexpr int kRow = 16;
constexpr int kGroupTop = 15;
constexpr int kGroupBottom = 4;
constexpr int kGroupGap = 2;  // between frames stacked in a column
constexpr int kColumnWidth = 205;
constexpr int kLeftColumn = 4;
constexpr int kRightColumn = 213;
constexpr int kAgpSpeedHeight = 50;
constexpr int kHiddenLeft = 440;  // beyond the right edge of the page
constexpr int kStatusBarTop = 334;
constexpr int kPageWidth = 418;

struct GroupLayout {
  SettingGroup group;
  std::string_view name;
  TextId caption;
  int left;
};

// Frames in creation (and focus) order; each column stacks its frames from
// the top, edge to edge but for a small gap, above the status bar.
constexpr auto kGroups = std::to_array<GroupLayout>({
    {SettingGroup::kGeneral, "General", TextId::kGeneralFrame, kLeftColumn},
    {SettingGroup::kGdi, "Gdi", TextId::kGdiFrame, kLeftColumn},
    {SettingGroup::kD3DFilter, "D3DFilter", TextId::kD3DFilterFrame, kLeftColumn},
    {SettingGroup::kSystem, "System", TextId::kSystemFrame, kRightColumn},
    {SettingGroup::kD3DGen, "D3DGen", TextId::kDirectXFrame, kRightColumn},
});

int GroupIndex(SettingGroup group) { return static_cast<int>(group); }

// PowerDesk's two values, in load order.
constexpr auto kPowerDeskLoadOrder = std::to_array({Setting::kTasktrey, Setting::kPowerdesk});

// The driver values in load order, with the names they are read by (two
// differ in case from the names they are written with). "AGPFlags" comes
// first, before the table.
struct LoadStep {
  SettingKey key;
  std::string_view read_name;
  Setting setting;
};

constexpr auto kDriverLoadOrder = std::to_array<LoadStep>({
    {SettingKey::kCpu, "AGP", Setting::kAgp},
    {SettingKey::kCpu, "MMX", Setting::kMmx},
    {SettingKey::kCpu, "WriteCombining", Setting::kComwrite},
    {SettingKey::kCpu, "Use3DNow", Setting::kDNow},
    {SettingKey::kDirectX, "AGPExecuteModel", Setting::kAGPExecute},
    {SettingKey::kDirectX, "MipMapping", Setting::kMIPMAP},
    {SettingKey::kDirectX, "Fogging", Setting::kFogging},
    {SettingKey::kDirectX, "FlipOnVblank", Setting::kVsync},
    {SettingKey::kDirectX, "YUVFiltering", Setting::kFilter},
    {SettingKey::kDirectX, "Anisotropic", Setting::kAnisotropic},
    {SettingKey::kDirectX, "PalettizedTextures", Setting::kPalettized},
    {SettingKey::kDirectX, "D3DRendering", Setting::kD3drender},
    {SettingKey::kDirectX, "32BitZ", Setting::kZbuff},
    {SettingKey::kDirectX, "UseTripleBuffering", Setting::kTriple},
    {SettingKey::kDirectX, "AntiAlias", Setting::kAntiAlias},
    {SettingKey::kDirectX, "TableFog", Setting::kTableFog},
    {SettingKey::kDirectX, "CinepakAsYUV", Setting::kCinepac},
    {SettingKey::kDirectX, "YUVFastBlit", Setting::kFastbilt},
    {SettingKey::kDirectX, "IndeoasYUV", Setting::kIndeo},
    {SettingKey::kEngine, "BusMastering", Setting::kBusmaster},
    {SettingKey::kEngine, "PaletteSync", Setting::kPaletsync},
    {SettingKey::kDac, "HicolorMode", Setting::kHighcolor},
    {SettingKey::kGdi, "FontsCaching", Setting::kFontcash},
    {SettingKey::kGdi, "AlternateFillPolygons", Setting::kPorigon},
    {SettingKey::kGdi, "DeviceBitmapsCaching", Setting::kDevice},
    {SettingKey::kGdi, "Circles", Setting::kCircles},
    {SettingKey::kGdi, "Rectangles", Setting::kRect},
    {SettingKey::kGdi, "Ellipses", Setting::kEllipses},
    {SettingKey::kMonitor, "ForceDDC", Setting::kDDC},
});

}  // namespace

bool IsDriverSetting(Setting setting) {
  const SettingKey key = EntryOf(setting).key;
  return key != SettingKey::kPowerDesk5 && key != SettingKey::kPowerDeskCurrent &&
         key != SettingKey::kProgram;
}

RegistryTab::RegistryTab(ui::TabSheet& sheet, RegistryStore& store, const std::string& settings_key)
    : sheet_(sheet), store_(store), settings_key_(settings_key) {
  std::array<int, 5> rows = {};
  int hidden_rows = 0;
  for (const SettingEntry& entry : kSettingCatalogue) {
    const auto index = static_cast<std::size_t>(entry.setting);
    if (entry.group == SettingGroup::kHidden) {
      auto box = std::make_unique<ui::CheckBox>(
          sheet, std::string(entry.control),
          ui::Bounds{kHiddenLeft, kGroupTop + kRow * hidden_rows++, kColumnWidth - 12, kRow},
          Text(entry.caption), Text(entry.hint));
      controls_[index] = std::move(box);
      continue;
    }
    const int g = GroupIndex(entry.group);
    if (!groups_[g]) {
      const GroupLayout& layout = kGroups[g];
      groups_[g] = std::make_unique<ui::GroupBox>(sheet, std::string(layout.name),
                                                  ui::Bounds{layout.left, 0, kColumnWidth, 0},
                                                  Text(layout.caption));
    }
    const int top = kGroupTop + kRow * rows[g];
    if (entry.setting == Setting::kAGPSpeed) {
      std::vector<std::string> items;
      for (const AgpSpeedItem& item : kAgpSpeedItems) items.push_back(AgpSpeedCaption(item));
      controls_[index] = std::make_unique<ui::RadioGroup>(
          *groups_[g], std::string(entry.control),
          ui::Bounds{6, top + 2, kColumnWidth - 12, kAgpSpeedHeight}, Text(entry.caption),
          std::move(items), 2, Text(entry.hint));
      rows[g] += (kAgpSpeedHeight + 4) / kRow + 1;
      continue;
    }
    controls_[index] = std::make_unique<ui::CheckBox>(*groups_[g], std::string(entry.control),
                                                      ui::Bounds{8, top, kColumnWidth - 12, kRow},
                                                      Text(entry.caption), Text(entry.hint));
    ++rows[g];
  }
  // Size each frame to hold its rows and stack it below the one before.
  int left_bottom = -kGroupGap;
  int right_bottom = -kGroupGap;
  for (std::size_t g = 0; g < groups_.size(); ++g) {
    ui::Bounds bounds = groups_[g]->bounds();
    const int last = groups_[g]->children().back()->bounds().top +
                     groups_[g]->children().back()->bounds().height;
    bounds.height =
        last + kGroupBottom + (static_cast<int>(g) == GroupIndex(SettingGroup::kSystem) ? 2 : 0);
    int& column_bottom = bounds.left == kLeftColumn ? left_bottom : right_bottom;
    bounds.top = column_bottom + kGroupGap;
    column_bottom = bounds.top + bounds.height;
    groups_[g]->SetBounds(bounds);
  }
  status_bar_ = std::make_unique<ui::StatusBar>(
      sheet, "StatusBar1", ui::Bounds{0, kStatusBarTop, kPageWidth, 18},
      std::vector<ui::StatusBar::Panel>{{300, Text(TextId::kRestartNotice)}});
  // Hints on this tab do not pop up; the status bar shows them instead.
  sheet.ShowHintsIn(status_bar_.get());

  for (const SettingEntry& entry : kSettingCatalogue) {
    const Setting setting = entry.setting;
    auto handler = [this, setting] { return WriteSetting(setting); };
    if (setting == Setting::kAGPSpeed) {
      AGPSpeed().on_click = handler;
    } else {
      box(setting).on_click = handler;
    }
  }
}

ui::CheckBox& RegistryTab::box(Setting setting) const {
  return static_cast<ui::CheckBox&>(*controls_[static_cast<std::size_t>(setting)]);
}

ui::RadioGroup& RegistryTab::AGPSpeed() const {
  return static_cast<ui::RadioGroup&>(*controls_[static_cast<std::size_t>(Setting::kAGPSpeed)]);
}

ui::GroupBox& RegistryTab::group(SettingGroup group) const { return *groups_[GroupIndex(group)]; }

Status RegistryTab::WriteSetting(Setting setting) {
  const int state = setting == Setting::kAGPSpeed ? AGPSpeed().item_index()
                                                  : static_cast<int>(box(setting).checked());
  return WriteSettingValue(store_, settings_key_, setting, state);
}

Status WriteSettingValue(RegistryStore& store, const std::string& settings_key, Setting setting,
                         int state) {
  const SettingEntry& entry = EntryOf(setting);
  const auto location = Locate(entry.key, settings_key);
  if (!location) return Status::Ok();  // no driver: nowhere to write
  if (setting == Setting::kAGPSpeed &&
      (state < 0 || state >= static_cast<int>(kAgpSpeedItems.size()))) {
    return Status::Ok();
  }
  Registry registry(store);
  registry.SetRoot(location->root);
  registry.OpenKey(location->path, true);
  return WriteSettingState(registry, setting, state);
}

Status WriteSettingState(Registry& registry, Setting setting, int state) {
  const SettingEntry& entry = EntryOf(setting);
  if (setting == Setting::kAGPSpeed) {
    return registry.WriteString(entry.value, kAgpSpeedItems[state].value);
  }
  if (entry.type == SettingType::kInteger) return registry.WriteInteger(entry.value, state);
  return registry.WriteString(entry.value, state ? "1" : "0");
}

Status RegistryTab::SetFromValue(Setting setting, int value) {
  if (setting == Setting::kAGPSpeed) return AGPSpeed().SetItemIndex(value);
  return box(setting).SetChecked(value == 1);
}

Status RegistryTab::LoadPowerDesk(Registry& registry, LoadMode mode) {
  for (const Setting setting : kPowerDeskLoadOrder) {
    const std::string_view name = EntryOf(setting).value;
    if (!registry.ValueExists(name)) continue;
    ASSIGN_OR_RETURN(const std::int32_t value, registry.ReadInteger(name));
    RETURN_IF_ERROR(LoadCheck(box(setting), value == 1, mode));
  }
  return Status::Ok();
}

Status RegistryTab::LoadDriverSettings(Registry& registry, LoadMode mode) {
  if (settings_key_.empty()) return Status::Ok();
  SettingKeyCursor cursor(registry, settings_key_, /*create=*/false);
  cursor.Enter(SettingKey::kCpu);
  ASSIGN_OR_RETURN(const std::string flags, registry.ReadString(EntryOf(Setting::kAGPSpeed).value));
  if (mode == LoadMode::kAsUser) {
    RETURN_IF_ERROR(AGPSpeed().SetItemIndex(AgpSpeedItemFor(flags)));
  } else {
    AGPSpeed().SetItemIndexSilently(AgpSpeedItemFor(flags));
  }
  for (const LoadStep& step : kDriverLoadOrder) {
    cursor.Enter(step.key);
    ASSIGN_OR_RETURN(const std::string text, registry.ReadString(step.read_name));
    RETURN_IF_ERROR(LoadCheck(box(step.setting), text == "1", mode));
  }
  return Status::Ok();
}

Status RegistryTab::Reload() {
  Registry registry(store_);
  if (registry.OpenKeyReadOnly(kPowerDesk5Path)) {
    RETURN_IF_ERROR(LoadPowerDesk(registry, LoadMode::kShowOnly));
  }
  registry.SetRoot(RegistryRoot::kLocalMachine);
  return LoadDriverSettings(registry, LoadMode::kShowOnly);
}

void RegistryTab::DisableDriverSettings() {
  for (const SettingEntry& entry : kSettingCatalogue) {
    if (IsDriverSetting(entry.setting))
      controls_[static_cast<std::size_t>(entry.setting)]->SetEnabled(false);
  }
  status_bar_->SetPanelText(0, Text(TextId::kNoDriverNotice));
  // ...and says it again whenever the pointer leaves the controls.
  sheet_.SetHint(Text(TextId::kNoDriverNotice));
}

}  // namespace korvane
