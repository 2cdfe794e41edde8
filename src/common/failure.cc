#include "common/failure.h"

#include "common/system_failure.h"

namespace ondrel {
namespace {

[[noreturn]] void ThrowDescribed(FailureNumber number, std::string_view action,
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
    case kFailureOverflow:
      return "valore fuori dai limiti";
    case kFailureDepthLimit:
      return "albero di cartelle troppo profondo";
    case kFailureOutOfMemory:
      return "memoria insufficiente";
    case kFailureFileChanged:
      return "il file e` cambiato durante l'elaborazione";
    case kFailurePathTooLong:
      return "nome o percorso troppo lungo";
    case kFailureBadPath:
      return "nome di file non valido";
    case kFailureOutOfRange:
      return "indice fuori dai limiti";
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
    case kFailureSystem:
      return "errore del sistema";
    case kFailureReadOnlyDisk:
      return "il disco e` in sola lettura";
    case kFailureTooManyFiles:
      return "troppi file aperti";
    case kFailureFileTooLarge:
      return "file troppo grande";
    case kFailureNotSupported:
      return "operazione non supportata dal disco";
    case kFailureNotReady:
      return "dispositivo inesistente o non pronto";
  }
  return "errore " + std::to_string(static_cast<std::int32_t>(number));
}

std::string FailureMessage(std::string_view what, const Failure& failure, FailureLayout layout) {
  const std::string detail =
      std::to_string(static_cast<std::int32_t>(failure.Number())) + ": " + failure.Description();
  switch (layout) {
    case FailureLayout::kOneLine:
      return std::string(what) + ", errore " + detail + ".";
    case FailureLayout::kMessageBox:
      break;
  }
  return std::string(what) + "\n\nErrore " + detail;
}

Failure SystemFailure(int system_error) {
  const FailureNumber number = SystemFailureNumber(system_error);
  std::string text = FailureText(number);
  if (number == kFailureSystem) {
    text += ' ';
    text += std::to_string(static_cast<unsigned>(system_error));
  }
  return Failure(number, text);
}

void ThrowSystemFailure(int system_error, std::string_view action, std::string_view path) {
  const Failure failure = SystemFailure(system_error);
  ThrowDescribed(failure.Number(), action, path, failure.Description());
}

void ThrowFailure(FailureNumber number, std::string_view action, std::string_view path) {
  ThrowDescribed(number, action, path, FailureText(number));
}

}  // namespace ondrel
