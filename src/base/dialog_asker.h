#pragma once
// The one way the core has a dialog shown: a model fills itself, calls AskDialog(model) and reads the
// answer back from it. Each model type has one face, registered by the front end at start-up (or by a
// test, scripted); without a face nothing can ask and AskDialog is false. It lives in base/ because the
// models that ask sit in nearly every layer, the form views' calculator and the chart's dialogs included.
#include <functional>
#include <utility>

template <class Model>
class DialogFace {
 public:
  // Shows the dialog over the filled model; true when it closed through its OK.
  using Face = std::function<bool(Model&)>;

  static bool Ask(Model& model) { return face_ && face_(model); }
  static bool Registered() { return static_cast<bool>(face_); }
  // Returns the face it replaces.
  static Face Register(Face face) { return std::exchange(face_, std::move(face)); }

 private:
  static inline Face face_;
};

template <class Model>
bool AskDialog(Model& model) {
  return DialogFace<Model>::Ask(model);
}

// A face for as long as it lives, the one before it back afterwards: the front end's main window and
// tests register through it, so that no face outlives what it shows over.
template <class Model>
class ScopedFace {
 public:
  explicit ScopedFace(typename DialogFace<Model>::Face face)
      : previous_(DialogFace<Model>::Register(std::move(face))) {}
  ~ScopedFace() { DialogFace<Model>::Register(std::move(previous_)); }
  ScopedFace(const ScopedFace&) = delete;
  ScopedFace& operator=(const ScopedFace&) = delete;

 private:
  typename DialogFace<Model>::Face previous_;
};
