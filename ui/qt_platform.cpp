#include "qt_platform.h"

#include <QApplication>
#include <QClipboard>
#include <QDateTime>
#include <QFontMetrics>
#include <QGridLayout>
#include <QMessageBox>
#include <QPrinterInfo>
#include <QPushButton>
#include <algorithm>

#include "base/file_facts.h"
#include "gbk_qt.h"

namespace {

QMessageBox::Icon IconOf(MsgIcon icon) {
  switch (icon) {
    case MsgIcon::Exclamation:
    case MsgIcon::Warning:
      return QMessageBox::Warning;
    case MsgIcon::Stop:
      return QMessageBox::Critical;
    case MsgIcon::Information:
      return QMessageBox::Information;
    case MsgIcon::Question:
      return QMessageBox::Question;
    case MsgIcon::None:
      break;
  }
  return QMessageBox::NoIcon;
}

struct ButtonOf {
  MsgAnswer answer;
  QMessageBox::StandardButton button;
  const char* text;
};
const ButtonOf kButtons[] = {{MsgAnswer::Yes, QMessageBox::Yes, "是(&Y)"},
                             {MsgAnswer::No, QMessageBox::No, "否(&N)"},
                             {MsgAnswer::Ok, QMessageBox::Ok, "确定"},
                             {MsgAnswer::Cancel, QMessageBox::Cancel, "取消"}};

std::vector<MsgAnswer> AnswersOf(MsgButtons buttons) {
  switch (buttons) {
    case MsgButtons::Ok:
      return {MsgAnswer::Ok};
    case MsgButtons::OkCancel:
      return {MsgAnswer::Ok, MsgAnswer::Cancel};
    case MsgButtons::YesNo:
      return {MsgAnswer::Yes, MsgAnswer::No};
    case MsgButtons::YesNoCancel:
      return {MsgAnswer::Yes, MsgAnswer::No, MsgAnswer::Cancel};
  }
  return {MsgAnswer::Ok};
}

}  // namespace

void WidenForCaption(QMessageBox& box) {
  // The window manager cuts a caption wider than the box ("修改结束" over a short "记帐完毕！"): the box is
  // made as wide as its caption with room for the title bar's icon and buttons.
  int needed = QFontMetrics(box.font()).horizontalAdvance(box.windowTitle()) + kCaptionRoom;
  if (auto* grid = qobject_cast<QGridLayout*>(box.layout()))
    grid->addItem(new QSpacerItem(needed, 0, QSizePolicy::Minimum, QSizePolicy::Minimum), grid->rowCount(), 0, 1,
                  grid->columnCount());
}

MsgAnswer QtPlatform::MessageBox(const std::string& text, const std::string& caption, MsgIcon icon,
                                 MsgButtons buttons, MsgAnswer defaultButton) {
  QWidget* parent = QApplication::activeModalWidget();
  if (!parent) parent = QApplication::activeWindow();
  QMessageBox box(IconOf(icon), Q(caption), Q(text), QMessageBox::NoButton, parent);
  std::vector<MsgAnswer> answers = AnswersOf(buttons);
  for (const ButtonOf& b : kButtons) {
    if (std::find(answers.begin(), answers.end(), b.answer) == answers.end()) continue;
    QPushButton* button = box.addButton(b.button);
    button->setText(Q(b.text));
    if (b.answer == defaultButton) box.setDefaultButton(button);
  }
  // Esc gives the harmless answer: Cancel where there is one, else No, else OK.
  for (MsgAnswer escape : {MsgAnswer::Cancel, MsgAnswer::No, MsgAnswer::Ok}) {
    if (std::find(answers.begin(), answers.end(), escape) == answers.end()) continue;
    for (const ButtonOf& b : kButtons)
      if (b.answer == escape) box.setEscapeButton(box.button(b.button));
    break;
  }
  WidenForCaption(box);
  box.exec();
  QAbstractButton* clicked = box.clickedButton();
  for (const ButtonOf& b : kButtons)
    if (clicked && clicked == box.button(b.button)) return b.answer;
  return answers.back();
}

std::string QtPlatform::ClipboardText() {
  // Text that GBK cannot hold does not enter the program.
  return G(QApplication::clipboard()->text()).value_or(std::string());
}

void QtPlatform::SetClipboardText(const std::string& text) {
  QApplication::clipboard()->setText(Q(text));
}

DateTime QtPlatform::Now() {
  QDateTime now = QDateTime::currentDateTime();
  QDate d = now.date();
  QTime t = now.time();
  return {d.year(), d.month(), d.day(), t.hour(), t.minute(), t.second()};
}

void QtPlatform::BeginWaitCursor() {
  QApplication::setOverrideCursor(Qt::WaitCursor);
}
void QtPlatform::EndWaitCursor() {
  QApplication::restoreOverrideCursor();
}

FileFacts QtPlatform::QueryFile(const std::string& path) {
  return QueryRealFile(path);
}

std::vector<std::string> QtPlatform::Printers() {
  std::vector<std::string> names;
  for (const QString& name : QPrinterInfo::availablePrinterNames())
    if (auto gbkName = G(name)) names.push_back(*gbkName);
  return names;
}
