// korvane-pins: the PIN text Korvane makes of a G400's BIOS image, as read
// from C000:0000 by another tool (32 or 64 KB), with the same checks as the
// program's own read of the card.
//   korvane-pins IMAGE
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

#include "pin/bios_image.h"
#include "text/texts.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: korvane-pins IMAGE\n";
    return 2;
  }
  korvane::SetLanguage(korvane::Language::kEnglish);
  std::ifstream file(argv[1], std::ios::binary);
  if (!file) {
    std::cerr << "korvane-pins: " << argv[1] << ": cannot be read\n";
    return 1;
  }
  std::ostringstream image;
  image << file.rdbuf();
  const korvane::CardPin pin = korvane::CardPinFromImage(image.str());
  if (pin.text.empty()) {
    std::cerr << "korvane-pins: " << argv[1] << ": " << pin.refusal << '\n';
    return 1;
  }
  std::cout << korvane::JoinLines(pin.text);
  return 0;
}
