// The files of a program folder as the tests see them, and the stand-ins
// for the clock tools that live there (sim/tools/stand_in.h says how they
// are steered).
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "driver/file_tools.h"

namespace e2e {

// The clock tools' names as the stand-ins' files spell them.
inline constexpr char kG4set[] = "g4set";
inline constexpr char kG200clk[] = "g200clk";

// Back to a card at its initial clocks, with tools that print the simulated
// report, take no time and have logged nothing; and without the files
// Korvane leaves in the folder.
void ResetStandIns(const std::string& folder);
// What G4set.exe prints for its status report, byte for byte.
void SetStatusReport(const std::string& folder, const std::string& report);
// How long a tool takes before it does anything.
void SetToolDelay(const std::string& folder, const std::string& tool, int milliseconds);
// The arguments of each run of a tool so far, one per run.
std::vector<std::string> ToolRuns(const std::string& folder, const std::string& tool);

// Puts the stand-in BIOS tool PROGBIOS.EXE, with an empty DOS4GW.EXE beside
// it, into a folder, as a user copies them from the driver CD; false when the
// stand-in is not built.
bool InstallBiosTool(const std::string& folder);

// Copies korvane.exe and the stand-ins into another program folder.
bool InstallProgram(const std::string& from_folder, const std::string& to_folder);
// Removes a program folder and everything in it.
void RemoveFolder(const std::string& folder);
// The short (8.3) form of an existing path, as Korvane works it out.
std::string ShortPath(const std::string& path);

}  // namespace e2e
