#include "cli/arguments.h"

#include <array>
#include <optional>

#include "engine/file_kind.h"

namespace ondrel::cli {

namespace {

constexpr std::string_view kUsage =
    "Uso: ondrel-cli extract [--kind web|text|store] [--append] [--jobs N] [--sources FILE]\n"
    "                        [--memory SIZE] SCAN_DIR OUTPUT_DIR\n"
    "     ondrel-cli dedupe [--memory SIZE] LIST\n"
    "     ondrel-cli subtract [--hashed md5|sha256 | --ignore-case] [--domains FILE]\n"
    "                         [--removed FILE] [--memory SIZE] BASE EXCLUSION\n"
    "     ondrel-cli subtract --domains FILE [--removed FILE] BASE\n"
    "     ondrel-cli hash --md5|--sha256 LIST OUTPUT\n"
    "     ondrel-cli --help | --version\n";

constexpr std::string_view kIntro =
    "Ondrel estrae gli indirizzi e-mail dai file di una cartella e ne cura gli elenchi.\n"
    "\n";

constexpr std::string_view kDetails =
    "\n"
    "extract   legge i file del tipo scelto in SCAN_DIR e nelle sue sottocartelle e scrive\n"
    "          gli indirizzi trovati in OUTPUT_DIR/MailOut.txt, poi lo ordina e ne elimina\n"
    "          i doppi.\n"
    "    --kind web    pagine web (htm, html, asp): la destinazione dei link \"mailto:\"\n"
    "                  (predefinito)\n"
    "    --kind text   file di testo (txt): ogni parola che contiene una \"@\"\n"
    "    --kind store  archivi di posta (dbx): ogni parola che e` un indirizzo valido\n"
    "    --append      aggiunge gli indirizzi a MailOut.txt invece di sostituirlo\n"
    "    --jobs N      legge N file alla volta (predefinito: uno per processore); il\n"
    "                  risultato non cambia\n"
    "    --sources FILE  scrive anche FILE, una tabella CSV con la provenienza di ogni\n"
    "                  indirizzo trovato: address,file,line,count (file, riga della prima\n"
    "                  occorrenza, occorrenze nel file)\n"
    "dedupe    ordina il file LIST e ne elimina le righe doppie, nel file stesso.\n"
    "          Ctrl-C durante l'elaborazione la annulla e lascia il file com'era.\n"
    "subtract  scrive in MailNew.txt, nella cartella di BASE, le righe di BASE che non\n"
    "          compaiono in EXCLUSION (senza gli spazi ai lati; maiuscole e minuscole\n"
    "          distinte).\n"
    "    --hashed md5|sha256  EXCLUSION contiene digest, uno per riga in cifre esadecimali:\n"
    "                  esclude le righe il cui digest, tolti gli spazi e fatte minuscole le\n"
    "                  lettere, e` in EXCLUSION\n"
    "                  es.: ondrel-cli subtract --hashed md5 iscritti.txt revocati-md5.txt\n"
    "    --ignore-case le righe di EXCLUSION escludono senza distinguere le maiuscole\n"
    "                  es.: ondrel-cli subtract --ignore-case iscritti.txt revocati.txt\n"
    "    --domains FILE  esclude anche ogni indirizzo il cui dominio (dopo l'ultima \"@\") e`\n"
    "                  una riga di FILE (\"example.com\" o \"@example.com\"; maiuscole\n"
    "                  indifferenti; i sottodomini solo se scritti); senza EXCLUSION da solo\n"
    "                  es.: ondrel-cli subtract --domains domini.txt iscritti.txt\n"
    "    --removed FILE  scrive anche in FILE le righe escluse, nell'ordine di BASE\n"
    "                  es.: ondrel-cli subtract --removed tolti.txt iscritti.txt revocati.txt\n"
    "          Con piu` regole il riepilogo dice quante righe ha escluso ciascuna.\n"
    "hash      scrive in OUTPUT il digest (--md5 o --sha256) di ogni riga di LIST, tolti gli\n"
    "          spazi e fatte minuscole le lettere: l'elenco per --hashed, che non rivela\n"
    "          gli indirizzi.\n"
    "          es.: ondrel-cli hash --md5 revocati.txt revocati-md5.txt\n"
    "    --memory SIZE  la memoria che un elenco puo` occupare (extract, dedupe,\n"
    "                  subtract): SIZE in KiB, o con il suffisso b, K, M, G o T, come\n"
    "                  64M; almeno 1M. Un elenco piu` grande viene elaborato in file\n"
    "                  temporanei accanto ad esso, con lo stesso risultato. Predefinito:\n"
    "                  tre quarti della memoria che i limiti del processo e il sistema\n"
    "                  lasciano liberi.\n"
    "\n"
    "\"--\" termina le opzioni. I percorsi si usano come sono scritti.\n"
    "Stato di uscita: 0 eseguito, 1 rifiutato, interrotto o non riuscito (il motivo e` su\n"
    "standard error), 2 uso errato o elenco di digest o di domini senza righe valide,\n"
    "3 eseguito ma con file non letti (nominati su standard error, contati dopo il\n"
    "riepilogo).\n";

const std::string kHelp = std::string(kIntro) + std::string(kUsage) + std::string(kDetails);

}  // namespace

const std::string_view kUsageText = kUsage;
const std::string_view kHelpText = kHelp;

namespace {

struct CommandShape {
  std::string_view name;
  Command command;
  std::size_t operandCount;
};

constexpr std::array kCommands = {
    CommandShape{"extract", Command::kExtract, 2},
    CommandShape{"dedupe", Command::kDedupe, 1},
    CommandShape{"subtract", Command::kSubtract, 2},
    CommandShape{"hash", Command::kHash, 2},
};

std::optional<DigestKind> DigestNamed(std::string_view name) {
  if (name == "md5") return DigestKind::kMd5;
  if (name == "sha256") return DigestKind::kSha256;
  return std::nullopt;
}

std::optional<std::int16_t> KindNamed(std::string_view name) {
  if (name == "web") return kKindWebPages;
  if (name == "text") return kKindTextFiles;
  if (name == "store") return kKindStoreFiles;
  return std::nullopt;
}

Arguments Only(Command command) {
  Arguments arguments;
  arguments.command = command;
  return arguments;
}

bool IsOption(std::string_view argument) {
  return argument.size() > 1 && argument[0] == '-';
}

// Whether arguments[i] is the option `name`, as "NAME=VALUE" or as "NAME" followed by the
// value (then `i` moves to the value). `value` is none when the value is missing.
bool IsValuedOption(std::string_view name, std::span<const char* const> arguments, std::size_t& i,
                    std::optional<std::string_view>& value) {
  const std::string_view argument = arguments[i];
  if (!argument.starts_with(name)) return false;
  if (argument.size() > name.size() && argument[name.size()] == '=') {
    value = argument.substr(name.size() + 1);
    return true;
  }
  if (argument.size() != name.size()) return false;
  if (i + 1 < arguments.size()) value = arguments[++i];
  return true;
}

// A whole number from 1 to kMostJobs, in decimal digits only.
std::optional<int> JobsNamed(std::string_view text) {
  int jobs = 0;
  for (const char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    jobs = jobs * 10 + (c - '0');
    if (jobs > kMostJobs) return std::nullopt;
  }
  if (text.empty() || jobs < 1) return std::nullopt;
  return jobs;
}

// A subtraction takes BASE and EXCLUSION, or BASE alone when --domains names what to remove;
// the options that say how EXCLUSION matches need one.
std::variant<Arguments, UsageError> CheckedSubtraction(Arguments parsed) {
  const std::size_t operands = parsed.operands.size();
  if (parsed.domainsPath.empty() && operands != 2) return UsageError{"subtract vuole due percorsi"};
  if (operands != 1 && operands != 2)
    return UsageError{"subtract --domains vuole uno o due percorsi"};
  if (parsed.digest && parsed.ignoreCase)
    return UsageError{"--hashed e --ignore-case non si usano insieme"};
  if (operands == 1 && (parsed.digest || parsed.ignoreCase))
    return UsageError{std::string(parsed.digest ? "--hashed" : "--ignore-case") +
                      " vuole l'elenco EXCLUSION"};
  return parsed;
}

}  // namespace

std::optional<std::uint64_t> MemorySizeNamed(std::string_view text) {
  std::uint64_t number = 0;
  std::size_t digits = 0;
  for (; digits < text.size() && text[digits] >= '0' && text[digits] <= '9'; ++digits) {
    if (number > (std::uint64_t{1} << 63) / 10) return std::nullopt;
    number = number * 10 + static_cast<std::uint64_t>(text[digits] - '0');
  }
  if (digits == 0 || text.size() > digits + 1) return std::nullopt;
  const char suffix = digits < text.size() ? text[digits] : 'K';
  int shift = 0;
  switch (suffix) {
    case 'b':
      shift = 0;
      break;
    case 'k':
    case 'K':
      shift = 10;
      break;
    case 'm':
    case 'M':
      shift = 20;
      break;
    case 'g':
    case 'G':
      shift = 30;
      break;
    case 't':
    case 'T':
      shift = 40;
      break;
    default:
      return std::nullopt;
  }
  if (number > (std::uint64_t{1} << (63 - shift))) return std::nullopt;
  return number << shift;
}

std::variant<Arguments, UsageError> ParseArguments(std::span<const char* const> arguments) {
  if (arguments.empty()) return UsageError{"manca il comando"};
  const std::string_view first = arguments[0];
  if (first == "--help" || first == "-h") return Only(Command::kHelp);
  if (first == "--version") return Only(Command::kVersion);

  const CommandShape* shape = nullptr;
  for (const auto& candidate : kCommands)
    if (candidate.name == first) shape = &candidate;
  if (shape == nullptr) return UsageError{"comando sconosciuto: " + std::string(first)};

  Arguments parsed = Only(shape->command);
  bool optionsEnded = false;
  for (std::size_t i = 1; i < arguments.size(); ++i) {
    const std::string_view argument = arguments[i];
    if (optionsEnded || !IsOption(argument)) {
      parsed.operands.emplace_back(argument);
    } else if (argument == "--") {
      optionsEnded = true;
    } else if (argument == "--help" || argument == "-h") {
      return Only(Command::kHelp);
    } else if (shape->command == Command::kExtract && argument == "--append") {
      parsed.append = true;
    } else if (std::optional<std::string_view> value;
               shape->command == Command::kExtract &&
               IsValuedOption("--kind", arguments, i, value)) {
      if (!value) return UsageError{"--kind vuole un valore: web, text o store"};
      const auto kind = KindNamed(*value);
      if (!kind) return UsageError{"tipo di file sconosciuto: " + std::string(*value)};
      parsed.fileKind = *kind;
    } else if (shape->command == Command::kExtract &&
               IsValuedOption("--jobs", arguments, i, value)) {
      const auto jobs = value ? JobsNamed(*value) : std::nullopt;
      if (!jobs) return UsageError{"--jobs vuole un numero da 1 a " + std::to_string(kMostJobs)};
      parsed.jobs = *jobs;
    } else if (shape->command == Command::kExtract &&
               IsValuedOption("--sources", arguments, i, value)) {
      if (!value || value->empty()) return UsageError{"--sources vuole il percorso di un file"};
      parsed.sourcesPath = *value;
    } else if (shape->command == Command::kSubtract &&
               IsValuedOption("--hashed", arguments, i, value)) {
      parsed.digest = value ? DigestNamed(*value) : std::nullopt;
      if (!parsed.digest) return UsageError{"--hashed vuole un tipo di digest: md5 o sha256"};
    } else if (shape->command == Command::kSubtract && argument == "--ignore-case") {
      parsed.ignoreCase = true;
    } else if (shape->command == Command::kSubtract &&
               IsValuedOption("--domains", arguments, i, value)) {
      if (!value || value->empty()) return UsageError{"--domains vuole il percorso di un file"};
      parsed.domainsPath = *value;
    } else if (shape->command == Command::kSubtract &&
               IsValuedOption("--removed", arguments, i, value)) {
      if (!value || value->empty()) return UsageError{"--removed vuole il percorso di un file"};
      parsed.removedPath = *value;
    } else if (shape->command != Command::kHash &&
               IsValuedOption("--memory", arguments, i, value)) {
      const auto size = value ? MemorySizeNamed(*value) : std::nullopt;
      if (!size || *size < kLeastMemoryBudget)
        return UsageError{"--memory vuole una dimensione di almeno 1M, come 64M o 2G"};
      parsed.memoryBudget = *size;
    } else if (shape->command == Command::kHash &&
               (argument == "--md5" || argument == "--sha256")) {
      const DigestKind digest = argument == "--md5" ? DigestKind::kMd5 : DigestKind::kSha256;
      if (parsed.digest && parsed.digest != digest)
        return UsageError{"hash vuole uno solo tra --md5 e --sha256"};
      parsed.digest = digest;
    } else {
      return UsageError{"opzione sconosciuta: " + std::string(argument)};
    }
  }
  if (shape->command == Command::kSubtract) return CheckedSubtraction(std::move(parsed));
  if (shape->command == Command::kHash && !parsed.digest)
    return UsageError{"hash vuole --md5 o --sha256"};
  if (parsed.operands.size() != shape->operandCount)
    return UsageError{std::string(shape->name) + " vuole " +
                      (shape->operandCount == 1 ? "un percorso" : "due percorsi")};
  return parsed;
}

}  // namespace ondrel::cli
