#include "sysinfo/cpu_catalogue.h"

#include <span>

#include "sysinfo/cpu_match.h"
#include "text/texts.h"

namespace korvane {
namespace {

struct ClockText {
  ClockRange clock;
  std::string_view text{};
};

// How a row changes a label.
struct TextChange {
  enum Kind { kKeep, kSet, kClear, kByClock };
  Kind kind = kKeep;
  std::string_view text{};
  std::span<const ClockText> by_clock{};  // the first range that holds the clock
};

constexpr TextChange kKeep{};
constexpr TextChange kClear{TextChange::kClear};
constexpr TextChange Text(std::string_view text) { return {TextChange::kSet, text}; }
constexpr TextChange ByClock(std::span<const ClockText> table) {
  return {TextChange::kByClock, {}, table};
}

struct CatalogueRow {
  CpuMatch match;
  TextChange name;
  TextChange detail;
  unsigned extras = 0;
};

constexpr unsigned kAthlonExtras = kExtra3DNow | kExtraEnhanced3DNow;

constexpr CatalogueRow kIntel[] = {
    {{4, Only(0)}, Text("i486DX Processor"), kKeep},
    {{4, Only(1)}, Text("i486DX Processor"), kKeep},
    {{4, Only(2)}, Text("i486SX Processor"), kKeep},
    {{4, Only(3)}, Text("i486DX2 Processor"), kKeep},
    {{4, Only(4)}, Text("i486SL Processor"), kKeep},
    {{4, Only(5)}, Text("i486SX2 Processor"), kKeep},
    {{4, Only(7)}, Text("WriteBack Enhanced i486DX2 Processor"), kKeep},
    {{4, Only(8)}, Text("Intel DX4 Processor"), kKeep},
    {{5, Only(1)}, Text("Pentium Processor"), Text("(P5) [0.5μ]")},
    {{5, Only(2)}, Text("Pentium Processor"), Text("(P54C) [0.35μ]")},
    {{5, Only(3)}, Text("Pentium OverDrive Processor"), Text("for Intel 486 Processor")},
    {{5, Only(4)}, Text("Pentium Processor w/MMX Tech"), Text("(P55C) [0.35μ]")},
    {{6, Only(1)}, Text("PentiumPro Processor"), Text("150,180,200MHz (P6) [0.35μ]")},
    {{6, Only(2)}, Text("PentiumII Over Drive Processor"), kClear},
    {{6, Only(3)},
     Text("PentiumII Processor with MMX Tech."),
     Text("233,266,300MHz (Klamath) [0.35μ]")},
    {{6, Only(5), Only(0)},
     Text("PentiumII / Celeron Processor with MMX tech."),
     Text("266,300,333MHz (Desthutes/Convington) [0.25μ]")},
    {{6, Only(5), Only(1)},
     Text("PentiumII / Celeron Processor with MMX tech."),
     Text("266,300,333,350,400MHz (Desthutes/Convington) [0.25μ]")},
    {{6, Only(5), Only(2), {266, 280}},
     Text("Celeron Processor with MMX tech."),
     Text("266MHz (Convington) [0.25μ]")},
    {{6, Only(5), Only(2), {281, 1000}},
     Text("PentiumII/PentiumII Xeon/Celeron Processor with MMX tech."),
     Text("300,333,350,400,450MHz (Desthutes/Convington) [0.25μ]")},
    {{6, Only(5), Only(3)},
     Text("PentiumII / PentiumII Xeon Processor with MMX tech."),
     Text("350,400,450MHz (Desthutes) [0.25μ]")},
    {{6, Only(6), Only(0)},
     Text("Celeron Processor (with L2-128KB)"),
     Text("300A,333,366,400,433MHz SEPP (Mendocino) [0.25μ]")},
    {{6, Only(6), Only(5)},
     Text("Celeron Processor (with L2-128KB)"),
     Text("300A,333,366,400,433,466,500MHz PPGA (Mendocino) [0.25μ]")},
    {{6, Only(6)}, Text("Celeron Processor (with L2-128KB)"), kKeep},
    {{6, Only(7), Only(2)},
     Text("PentiumIII / PentiumIII Xeon Processor"),
     Text("450,500MHz (Katmai/Tarner) [0.25μ]"),
     kExtraSse},
    {{6, Only(7), Only(3)},
     Text("PentiumIII / PentiumIII Xeon Processor"),
     Text("450,500,550,600,533B,600BMHz (Katmai/Tarner) [0.25μ]"),
     kExtraSse},
    {{6, Only(7), Only(4)}, Text("PentiumIII"), Text("533B,600BMHz (Katmai) [0.25μ]"), kExtraSse},
    {{6, Only(7), Only(5)},
     Text("PentiumIII"),
     Text("533B,600BMHz (Coppermine) [0.18μ]"),
     kExtraSse},
    {{6, Only(8), Only(1)},
     Text("PentiumIII Processor (Coppermine cA2コア)"),
     Text("500E,533EB,550E,600E,600EB,650,667,700,733,750MHz"),
     kExtraSse},
    {{6, Only(8), Only(3)},
     Text("PentiumIII / Celeron Processor (Coppermine cB0コア)"),
     Text("500～1000MHz"),
     kExtraSse},
    {{6, Only(8), Only(6)},
     Text("PentiumIII / Celeron Processor (Coppermine cC0コア)"),
     Text("500～1.13GHz"),
     kExtraSse},
    {{7, Only(1)}, Text("Itanium ?"), Text("Itanium [0.18μ]")},
    {{7}, kKeep, Text("Itanium [0.18μ]")},
    {{10, Only(1)}, Text("Pentium4"), Text("Pentium4 [0.18μ]")},
    {{10}, kKeep, Text("Pentium4 [0.18μ]")},
};

// Family 6 models 7, 8 and 9 repeat the rows of family 5.
constexpr CatalogueRow kAmd[] = {
    {{5, Only(0)}, Text("AMD-K5 Processor"), Text("75,90,100MHz [0.5μ]")},
    {{5, Only(1)}, Text("AMD-K5 Processor"), Text("120,133MHz [0.5μ]")},
    {{5, Only(2)}, Text("AMD-K5 Processor"), Text("150,166MHz [0.5μ]")},
    {{5, Only(3)}, Text("AMD-K5 Processor"), Text("150,166MHz [0.5μ]")},
    {{5, Only(6)}, Text("K6 MMX Enhanced Processor"), Text("166,200,233MHz [0.35μ]")},
    {{5, Only(7)}, Text("K6 MMX Enhanced Processor"), Text("266,300MHz [0.25μ]")},
    {{5, Only(8)},
     Text("K6-2 Processor with 3DNow!! Technology"),
     Text("266,300,333,366,380,400,450,475,500MHz [2.2v 0.25μ]"),
     kExtra3DNow},
    {{5, Only(9)},
     Text("K6-III Processor with 3DNow!! Technology"),
     Text("400,450,475,500MHz [2.4v 0.25μ]"),
     kExtra3DNow},
    {{6, Only(0)},
     Text("Athlon Processor (ES)"),
     Text("500,550,600,650MHz [1.7v 0.25μ]"),
     kAthlonExtras},
    {{6, Only(1)},
     Text("Athlon Processor"),
     Text("500,550,600,650MHz [1.7v 0.25μ]"),
     kAthlonExtras},
    {{6, Only(2)},
     Text("Athlon Processor (K75)"),
     Text("500,550,600,650,700,750,800,850,900,950,1000MHz [1.7v 0.25μ]"),
     kAthlonExtras},
    {{6, Only(3)},
     Text("Duron Processor (Spitfire)"),
     Text("550,600,650,700MHz [1.7v 0.18μ]"),
     kAthlonExtras},
    {{6, Only(4)},
     Text("Athlon Processor (Thunderbard)"),
     Text("650,700,750,800,850,900,950,1000MHz [1.7v 0.18μ]"),
     kAthlonExtras},
    {{6, Only(7)}, Text("K6 MMX Enhanced Processor"), Text("266,300MHz [0.25μ]")},
    {{6, Only(8)},
     Text("K6-2 Processor with 3DNow!! Technology"),
     Text("266,300,333,366,380,400,450,475,500MHz [2.2v 0.25μ]"),
     kExtra3DNow},
    {{6, Only(9)},
     Text("K6-III Processor with 3DNow!! Technology"),
     Text("400,450,475,500MHz [2.4v 0.25μ]"),
     kExtra3DNow},
    {{7}, Text("Athlon Processor"), Text("500,550,600,650MHz [1.7v 0.25μ]"), kAthlonExtras},
};

// Cyrix family 6 takes its name and its detail from two tables of clocks;
// a clock outside every range of a table leaves that label alone.
constexpr ClockText kCyrixNames[] = {
    {{100, 220}, "Cyrix 6x86MX Processor"},
    {{221, 360}, "Cyrix ＭII Processor"},
};
constexpr ClockText kCyrixDetails[] = {
    {{100, 150}, "6x86MX PR166GP [2.9v 60x2.5 0.35μ]"},
    {{151, 180}, "6x86MX PR200GP [2.9v 66x2.5 0.35μ]"},
    {{181, 193}, "6x86MX PR233GP [2.9v 75x2.5 0.35μ]"},
    {{194, 205}, "6x86MX PR233GP [2.9v 66x3 0.35μ]"},
    {{206, 215}, "6x86MX PR266GP [2.9v 83x2.5 0.35μ]"},
    {{216, 237}, "ＭII PR300GP [2.8v 66x3.5 0.25μ]"},
    {{238, 249}, "ＭII PR333GP [2.8v 83x3 0.25μ]"},
    {{311, 360}, "ＭII PR350GP [2.8v 100x3 0.25μ]"},
    {{361, 410}, "ＭII PR400GP [2.8v 100x3.5 0.25μ]"},
};

constexpr CatalogueRow kCyrix[] = {
    {{4}, Text("MediaGX Processor"), kKeep},
    {{5, Only(2)}, Text("Cyrix 6x86 or 6x86L Processor"), Text("PR90+,120+,133+,150+,166+,200+")},
    {{5, Only(4)}, Text("MediaGXm Processor"), kClear},
    {{6}, ByClock(kCyrixNames), ByClock(kCyrixDetails)},
};

constexpr CatalogueRow kCentaur[] = {
    {{5, Only(4)}, Text("WinChip C6 Processor"), Text("180,200,225,240MHz")},
    {{5, Only(8), Only(5)},
     Text("WinChip 2 Processor"),
     Text("200,225,240,250,266,300MHz"),
     kExtra3DNow},
    {{5, Only(8), Only(7, 8)}, Text("WinChip 2A Processor"), Text("???MHz"), kExtra3DNow},
    {{5, Only(8), Only(9)}, Text("WinChip 3 Processor"), Text("???MHz"), kExtra3DNow},
    {{5, Only(8), Only(10)}, Text("WinChip 4 Processor"), Text("???MHz"), kExtra3DNow},
    {{6, Only(6)}, Text("CyrixIII Processor"), Text("500,533MHz")},
};

constexpr CatalogueRow kRise[] = {
    {{}, Text("mP6 Processor"), Text("166(PR166),190(PR233),200MHz(PR266)")},
};

constexpr CatalogueRow kTransmeta[] = {
    {{}, Text("Crusoe TM5600 Processor"), kClear},
};

constexpr VendorRows<CatalogueRow> kCatalogue[] = {
    {"GenuineIntel", kIntel},   {"AuthenticAMD", kAmd},  {"CyrixInstead", kCyrix},
    {"CentaurHauls", kCentaur}, {"RiseRiseRise", kRise}, {"GenuineTMx86", kTransmeta},
};

// How the catalogue's characters outside ASCII are spelt in English: the
// process size in microns, the full-width letter and dash as plain ones, and
// the core named in English.
struct Spelling {
  std::string_view from;
  std::string_view to;
};
constexpr Spelling kEnglishSpellings[] = {
    {"μ]", " micron]"},
    {"Ｍ", "M"},
    {"～", "-"},
    {"コア)", " core)"},
};

std::optional<std::string_view> Apply(const TextChange& change, std::int32_t mhz) {
  switch (change.kind) {
    case TextChange::kKeep:
      return std::nullopt;
    case TextChange::kSet:
      return change.text;
    case TextChange::kClear:
      return std::string_view();
    case TextChange::kByClock:
      for (const ClockText& entry : change.by_clock) {
        if (entry.clock.Holds(mhz)) return entry.text;
      }
      return std::nullopt;
  }
  return std::nullopt;
}

}  // namespace

Identification IdentifyCpu(const CpuSignature& cpu, std::int32_t mhz) {
  bool vendor_known = false;
  const CatalogueRow* row =
      FindRow(std::span<const VendorRows<CatalogueRow>>(kCatalogue), cpu, mhz, &vendor_known);
  if (!vendor_known) return Identification{Text(TextId::kUndefinedVendor), std::string_view(), 0};
  if (!row) return Identification{};
  return Identification{Apply(row->name, mhz), Apply(row->detail, mhz), row->extras};
}

std::string CatalogueText(std::string_view text) {
  std::string shown(text);
  if (CurrentLanguage() != Language::kEnglish) return shown;
  for (const Spelling& spelling : kEnglishSpellings) {
    for (std::size_t at = shown.find(spelling.from); at != std::string::npos;
         at = shown.find(spelling.from, at + spelling.to.size())) {
      shown.replace(at, spelling.from.size(), spelling.to);
    }
  }
  return shown;
}

std::vector<std::string_view> CatalogueTexts() {
  std::vector<std::string_view> texts;
  const auto add = [&texts](const TextChange& change) {
    if (change.kind == TextChange::kSet) texts.push_back(change.text);
    for (const ClockText& entry : change.by_clock) texts.push_back(entry.text);
  };
  for (const VendorRows<CatalogueRow>& vendor : kCatalogue) {
    for (const CatalogueRow& row : vendor.rows) {
      add(row.name);
      add(row.detail);
    }
  }
  return texts;
}

}  // namespace korvane
