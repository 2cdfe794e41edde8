// Lists marked hidden or system, and names that end in a space or a dot. On Windows the
// list tools' existence search, like the plain-file mask, finds no hidden or system file, and
// every name is read, listed and written as the system lists it (a plain path would lose the
// space or the dot, and reach another file or none). POSIX has no such marks, and such names
// are ordinary there.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "cli/cli_runner.h"
#include "common/file_system.h"
#include "common/test_files.h"
#include "common/test_platform.h"

namespace ondrel::testing {
namespace {

void WriteAsSpelled(const std::string& path, std::string_view bytes) {
  const std::filesystem::path literal = FsPath(LiteralPath(path));
  std::filesystem::create_directories(literal.parent_path());
  std::ofstream(literal, std::ios::binary) << bytes;
}

std::string ReadAsSpelled(const std::string& path) {
  return ScratchFolder::Read(LiteralPath(path));
}

CliRun RunInProcess(const std::vector<std::string>& arguments) {
  return RunCommandInProcess(arguments, SystemFileSystem());
}

enum class Role {
  kList,     // liste/NAME: a list given to subtract, as the base and as the exclusion, and to
             // dedupe
  kScanned,  // scan/NAME: a page, or a folder, in the scanned tree, beside the name the system
             // would make of it
  kMailOut,  // out/NAME: the MailOut.txt an extraction appends to
};

TEST(AttributesAndNames, HiddenAndSystemListsAreMissingAndEveryNameIsReadAsListed) {
  struct Case {
    Role role;
    std::string name;
    unsigned attributes;
  };
  const Case cases[] = {
      {Role::kList, "lista.txt", 0},
      {Role::kList, "lista.txt", kHidden},
      {Role::kList, "lista.txt", kSystem},
      {Role::kList, "lista.txt", kHidden | kSystem},
      {Role::kList, "lista.txt ", 0},
      {Role::kList, "lista.", 0},
      {Role::kList, "lista. ", kHidden},
      {Role::kScanned, "pagina.htm ", 0},
      {Role::kScanned, "pagina.htm ", kHidden | kSystem},
      {Role::kScanned, "cartella./pagina.htm", 0},
      {Role::kScanned, "cartella /pagina.htm", 0},
      {Role::kMailOut, "MailOut.txt", kHidden},
      {Role::kMailOut, "MailOut.txt", kSystem},
  };
  const std::string page = "<a href=\"mailto:plain@x.it\">x</a>\r\n";
  for (const Case& c : cases) {
    SCOPED_TRACE("\"" + c.name + "\" " + std::to_string(c.attributes));
    ScratchFolder scratch;
    const bool found = !kWindowsPlatform || c.attributes == 0;
    switch (c.role) {
      case Role::kList: {
        const std::string list = scratch / ("liste/" + c.name);
        WriteAsSpelled(list, "b\r\na\r\nb\r\n");
        MarkAttributes(list, c.attributes);
        const std::string other = scratch.Write("altra.txt", "a\r\nc\r\n");
        const CliRun base = RunInProcess({"subtract", list, other});
        const CliRun exclusion = RunInProcess({"subtract", other, list});
        const CliRun dedupe = RunInProcess({"dedupe", list});
        EXPECT_EQ(base.err, found ? "" : "Ondrel: Il file base non esiste\n");
        EXPECT_EQ(ReadAsSpelled(scratch / "liste/MailNew.txt"), found ? "b\r\nb\r\n" : "");
        EXPECT_EQ(exclusion.err, found ? "" : "Ondrel: Il file di sottrazione non esiste\n");
        EXPECT_EQ(ReadAsSpelled(scratch / "MailNew.txt"), found ? "c\r\n" : "");
        EXPECT_EQ(dedupe.status, found ? 0 : 1);
        EXPECT_EQ(dedupe.err, found ? "" : "Ondrel: Il file da ordinare non esiste\n");
        EXPECT_EQ(ReadAsSpelled(list), found ? "a\r\nb\r\n" : "b\r\na\r\nb\r\n");
        break;
      }
      case Role::kScanned: {
        const std::string listed = scratch / ("scan/" + c.name);
        WriteAsSpelled(listed, "<a href=\"mailto:listed@x.it\">x</a>\r\n");
        MarkAttributes(listed, c.attributes);
        scratch.Write("scan/pagina.htm", page);
        scratch.Write("scan/cartella/pagina.htm", page);
        std::filesystem::create_directory(FsPath(scratch / "out"));
        const CliRun run = RunInProcess({"extract", scratch / "scan", scratch / "out"});
        EXPECT_EQ(run.status, 0);
        EXPECT_EQ(run.err, "");
        EXPECT_EQ(ReadAsSpelled(scratch / "out/MailOut.txt"), "listed@x.it\r\nplain@x.it\r\n");
        break;
      }
      case Role::kMailOut: {
        const std::string mail_out = scratch / ("out/" + c.name);
        WriteAsSpelled(mail_out, "z@x.it\r\n");
        MarkAttributes(mail_out, c.attributes);
        scratch.Write("scan/pagina.htm", page);
        const CliRun run = RunInProcess({"extract", "--append", scratch / "scan", scratch / "out"});
        EXPECT_EQ(run.status, 0);
        EXPECT_TRUE(Contains(run.out, found ? "Totale indirizzi:2" : "non e` ordinato")) << run.out;
        EXPECT_EQ(ReadAsSpelled(mail_out),
                  found ? "plain@x.it\r\nz@x.it\r\n" : "z@x.it\r\nplain@x.it\r\n");
        break;
      }
    }
  }
}

}  // namespace
}  // namespace ondrel::testing
