#include "settings/setting_catalogue.h"

#include "registry/registry.h"
#include "text/texts.h"

namespace korvane {

const std::string_view kPowerDesk5Path = "\\Software\\Matrox\\PowerDesk\\Version5\\CurrentSettings";
const std::string_view kPowerDeskCurrentPath = "\\Software\\Matrox\\PowerDesk\\Current Settings";

namespace {
using S = Setting;
using G = SettingGroup;
using K = SettingKey;
using T = TextId;
constexpr SettingType kStr = SettingType::kString;
constexpr SettingType kInt = SettingType::kInteger;
}  // namespace

namespace {
// clang-format off
constexpr std::array<SettingEntry, kSettingCount> kCatalogue = {{
  {S::kPowerdesk, "Powerdesk", T::kPowerdesk, T::kPowerdeskHint, G::kGeneral, K::kPowerDesk5, "ShowMeAllMatrox", kInt},
  {S::kDDC, "DDC", T::kDDC, T::kDDCHint, G::kGeneral, K::kMonitor, "ForceDDC", kStr},
  {S::kHighcolor, "Highcolor", T::kHighcolor, T::kHighcolorHint, G::kGeneral, K::kDac, "HicolorMode", kStr},
  {S::kTasktrey, "tasktrey", T::kTasktrey, T::kTasktreyHint, G::kGeneral, K::kPowerDesk5, "LaunchQuickDesk", kInt},
  {S::kBusmaster, "busmaster", T::kBusmaster, T::kBusmasterHint, G::kGeneral, K::kEngine, "BusMastering", kStr},
  {S::kCircles, "Circles", T::kCircles, T::kCirclesHint, G::kGdi, K::kGdi, "Circles", kStr},
  {S::kRect, "rect", T::kRect, T::kRectHint, G::kGdi, K::kGdi, "Rectangles", kStr},
  {S::kEllipses, "Ellipses", T::kEllipses, T::kEllipsesHint, G::kGdi, K::kGdi, "Ellipses", kStr},
  {S::kFontcash, "fontcash", T::kFontcash, T::kFontcashHint, G::kGdi, K::kGdi, "FontsCaching", kStr},
  {S::kPorigon, "porigon", T::kPorigon, T::kPorigonHint, G::kGdi, K::kGdi, "AlternateFillPolygons", kStr},
  {S::kDevice, "device", T::kDevice, T::kDeviceHint, G::kGdi, K::kGdi, "DeviceBitmapsCaching", kStr},
  {S::kPaletsync, "Paletsync", T::kPaletsync, T::kPaletsyncHint, G::kGdi, K::kEngine, "PaletteSync", kStr},
  {S::kMIPMAP, "MIPMAP", T::kMIPMAP, T::kMIPMAPHint, G::kD3DFilter, K::kDirectX, "MipMapping", kStr},
  {S::kAnisotropic, "anisotropic", T::kAnisotropic, T::kAnisotropicHint, G::kD3DFilter, K::kDirectX, "Anisotropic", kStr},
  {S::kAntiAlias, "AntiAlias", T::kAntiAlias, T::kAntiAliasHint, G::kD3DFilter, K::kDirectX, "AntiAlias", kStr},
  {S::kTableFog, "TableFog", T::kTableFog, T::kTableFogHint, G::kD3DFilter, K::kDirectX, "TableFog", kStr},
  {S::kFogging, "Fogging", T::kFogging, T::kFoggingHint, G::kD3DFilter, K::kDirectX, "Fogging", kStr},
  {S::kAgp, "agp", T::kAgp, T::kAgpHint, G::kSystem, K::kCpu, "AGP", kStr},
  {S::kMmx, "mmx", T::kMmx, T::kMmxHint, G::kSystem, K::kCpu, "MMX", kStr},
  {S::kDNow, "DNow", T::kDNow, T::kDNowHint, G::kSystem, K::kCpu, "Use3DNow", kStr},
  {S::kComwrite, "comwrite", T::kComwrite, T::kComwriteHint, G::kSystem, K::kCpu, "WriteCombining", kStr},
  {S::kAGPSpeed, "AGPSpeed", T::kAGPSpeed, T::kAGPSpeedHint, G::kSystem, K::kCpu, "AGPFlags", kStr},
  {S::kFastbilt, "fastbilt", T::kFastbilt, T::kFastbiltHint, G::kD3DGen, K::kDirectX, "YUVFastBlit", kStr},
  {S::kFilter, "filter", T::kFilter, T::kFilterHint, G::kD3DGen, K::kDirectX, "YUVFiltering", kStr},
  {S::kD3drender, "d3drender", T::kD3drender, T::kD3drenderHint, G::kD3DGen, K::kDirectX, "D3DRendering", kStr},
  {S::kZbuff, "zbuff", T::kZbuff, T::kZbuffHint, G::kD3DGen, K::kDirectX, "32BitZ", kStr},
  {S::kPalettized, "palettized", T::kPalettized, T::kPalettizedHint, G::kD3DGen, K::kDirectX, "PalettizedTextures", kStr},
  {S::kTriple, "triple", T::kTriple, T::kTripleHint, G::kD3DGen, K::kDirectX, "UseTripleBuffering", kStr},
  {S::kIndeo, "indeo", T::kIndeo, T::kIndeoHint, G::kD3DGen, K::kDirectX, "IndeoAsYUV", kStr},
  {S::kCinepac, "cinepac", T::kCinepac, T::kCinepacHint, G::kD3DGen, K::kDirectX, "CinepakAsYUV", kStr},
  {S::kVsync, "vsync", T::kVsync, T::kVsyncHint, G::kD3DGen, K::kDirectX, "FlipOnVBlank", kStr},
  {S::kAGPExecute, "AGPExecute", T::kAGPExecute, T::kAGPExecuteHint, G::kD3DGen, K::kDirectX, "AGPExecuteModel", kStr},
  {S::kToc, "toc", T::kToc, T::kTocHint, G::kHidden, K::kDirectX, "SplitMode", kStr},
  {S::kDithering, "dithering", T::kDithering, T::kDitheringHint, G::kHidden, K::kPowerDeskCurrent, "ColorDithering", kStr},
  {S::kCirsor, "cirsor", T::kCirsor, T::kCirsorHint, G::kHidden, K::kPowerDeskCurrent, "CursorShapeSync", kStr},
  {S::kVirtualDesk, "VirtualDesk", T::kVirtualDesk, T::kVirtualDeskHint, G::kHidden, K::kPowerDeskCurrent, "Win98 Virtual", kStr},
  {S::kTVout, "TVout", T::kTVout, T::kTVoutHint, G::kHidden, K::kPowerDeskCurrent, "TVOutput", kStr},
  {S::kAnalogJoy, "AnalogJoy", T::kAnalogJoy, T::kAnalogJoyHint, G::kHidden, K::kProgram, "Analog Joystick", kStr},
}};
// clang-format on

// EntryOf() indexes the table by setting.
constexpr bool InSettingOrder(const std::array<SettingEntry, kSettingCount>& catalogue) {
  for (std::size_t i = 0; i < kSettingCount; ++i) {
    if (static_cast<std::size_t>(catalogue[i].setting) != i) return false;
  }
  return true;
}
static_assert(InSettingOrder(kCatalogue));

}  // namespace

const std::array<SettingEntry, kSettingCount> kSettingCatalogue = kCatalogue;

const std::array<AgpSpeedItem, 4> kAgpSpeedItems = {{
    {"AGP 1x", "0"},
    {"AGP 2x", "-1"},
    {"AGP 4x", "-2"},
    {"", "1"},
}};

std::string AgpSpeedCaption(const AgpSpeedItem& item) {
  return item.text.empty() ? std::string(Text(TextId::kAgpAutomatic)) : std::string(item.text);
}

int AgpSpeedItemFor(std::string_view flags) {
  for (int i = 0; i < kAgpAutomatic; ++i) {
    if (flags == kAgpSpeedItems[i].value) return i;
  }
  return kAgpAutomatic;
}

std::optional<KeyLocation> Locate(SettingKey key, const std::string& settings_key) {
  switch (key) {
    case SettingKey::kPowerDesk5:
      return KeyLocation{RegistryRoot::kCurrentUser, std::string(kPowerDesk5Path)};
    case SettingKey::kPowerDeskCurrent:
      return KeyLocation{RegistryRoot::kLocalMachine, std::string(kPowerDeskCurrentPath)};
    case SettingKey::kProgram:
      return KeyLocation{RegistryRoot::kLocalMachine, std::string(kProgramKeyPath)};
    case SettingKey::kCpu:
    case SettingKey::kDirectX:
    case SettingKey::kEngine:
    case SettingKey::kDac:
    case SettingKey::kGdi:
    case SettingKey::kMonitor:
      break;
  }
  if (settings_key.empty()) return std::nullopt;
  static constexpr std::string_view kSubKeys[] = {"\\CPU", "\\DirectX", "\\Engine",
                                                  "\\DAC", "\\GDI",     "\\Monitor"};
  const auto index = static_cast<int>(key) - static_cast<int>(SettingKey::kCpu);
  return KeyLocation{RegistryRoot::kLocalMachine, settings_key + std::string(kSubKeys[index])};
}

void SettingKeyCursor::Enter(SettingKey key) {
  if (current_ == key) return;
  current_ = key;
  const auto location = Locate(key, settings_key_);
  if (!location) return;
  registry_.SetRoot(location->root);
  registry_.OpenKey(location->path, create_);
}

Status LoadCheck(ui::CheckBox& box, bool checked, LoadMode mode) {
  if (mode == LoadMode::kAsUser) return box.SetChecked(checked);
  box.SetCheckedSilently(checked);
  return Status::Ok();
}

}  // namespace korvane
