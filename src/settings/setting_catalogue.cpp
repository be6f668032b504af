#include "settings/setting_catalogue.h"

#include "registry/registry.h"

namespace korvane {

const std::string_view kPowerDesk5Path = "\\Software\\Matrox\\PowerDesk\\Version5\\CurrentSettings";
const std::string_view kPowerDeskCurrentPath = "\\Software\\Matrox\\PowerDesk\\Current Settings";

namespace {
using S = Setting;
using G = SettingGroup;
using K = SettingKey;
constexpr SettingType kStr = SettingType::kString;
constexpr SettingType kInt = SettingType::kInteger;
}  // namespace

namespace {
// clang-format off
constexpr std::array<SettingEntry, kSettingCount> kCatalogue = {{
  {S::kPowerdesk, "Powerdesk", "PowerDeskに裏設定を表示させる", "PowerdeskにAdvancedSettingを表示させる。", G::kGeneral, K::kPowerDesk5, "ShowMeAllMatrox", kInt},
  {S::kDDC, "DDC", "DDCの影響を強くする", "PowerDeskのMonitorの設定を無効にする。", G::kGeneral, K::kMonitor, "ForceDDC", kStr},
  {S::kHighcolor, "Highcolor", "ハイカラーモード", "ハイカラーモードを有効にする。", G::kGeneral, K::kDac, "HicolorMode", kStr},
  {S::kTasktrey, "tasktrey", "タスクトレイにQuickDeskを常駐。", "タスクトレイにQuickdeskを常駐するかどうかの設定", G::kGeneral, K::kPowerDesk5, "LaunchQuickDesk", kInt},
  {S::kBusmaster, "busmaster", "バス マスタリングを行う", "バスマスター転送を使用(通常はOnのままで使用)", G::kGeneral, K::kEngine, "BusMastering", kStr},
  {S::kCircles, "Circles", "円の描画", "円の描画を高速化させる。", G::kGdi, K::kGdi, "Circles", kStr},
  {S::kRect, "rect", "長方形の描画", "長方形の描画を高速化させる。", G::kGdi, K::kGdi, "Rectangles", kStr},
  {S::kEllipses, "Ellipses", "長円､楕円の描画", "長円､楕円の描画を高速化させる。", G::kGdi, K::kGdi, "Ellipses", kStr},
  {S::kFontcash, "fontcash", "フォントをキャッシュリングする", "フォントをキャッシングさせて高速にテキストを扱う。", G::kGdi, K::kGdi, "FontsCaching", kStr},
  {S::kPorigon, "porigon", "ポリゴンの描画を高速化する", "ポリゴンの描画を高速化する", G::kGdi, K::kGdi, "AlternateFillPolygons", kStr},
  {S::kDevice, "device", "DeviceBitmapsをキャッシング", "DeviceBitmapsをキャッシング", G::kGdi, K::kGdi, "DeviceBitmapsCaching", kStr},
  {S::kPaletsync, "Paletsync", "パレットを同期させる", "グラフィックメモリーに書き込むパレットを同期させる。", G::kGdi, K::kEngine, "PaletteSync", kStr},
  {S::kMIPMAP, "MIPMAP", "Mip Mappingフィルタ", "Mip Mappingフィルタ使用するか", G::kD3DFilter, K::kDirectX, "MipMapping", kStr},
  {S::kAnisotropic, "anisotropic", "Anisotropicフィルタ", "Anisotropicフィルタを使うかどうかの設定", G::kD3DFilter, K::kDirectX, "Anisotropic", kStr},
  {S::kAntiAlias, "AntiAlias", "AntiAliasフィルタ", "AntiAliasフィルタを使うかどうかの設定", G::kD3DFilter, K::kDirectX, "AntiAlias", kStr},
  {S::kTableFog, "TableFog", "Table Fogフィルタ", "Table Fogフィルタを使うかどうかの設定", G::kD3DFilter, K::kDirectX, "TableFog", kStr},
  {S::kFogging, "Fogging", "Foggingフィルタ", "Foggingフォルタを使用する", G::kD3DFilter, K::kDirectX, "Fogging", kStr},
  {S::kAgp, "agp", "AGPを使用", "AGPを使用する。", G::kSystem, K::kCpu, "AGP", kStr},
  {S::kMmx, "mmx", "MMXの使用", "MMXを使用する。", G::kSystem, K::kCpu, "MMX", kStr},
  {S::kDNow, "DNow", "3D Now!の使用", "3DNow!を使用する。(K6-2/K6-III/WinChip2のみの設定)", G::kSystem, K::kCpu, "Use3DNow", kStr},
  {S::kComwrite, "comwrite", "結合書き込みを使用", "結合書き込みを使用(PentiumPro/II/III/Celeron専用の設定です)", G::kSystem, K::kCpu, "WriteCombining", kStr},
  {S::kAGPSpeed, "AGPSpeed", "AGPの速度設定", "AGPの速度を決定する。(Socket7ユーザーで動作が不安定な人は1xでご使用ください)", G::kSystem, K::kCpu, "AGPFlags", kStr},
  {S::kFastbilt, "fastbilt", "高速転送を使用する", "高速転送を使用する。", G::kD3DGen, K::kDirectX, "YUVFastBlit", kStr},
  {S::kFilter, "filter", "拡大表示時にフィルタリングを行う", "拡大表示時にフィルタリングを行う", G::kD3DGen, K::kDirectX, "YUVFiltering", kStr},
  {S::kD3drender, "d3drender", "Direct3Dでレンダリングをする", "Direct3Dでレンダリングをする", G::kD3DGen, K::kDirectX, "D3DRendering", kStr},
  {S::kZbuff, "zbuff", "深度32BitのZBufferを使用する", "32Bitカラー時、ZBufferを16Bitか32Bitにするかの設定", G::kD3DGen, K::kDirectX, "32BitZ", kStr},
  {S::kPalettized, "palettized", "テクスチャパレットを有効にする", "Palettized Texturesを有効にする", G::kD3DGen, K::kDirectX, "PalettizedTextures", kStr},
  {S::kTriple, "triple", "トリプルバッファリングを使用", "トリプルバッファを使用する。", G::kD3DGen, K::kDirectX, "UseTripleBuffering", kStr},
  {S::kIndeo, "indeo", "Indeoムービーを拡大表示", "Indeoビデオ再生時拡大表示に対応させる", G::kD3DGen, K::kDirectX, "IndeoAsYUV", kStr},
  {S::kCinepac, "cinepac", "Cinepakムービーを拡大表示", "Cinepacビデオ再生時拡大表示に対応させる", G::kD3DGen, K::kDirectX, "CinepakAsYUV", kStr},
  {S::kVsync, "vsync", "垂直回期中にページフリップする", "この設定をoffにするとDirectDrawが高速化します。", G::kD3DGen, K::kDirectX, "FlipOnVBlank", kStr},
  {S::kAGPExecute, "AGPExecute", "AGP ExecuteModelを使用する。", "システムメモリの一部をAGPのテクスチャとして割り当てます。", G::kD3DGen, K::kDirectX, "AGPExecuteModel", kStr},
  {S::kToc, "toc", "テクスチャを圧縮して使用", "テクスチャを圧縮して使用", G::kHidden, K::kDirectX, "SplitMode", kStr},
  {S::kDithering, "dithering", "ディザリングを有効にする", "ディザリングを有効にする。", G::kHidden, K::kPowerDeskCurrent, "ColorDithering", kStr},
  {S::kCirsor, "cirsor", "カーソルの形を同期させる", "カーソルの形を同期させる。", G::kHidden, K::kPowerDeskCurrent, "CursorShapeSync", kStr},
  {S::kVirtualDesk, "VirtualDesk", "仮想デスクトップを使用", "Windows98使用時仮想デスクトップを使用するかどうか？(PowerDesk Ver.4.51以降)", G::kHidden, K::kPowerDeskCurrent, "Win98 Virtual", kStr},
  {S::kTVout, "TVout", "TV Outを使用する。", "Mystique G200､Marvel G200専用の設定。TV Out機能を使用するかの設定", G::kHidden, K::kPowerDeskCurrent, "TVOutput", kStr},
  {S::kAnalogJoy, "AnalogJoy", "アナログジョイスティック対応", "アナログジョイスティックを使用する。", G::kHidden, K::kProgram, "Analog Joystick", kStr},
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
    {"自動設定", "1"},
}};

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

}  // namespace korvane
