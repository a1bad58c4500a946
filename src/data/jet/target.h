#pragma once
// Which SQL a statement is written in: the engines and the translation both speak of it, and neither needs
// the other for that.

namespace jet {

// The engine a translation is written for: the embedded SQLite engine, or a PostgreSQL server holding
// the dialect's function library.
enum class Target { Embedded, Server };

}  // namespace jet
