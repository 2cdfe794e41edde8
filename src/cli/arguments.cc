#include "cli/arguments.h"

#include <array>
#include <optional>

#include "engine/file_kind.h"

namespace ondrel::cli {

const std::string_view kUsageText =
    "Uso: ondrel-cli extract [--kind web|text|store] [--append] [--jobs N] [--sources FILE]\n"
    "                        [--memory SIZE] SCAN_DIR OUTPUT_DIR\n"
    "     ondrel-cli dedupe [--memory SIZE] LIST\n"
    "     ondrel-cli subtract [--memory SIZE] BASE EXCLUSION\n"
    "     ondrel-cli --help | --version\n";

const std::string_view kHelpText =
    "Ondrel estrae gli indirizzi e-mail dai file di una cartella e ne cura gli elenchi.\n"
    "\n"
    "Uso: ondrel-cli extract [--kind web|text|store] [--append] [--jobs N] [--sources FILE]\n"
    "                        [--memory SIZE] SCAN_DIR OUTPUT_DIR\n"
    "     ondrel-cli dedupe [--memory SIZE] LIST\n"
    "     ondrel-cli subtract [--memory SIZE] BASE EXCLUSION\n"
    "     ondrel-cli --help | --version\n"
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
    "          compaiono in EXCLUSION.\n"
    "    --memory SIZE  la memoria che un elenco puo` occupare (extract, dedupe,\n"
    "                  subtract): SIZE in KiB, o con il suffisso b, K, M, G o T, come\n"
    "                  64M; almeno 1M. Un elenco piu` grande viene elaborato in file\n"
    "                  temporanei accanto ad esso, con lo stesso risultato. Predefinito:\n"
    "                  tre quarti della memoria che i limiti del processo e il sistema\n"
    "                  lasciano liberi.\n"
    "\n"
    "\"--\" termina le opzioni. I percorsi si usano come sono scritti.\n"
    "Stato di uscita: 0 eseguito, 1 rifiutato, interrotto o non riuscito (il motivo e` su\n"
    "standard error), 2 uso errato, 3 eseguito ma con file non letti (nominati su standard\n"
    "error, contati dopo il riepilogo).\n";

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
};

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
    } else if (IsValuedOption("--memory", arguments, i, value)) {
      const auto size = value ? MemorySizeNamed(*value) : std::nullopt;
      if (!size || *size < kLeastMemoryBudget)
        return UsageError{"--memory vuole una dimensione di almeno 1M, come 64M o 2G"};
      parsed.memoryBudget = *size;
    } else {
      return UsageError{"opzione sconosciuta: " + std::string(argument)};
    }
  }
  if (parsed.operands.size() != shape->operandCount)
    return UsageError{std::string(shape->name) + " vuole " +
                      (shape->operandCount == 1 ? "un percorso" : "due percorsi")};
  return parsed;
}

}  // namespace ondrel::cli
