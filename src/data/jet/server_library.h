#pragma once
// The dialect's functions on the server: SQL and PL/pgSQL functions in the schema "jet" of an account
// set's database, with the results of the embedded engine's C functions (functions.cpp) — texts counted in
// bytes, the same rounding, the same messages. Made when a database is first opened and remade when a
// newer program opens it.
#include <string>

namespace jet {

// The version of the library this program makes; a database holding an older one gets this one.
constexpr int kServerLibraryVersion = 3;

// The statements that make the library anew and record its version, in one transaction that waits for
// any other program making it in the same database.
std::string LibraryScript();

}  // namespace jet
