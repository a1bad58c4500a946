// The PostgreSQL client library is opened at the first connection to a server, not when the program starts.
#pragma once

namespace jet {

// Opens libpq if it is not open yet; throws DbError saying what is missing when it cannot.
void RequireLibpq();

}  // namespace jet
