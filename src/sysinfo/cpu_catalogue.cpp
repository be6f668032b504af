#include "sysinfo/cpu_catalogue.h"

#include <span>

#include "sysinfo/cpu_match.h"
#include "text/texts.h"

namespace korvane {
namespace {

// A text the brand string or the measured clock chooses: the first choice
// whose brand (as a row's) and clock both hold gives it, and none leaves the
// label as it is.
struct Choice {
  const char* brand;
  const char* text;
  ClockRange clock = kAnyClock;
};

// Where a row's name or detail comes from: its own text, or one of the
// lists of choices below (kChoices, in this order).
enum ChoiceList : std::uint8_t {
  kOwnText,
  kCyrixNames,
  kCyrixDetails,
  kAthlon64Names,
  kK10Names,
  kTransmetaNames,
};

constexpr const char* kKeep = nullptr;  // the label keeps its text
constexpr const char* kClear = "";

struct CatalogueRow {
  CpuMatch match;
  const char* name;
  const char* detail;
  std::uint8_t extras = 0;
  ChoiceList name_from = kOwnText;
  ChoiceList detail_from = kOwnText;
};

constexpr unsigned kAthlonExtras = kExtra3DNow | kExtraEnhanced3DNow;
// From the Athlon XP on, AMD's processors have SSE too.
constexpr unsigned kAthlonXpExtras = kAthlonExtras | kExtraSse;

constexpr CatalogueRow kIntel[] = {
    {{4, Only(0)}, "i486DX Processor", kKeep},
    {{4, Only(1)}, "i486DX Processor", kKeep},
    {{4, Only(2)}, "i486SX Processor", kKeep},
    {{4, Only(3)}, "i486DX2 Processor", kKeep},
    {{4, Only(4)}, "i486SL Processor", kKeep},
    {{4, Only(5)}, "i486SX2 Processor", kKeep},
    {{4, Only(7)}, "WriteBack Enhanced i486DX2 Processor", kKeep},
    {{4, Only(8)}, "Intel DX4 Processor", kKeep},
    // The first Pentium, at 60 and 66 MHz, was made at 0.8 micron (Intel's
    // Pentium data sheet; libcpuid's P5 table).
    {{5, Only(1)}, "Pentium Processor", "(P5) [0.8μ]"},
    {{5, Only(2)}, "Pentium Processor", "(P54C) [0.35μ]"},
    {{5, Only(3)}, "Pentium OverDrive Processor", "for Intel 486 Processor"},
    {{5, Only(4)}, "Pentium Processor w/MMX Tech", "(P55C) [0.35μ]"},
    {{6, Only(1)}, "PentiumPro Processor", "150,180,200MHz (P6) [0.35μ]"},
    {{6, Only(2)}, "PentiumII Over Drive Processor", kClear},
    {{6, Only(3)}, "PentiumII Processor with MMX Tech.", "233,266,300MHz (Klamath) [0.35μ]"},
    {{6, Only(5), Only(0)},
     "PentiumII / Celeron Processor with MMX tech.",
     "266,300,333MHz (Desthutes/Convington) [0.25μ]"},
    {{6, Only(5), Only(1)},
     "PentiumII / Celeron Processor with MMX tech.",
     "266,300,333,350,400MHz (Desthutes/Convington) [0.25μ]"},
    {{6, Only(5), Only(2), {266, 280}},
     "Celeron Processor with MMX tech.",
     "266MHz (Convington) [0.25μ]"},
    {{6, Only(5), Only(2), {281, 1000}},
     "PentiumII/PentiumII Xeon/Celeron Processor with MMX tech.",
     "300,333,350,400,450MHz (Desthutes/Convington) [0.25μ]"},
    {{6, Only(5), Only(3)},
     "PentiumII / PentiumII Xeon Processor with MMX tech.",
     "350,400,450MHz (Desthutes) [0.25μ]"},
    {{6, Only(6), Only(0)},
     "Celeron Processor (with L2-128KB)",
     "300A,333,366,400,433MHz SEPP (Mendocino) [0.25μ]"},
    {{6, Only(6), Only(5)},
     "Celeron Processor (with L2-128KB)",
     "300A,333,366,400,433,466,500MHz PPGA (Mendocino) [0.25μ]"},
    // The mobile die: a Pentium II with 256 KB, or as a Celeron with half of it.
    {{6, Only(6), Only(10, 13)},
     "Mobile PentiumII / Mobile Celeron Processor",
     "266～466MHz (Dixon) [0.25μ]"},
    {{6, Only(6)}, "Celeron Processor (with L2-128KB)", kKeep},
    {{6, Only(7), Only(2)},
     "PentiumIII / PentiumIII Xeon Processor",
     "450,500MHz (Katmai/Tarner) [0.25μ]",
     kExtraSse},
    {{6, Only(7), Only(3)},
     "PentiumIII / PentiumIII Xeon Processor",
     "450,500,550,600,533B,600BMHz (Katmai/Tarner) [0.25μ]",
     kExtraSse},
    {{6, Only(7), Only(4)}, "PentiumIII", "533B,600BMHz (Katmai) [0.25μ]", kExtraSse},
    // Model 7 is always Katmai; the Coppermine is model 8 (Intel's Pentium
    // III errata and stepping notes; libcpuid's P6 table).
    {{6, Only(7), Only(5)}, "PentiumIII", "533B,600BMHz (Katmai) [0.25μ]", kExtraSse},
    {{6, Only(8), Only(1)},
     "PentiumIII Processor (Coppermine cA2コア)",
     "500E,533EB,550E,600E,600EB,650,667,700,733,750MHz",
     kExtraSse},
    {{6, Only(8), Only(3)},
     "PentiumIII / Celeron Processor (Coppermine cB0コア)",
     "500～1000MHz",
     kExtraSse},
    {{6, Only(8), Only(6)},
     "PentiumIII / Celeron Processor (Coppermine cC0コア)",
     "500～1.13GHz",
     kExtraSse},
    {{6, Only(8), Only(10)},
     "PentiumIII / Celeron Processor (Coppermine cD0コア)",
     "733～1.13GHz",
     kExtraSse},
    {{.family = 6, .models = Only(9), .brand = "Celeron"},
     "Celeron M Processor (Banias)",
     "600MHz～1.5GHz [0.13μ]",
     kExtraSse},
    {{.family = 6, .models = Only(9), .brand = "Pentium"},
     "Pentium M Processor (Banias)",
     "900MHz～1.7GHz [0.13μ]",
     kExtraSse},
    {{6, Only(9)}, "Pentium M / Celeron M Processor (Banias)", "600MHz～1.7GHz [0.13μ]", kExtraSse},
    {{6, Only(10)}, "PentiumIII Xeon Processor (Cascades)", "700,900MHz [0.18μ]", kExtraSse},
    {{.family = 6, .models = Only(11), .brand = "Mobile"},
     "Mobile PentiumIII-M / Mobile Celeron Processor (Tualatin)",
     "650MHz～1.33GHz [0.13μ]",
     kExtraSse},
    {{.family = 6, .models = Only(11), .brand = "Celeron"},
     "Celeron Processor (Tualatin)",
     "900MHz～1.4GHz [0.13μ]",
     kExtraSse},
    {{.family = 6, .models = Only(11), .brand = "Pentium"},
     "PentiumIII / PentiumIII-S Processor (Tualatin)",
     "1.0B～1.4GHz [0.13μ]",
     kExtraSse},
    {{6, Only(11)},
     "PentiumIII / Celeron Processor (Tualatin)",
     "900MHz～1.4GHz [0.13μ]",
     kExtraSse},
    {{.family = 6, .models = Only(13), .brand = "Celeron"},
     "Celeron M Processor (Dothan)",
     "900MHz～1.7GHz [0.09μ]",
     kExtraSse},
    {{.family = 6, .models = Only(13), .brand = "Pentium"},
     "Pentium M Processor (Dothan)",
     "1.0～2.26GHz [0.09μ]",
     kExtraSse},
    {{6, Only(13)},
     "Pentium M / Celeron M Processor (Dothan)",
     "900MHz～2.26GHz [0.09μ]",
     kExtraSse},
    {{.family = 6, .models = Only(14), .brand = "Core(TM) Duo"},
     "Core Duo Processor (Yonah)",
     "1.06～2.33GHz [0.065μ]",
     kExtraSse},
    {{.family = 6, .models = Only(14), .brand = "Core(TM) Solo"},
     "Core Solo Processor (Yonah)",
     "1.06～1.83GHz [0.065μ]",
     kExtraSse},
    {{.family = 6, .models = Only(14), .brand = "Celeron"},
     "Celeron M / Celeron Processor (Yonah)",
     "1.06～2.0GHz [0.065μ]",
     kExtraSse},
    {{.family = 6, .models = Only(14), .brand = "Xeon"},
     "Xeon LV Processor (Sossaman)",
     "1.66～2.0GHz [0.065μ]",
     kExtraSse},
    // Early Core Duos call themselves "Genuine Intel(R) CPU".
    {{6, Only(14)}, "Core Duo / Core Solo Processor (Yonah)", "1.06～2.33GHz [0.065μ]", kExtraSse},
    // The Core generation, which LGA775 boards with an AGP slot took. Model
    // and stepping do not tell its products apart, the brand string does:
    // its words, and for the mobile parts the letter of the model number
    // (libcpuid's Core and Penryn tables; clocks from Intel's processor
    // lists).
    {{.family = 6, .models = Only(15), .brand = " 30##| X32##"},
     "Xeon Processor (Conroe/Kentsfield)",
     "1.86～3.0GHz [0.065μ]",
     kExtraSse},
    {{.family = 6, .models = Only(15), .brand = "Xeon"},
     "Xeon Processor (Woodcrest/Clovertown/Tigerton)",
     "1.6～3.0GHz [0.065μ]",
     kExtraSse},
    {{.family = 6, .models = Only(15), .brand = "Quad"},
     "Core 2 Quad Processor (Kentsfield)",
     "2.13～2.66GHz [0.065μ]",
     kExtraSse},
    {{.family = 6, .models = Only(15), .brand = "Extreme| X6#"},
     "Core 2 Extreme Processor (Conroe/Kentsfield/Merom)",
     "2.6～3.0GHz [0.065μ]",
     kExtraSse},
    {{.family = 6, .models = Only(15), .brand = "Pentium"},
     "Pentium Dual-Core Processor (Allendale/Merom)",
     "1.46～2.4GHz [0.065μ]",
     kExtraSse},
    {{.family = 6, .models = Only(15), .brand = "Celeron"},
     "Celeron Processor (Allendale/Merom)",
     "1.6～2.4GHz [0.065μ]",
     kExtraSse},
    {{.family = 6, .models = Only(15), .brand = " T#| L#| U#"},
     "Core 2 Duo Processor (Merom)",
     "1.06～2.6GHz [0.065μ]",
     kExtraSse},
    {{6, Only(15)}, "Core 2 Duo Processor (Conroe/Allendale)", "1.8～3.0GHz [0.065μ]", kExtraSse},
    {{.family = 6, .models = Only(6), .extended_models = Only(1), .brand = "Celeron"},
     "Celeron Processor (Conroe-L/Merom-L)",
     "1.2～2.2GHz [0.065μ]",
     kExtraSse},
    {{.family = 6, .models = Only(6), .extended_models = Only(1)},
     "Core 2 Solo Processor (Merom-L)",
     "1.06～1.2GHz [0.065μ]",
     kExtraSse},
    {{.family = 6, .models = Only(7), .extended_models = Only(1), .brand = "Xeon"},
     "Xeon Processor (Wolfdale/Yorkfield/Harpertown)",
     "1.86～3.4GHz [0.045μ]",
     kExtraSse},
    {{.family = 6, .models = Only(7), .extended_models = Only(1), .brand = "Quad"},
     "Core 2 Quad Processor (Yorkfield)",
     "2.33～3.0GHz [0.045μ]",
     kExtraSse},
    {{.family = 6, .models = Only(7), .extended_models = Only(1), .brand = "Extreme"},
     "Core 2 Extreme Processor (Yorkfield/Penryn)",
     "2.53～3.2GHz [0.045μ]",
     kExtraSse},
    {{.family = 6, .models = Only(7), .extended_models = Only(1), .brand = "Pentium"},
     "Pentium Dual-Core Processor (Wolfdale/Penryn)",
     "1.3～3.33GHz [0.045μ]",
     kExtraSse},
    {{.family = 6, .models = Only(7), .extended_models = Only(1), .brand = "Celeron"},
     "Celeron Processor (Wolfdale/Penryn)",
     "1.2～2.7GHz [0.045μ]",
     kExtraSse},
    {{.family = 6, .models = Only(7), .extended_models = Only(1), .brand = " E#"},
     "Core 2 Duo Processor (Wolfdale)",
     "2.53～3.33GHz [0.045μ]",
     kExtraSse},
    {{.family = 6, .models = Only(7), .extended_models = Only(1)},
     "Core 2 Duo / Core 2 Solo Processor (Penryn)",
     "1.2～3.06GHz [0.045μ]",
     kExtraSse},
    {{7, Only(1)}, "Itanium ?", "Itanium [0.18μ]"},
    {{7}, kKeep, "Itanium [0.18μ]"},
    // The Pentium 4 line, which reports family 15; its Celerons and Xeons
    // share its models and say which they are only in the brand string.
    {{.family = 15, .models = Only(0, 1), .brand = "Xeon"},
     "Xeon Processor (Foster)",
     "1.4～2.0GHz [0.18μ]",
     kExtraSse},
    {{.family = 15, .models = Only(0, 1), .brand = "Celeron"},
     "Celeron Processor (Willamette-128)",
     "1.5～1.8GHz [0.18μ]",
     kExtraSse},
    {{15, Only(0, 1)}, "Pentium4 Processor (Willamette)", "1.3～2.0GHz [0.18μ]", kExtraSse},
    {{.family = 15, .models = Only(2), .brand = "Xeon"},
     "Xeon Processor (Prestonia/Gallatin)",
     "1.8～3.2GHz [0.13μ]",
     kExtraSse},
    {{.family = 15, .models = Only(2), .brand = "Celeron"},
     "Celeron Processor (Northwood-128)",
     "1.4～2.8GHz [0.13μ]",
     kExtraSse},
    {{.family = 15, .models = Only(2), .brand = "Mobile"},
     "Mobile Pentium4 / Pentium4-M Processor (Northwood)",
     "1.4～3.2GHz [0.13μ]",
     kExtraSse},
    {{15, Only(2)}, "Pentium4 Processor (Northwood)", "1.6～3.4GHz [0.13μ]", kExtraSse},
    {{.family = 15, .models = Only(3, 4), .brand = "Xeon"},
     "Xeon Processor (Nocona/Irwindale)",
     "2.8～3.8GHz [0.09μ]",
     kExtraSse},
    {{.family = 15, .models = Only(3, 4), .brand = "Celeron"},
     "Celeron D Processor (Prescott-256)",
     "2.13～3.33GHz [0.09μ]",
     kExtraSse},
    {{.family = 15, .models = Only(3, 4), .brand = "Pentium(R) D"},
     "Pentium D 800 Processor (Smithfield)",
     "2.66～3.2GHz [0.09μ]",
     kExtraSse},
    {{.family = 15, .models = Only(3, 4), .brand = "Mobile"},
     "Mobile Pentium4 Processor (Prescott)",
     "2.66～3.46GHz [0.09μ]",
     kExtraSse},
    {{15, Only(3, 4)}, "Pentium4 Processor (Prescott)", "2.26～3.8GHz [0.09μ]", kExtraSse},
    // Steppings 6 and 8 are only the Tulsa, which on the engineering samples
    // calls itself "Genuine Intel(R) CPU" as Presler's samples do; stepping 2
    // with that name is the Extreme Edition's (libcpuid's NetBurst table and
    // recorded dumps; Intel's errata and stepping notes of both).
    {{15, Only(6), Only(6, 8)}, "Xeon 7100 Processor (Tulsa)", "2.5～3.5GHz [0.065μ]", kExtraSse},
    {{.family = 15, .models = Only(6), .steppings = Only(2), .brand = "Genuine Intel"},
     "Pentium Extreme Edition Processor (Presler)",
     "3.46,3.73GHz [0.065μ]",
     kExtraSse},
    {{.family = 15, .models = Only(6), .brand = "Xeon"},
     "Xeon 5000 Processor (Dempsey)",
     "2.5～3.73GHz [0.065μ]",
     kExtraSse},
    {{.family = 15, .models = Only(6), .brand = "Celeron"},
     "Celeron D Processor (Cedar Mill-512)",
     "3.06～3.6GHz [0.065μ]",
     kExtraSse},
    {{.family = 15, .models = Only(6), .brand = "Pentium(R) D"},
     "Pentium D 900 Processor (Presler)",
     "2.8～3.73GHz [0.065μ]",
     kExtraSse},
    {{15, Only(6)}, "Pentium4 Processor (Cedar Mill)", "3.0～3.8GHz [0.065μ]", kExtraSse},
};

// Family 6 models 6 and later are the Athlon XP's generation; a K6 never
// reported family 6 here (only in extended leaf 0x80000001).
constexpr CatalogueRow kAmd[] = {
    {{5, Only(0)}, "AMD-K5 Processor", "75,90,100MHz [0.5μ]"},
    // The 5k86 (models 1 to 3) was made at 0.35 micron, and model 3 is the
    // PR200 (AMD's K5 data sheet; libcpuid's K5 table and recorded dumps).
    {{5, Only(1)}, "AMD-K5 Processor", "120,133MHz [0.35μ]"},
    {{5, Only(2)}, "AMD-K5 Processor", "150,166MHz [0.35μ]"},
    {{5, Only(3)}, "AMD-K5 Processor", "200MHz [0.35μ]"},
    {{5, Only(6)}, "K6 MMX Enhanced Processor", "166,200,233MHz [0.35μ]"},
    {{5, Only(7)}, "K6 MMX Enhanced Processor", "266,300MHz [0.25μ]"},
    {{5, Only(8)},
     "K6-2 Processor with 3DNow!! Technology",
     "266,300,333,366,380,400,450,475,500MHz [2.2v 0.25μ]",
     kExtra3DNow},
    {{5, Only(9)},
     "K6-III Processor with 3DNow!! Technology",
     "400,450,475,500MHz [2.4v 0.25μ]",
     kExtra3DNow},
    // One die for both; the K6-III+ has its whole 256 KB of L2.
    {{5, Only(13)},
     "K6-2+ / K6-III+ Processor with 3DNow!! Technology",
     "400～570MHz [0.18μ]",
     kAthlonExtras},
    {{6, Only(0)}, "Athlon Processor (ES)", "500,550,600,650MHz [1.7v 0.25μ]", kAthlonExtras},
    {{6, Only(1)}, "Athlon Processor", "500,550,600,650MHz [1.7v 0.25μ]", kAthlonExtras},
    // The K75 (Pluto/Orion) was the Athlon's 0.18 micron shrink (AMD's
    // Athlon data sheet; libcpuid's K7 table).
    {{6, Only(2)},
     "Athlon Processor (K75)",
     "500,550,600,650,700,750,800,850,900,950,1000MHz [1.7v 0.18μ]",
     kAthlonExtras},
    // The Spitfire Duron ran from 600 to 950 MHz (AMD's Duron data sheet).
    {{6, Only(3)},
     "Duron Processor (Spitfire)",
     "600,650,700,750,800,850,900,950MHz [1.7v 0.18μ]",
     kAthlonExtras},
    {{6, Only(4)},
     "Athlon Processor (Thunderbard)",
     "650,700,750,800,850,900,950,1000MHz [1.7v 0.18μ]",
     kAthlonExtras},
    // The brand string is what the BIOS wrote; an old BIOS leaves AMD's
    // plain "AMD Athlon(tm) Processor", hence the rows for any brand.
    {{.family = 6, .models = Only(6), .brand = "Athlon(tm) MP"},
     "Athlon MP Processor (Palomino)",
     "1.0GHz～2100+ [1.75v 0.18μ]",
     kAthlonXpExtras},
    {{.family = 6, .models = Only(6), .brand = "Athlon(tm) XP"},
     "Athlon XP Processor (Palomino)",
     "1500+～2100+ [1.75v 0.18μ]",
     kAthlonXpExtras},
    {{6, Only(6)},
     "Athlon XP / Athlon MP / Athlon 4 Processor (Palomino)",
     "850MHz～2100+ [1.75v 0.18μ]",
     kAthlonXpExtras},
    {{6, Only(7)}, "Duron Processor (Morgan)", "800MHz～1.3GHz [1.75v 0.18μ]", kAthlonXpExtras},
    {{.family = 6, .models = Only(8), .brand = "Duron"},
     "Duron Processor (Applebred)",
     "1.4,1.6,1.8GHz [1.5v 0.13μ]",
     kAthlonXpExtras},
    {{.family = 6, .models = Only(8), .brand = "Sempron"},
     "Sempron Processor (Thoroughbred)",
     "2200+～2800+ [1.6v 0.13μ]",
     kAthlonXpExtras},
    {{.family = 6, .models = Only(8), .brand = "Athlon(tm) MP"},
     "Athlon MP Processor (Thoroughbred)",
     "2000+～2600+ [1.6v 0.13μ]",
     kAthlonXpExtras},
    {{.family = 6, .models = Only(8), .brand = "Athlon"},
     "Athlon XP Processor (Thoroughbred)",
     "1700+～2800+ [1.5～1.65v 0.13μ]",
     kAthlonXpExtras},
    {{6, Only(8)},
     "Athlon XP / Duron / Sempron Processor (Thoroughbred/Applebred)",
     "1.4GHz～2800+ [0.13μ]",
     kAthlonXpExtras},
    {{.family = 6, .models = Only(10), .brand = "Sempron"},
     "Sempron Processor (Barton/Thorton)",
     "2200+～3300+ [1.6v 0.13μ]",
     kAthlonXpExtras},
    {{.family = 6, .models = Only(10), .brand = "Athlon(tm) MP"},
     "Athlon MP Processor (Barton)",
     "2600+～3000+ [1.6v 0.13μ]",
     kAthlonXpExtras},
    {{.family = 6, .models = Only(10), .brand = "Athlon"},
     "Athlon XP Processor (Barton/Thorton)",
     "2000+～3200+ [1.65v 0.13μ]",
     kAthlonXpExtras},
    {{6, Only(10)},
     "Athlon XP / Sempron Processor (Barton/Thorton)",
     "2000+～3200+ [0.13μ]",
     kAthlonXpExtras},
    {{7}, "Athlon Processor", "500,550,600,650MHz [1.7v 0.25μ]", kAthlonExtras},
    // Family 15 names its line only in the brand string; the extended model
    // tells the revision, and with it the process. Extended model 3 is
    // revision E too, San Diego and Toledo (libcpuid's K8 table).
    {{.family = 15, .extended_models = Only(0)},
     kKeep,
     "(K8 rev.B/C) [0.13μ]",
     kAthlonXpExtras,
     kAthlon64Names},
    {{.family = 15, .extended_models = Only(1, 2, 3)},
     kKeep,
     "(K8 rev.D/E) [0.09μ]",
     kAthlonXpExtras,
     kAthlon64Names},
    {{.family = 15, .extended_models = Only(4, 5)},
     kKeep,
     "(K8 rev.F) [0.09μ]",
     kAthlonXpExtras,
     kAthlon64Names},
    {{.family = 15, .extended_models = Only(6, 7)},
     kKeep,
     "(K8 rev.G) [0.065μ]",
     kAthlonXpExtras,
     kAthlon64Names},
    // Family 10h, which Socket AM2 boards with an AGP slot took with a later
    // BIOS; the model tells the die (libcpuid's K10 table).
    {{.family = 16, .models = Only(2)},
     kKeep,
     "(Agena/Toliman/Kuma) [0.065μ]",
     kAthlonXpExtras,
     kK10Names},
    {{.family = 16, .models = Only(4)},
     kKeep,
     "(Deneb/Heka/Callisto) [0.045μ]",
     kAthlonXpExtras,
     kK10Names},
    {{.family = 16, .models = Only(5)},
     kKeep,
     "(Propus/Rana) [0.045μ]",
     kAthlonXpExtras,
     kK10Names},
    {{.family = 16, .models = Only(6)},
     kKeep,
     "(Regor/Sargas) [0.045μ]",
     kAthlonXpExtras,
     kK10Names},
    {{.family = 16, .models = Only(10)},
     kKeep,
     "(Thuban/Zosma) [0.045μ]",
     kAthlonXpExtras,
     kK10Names},
    {{16}, kKeep, "[0.045μ]", kAthlonXpExtras, kK10Names},
};

constexpr CatalogueRow kCyrix[] = {
    {{4}, "MediaGX Processor", kKeep},
    {{5, Only(2)}, "Cyrix 6x86 or 6x86L Processor", "PR90+,120+,133+,150+,166+,200+"},
    {{5, Only(4)}, "MediaGXm Processor", kClear},
    {{6}, kKeep, kKeep, 0, kCyrixNames, kCyrixDetails},
};

// WinChip 2 steppings 7 to 9 are the 2A and 10 to 15 the 2B; model 9 is
// the WinChip 3 (x86info's IDT identification).
constexpr CatalogueRow kCentaur[] = {
    {{5, Only(4)}, "WinChip C6 Processor", "180,200,225,240MHz"},
    {{5, Only(8), Only(5)}, "WinChip 2 Processor", "200,225,240,250,266,300MHz", kExtra3DNow},
    {{5, Only(8), Between(7, 9)}, "WinChip 2A Processor", "???MHz", kExtra3DNow},
    {{5, Only(8), Between(10, 15)}, "WinChip 2B Processor", "???MHz", kExtra3DNow},
    {{5, Only(9)}, "WinChip 3 Processor", "???MHz", kExtra3DNow},
    {{6, Only(6)}, "CyrixIII Processor", "500,533MHz"},
    {{6, Only(7), Between(0, 7)},
     "VIA C3 Processor (Samuel 2)",
     "533～800MHz [0.15μ]",
     kExtra3DNow},
    {{6, Only(7), Between(8, 15)},
     "VIA C3 Processor (Ezra)",
     "733MHz～1.0GHz [0.13μ]",
     kExtra3DNow},
    {{6, Only(8)}, "VIA C3 Processor (Ezra-T)", "800MHz～1.0GHz [0.13μ]", kExtra3DNow},
    // From the Nehemiah on, SSE in place of 3DNow!.
    {{6, Only(9)}, "VIA C3 Processor (Nehemiah)", "1.0～1.4GHz [0.13μ]", kExtraSse},
    {{.family = 6, .models = Only(10, 13), .brand = "C7-M"},
     "VIA C7-M Processor (Esther)",
     "1.0～2.0GHz [0.09μ]",
     kExtraSse},
    {{6, Only(10, 13)}, "VIA C7 Processor (Esther)", "1.0～2.0GHz [0.09μ]", kExtraSse},
};

constexpr CatalogueRow kRise[] = {
    {{}, "mP6 Processor", "166(PR166),190(PR233),200MHz(PR266)"},
};

constexpr CatalogueRow kTransmeta[] = {
    {{}, kKeep, kClear, 0, kTransmetaNames},
};

constexpr VendorRows<CatalogueRow> kCatalogue[] = {
    {"GenuineIntel", kIntel},   {"AuthenticAMD", kAmd},  {"CyrixInstead", kCyrix},
    {"CentaurHauls", kCentaur}, {"RiseRiseRise", kRise}, {"GenuineTMx86", kTransmeta},
};

// Cyrix family 6 takes its name and its detail from two lists of clocks.
constexpr Choice kCyrixNameChoices[] = {
    {"", "Cyrix 6x86MX Processor", {100, 220}},
    {"", "Cyrix ＭII Processor", {221, 360}},
};
constexpr Choice kCyrixDetailChoices[] = {
    {"", "6x86MX PR166GP [2.9v 60x2.5 0.35μ]", {100, 150}},
    {"", "6x86MX PR200GP [2.9v 66x2.5 0.35μ]", {151, 180}},
    {"", "6x86MX PR233GP [2.9v 75x2.5 0.35μ]", {181, 193}},
    {"", "6x86MX PR233GP [2.9v 66x3 0.35μ]", {194, 205}},
    {"", "6x86MX PR266GP [2.9v 83x2.5 0.35μ]", {206, 215}},
    {"", "ＭII PR300GP [2.8v 66x3.5 0.25μ]", {216, 237}},
    {"", "ＭII PR333GP [2.8v 83x3 0.25μ]", {238, 249}},
    {"", "ＭII PR350GP [2.8v 100x3 0.25μ]", {311, 360}},
    {"", "ＭII PR400GP [2.8v 100x3.5 0.25μ]", {361, 410}},
};
// The revision G Athlon that calls itself "Dual Core" (the 4850e and its
// kind) is the Athlon X2 (Brisbane), not the single-core Athlon 64 (AMD's
// product lists; libcpuid's recorded dumps).
constexpr Choice kAthlon64NameChoices[] = {
    {"Opteron", "Opteron Processor"},
    {"Turion(tm) 64 X2", "Turion 64 X2 Processor"},
    {"Turion", "Turion 64 Processor"},
    {"Athlon(tm) 64 FX", "Athlon 64 FX Processor"},
    {"Athlon(tm) 64 X2", "Athlon 64 X2 Processor"},
    {"Athlon(tm) X2|Athlon(tm) Dual Core", "Athlon X2 Processor"},
    {"Athlon", "Athlon 64 Processor"},
    {"Sempron", "Sempron Processor"},
    {"", "Athlon 64 / Opteron / Sempron Processor"},
};
// The Athlon X2 of family 10h (Kuma) calls itself "Athlon(tm) 7750
// Dual-Core".
constexpr Choice kK10NameChoices[] = {
    {"Phenom(tm) II", "Phenom II Processor"}, {"Phenom", "Phenom Processor"},
    {"Athlon(tm) II", "Athlon II Processor"}, {"Athlon", "Athlon X2 Processor"},
    {"Sempron", "Sempron Processor"},         {"Opteron", "Opteron Processor"},
    {"Turion", "Turion II Processor"},        {"", "Phenom / Athlon / Sempron Processor"},
};
// Transmeta's processors name themselves (Linux's boot messages of them).
constexpr Choice kTransmetaNameChoices[] = {
    {"TM5400", "Crusoe TM5400 Processor"},     {"TM5500", "Crusoe TM5500 Processor"},
    {"TM5600", "Crusoe TM5600 Processor"},     {"TM5700", "Crusoe TM5700 Processor"},
    {"TM5800", "Crusoe TM5800 Processor"},     {"TM5900", "Crusoe TM5900 Processor"},
    {"Efficeon", "Efficeon TM8000 Processor"}, {"", "Crusoe Processor"},
};

// In the order of ChoiceList.
constexpr std::span<const Choice> kChoices[] = {
    {},
    kCyrixNameChoices,
    kCyrixDetailChoices,
    kAthlon64NameChoices,
    kK10NameChoices,
    kTransmetaNameChoices,
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

// A row's name or detail; empty where the label keeps its text.
std::optional<std::string_view> Apply(const char* text, ChoiceList from, const CpuSignature& cpu,
                                      std::int32_t mhz) {
  if (from == kOwnText) return text ? std::optional<std::string_view>(text) : std::nullopt;
  for (const Choice& choice : kChoices[from]) {
    if (choice.clock.Holds(mhz) && BrandHolds(cpu.brand, choice.brand)) return choice.text;
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
  return Identification{Apply(row->name, row->name_from, cpu, mhz),
                        Apply(row->detail, row->detail_from, cpu, mhz), row->extras};
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
  for (const VendorRows<CatalogueRow>& vendor : kCatalogue) {
    for (const CatalogueRow& row : vendor.rows) {
      for (const char* text : {row.name, row.detail}) {
        if (text) texts.push_back(text);
      }
    }
  }
  for (const std::span<const Choice> list : kChoices) {
    for (const Choice& choice : list) texts.push_back(choice.text);
  }
  return texts;
}

}  // namespace korvane
