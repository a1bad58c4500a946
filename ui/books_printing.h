#pragma once
// 打印全部帐页 on the printing side: every ledger the core builds goes, one account at a time, into one print
// job (a queue, or a combined PDF file) and, when a folder is given, into a PDF file of its own there. The
// view is dropped as soon as its pages are drawn. The files go through the one safe writer of outputs.
#include <QString>
#include <functional>
#include <string>
#include <vector>

#include "form_printing.h"
#include "reports/year_books_dlg.h"

struct BooksRun {
  BooksOutcome outcome = BooksOutcome::kFailed;
  int ledgers = 0;  // views printed
  int pages = 0;    // pages of the combined job
  QString error;
};

// The combined file of a PDF folder, beside one file per account.
QString CombinedBooksFile(const QString& folder);
// The file of one ledger in a PDF folder: its code (余额表 for the balance table).
QString BookFile(const QString& folder, const BookEntry& entry);

// Before the books go into a PDF folder: why they cannot (a file there that may never be written over,
// io/safe_output.h), "" when they can; existing gets the files there that the run would replace (GBK).
std::string CheckBooksFolder(CVyDataEnv& env, const CYearBooksDlg& dialog, const QString& folder,
                             std::vector<std::string>& existing);

// Prints the books the dialog asked for to target; folder, when not empty, gets one PDF per ledger too.
// Every file is written through the safe writer, over an existing file only with replace. A cancelled or
// failed run sends nothing to the queue and leaves no combined file.
BooksRun PrintBooks(CVyDataEnv& env, const CYearBooksDlg& dialog, const PrintTarget& target,
                    const QString& folder, const std::function<bool()>& cancelled = {}, bool replace = false);
