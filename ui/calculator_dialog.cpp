#include "calculator_dialog.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "gbk_qt.h"
#include "guarded.h"

CalculatorDialog::CalculatorDialog(QWidget* parent, const std::string& expression, bool canSend,
                                   CVyDataEnv* env)
    : QDialog(parent), own_(std::in_place, expression, canSend), model_(*own_) {
  Build(env);
}

CalculatorDialog::CalculatorDialog(CCalculatorDlg& model, QWidget* parent, CVyDataEnv* env)
    : QDialog(parent), model_(model) {
  Build(env);
}

void CalculatorDialog::Build(CVyDataEnv* env) {
  if (env && env->IsOpen()) model_.LoadVariables(*env);
  setWindowTitle(Q(CCalculatorDlg::Title()));

  expression_ = new QPlainTextEdit(this);
  expression_->setTabChangesFocus(true);
  expression_->setMinimumSize(360, 90);
  expression_->installEventFilter(this);
  result_ = new QLineEdit(this);
  result_->setReadOnly(true);
  auto* resultLabel = new QLabel(Q(CCalculatorDlg::ResultLabel()), this);
  resultLabel->setBuddy(result_);

  compute_ = new QPushButton(Q(CCalculatorDlg::ComputeCaption()), this);
  clear_ = new QPushButton(Q(CCalculatorDlg::ClearCaption()), this);
  send_ = new QPushButton(Q(CCalculatorDlg::SendCaption()), this);
  cancel_ = new QPushButton(Q(CCalculatorDlg::CancelCaption()), this);
  for (QPushButton* b : {compute_, clear_, send_, cancel_}) b->setAutoDefault(false);
  send_->setEnabled(model_.SendEnabled());
  (model_.DefaultButton() == CCalculatorDlg::Button::Send ? send_ : compute_)->setDefault(true);

  auto* buttons = new QVBoxLayout;
  for (QPushButton* b : {compute_, clear_, send_, cancel_}) buttons->addWidget(b);
  buttons->addStretch();

  auto* grid = new QGridLayout(this);
  grid->addWidget(expression_, 0, 0, 1, 2);
  grid->addLayout(buttons, 0, 2, 2, 1);
  grid->addWidget(resultLabel, 1, 0);
  grid->addWidget(result_, 1, 1);
  if (!model_.variables.empty()) {
    variables_ = new QListWidget(this);
    for (const CalcVariable& v : model_.variables) variables_->addItem(Q(CCalculatorDlg::VariableLine(v)));
    variables_->setMaximumHeight(110);
    grid->addWidget(new QLabel(Q(CCalculatorDlg::VariablesLabel()), this), 2, 0, 1, 3);
    grid->addWidget(variables_, 3, 0, 1, 3);
    connect(variables_, &QListWidget::itemDoubleClicked, this,
            Guard(this, &CalculatorDialog::OnVariableChosen));
  }
  grid->setColumnStretch(1, 1);

  connect(compute_, &QPushButton::clicked, this, Guard(this, &CalculatorDialog::OnCompute));
  connect(clear_, &QPushButton::clicked, this, Guard(this, &CalculatorDialog::OnClear));
  connect(send_, &QPushButton::clicked, this, Guard(this, &CalculatorDialog::OnSend));
  connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);

  expression_->setPlainText(Q(model_.expression));
  expression_->moveCursor(QTextCursor::End);
  expression_->setFocus();
}

bool CalculatorDialog::eventFilter(QObject* watched, QEvent* event) {
  // Enter in the expression presses the default button, as in the other dialogs; Ctrl+Enter starts a new
  // line of the expression.
  if (watched == expression_ && event->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(event);
    if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) &&
        !(key->modifiers() & Qt::ControlModifier)) {
      (model_.DefaultButton() == CCalculatorDlg::Button::Send ? send_ : compute_)->click();
      return true;
    }
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
      expression_->insertPlainText("\n");
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

bool CalculatorDialog::TakeExpression() {
  std::optional<std::string> text = G(expression_->toPlainText());
  if (!text) {
    result_->setText(Q("表达式中有不能识别的字符！"));
    expression_->setFocus();
    return false;
  }
  model_.expression = *text;
  return true;
}

void CalculatorDialog::ShowModel() {
  if (Q(model_.expression) != expression_->toPlainText()) expression_->setPlainText(Q(model_.expression));
  result_->setText(Q(model_.result));
  result_->setCursorPosition(0);
  expression_->setFocus();
}

void CalculatorDialog::OnCompute() {
  if (!TakeExpression()) return;
  model_.OnCompute();
  ShowModel();
}

void CalculatorDialog::OnClear() {
  model_.OnClear();
  ShowModel();
}

void CalculatorDialog::OnSend() {
  if (!TakeExpression()) return;
  bool sent = model_.OnSend();
  ShowModel();
  if (sent) accept();
}

void CalculatorDialog::OnVariableChosen(QListWidgetItem* item) {
  expression_->insertPlainText(Q(model_.VariableInsertion(static_cast<size_t>(variables_->row(item)))));
  expression_->setFocus();
}

std::optional<std::string> RunCalculator(QWidget* parent, const std::string& expression, bool canSend,
                                         CVyDataEnv* env) {
  CalculatorDialog dialog(parent, expression, canSend, env);
  if (dialog.exec() != QDialog::Accepted || !canSend) return std::nullopt;
  return dialog.Model().result;
}
