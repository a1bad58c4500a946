#pragma once
// Where a dialog reads or writes outside a transaction: a database error ends the action with the
// engine's message, and the dialog goes on.
#include <functional>

// Runs work; a jet::DbError is shown (stop icon) and answers false.
bool ShowDbErrors(const std::function<void()>& work);
