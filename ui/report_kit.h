#pragma once
// A report window's kit: its dialog (the model kept until the view takes it) and its view, which asks the
// same dialog again on Ctrl+O. A view made over the data environment takes the dialog in Open; the others
// take its parameters and build themselves.
#include <functional>
#include <memory>
#include <type_traits>

#include "base/dialog_asker.h"
#include "data_window_kit.h"
#include "form_view_widget.h"

class CVyDataEnv;

template <class View, class Dlg>
DataWindowKit ReportKit(CVyDataEnv& env, std::function<bool(Dlg&)> prepare) {
  auto pending = std::make_shared<std::unique_ptr<Dlg>>();
  DataWindowKit kit;
  kit.ask = [&env, pending, prepare](QWidget*) {
    auto dlg = std::make_unique<Dlg>(env);
    if (!prepare(*dlg) || !AskDialog(*dlg)) return false;
    *pending = std::move(dlg);
    return true;
  };
  kit.createView = [&env]() -> QWidget* {
    std::unique_ptr<View> view;
    if constexpr (std::is_constructible_v<View, CVyDataEnv&>) {
      view = std::make_unique<View>(env);
    } else {
      view = std::make_unique<View>();
      view->SetDataEnv(&env);
    }
    return new FormViewWidget(std::move(view));
  };
  kit.load = [pending](QWidget* widget) {
    auto& view = static_cast<View&>(static_cast<FormViewWidget*>(widget)->View());
    if constexpr (requires { view.Open(**pending); }) {
      view.Open(**pending);
    } else {
      view.SetParameters(**pending);
      view.Build();
    }
    pending->reset();
  };
  return kit;
}
