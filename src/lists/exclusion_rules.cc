#include "lists/exclusion_rules.h"

#include <algorithm>
#include <array>
#include <optional>
#include <span>

#include "common/file_status.h"
#include "common/paths.h"
#include "common/text_reader.h"
#include "common/whole_file.h"
#include "lists/batch_keys.h"
#include "lists/buffer_lines.h"
#include "lists/digest_set.h"
#include "lists/line_set.h"
#include "lists/whole_list.h"

namespace ondrel {
namespace {

using Keys = std::vector<std::optional<std::string_view>>;

// Hands every key there is among the `count` that `keyAt` gives (asked once for each index, in
// order), with its index and hash, to `use`, in order, a group at a time: the slots of a whole
// group are asked for before the first is used, so that the waits for memory overlap.
template <typename Set, typename KeyAt, typename Use>
void InGroups(std::size_t count, KeyAt keyAt, const Set& set, Use use) {
  constexpr std::size_t kGroup = 16;
  struct Pending {
    std::string_view key;
    std::uint64_t hash;
    std::size_t index;
  };
  std::array<Pending, kGroup> pending;
  for (std::size_t start = 0; start < count; start += kGroup) {
    const std::size_t end = std::min(start + kGroup, count);
    std::size_t waiting = 0;
    for (std::size_t i = start; i < end; ++i) {
      if (const std::optional<std::string_view> key = keyAt(i)) {
        const std::uint64_t hash = set.HashOf(*key);
        set.Prefetch(hash);
        pending[waiting++] = {*key, hash, i};
      }
    }
    for (std::size_t k = 0; k < waiting; ++k)
      use(pending[k].index, pending[k].key, pending[k].hash);
  }
}

template <typename Set>
void InsertAll(const Keys& keys, Set& set) {
  InGroups(
      keys.size(), [&](std::size_t i) { return keys[i]; }, set,
      [&](std::size_t, std::string_view key, std::uint64_t hash) { set.Insert(key, hash); });
}

// The part a rule's kinds share: the base lines' keys looked up in the set.
template <typename Set>
class SetRule : public ExclusionRule {
 public:
  SetRule(KeyKind kind, Set set) : kind_(kind), set_(std::move(set)), keyMaker_(kind) {}

  void Mark(std::span<const std::string_view> lines, std::span<std::uint8_t> removedBy,
            std::uint8_t mark) override {
    const auto remove = [&](std::size_t i, std::string_view key, std::uint64_t hash) {
      if (set_.Contains(key, hash)) removedBy[i] = mark;
    };
    if (kind_ == KeyKind::kExact) {  // the line is its key: nothing to make
      InGroups(
          lines.size(),
          [&](std::size_t i) { return removedBy[i] ? std::nullopt : std::optional(lines[i]); },
          set_, remove);
      return;
    }
    keyMaker_.MakeAndUse(lines, removedBy, [&](std::size_t from, BatchKeyMaker::Keys keys) {
      InGroups(
          keys.size(), [&](std::size_t k) { return keys[k]; }, set_,
          [&](std::size_t k, std::string_view key, std::uint64_t hash) {
            remove(from + k, key, hash);
          });
    });
  }

 protected:
  KeyKind kind_;
  Set set_;
  BatchKeyMaker keyMaker_;
};

// Keys that are lines, or made in place in them: a set of views into the file, read whole.
class LineKeyRule final : public SetRule<LineSet> {
 public:
  LineKeyRule(WholeFile file, std::int64_t lines, KeyKind kind)
      : SetRule(kind, LineSet(file.Text(), static_cast<std::size_t>(lines))),
        file_(std::move(file)),
        lines_(lines) {}

  void Fill(ExclusionReport& report) {
    const std::string_view text = file_.Text();
    char* const bytes = static_cast<char*>(file_.memory.Data());
    BufferLines split(text);
    const auto keyAt = [&](std::size_t) {
      std::string_view line;
      split.Next(line);
      const std::string_view trimmed = TrimSpaces(line);
      const auto key =
          ExclusionKey(kind_, std::span(bytes + (trimmed.data() - text.data()), trimmed.size()));
      CountExclusionLine(report, key.has_value());
      return key;
    };
    InGroups(
        static_cast<std::size_t>(lines_), keyAt, set_,
        [&](std::size_t, std::string_view key, std::uint64_t hash) { set_.Insert(key, hash); });
  }

 private:
  WholeFile file_;  // the bytes the set's views point into
  std::int64_t lines_;
};

// Keys that are digests: the file is streamed, and only the digests' bytes are kept.
class DigestKeyRule final : public SetRule<DigestSet> {
 public:
  DigestKeyRule(KeyKind kind, std::size_t expected)
      : SetRule(kind, DigestSet(DigestSize(*DigestOfKeys(kind)), expected)) {}

  void Fill(const std::string& path, ExclusionReport& report, FileSystem& files) {
    const std::size_t size = DigestSize(*DigestOfKeys(kind_));
    TextFileReader reader(path, TextFileReader::kBlockSize, files);
    Keys keys;
    std::string line, digests;
    digests.reserve(kBatchLines * size);  // never moves: the keys are views into it
    std::string_view read;
    for (bool more = true; more;) {
      keys.clear();
      digests.clear();
      while (keys.size() < kBatchLines && (more = reader.NextLine(read))) {
        line.assign(TrimSpaces(read));
        const auto key = ExclusionKey(kind_, line);
        CountExclusionLine(report, key.has_value());
        if (!key) continue;
        digests.append(*key);
        keys.emplace_back(std::string_view(digests).substr(digests.size() - size));
      }
      InsertAll(keys, set_);
    }
  }
};

// As many digest lines as a file of `path`'s size may hold, for a first size of the set.
std::size_t DigestLinesIn(const std::string& path, KeyKind kind, FileSystem& files) {
  const auto status = StatusIfAny(files, path);
  if (!status) return 0;
  const std::uint64_t lines = status->size / (2 * DigestSize(*DigestOfKeys(kind)) + 1) + 1;
  return static_cast<std::size_t>(std::min<std::uint64_t>(lines, SIZE_MAX / 4));
}

}  // namespace

void CountExclusionLine(ExclusionReport& report, bool hasKey) {
  ++report.lines;
  if (hasKey) return;
  if (report.unfit++ == 0) report.firstUnfit = report.lines;
}

std::unique_ptr<ExclusionRule> ReadExclusionRule(const ExclusionFile& file, ExclusionReport& report,
                                                 FileSystem& files, std::uint64_t budget) {
  if (DigestOfKeys(file.kind)) {
    // A digest set takes twice its digests' bytes, at its fullest.
    const std::size_t lines = DigestLinesIn(file.path, file.kind, files);
    if (2 * DigestSize(*DigestOfKeys(file.kind)) * static_cast<std::uint64_t>(lines) > budget)
      return nullptr;
    auto rule = std::make_unique<DigestKeyRule>(file.kind, lines);
    rule->Fill(file.path, report, files);
    return rule;
  }
  auto list = ReadListIfItFits(file.path, 0, LineSet::kBytesPerLine, budget, files);
  if (!list) return nullptr;
  auto rule = std::make_unique<LineKeyRule>(std::move(list->file), list->lines, file.kind);
  rule->Fill(report);
  return rule;
}

}  // namespace ondrel
