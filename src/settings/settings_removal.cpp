#include "settings/settings_removal.h"

#include <array>
#include <string_view>

#include "registry/registry.h"
#include "text/information_box.h"
#include "text/texts.h"

namespace korvane {
namespace {

struct RemovalStep {
  SettingKey key;
  std::string_view name;
  // Written as a string when set; deleted when null.
  const char* text;
};

// In order; each run of steps on one key goes through one opening, made
// without create.
constexpr auto kRemovalSteps = std::to_array<RemovalStep>({
    {SettingKey::kCpu, "AGPFlags", "1"},
    {SettingKey::kCpu, "AGP", nullptr},
    {SettingKey::kCpu, "MMX", nullptr},
    {SettingKey::kCpu, "WriteCombining", nullptr},
    {SettingKey::kCpu, "Use3DNow", "0"},
    {SettingKey::kDirectX, "AGPExecuteModel", nullptr},
    {SettingKey::kDirectX, "MipMapping", nullptr},
    {SettingKey::kDirectX, "Fogging", nullptr},
    {SettingKey::kDirectX, "FlipOnVblank", nullptr},
    {SettingKey::kDirectX, "YUVFiltering", nullptr},
    {SettingKey::kDirectX, "Anisotropic", nullptr},
    {SettingKey::kDirectX, "PalettizedTextures", nullptr},
    {SettingKey::kDirectX, "D3DRendering", nullptr},
    {SettingKey::kDirectX, "32BitZ", nullptr},
    {SettingKey::kDirectX, "UseTripleBuffering", nullptr},
    {SettingKey::kDirectX, "AntiAlias", nullptr},
    {SettingKey::kDirectX, "TableFog", nullptr},
    {SettingKey::kDirectX, "CinepakAsYUV", nullptr},
    {SettingKey::kDirectX, "YUVFastBlit", nullptr},
    {SettingKey::kDirectX, "IndeoasYUV", nullptr},
    {SettingKey::kEngine, "BusMastering", nullptr},
    {SettingKey::kEngine, "PaletteSync", nullptr},
    {SettingKey::kDac, "HicolorMode", nullptr},
    {SettingKey::kGdi, "FontsCaching", nullptr},
    {SettingKey::kGdi, "AlternateFillPolygons", nullptr},
    {SettingKey::kGdi, "DeviceBitmapsCaching", nullptr},
    {SettingKey::kGdi, "Circles", nullptr},
    {SettingKey::kGdi, "Rectangles", nullptr},
    {SettingKey::kGdi, "Ellipses", nullptr},
    {SettingKey::kMonitor, "ForceDDC", nullptr},
    {SettingKey::kPowerDesk5, "ShowMeAllMatrox", nullptr},
});

struct Reset {
  Setting setting;
  bool checked;
};

// The states that stand for the driver's defaults, in the order they are set.
constexpr auto kResets = std::to_array<Reset>({
    {Setting::kAnalogJoy, false},   {Setting::kDDC, false},        {Setting::kHighcolor, false},
    {Setting::kPowerdesk, false},   {Setting::kCircles, true},     {Setting::kRect, true},
    {Setting::kEllipses, true},     {Setting::kFontcash, true},    {Setting::kPaletsync, false},
    {Setting::kFastbilt, false},    {Setting::kCirsor, false},     {Setting::kDithering, true},
    {Setting::kVsync, true},        {Setting::kAgp, false},        {Setting::kMmx, false},
    {Setting::kBusmaster, false},   {Setting::kComwrite, false},   {Setting::kDevice, true},
    {Setting::kPorigon, true},      {Setting::kToc, false},        {Setting::kFilter, false},
    {Setting::kD3drender, true},    {Setting::kZbuff, false},      {Setting::kMIPMAP, false},
    {Setting::kAnisotropic, false}, {Setting::kPalettized, false}, {Setting::kVirtualDesk, false},
    {Setting::kAntiAlias, false},   {Setting::kTableFog, false},   {Setting::kTriple, false},
    {Setting::kCinepac, false},     {Setting::kDNow, false},       {Setting::kFogging, false},
    {Setting::kAGPExecute, false},  {Setting::kIndeo, false},
});

}  // namespace

Status RemoveSettings(RegistryStore& store, Dialogs& dialogs, RegistryTab& tab,
                      const std::string& settings_key) {
  if (settings_key.empty()) return Status::Ok();
  if (dialogs.Message(Text(TextId::kRemoveQuestion), Text(TextId::kQuestionCaption),
                      MessageButtons::kOkCancel, MessageIcon::kNone) != MessageAnswer::kOk) {
    return Status::Ok();
  }

  Registry registry(store);
  SettingKeyCursor cursor(registry, settings_key, /*create=*/false);
  for (const RemovalStep& step : kRemovalSteps) {
    cursor.Enter(step.key);
    if (step.text) {
      RETURN_IF_ERROR(registry.WriteString(step.name, step.text));
    } else {
      RETURN_IF_ERROR(registry.DeleteValue(step.name));
    }
  }
  registry.CloseKey();

  for (const Reset& reset : kResets) {
    RETURN_IF_ERROR(tab.box(reset.setting).SetChecked(reset.checked));
  }
  // "AGPFlags" now holds "1": show it, or a click on the item still shown
  // would change nothing. The write-back stores the same "1".
  RETURN_IF_ERROR(tab.AGPSpeed().SetItemIndex(kAgpAutomatic));
  // Told only once it has happened: a failed write shows its error alone.
  Inform(dialogs, Text(TextId::kRemoved));
  return Status::Ok();
}

}  // namespace korvane
