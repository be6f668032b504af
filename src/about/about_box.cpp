#include "about/about_box.h"

#include <string>

#include "about/version.h"
#include "text/information_box.h"
#include "text/texts.h"

namespace korvane {

const char kSupportHomePage[] = "http://www.ostrel.example/korvane/";
const char kSupportMailAddress[] = "korvane@ostrel.example";
const char kMatroxGraphicsPage[] = "http://www.matrox.com/mga/";

namespace {

using T = TextId;

ui::TextStyle Bold() {
  ui::TextStyle style;
  style.bold = true;
  return style;
}

void MakeLink(ui::Label& label) {
  ui::TextStyle style;
  style.underline = true;
  style.colour = ui::kNavy;
  label.SetStyle(style);
  label.SetHandCursor(true);
}

}  // namespace

TAboutBox::TAboutBox(Processes& processes, Dialogs& dialogs, ui::ErrorReporter& errors)
    : Form("AboutBox", Text(T::kAboutTitle), 298, 216, ui::BorderStyle::kDialog, errors),
      Panel1(*this, "Panel1", {8, 8, 282, 164}, true),
      ProgramIcon(Panel1, "ProgramIcon", {10, 10, 48, 48}, "g400-card", Text(T::kAboutIconHint)),
      ProductName(Panel1, "ProductName", {72, 10, 0, 0}, Text(T::kProductName)),
      Label1(Panel1, "Label1", {72, 26, 0, 0}, "Matrox Korvane"),
      Version(Panel1, "Version", {72, 48, 0, 0}, Text(T::kVersionCaption)),
      Label3(Panel1, "Label3", {124, 48, 0, 0}, KORVANE_VERSION),
      Label2(Panel1, "Label2", {164, 48, 0, 0}, KORVANE_VERSION_DATE),
      Comments(Panel1, "Comments", {10, 80, 0, 0}, Text(T::kSupportPageCaption)),
      Label4(Panel1, "Label4", {10, 96, 0, 0}, kSupportHomePage),
      Label5(Panel1, "Label5", {10, 116, 0, 0}, Text(T::kMailCaption)),
      Label6(Panel1, "Label6", {110, 116, 0, 0}, kSupportMailAddress),
      Label14(Panel1, "Label14", {10, 138, 0, 0}, Text(T::kMatroxGraphicsCaption)),
      Label15(Panel1, "Label15", {110, 138, 0, 0}, kMatroxGraphicsPage),
      OKButton(*this, "OKButton", {111, 182, 75, 25}, "OK"),
      processes_(processes),
      dialogs_(dialogs) {
  Label1.SetStyle(Bold());
  Label3.SetStyle(Bold());
  Comments.SetHint(Text(T::kHomePageHint));
  Label4.SetHint(Text(T::kHomePageHint));
  MakeLink(Label4);
  MakeLink(Label6);
  MakeLink(Label15);
  OKButton.is_default = true;

  ProgramIcon.on_click = [this] { return ProgramIconClick(); };
  Label4.on_click = [this] { return OpenLink(kSupportHomePage); };
  Label6.on_click = [this] {
    return OpenLink((std::string("mailto:") + kSupportMailAddress).c_str());
  };
  Label15.on_click = [this] { return OpenLink(kMatroxGraphicsPage); };
  OKButton.on_click = [this] {
    Close();
    return Status::Ok();
  };
}

Status TAboutBox::ProgramIconClick() {
  Inform(dialogs_, Text(T::kAboutIconMessage));
  return Status::Ok();
}

// A link that cannot be opened reports nothing.
Status TAboutBox::OpenLink(const char* address) {
  processes_.Launch(std::string("start ") + address);
  return Status::Ok();
}

}  // namespace korvane
