#include "year_books_dialog.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPrinterInfo>
#include <QProgressDialog>
#include <QVBoxLayout>

#include "base/platform.h"
#include "base/text.h"
#include "books_printing.h"
#include "data/db_guard.h"
#include "dialog_kit.h"
#include "gbk_qt.h"
#include "io/safe_output.h"
#include "reports/report_progress.h"

BooksDialog::BooksDialog(CYearBooksDlg& model, QWidget* parent) : ModelDialog(parent, model) {
  setWindowTitle(Q("打印全部帐页"));
  auto* layout = new QVBoxLayout(this);
  start_ = MonthEdit(model.startMonth);
  end_ = MonthEdit(model.endMonth);
  layout->addLayout(FieldRow({Format("日期: %d 年", model.year), start_, "月 至", end_, "月"}));
  auto* kinds = new QGridLayout;
  kinds->addWidget(new QLabel(Q("帐页:")), 0, 0);
  ledger_ = new QCheckBox(Q("三栏式帐"));
  multi_ = new QCheckBox(Q("多栏式帐"));
  quantity_ = new QCheckBox(Q("数量金额式帐"));
  currency_ = new QCheckBox(Q("复币式帐"));
  balance_ = new QCheckBox(Q("余额表"));
  QCheckBox* boxes[] = {ledger_, multi_, quantity_, currency_, balance_};
  bool checked[] = {model.kinds.ledger, model.kinds.multi, model.kinds.quantity, model.kinds.currency,
                    model.kinds.balance};
  for (int i = 0; i < 5; ++i) {
    boxes[i]->setChecked(checked[i]);
    kinds->addWidget(boxes[i], i / 3, 1 + i % 3);
  }
  layout->addLayout(kinds);
  auto* where = new QHBoxLayout;
  where->addWidget(new QLabel(Q("打印到:")));
  destination_ = new QComboBox;
  const QString fallback = QPrinterInfo::defaultPrinterName();
  if (!fallback.isEmpty()) destination_->addItem(fallback, fallback);
  for (const QString& name : QPrinterInfo::availablePrinterNames())
    if (name != fallback) destination_->addItem(name, name);
  destination_->addItem(Q("PDF 文件夹（每个帐户一个文件，另有合订本）"), QString());
  where->addWidget(destination_, 1);
  layout->addLayout(where);
  auto* paperRow = new QHBoxLayout;
  paperRow->addWidget(new QLabel(Q("纸张:")));
  paper_ = new QComboBox;
  paperRow->addWidget(paper_, 1);
  layout->addLayout(paperRow);
  connect(destination_, &QComboBox::currentIndexChanged, this, &BooksDialog::ListPapers);
  ListPapers();
  layout->addWidget(OkCancelBox(this, "确认", "取消"));
  askFolder = [this] { return QFileDialog::getExistingDirectory(this, Q("把帐页存入文件夹")); };
}

void BooksDialog::ListPapers() {
  paper_->clear();
  papers_.clear();
  const QString queue = destination_->currentData().toString();
  if (queue.isEmpty()) {
    paper_->addItem(Q("帐页自身大小"));
    paper_->setEnabled(false);
    return;
  }
  paper_->setEnabled(true);
  paper_->addItem(Q("各类帐页取最接近其大小的纸张"));
  QPrinterInfo info = QPrinterInfo::printerInfo(queue);
  const QPageSize standard = info.defaultPageSize();
  for (const QPageSize& size : info.supportedPageSizes()) {
    QString text = PaperName(size, size.size(QPageSize::Millimeter));
    const bool isDefault = size.isEquivalentTo(standard);
    papers_.append(size);
    paper_->addItem(isDefault ? text + Q("（打印机默认）") : text);
    // The paper the queue holds by default is what its tray most likely has in it.
    if (isDefault) paper_->setCurrentIndex(paper_->count() - 1);
  }
}

void BooksDialog::accept() {
  model_.startMonth = G(start_->text()).value_or("");
  model_.endMonth = G(end_->text()).value_or("");
  model_.kinds = {ledger_->isChecked(), multi_->isChecked(), quantity_->isChecked(), currency_->isChecked(),
                  balance_->isChecked()};
  bool confirmed = false;
  if (!RunCatchingDbErrors([&] { confirmed = model_.Confirm(); })) return;
  if (!confirmed) {
    QWidget* field = model_.focus == "end" ? static_cast<QWidget*>(end_)
                     : model_.focus == "kinds" ? static_cast<QWidget*>(ledger_)
                                               : static_cast<QWidget*>(start_);
    field->setFocus();
    return;
  }
  QString queue = destination_->currentData().toString();
  target = PrintTarget();
  folder.clear();
  if (queue.isEmpty()) {
    folder = askFolder();
    if (folder.isEmpty()) return;
    target.pdfPath = CombinedBooksFile(folder);
  } else {
    target.printer = queue;
    const int chosen = paper_->currentIndex() - 1;
    if (chosen >= 0 && chosen < papers_.size()) target.paper = papers_[chosen];
  }
  QDialog::accept();
}

void RunBooksCommand(CVyDataEnv& env, QWidget* parent) {
  CYearBooksDlg model(env);
  BooksDialog dialog(model, parent);
  if (dialog.exec() != QDialog::Accepted) return;
  // The folder's files are replaced only after the question 导出 asks.
  bool replace = false;
  if (!dialog.folder.isEmpty()) {
    std::vector<std::string> existing;
    std::string refusal;
    if (!RunCatchingDbErrors([&] { refusal = CheckBooksFolder(env, model, dialog.folder, existing); })) return;
    if (!refusal.empty()) {
      ShowMessage(refusal, MsgIcon::Stop);
      return;
    }
    if (!AskToReplace(existing)) return;
    replace = !existing.empty();
  }
  QProgressDialog progress(Q("正在打印：") + Q(ProgressText(0)), Q("取消"), 0, 100, parent);
  progress.setWindowTitle(Q("打印全部帐页"));
  progress.setWindowModality(Qt::WindowModal);
  progress.setMinimumDuration(0);
  ProgressSink previous = CurrentProgressSink();
  SetProgressSink([&progress](int percent) {
    if (percent < 0) return;
    progress.setLabelText(Q("正在打印：") + Q(ProgressText(percent)));
    progress.setValue(percent);
  });
  BooksRun run;
  RunCatchingDbErrors([&] {
    run = PrintBooks(
        env, model, dialog.target, dialog.folder,
        [&progress] {
          QCoreApplication::processEvents();
          return progress.wasCanceled();
        },
        replace);
  });
  SetProgressSink(previous);
  progress.reset();
  switch (run.outcome) {
    case BooksOutcome::kDone:
      ShowMessage(Format("已打印 %d 个帐页，共 %d 页。", run.ledgers, run.pages) +
                      (model.withheld.empty() ? "" : "\r" + model.withheld),
                  MsgIcon::Information);
      break;
    case BooksOutcome::kCancelled:
      ShowMessage("打印已取消。", MsgIcon::Information);
      break;
    case BooksOutcome::kFailed:
      if (!run.error.isEmpty()) ShowMessage(G(run.error).value_or("打印失败。"), MsgIcon::Stop);
      break;
  }
}
