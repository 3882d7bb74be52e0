#include "platform/db/pq_library.h"

#include <dlfcn.h>

#include <string>

#include "platform/db/database.h"

namespace corvena::db::pg {

namespace {

constexpr const char* kLibrary = "libpq.so.5";

DbError unusable(const std::string& why) {
  return DbError(std::string("The server's client library ") + kLibrary +
                 " cannot be used, so no server company can be opened: " + why);
}

PqLibrary load() {
  void* handle = ::dlopen(kLibrary, RTLD_NOW | RTLD_LOCAL);
  if (!handle) throw unusable(::dlerror());
  PqLibrary library;
#define CORVENA_PQ_BIND(name)                                                      \
  library.name = reinterpret_cast<decltype(library.name)>(::dlsym(handle, #name)); \
  if (!library.name) throw unusable(#name " is missing");
  CORVENA_PQ_FUNCTIONS(CORVENA_PQ_BIND)
#undef CORVENA_PQ_BIND
  return library;
}

}  // namespace

const PqLibrary& pq() {
  static const PqLibrary library = load();
  return library;
}

}  // namespace corvena::db::pg
