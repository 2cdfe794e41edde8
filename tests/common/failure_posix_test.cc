#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <string>

#include "common/system_failure.h"

namespace ondrel {
namespace {

// Every system failure a user can meet is described in Italian, in one form: the text of the
// program's number it maps to.
TEST(SystemFailure, IsDescribedInItalianWithTheActionAndThePath) {
  const struct {
    int number;
    const char* text;
    FailureNumber programNumber;
  } cases[] = {
      {ENOSPC, "spazio esaurito sul disco", kFailureNoSpace},
      {EACCES, "permesso negato", kFailureAccessDenied},
      {ENOENT, "file o cartella inesistente", kFailureNotFound},
      {EISDIR, "e` una cartella", kFailureIsFolder},
      // a failure with no number
      {0, "errore di lettura o scrittura sul dispositivo", kFailureInputOutput},
      {EROFS, "il disco e` in sola lettura", kFailureReadOnlyDisk},
      {4095, "errore del sistema 4095", kFailureSystem},
  };
  for (const auto& c : cases) {
    try {
      ThrowSystemFailure(c.number, "Impossibile scrivere", "/tmp/a b");
      ADD_FAILURE();
    } catch (const Failure& failure) {
      EXPECT_EQ(failure.Description(), std::string("Impossibile scrivere \"/tmp/a b\": ") + c.text);
      EXPECT_EQ(failure.Number(), c.programNumber);
    }
  }
  // No number the system may give is left to the system's own, English, text.
  for (int number = 1; number < 134; ++number)
    EXPECT_NE(SystemFailure(number).Description(), std::strerror(number)) << number;
}

}  // namespace
}  // namespace ondrel
