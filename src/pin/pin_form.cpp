#include "pin/pin_form.h"

#include <utility>
#include <vector>

#include "files/replace_file.h"
#include "pin/pin_difference.h"
#include "pin/pin_file.h"
#include "text/texts.h"

namespace korvane {
namespace {

// Left column and right column of the spinners.
constexpr int kLeft = 216;
constexpr int kRight = 360;
constexpr int kSpinnerStep = 24;

using T = TextId;

struct SpinnerField {
  TextId caption;
  int left;
  int top;
  std::size_t line;
  int offset;
  // The file stores the spinner's number divided by this.
  int divisor;
};

// A RAMDAC limit is one byte of 4 MHz steps: 1020 MHz is the most it holds.
constexpr int kRamdacMin = 200;
constexpr int kRamdacMax = 1020;
constexpr int kRamdacIncrement = 4;
constexpr int kCoreMin = 50;
constexpr int kCoreMax = 200;
constexpr std::size_t kRamdacSpinners = 6;

constexpr std::array<SpinnerField, 9> kSpinnerFields = {{
    {T::kSpinLimit, kLeft, 78, 19, 38, 4},
    {T::kSpinVga, kLeft, 78 + kSpinnerStep, 20, 39, 4},
    {T::kSpin8Bit, kLeft, 78 + 2 * kSpinnerStep, 21, 40, 4},
    {T::kSpin16Bit, kRight, 78, 22, 41, 4},
    {T::kSpin24Bit, kRight, 78 + kSpinnerStep, 23, 42, 4},
    {T::kSpin32Bit, kRight, 78 + 2 * kSpinnerStep, 24, 43, 4},
    {T::kSpinVga, kLeft, 170, 33, 55, 1},
    {T::kSpin2D, kLeft, 170 + kSpinnerStep, 37, 65, 1},
    {T::kSpin3D, kRight, 170, 41, 75, 1},
}};

// The lines the one-click rewrites replace: offset, size and each value.
struct OneClickLine {
  std::size_t line;
  int offset;
  int size;
  const char* max_value;
  const char* single_dual_value;
};

constexpr std::array<OneClickLine, 16> kOneClickLines = {{
    {14, 10, 2, "0x0700", "0x0300"},
    {19, 38, 1, "90", "75"},
    {20, 39, 1, "90", "75"},
    {21, 40, 1, "90", "75"},
    {22, 41, 1, "90", "75"},
    {23, 42, 1, "90", "75"},
    {24, 43, 1, "90", "75"},
    {33, 55, 1, "82", "82"},
    {34, 56, 1, "41", "41"},
    {36, 61, 4, "0x20049911", "0x24045491"},
    {37, 65, 1, "150", "126"},
    {38, 66, 1, "75", "63"},
    {40, 71, 4, "0x20049911", "0x24045491"},
    {41, 75, 1, "150", "126"},
    {42, 76, 1, "75", "63"},
    {44, 81, 4, "0x20049911", "0x24045491"},
}};

// The spinners' numbers after each rewrite: RAMDAC, VGA core, 2D and 3D core.
struct OneClickSpinners {
  int ramdac;
  int core_vga;
  int core_2d_3d;
};
constexpr OneClickSpinners kMaxSpinners = {360, 82, 150};
constexpr OneClickSpinners kSingleDualSpinners = {300, 82, 126};

constexpr int kSerialOffset = 12;
constexpr int kSerialSize = 16;
constexpr int kBoardTypeOffset = 10;
constexpr int kBoardTypeSize = 2;
constexpr const char* kBoardTypeValues[] = {"0x0700", "0x0300"};

// A caption without the colon it ends in: each of the spinners' ends in
// one, full-width in Japanese, where some are semicolons.
std::string_view WithoutLastCharacter(std::string_view caption) {
  std::size_t cut = caption.size();
  while (cut > 0 && (static_cast<unsigned char>(caption[--cut]) & 0xC0) == 0x80) {
  }
  return caption.substr(0, cut);
}

}  // namespace

TPINForm::Spinner::Spinner(ui::Container& parent, int number, const char* caption_text,
                           ui::Bounds at, int min, int max, int increment)
    : caption(parent, "SpinnerCaption" + std::to_string(number), {at.left, at.top + 3, 0, 0},
              caption_text),
      box(parent, "Edit" + std::to_string(number + 1), {at.left + 50, at.top, 42, 20},
          std::to_string(min)),
      arrows(parent, "UpDown" + std::to_string(number), {at.left + 92, at.top, 16, 20}, box, min,
             max, min),
      unit(parent, "SpinnerUnit" + std::to_string(number), {at.left + 110, at.top + 3, 0, 0},
           "MHz") {
  arrows.increment = increment;
}

TPINForm::TPINForm(const ChipTab& chip_tab, Dialogs& dialogs, FileSystem& files,
                   std::string work_folder, ui::ErrorReporter& errors)
    : Form("PINForm", Text(T::kPinFormTitle), 500, 330, ui::BorderStyle::kSingle, errors),
      memo1(*this, "memo1", {4, 4, 204, 322}, {}, /*read_only=*/false),
      Label1(*this, "Label1", {kLeft, 11, 0, 0}, Text(T::kPinModelCaption)),
      ComboBox1(*this, "ComboBox1", {256, 8, 240, 20}, {}),
      Label2(*this, "Label2", {kLeft, 38, 0, 0}, Text(T::kSerialNumberCaption)),
      Edit1(*this, "Edit1", {328, 35, 120, 20}, "XXX00000"),
      Label3(*this, "Label3", {kLeft, 62, 0, 0}, Text(T::kPinRamdacCaption)),
      Label4(*this, "Label4", {kLeft, 154, 0, 0}, Text(T::kPinClocksCaption)),
      spinners_([this] {
        std::array<std::unique_ptr<Spinner>, 9> made;
        for (std::size_t i = 0; i < made.size(); ++i) {
          const SpinnerField& field = kSpinnerFields[i];
          const bool ramdac = i < kRamdacSpinners;
          made[i] = std::make_unique<Spinner>(
              *this, static_cast<int>(i + 1), Text(field.caption),
              ui::Bounds{field.left, field.top}, ramdac ? kRamdacMin : kCoreMin,
              ramdac ? kRamdacMax : kCoreMax, ramdac ? kRamdacIncrement : 1);
        }
        return made;
      }()),
      GroupBox1(*this, "GroupBox1", {kLeft, 224, 280, 56}, Text(T::kOneClickFrame)),
      Button3(GroupBox1, "Button3", {12, 20, 122, 25}, Text(T::kMakeMax), Text(T::kMakeMaxHint)),
      Button4(GroupBox1, "Button4", {146, 20, 122, 25}, Text(T::kMakeSingleDual),
              Text(T::kMakeSingleDualHint)),
      Button2(*this, "Button2", {kLeft, 294, 136, 28}, Text(T::kSaveChanges),
              Text(T::kSaveChangesHint)),
      Button1(*this, "Button1", {kRight, 294, 136, 28}, Text(T::kCloseCaption),
              Text(T::kClosePinEditorHint)),
      chip_tab_(chip_tab),
      dialogs_(dialogs),
      files_(files),
      work_folder_(std::move(work_folder)) {
  // The field holds 16 bytes.
  Edit1.max_length = kSerialSize;

  on_show = [this] { return FormShow(); };
  Edit1.on_change = [this] { return Edit1Change(); };
  ComboBox1.on_change = [this] { return ComboBox1Change(); };
  for (std::size_t i = 0; i < spinners_.size(); ++i) {
    spinners_[i]->arrows.on_click = [this, i] { return UpDownClick(i); };
  }
  Button3.on_click = [this] { return Button3Click(); };
  Button4.on_click = [this] { return OneClickRewrite(false); };
  Button2.on_click = [this] { return Button2Click(); };
  Button1.on_click = [this] {
    Close();
    return Status::Ok();
  };
}

void TPINForm::Rewrite(std::size_t line, std::string text) {
  std::vector<std::string> lines = memo1.lines();
  RewriteLine(&lines, line, std::move(text));
  memo1.SetLines(std::move(lines));
}

Status TPINForm::FormShow() {
  const PinText& text = chip_tab_.pin().text;
  std::vector<std::string> lines;
  lines.reserve(text.size());
  for (const std::string& line : text) lines.push_back(files_.FromSystemText(line));
  memo1.SetLines(std::move(lines));

  ComboBox1.SetItems({kMaxBoardModel, chip_tab_.board_model()});
  ComboBox1.SetItemIndex(chip_tab_.ModelName().caption() == kMaxBoardModel ? 0 : 1);

  // The tab shows only the serial's first 8 characters; the box takes all
  // of it, so that its line is written back as it was.
  RETURN_IF_ERROR(
      Edit1.SetText(files_.FromSystemText(SerialText(LineAt(text, kSerialNumberLine)))));

  const ChipFigures& figures = chip_tab_.pin().figures;
  for (std::size_t i = 0; i < spinners_.size(); ++i) {
    const std::optional<int> mhz =
        i < kRamdacSpinners ? figures.RamdacMHz[i] : figures.CoreClockMHz[i - kRamdacSpinners];
    RETURN_IF_ERROR(spinners_[i]->arrows.SetPosition(mhz.value_or(0)));
  }
  return Status::Ok();
}

Status TPINForm::Edit1Change() {
  Rewrite(kSerialNumberLine, FieldLine(kSerialOffset, kSerialSize, "'" + Edit1.text() + "'"));
  return Status::Ok();
}

Status TPINForm::ComboBox1Change() {
  const int entry = ComboBox1.item_index();
  if (entry != 0 && entry != 1) return Status::Ok();
  Rewrite(kBoardTypeLine, FieldLine(kBoardTypeOffset, kBoardTypeSize, kBoardTypeValues[entry]));
  return Status::Ok();
}

Status TPINForm::UpDownClick(std::size_t index) {
  const SpinnerField& field = kSpinnerFields[index];
  const int value = spinners_[index]->arrows.position() / field.divisor;
  Rewrite(field.line, FieldLine(field.offset, 1, std::to_string(value)));
  return Status::Ok();
}

Status TPINForm::OneClickRewrite(bool max) {
  std::vector<std::string> lines = memo1.lines();
  for (const OneClickLine& line : kOneClickLines) {
    RewriteLine(&lines, line.line,
                FieldLine(line.offset, line.size, max ? line.max_value : line.single_dual_value));
  }
  memo1.SetLines(std::move(lines));

  // The lines are written: setting the controls runs none of their handlers.
  const OneClickSpinners& numbers = max ? kMaxSpinners : kSingleDualSpinners;
  ComboBox1.SetItemIndex(max ? 0 : 1);
  for (std::size_t i = 0; i < spinners_.size(); ++i) {
    const int number = i < kRamdacSpinners    ? numbers.ramdac
                       : i == kRamdacSpinners ? numbers.core_vga
                                              : numbers.core_2d_3d;
    RETURN_IF_ERROR(spinners_[i]->arrows.SetPosition(number));
  }
  return Status::Ok();
}

// A MAX's clocks on another card may be more than its memory takes.
Status TPINForm::Button3Click() {
  if (chip_tab_.pin().figures.BoardTypeDigit != kMaxBoardTypeDigit &&
      dialogs_.Message(Text(T::kMaxOnOtherCard), Text(T::kQuestionCaption),
                       MessageButtons::kOkCancel, MessageIcon::kWarning) != MessageAnswer::kOk) {
    return Status::Ok();
  }
  return OneClickRewrite(true);
}

// The card maker's tool flashes what is saved: first what it would change
// on the card, and nothing saved that is no PIN file.
Result<bool> TPINForm::ConfirmDifferences() {
  PinText card;
  for (const std::string& line : chip_tab_.pin().text) card.push_back(files_.FromSystemText(line));
  ASSIGN_OR_RETURN(const std::vector<std::string> differences,
                   PinDifferences(card, memo1.lines(), chip_tab_.SecondaryCaption().enabled(),
                                  chip_tab_.board_model()));
  if (card.empty() || differences.empty()) return true;
  constexpr std::size_t kShown = 20;
  std::string told;
  for (std::size_t i = 0; i < differences.size() && i < kShown; ++i) {
    if (i > 0) told += '\n';
    told += differences[i];
  }
  if (differences.size() > kShown) {
    told += '\n' + Format(T::kPinDiffMore, {std::to_string(differences.size() - kShown)});
  }
  return dialogs_.Message(Format(T::kPinDiffQuestion, {told}), Text(T::kQuestionCaption),
                          MessageButtons::kOkCancel, MessageIcon::kWarning) == MessageAnswer::kOk;
}

Status TPINForm::TakeTypedNumbers() {
  // A number typed into a box counts as an arrow's would; anything else in
  // a box is not saved in its place.
  for (std::size_t i = 0; i < spinners_.size(); ++i) {
    ui::UpDown& arrows = spinners_[i]->arrows;
    const int was = arrows.position();
    if (arrows.ReadPosition() != was) {
      RETURN_IF_ERROR(arrows.on_click());
    } else if (arrows.associate().text() != std::to_string(was)) {
      // Named with its heading: two boxes are "VGA".
      std::string name = WithoutCaptionColon(
          Text(i < kRamdacSpinners ? T::kPinRamdacCaption : T::kPinClocksCaption));
      name += ' ';
      name += WithoutLastCharacter(spinners_[i]->caption.caption());
      return Status::Error(Format(
          T::kPinBoxRange, {name, std::to_string(arrows.min()), std::to_string(arrows.max())}));
    }
  }
  // The card's BIOS tool writes the serial into 16 bytes.
  const int serial_bytes = static_cast<int>(files_.ToSystemText(Edit1.text()).size());
  if (serial_bytes > kSerialSize) {
    return Status::Error(Format(T::kSerialTooLong, {std::to_string(serial_bytes)}));
  }
  return Status::Ok();
}

Status TPINForm::Button2Click() {
  RETURN_IF_ERROR(TakeTypedNumbers());
  // Nothing less than a whole dump is saved as a PIN file.
  ChipFigures figures;
  RETURN_IF_ERROR(DecodeWholePinFile(
      memo1.lines(), chip_tab_.SecondaryCaption().enabled(),
      [](std::string_view text) { return std::string(text); }, &figures,
      [](std::size_t line) {
        return Status::Error(Format(T::kPinTextNotWhole, {std::to_string(line)}));
      }));
  ASSIGN_OR_RETURN(const bool confirmed, ConfirmDifferences());
  if (!confirmed) return Status::Ok();
  FileDialogOptions options;
  options.title = Text(T::kSavePinTitle);
  options.filter = Text(T::kSavePinFilter);
  options.default_extension = ".txt";
  options.file_name = "custom.txt";
  const auto chosen = dialogs_.SaveFile(options);
  if (!chosen) return Status::Ok();
  return ReplaceFile(files_, work_folder_, *chosen, files_.ToSystemText(JoinLines(memo1.lines())));
}

}  // namespace korvane
