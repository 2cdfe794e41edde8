// Random folder trees for the tests that compare runs: files of every kind with addresses
// in every form the scanner meets, repeated within and across files, lines of every end.
#pragma once

#include <cstdint>
#include <random>
#include <string>

#include "common/test_files.h"

namespace ondrel::testing {

class RandomTree {
 public:
  explicit RandomTree(std::uint32_t seed) : random_(seed) {}

  // Fills `folder` with a tree of about `files` files, some of them `largeFiles` of a few
  // hundred KiB (many addresses each), in folders up to four levels deep.
  void Fill(const ScratchFolder& folder, int files, int largeFiles = 0) {
    for (int i = 0; i < files; ++i) folder.Write(FolderPath() + FileName(i), Content(Pick(60)));
    for (int i = 0; i < largeFiles; ++i)
      folder.Write(FolderPath() + "large" + std::to_string(i) + ".txt", Content(20000));
  }

  // `lines` lines of text made of words, addresses, mailto links, separators and odd bytes.
  std::string Content(int lines) {
    std::string text;
    for (int line = 0; line < lines; ++line) {
      const int tokens = Pick(8);
      if (Pick(10) == 0) text += "  ";
      for (int t = 0; t < tokens; ++t) {
        if (t > 0) text += Pick(6) == 0 ? "  " : " ";
        text += Token();
      }
      if (Pick(6) == 0) text += ';';
      if (Pick(8) == 0) text += ' ';
      static constexpr const char* kEnds[] = {"\r\n", "\n", "\r", "\r\n", "\n"};
      text += kEnds[Pick(5)];
    }
    return text;
  }

  int Pick(int below) { return std::uniform_int_distribution<int>(0, below - 1)(random_); }

 private:
  std::string Address() {
    static constexpr const char* kUsers[] = {"anna", "bruno", "Carla", "dario.rossi", "e_f",
                                             "info", "Info",  "x",     "z9",          "a-b"};
    static constexpr const char* kDomains[] = {"example.com", "example.org", "example.net",
                                               "Example.COM", "ex.it"};
    return std::string(kUsers[Pick(10)]) + (Pick(4) == 0 ? std::to_string(Pick(50)) : "") + "@" +
           kDomains[Pick(5)];
  }

  std::string Token() {
    switch (Pick(12)) {
      case 0:
        return "<a href=\"mailto:" + Address() + "\">";
      case 1:
        return "href=MAILTO:" + Address() + ">x";
      case 2:
        return "<" + Address() + ">,";
      case 3:
        return Address() + "\t" + Address();
      case 4:
        return "@";
      case 5:
        return std::string("a\0b@c", 5);
      case 6:
        return "\x01\xe8@\xff.it";
      case 7:
      case 8:
        return Address();
      default: {
        static constexpr const char* kWords[] = {"Scrivi", "a", "per", "mailto:", "info", "@@"};
        return kWords[Pick(6)];
      }
    }
  }

  std::string FolderPath() {
    static constexpr const char* kFolders[] = {"a/", "b/", "c d/", "e,f/", "g\"h/", ".i/"};
    std::string path;
    for (int depth = Pick(5); depth > 0; --depth) path += kFolders[Pick(6)];
    return path;
  }

  std::string FileName(int i) {
    static constexpr const char* kExtensions[] = {".txt", ".TXT", ".htm", ".html",
                                                  ".asp", ".dbx", ".bak", ""};
    static constexpr const char* kStems[] = {"f", "p q", "r,s", "t\"u", "v\nw"};
    return kStems[Pick(5)] + std::to_string(i) + kExtensions[Pick(8)];
  }

  std::mt19937 random_;
};

}  // namespace ondrel::testing
