// tavrel-cli import openings: opening balances from CSV, saved as the opening-balance dialog saves them.
#include "import_command.h"
#include "io/opening_import.h"

namespace {

const RegisterImportKind kOpenings({"openings", ImportOpenings});

}  // namespace
