// The version dialog: name, version and date, and links that open in the
// system's handler.
#pragma once

#include "platform/dialogs.h"
#include "platform/processes.h"
#include "ui/button.h"
#include "ui/form.h"
#include "ui/image.h"
#include "ui/label.h"

namespace korvane {

class TAboutBox : public ui::Form {
 public:
  TAboutBox(Processes& processes, Dialogs& dialogs, ui::ErrorReporter& errors);

  ui::Panel Panel1;
  ui::Image ProgramIcon;
  ui::Label ProductName;
  ui::Label Label1;
  ui::Label Version;
  ui::Label Label3;
  ui::Label Label2;
  ui::Label Comments;
  ui::Label Label4;
  ui::Label Label5;
  ui::Label Label6;
  ui::Label Label14;
  ui::Label Label15;
  ui::Button OKButton;

 private:
  Status ProgramIconClick();
  Status OpenLink(const char* address);

  Processes& processes_;
  Dialogs& dialogs_;
};

// Where the links lead.
extern const char kSupportHomePage[];
extern const char kSupportMailAddress[];
extern const char kMatroxGraphicsPage[];

}  // namespace korvane
