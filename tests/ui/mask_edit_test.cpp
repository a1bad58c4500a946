#include "mask_edit.h"

#include <gtest/gtest.h>

#include <QKeyEvent>
#include <string>
#include <vector>

#include "gbk_qt.h"
#include "qt_app.h"

namespace {

void Type(MaskEdit& e, const QString& text) {
  for (QChar c : text) {
    QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
    QApplication::sendEvent(&e, &press);
  }
}

TEST(MaskEdit, FiltersWhatIsTypedPastedOrReplaced) {
  App();
  MaskEdit month;
  month.SetMask("NUMBER 1 12");
  Type(month, Q("1-23"));
  EXPECT_EQ(month.GbkText(), "12");
  month.selectAll();
  Type(month, Q("9"));  // replacing the selection is one insertion into ""
  EXPECT_EQ(month.GbkText(), "9");

  MaskEdit name;
  name.SetMask("STRING NOT |[]'\"", 6);
  Type(name, Q("a|b c中"));
  EXPECT_EQ(name.GbkText(), "abc中");
  name.insert(Q("x|y"));               // a paste: not every character of it is forbidden
  EXPECT_EQ(name.GbkText(), "abc中");  // but it would be 8 bytes
  name.clear();
  name.insert(Q("x|y"));
  EXPECT_EQ(name.GbkText(), "x|y");

  MaskEdit code;
  code.SetMask("CLASSNOSTRING", 2);
  Type(code, Q("101-2-3-4"));
  EXPECT_EQ(code.GbkText(), "101-2-34");

  MaskEdit any;
  Type(any, QString(QChar(0x20AC)) + Q("中"));  // the euro sign: GBK cannot hold it
  EXPECT_EQ(any.GbkText(), "中");
}

TEST(MaskEdit, ReportsOnlyTextsThatStay) {
  App();
  MaskEdit year;
  year.SetMask(FieldMask{"STRING 0123456789", 4});
  std::vector<std::string> seen;
  QObject::connect(&year, &MaskEdit::GbkTextChanged, [&](const std::string& t) { seen.push_back(t); });
  QString lastChanged;
  QObject::connect(&year, &QLineEdit::textChanged, [&](const QString& t) { lastChanged = t; });
  Type(year, Q("2a"));
  year.insert(Q("x"));
  year.insert(Q("02"));
  year.SetGbkText("1999");
  EXPECT_EQ(seen, (std::vector<std::string>{"2", "202", "1999"}));
  year.insert(Q("7"));
  EXPECT_EQ(lastChanged, "19997");  // what QLineEdit says of a refused edit
  EXPECT_EQ(year.text(), "1999");
  EXPECT_EQ(seen.size(), 3u);
}

}  // namespace
