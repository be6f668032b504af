// The PIN file editor: a copy of the PIN text beside one control per field
// the user may change. Every change rewrites one line of the text in place;
// the result is saved as a new file. It never writes to the card.
#pragma once

#include <array>
#include <memory>
#include <string>

#include "pin/chip_tab.h"
#include "platform/dialogs.h"
#include "platform/file_system.h"
#include "platform/status.h"
#include "ui/button.h"
#include "ui/combo_box.h"
#include "ui/edit.h"
#include "ui/form.h"
#include "ui/label.h"
#include "ui/memo.h"
#include "ui/up_down.h"

namespace korvane {

class TPINForm : public ui::Form {
 public:
  // Opens on the PIN text and the chip figures the chip tab decoded.
  // `work_folder` takes the journal of a save.
  TPINForm(const ChipTab& chip_tab, Dialogs& dialogs, FileSystem& files, std::string work_folder,
           ui::ErrorReporter& errors);

  // A numeric spinner, its box and the line it writes.
  struct Spinner {
    Spinner(ui::Container& parent, int number, const char* caption, ui::Bounds at, int min, int max,
            int increment);
    ui::Label caption;
    ui::Edit box;
    ui::UpDown arrows;
    ui::Label unit;
  };

  ui::Memo memo1;
  ui::Label Label1;
  ui::ComboBox ComboBox1;
  ui::Label Label2;
  ui::Edit Edit1;
  ui::Label Label3;
  ui::Label Label4;

 private:
  // Made here, in screen order, so that the keyboard meets them between the
  // serial box and the buttons.
  std::array<std::unique_ptr<Spinner>, 9> spinners_;

 public:
  ui::GroupBox GroupBox1;
  ui::Button Button3;
  ui::Button Button4;
  ui::Button Button2;
  ui::Button Button1;

  // `UpDown1` to `UpDown9`, with their boxes `Edit2` to `Edit10`.
  ui::UpDown& UpDown(int number) const { return spinners_[number - 1]->arrows; }

 private:
  Status FormShow();
  Status Edit1Change();
  Status ComboBox1Change();
  Status UpDownClick(std::size_t index);
  // The one-click rewrites: into a MAX's (true), or back to the SingleHead
  // and DualHead defaults (false).
  Status OneClickRewrite(bool max);
  // At saving: a number typed into a spinner's box rewrites its line, as
  // an arrow would; other text in a box, or a serial longer than its field,
  // is an error.
  Status TakeTypedNumbers();
  Status Button2Click();
  Status Button3Click();
  // Shows what saving would change on the card and asks; false when the user
  // cancels. A text that is no PIN file is the decode error.
  Result<bool> ConfirmDifferences();
  void Rewrite(std::size_t line, std::string text);

  const ChipTab& chip_tab_;
  Dialogs& dialogs_;
  FileSystem& files_;
  std::string work_folder_;
};

}  // namespace korvane
