#include "common/paths.h"

#include <gtest/gtest.h>

#include <string>

#include "common/path_rules.h"
#include "common/recording_window_system.h"

namespace ondrel {
namespace {

using testing::RecordingWindowSystem;

// Paths in the cases are written with "\" and turned into the platform's separator.
std::string P(std::string text) {
  for (char& c : text)
    if (c == '\\') c = kPathSeparator;
  return text;
}

TEST(PathInfo, SplitsTheWorkedPaths) {
  const struct {
    const char* path;
    const char* fileName;
    const char* extension;
    const char* baseName;
    const char* folder;
  } cases[] = {
      {"C:\\Dati\\pagina.htm", "pagina.htm", "htm", "pagina", "C:\\Dati"},
      {"C:\\pagina.htm", "pagina.htm", "htm", "pagina", "C:"},
      {"\\pagina.htm", "pagina.htm", "htm", "pagina", "\\"},
      {"pagina.htm", "pagina.htm", "htm", "pagina", ""},
      {"C:\\Dati\\", "", "", "", "C:\\Dati"},
      {"C:\\", "", "", "", "C:"},
      {"C:\\Dati\\archivio.tar.gz", "archivio.tar.gz", "gz", "archivio.tar", "C:\\Dati"},
      {"C:\\Dati\\nota.", "nota.", "", "nota.", "C:\\Dati"},
      {"C:\\Dati\\.profilo", ".profilo", "profilo", "", "C:\\Dati"},
      {"C:\\Dati.old\\LEGGIMI", "LEGGIMI", "", "LEGGIMI", "C:\\Dati.old"},
      {"  C:\\Dati\\pagina.htm  ", "pagina.htm", "htm", "pagina", "C:\\Dati"},
      {"C:\\Dati\\\\pagina.htm", "pagina.htm", "htm", "pagina", "C:\\Dati"},
      {"\\\\pagina.htm", "pagina.htm", "htm", "pagina", "\\"},
  };
  RecordingWindowSystem windows;
  for (const auto& c : cases) {
    const std::string path = P(c.path);
    EXPECT_EQ(PathInfo(path, 1, windows), P(c.fileName)) << c.path;
    EXPECT_EQ(PathInfo(path, 2, windows), P(c.extension)) << c.path;
    EXPECT_EQ(PathInfo(path, 3, windows), P(c.baseName)) << c.path;
    EXPECT_EQ(PathInfo(path, 4, windows), P(c.folder)) << c.path;
  }
  EXPECT_TRUE(windows.messages.empty());
}

TEST(PathInfo, OnlyThePlatformSeparatorSeparates) {
  RecordingWindowSystem windows;
  const std::string other = kPathSeparator == '/' ? "C:\\Dati\\a.txt" : "C:/Dati/a.txt";
  EXPECT_EQ(PathInfo(other, 1, windows), other);
  EXPECT_EQ(PathInfo(other, 2, windows), "txt");
  EXPECT_EQ(PathInfo(other, 4, windows), "");
}

TEST(PathInfo, ReportsMissingParametersAndUnknownSelectors) {
  const struct {
    std::string path;
    int backInfo;
    const char* text;
    int style;
    const char* titleSuffix;
  } cases[] = {
      {"   ", 1, "Manca un parametro indispensabile", kMessageCritical, "-PathInfo"},
      {"", 4, "Manca un parametro indispensabile", kMessageCritical, "-PathInfo"},
      {P("C:\\a.txt"), 0, "Manca un parametro indispensabile", kMessageCritical, "-PathInfo"},
      {P("C:\\a.txt"), 5, "Parametro BackInfo sconosciuto", kMessageCritical, "-PathInfo"},
      {P("C:\\a.txt"), -1, "Parametro BackInfo sconosciuto", kMessageCritical, "-PathInfo"},
      {std::string(32768, 'a'), 1, nullptr, kMessageNoIcon, "-VornCommon.PathInfo"},
  };
  for (const auto& c : cases) {
    RecordingWindowSystem windows;
    EXPECT_EQ(PathInfo(c.path, c.backInfo, windows), "");
    ASSERT_EQ(windows.messages.size(), 1u) << c.backInfo;
    if (c.text) {
      EXPECT_EQ(windows.messages[0].text, c.text);
    }
    EXPECT_FALSE(windows.messages[0].text.empty());
    EXPECT_EQ(windows.messages[0].style, c.style);
    EXPECT_EQ(windows.messages[0].title, windows.facts.executableName + c.titleSuffix);
  }
  RecordingWindowSystem windows;
  EXPECT_EQ(PathInfo(std::string(32767, 'a'), 1, windows), std::string(32767, 'a'));
  EXPECT_TRUE(windows.messages.empty());
}

TEST(AddBackslash, AppendsOneSeparatorToNonEmptyTexts) {
  EXPECT_EQ(AddBackslash(P("c:\\dati")), P("c:\\dati\\"));
  EXPECT_EQ(AddBackslash(P("c:\\dati\\")), P("c:\\dati\\"));
  EXPECT_EQ(AddBackslash(""), "");
  EXPECT_EQ(AddBackslash(P("c:\\dati ")), P("c:\\dati \\"));
}

TEST(ParentFolder, GivesTheFolderAboveWithItsSeparator) {
  EXPECT_EQ(ParentFolder(P("c:\\dati\\pagine\\")), P("c:\\dati\\"));
  EXPECT_EQ(ParentFolder(P("c:\\dati\\pagine")), P("c:\\dati\\"));
  EXPECT_EQ(ParentFolder(P("c:\\")), P("c:\\"));
  EXPECT_EQ(ParentFolder(P("\\")), P("\\"));
  EXPECT_EQ(ParentFolder(P("\\dati\\")), P("\\"));
  EXPECT_EQ(ParentFolder(""), "");
}

TEST(TrimSpaces, RemovesOnlySpaces) {
  EXPECT_EQ(TrimSpaces("  a b  "), "a b");
  EXPECT_EQ(TrimSpaces("\ta\t"), "\ta\t");
  EXPECT_EQ(TrimSpaces("   "), "");
}

}  // namespace
}  // namespace ondrel
