#include "backup/reg_file.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace korvane::testing {
namespace {

constexpr RegistryRoot HKLM = RegistryRoot::kLocalMachine;
constexpr RegistryRoot HKCU = RegistryRoot::kCurrentUser;

// Code page 932 for the few characters these tests use. ソ and 表 end in the
// byte of a backslash, which must never be taken for an escape.
const std::pair<std::string, std::string> kShiftJis[] = {
    {"モ", "\x83\x82"}, {"ニ", "\x83\x6A"}, {"タ", "\x83\x5E"},
    {"ソ", "\x83\x5C"}, {"表", "\x95\x5C"},
};

std::string ToShiftJis(std::string_view utf8) {
  std::string ansi;
  for (std::size_t i = 0; i < utf8.size();) {
    bool mapped = false;
    for (const auto& [wide, narrow] : kShiftJis) {
      if (utf8.substr(i, wide.size()) == wide) {
        ansi += narrow;
        i += wide.size();
        mapped = true;
        break;
      }
    }
    if (!mapped) ansi += utf8[i++];
  }
  return ansi;
}

std::string FromShiftJis(std::string_view ansi) {
  std::string utf8;
  for (std::size_t i = 0; i < ansi.size();) {
    const auto lead = static_cast<unsigned char>(ansi[i]);
    if ((lead >= 0x81 && lead <= 0x9F) || lead >= 0xE0) {
      std::string found = "?";
      for (const auto& [wide, narrow] : kShiftJis) {
        if (ansi.substr(i, 2) == narrow) found = wide;
      }
      utf8 += found;
      i += 2;
    } else {
      utf8 += ansi[i++];
    }
  }
  return utf8;
}

const AnsiCodePage kCodePage{ToShiftJis, FromShiftJis};

RegistryValue Text(std::string_view text, std::uint32_t type = kRegString) {
  RegistryValue value{type, std::vector<std::uint8_t>(text.begin(), text.end())};
  value.data.push_back(0);
  return value;
}

RegistryValue Bytes(std::uint32_t type, std::vector<std::uint8_t> bytes) {
  return RegistryValue{type, std::move(bytes)};
}

TEST(RegFile, WritesWhatRegeditReadsInItsOwnCodePage) {
  RegFile file;
  file.stamp = "1999/11/23 21:05:09";
  file.keys.push_back({HKLM,
                       "System\\CurrentControlSet\\Services\\Class\\Display\\0000\\Settings\\CPU",
                       {{"AGPFlags", Text("-1")},
                        {"Path", Text("C:\\G400\\\"new\"")},
                        {"ソ表", Text("モニタ")},
                        {"", Text("default")}},
                       {"AGP", "モニタ"}});
  file.keys.push_back({HKCU,
                       "Software\\Matrox\\PowerDesk\\Version5\\CurrentSettings",
                       {{"ShowMeAllMatrox", Bytes(kRegDword, {0xCD, 0xAB, 0, 0})},
                        {"ScreenWidth", Bytes(kRegBinary, {0x02, 0x80})}},
                       {}});
  const std::string text = FormatRegFile(file, kCodePage);
  const std::string comment =
      text.substr(text.find("; Korvane"), text.find("\r\n[") - text.find("; Korvane") + 2);
  EXPECT_EQ(text,
            "REGEDIT4\r\n"
            "\r\n"
            "; Matrox Korvane backup 1999/11/23 21:05:09\r\n" +
                comment +
                "[HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Services\\Class\\Display\\0000"
                "\\Settings\\CPU]\r\n"
                "\"AGPFlags\"=\"-1\"\r\n"
                "\"Path\"=\"C:\\\\G400\\\\\\\"new\\\"\"\r\n"
                "\"\x83\x5C\x95\x5C\"=\"\x83\x82\x83\x6A\x83\x5E\"\r\n"
                "@=\"default\"\r\n"
                "; \"AGP\"=-\r\n"
                "; \"\x83\x82\x83\x6A\x83\x5E\"=-\r\n"
                "\r\n"
                "[HKEY_CURRENT_USER\\Software\\Matrox\\PowerDesk\\Version5\\CurrentSettings]\r\n"
                "\"ShowMeAllMatrox\"=dword:0000abcd\r\n"
                "\"ScreenWidth\"=hex:02,80\r\n"
                "\r\n"
                "; end of Matrox Korvane backup\r\n");
  // The explanation is a comment line in the ANSI code page.
  EXPECT_EQ(comment.substr(0, 9), "; Korvane");
  EXPECT_EQ(comment.find('\n'), comment.size() - 3);
}

TEST(RegFile, ReadsBackEveryValueExactly) {
  std::vector<std::uint8_t> long_binary(100);
  for (std::size_t i = 0; i < long_binary.size(); ++i)
    long_binary[i] = static_cast<std::uint8_t>(i * 7);
  RegFile file;
  file.stamp = "2000/01/02 03:04:05";
  file.keys.push_back({HKLM,
                       "Software\\Acclaim Entertainment\\Forsaken\\1.00",
                       {
                           {"Quote\"And\\Slash", Text("\\\\server\\\"share\"\\")},
                           {"ソ表", Text("ソ表\\")},
                           {"Empty", Text("")},
                           {"Minus", Bytes(kRegDword, {0xFE, 0xFF, 0xFF, 0xFF})},
                           {"Long", Bytes(kRegBinary, long_binary)},
                           {"None", Bytes(kRegBinary, {})},
                           // What regedit 4 cannot express goes into comments.
                           {"Inner NUL", Bytes(kRegString, {'a', 0, 'b', 0})},
                           {"No NUL", Bytes(kRegString, {'a', 'b'})},
                           {"Two lines", Text("one\r\ntwo")},
                           {"Expand", Text("%WINDIR%\\ソ", kRegExpandString)},
                           {"Multi", Bytes(kRegMultiString, {'a', 0, 'b', 0, 0})},
                           {"Short dword", Bytes(kRegDword, {1, 2})},
                           {"Odd type", Bytes(0x1234, {9})},
                       },
                       {"Gone", "", "タ"}});
  file.keys.push_back({HKCU, "Software\\Matrox\\PowerDesk\\Version5\\CurrentSettings", {}, {}});
  // Keys the program made: regedit 4 must not make them again.
  file.keys.push_back({HKCU, "Software\\Matrox", {}, {}, true});
  file.keys.push_back({HKCU, "Software\\Matrox\\PowerDesk", {}, {"Gone"}, true});
  file.keys.push_back({HKCU, "Software\\モニタ\\ソ表", {{"ソ", Text("表")}}, {}});

  const std::string text = FormatRegFile(file, kCodePage);
  EXPECT_NE(text.find("[HKEY_CURRENT_USER\\Software\\\x83\x82\x83\x6A\x83\x5E\\\x83\x5C\x95\x5C]"),
            std::string::npos);
  RegFileError error;
  const auto read = ParseRegFile(text, kCodePage, &error);
  ASSERT_TRUE(read) << "line " << error.line << "\n" << text;
  EXPECT_EQ(*read, file);

  // Long data wraps below 80 columns as regedit wraps it; the comments
  // that regedit must skip stay on one line each.
  std::size_t start = 0;
  int continued = 0;
  while (start < text.size()) {
    const std::size_t end = text.find("\r\n", start);
    const std::string line = text.substr(start, end - start);
    if (line[0] != ';') {
      EXPECT_LE(line.size(), 80u) << line;
    }
    if (line.back() == '\\' && line.find("=hex:") == std::string::npos) {
      EXPECT_EQ(line.substr(0, 2), "  ");
    }
    continued += line.back() == '\\';
    start = end + 2;
  }
  EXPECT_GE(continued, 3);
  EXPECT_NE(text.find("; \"Expand\"=hex(2):25,57,49,4e,44,49,52,25,5c,83,5c,00\r\n"),
            std::string::npos);
  EXPECT_NE(text.find("; \"Odd type\"=hex(1234):09\r\n"), std::string::npos);
  EXPECT_NE(
      text.find("\r\n; [-HKEY_CURRENT_USER\\Software\\Matrox\\PowerDesk]\r\n; \"Gone\"=-\r\n"),
      std::string::npos);
}

TEST(RegFile, RefusesWhatItDidNotWrite) {
  const std::string head = "REGEDIT4\r\n\r\n; Matrox Korvane backup 2000/01/02 03:04:05\r\n";
  const std::string key = "[HKEY_LOCAL_MACHINE\\Ostrel\\Korvane]\r\n";
  const std::string end = "; end of Matrox Korvane backup\r\n";
  struct Case {
    const char* what;
    std::string text;
    bool foreign;
    int line;
  };
  const Case cases[] = {
      {"empty", "", true, 0},
      {"another program's file", "REGEDIT4\r\n\r\n" + key + "\"a\"=\"1\"\r\n", true, 0},
      {"a later regedit's file", "Windows Registry Editor Version 5.00\r\n\r\n" + key, true, 0},
      {"cut short", head + key + "\"a\"=\"1\"\r\n", false, 6},
      {"cut inside wrapped data", head + key + "\"a\"=hex:01,\\\r\n", false, 5},
      {"an escape regedit 4 lacks", head + key + "\"a\"=\"\\n\"\r\n" + end, false, 5},
      {"an unclosed string", head + key + "\"a\"=\"1\r\n" + end, false, 5},
      {"a dword too long", head + key + "\"a\"=dword:123456789\r\n" + end, false, 5},
      {"a byte that is not hex", head + key + "\"a\"=hex:02,8g\r\n" + end, false, 5},
      {"a value before any key", head + "\"a\"=\"1\"\r\n" + end, false, 4},
      {"another root", head + "[HKEY_CLASSES_ROOT\\.reg]\r\n" + end, false, 4},
      {"a comment value regedit could express", head + key + "; \"a\"=\"1\"\r\n" + end, false, 5},
      {"text after the end", head + key + end + "\"a\"=\"1\"\r\n", false, 6},
  };
  for (const Case& c : cases) {
    RegFileError error;
    EXPECT_FALSE(ParseRegFile(c.text, kCodePage, &error)) << c.what;
    EXPECT_EQ(error.foreign, c.foreign) << c.what;
    EXPECT_EQ(error.line, c.line) << c.what;
  }
}

}  // namespace
}  // namespace korvane::testing
