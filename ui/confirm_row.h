#pragma once
// The "&S.确认" and "&X.取消" buttons at the foot of a dialog: 确认 is the default button (fields that take
// Enter themselves pass it on to it), 取消 closes the dialog and never takes Enter.
#include <QDialog>

class QHBoxLayout;
class QPushButton;

QHBoxLayout* ConfirmRow(QDialog* dialog, QPushButton*& ok, QPushButton*& cancel);
