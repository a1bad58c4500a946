#include "books_printing.h"

#include <QDir>
#include <QFile>

#include "formview/vy_report_view.h"
#include "gbk_qt.h"

QString CombinedBooksFile(const QString& folder) {
  return QDir(folder).filePath(Q("全部帐页.pdf"));
}

QString BookFile(const QString& folder, const BookEntry& entry) {
  return QDir(folder).filePath(Q(entry.kind == BookKind::kBalance ? std::string("余额表") : entry.code) +
                               ".pdf");
}

BooksRun PrintBooks(CVyDataEnv& env, const YearBooksDlg& dialog, const PrintTarget& target,
                    const QString& folder, const std::function<bool()>& cancelled) {
  BooksRun run;
  PrintTarget combined = target;
  combined.title = Q("全部帐页 ") + Q(dialog.periodText);
  PrintJob job(combined);
  if (!job.Error().isEmpty()) {
    run.error = job.Error();
    return run;
  }
  run.outcome = PrintYearBooks(
      env, dialog,
      [&](CVyReportView& view, const BookEntry& entry) {
        if (!folder.isEmpty()) {
          PrintJob own({BookFile(folder, entry), QString(), Q(entry.code)});
          if (!own.Add(view) || !own.Finish()) {
            run.error = own.Error();
            return false;
          }
        }
        if (!job.Add(view)) {
          run.error = job.Error();
          return false;
        }
        ++run.ledgers;
        return true;
      },
      cancelled);
  if (run.outcome == BooksOutcome::kDone && run.ledgers > 0 && !job.Finish()) {
    run.outcome = BooksOutcome::kFailed;
    run.error = job.Error().isEmpty() ? Q("打印失败。") : job.Error();
  }
  if (run.outcome != BooksOutcome::kDone || run.ledgers == 0) {
    job.Abort();
    if (!target.pdfPath.isEmpty()) QFile::remove(target.pdfPath);
  }
  if (run.outcome == BooksOutcome::kDone && run.ledgers == 0) {
    run.outcome = BooksOutcome::kFailed;
    run.error = Q("没有可打印的帐页。");
  }
  run.pages = job.Pages();
  return run;
}
