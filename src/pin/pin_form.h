// The PIN file editor's window. It exists from start-up, hidden, as the
// other secondary windows do; its controls come with the editor itself.
#pragma once

#include "ui/form.h"

namespace korvane {

class TPINForm : public ui::Form {
 public:
  explicit TPINForm(ui::ErrorReporter& errors)
      : Form("PINForm", "PINファイルをカスタマイズ", 460, 330, ui::BorderStyle::kSingle, errors) {}
};

}  // namespace korvane
