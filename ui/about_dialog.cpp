#include "about_dialog.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "gbk_qt.h"
#include "glyph_icon.h"

AboutDialog::AboutDialog(const QString& text, QWidget* parent) : QDialog(parent) {
  setWindowTitle(Q("关于Tavrel报表软件"));
  auto* icon = new QLabel(this);
  icon->setPixmap(ProgramIcon().pixmap(48, 48));
  auto* label = new QLabel(text, this);
  label->setObjectName("aboutText");
  auto* row = new QHBoxLayout;
  row->addWidget(icon, 0, Qt::AlignTop);
  row->addSpacing(12);
  row->addWidget(label, 1, Qt::AlignVCenter);
  auto* buttons = new QDialogButtonBox(this);
  QPushButton* ok = buttons->addButton(Q("确定"), QDialogButtonBox::AcceptRole);
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(18, 18, 18, 12);
  layout->addLayout(row);
  layout->addSpacing(12);
  layout->addWidget(buttons);
  setFixedSize(sizeHint().expandedTo(QSize(320, 0)));
}
