// The table of the dialect's functions holds together: every function a statement can call runs on the
// embedded engine at every arity it allows, every function the emitter writes for either engine exists
// there, and the server's library text is the one its version stands for.
#include "data/jet/dialect_functions.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "data/db_error.h"
#include "data/database.h"
#include "data/jet/emitter.h"
#include "data/jet/server_library.h"
#include "data/year_files.h"
#include "support/one_table_schema.h"
#include "support/temp_dir.h"

namespace {

// The calls a statement may make: each dialect name at each arity, its arguments alternately a text
// column and a number column.
std::vector<std::string> EveryCall() {
  std::vector<std::string> calls;
  for (const jet::DialectFunction& f : jet::DialectFunctions()) {
    std::string names = f.dialect;
    for (size_t at = 0; at < names.size();) {
      size_t end = std::min(names.find(' ', at), names.size());
      std::string name = names.substr(at, end - at);
      at = end + 1;
      // "asc" is ORDER BY's word to the parser: no statement can call it.
      if (name == "asc") continue;
      for (int n = f.minArgs; n <= f.maxArgs; ++n) {
        std::string call = name + "(";
        for (int i = 0; i < n; ++i) call += std::string(i ? "," : "") + (i % 2 ? "N" : "S");
        calls.push_back(call + ")");
      }
    }
  }
  return calls;
}

TEST(DialectFunctions, EveryNameRunsOnTheEmbeddedEngineAtEveryArity) {
  TempDir dir;
  jet::Database db;
  db.Open(CreateAccountSetFile(dir.Path(), 2001));
  db.Execute("create table T (S char(10), N long)");
  db.Execute("insert into T (S,N) values ('2',3)");
  std::vector<std::string> calls = EveryCall();
  ASSERT_GT(calls.size(), 40u);
  for (const std::string& call : calls) {
    try {
      auto c = db.Query("select " + call + " from T");
      EXPECT_FALSE(c->AtEnd()) << call;
    } catch (const jet::DbError& e) {
      ADD_FAILURE() << call << ": " << e.what();
    }
  }
}

// The dialect's own functions (jet_...) that the emitter writes for an engine, over every call and operator.
std::set<std::string> CalledFunctions(jet::Target target) {
  std::vector<std::string> statements = {
      "select S+N,S&N,N/N,N\\N,N mod N,N^N,-S,S-N,iif(S='1',S,N),count(*) from T where S like 'a*' and "
      "S like N and not (N between 1 and 2) and S in ('a') and N in (select N from T) and N",
      "insert into T(S,N,M,D) values('a',1,'b',2)",
      "insert into T select * from T",
      "update T set S=N,N=S where trim(S)='1' or trim(S) like '1-*'",
  };
  for (const std::string& call : EveryCall()) statements.push_back("select " + call + " from T");
  std::set<std::string> called;
  const std::regex function("jet_[a-z_]+\\(");
  for (const std::string& sql : statements) {
    for (const std::string& out : TranslateOnOneTable(sql, target))
      for (std::sregex_iterator it(out.begin(), out.end(), function), end; it != end; ++it)
        called.insert(it->str().substr(0, it->str().size() - 1));
  }
  return called;
}

TEST(DialectFunctions, WhatTheEmitterCallsExistsOnItsEngine) {
  std::set<std::string> registered;
  for (const jet::DialectFunction& f : jet::DialectFunctions())
    if (f.embedded) registered.insert(f.name);
  std::set<std::string> embedded = CalledFunctions(jet::Target::Embedded);
  EXPECT_GT(embedded.size(), 30u);
  for (const std::string& name : embedded)
    EXPECT_TRUE(registered.count(name)) << name << " is not registered";

  std::string library = jet::ServerDefinitions();
  std::set<std::string> server = CalledFunctions(jet::Target::Server);
  EXPECT_GT(server.size(), 20u);
  for (const std::string& name : server)
    EXPECT_NE(library.find("FUNCTION jet." + name + "("), std::string::npos)
        << name << " is not in the library";
}

// A database holding the library of some version is not made anew by a program of that version: the text
// of a version must never change. Changing the library means raising kServerLibraryVersion and recording
// the new text's hash here.
TEST(ServerLibrary, ItsTextIsTheOneItsVersionStandsFor) {
  std::string script = jet::LibraryScript();
  std::uint64_t hash = 14695981039346656037ull;  // FNV-1a
  for (unsigned char c : script) hash = (hash ^ c) * 1099511628211ull;
  EXPECT_EQ(jet::kServerLibraryVersion, 3);
  EXPECT_EQ(hash, 10137887024577312070ull) << "the library's text changed: raise kServerLibraryVersion";
}

}  // namespace
