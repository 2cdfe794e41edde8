#include "common/failure.h"

namespace ondrel {
namespace {

[[noreturn]] void ThrowDescribed(std::int32_t number, std::string_view action,
                                 std::string_view path, std::string_view text) {
  std::string description(action);
  description += " \"";
  description += path;
  description += "\": ";
  description += text;
  throw Failure(number, description);
}

}  // namespace

std::string FailureText(FailureNumber number) {
  switch (number) {
    case kFailureNotFound:
      return "file o cartella inesistente";
    case kFailureAccessDenied:
      return "permesso negato";
    case kFailureNameTaken:
      return "il file esiste gia`";
    case kFailureNoSpace:
      return "spazio esaurito sul disco";
    case kFailureIsFolder:
      return "e` una cartella";
    case kFailureInUse:
      return "il file e` in uso";
    case kFailureInputOutput:
      return "errore di lettura o scrittura sul dispositivo";
    case kFailureSymbolicLink:
      return "collegamento simbolico non ammesso";
    case kFailureNotRegular:
      return "non e` un file normale";
    case kFailurePathTooLong:
      return "nome o percorso troppo lungo";
    case kFailureBadPath:
      return "nome di file non valido";
    case kFailureOutOfMemory:
      return "memoria insufficiente";
    default:
      return "errore " + std::to_string(number);
  }
}

std::string FailureMessage(std::string_view what, const Failure& failure, FailureLayout layout) {
  const std::string detail = std::to_string(failure.Number()) + ": " + failure.Description();
  switch (layout) {
    case FailureLayout::kOneLine:
      return std::string(what) + ", errore " + detail + ".";
    case FailureLayout::kMessageBox:
      break;
  }
  return std::string(what) + "\n\nErrore " + detail;
}

void ThrowSystemFailure(int system_error, std::string_view action, std::string_view path) {
  const Failure failure = SystemFailure(system_error);
  ThrowDescribed(failure.Number(), action, path, failure.Description());
}

void ThrowFailure(FailureNumber number, std::string_view action, std::string_view path) {
  ThrowDescribed(number, action, path, FailureText(number));
}

}  // namespace ondrel
