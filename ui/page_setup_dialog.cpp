#include "page_setup_dialog.h"

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QFontDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "gbk_qt.h"
#include "guarded.h"
#include "mask_edit.h"
#include "qt_dc.h"

namespace {

void Paint(QLabel* swatch, uint32_t colour) {
  swatch->setStyleSheet(
      QString("background-color: %1; border: 1px solid gray;").arg(ToQColor(colour).name()));
}

}  // namespace

PageSetupDialog::PageSetupDialog(CVyPageSetupDlg& model, QWidget* parent) : ModelDialog(parent, model) {
  setWindowTitle(Q(CVyPageSetupDlg::kCaption));
  auto* layout = new QVBoxLayout(this);

  fonts_ = new QTreeWidget(this);
  fonts_->setRootIsDecorated(false);
  QStringList headers;
  for (const std::string& h : CVyPageSetupDlg::FontHeaders()) headers << Q(h);
  fonts_->setHeaderLabels(headers);
  fonts_->setMinimumHeight(130);
  layout->addWidget(fonts_);
  connect(fonts_, &QTreeWidget::itemActivated, this,
          Guard([this](QTreeWidgetItem* item) { ChooseFont(fonts_->indexOfTopLevelItem(item)); }));

  auto* colours = new QHBoxLayout;
  auto* ruleButton = new QPushButton(Q("表线..."), this);
  auto* frameButton = new QPushButton(Q("框线..."), this);
  ruleSwatch_ = new QLabel(this);
  frameSwatch_ = new QLabel(this);
  for (QLabel* s : {ruleSwatch_, frameSwatch_}) s->setFixedSize(40, 18);
  colours->addWidget(ruleButton);
  colours->addWidget(ruleSwatch_);
  colours->addSpacing(20);
  colours->addWidget(frameButton);
  colours->addWidget(frameSwatch_);
  colours->addStretch();
  layout->addLayout(colours);
  connect(ruleButton, &QPushButton::clicked, this, Guard([this] { ChooseColour(model_.settings.FormLine); }));
  connect(frameButton, &QPushButton::clicked, this, Guard([this] { ChooseColour(model_.settings.OutBox); }));

  auto* page = new QGroupBox(Q("页面（毫米）"), this);
  auto* grid = new QGridLayout(page);
  const char* names[] = {"宽", "长", "行距", "上", "下", "左", "右"};
  for (int f = 0; f < CVyPageSetupDlg::kFieldCount; ++f) {
    auto* field = new MaskEdit(page);
    field->SetMask("NUMBER 0", 4, 1);
    field->setMaximumWidth(80);
    fields_[f] = field;
    auto* up = new QToolButton(page);
    auto* down = new QToolButton(page);
    up->setArrowType(Qt::UpArrow);
    down->setArrowType(Qt::DownArrow);
    auto field_ = static_cast<CVyPageSetupDlg::Field>(f);
    connect(up, &QToolButton::clicked, this, Guard([this, field_] { Step(field_, +1); }));
    connect(down, &QToolButton::clicked, this, Guard([this, field_] { Step(field_, -1); }));
    int row = f / 4, col = (f % 4) * 4;
    grid->addWidget(new QLabel(Q(names[f]), page), row, col);
    grid->addWidget(field, row, col + 1);
    grid->addWidget(up, row, col + 2);
    grid->addWidget(down, row, col + 3);
  }
  layout->addWidget(page);

  auto* buttons = new QHBoxLayout;
  auto* defaults = new QPushButton(Q("取默认值(&G)"), this);
  auto* copy = new QPushButton(Q("拷贝(&C)"), this);
  auto* ok = new QPushButton(Q("确认(&S)"), this);
  auto* cancel = new QPushButton(Q("取消(&X)"), this);
  ok->setDefault(true);
  for (QPushButton* b : {defaults, copy}) buttons->addWidget(b);
  buttons->addStretch();
  for (QPushButton* b : {ok, cancel}) buttons->addWidget(b);
  layout->addLayout(buttons);
  connect(defaults, &QPushButton::clicked, this, Guard([this] {
            model_.TakeDefaults();
            Refresh();
          }));
  connect(copy, &QPushButton::clicked, this, Guard(this, &PageSetupDialog::CopyFromFile));
  connect(ok, &QPushButton::clicked, this, &PageSetupDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

  askCopyFile = [this] {
    QStringList patterns;
    for (const std::string& ext : CVyPageSetupDlg::CopyExtensions(".vyx")) {
      QString e = Q(ext);
      patterns << Q("帐务数据文件 (*%1 *%2)").arg(e, e.toUpper());
    }
    return QFileDialog::getOpenFileName(this, Q(CVyPageSetupDlg::kCopyTitle), QString(), patterns.join(";;"));
  };
  Refresh();
}

void PageSetupDialog::Refresh() {
  fonts_->clear();
  for (const auto& row : model_.FontRows()) {
    QStringList texts;
    for (const std::string& t : row) texts << Q(t);
    fonts_->addTopLevelItem(new QTreeWidgetItem(texts));
  }
  std::vector<int> widths = model_.FontColumnWidths();
  for (int c = 0; c < static_cast<int>(widths.size()); ++c)
    fonts_->setColumnWidth(c, widths[static_cast<size_t>(c)]);
  for (int f = 0; f < CVyPageSetupDlg::kFieldCount; ++f) fields_[f]->SetGbkText(model_.field[f]);
  Paint(ruleSwatch_, model_.settings.FormLine);
  Paint(frameSwatch_, model_.settings.OutBox);
}

void PageSetupDialog::FieldsToModel() {
  for (int f = 0; f < CVyPageSetupDlg::kFieldCount; ++f) model_.field[f] = fields_[f]->GbkText();
}

void PageSetupDialog::ChooseFont(int ord) {
  if (ord < 0 || ord > 3) return;
  FieldsToModel();
  const VyLogFont& current = model_.settings.fonts[ord];
  bool ok = false;
  QFont chosen = QFontDialog::getFont(&ok, ToQFont(current, std::abs(current.height)), this);
  if (!ok) return;
  QColor colour = QColorDialog::getColor(ToQColor(model_.FontColour(ord)), this);
  model_.SetFont(ord, FromQFont(chosen, current),
                 colour.isValid() ? FromQColor(colour) : model_.FontColour(ord));
  Refresh();
}

void PageSetupDialog::ChooseColour(uint32_t& colour) {
  QColor chosen = QColorDialog::getColor(ToQColor(colour), this);
  if (!chosen.isValid()) return;
  colour = FromQColor(chosen);
  Paint(ruleSwatch_, model_.settings.FormLine);
  Paint(frameSwatch_, model_.settings.OutBox);
}

void PageSetupDialog::Step(CVyPageSetupDlg::Field f, int direction) {
  FieldsToModel();
  if (!model_.Step(f, direction)) {
    QApplication::beep();
    return;
  }
  fields_[f]->SetGbkText(model_.field[f]);
}

void PageSetupDialog::CopyFromFile() {
  QString path = askCopyFile();
  if (path.isEmpty()) return;
  auto g = G(path);
  if (!g) return;
  FieldsToModel();
  if (model_.CopyFrom(*g)) Refresh();
}

void PageSetupDialog::accept() {
  FieldsToModel();
  if (!model_.Confirm()) {
    fields_[model_.focus]->setFocus();
    fields_[model_.focus]->selectAll();
    return;
  }
  QDialog::accept();
}
