#include "report/save_report.h"

#include "files/replace_file.h"
#include "text/information_box.h"
#include "text/texts.h"

namespace korvane {
namespace {

constexpr char kReportFileName[] = "korvane.txt";

}  // namespace

Status SaveReport(std::string_view report, Dialogs& dialogs, FileSystem& files,
                  std::string_view work_folder, Clipboard& clipboard) {
  FileDialogOptions options;
  options.title = Text(TextId::kReportDialogTitle);
  options.filter = Text(TextId::kReportFilter);
  options.file_name = kReportFileName;
  options.default_extension = "txt";
  const auto path = dialogs.SaveFile(options);
  if (!path) return Status::Ok();
  // Never cut an existing report short: written aside, then put in place.
  RETURN_IF_ERROR(ReplaceFile(files, work_folder, *path, files.ToSystemText(report)));
  const bool copied = clipboard.SetText(report);
  Inform(dialogs, Format(copied ? TextId::kReportSaved : TextId::kReportSavedNotCopied, {*path}));
  return Status::Ok();
}

}  // namespace korvane
