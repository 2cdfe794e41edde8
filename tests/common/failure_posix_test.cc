#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <string>

#include "common/failure.h"

namespace ondrel {
namespace {

// Every system failure a user can meet is described in Italian, in one form.
TEST(SystemFailure, IsDescribedInItalianWithTheActionAndThePath) {
  const struct {
    int number;
    const char* text;
    std::int32_t programNumber;
  } cases[] = {
      {ENOSPC, "spazio esaurito sul disco", kFailureNoSpace},
      {EACCES, "permesso negato", kFailureAccessDenied},
      {ENOENT, "file o cartella inesistente", kFailureNotFound},
      {EISDIR, "e` una cartella", kFailureIsFolder},
      // a failure with no number
      {0, "errore di lettura o scrittura sul dispositivo", kFailureInputOutput},
      {4095, "errore di sistema 4095", kFailureSystem},
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
    EXPECT_NE(SystemErrorText(number), std::strerror(number)) << number;
}

}  // namespace
}  // namespace ondrel
