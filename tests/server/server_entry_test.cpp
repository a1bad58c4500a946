// Bookkeepers at the entry windows on a year on the server: a save of a sheet another bookkeeper changed
// since it was opened is refused, as on a year file.
#include <gtest/gtest.h>

#include <string>

#include "data/data_env.h"
#include "data/year_files.h"
#include "support/stale_sheets.h"
#include "support/test_server.h"

namespace {

// A year on the server with the entry tests' chart.
std::string ServerYearWithChart(const std::string& set) {
  std::string year = CreateAccountSetFile(set, 2026);
  CVyDataEnv env;
  if (!env.Open(year, "", 1)) return "";
  struct Chart : EntryTest {
    using EntryTest::AddChart;
  };
  Chart::AddChart(env);
  return year;
}

TEST(ServerEntry, ASheetAnotherBookkeeperChangedSinceItWasOpenedIsNotOverwritten) {
  REQUIRE_TEST_SERVER(cluster);
  test_server::ScratchDatabase server(cluster);
  ScriptedPlatform platform;
  std::string year = ServerYearWithChart(server.Uri());
  ASSERT_FALSE(year.empty());
  ExpectStaleSheetsRefused(year, platform);
}

}  // namespace
