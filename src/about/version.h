// The program's version and its date: shown on the General tab and in the
// version dialog, and written into korvane.exe's version resource, which the
// resource compiler builds from this same file. Plain macros for that reason.
#pragma once

#define KORVANE_VERSION_MAJOR 1
#define KORVANE_VERSION_MINOR 10
#define KORVANE_VERSION "1.10"
#define KORVANE_VERSION_DATE "2000/08/20"
