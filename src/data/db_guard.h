#pragma once
// The command boundary: a database error ends the command, dialog action or window handler it happened in,
// is shown with the engine's message, and leaves the windows and the open year file as they are.
#include <functional>

// Runs work; a jet::DbError is shown (stop icon) and answers false.
bool RunCatchingDbErrors(const std::function<void()>& work);
