// The Italian description of the system's errno values.
#include <cerrno>
#include <string>

#include "common/failure.h"

namespace ondrel {

std::string SystemErrorText(int error_number) {
  switch (error_number) {
    case EACCES:
      return "permesso negato";
    case EPERM:
      return "operazione non permessa";
    case ENOENT:
      return "file o cartella inesistente";
    case ENOSPC:
      return "spazio esaurito sul disco";
    case EDQUOT:
      return "quota del disco superata";
    case EROFS:
      return "il disco e` in sola lettura";
    case EIO:
      return "errore di lettura o scrittura sul dispositivo";
    case EISDIR:
      return "e` una cartella";
    case ENOTDIR:
      return "una parte del percorso non e` una cartella";
    case ELOOP:
      return "collegamento simbolico non ammesso, o troppi collegamenti";
    case ENAMETOOLONG:
      return "nome o percorso troppo lungo";
    case EMFILE:
      return "troppi file aperti dal programma";
    case ENFILE:
      return "troppi file aperti nel sistema";
    case ENOMEM:
      return "memoria insufficiente";
    case EEXIST:
      return "il file esiste gia`";
    case EBUSY:
    case ETXTBSY:
      return "il file e` in uso";
    case EFBIG:
      return "file troppo grande";
    case EOVERFLOW:
      return "valore troppo grande";
    case EINVAL:
      return "operazione non valida per questo file";
    case ENXIO:
    case ENODEV:
      return "dispositivo inesistente o non pronto";
    case EAGAIN:
      return "risorsa momentaneamente non disponibile";
    case EINTR:
      return "operazione interrotta";
    case EBADF:
      return "file non aperto";
    case EXDEV:
      return "i due percorsi sono su dischi diversi";
    case EMLINK:
      return "troppi collegamenti al file";
    case ENOTEMPTY:
      return "la cartella non e` vuota";
    case ENOTSUP:
      return "operazione non supportata dal disco";
    case ESTALE:
      return "file di rete non piu` valido";
    case ETIMEDOUT:
      return "tempo di attesa scaduto";
    case ENODATA:
      return "dato inesistente";
    default:
      return "errore di sistema " + std::to_string(error_number);
  }
}

}  // namespace ondrel
