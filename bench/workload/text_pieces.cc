#include "workload/text_pieces.h"

namespace ondrel::bench {
namespace {

const char* const kWords[] = {
    "il",        "la",        "di",        "che",      "e",         "per",      "una",
    "con",       "non",       "sono",      "della",    "nel",       "alla",     "questo",
    "anche",     "come",      "molto",     "tempo",    "lavoro",    "sempre",   "riunione",
    "progetto",  "cliente",   "ufficio",   "giovedì",  "settimana", "prossima", "domanda",
    "risposta",  "documento", "allegato",  "prezzo",   "ordine",    "consegna", "fattura",
    "grazie",    "saluti",    "cordiali",  "gentile",  "dottore",   "signora",  "incontro",
    "verbale",   "bilancio",  "relazione", "modifica", "versione",  "archivio", "telefono",
    "indirizzo", "numero",    "elenco",    "gruppo",   "tutti",     "nostro",   "vostro",
    "quando",    "dove",      "perché",    "circa",    "oggi",      "domani",   "ieri",
    "città"};

const char* const kFirstNames[] = {"mario", "anna",  "luca",   "giulia", "paolo", "sara",
                                   "marco", "elena", "franco", "chiara", "piero", "laura"};
const char* const kLastNames[] = {"rossi",   "bianchi", "verdi", "neri",  "gialli",
                                  "ferrari", "russo",   "costa", "greco", "conti"};
const char* const kDomains[] = {"example.com", "example.org", "example.net"};

// Local parts of the list addresses: several long ones, so sorted lists hold long runs of
// lines that agree in their first bytes.
const char* const kStems[] = {"info",       "anna.",   "luca",         "sara.verdi", "mario.rossi.",
                              "newsletter", "ufficio", "clienti.nord", "g",          "m.b",
                              "vendite",    "paolo",   "segreteria",   "x",          "tecnico",
                              "ordini"};

}  // namespace

const char* RandomWord(Random& random) {
  return Pick(random, kWords);
}

void AppendRandomAddress(std::string& out, Random& random) {
  out += Pick(random, kFirstNames);
  out += '.';
  out += Pick(random, kLastNames);
  if (!random.OneIn(3)) out += std::to_string(random.Below(1000));
  out += '@';
  out += Pick(random, kDomains);
}

void AppendAddressOfId(std::string& out, std::uint32_t id) {
  constexpr std::uint32_t kStemCount = sizeof kStems / sizeof kStems[0];
  out += kStems[id % kStemCount];
  out += std::to_string(id / kStemCount);
  out += '@';
  out += kDomains[Mix(id) % 3];
}

void AppendWords(std::string& out, Random& random, std::size_t length) {
  if (length == 0) return;
  const std::size_t end = out.size() + length;
  while (out.size() < end) {
    out += RandomWord(random);
    if (random.OneIn(12)) out += random.OneIn(2) ? "," : ".";
    out += ' ';
  }
  out.pop_back();
}

}  // namespace ondrel::bench
