#include "chart_print_dialog.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "confirm_row.h"
#include "gbk_qt.h"
#include "guarded.h"

SubjectChoiceDialog::SubjectChoiceDialog(CSubjectChoiceDlg& model, QWidget* parent)
    : ModelDialog(parent, model) {
  setWindowTitle(Q(CSubjectChoiceDlg::Caption()));
  all_ = new QRadioButton(Q("全部科目"));
  one_ = new QRadioButton(Q("指定科目"));
  auto* group = new QButtonGroup(this);
  group->addButton(all_);
  group->addButton(one_);
  code_ = new QLineEdit(Q(model_.code));
  code_->setMaxLength(14);
  code_->setMinimumWidth(160);
  code_->installEventFilter(this);
  all_->installEventFilter(this);
  one_->installEventFilter(this);
  // The field drops | ' [ and * whenever its text changes.
  connect(code_, &QLineEdit::textChanged, this, Guard([this](const QString& now) {
            std::string typed = G(now).value_or("");
            std::string clean = CSubjectChoiceDlg::CleanCode(typed);
            if (clean != typed) code_->setText(Q(clean));
          }));
  connect(all_, &QRadioButton::toggled, this, Guard([this](bool on) { Choose(on); }));

  auto* box = new QGroupBox(Q("打印范围"));
  auto* grid = new QGridLayout(box);
  grid->addWidget(all_, 0, 0);
  grid->addWidget(one_, 1, 0);
  grid->addWidget(code_, 1, 1);

  QHBoxLayout* buttons = ConfirmRow(this, ok_, cancel_);
  connect(ok_, &QPushButton::clicked, this, Guard(this, &SubjectChoiceDialog::OnOk));

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(box);
  layout->addLayout(buttons);

  (model_.all ? all_ : one_)->setChecked(true);
  Choose(model_.all);
  (model_.all ? static_cast<QWidget*>(all_) : code_)->setFocus();
}

void SubjectChoiceDialog::Choose(bool all) {
  model_.code = G(code_->text()).value_or("");
  model_.ChooseAll(all);
  code_->setText(Q(model_.code));
  code_->setEnabled(model_.codeEnabled);
}

void SubjectChoiceDialog::OnOk() {
  model_.code = G(code_->text()).value_or("");
  if (AcceptWhenTaken()) return;
  code_->setFocus();
  code_->selectAll();
}

bool SubjectChoiceDialog::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress) {
    int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      // From the choice to the code (when it is open) and on to 确认.
      if ((watched == one_ || watched == all_) && code_->isEnabled())
        code_->setFocus();
      else
        ok_->setFocus();
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}
