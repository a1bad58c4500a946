#pragma once
// What every face of a core dialog holds: the core model it shows (its own, or one the core lent it), the
// accessor the callers and tests reach it by, and, for the faces that load their own model, whether there
// was anything to show.
#include <QDialog>
#include <type_traits>
#include <utility>

// Held is the model's type for a face that owns its model, or a reference to it for a face over a model
// the core made.
template <class Held>
class ModelDialog : public QDialog {
 public:
  using ModelType = std::remove_reference_t<Held>;
  ModelType& Model() { return model_; }
  // False when the model found nothing to show (the message was shown); the dialog is not to be shown then.
  bool Ready() const { return ready_; }

 protected:
  template <class... Args>
  explicit ModelDialog(QWidget* parent, Args&&... modelArgs)
      : QDialog(parent), model_(std::forward<Args>(modelArgs)...) {}

  // Hands the fields the face has put into the model to its OnOk, and accepts the dialog when the model
  // takes them; false when it refused them (the face then puts the focus where the model says).
  bool AcceptWhenTaken() {
    if (!model_.OnOk()) return false;
    this->accept();
    return true;
  }

  Held model_;
  bool ready_ = false;
};
