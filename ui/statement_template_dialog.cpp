// The template window: fields and grid are shown from the model and read back into it before anything the
// model does, so the model alone decides what is stored.
#include "statement_template_dialog.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "gbk_qt.h"
#include "guarded.h"
#include "statements/statement.h"

namespace {

QLineEdit* Field(int width) {
  auto* e = new QLineEdit;
  e->setMinimumWidth(width);
  return e;
}

QPushButton* Button(const char* text) {
  auto* b = new QPushButton(Q(text));
  b->setAutoDefault(false);
  return b;
}

}  // namespace

TemplateDialog::TemplateDialog(CTemplateDlg& model, QWidget* parent) : ModelDialog(parent, model) {
  setWindowTitle(Q(CTemplateDlg::Caption()));
  names_ = new QComboBox;
  names_->setEditable(true);
  names_->setInsertPolicy(QComboBox::NoInsert);
  names_->setMinimumWidth(220);
  auto* namesLabel = new QLabel(Q("&B.报表："));
  namesLabel->setBuddy(names_);
  auto* top = new QHBoxLayout;
  top->addWidget(namesLabel);
  top->addWidget(names_);
  top->addWidget(new QLabel(Q("（选一个报表，或输入新报表的名称后回车）")));
  top->addStretch();

  name_ = Field(200), column1_ = Field(120), column2_ = Field(120), checkCaption_ = Field(260);
  checkFormula_ = Field(260), closed_ = Field(200), profit_ = Field(120);
  auto* columns = new QHBoxLayout;
  columns->addWidget(column1_);
  columns->addWidget(column2_);
  columns->addStretch();
  auto* settings = new QFormLayout;
  settings->addRow(Q("名称："), name_);
  settings->addRow(Q("金额栏目："), columns);
  settings->addRow(Q("校验说明："), checkCaption_);
  settings->addRow(Q("校验公式："), checkFormula_);
  settings->addRow(Q("结转科目："), closed_);
  settings->addRow(Q("本年利润科目："), profit_);
  auto* help = new QPlainTextEdit;
  help->setReadOnly(true);
  QString helpText = Q("公式中可用的函数：");
  for (const std::string& line : StatementFunctionHelp()) helpText += "\n" + Q(line);
  help->setPlainText(helpText);
  auto* upper = new QHBoxLayout;
  upper->addLayout(settings);
  upper->addWidget(help, 1);

  const std::vector<std::string>& captions = CTemplateDlg::GridCaptions();
  grid_ = new QTableWidget(0, static_cast<int>(captions.size()));
  QStringList headers;
  for (const std::string& c : captions) headers << Q(c);
  grid_->setHorizontalHeaderLabels(headers);
  for (int c : {CTemplateDlg::kLineNo, CTemplateDlg::kIndent, CTemplateDlg::kSide}) grid_->setColumnWidth(c, 52);
  grid_->setColumnWidth(CTemplateDlg::kCaption, 280);
  grid_->setColumnWidth(CTemplateDlg::kFormula1, 320);
  grid_->setWordWrap(false);  // a long formula scrolls in its cell; the rows stay one line high
  grid_->verticalHeader()->setDefaultSectionSize(grid_->fontMetrics().height() + 8);
  grid_->horizontalHeader()->setStretchLastSection(true);

  auto* insert = Button("&A.增加行");
  auto* remove = Button("&D.删除行");
  auto* save = Button("&S.保存");
  auto* quit = Button("&X.退出");
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(insert);
  buttons->addWidget(remove);
  buttons->addStretch();
  buttons->addWidget(save);
  buttons->addWidget(quit);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addLayout(upper);
  layout->addWidget(grid_, 1);
  layout->addLayout(buttons);
  resize(1100, 720);

  // A name picked from the list, or typed and entered (a new one is no item, so only Enter tells of it).
  connect(names_, &QComboBox::textActivated, this, Guard(this, &TemplateDialog::OnChoose));
  connect(names_->lineEdit(), &QLineEdit::returnPressed, this,
          Guard([this] { OnChoose(names_->lineEdit()->text()); }));
  connect(insert, &QPushButton::clicked, this, Guard(this, &TemplateDialog::OnInsert));
  connect(remove, &QPushButton::clicked, this, Guard(this, &TemplateDialog::OnDelete));
  connect(save, &QPushButton::clicked, this, Guard(this, &TemplateDialog::OnSave));
  connect(quit, &QPushButton::clicked, this, &TemplateDialog::reject);
  connect(grid_, &QTableWidget::itemChanged, this, [this] { Edited(); });
  for (QLineEdit* e : {name_, column1_, column2_, checkCaption_, checkFormula_, closed_, profit_})
    connect(e, &QLineEdit::textEdited, this, [this] { Edited(); });
  ShowModel();
  grid_->setFocus();
}

void TemplateDialog::Edited() {
  if (!showing_) model_.modified = true;
}

void TemplateDialog::ShowModel() {
  showing_ = true;
  names_->clear();
  for (const std::string& n : model_.names) names_->addItem(Q(n));
  names_->setCurrentText(Q(model_.form.name));
  const StatementTemplate& f = model_.form;
  name_->setText(Q(f.name));
  column1_->setText(Q(f.columns[0]));
  column2_->setText(Q(f.columns[1]));
  checkCaption_->setText(Q(f.checkCaption));
  checkFormula_->setText(Q(f.checkFormula));
  closed_->setText(Q(f.closed));
  profit_->setText(Q(f.profitAccount));
  showing_ = false;
  ShowRows();
}

void TemplateDialog::ShowRows() {
  showing_ = true;
  grid_->setRowCount(static_cast<int>(model_.rows.size()));
  for (int r = 0; r < grid_->rowCount(); ++r)
    for (int c = 0; c < grid_->columnCount(); ++c) {
      auto* item = new QTableWidgetItem(Q(model_.rows[static_cast<size_t>(r)][static_cast<size_t>(c)]));
      if (c <= CTemplateDlg::kSide) item->setTextAlignment(Qt::AlignCenter);
      grid_->setItem(r, c, item);
    }
  showing_ = false;
}

void TemplateDialog::ReadFields() {
  StatementTemplate& f = model_.form;
  auto text = [](QLineEdit* e) { return G(e->text()).value_or(""); };
  f.name = text(name_);
  f.columns[0] = text(column1_);
  f.columns[1] = text(column2_);
  f.checkCaption = text(checkCaption_);
  f.checkFormula = text(checkFormula_);
  f.closed = text(closed_);
  f.profitAccount = text(profit_);
}

void TemplateDialog::ReadRows() {
  model_.rows.assign(static_cast<size_t>(grid_->rowCount()), {});
  for (int r = 0; r < grid_->rowCount(); ++r)
    for (int c = 0; c < grid_->columnCount(); ++c)
      if (QTableWidgetItem* item = grid_->item(r, c))
        model_.rows[static_cast<size_t>(r)][static_cast<size_t>(c)] = G(item->text()).value_or("");
}

void TemplateDialog::OnChoose(const QString& name) {
  std::string chosen = G(name.trimmed()).value_or("");
  if (chosen.empty() || (chosen == model_.form.name && !model_.isNew)) return;
  ReadFields();
  ReadRows();
  model_.Choose(chosen);  // when the user keeps the changes, the same template is shown again
  ShowModel();
}

void TemplateDialog::OnSave() {
  ReadFields();
  ReadRows();
  bool saved = model_.OnOk();
  if (saved) {
    ShowModel();
    return;
  }
  ShowRows();  // blank rows have gone, so that a row the refusal names is the row shown
  const std::string& focus = model_.focus;
  if (focus == "rows" && model_.focusRow >= 0) {
    grid_->setCurrentCell(model_.focusRow, CTemplateDlg::kFormula1);
    grid_->setFocus();
  } else if (focus == "name") {
    name_->setFocus();
  } else if (focus == "check") {
    checkFormula_->setFocus();
  } else if (focus == "closed") {
    closed_->setFocus();
  }
}

void TemplateDialog::OnInsert() {
  ReadRows();
  int at = grid_->currentRow() < 0 ? grid_->rowCount() : grid_->currentRow();
  model_.InsertRow(at);
  ShowRows();
  grid_->setCurrentCell(at, CTemplateDlg::kLineNo);
  grid_->setFocus();
}

void TemplateDialog::OnDelete() {
  int at = grid_->currentRow();
  if (at < 0) return;
  ReadRows();
  model_.DeleteRow(at);
  ShowRows();
  grid_->setCurrentCell(std::min(at, grid_->rowCount() - 1), grid_->currentColumn());
}

void TemplateDialog::reject() {
  if (model_.CanLeave()) QDialog::reject();
}
