// Builds against the installed package and uses a public class.
#include <corvane/Dictionary.h>
#include <corvane/Error.h>

#include <iostream>

int main() {
  auto dictionary = corvane::Dictionary::Create();
  dictionary->Add("key", 1);
  try {
    dictionary->Add("key", 2);
  } catch (const corvane::Error& error) {
    std::cout << "consumer ok: error " << error.Number() << "\n";
    return error.Number() == 457 ? 0 : 1;
  }
  return 1;
}
