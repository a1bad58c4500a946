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

// Serves a library's functions under their own names from the library opened at the first call: LIST is a
// table of X(result, name, (parameters), (arguments)) lines. Defines ThisLibrary(), the LazyLibrary, in an
// unnamed namespace, and for each line a function of C linkage that calls the library's own. Used once in a
// source file, at file scope, after the library's header.
#define TAVREL_LAZY_INDEX_(result, name, params, args) k_##name,
#define TAVREL_LAZY_NAME_(result, name, params, args) #name,
#define TAVREL_LAZY_FORWARD_(result, name, params, args)                                     \
  extern "C" result name params {                                                            \
    return reinterpret_cast<decltype(&name)>(ThisLibrary().Function(k_##name)) args;        \
  }
#define TAVREL_LAZY_LIBRARY(soname, LIST)                 \
  namespace {                                            \
  enum LazyFunction { LIST(TAVREL_LAZY_INDEX_) };         \
  LazyLibrary& ThisLibrary() {                           \
    static LazyLibrary library(soname, {LIST(TAVREL_LAZY_NAME_)}); \
    return library;                                      \
  }                                                      \
  }                                                      \
  LIST(TAVREL_LAZY_FORWARD_)
