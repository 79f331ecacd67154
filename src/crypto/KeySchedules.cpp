#include "crypto/KeySchedules.h"

#include <string>

namespace corvane {

const KeySchedules& KeySchedules::Process() {
  static const KeySchedules instance;
  return instance;
}

const Crypt::Tables& KeySchedules::TablesFor(std::size_t index) const {
  std::call_once(once_[index], [this, index] {
    Crypt fresh;
    fresh.SetKey(CryptKeyTable()[index]);
    tables_[index] = fresh.GetTables();
  });
  return tables_[index];
}

Crypt KeySchedules::NewCrypt(std::size_t index) const {
  return Crypt::FromSchedule(TablesFor(index), std::string(CryptKeyTable()[index]));
}

}  // namespace corvane
