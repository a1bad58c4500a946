#pragma once
// Changes to whole sub-trees of the chart: pasting a copied or moved set of sub-accounts under another
// account, deleting the sub-accounts of an account, deleting an account with its sub-tree. Each runs as one
// transaction: when a statement fails nothing is changed and the engine's message is shown (false). The
// browser's checks and questions come first; these only write.
#include <string>

#include "data/data_env.h"

// Copies every descendant of source under target with the same tail, the level shifted and every attribute
// reset. With move, the source's descendants then go, and the currencies whose exchange-gain account was
// one of them follow it to its new code.
bool PasteChildren(CVyDataEnv& env, const std::string& source, const std::string& target, bool move);

// Deletes every descendant of code.
bool DeleteChildren(CVyDataEnv& env, const std::string& code);

// Deletes code and its descendants. With giveBack, whatever was booked on them goes to parent (the account
// under which code was the only one), and so do the exchange-gain references to them.
bool DeleteAccount(CVyDataEnv& env, const std::string& code, const std::string& parent, bool giveBack);
