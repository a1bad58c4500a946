#pragma once
// The boundary of a dialog's action: a database error ends the action, is shown with the engine's message,
// and leaves the dialog open.
#include <functional>

// Runs work; a database error is shown and answers false.
bool ShowingDbErrors(const std::function<void()>& work);
