// The chip tab: what the card really is, decoded from the PIN
// file that the card maker's BIOS tool dumps, and the chip revision from the
// clock tool's report. Without a dump from the tool, the program reads the
// card's own BIOS instead (bios_image.h); a dump, once there, is the source.
#pragma once

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "files/text_lines.h"
#include "pin/pin_file.h"
#include "platform/services.h"
#include "platform/status.h"
#include "platform/video_bios.h"
#include "runner/batch_runner.h"
#include "ui/button.h"
#include "ui/form.h"
#include "ui/label.h"
#include "ui/page_control.h"

namespace korvane {

// The PIN file the main window keeps for the run, and what it decoded to.
struct PinState {
  PinText text;  // as the tool wrote it; empty until the first decode
  ChipFigures figures;
  // The text was read from the card by the program, not dumped by the tool:
  // it is shown and reported, never opened in the editor nor saved.
  bool from_card = false;
  // How the card's BIOS was read, for a card read.
  BiosReadWay card_read_way = BiosReadWay::kReadProcessMemory;
};

class ChipTab {
 public:
  // The references are the main window's: its work folder, where the dump
  // goes, the clock tool's report, the General tab's board label and its PIN
  // state.
  ChipTab(ui::TabSheet& sheet, Services& services, BatchRunner& runner,
          const std::string& work_folder, const TextLines& clock_report,
          const ui::Label& board_model, PinState& pin);

  // The PIN file editor that `PButton` opens.
  void AttachEditor(ui::Form& editor) { editor_ = &editor; }

  const PinState& pin() const { return pin_; }
  // The board named at start-up.
  const std::string& board_model() const { return board_model_.caption(); }

  // The value fields, named after what they show.
  ui::Label& ModelName() const { return *model_name_; }
  ui::Label& ChipRevision() const { return *chip_revision_; }
  ui::Label& ModelNumber() const { return *model_number_; }
  ui::Label& SerialNumber() const { return *serial_number_; }
  ui::Label& BiosVersion() const { return *bios_version_; }
  ui::Label& RamdacCell(std::size_t column) const { return *ramdac_[column]; }
  ui::Label& SecondaryCell(std::size_t index) const { return *secondary_[index]; }
  ui::Label& SecondaryCaption() const { return *secondary_caption_; }
  ui::Label& CoreClockCell(std::size_t mode) const { return *core_clock_[mode]; }
  ui::Label& MemoryClockCell(std::size_t mode) const { return *memory_clock_[mode]; }
  ui::Label& Label137() const { return *link_; }
  ui::Button& PINButton() const { return *pin_button_; }
  ui::Button& PButton() const { return *p_button_; }
  // Where the figures came from when the card was read, or why it could not
  // be; and the button that reads it again.
  ui::Label& CardReadNote() const { return *card_note_; }
  ui::Button& ReadCardButton() const { return *read_card_button_; }
  // Why the last read of the card was refused; empty after one that was not.
  const std::string& card_refusal() const { return card_refusal_; }

  Status TabSheet6Show();
  // The chip revision from the clock tool's report; a report without it
  // leaves the field as it is.
  void DecodeChipRevision();
  Status PINButtonClick();
  // The extraction, from choosing the tool to taking its dump.
  Status Extract();
  Status PButtonClick();
  Status Label137Click();
  // At start: the last dump back in place from its copy, when Windows ended
  // the program during an extraction (the run had removed the dump). Says
  // so; empty when there was nothing to put back.
  std::string PutBackDumpLeftAside();
  // Reads the card's BIOS and shows what it holds, or why it cannot be read.
  Status ReadCardButtonClick();

 private:
  ui::Label& AddLabel(ui::Container& parent, std::string name, ui::Bounds bounds,
                      std::string caption, std::string hint = std::string());
  void ApplySecondaryOutputRule();
  // Decodes a whole dump into `figures`, a scratch record: nothing shown
  // changes. A text that decodes but is not whole is the error `not_whole`
  // makes.
  Status DecodeWhole(const PinText& text, ChipFigures* figures, const NotWhole& not_whole);
  // Takes a whole dump as the PIN text and into the fields, and enables
  // `PButton`: the editor and the report read no other. A card read is
  // taken without it.
  void Take(PinText text, const ChipFigures& figures, bool from_card = false);
  // The last dump in mypins.txt, when it is whole.
  Status ShowDump();
  void ShowCardNote(const std::string& note);
  void ShowField(PinField field, std::size_t index);
  // Runs the BIOS tool into mypins.txt and reads what it wrote, when that
  // is a whole dump; false when the user ended the tool.
  Result<bool> Dump(const std::string& tool, PinText* text, ChipFigures* figures);
  // Puts the dump that was there before an extraction back in place, or
  // removes what the tool left when there was none. The error names the
  // copy when the dump cannot be put back.
  Status PutBackDump(const std::optional<std::string>& previous);
  std::string OutputPath() const;
  // The copy of the last dump that an extraction keeps until its end.
  std::string BackupPath() const;

  Services& services_;
  BatchRunner& runner_;
  const std::string& work_folder_;
  const TextLines& clock_report_;
  const ui::Label& board_model_;
  PinState& pin_;
  ui::Form* editor_ = nullptr;
  // From the click on PINButton until its extraction is over.
  bool extracting_ = false;
  // The card is read once by itself; the button reads it again.
  bool card_read_ = false;
  std::string card_refusal_;

  std::vector<std::unique_ptr<ui::Control>> controls_;
  ui::Label* model_name_ = nullptr;
  ui::Label* chip_revision_ = nullptr;
  ui::Label* model_number_ = nullptr;
  ui::Label* serial_number_ = nullptr;
  ui::Label* bios_version_ = nullptr;
  std::array<ui::Label*, 6> ramdac_ = {};
  ui::Label* secondary_caption_ = nullptr;
  std::array<ui::Label*, 2> secondary_ = {};
  std::array<ui::Label*, 3> core_clock_ = {};
  std::array<ui::Label*, 3> memory_clock_ = {};
  ui::Label* link_ = nullptr;
  ui::Button* pin_button_ = nullptr;
  ui::Button* p_button_ = nullptr;
  ui::Label* card_note_ = nullptr;
  ui::Button* read_card_button_ = nullptr;
};

// Where the link sends the user for the BIOS package with the tool.
extern const char kBiosDownloadAddress[];

}  // namespace korvane
