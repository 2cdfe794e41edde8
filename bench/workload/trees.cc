#include "workload/trees.h"

#include "workload/output_file.h"
#include "workload/random.h"
#include "workload/text_pieces.h"

namespace ondrel::bench {
namespace {

constexpr std::size_t kFlushSize = std::size_t{1} << 20;

// The folder of the `index`-th file: 20 folders with 5 sub-folders each.
std::string FolderOf(const std::string& root, const char* prefix, int index) {
  return root + "/" + prefix + std::to_string(index % 20) + "/parte" +
         std::to_string(index / 20 % 5);
}

// Sizes from half to one and a half times the mean, so the files are not all alike.
std::uint64_t FileSize(Random& random, std::uint64_t total_bytes, int file_count) {
  const std::uint64_t mean = total_bytes / static_cast<std::uint64_t>(file_count);
  return mean / 2 + random.Below(mean + 1);
}

// Writes `lines` to `path` one line at a time until `size` bytes are reached.
template <typename NextLine>
void WriteFile(const std::string& path, std::uint64_t size, NextLine next_line) {
  OutputFile file(path);
  std::string buffer;
  std::uint64_t written = 0;
  while (written < size) {
    const std::size_t before = buffer.size();
    next_line(buffer);
    written += buffer.size() - before;
    if (buffer.size() >= kFlushSize) {
      file.Write(buffer);
      buffer.clear();
    }
  }
  file.Write(buffer);
}

void AppendTextLine(std::string& out, Random& random, const char* line_end) {
  const std::size_t length = 30 + random.Below(80);
  if (random.OneIn(20)) {
    AppendWords(out, random, random.Below(length));
    switch (random.Below(4)) {
      case 0:  // a bare address between words
        out += ' ';
        AppendRandomAddress(out, random);
        out += ' ';
        AppendWords(out, random, 10);
        break;
      case 1:  // in angle brackets, as mail programs quote it
        out += " <";
        AppendRandomAddress(out, random);
        out += ">, ";
        AppendWords(out, random, 10);
        break;
      case 2:  // in brackets with a comma
        out += " (";
        AppendRandomAddress(out, random);
        out += "), ";
        AppendWords(out, random, 10);
        break;
      default:  // at the end of the line, with the ";" that is dropped
        out += " Email: ";
        AppendRandomAddress(out, random);
        out += ';';
    }
  } else {
    AppendWords(out, random, length);
  }
  out += line_end;
}

void AppendPageLine(std::string& out, Random& random) {
  if (!random.OneIn(20)) {
    out += "<p>";
    AppendWords(out, random, 30 + random.Below(60));
    out += "</p>\n";
    return;
  }
  std::string address;
  AppendRandomAddress(address, random);
  switch (random.Below(5)) {
    case 0:
      out +=
          "<p>Scrivete a <a href=\"mailto:" + address + "\">" + RandomWord(random) + "</a></p>\n";
      break;
    case 1:
      out += "<li><a href=\"MailTo:" + address + "?subject=Informazioni\">modulo</a></li>\n";
      break;
    case 2:
      out += "<P><A HREF=\"MAILTO:" + address + "\">" + address + "</A></P>\n";
      break;
    case 3:  // an address between tags: not a link, not taken
      out += "<p>Referente: <b>" + address + "</b></p>\n";
      break;
    default:
      out += "<tr><td>" + address + "</td><td>" + RandomWord(random) + "</td></tr>\n";
  }
}

}  // namespace

void WriteTextTree(const std::string& root, std::uint64_t total_bytes, int file_count) {
  Random random(1);
  for (int i = 0; i < file_count; ++i) {
    const std::string folder = FolderOf(root, "archivio", i);
    MakeFolders(folder);
    const char* line_end = i % 4 == 3 ? "\r\n" : "\n";
    WriteFile(folder + "/note" + std::to_string(i) + ".txt",
              FileSize(random, total_bytes, file_count),
              [&](std::string& out) { AppendTextLine(out, random, line_end); });
  }
}

void WriteWebTree(const std::string& root, std::uint64_t total_bytes, int file_count) {
  static const char* const kExtensions[] = {".html", ".htm", ".asp", ".HTML"};
  Random random(2);
  for (int i = 0; i < file_count; ++i) {
    const std::string folder = FolderOf(root, "sito", i);
    MakeFolders(folder);
    bool started = false;
    WriteFile(folder + "/pagina" + std::to_string(i) + kExtensions[i % 4],
              FileSize(random, total_bytes, file_count), [&](std::string& out) {
                if (!started) {
                  out +=
                      "<html><head><title>Pagina</title>\n"
                      "<style>@media print { body { color: black; } }</style>\n"
                      "</head><body>\n";
                  started = true;
                }
                AppendPageLine(out, random);
              });
  }
}

void WriteWalkTree(const std::string& root, int folder_count, int file_count) {
  const int groups = (folder_count + 99) / 100;
  int written = 0;
  for (int folder = 0; folder < folder_count; ++folder) {
    // The first `groups` folders are the groups; the others sit inside them.
    const int group = folder % groups;
    std::string path = root + "/gruppo" + std::to_string(group);
    if (folder >= groups) path += "/cartella" + std::to_string(folder);
    MakeFolders(path);
    const int files_here = (file_count - written) / (folder_count - folder);
    for (int i = 0; i < files_here; ++i) {
      OutputFile(path + "/nota" + std::to_string(i) + ".txt").Write("promemoria\n");
    }
    written += files_here;
  }
}

}  // namespace ondrel::bench
