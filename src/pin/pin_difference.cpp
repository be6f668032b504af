#include "pin/pin_difference.h"

#include <algorithm>
#include <optional>

#include "text/texts.h"

namespace korvane {
namespace {

using T = TextId;

constexpr std::array<TextId, 6> kRamdacColumns = {T::kRamdacLimit,  T::kVgaHeading,
                                                  T::k8BitHeading,  T::k16BitHeading,
                                                  T::k24BitHeading, T::k32BitHeading};
constexpr std::array<std::size_t, 2> kSecondaryColumns = {3, 5};  // under 16 and 32 bits
constexpr std::array<TextId, 3> kModes = {T::kVgaHeading, T::k2DScreen, T::k3DScreen};

std::string Same(std::string_view text) { return std::string(text); }

// A line as a box shows it: the editor's TABs would jump to a box's columns.
std::string Spaced(std::string_view line) {
  std::string spaced(line);
  std::replace(spaced.begin(), spaced.end(), '\t', ' ');
  return spaced;
}

// "RAMDAC clock Limit:": a caption without its colon, a column, a colon.
std::string Name(TextId group, TextId column) {
  return WithoutCaptionColon(Text(group)) + " " + Text(column) + Text(T::kCaptionColon);
}

class Differences {
 public:
  Differences(const PinText& card, const PinText& edited) : card_(card), edited_(edited) {}

  // A field of `lines`, told in the card's terms when its figure changed;
  // when only the line's text did, the line is told with the others.
  void Field(std::string_view name, const std::vector<std::size_t>& lines,
             const std::string& old_value, const std::string& new_value, bool above_max) {
    if (old_value == new_value) return;
    for (const std::size_t line : lines) told_.push_back(line);
    std::string text = Format(T::kPinDiffField, {name, old_value, new_value});
    if (above_max) text += Text(T::kPinDiffAboveMax);
    lines_.push_back(std::move(text));
  }

  // Every other line that differs, by its number from 1.
  std::vector<std::string> Finish() {
    const std::size_t count = std::max(card_.size(), edited_.size());
    for (std::size_t line = 0; line < count; ++line) {
      if (std::find(told_.begin(), told_.end(), line) == told_.end()) Line(line);
    }
    return std::move(lines_);
  }

 private:
  void Line(std::size_t line) {
    const std::string_view old_line = LineAt(card_, line);
    const std::string_view new_line = LineAt(edited_, line);
    // A line the editor wrote with TABs where the tool printed spaces holds
    // the same for the card.
    if (SameFieldLine(old_line, new_line) && (line < card_.size()) == (line < edited_.size())) {
      return;
    }
    lines_.push_back(
        Format(T::kPinDiffLine, {std::to_string(line + 1), Spaced(old_line), Spaced(new_line)}));
  }

  const PinText& card_;
  const PinText& edited_;
  std::vector<std::size_t> told_;
  std::vector<std::string> lines_;
};

}  // namespace

Result<std::vector<std::string>> PinDifferences(const PinText& card, const PinText& edited,
                                                bool secondary_output,
                                                std::string_view board_model) {
  if (card == edited) return std::vector<std::string>();
  const auto ignore = [](PinField, std::size_t) {};
  ChipFigures now;
  ChipFigures then;
  RETURN_IF_ERROR(DecodePinText(edited, secondary_output, Same, &now, ignore));
  Differences differences(card, edited);
  if (!DecodePinText(card, secondary_output, Same, &then, ignore).ok()) {
    return differences.Finish();  // nothing to tell in the card's terms
  }

  const auto model = [&](int digit) {
    return std::string(digit == kMaxBoardTypeDigit ? std::string_view(kMaxBoardModel)
                                                   : board_model);
  };
  differences.Field(Text(T::kModelCaption), {kBoardTypeLine}, model(then.BoardTypeDigit),
                    model(now.BoardTypeDigit), false);
  const auto above = [](std::optional<int> mhz, int most) { return mhz && *mhz > most; };
  for (std::size_t i = 0; i < kRamdacColumns.size(); ++i) {
    differences.Field(Name(T::kRamdacClock, kRamdacColumns[i]), {kFirstRamdacLine + i},
                      MHzText(then.RamdacMHz[i]), MHzText(now.RamdacMHz[i]),
                      above(now.RamdacMHz[i], kMaxRamdacMHz));
  }
  if (secondary_output) {
    for (std::size_t i = 0; i < kSecondaryColumns.size(); ++i) {
      differences.Field(Name(T::kSecondaryCaption, kRamdacColumns[kSecondaryColumns[i]]),
                        {kFirstSecondaryLine + i}, MHzText(then.SecondaryRamdacMHz[i]),
                        MHzText(now.SecondaryRamdacMHz[i]), false);
    }
  }
  // The memory clock follows the core clock of its mode: both are told, the
  // line once.
  for (std::size_t mode = 0; mode < kModes.size(); ++mode) {
    const std::size_t line = kCoreClockLines[mode];
    differences.Field(Name(T::kCoreClockCaption, kModes[mode]), {line},
                      MHzText(then.CoreClockMHz[mode]), MHzText(now.CoreClockMHz[mode]),
                      above(now.CoreClockMHz[mode], kMaxCoreClockMHz[mode]));
    if (then.MemoryClockMHz[mode] != now.MemoryClockMHz[mode]) {
      differences.Field(Name(T::kMemoryClockCaption, kModes[mode]), {},
                        MHzText(then.MemoryClockMHz[mode]), MHzText(now.MemoryClockMHz[mode]),
                        above(now.MemoryClockMHz[mode], MemoryClockFor(kMaxCoreClockMHz[mode])));
    }
  }
  return differences.Finish();
}

}  // namespace korvane
