// Stands in for PROGBIOS.EXE, the card maker's BIOS tool, on the simulated
// machine. It knows nothing of Korvane; it acts as the tool would on a G400
// card, and only reads the card.
//
//   PROGBIOS.EXE -d    prints the card's PIN file on standard output as
//                      the real tool does: a Millennium G400 DualHead
//                      (g400_pin.h), one space between fields, CR LF after
//                      every line
//
// Like the real tool it needs DOS4GW.EXE, the DOS extender, in its own
// folder, and fails without it. Besides the files every stand-in reads (see
// stand_in.h, with "progbios" as the tool's name), a test may leave beside
// it:
//
//   progbios-pin.txt   printed instead of the simulated card's PIN file,
//                      byte for byte; an empty one prints nothing
#include <windows.h>

#include <string>

#include "g400_pin.h"
#include "stand_in.h"

namespace {

void Print(DWORD handle, const std::string& bytes) {
  DWORD written = 0;
  if (!bytes.empty()) {
    WriteFile(GetStdHandle(handle), bytes.data(), static_cast<DWORD>(bytes.size()), &written,
              nullptr);
  }
}

}  // namespace

int main(int argc, char** argv) {
  stand_in::BeginRun("progbios");
  if (GetFileAttributesA(stand_in::Beside("DOS4GW.EXE").c_str()) == INVALID_FILE_ATTRIBUTES) {
    Print(STD_ERROR_HANDLE, "DOS4GW.EXE not found\r\n");
    return 1;
  }
  if (argc != 2 || lstrcmpiA(argv[1], "-d") != 0) {
    Print(STD_ERROR_HANDLE, "usage: PROGBIOS -d   dumps the card's PIN file\r\n");
    return 2;
  }
  std::string pin;
  if (const auto chosen = stand_in::ReadFile(stand_in::State("progbios-pin.txt"))) {
    pin = *chosen;
  } else {
    for (const char* line : kSimulatedG400Pin) pin += std::string(line) + "\r\n";
  }
  Print(STD_OUTPUT_HANDLE, pin);
  return 0;
}
