#include "pin/pin_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "unit/pin/pin_sample.h"

namespace korvane::testing {
namespace {

std::string Same(std::string_view text) { return std::string(text); }

// Decodes into `figures` and lists the fields in the order they were decoded.
struct Decoding {
  Status status;
  std::vector<std::string> fields;
};

Decoding Decode(const PinText& text, bool secondary, ChipFigures* figures) {
  Decoding decoding;
  decoding.status =
      DecodePinText(text, secondary, Same, figures, [&](PinField field, std::size_t index) {
        decoding.fields.push_back(std::to_string(static_cast<int>(field)) + "." +
                                  std::to_string(index));
      });
  return decoding;
}

TEST(PinFileTest, IsWrittenWithCrLfAfterEveryLineAndReadBackTheSame) {
  const PinText lines = {"a", "", "x\ty", "'z'"};
  EXPECT_EQ(JoinLines(lines), "a\r\n\r\nx\ty\r\n'z'\r\n");
  EXPECT_EQ(SplitLines(JoinLines(lines)), lines);
  EXPECT_EQ(JoinLines({}), "");
}

TEST(PinFileTest, ReadsNeverPastALineOrPastTheLastLine) {
  const PinText text = {"12345", "abc"};
  EXPECT_EQ(LineAt(text, 1), "abc");
  EXPECT_EQ(LineAt(text, 2), "");
  EXPECT_EQ(LineAt(text, 1000), "");
  EXPECT_EQ(Characters("12345", 2, 4), "234");
  EXPECT_EQ(Characters("12345", 4, 9), "45");
  EXPECT_EQ(Characters("12345", 6, 9), "");
  EXPECT_EQ(Characters("", 1, 1), "");

  const struct {
    const char* line;
    const char* serial;
  } serials[] = {
      {"12\t16\t'KZ604123'", "KZ604123"},
      {"12\t16\t'AB12'", "AB12"},
      {"12\t16\t'ABCDEFGH1234'", "ABCDEFGH1234"},
      {"12\t16\t''", ""},
      {"12\t16\t'NOEND", "NOEND"},
      {"12\t16\tBARE", ""},
  };
  for (const auto& s : serials) EXPECT_EQ(SerialText(s.line), s.serial) << s.line;
}

TEST(PinFileTest, OnlySevenAndEightCharacterLinesCarryAByteValue) {
  const struct {
    const char* line;
    bool error;
    std::optional<int> value;
  } cases[] = {
      {"38\t1\t90", false, 90}, {"65\t1\t150", false, 150}, {"38\t1\t07", false, 7},
      {"38\t1\t9", false, {}},  {"38\t1\t1000", false, {}}, {"", false, {}},
      {"38\t1\t9x", true, {}},  {"38\t1\t 9", true, {}},    {"38\t1\t-9", true, {}},
      {"38\t1\t1.5", true, {}},
  };
  for (const auto& c : cases) {
    const auto read = ReadByteValue({c.line}, 0, Same);
    ASSERT_EQ(read.ok(), !c.error) << c.line;
    if (c.error) {
      EXPECT_EQ(read.status().message(),
                "'" + std::string(c.line).substr(5) + "' は整数ではありません");
    } else {
      EXPECT_EQ(read.value(), c.value) << c.line;
    }
  }
  EXPECT_FALSE(ReadByteValue({}, 5, Same).value()) << "a missing line";
}

TEST(PinFileTest, DecodesEveryFieldOfADualHeadFileInOrder) {
  ChipFigures figures;
  const Decoding decoding = Decode(SamplePin(), true, &figures);
  ASSERT_TRUE(decoding.status.ok()) << decoding.status.message();
  EXPECT_EQ(decoding.fields,
            (std::vector<std::string>{"0.0", "1.0", "2.0", "3.0", "3.1", "3.2", "3.3", "3.4", "3.5",
                                      "4.0", "4.1", "5.0", "5.1", "5.2", "6.0"}));
  EXPECT_EQ(figures.BiosVersion, "V1.3");
  EXPECT_EQ(figures.SerialNumber, "KZ604123");
  EXPECT_EQ(figures.ModelNumber, "105");
  EXPECT_EQ(figures.BoardTypeDigit, 3);
  for (const auto& mhz : figures.RamdacMHz) EXPECT_EQ(mhz, 300);
  EXPECT_EQ(figures.SecondaryRamdacMHz[0], 136);
  EXPECT_EQ(figures.SecondaryRamdacMHz[1], 136);
  EXPECT_EQ(figures.CoreClockMHz, (std::array<std::optional<int>, 3>{82, 126, 126}));
  EXPECT_EQ(figures.MemoryClockMHz, (std::array<std::optional<int>, 3>{108, 168, 168}));

  ChipFigures max;
  ASSERT_TRUE(Decode(SampleMaxPin(), false, &max).status.ok());
  EXPECT_EQ(max.BoardTypeDigit, 7);
  EXPECT_EQ(max.RamdacMHz[0], 360);
  EXPECT_EQ(max.MemoryClockMHz[1], 200);
  EXPECT_FALSE(max.SecondaryRamdacMHz[0]) << "read without a secondary output";

  // The same file with bare LF line ends decodes the same.
  std::string lf;
  for (const std::string& line : SamplePin()) lf += line + "\n";
  ChipFigures from_lf;
  ASSERT_TRUE(Decode(SplitLines(lf), true, &from_lf).status.ok());
  EXPECT_EQ(from_lf.SerialNumber, figures.SerialNumber);
  EXPECT_EQ(from_lf.CoreClockMHz, figures.CoreClockMHz);
}

TEST(PinFileTest, ShortLinesShowWhatTheyHoldAndValueLinesOfOtherLengthsShowNone) {
  PinText text = SamplePin();
  text[5] = "BIOS V1";          // shorter than character 21
  text[15] = "12\t16\t'AB12'";  // the closing apostrophe falls within the 8 characters
  text[16] = "28\t1";
  text[20] = "39\t1\t9";     // 6 characters
  text[33] = "55\t1\t1000";  // 9 characters
  ChipFigures figures;
  ASSERT_TRUE(Decode(text, true, &figures).status.ok());
  EXPECT_EQ(figures.BiosVersion, "");
  EXPECT_EQ(figures.SerialNumber, "AB12'");
  EXPECT_EQ(figures.ModelNumber, "");
  EXPECT_FALSE(figures.RamdacMHz[1]);
  EXPECT_EQ(MHzText(figures.RamdacMHz[1]), "???MHz");
  EXPECT_EQ(MHzText(figures.RamdacMHz[2]), "300MHz");
  EXPECT_FALSE(figures.CoreClockMHz[0]);
  EXPECT_FALSE(figures.MemoryClockMHz[0]);

  text[15] = "12\t16\t'ABCDEFGH1234'";
  ASSERT_TRUE(Decode(text, true, &figures).status.ok());
  EXPECT_EQ(figures.SerialNumber, "ABCDEFGH");
}

TEST(PinFileTest, ANonNumberStopsTheDecodeThereAndLaterFieldsKeepTheirValues) {
  const struct {
    std::size_t line;
    const char* text;
    const char* message;
    const char* last_field;  // the last field decoded before the stop
  } cases[] = {
      {21, "40\t1\tx5", "'x5' は整数ではありません", "3.1"},
      {26, "45\t1\t3?", "'3?' は整数ではありません", "4.0"},
      {41, "75\t1\t12a", "'12a' は整数ではありません", "5.1"},
      {14, "10\t2\t0x0Z00", "'Z' は整数ではありません", "5.2"},
      {14, "10\t2\t0x", "'' は整数ではありません", "5.2"},
  };
  for (const auto& c : cases) {
    PinText text = SamplePin();
    text[c.line] = c.text;
    ChipFigures figures;
    figures.BoardTypeDigit = 9;
    figures.CoreClockMHz = {1, 2, 3};
    figures.RamdacMHz = {4, 5, 6, 7, 8, 9};
    const Decoding decoding = Decode(text, true, &figures);
    ASSERT_FALSE(decoding.status.ok()) << c.text;
    EXPECT_EQ(decoding.status.message(), c.message);
    EXPECT_EQ(decoding.fields.back(), c.last_field) << c.text;
    EXPECT_EQ(figures.BoardTypeDigit, 9) << "decoded after the stop";
    if (c.line == 21) {
      EXPECT_EQ(figures.RamdacMHz[1], 300);
      EXPECT_EQ(figures.RamdacMHz[2], 6);
      EXPECT_EQ(figures.CoreClockMHz[2], 3);
    }
  }
}

TEST(PinFileTest, RewritesKeepTheLineCountAndTheReadersForm) {
  std::vector<std::string> lines = {"a", "b"};
  RewriteLine(&lines, 1, FieldLine(38, 1, "91"));
  EXPECT_EQ(lines, (std::vector<std::string>{"a", "38\t1\t91"}));
  RewriteLine(&lines, 2, "c");
  RewriteLine(&lines, 19, "d");
  EXPECT_EQ(lines.size(), 2u) << "a line past the end is not added";
  EXPECT_EQ(ReadByteValue(lines, 1, Same).value(), 91);
  EXPECT_EQ(MemoryClockFor(150), 200);
  EXPECT_EQ(StoredFromRamdac(363), 90);
}

}  // namespace
}  // namespace korvane::testing
