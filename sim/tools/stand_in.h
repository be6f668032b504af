// What the stand-ins for the outside clock tools share: files beside the
// tool's own .exe through which a test steers it and reads what it did.
//
//   <tool>-delay.txt   milliseconds the tool takes before it does anything
//   <tool>-args.log    one line per run: the arguments as the tool got them
//
// <tool> is the tool's name in lower case ("g4set", "g200clk"). A test
// writes or deletes these files in the program folder; nothing else
// creates them except the log. A tool on a read-only disc keeps them in the
// folder KORVANE_STAND_IN_STATE names instead: the card's state is the
// card's, not the disc's.
#pragma once

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>

namespace stand_in {

// A file beside this program.
inline std::string Beside(const std::string& name) {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder(path);
  folder.resize(folder.find_last_of('\\') + 1);
  return folder + name;
}

// A steering or state file: beside this program, or where the environment
// says.
inline std::string State(const std::string& name) {
  char folder[MAX_PATH] = {};
  const DWORD length = GetEnvironmentVariableA("KORVANE_STAND_IN_STATE", folder, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return Beside(name);
  return std::string(folder) + "\\" + name;
}

inline std::optional<std::string> ReadFile(const std::string& path) {
  FILE* in = std::fopen(path.c_str(), "rb");
  if (!in) return std::nullopt;
  std::string bytes;
  char buffer[4096];
  for (std::size_t got; (got = std::fread(buffer, 1, sizeof(buffer), in)) > 0;) {
    bytes.append(buffer, got);
  }
  std::fclose(in);
  return bytes;
}

inline bool WriteFile(const std::string& path, const std::string& bytes) {
  FILE* out = std::fopen(path.c_str(), "wb");
  if (!out) return false;
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), out) == bytes.size();
  return std::fclose(out) == 0 && written;
}

// The arguments exactly as given on the command line, after the program's
// own name.
inline std::string Arguments() {
  const char* line = GetCommandLineA();
  bool quoted = false;
  for (; *line && (quoted || (*line != ' ' && *line != '\t')); ++line) {
    if (*line == '"') quoted = !quoted;
  }
  while (*line == ' ' || *line == '\t') ++line;
  return line;
}

// Logs this run and takes the time the test asked for.
inline void BeginRun(const std::string& tool) {
  if (FILE* log = std::fopen(State(tool + "-args.log").c_str(), "ab")) {
    std::fprintf(log, "%s\r\n", Arguments().c_str());
    std::fclose(log);
  }
  if (const auto delay = ReadFile(State(tool + "-delay.txt"))) {
    Sleep(static_cast<DWORD>(std::strtoul(delay->c_str(), nullptr, 10)));
  }
}

}  // namespace stand_in
