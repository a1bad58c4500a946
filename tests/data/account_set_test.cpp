// The account set's one seam: a name decides once whether it lives on a server or in a folder, and each
// kind answers for its years and copies.
#include "data/account_set.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "data/database.h"
#include "data/db_error.h"
#include "data/year_files.h"
#include "support/year_file_fixture.h"

namespace {

struct NameCase {
  const char* name;
  bool onServer;
  bool isPlace;
  const char* yearPath;  // of 2026, for an account set so named
};

TEST(AccountSetNames, OneAnswerDecidesTheKindAndEachKindNamesItsYears) {
  const NameCase cases[] = {
      {"/home/u/帐套", false, true, "/home/u/帐套/2026.vyx"},
      {"/home/u/帐套/", false, true, "/home/u/帐套/2026.vyx"},
      {"帐套", false, false, "帐套/2026.vyx"},
      {"", false, false, "2026.vyx"},
      {"postgresql:///books?host=/run/postgresql", true, true,
       "postgresql:///books?host=/run/postgresql#2026"},
      {"POSTGRES://db.example/books", true, true, "POSTGRES://db.example/books#2026"},
      // A year's name belongs to its account set, which is no place to make another one.
      {"postgresql:///books#2025", true, false, "postgresql:///books#2026"},
      // Malformed server names are still on a server: never read as a file of this machine.
      {"postgresql:///books#12", true, false, "postgresql:///books#12#2026"},
      {"postgres:", true, true, "postgres:#2026"},
      {"/srv/postgresql:/x", false, true, "/srv/postgresql:/x/2026.vyx"},
  };
  for (const NameCase& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(OnServer(c.name), c.onServer);
    auto set = AccountSet::Of(c.name);
    EXPECT_EQ(set->IsPlace(), c.isPlace);
    EXPECT_EQ(IsAccountSetPlace(c.name), c.isPlace);
    EXPECT_EQ(set->YearPath("2026", "VYX"), c.yearPath);
  }
}

using FolderAccountSet = YearFileTest;

TEST_F(FolderAccountSet, ItsPlacesYearsAndCopiesAreItsFiles) {
  std::string folder = dir.Path();
  auto set = AccountSet::Of(folder);
  std::string made = CreateAccountSetFile(folder, 2026);
  EXPECT_EQ(made, folder + "/2026.vyx");
  EXPECT_EQ(set->YearPath("2026", "VYX"), made);
  EXPECT_TRUE(set->HasYear(made));
  WriteText(dir.File("2027.VYX"), "not a year");
  WriteText(dir.File("202.vyx"), "");
  auto places = set->Places("VYX");
  ASSERT_EQ(places.size(), 2u);
  EXPECT_EQ(places[0].path, made);
  EXPECT_EQ(places[0].problem, "");
  EXPECT_EQ(places[1].path, dir.File("2027.VYX"));
  EXPECT_EQ(YearList(folder), std::vector<std::string>{"2026"});

  // A year whose filling fails leaves neither the year nor its working file.
  std::string next = set->YearPath("2029", "VYX");
  EXPECT_THROW(
      set->MakeYear(next, 0600, [](jet::Database& db) { db.Execute("insert into nowhere values(1)"); }),
      jet::DbError);
  EXPECT_FALSE(set->HasYear(next));
  EXPECT_FALSE(std::filesystem::exists(next + ".part"));

  // Copies take the first free title and come back listed under it.
  jet::Database db;
  db.Open(made, true);
  auto title = [](int n) { return n == 1 ? std::string("2026-a") : "2026-a-" + std::to_string(n); };
  std::string first = set->TakeCopy(db, title), second = set->TakeCopy(db, title);
  EXPECT_EQ(first, CopyFolder(folder) + "/2026-a.vyx");
  EXPECT_EQ(second, CopyFolder(folder) + "/2026-a-2.vyx");
  auto copies = set->Copies();
  ASSERT_EQ(copies.size(), 2u);
  EXPECT_EQ(set->CopyProblem(second, true, nullptr), "");
  set->RemoveCopy(first);
  EXPECT_EQ(set->Copies().size(), 1u);
  EXPECT_TRUE(set->DropYear(made));
  EXPECT_FALSE(set->HasYear(made));
}

}  // namespace
