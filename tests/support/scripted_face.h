#pragma once
// A test's stand-in for the user in front of one dialog: while it lives it is the face AskDialog shows for
// its model type (the one before it comes back afterwards); Run plays the user and answers as OK would.
#include "base/dialog_asker.h"

template <class Model>
class ScriptedFace {
 public:
  virtual ~ScriptedFace() = default;
  virtual bool Run(Model& dialog) = 0;

 private:
  ScopedFace<Model> face_{[this](Model& dialog) { return Run(dialog); }};
};
