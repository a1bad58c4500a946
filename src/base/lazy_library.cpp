// Opening a library on demand: dlopen once, every function found at once, so that a library of another
// version that lacks one of them is refused before the first call rather than in the middle of the work.
#include "base/lazy_library.h"

#include <dlfcn.h>

#include <cstdio>
#include <cstdlib>

#include "base/gbk.h"

LazyLibrary::LazyLibrary(std::string soname, std::initializer_list<const char*> names)
    : soname_(std::move(soname)), names_(names.begin(), names.end()) {}

bool LazyLibrary::Load() {
  if (tried_) return why_.empty();
  tried_ = true;
  void* handle = dlopen(soname_.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!handle) {
    const char* error = dlerror();
    why_ = "找不到程序库 " + soname_ + (error ? std::string("（") + error + "）" : std::string());
    return false;
  }
  std::vector<void*> found;
  for (const std::string& name : names_) {
    void* address = dlsym(handle, name.c_str());
    if (!address) {
      why_ = "程序库 " + soname_ + " 中没有函数 " + name + "，版本不符";
      dlclose(handle);
      return false;
    }
    found.push_back(address);
  }
  functions_ = std::move(found);
  return true;
}

void* LazyLibrary::Function(size_t index) {
  if (!Load()) {
    std::fprintf(stderr, "%s\n", gbk::ToUtf8(why_).c_str());
    std::abort();
  }
  return functions_.at(index);
}
