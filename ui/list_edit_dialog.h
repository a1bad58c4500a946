#pragma once
// The list dialogs whose core model adds, modifies and deletes the lines of one list (the currencies, the
// rates of a currency): the add button, Enter or a double click on a line to modify it, Delete to delete
// it, and 退出; the list is shown again after each change.
#include <QEvent>
#include <QPushButton>
#include <QTreeWidget>

#include "column_list.h"
#include "face_owner.h"
#include "gbk_qt.h"
#include "guarded.h"
#include "model_dialog.h"

class CVyDataEnv;

template <class Model>
class ListEditDialog : public ModelDialog<Model> {
 public:
  QPushButton* AddButton() const { return add_; }

 protected:
  ListEditDialog(CVyDataEnv& env, QWidget* parent) : ModelDialog<Model>(parent, env) {
    add_ = new QPushButton(Q(Model::AddButtonText()));
    add_->setAutoDefault(false);
    close_ = new QPushButton(Q("&X.退出"));
    close_->setAutoDefault(false);
  }

  // Connects the keys and the buttons to edited, the list whose lines they change.
  void WireEditing(QTreeWidget* edited) {
    edited_ = edited;
    QObject::connect(edited, &QTreeWidget::itemDoubleClicked, this, Guard([this] { OnModify(); }));
    QObject::connect(add_, &QPushButton::clicked, this, Guard([this] {
                       FaceOwner over(this);
                       this->model_.OnAdd();
                       Sync();
                       edited_->setFocus();
                     }));
    QObject::connect(close_, &QPushButton::clicked, this, &QDialog::accept);
  }

  // Shows the model's lines.
  virtual void Sync() = 0;

  bool eventFilter(QObject* watched, QEvent* event) override {
    auto remove = [this] {
      this->model_.OnDeleteKey();
      Sync();
    };
    if (watched == edited_ && ListEditKey(
                                  event, [this] { OnModify(); }, remove))
      return true;
    return QDialog::eventFilter(watched, event);
  }

  QPushButton *add_, *close_;

 private:
  void OnModify() {
    FaceOwner over(this);
    this->model_.OnModify();
    Sync();
  }

  QTreeWidget* edited_ = nullptr;
};
