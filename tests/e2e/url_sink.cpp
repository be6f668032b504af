// Stands in for the machine's web browser and mail program: appends each
// address it is asked to open, one per line, to the file named by the
// KORVANE_OPENED_LOG environment variable.
#include <windows.h>

#include <cstdio>
#include <string>

int main(int argc, char** argv) {
  const char* log = std::getenv("KORVANE_OPENED_LOG");
  if (!log || argc < 2) return 1;
  FILE* out = std::fopen(log, "ab");
  if (!out) return 1;
  std::string line = argv[1];
  for (int i = 2; i < argc; ++i) line += std::string(" ") + argv[i];
  std::fprintf(out, "%s\n", line.c_str());
  std::fclose(out);
  return 0;
}
