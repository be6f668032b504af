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

// A text for the processors whose brand string holds `brand` (in any
// case); an empty one stands for every processor.
struct BrandText {
  std::string_view brand;
  std::string_view text;
};

// How a row changes a label.
struct TextChange {
  enum Kind { kKeep, kSet, kClear, kByClock, kByBrand };
  Kind kind = kKeep;
  std::string_view text{};
  std::span<const ClockText> by_clock{};  // the first range that holds the clock
  std::span<const BrandText> by_brand{};  // the first entry the brand string holds
};

constexpr TextChange kKeep{};
constexpr TextChange kClear{TextChange::kClear};
constexpr TextChange Text(std::string_view text) { return {TextChange::kSet, text}; }
constexpr TextChange ByClock(std::span<const ClockText> table) {
  return {TextChange::kByClock, {}, table};
}
constexpr TextChange ByBrand(std::span<const BrandText> table) {
  return {TextChange::kByBrand, {}, {}, table};
}

struct CatalogueRow {
  CpuMatch match;
  TextChange name;
  TextChange detail;
  unsigned extras = 0;
};

constexpr unsigned kAthlonExtras = kExtra3DNow | kExtraEnhanced3DNow;
// From the Athlon XP on, AMD's processors have SSE too.
constexpr unsigned kAthlonXpExtras = kAthlonExtras | kExtraSse;

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
    // The mobile die: a Pentium II with 256 KB, or as a Celeron with half of it.
    {{6, Only(6), Only(10, 13)},
     Text("Mobile PentiumII / Mobile Celeron Processor"),
     Text("266～466MHz (Dixon) [0.25μ]")},
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
    {{6, Only(8), Only(10)},
     Text("PentiumIII / Celeron Processor (Coppermine cD0コア)"),
     Text("733～1.13GHz"),
     kExtraSse},
    {{.family = 6, .models = Only(9), .brand = "Celeron"},
     Text("Celeron M Processor (Banias)"),
     Text("600MHz～1.5GHz [0.13μ]"),
     kExtraSse},
    {{.family = 6, .models = Only(9), .brand = "Pentium"},
     Text("Pentium M Processor (Banias)"),
     Text("900MHz～1.7GHz [0.13μ]"),
     kExtraSse},
    {{6, Only(9)},
     Text("Pentium M / Celeron M Processor (Banias)"),
     Text("600MHz～1.7GHz [0.13μ]"),
     kExtraSse},
    {{6, Only(10)},
     Text("PentiumIII Xeon Processor (Cascades)"),
     Text("700,900MHz [0.18μ]"),
     kExtraSse},
    {{.family = 6, .models = Only(11), .brand = "Mobile"},
     Text("Mobile PentiumIII-M / Mobile Celeron Processor (Tualatin)"),
     Text("650MHz～1.33GHz [0.13μ]"),
     kExtraSse},
    {{.family = 6, .models = Only(11), .brand = "Celeron"},
     Text("Celeron Processor (Tualatin)"),
     Text("900MHz～1.4GHz [0.13μ]"),
     kExtraSse},
    {{.family = 6, .models = Only(11), .brand = "Pentium"},
     Text("PentiumIII / PentiumIII-S Processor (Tualatin)"),
     Text("1.0B～1.4GHz [0.13μ]"),
     kExtraSse},
    {{6, Only(11)},
     Text("PentiumIII / Celeron Processor (Tualatin)"),
     Text("900MHz～1.4GHz [0.13μ]"),
     kExtraSse},
    {{.family = 6, .models = Only(13), .brand = "Celeron"},
     Text("Celeron M Processor (Dothan)"),
     Text("900MHz～1.7GHz [0.09μ]"),
     kExtraSse},
    {{.family = 6, .models = Only(13), .brand = "Pentium"},
     Text("Pentium M Processor (Dothan)"),
     Text("1.0～2.26GHz [0.09μ]"),
     kExtraSse},
    {{6, Only(13)},
     Text("Pentium M / Celeron M Processor (Dothan)"),
     Text("900MHz～2.26GHz [0.09μ]"),
     kExtraSse},
    {{.family = 6, .models = Only(14), .brand = "Core(TM) Duo"},
     Text("Core Duo Processor (Yonah)"),
     Text("1.06～2.33GHz [0.065μ]"),
     kExtraSse},
    {{.family = 6, .models = Only(14), .brand = "Core(TM) Solo"},
     Text("Core Solo Processor (Yonah)"),
     Text("1.06～1.83GHz [0.065μ]"),
     kExtraSse},
    {{.family = 6, .models = Only(14), .brand = "Celeron"},
     Text("Celeron M / Celeron Processor (Yonah)"),
     Text("1.06～2.0GHz [0.065μ]"),
     kExtraSse},
    {{.family = 6, .models = Only(14), .brand = "Xeon"},
     Text("Xeon LV Processor (Sossaman)"),
     Text("1.66～2.0GHz [0.065μ]"),
     kExtraSse},
    // Early Core Duos call themselves "Genuine Intel(R) CPU".
    {{6, Only(14)},
     Text("Core Duo / Core Solo Processor (Yonah)"),
     Text("1.06～2.33GHz [0.065μ]"),
     kExtraSse},
    {{7, Only(1)}, Text("Itanium ?"), Text("Itanium [0.18μ]")},
    {{7}, kKeep, Text("Itanium [0.18μ]")},
    // The Pentium 4 line, which reports family 15; its Celerons and Xeons
    // share its models and say which they are only in the brand string.
    {{.family = 15, .models = Only(0, 1), .brand = "Xeon"},
     Text("Xeon Processor (Foster)"),
     Text("1.4～2.0GHz [0.18μ]"),
     kExtraSse},
    {{.family = 15, .models = Only(0, 1), .brand = "Celeron"},
     Text("Celeron Processor (Willamette-128)"),
     Text("1.5～1.8GHz [0.18μ]"),
     kExtraSse},
    {{15, Only(0, 1)},
     Text("Pentium4 Processor (Willamette)"),
     Text("1.3～2.0GHz [0.18μ]"),
     kExtraSse},
    {{.family = 15, .models = Only(2), .brand = "Xeon"},
     Text("Xeon Processor (Prestonia/Gallatin)"),
     Text("1.8～3.2GHz [0.13μ]"),
     kExtraSse},
    {{.family = 15, .models = Only(2), .brand = "Celeron"},
     Text("Celeron Processor (Northwood-128)"),
     Text("1.4～2.8GHz [0.13μ]"),
     kExtraSse},
    {{.family = 15, .models = Only(2), .brand = "Mobile"},
     Text("Mobile Pentium4 / Pentium4-M Processor (Northwood)"),
     Text("1.4～3.2GHz [0.13μ]"),
     kExtraSse},
    {{15, Only(2)}, Text("Pentium4 Processor (Northwood)"), Text("1.6～3.4GHz [0.13μ]"), kExtraSse},
    {{.family = 15, .models = Only(3, 4), .brand = "Xeon"},
     Text("Xeon Processor (Nocona/Irwindale)"),
     Text("2.8～3.8GHz [0.09μ]"),
     kExtraSse},
    {{.family = 15, .models = Only(3, 4), .brand = "Celeron"},
     Text("Celeron D Processor (Prescott-256)"),
     Text("2.13～3.33GHz [0.09μ]"),
     kExtraSse},
    {{.family = 15, .models = Only(3, 4), .brand = "Pentium(R) D"},
     Text("Pentium D Processor (Smithfield)"),
     Text("2.66～3.2GHz [0.09μ]"),
     kExtraSse},
    {{.family = 15, .models = Only(3, 4), .brand = "Mobile"},
     Text("Mobile Pentium4 Processor (Prescott)"),
     Text("2.66～3.46GHz [0.09μ]"),
     kExtraSse},
    {{15, Only(3, 4)},
     Text("Pentium4 Processor (Prescott)"),
     Text("2.26～3.8GHz [0.09μ]"),
     kExtraSse},
    {{.family = 15, .models = Only(6), .brand = "Xeon"},
     Text("Xeon Processor (Dempsey/Tulsa)"),
     Text("2.5～3.73GHz [0.065μ]"),
     kExtraSse},
    {{.family = 15, .models = Only(6), .brand = "Celeron"},
     Text("Celeron D Processor (Cedar Mill-512)"),
     Text("3.06～3.6GHz [0.065μ]"),
     kExtraSse},
    {{.family = 15, .models = Only(6), .brand = "Pentium(R) D"},
     Text("Pentium D Processor (Presler)"),
     Text("2.8～3.73GHz [0.065μ]"),
     kExtraSse},
    {{15, Only(6)},
     Text("Pentium4 Processor (Cedar Mill)"),
     Text("3.0～3.8GHz [0.065μ]"),
     kExtraSse},
};

// AMD's processors of family 15 name their line only in the brand string;
// the extended model tells the revision, and with it the process.
constexpr BrandText kAthlon64Names[] = {
    {"Opteron", "Opteron Processor"},
    {"Turion(tm) 64 X2", "Turion 64 X2 Processor"},
    {"Turion", "Turion 64 Processor"},
    {"Athlon(tm) 64 FX", "Athlon 64 FX Processor"},
    {"Athlon(tm) 64 X2", "Athlon 64 X2 Processor"},
    {"Athlon(tm) X2", "Athlon X2 Processor"},
    {"Athlon", "Athlon 64 Processor"},
    {"Sempron", "Sempron Processor"},
    {"", "Athlon 64 / Opteron / Sempron Processor"},
};

// Family 6 models 6 and later are the Athlon XP's generation; a K6 never
// reported family 6 here (only in extended leaf 0x80000001).
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
    // One die for both; the K6-III+ has its whole 256 KB of L2.
    {{5, Only(13)},
     Text("K6-2+ / K6-III+ Processor with 3DNow!! Technology"),
     Text("400～570MHz [0.18μ]"),
     kAthlonExtras},
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
    // The brand string is what the BIOS wrote; an old BIOS leaves AMD's
    // plain "AMD Athlon(tm) Processor", hence the rows for any brand.
    {{.family = 6, .models = Only(6), .brand = "Athlon(tm) MP"},
     Text("Athlon MP Processor (Palomino)"),
     Text("1.0GHz～2100+ [1.75v 0.18μ]"),
     kAthlonXpExtras},
    {{.family = 6, .models = Only(6), .brand = "Athlon(tm) XP"},
     Text("Athlon XP Processor (Palomino)"),
     Text("1500+～2100+ [1.75v 0.18μ]"),
     kAthlonXpExtras},
    {{6, Only(6)},
     Text("Athlon XP / Athlon MP / Athlon 4 Processor (Palomino)"),
     Text("850MHz～2100+ [1.75v 0.18μ]"),
     kAthlonXpExtras},
    {{6, Only(7)},
     Text("Duron Processor (Morgan)"),
     Text("800MHz～1.3GHz [1.75v 0.18μ]"),
     kAthlonXpExtras},
    {{.family = 6, .models = Only(8), .brand = "Duron"},
     Text("Duron Processor (Applebred)"),
     Text("1.4,1.6,1.8GHz [1.5v 0.13μ]"),
     kAthlonXpExtras},
    {{.family = 6, .models = Only(8), .brand = "Sempron"},
     Text("Sempron Processor (Thoroughbred)"),
     Text("2200+～2800+ [1.6v 0.13μ]"),
     kAthlonXpExtras},
    {{.family = 6, .models = Only(8), .brand = "Athlon(tm) MP"},
     Text("Athlon MP Processor (Thoroughbred)"),
     Text("2000+～2600+ [1.6v 0.13μ]"),
     kAthlonXpExtras},
    {{.family = 6, .models = Only(8), .brand = "Athlon"},
     Text("Athlon XP Processor (Thoroughbred)"),
     Text("1700+～2800+ [1.5～1.65v 0.13μ]"),
     kAthlonXpExtras},
    {{6, Only(8)},
     Text("Athlon XP / Duron / Sempron Processor (Thoroughbred/Applebred)"),
     Text("1.4GHz～2800+ [0.13μ]"),
     kAthlonXpExtras},
    {{.family = 6, .models = Only(10), .brand = "Sempron"},
     Text("Sempron Processor (Barton/Thorton)"),
     Text("2200+～3300+ [1.6v 0.13μ]"),
     kAthlonXpExtras},
    {{.family = 6, .models = Only(10), .brand = "Athlon(tm) MP"},
     Text("Athlon MP Processor (Barton)"),
     Text("2600+～3000+ [1.6v 0.13μ]"),
     kAthlonXpExtras},
    {{.family = 6, .models = Only(10), .brand = "Athlon"},
     Text("Athlon XP Processor (Barton/Thorton)"),
     Text("2000+～3200+ [1.65v 0.13μ]"),
     kAthlonXpExtras},
    {{6, Only(10)},
     Text("Athlon XP / Sempron Processor (Barton/Thorton)"),
     Text("2000+～3200+ [0.13μ]"),
     kAthlonXpExtras},
    {{7}, Text("Athlon Processor"), Text("500,550,600,650MHz [1.7v 0.25μ]"), kAthlonExtras},
    {{.family = 15, .extended_models = Only(0)},
     ByBrand(kAthlon64Names),
     Text("(K8 rev.B/C) [0.13μ]"),
     kAthlonXpExtras},
    {{.family = 15, .extended_models = Only(1, 2)},
     ByBrand(kAthlon64Names),
     Text("(K8 rev.D/E) [0.09μ]"),
     kAthlonXpExtras},
    {{.family = 15, .extended_models = Only(4, 5)},
     ByBrand(kAthlon64Names),
     Text("(K8 rev.F) [0.09μ]"),
     kAthlonXpExtras},
    {{.family = 15, .extended_models = Only(6, 7)},
     ByBrand(kAthlon64Names),
     Text("(K8 rev.G) [0.065μ]"),
     kAthlonXpExtras},
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
    {{6, Only(7), Between(0, 7)},
     Text("VIA C3 Processor (Samuel 2)"),
     Text("533～800MHz [0.15μ]"),
     kExtra3DNow},
    {{6, Only(7), Between(8, 15)},
     Text("VIA C3 Processor (Ezra)"),
     Text("733MHz～1.0GHz [0.13μ]"),
     kExtra3DNow},
    {{6, Only(8)}, Text("VIA C3 Processor (Ezra-T)"), Text("800MHz～1.0GHz [0.13μ]"), kExtra3DNow},
    // From the Nehemiah on, SSE in place of 3DNow!.
    {{6, Only(9)}, Text("VIA C3 Processor (Nehemiah)"), Text("1.0～1.4GHz [0.13μ]"), kExtraSse},
    {{.family = 6, .models = Only(10, 13), .brand = "C7-M"},
     Text("VIA C7-M Processor (Esther)"),
     Text("1.0～2.0GHz [0.09μ]"),
     kExtraSse},
    {{6, Only(10, 13)}, Text("VIA C7 Processor (Esther)"), Text("1.0～2.0GHz [0.09μ]"), kExtraSse},
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

std::optional<std::string_view> Apply(const TextChange& change, std::int32_t mhz,
                                      std::string_view brand) {
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
    case TextChange::kByBrand:
      for (const BrandText& entry : change.by_brand) {
        if (ContainsIgnoreAsciiCase(brand, entry.brand)) return entry.text;
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
  return Identification{Apply(row->name, mhz, cpu.brand), Apply(row->detail, mhz, cpu.brand),
                        row->extras};
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
    for (const BrandText& entry : change.by_brand) texts.push_back(entry.text);
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
