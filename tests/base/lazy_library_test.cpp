// A library opened on demand: found whole or refused with the reason, and asked once.
#include "base/lazy_library.h"

#include <dlfcn.h>
#include <gtest/gtest.h>

#include "base/gbk.h"

TEST(LazyLibrary, IsFoundWholeOrRefusedWithTheReason) {
  struct Case {
    const char* soname;
    std::initializer_list<const char*> names;
    const char* why;  // what the refusal names; empty: loaded
  } cases[] = {
      {"libm.so.6", {"cos", "floor"}, ""},
      {"libtavrel-no-such-library.so.9", {"cos"}, "libtavrel-no-such-library.so.9"},
      {"libm.so.6", {"cos", "tavrel_no_such_function"}, "tavrel_no_such_function"},
  };
  for (const Case& c : cases) {
    LazyLibrary library(c.soname, c.names);
    bool loaded = library.Load();
    EXPECT_EQ(loaded, std::string(c.why).empty()) << c.soname;
    EXPECT_NE(library.Why().find(c.why), std::string::npos) << gbk::ToUtf8(library.Why());
    // Asked again, the same answer without trying again.
    EXPECT_EQ(library.Load(), loaded);
    if (loaded) {
      void* libm = dlopen("libm.so.6", RTLD_NOW | RTLD_NOLOAD);
      ASSERT_NE(libm, nullptr);
      EXPECT_EQ(library.Function(1), dlsym(libm, "floor"));
      dlclose(libm);
    } else {
      EXPECT_DEATH(library.Function(0), "");
    }
  }
}
