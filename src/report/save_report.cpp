#include "report/save_report.h"

#include "backup/backup_texts.h"
#include "overclock/batch_runner.h"
#include "report/report_texts.h"

namespace korvane {

Status SaveReport(std::string_view report, Dialogs& dialogs, FileSystem& files,
                  Clipboard& clipboard) {
  FileDialogOptions options;
  options.title = report_texts::kReportDialogTitle;
  options.filter = report_texts::kReportFilter;
  options.file_name = report_texts::kReportFileName;
  options.default_extension = "txt";
  const auto path = dialogs.SaveFile(options);
  if (!path) return Status::Ok();
  if (!files.Write(*path, files.ToSystemText(report))) return CannotCreateFileError(*path);
  const bool copied = clipboard.SetText(report);
  dialogs.Message(
      backup_texts::Fill(copied ? report_texts::kReportSaved : report_texts::kReportSavedNotCopied,
                         {*path}),
      report_texts::kInformationCaption, MessageButtons::kOk, MessageIcon::kInformation);
  return Status::Ok();
}

}  // namespace korvane
