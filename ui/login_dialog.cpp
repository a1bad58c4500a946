#include "login_dialog.h"

#include <QComboBox>
#include <QDir>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/data_folder_list.h"
#include "gbk_qt.h"
#include "guarded.h"
#include "mask_edit.h"

namespace {
AccountSetSearchHook& SearchHook() {
  static AccountSetSearchHook hook;
  return hook;
}

constexpr int kIsFolderRole = Qt::UserRole + 1;

// The user's home folder, else the root.
std::string HomeFolder() {
  return G(QDir::homePath()).value_or("/");
}

QLineEdit* DisplayBox(QWidget* parent) {
  auto* box = new QLineEdit(parent);
  box->setReadOnly(true);
  box->setFocusPolicy(Qt::NoFocus);
  return box;
}
}  // namespace

void LoginDialog::SetSearchHook(AccountSetSearchHook hook) {
  SearchHook() = std::move(hook);
}

LoginDialog::LoginDialog(CHobdFileDlg& model, QWidget* parent) : ModelDialog(parent, model) {
  setWindowTitle(Q(CHobdFileDlg::Title()));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(BuildFilePart(), 1);
  layout->addWidget(BuildPanel());

  model_.OnInitDialog();
  const std::string& shown = model_.ShownFile();
  ShowFolder(shown.empty() ? HomeFolder() : FolderOf(shown));
  ShowModel();
  ApplyFocus();
  resize(600, 480);
}

QWidget* LoginDialog::BuildFilePart() {
  auto* part = new QWidget(this);
  auto* grid = new QGridLayout(part);
  grid->setContentsMargins(0, 0, 0, 0);

  lookIn_ = new QComboBox(part);
  up_ = new QToolButton(part);
  up_->setIcon(style()->standardIcon(QStyle::SP_FileDialogToParent));
  up_->setToolTip(Q("向上一级"));
  auto* lookInRow = new QHBoxLayout;
  lookInRow->addWidget(lookIn_, 1);
  lookInRow->addWidget(up_);
  auto* lookInLabel = new QLabel(Q("查找范围(&I)："), part);
  lookInLabel->setBuddy(lookIn_);
  grid->addWidget(lookInLabel, 0, 0);
  grid->addLayout(lookInRow, 0, 1, 1, 2);

  list_ = new QListWidget(part);
  list_->setViewMode(QListView::ListMode);
  list_->setFlow(QListView::TopToBottom);
  list_->setWrapping(true);
  list_->setResizeMode(QListView::Adjust);
  list_->setSpacing(2);
  list_->setMinimumHeight(170);
  grid->addWidget(list_, 1, 0, 1, 3);

  fileName_ = new QLineEdit(part);
  fileName_->setReadOnly(true);
  fileType_ = new QComboBox(part);
  std::string filter = CHobdFileDlg::Filter();
  fileType_->addItem(Q(filter.substr(0, filter.find(')') + 1)));
  ok_ = new QPushButton(Q("确定"), part);
  cancel_ = new QPushButton(Q("放弃"), part);
  ok_->setDefault(true);
  auto* nameLabel = new QLabel(Q("文件名(&N)："), part);
  nameLabel->setBuddy(fileName_);
  auto* typeLabel = new QLabel(Q("文件类型(&T)："), part);
  typeLabel->setBuddy(fileType_);
  grid->addWidget(nameLabel, 2, 0);
  grid->addWidget(fileName_, 2, 1);
  grid->addWidget(ok_, 2, 2);
  grid->addWidget(typeLabel, 3, 0);
  grid->addWidget(fileType_, 3, 1);
  grid->addWidget(cancel_, 3, 2);
  grid->setColumnStretch(1, 1);

  connect(up_, &QToolButton::clicked, this, Guard([this] { ShowFolder(ParentFolder(folder_)); }));
  connect(lookIn_, &QComboBox::activated, this, Guard([this](int index) {
            if (auto folder = G(lookIn_->itemData(index).toString())) ShowFolder(*folder);
          }));
  connect(list_, &QListWidget::itemClicked, this,
          Guard([this](QListWidgetItem* item) { PickEntry(item->text(), false); }));
  connect(list_, &QListWidget::itemActivated, this,
          Guard([this](QListWidgetItem* item) { PickEntry(item->text(), true); }));
  connect(ok_, &QPushButton::clicked, this, &LoginDialog::accept);
  connect(cancel_, &QPushButton::clicked, this, &LoginDialog::reject);
  return part;
}

QWidget* LoginDialog::BuildPanel() {
  auto* panel = new QGroupBox(this);
  auto* grid = new QGridLayout(panel);
  unit_ = DisplayBox(panel);
  year_ = DisplayBox(panel);
  date_ = DisplayBox(panel);
  operators_ = new QComboBox(panel);
  operators_->setMinimumContentsLength(12);
  password_ = new MaskEdit(panel);
  password_->setEchoMode(QLineEdit::Password);
  password_->SetMask(CHobdFileDlg::PasswordMask());
  search_ = new QPushButton(Q("搜索(&S)..."), panel);
  search_->setEnabled(static_cast<bool>(SearchHook()));

  auto label = [panel](const char* text, QWidget* buddy) {
    auto* l = new QLabel(Q(text), panel);
    l->setBuddy(buddy);
    return l;
  };
  grid->addWidget(label("单位名：", unit_), 0, 0);
  grid->addWidget(unit_, 0, 1, 1, 3);
  grid->addWidget(label("年度：", year_), 0, 4);
  grid->addWidget(year_, 0, 5);
  grid->addWidget(label("操作员(&O)：", operators_), 1, 0);
  grid->addWidget(operators_, 1, 1);
  grid->addWidget(label("操作员口令(&P)：", password_), 1, 2);
  grid->addWidget(password_, 1, 3);
  grid->addWidget(label("时间：", date_), 2, 0);
  grid->addWidget(date_, 2, 1);
  grid->addWidget(search_, 2, 5);
  grid->setColumnStretch(1, 2);
  grid->setColumnStretch(3, 2);
  grid->setColumnStretch(5, 1);

  connect(operators_, &QComboBox::currentIndexChanged, this,
          Guard([this](int index) { model_.selectedOperator = index; }));
  // Choosing an operator in the drop-down leads on to the password.
  connect(operators_, &QComboBox::activated, this, Guard([this](int index) {
            model_.selectedOperator = index;
            model_.OnOperatorListClosed();
            ApplyFocus();
          }));
  connect(password_, &MaskEdit::GbkTextChanged, this,
          Guard([this](const std::string& text) { model_.password = text; }));
  connect(search_, &QPushButton::clicked, this, Guard(this, &LoginDialog::Search));
  return panel;
}

void LoginDialog::ShowFolder(const std::string& folder) {
  folder_ = folder;
  list_->clear();
  QIcon folderIcon = style()->standardIcon(QStyle::SP_DirIcon);
  QIcon fileIcon = style()->standardIcon(QStyle::SP_FileIcon);
  std::string shownName = NameOf(model_.ShownFile());
  bool shownHere = !model_.ShownFile().empty() && FolderOf(model_.ShownFile()) == folder_;
  for (const FolderEntry& e : DataFolderEntries(folder_, model_.Extension())) {
    auto* item = new QListWidgetItem(e.isFolder ? folderIcon : fileIcon, Q(e.name), list_);
    item->setData(kIsFolderRole, e.isFolder);
    if (shownHere && !e.isFolder && e.name == shownName) list_->setCurrentItem(item);
  }
  // 查找范围 lists the folder and every folder above it.
  lookIn_->clear();
  std::vector<std::string> chain;
  for (std::string f = folder_;; f = ParentFolder(f)) {
    chain.insert(chain.begin(), f);
    if (ParentFolder(f) == f) break;
  }
  for (const std::string& f : chain) lookIn_->addItem(folderIcon, Q(f), Q(f));
  lookIn_->setCurrentIndex(lookIn_->count() - 1);
  up_->setEnabled(ParentFolder(folder_) != folder_);
}

void LoginDialog::PickEntry(const QString& name, bool open) {
  auto gbkName = G(name);
  if (!gbkName) return;
  std::string path = JoinPath(folder_, *gbkName);
  for (int i = 0; i < list_->count(); ++i) {
    QListWidgetItem* item = list_->item(i);
    if (item->text() != name) continue;
    if (item->data(kIsFolderRole).toBool()) {
      if (open) ShowFolder(path);
      return;
    }
  }
  ChooseFile(path);
  // A double click chooses the file and confirms at once.
  if (open && model_.ShownFile() == path) accept();
}

void LoginDialog::ChooseFile(const std::string& path) {
  model_.OnFileChanged(path);
  ShowModel();
  ApplyFocus();
}

void LoginDialog::Search() {
  if (!SearchHook()) return;
  std::optional<std::string> path = SearchHook()(this);
  if (!path) return;
  model_.fileName = *path;
  if (*path != model_.ShownFile()) model_.OnFileChanged(*path);
  if (!model_.ShownFile().empty()) ShowFolder(FolderOf(model_.ShownFile()));
  ShowModel();
  ApplyFocus();
}

void LoginDialog::ShowModel() {
  fileName_->setText(Q(model_.fileName));
  unit_->setText(Q(model_.unitName));
  year_->setText(Q(model_.yearText));
  date_->setText(Q(model_.dateText));
  {
    QSignalBlocker block(operators_);
    operators_->clear();
    for (const std::string& item : model_.operatorItems) operators_->addItem(Q(item));
    operators_->setCurrentIndex(model_.selectedOperator);
  }
  operators_->setEnabled(model_.operatorEnabled);
  password_->setEnabled(model_.passwordEnabled);
  ok_->setEnabled(model_.okEnabled);
}

void LoginDialog::ApplyFocus() {
  switch (model_.focus) {
    case CHobdFileDlg::Focus::FileList:
      list_->setFocus();
      break;
    case CHobdFileDlg::Focus::Operator:
      operators_->setFocus();
      break;
    case CHobdFileDlg::Focus::Password:
      password_->setFocus();
      password_->selectAll();
      break;
    case CHobdFileDlg::Focus::None:
      break;
  }
}

void LoginDialog::accept() {
  if (!ok_->isEnabled()) return;
  if (model_.OnOk()) {
    QDialog::accept();
    return;
  }
  ApplyFocus();
}
