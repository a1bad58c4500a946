#include "data/count_first.h"

#include <gtest/gtest.h>

TEST(CountFirst, TheSelectListBecomesACountAndTheOrderGoes) {
  struct Case {
    const char* list;
    const char* count;
  } cases[] = {
      {"SELECT kno FROM SUBT WHERE trim(kno)='1' ORDER", "SELECT COUNT(*) FROM SUBT WHERE trim(kno)='1' "},
      {"SELECT trim(kno),na FROM subt WHERE clas=1 ORDER BY VAL(trim(kno))",
       "SELECT COUNT(*) FROM subt WHERE clas=1 "},
      // A name filter holding the keywords does not mislead the cut.
      {"SELECT trim(kno),na FROM subt WHERE clas=1 and instr(1,na,'order from',0)>0 ORDER BY VAL(trim(kno))",
       "SELECT COUNT(*) FROM subt WHERE clas=1 and instr(1,na,'order from',0)>0 "},
      {"select trim(t) from wbr where wno='1' order by t", "SELECT COUNT(*) from wbr where wno='1' "},
      {"SELECT a FROM t", "SELECT COUNT(*) FROM t"},
  };
  for (const Case& c : cases) EXPECT_EQ(CountStatementOf(c.list), c.count) << c.list;
}
