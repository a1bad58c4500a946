#pragma once
// A dialog model's check said no: the message is shown, the field named takes the focus, and the check
// answers false so that the dialog stays open for the correction. Every model's checks refuse through it.
#include <string>

#include "base/platform.h"

template <class Focus, class Field>
bool Refuse(Focus& focus, Field field, const std::string& message, MsgIcon icon = MsgIcon::Exclamation,
            const char* caption = kMsgCaption) {
  focus = field;
  Plat().MessageBox(message, caption, icon, MsgButtons::Ok, MsgAnswer::Ok);
  return false;
}
