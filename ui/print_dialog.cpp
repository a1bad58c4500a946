#include "print_dialog.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPageSetupDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "paper_layout.h"
#include "gbk_qt.h"
#include "guarded.h"
#include "mask_edit.h"

PrintDialog::PrintDialog(CVyPrintDlg& model, QWidget* parent, std::optional<PageSettings> page)
    : ModelDialog(parent, model), page_(std::move(page)) {
  runPageSetup = [](QPageSetupDialog& d) { return d.exec() == QDialog::Accepted; };
  setWindowTitle(Q(model.Caption()));
  auto* layout = new QVBoxLayout(this);

  auto* printerBox = new QGroupBox(Q("打印机"), this);
  auto* printerForm = new QFormLayout(printerBox);
  printers_ = new QComboBox(printerBox);
  for (const std::string& p : model.printers) printers_->addItem(Q(p));
  properties_ = new QPushButton(Q("属性..."), printerBox);
  auto* nameRow = new QHBoxLayout;
  nameRow->addWidget(printers_, 1);
  nameRow->addWidget(properties_);
  printerForm->addRow(Q("名称："), nameRow);
  port_ = new QLabel(printerBox);
  printerForm->addRow(Q("打印到："), port_);
  paper_ = new QLabel(printerBox);
  paper_->setWordWrap(true);
  printerForm->addRow(Q("纸张："), paper_);
  layout->addWidget(printerBox);

  if (!model.SetupMode()) {
    auto* rangeBox = new QGroupBox(Q("打印范围"), this);
    auto* rangeLayout = new QHBoxLayout(rangeBox);
    all_ = new QRadioButton(Q("全部(&A)"), rangeBox);
    range_ = new QRadioButton(Q("指定(&S)"), rangeBox);
    from_ = new MaskEdit(rangeBox);
    to_ = new MaskEdit(rangeBox);
    for (MaskEdit* e : {from_, to_}) {
      e->SetMask("NUMBER 0", 5, 0);
      e->setMaximumWidth(60);
    }
    from_->SetGbkText(model.fromText);
    to_->SetGbkText(model.toText);
    (model.allPages ? all_ : range_)->setChecked(true);
    rangeLayout->addWidget(all_);
    rangeLayout->addWidget(range_);
    // The labels' mnemonics lead to their fields (a label without a field would print its "&").
    auto* fromLabel = new QLabel(Q("从(&F)"), rangeBox);
    fromLabel->setBuddy(from_);
    auto* toLabel = new QLabel(Q("页  到(&T)"), rangeBox);
    toLabel->setBuddy(to_);
    rangeLayout->addWidget(fromLabel);
    rangeLayout->addWidget(from_);
    rangeLayout->addWidget(toLabel);
    rangeLayout->addWidget(to_);
    // Typing a page number means printing those pages.
    for (MaskEdit* e : {from_, to_})
      connect(e, &QLineEdit::textEdited, this, [this] { range_->setChecked(true); });
    layout->addWidget(rangeBox);

    auto* copiesRow = new QHBoxLayout;
    copies_ = new MaskEdit(this);
    copies_->SetMask("NUMBER 0", 5, 0);
    copies_->SetGbkText(model.copiesText);
    copies_->setMaximumWidth(60);
    auto* copiesLabel = new QLabel(Q("打印份数(&C)"), this);
    copiesLabel->setBuddy(copies_);
    copiesRow->addWidget(copiesLabel);
    copiesRow->addWidget(copies_);
    copiesRow->addStretch();
    layout->addLayout(copiesRow);
  }

  auto* buttons = new QHBoxLayout;
  auto* ok = new QPushButton(Q("确认"), this);
  auto* cancel = new QPushButton(Q("取消"), this);
  ok->setDefault(true);
  buttons->addStretch();
  buttons->addWidget(ok);
  buttons->addWidget(cancel);
  layout->addLayout(buttons);
  connect(ok, &QPushButton::clicked, this, &PrintDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(printers_, &QComboBox::currentIndexChanged, this, Guard(this, &PrintDialog::PrinterChosen));
  connect(properties_, &QPushButton::clicked, this, Guard(this, &PrintDialog::Properties));

  printers_->setCurrentIndex(model.selected);
  PrinterChosen(model.selected);
}

void PrintDialog::PrinterChosen(int index) {
  model_.selected = index;
  layout_.reset();
  formPaper_.reset();
  if (model_.IsPdf()) {
    port_->setText(Q("PDF 文件"));
    properties_->setEnabled(false);
    if (page_) {
      QPrinter pdf(QPrinter::HighResolution);
      pdf.setOutputFormat(QPrinter::PdfFormat);
      formPaper_ = FormPaper(*page_, pdf);
    }
    ShowPaper();
    return;
  }
  QPrinterInfo info = QPrinterInfo::printerInfo(Q(model_.SelectedPrinter()));
  port_->setText(info.location().isEmpty() ? info.description() : info.location());
  properties_->setEnabled(!info.isNull());
  if (page_ && !info.isNull()) {
    QPrinter printer(info, QPrinter::HighResolution);
    formPaper_ = FormPaper(*page_, printer);
  }
  ShowPaper();
}

void PrintDialog::ShowPaper() {
  const std::optional<QPageLayout>& paper = layout_ ? layout_ : formPaper_;
  paper_->setText(page_ && paper ? PaperText(*paper, *page_) : QString());
}

void PrintDialog::Properties() {
  QPrinter printer(QPrinterInfo::printerInfo(Q(model_.SelectedPrinter())), QPrinter::HighResolution);
  // The dialog opens on the paper the form would print on: confirming it unchanged keeps that paper,
  // where the printer's own default would have replaced it.
  if (layout_)
    printer.setPageLayout(*layout_);
  else if (formPaper_)
    printer.setPageLayout(*formPaper_);
  QPageSetupDialog dialog(&printer, this);
  if (!runPageSetup(dialog)) return;
  QPageLayout chosen = printer.pageLayout();
  if (formPaper_ && chosen.pageSize().isEquivalentTo(formPaper_->pageSize()) &&
      chosen.orientation() == formPaper_->orientation())
    layout_.reset();
  else
    layout_ = chosen;
  ShowPaper();
}

void PrintDialog::accept() {
  model_.selected = printers_->currentIndex();
  if (!model_.SetupMode()) {
    model_.allPages = all_->isChecked();
    model_.fromText = from_->GbkText();
    model_.toText = to_->GbkText();
    model_.copiesText = copies_->GbkText();
  }
  if (!model_.Confirm()) {
    MaskEdit* fields[] = {nullptr, from_, to_, copies_};
    if (MaskEdit* f = fields[model_.focus]) {
      f->setFocus();
      f->selectAll();
    }
    return;
  }
  QDialog::accept();
}
