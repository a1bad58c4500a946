#include "opening_browser_dialog.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "accounts/account_full_name.h"
#include "accounts/opening_edit_dlg.h"
#include "gbk_qt.h"
#include "guarded.h"
#include "opening_edit_dialog.h"

namespace {

QLineEdit* TotalField() {
  auto* field = new QLineEdit;
  field->setReadOnly(true);
  field->setAlignment(Qt::AlignRight);
  field->setMinimumWidth(130);
  return field;
}

bool IsEnter(int key) {
  return key == Qt::Key_Return || key == Qt::Key_Enter;
}

}  // namespace

OpeningBalanceDialog::OpeningBalanceDialog(CVyDataEnv& env, QWidget* parent)
    : ModelDialog(parent, env), env_(env) {
  setWindowTitle(Q(COpeningBrowserDlg::Caption()));
  level_ = new QLabel;
  table_ = new QTableWidget(0, 4);
  QStringList captions;
  for (const std::string& c : COpeningBrowserDlg::ColumnCaptions()) captions << Q(c);
  table_->setHorizontalHeaderLabels(captions);
  table_->setSelectionBehavior(QAbstractItemView::SelectRows);
  table_->setSelectionMode(QAbstractItemView::SingleSelection);
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table_->verticalHeader()->hide();
  table_->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
  table_->setColumnWidth(0, 130);
  table_->setColumnWidth(2, 60);
  table_->setColumnWidth(3, 150);
  table_->setMinimumSize(620, 320);
  table_->installEventFilter(this);
  connect(table_, &QTableWidget::cellDoubleClicked, this, Guard([this](int row, int) {
            model_.selected = row;
            Open();
          }));
  connect(table_, &QTableWidget::currentCellChanged, this, Guard([this](int row) { model_.selected = row; }));

  debit_ = TotalField();
  credit_ = TotalField();
  difference_ = TotalField();
  auto* totals = new QHBoxLayout;
  totals->addWidget(new QLabel(Q("本级借方余额合计")));
  totals->addWidget(debit_);
  totals->addSpacing(12);
  totals->addWidget(new QLabel(Q("本级贷方余额合计")));
  totals->addWidget(credit_);
  totals->addSpacing(12);
  totals->addWidget(new QLabel(Q("借－贷＝")));
  totals->addWidget(difference_);

  auto* buttons = new QDialogButtonBox;
  auto* open = buttons->addButton(Q("&E.进入/修改"), QDialogButtonBox::ActionRole);
  auto* back = buttons->addButton(Q("&X.返回"), QDialogButtonBox::RejectRole);
  open->setAutoDefault(false);
  back->setAutoDefault(false);
  connect(open, &QPushButton::clicked, this, Guard(this, &OpeningBalanceDialog::Open));
  connect(back, &QPushButton::clicked, this, Guard(this, &OpeningBalanceDialog::Back));

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(level_);
  layout->addWidget(table_);
  layout->addLayout(totals);
  layout->addWidget(new QLabel(Q("回车：打开下级科目或修改期初余额    Esc：返回上一级")));
  layout->addWidget(buttons);

  ready_ = model_.OnInitDialog();
  if (ready_) Fill();
  table_->setFocus();
}

void OpeningBalanceDialog::Fill() {
  const std::string parent = model_.Parent();
  level_->setText(parent.empty() ? Q("一级科目")
                                 : Q("上级科目：" + parent + "  " + AccountFullName(env_, parent, 60)));
  const auto& lines = model_.Lines();
  // Resizing the table moves its current row when the old one is gone (a parent listed below its
  // children's count); that move is the table's, not the user's, and must not become the model's choice.
  const int selected = model_.selected;
  const QSignalBlocker quiet(table_);
  table_->setRowCount(static_cast<int>(lines.size()));
  for (int r = 0; r < static_cast<int>(lines.size()); ++r) {
    const COpeningBrowserDlg::Line& l = lines[static_cast<size_t>(r)];
    const std::string cells[] = {l.code, l.name, l.side, l.amount};
    for (int c = 0; c < 4; ++c) {
      auto* item = new QTableWidgetItem(Q(cells[c]));
      if (c == 2) item->setTextAlignment(Qt::AlignCenter);
      if (c == 3) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
      table_->setItem(r, c, item);
    }
  }
  if (selected >= 0) {
    table_->setCurrentCell(selected, 0);
    table_->scrollToItem(table_->item(selected, 0));
  }
  debit_->setText(Q(model_.DebitText()));
  credit_->setText(Q(model_.CreditText()));
  difference_->setText(Q(model_.DifferenceText()));
}

void OpeningBalanceDialog::Open() {
  switch (model_.OnEnter()) {
    case COpeningBrowserDlg::EnterResult::Descended:
      Fill();
      break;
    case COpeningBrowserDlg::EnterResult::Edit:
      Edit(model_.SelectedCode());
      break;
    case COpeningBrowserDlg::EnterResult::Nothing:
      break;
  }
}

void OpeningBalanceDialog::Edit(const std::string& code) {
  COpeningEditDlg edit(env_, code);
  if (!edit.OnInitDialog()) return;
  OpeningEditDialog dialog(edit, this);
  if (dialog.exec() != QDialog::Accepted) return;
  model_.Refresh();
  Fill();
}

void OpeningBalanceDialog::reject() {
  model_.OnClose();
  ModelDialog::reject();
}

void OpeningBalanceDialog::Back() {
  if (model_.OnEscape())
    Fill();
  else
    reject();
}

bool OpeningBalanceDialog::eventFilter(QObject* watched, QEvent* event) {
  if (watched == table_ && event->type() == QEvent::KeyPress) {
    int key = static_cast<QKeyEvent*>(event)->key();
    if (IsEnter(key)) {
      Open();
      return true;
    }
    if (key == Qt::Key_Escape) {
      Back();
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

void OpeningBalanceDialog::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    Back();
    return;
  }
  if (IsEnter(event->key())) {
    Open();
    return;
  }
  QDialog::keyPressEvent(event);
}
