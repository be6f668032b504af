#include "settings/game_form.h"

#include "registry/registry.h"
#include "text/texts.h"

namespace korvane {
namespace {

constexpr std::string_view kUnrealKey = "\\SOFTWARE\\Microsoft\\UnrealD3D";
constexpr std::string_view kNfs3Key = "\\Software\\Electronic Arts\\Need For Speed III";
constexpr std::string_view kForsakenKey = "\\Software\\Acclaim Entertainment\\Forsaken\\1.00";

// Forsaken keeps its screen size as two 2-byte values, high byte first.
constexpr std::uint8_t kWidth640[] = {0x02, 0x80};
constexpr std::uint8_t kHeight480[] = {0x01, 0xE0};
constexpr std::uint8_t kWidth640LowByte = 0x80;

using T = TextId;

}  // namespace

TGameForm::TGameForm(RegistryStore& store, ui::ErrorReporter& errors)
    : Form("GameForm", Text(T::kGameFormTitle), 194, 159, ui::BorderStyle::kToolWindow, errors),
      GroupBox1(*this, "GroupBox1", {3, 2, 188, 84}, Text(T::kUnrealFrame)),
      Truecolor(GroupBox1, "Truecolor", {6, 15, 180, 16}, Text(T::kTruecolor)),
      DoFlip(GroupBox1, "DoFlip", {6, 31, 180, 16}, Text(T::kDoFlip)),
      DoTrilinear(GroupBox1, "DoTrilinear", {6, 47, 180, 16}, Text(T::kDoTrilinear)),
      TriBufferUnreal(GroupBox1, "TriBufferUnreal", {6, 63, 180, 16}, Text(T::kGameTripleBuffer)),
      GroupBox3(*this, "GroupBox3", {3, 90, 188, 36}, Text(T::kNfs3Frame)),
      TriBufferNFS3(GroupBox3, "TriBufferNFS3", {6, 15, 180, 16}, Text(T::kGameTripleBuffer)),
      // Lies beyond the right edge: Forsaken's setting is not offered.
      GroupBox2(*this, "GroupBox2", {210, 4, 188, 36}, Text(T::kForsakenFrame)),
      VGAMode(GroupBox2, "VGAMode", {6, 15, 180, 16}, Text(T::kVgaMode)),
      Button1(*this, "Button1", {60, 132, 75, 23}, Text(T::kCloseCaption)),
      store_(store) {
  VGAMode.SetEnabled(false);
  on_show = [this] { return FormShow(); };
  Truecolor.on_click = [this] { return TruecolorClick(); };
  DoFlip.on_click = [this] { return DoFlipClick(); };
  DoTrilinear.on_click = [this] { return DoTrilinearClick(); };
  TriBufferUnreal.on_click = [this] { return TriBufferUnrealClick(); };
  TriBufferNFS3.on_click = [this] { return TriBufferNFS3Click(); };
  VGAMode.on_click = [this] { return VGAModeClick(); };
  Button1.on_click = [this] {
    Close();
    return Status::Ok();
  };
}

Status TGameForm::LoadBox(Registry& registry, std::string_view name, ui::CheckBox& box,
                          LoadMode mode) {
  if (!registry.ValueExists(name)) {
    box.SetEnabled(false);
    return Status::Ok();
  }
  ASSIGN_OR_RETURN(const std::int32_t value, registry.ReadInteger(name));
  if (value == 0 || value == 1) return LoadCheck(box, value == 1, mode);
  return Status::Ok();
}

Status TGameForm::Load(LoadMode mode) {
  Registry registry(store_);
  registry.SetRoot(RegistryRoot::kLocalMachine);

  registry.OpenKey(kNfs3Key, false);
  RETURN_IF_ERROR(LoadBox(registry, "Triple Buffer", TriBufferNFS3, mode));

  registry.OpenKey(kUnrealKey, false);
  RETURN_IF_ERROR(LoadBox(registry, "Truecolor", Truecolor, mode));
  RETURN_IF_ERROR(LoadBox(registry, "DoFlip", DoFlip, mode));
  if (registry.ValueExists("TripleBuffering")) {
    ASSIGN_OR_RETURN(const std::int32_t triple, registry.ReadInteger("TripleBuffering"));
    if (triple == 0 || triple == 1) {
      RETURN_IF_ERROR(LoadCheck(TriBufferUnreal, triple == 1, mode));
      // Showing the dialog makes flipping follow; a reload shows "DoFlip"
      // as stored.
      if (mode == LoadMode::kAsUser) RETURN_IF_ERROR(DoFlip.SetChecked(triple == 1));
    }
  } else {
    TriBufferUnreal.SetEnabled(false);
    DoFlip.SetEnabled(false);
  }
  RETURN_IF_ERROR(LoadBox(registry, "DoTrilinear", DoTrilinear, mode));

  registry.OpenKey(kForsakenKey, false);
  if (registry.ValueExists("ScreenWidth")) {
    // A value shorter than two bytes has no low byte: it reads as not 640.
    std::uint8_t width[2] = {0, 0};
    ASSIGN_OR_RETURN(const std::size_t length,
                     registry.ReadBinary("ScreenWidth", width, sizeof(width)));
    (void)length;
    RETURN_IF_ERROR(LoadCheck(VGAMode, width[1] == kWidth640LowByte, mode));
  } else {
    VGAMode.SetEnabled(true);
  }
  return Status::Ok();
}

Status TGameForm::WriteFlag(std::string_view key, std::string_view name, bool on) {
  Registry registry(store_);
  registry.SetRoot(RegistryRoot::kLocalMachine);
  registry.OpenKey(key, true);
  return registry.WriteInteger(name, on ? 1 : 0);
}

Status TGameForm::TruecolorClick() {
  return WriteFlag(kUnrealKey, "Truecolor", Truecolor.checked());
}

Status TGameForm::DoTrilinearClick() {
  return WriteFlag(kUnrealKey, "DoTrilinear", DoTrilinear.checked());
}

Status TGameForm::TriBufferNFS3Click() {
  return WriteFlag(kNfs3Key, "Triple Buffer", TriBufferNFS3.checked());
}

// Triple buffering needs page flipping: turning flipping off turns triple
// buffering off too.
Status TGameForm::DoFlipClick() {
  Registry registry(store_);
  registry.SetRoot(RegistryRoot::kLocalMachine);
  registry.OpenKey(kUnrealKey, true);
  if (DoFlip.checked()) return registry.WriteInteger("DoFlip", 1);
  RETURN_IF_ERROR(registry.WriteInteger("DoFlip", 0));
  if (TriBufferUnreal.checked()) {
    RETURN_IF_ERROR(TriBufferUnreal.SetChecked(false));
    RETURN_IF_ERROR(registry.WriteInteger("TripleBuffering", 0));
  }
  return Status::Ok();
}

// ...and turning triple buffering on turns flipping on.
Status TGameForm::TriBufferUnrealClick() {
  Registry registry(store_);
  registry.SetRoot(RegistryRoot::kLocalMachine);
  registry.OpenKey(kUnrealKey, true);
  const bool on = TriBufferUnreal.checked();
  RETURN_IF_ERROR(registry.WriteInteger("TripleBuffering", on ? 1 : 0));
  RETURN_IF_ERROR(registry.WriteInteger("DoFlip", on ? 1 : 0));
  return DoFlip.SetChecked(on);
}

// Only checking the box asks for 640 by 480: a showing that finds another
// width unchecks it, and must not undo the user's choice in the game.
Status TGameForm::VGAModeClick() {
  if (!VGAMode.checked()) return Status::Ok();
  Registry registry(store_);
  registry.SetRoot(RegistryRoot::kLocalMachine);
  registry.OpenKey(kForsakenKey, true);
  RETURN_IF_ERROR(registry.WriteBinary("ScreenWidth", kWidth640));
  return registry.WriteBinary("ScreenHeight", kHeight480);
}

}  // namespace korvane
