#include "books_printing.h"

#include <QDir>
#include <QFile>

#include "formview/report_view.h"
#include "gbk_qt.h"
#include "io/safe_output.h"

QString CombinedBooksFile(const QString& folder) {
  return QDir(folder).filePath(Q("全部帐页.pdf"));
}

QString BookFile(const QString& folder, const BookEntry& entry) {
  return QDir(folder).filePath(Q(entry.kind == BookKind::kBalance ? std::string("余额表") : entry.code) +
                               ".pdf");
}

std::string CheckBooksFolder(CVyDataEnv& env, const CYearBooksDlg& dialog, const QString& folder,
                             std::vector<std::string>& existing) {
  std::vector<std::string> paths;
  QStringList files{CombinedBooksFile(folder)};
  for (const BookEntry& entry : PlanYearBooks(env, dialog.kinds, dialog.end)) files << BookFile(folder, entry);
  for (const QString& file : files) {
    std::optional<std::string> path = G(file);
    if (!path) return "文件夹名含有 GBK 不能表示的字符。";
    if (std::string refusal = OutputRefusal(*path, env.dataFile); !refusal.empty()) return refusal;
    paths.push_back(*path);
  }
  existing = ExistingOutputs(paths);
  return {};
}

namespace {

// Prints one view into a PDF file of its own through the safe writer.
bool WriteBookFile(CVyReportView& view, const BookEntry& entry, const QString& file, const std::string& book,
                   bool replace, QString& error) {
  std::optional<std::string> path = G(file);
  std::string why = "文件名含有 GBK 不能表示的字符。";
  if (path && WriteOutputFile(
                  {*path, book, replace},
                  [&](const std::string& native, int, std::string& failed) {
                    PrintJob own({QString::fromStdString(native), QString(), Q(entry.code)});
                    if (own.Add(view) && own.Finish()) return true;
                    failed = "打印没有完成。";
                    return false;
                  },
                  why))
    return true;
  error = Q(why);
  return false;
}

}  // namespace

BooksRun PrintBooks(CVyDataEnv& env, const CYearBooksDlg& dialog, const PrintTarget& target,
                    const QString& folder, const std::function<bool()>& cancelled, bool replace) {
  BooksRun run;
  const bool toFile = !target.pdfPath.isEmpty();
  // The run itself, into a queue or into the combined file's working copy at into.pdfPath.
  auto print = [&](PrintTarget into) {
    into.title = Q("全部帐页 ") + Q(dialog.periodText);
    PrintJob job(into);
    if (!job.Error().isEmpty()) {
      run.error = job.Error();
      return false;
    }
    run.outcome = PrintYearBooks(
        env, dialog,
        [&](CVyReportView& view, const BookEntry& entry) {
          if (!folder.isEmpty() &&
              !WriteBookFile(view, entry, BookFile(folder, entry), env.dataFile, replace, run.error))
            return false;
          if (!job.Add(view)) {
            run.error = toFile ? Q("无法写入“") + target.pdfPath + Q("”。") : job.Error();
            return false;
          }
          ++run.ledgers;
          return true;
        },
        cancelled);
    if (run.outcome == BooksOutcome::kDone && run.ledgers > 0 && !job.Finish()) {
      run.outcome = BooksOutcome::kFailed;
      run.error = job.Error().isEmpty() || toFile ? Q("打印失败。") : job.Error();
    }
    run.pages = job.Pages();
    if (run.outcome == BooksOutcome::kDone && run.ledgers > 0) return true;
    job.Abort();
    if (run.outcome == BooksOutcome::kDone) {
      run.outcome = BooksOutcome::kFailed;
      run.error = Q("没有可打印的帐页。");
    }
    return false;
  };
  if (!toFile) {
    print(target);
    return run;
  }
  // The combined file is written as every other output is: beside its place, moved there when whole, so a
  // cancelled or failed run leaves none.
  std::optional<std::string> path = G(target.pdfPath);
  std::string error = "文件名含有 GBK 不能表示的字符。";
  if (path && WriteOutputFile(
                  {*path, env.dataFile, replace},
                  [&](const std::string& native, int, std::string& failed) {
                    PrintTarget into = target;
                    into.pdfPath = QString::fromStdString(native);
                    if (print(into)) return true;
                    failed = G(run.error).value_or("打印失败。");
                    return false;
                  },
                  error))
    return run;
  // A cancelled run or one that failed has said why; otherwise the file could not be written or moved into
  // place.
  if (run.outcome == BooksOutcome::kCancelled) return run;
  if (run.outcome == BooksOutcome::kDone || run.error.isEmpty()) {
    run.outcome = BooksOutcome::kFailed;
    run.error = Q(error);
  }
  return run;
}
