#pragma once
// Every SQL function the dialect needs, described once for both engines: the names statements call it by,
// how many arguments it takes and what it yields, the C function the embedded engine runs, and what the
// server runs (a definition in its library, or a built-in of its own). The emitter, the embedded engine's
// registration and the server's library are all read from this one table.
#include <string>
#include <vector>

#include "data/jet/functions.h"

struct sqlite3;

namespace jet {

enum class Yields { Text, Number, FirstArgument };

// How a call is written for the server.
enum class ServerForm {
  None,      // never called there (only the embedded engine needs it, or it only serves the library)
  Call,      // serverName(args), each argument converted as serverArgs says
  Overload,  // as Call, picking the library overload whose kinds fit the number of arguments
  AsText,    // the argument in its text form (cstr)
  Val,       // the leading number of a text; a number as it is
  Double,    // the argument as a double
  Coalesce,  // the argument, else the fallback (or the empty text or 0), both of one type
};

struct DialectFunction {
  // The function's SQL name: registered under it on the embedded engine when embedded is set (else one of
  // that engine's built-ins), and made under it in the server's library when serverText defines it.
  const char* name;
  // The names statements call it by, blank-separated; empty for those only the emitter writes.
  const char* dialect;
  int minArgs, maxArgs;
  Yields yields;
  SqlFunction* embedded;
  ServerForm form;
  // Call and Overload: the server's function, and what each argument must be there: "T" a text, "N" a
  // number, "D" a double (a literal rounds as the embedded engine rounds it), "V" a number where a text
  // counts as its leading number, "A" as it is; the last letter stands
  // for any further arguments. Overload lists one set of kinds for each overload, separated by "|".
  const char* serverName;
  const char* serverArgs;
  // What the server's library holds for it (its definitions, with the comment above them), in the
  // library's order; empty when the server has it built in or needs none.
  const char* serverText;
};

const std::vector<DialectFunction>& DialectFunctions();

// The function a statement calls by this name (as the parser spells it, lower case); nullptr for none.
const DialectFunction* FindDialectFunction(const std::string& name);

// The library's definitions, every function's in the table's order.
std::string ServerDefinitions();

// Registers every function with an embedded implementation on a connection.
void RegisterFunctions(sqlite3* db);

}  // namespace jet
