#include "pin/chip_tab.h"

#include <utility>

#include "files/file_errors.h"
#include "files/paths.h"
#include "files/replace_file.h"
#include "pin/bios_image.h"
#include "platform/dialogs.h"
#include "platform/file_system.h"
#include "platform/processes.h"
#include "text/information_box.h"
#include "text/texts.h"

namespace korvane {

const char kBiosDownloadAddress[] = "ftp://ftp.matrox.com/pub/mga/unified/bios/bios_104.exe";

namespace {

constexpr char kPinsBatch[] = "pins.bat";
constexpr char kPinOutput[] = "mypins.txt";
// The last dump, kept beside it while a new one is made.
constexpr char kPinBackup[] = "mypins.bak";
constexpr char kDosExtender[] = "dos4gw.exe";
constexpr std::uint32_t kToolWaitSliceMs = 1000;
constexpr char kSingleHead[] = "Matrox Millennium G400 SingleHead";

constexpr char kRevisionPrefix[] = "MGA-G400A-";
constexpr std::string_view kRevisionLetters = "ABCDEFG";
constexpr std::size_t kRevisionLine = 7;  // of the clock tool's report, counted from 1
constexpr std::size_t kRevisionFirst = 4;
constexpr std::size_t kRevisionLast = 7;

using T = TextId;

// Layout, in pixels of the page.
constexpr int kCaptionLeft = 10;
constexpr int kValueLeft = 122;
constexpr int kSecondCaptionLeft = 232;
constexpr int kSecondValueLeft = 336;
constexpr int kRamdacLeft = 84;
constexpr int kRamdacStep = 54;
constexpr int kClockLeft = 150;
constexpr int kClockStep = 80;
constexpr int kLineStep = 16;

struct Heading {
  TextId caption;
  TextId hint;
};

constexpr std::array<Heading, 6> kRamdacColumns = {{
    {T::kRamdacLimit, T::kRamdacLimitHint},
    {T::kVgaHeading, T::kVgaClockHint},
    {T::k8BitHeading, T::k8BitClockHint},
    {T::k16BitHeading, T::k16BitClockHint},
    {T::k24BitHeading, T::k24BitClockHint},
    {T::k32BitHeading, T::k32BitClockHint},
}};
// The secondary output's two cells stand under "16Bit" and "32Bit".
constexpr std::array<std::size_t, 2> kSecondaryColumns = {3, 5};

constexpr std::array<Heading, 3> kClockColumns = {{
    {T::kVgaHeading, T::kVgaClockHint},
    {T::k2DScreen, T::k2DScreenHint},
    {T::k3DScreen, T::k3DScreenHint},
}};

constexpr char kUnknownMHz[] = "???MHz";

ui::TextStyle Bold(ui::Colour colour = ui::kDefaultColour) {
  ui::TextStyle style;
  style.bold = true;
  style.colour = colour;
  return style;
}

std::string Indexed(const char* name, std::size_t index) {
  return std::string(name) + "[" + std::to_string(index) + "]";
}

Status NothingWrittenError(std::string_view path) {
  return Status::Error(Format(T::kNoPinWritten, {path}));
}

// The fields in the order the decode fills them.
constexpr std::array<std::pair<PinField, std::size_t>, 15> kShownFields = {{
    {PinField::kBiosVersion, 0},
    {PinField::kSerialNumber, 0},
    {PinField::kModelNumber, 0},
    {PinField::kRamdac, 0},
    {PinField::kRamdac, 1},
    {PinField::kRamdac, 2},
    {PinField::kRamdac, 3},
    {PinField::kRamdac, 4},
    {PinField::kRamdac, 5},
    {PinField::kSecondaryRamdac, 0},
    {PinField::kSecondaryRamdac, 1},
    {PinField::kCoreClock, 0},
    {PinField::kCoreClock, 1},
    {PinField::kCoreClock, 2},
    {PinField::kBoardType, 0},
}};

}  // namespace

ChipTab::ChipTab(ui::TabSheet& sheet, Services& services, BatchRunner& runner,
                 const std::string& work_folder, const TextLines& clock_report,
                 const ui::Label& board_model, PinState& pin)
    : services_(services),
      runner_(runner),
      work_folder_(work_folder),
      clock_report_(clock_report),
      board_model_(board_model),
      pin_(pin) {
  auto group_box = std::make_unique<ui::GroupBox>(sheet, "GroupBox3", ui::Bounds{4, 2, 410, 188},
                                                  Text(T::kChipFrame));
  ui::GroupBox& group = *group_box;
  controls_.push_back(std::move(group_box));

  AddLabel(group, "Label164", {kCaptionLeft, 18, 0, 0}, Text(T::kModelCaption));
  model_name_ =
      &AddLabel(group, "ModelName", {kValueLeft, 18, 0, 0}, "Matrox Millennium G400 DualHead");
  AddLabel(group, "Label165", {kCaptionLeft, 34, 0, 0}, Text(T::kChipRevisionCaption));
  chip_revision_ = &AddLabel(group, "ChipRevision", {kValueLeft, 34, 0, 0}, "MGA-G400A-?",
                             Text(T::kChipRevisionHint));
  AddLabel(group, "Label166", {kSecondCaptionLeft, 34, 0, 0}, Text(T::kModelNumberCaption));
  model_number_ = &AddLabel(group, "ModelNumber", {kSecondValueLeft, 34, 0, 0}, "000",
                            Text(T::kModelNumberHint));
  AddLabel(group, "Label167", {kCaptionLeft, 50, 0, 0}, Text(T::kSerialNumberCaption));
  serial_number_ = &AddLabel(group, "SerialNumber", {kValueLeft, 50, 0, 0}, "XXX00000",
                             Text(T::kSerialNumberHint));
  AddLabel(group, "Label168", {kSecondCaptionLeft, 50, 0, 0}, Text(T::kBiosVersionCaption));
  bios_version_ = &AddLabel(group, "BiosVersion", {kSecondValueLeft, 50, 0, 0}, "V?.?",
                            Text(T::kBiosVersionHint));

  constexpr int kRamdacTop = 84;  // the column headings, under the grid's own
  AddLabel(group, "Label169", {kCaptionLeft, kRamdacTop - kLineStep, 0, 0}, Text(T::kRamdacClock),
           Text(T::kRamdacClockHint));
  for (std::size_t i = 0; i < kRamdacColumns.size(); ++i) {
    const int left = kRamdacLeft + kRamdacStep * static_cast<int>(i);
    AddLabel(group, "Label" + std::to_string(170 + i), {left, kRamdacTop, 0, 0},
             Text(kRamdacColumns[i].caption), Text(kRamdacColumns[i].hint));
    ramdac_[i] = &AddLabel(group, Indexed("RamdacMHz", i),
                           {left, kRamdacTop + kLineStep, kRamdacStep - 2, 0},
                           i == 0 ? kUnknownMHz : Text(T::kUnknownMHzWide));
  }
  AddLabel(group, "Label176", {kCaptionLeft, kRamdacTop + kLineStep, 0, 0},
           Text(T::kPrimaryCaption), Text(T::kPrimaryHint));
  secondary_caption_ =
      &AddLabel(group, "Label177", {kCaptionLeft, kRamdacTop + 2 * kLineStep, 0, 0},
                Text(T::kSecondaryCaption), Text(T::kSecondaryHint));
  for (std::size_t i = 0; i < secondary_.size(); ++i) {
    const int left = kRamdacLeft + kRamdacStep * static_cast<int>(kSecondaryColumns[i]);
    secondary_[i] = &AddLabel(group, Indexed("SecondaryRamdacMHz", i),
                              {left, kRamdacTop + 2 * kLineStep, kRamdacStep - 2, 0},
                              i == 0 ? kUnknownMHz : Text(T::kUnknownMHzWide));
  }

  constexpr int kClockTop = 136;
  AddLabel(group, "Label181", {kCaptionLeft, kClockTop + kLineStep, 0, 0},
           Text(T::kCoreClockCaption), Text(T::kCoreClockHint));
  AddLabel(group, "Label182", {kCaptionLeft, kClockTop + 2 * kLineStep, 0, 0},
           Text(T::kMemoryClockCaption), Text(T::kMemoryClockHint));
  for (std::size_t i = 0; i < kClockColumns.size(); ++i) {
    const int left = kClockLeft + kClockStep * static_cast<int>(i);
    AddLabel(group, "Label" + std::to_string(178 + i), {left, kClockTop, 0, 0},
             Text(kClockColumns[i].caption), Text(kClockColumns[i].hint));
    core_clock_[i] = &AddLabel(group, Indexed("CoreClockMHz", i),
                               {left, kClockTop + kLineStep, kClockStep - 2, 0}, kUnknownMHz);
    memory_clock_[i] = &AddLabel(group, Indexed("MemoryClockMHz", i),
                                 {left, kClockTop + 2 * kLineStep, kClockStep - 2, 0}, kUnknownMHz);
  }
  // The secondary row starts disabled; showing the tab applies the rule.
  secondary_caption_->SetEnabled(false);
  for (ui::Label* cell : secondary_) cell->SetEnabled(false);

  auto panel_box = std::make_unique<ui::Panel>(sheet, "Panel3", ui::Bounds{4, 194, 410, 120}, true);
  ui::Panel& panel = *panel_box;
  controls_.push_back(std::move(panel_box));
  AddLabel(panel, "Label183", {8, 6, 0, 0}, Text(T::kLocateProgbios));
  AddLabel(panel, "Label184", {8, 22, 0, 0}, Text(T::kProgbiosPurpose));
  AddLabel(panel, "Label185", {8, 38, 0, 0}, Text(T::kProgbiosWhere));
  // The folder and the link sit in the middle of their sentences, after
  // texts whose width depends on the language.
  ui::Label& folder = AddLabel(panel, "Label186", {8, 54, 0, 0}, "\\Sysutil\\English\\files",
                               Text(T::kCdFolderHint));
  folder.SetStyle(Bold());
  AddLabel(panel, "Label187", {0, 54, 0, 0}, Text(T::kProgbiosWhereEnd)).PlaceAfter(folder);
  const ui::Label& infomagic = AddLabel(panel, "Label188", {8, 70, 0, 0}, Text(T::kInfomagic));
  link_ = &AddLabel(panel, "Label137", {0, 70, 0, 0}, "G400 BIOS Rev 1.04", kBiosDownloadAddress);
  link_->PlaceAfter(infomagic);
  AddLabel(panel, "Label189", {8, 86, 0, 0}, Text(T::kDownloadFrom));
  AddLabel(panel, "Label190", {8, 102, 0, 0}, Text(T::kBiosUntouched), Text(T::kBiosUntouchedHint))
      .SetStyle(Bold(ui::kRed));
  ui::TextStyle link_style;
  link_style.underline = true;
  link_style.colour = ui::kNavy;
  link_->SetStyle(link_style);
  link_->SetHandCursor(true);

  auto pin_button = std::make_unique<ui::Button>(panel, "PINButton", ui::Bounds{240, 6, 160, 25},
                                                 Text(T::kPinButton), Text(T::kPinButtonHint));
  pin_button_ = pin_button.get();
  controls_.push_back(std::move(pin_button));
  auto p_button = std::make_unique<ui::Button>(sheet, "PButton", ui::Bounds{4, 318, 130, 25},
                                               Text(T::kShowPin), Text(T::kShowPinHint));
  p_button_ = p_button.get();
  controls_.push_back(std::move(p_button));
  p_button_->SetEnabled(false);

  // Shown once the card has been read, until a dump from the tool is there.
  card_note_ = &AddLabel(sheet, "CardReadNote", {138, 316, 276, 40}, "");
  auto read_card =
      std::make_unique<ui::Button>(panel, "ReadCardButton", ui::Bounds{260, 34, 140, 24},
                                   Text(T::kReadCardButton), Text(T::kReadCardButtonHint));
  read_card_button_ = read_card.get();
  controls_.push_back(std::move(read_card));
  card_note_->SetVisible(false);
  read_card_button_->SetVisible(false);

  sheet.on_show = [this] { return TabSheet6Show(); };
  pin_button_->on_click = [this] { return PINButtonClick(); };
  p_button_->on_click = [this] { return PButtonClick(); };
  link_->on_click = [this] { return Label137Click(); };
  read_card_button_->on_click = [this] { return ReadCardButtonClick(); };
}

ui::Label& ChipTab::AddLabel(ui::Container& parent, std::string name, ui::Bounds bounds,
                             std::string caption, std::string hint) {
  auto label = std::make_unique<ui::Label>(parent, std::move(name), bounds, std::move(caption));
  label->SetHint(std::move(hint));
  ui::Label& added = *label;
  controls_.push_back(std::move(label));
  return added;
}

std::string ChipTab::OutputPath() const { return JoinPath(work_folder_, kPinOutput); }
std::string ChipTab::BackupPath() const { return JoinPath(work_folder_, kPinBackup); }

void ChipTab::ApplySecondaryOutputRule() {
  const bool enabled = board_model_.caption() != kSingleHead;
  secondary_caption_->SetEnabled(enabled);
  for (ui::Label* cell : secondary_) cell->SetEnabled(enabled);
}

// The revision bits sit in characters 4 to 7 of the report's seventh line. A
// report without them leaves the field as it is: the PIN still decodes.
void ChipTab::DecodeChipRevision() {
  const std::string bits = Field(clock_report_, kRevisionLine, kRevisionFirst, kRevisionLast);
  if (bits.size() != kRevisionLast - kRevisionFirst + 1) return;
  std::size_t revision = 0;
  for (const char bit : bits) {
    if (bit < '0' || bit > '9') return;
    revision = revision * 2 + static_cast<std::size_t>(bit - '0');
  }
  if (revision < 1 || revision > kRevisionLetters.size()) return;
  chip_revision_->SetCaption(kRevisionPrefix + std::string(1, kRevisionLetters[revision - 1]));
}

void ChipTab::ShowField(PinField field, std::size_t index) {
  const ChipFigures& figures = pin_.figures;
  switch (field) {
    case PinField::kBiosVersion:
      bios_version_->SetCaption(figures.BiosVersion);
      break;
    case PinField::kSerialNumber:
      serial_number_->SetCaption(figures.SerialNumber);
      break;
    case PinField::kModelNumber:
      model_number_->SetCaption(figures.ModelNumber);
      break;
    case PinField::kRamdac:
      ramdac_[index]->SetCaption(MHzText(figures.RamdacMHz[index]));
      break;
    case PinField::kSecondaryRamdac:
      secondary_[index]->SetCaption(
          secondary_caption_->enabled() ? MHzText(figures.SecondaryRamdacMHz[index]) : "");
      break;
    case PinField::kCoreClock:
      core_clock_[index]->SetCaption(MHzText(figures.CoreClockMHz[index]));
      memory_clock_[index]->SetCaption(MHzText(figures.MemoryClockMHz[index]));
      break;
    case PinField::kBoardType:
      model_name_->SetCaption(figures.BoardTypeDigit == kMaxBoardTypeDigit
                                  ? std::string(kMaxBoardModel)
                                  : board_model_.caption());
      break;
  }
}

Status ChipTab::DecodeWhole(const PinText& text, ChipFigures* figures, const NotWhole& not_whole) {
  FileSystem& files = services_.files;
  return DecodeWholePinFile(
      text, secondary_caption_->enabled(),
      [&files](std::string_view bytes) { return files.FromSystemText(bytes); }, figures, not_whole);
}

void ChipTab::Take(PinText text, const ChipFigures& figures, bool from_card) {
  pin_.text = std::move(text);
  pin_.figures = figures;
  pin_.from_card = from_card;
  for (const auto& [field, index] : kShownFields) ShowField(field, index);
  if (from_card) return;
  p_button_->SetEnabled(true);
  card_note_->SetVisible(false);
  read_card_button_->SetVisible(false);
}

void ChipTab::ShowCardNote(const std::string& note) {
  card_note_->SetCaption(note);
  card_note_->SetVisible(true);
  read_card_button_->SetVisible(true);
}

Status ChipTab::TabSheet6Show() {
  ApplySecondaryOutputRule();
  DecodeChipRevision();
  // While the BIOS tool runs it is still writing the file; the extraction
  // decodes it when the tool has ended. Other tools leave it alone.
  if (extracting_) return Status::Ok();
  const Status dump = ShowDump();
  // Without a whole dump from the tool, the card's own BIOS tells what it
  // can: once by itself, again on the button.
  if (!card_read_) RETURN_IF_ERROR(ReadCardButtonClick());
  return dump;
}

Status ChipTab::ReadCardButtonClick() {
  // A dump from the tool, once there, is the source.
  if (!pin_.text.empty() && !pin_.from_card) return Status::Ok();
  card_read_ = true;
  CardPin read = ReadCardPin(services_.os, services_.video_bios);
  card_refusal_ = read.refusal;
  if (read.text.empty()) {
    ShowCardNote(read.refusal);
    return Status::Ok();
  }
  // The text is the program's own, in the tool's layout, and shown as the
  // tool's would be: a one-digit value the reader cannot take shows as
  // unknown, a board type that is no digit leaves the board named at
  // start-up.
  ChipFigures figures;
  static_cast<void>(DecodePinText(
      read.text, secondary_caption_->enabled(),
      [](std::string_view bytes) { return std::string(bytes); }, &figures,
      [](PinField, std::size_t) {}));
  Take(std::move(read.text), figures, true);
  if (read.way) pin_.card_read_way = *read.way;
  ShowCardNote(std::string(Text(T::kCardRead)) + "\n" + Text(T::kCardReadNotEditable));
  return Status::Ok();
}

Status ChipTab::ShowDump() {
  const std::string path = OutputPath();
  if (!services_.files.Exists(path)) return Status::Ok();
  const auto bytes = services_.files.Read(path);
  if (!bytes) return CannotOpenFileError(path);
  PinText text = SplitLines(*bytes);
  // An empty dump is no PIN file: keep what the last one showed.
  if (text.empty()) return Status::Ok();
  // A file that is not a whole dump changes nothing shown, and the editor
  // and the report keep the last one that was.
  ChipFigures figures;
  RETURN_IF_ERROR(DecodeWhole(text, &figures, [&path](std::size_t line) {
    return Status::Error(Format(T::kPinFileNotWhole, {path, std::to_string(line)}));
  }));
  Take(std::move(text), figures);
  return Status::Ok();
}

Status ChipTab::PutBackDump(const std::optional<std::string>& previous) {
  FileSystem& files = services_.files;
  const std::string output = OutputPath();
  if (!previous) {
    // Whatever the tool left is no whole dump, and the tab rejects it anyway.
    files.Remove(output);
    return Status::Ok();
  }
  // From the text, not by renaming the copy: a replace takes its temporary
  // names where no journal still standing names them.
  const std::string backup = BackupPath();
  if (files.Read(output) != previous &&
      !ReplaceFile(files, work_folder_, output, *previous).ok() &&
      files.Read(output) != previous) {
    return Status::Error(Format(T::kPinNotPutBack, {output, backup}));
  }
  files.Remove(backup);
  return Status::Ok();
}

std::string ChipTab::PutBackDumpLeftAside() {
  FileSystem& files = services_.files;
  const std::string output = OutputPath();
  const std::string backup = BackupPath();
  // A copy beside a dump is only a leftover, which the next extraction
  // writes over: nothing at start needs it gone.
  if (!files.Exists(backup) || files.Exists(output)) return std::string();
  if (!files.Rename(backup, output)) return Format(T::kPinNotPutBack, {output, backup});
  return Format(T::kPinDumpPutBack, {FileName(backup), FileName(output)});
}

Result<bool> ChipTab::Dump(const std::string& tool, PinText* text, ChipFigures* figures) {
  FileSystem& files = services_.files;
  const std::string output = OutputPath();
  const ToolRun run{tool, kPinsBatch, CommandPath(tool) + " -d > " + CommandPath(output),
                    kToolWaitSliceMs, output};
  ASSIGN_OR_RETURN(const RunEnd end, runner_.Run(work_folder_, run));
  if (end != RunEnd::kEnded) return false;
  const auto bytes = files.Read(output);
  if (!bytes) return CannotOpenFileError(output);
  *text = SplitLines(*bytes);
  if (text->empty()) return NothingWrittenError(output);
  // What decodes as no PIN file at all is quoted by its first line.
  bool decodes = false;
  const Status whole = DecodeWhole(*text, figures, [&](std::size_t line) {
    decodes = true;
    return Status::Error(Format(T::kPinDumpNotWhole, {FileName(tool), std::to_string(line)}));
  });
  if (!whole.ok() && !decodes) {
    return Status::Error(Format(T::kNotAPinDump, {FileName(tool), FirstLine(*text, &files)}));
  }
  RETURN_IF_ERROR(whole);
  return true;
}

Status ChipTab::PINButtonClick() {
  // One tool run at a time: a second extraction would rewrite the batch
  // file and the dump the first is still using.
  if (runner_.busy()) return Status::Ok();
  extracting_ = true;
  const Status extracted = Extract();
  extracting_ = false;
  return extracted;
}

Status ChipTab::Extract() {
  FileDialogOptions options;
  options.title = Text(T::kProgbiosDialogTitle);
  options.filter = Text(T::kProgbiosFilter);
  options.file_name = "Progbios.exe";
  options.default_extension = "matrox\\util";
  const auto chosen = services_.dialogs.OpenFile(options);
  if (!chosen) return Status::Ok();

  FileSystem& files = services_.files;
  std::string tool = files.ShortPath(*chosen);
  if (tool.empty()) tool = *chosen;  // no short form: the quoted long one serves
  if (!files.Exists(JoinPath(FolderOf(tool), kDosExtender))) {
    services_.dialogs.Message(Text(T::kNoDosExtender), Text(T::kErrorCaption), MessageButtons::kOk,
                              MessageIcon::kError);
    return Status::Ok();
  }

  // The run removes the dump before the tool writes a byte: the last good
  // one is kept in a copy beside it until the new one has proved whole. One
  // that cannot be read (a virus scanner holding it) is no reason to lose it.
  const std::string output = OutputPath();
  std::optional<std::string> previous;
  if (files.Exists(output)) {
    previous = files.Read(output);
    if (!previous) return Status::Error(Format(T::kPinDumpUnreadable, {output}));
    // Flushed: the run removes the dump at once, and a reset must not take
    // the copy's text with it.
    if (!files.MakeFolder(work_folder_) || !files.WriteFlushed(BackupPath(), *previous)) {
      files.Remove(BackupPath());
      return Status::Error(Format(T::kPinBackupNotMade, {BackupPath()}));
    }
  }
  PinText text;
  ChipFigures figures;
  const Result<bool> dumped = Dump(tool, &text, &figures);
  if (dumped.ok() && dumped.value()) {
    if (previous) files.Remove(BackupPath());
    Inform(services_.dialogs, Text(T::kPinWritten));
    DecodeChipRevision();
    Take(std::move(text), figures);
    Inform(services_.dialogs, Text(T::kPinDecoded));
    return Status::Ok();
  }

  // The last dump is back in place before anything is said.
  const Status put_back = PutBackDump(previous);
  if (!dumped.ok()) {
    if (put_back.ok()) return dumped.status();
    return Status::Error(dumped.status().message() + "\n" + put_back.message());
  }
  RETURN_IF_ERROR(put_back);
  Inform(services_.dialogs, ToolStoppedText(tool));
  return Status::Ok();
}

// An editor already open is only brought to the front: it keeps its text.
Status ChipTab::PButtonClick() {
  if (!editor_) return Status::Ok();
  if (editor_->visible()) {
    editor_->BringToFront();
    return Status::Ok();
  }
  return editor_->Show();
}

Status ChipTab::Label137Click() {
  services_.processes.Launch(std::string("start ") + kBiosDownloadAddress);
  return Status::Ok();
}

}  // namespace korvane
