// A shared library opened at the first call into it: a run that never needs it pays nothing for loading it
// and all it pulls in (the PostgreSQL client brings Kerberos, LDAP and TLS along; the Excel writer, libcrypto).
#pragma once

#include <initializer_list>
#include <string>
#include <vector>

class LazyLibrary {
 public:
  // soname: the file the dynamic loader looks for; names: every function of it the program calls, by index.
  LazyLibrary(std::string soname, std::initializer_list<const char*> names);
  LazyLibrary(const LazyLibrary&) = delete;
  LazyLibrary& operator=(const LazyLibrary&) = delete;

  // Opens the library and finds every function, the first time; false when either fails, and then Why()
  // says which file or function is missing. Asked again, it answers the same without trying again.
  bool Load();
  const std::string& Why() const { return why_; }

  // The address of the function at this index of the names. A call into a library that cannot be loaded
  // has no answer: it says why on standard error and ends the program.
  void* Function(size_t index);

 private:
  std::string soname_, why_;
  std::vector<std::string> names_;
  std::vector<void*> functions_;
  bool tried_ = false;
};
