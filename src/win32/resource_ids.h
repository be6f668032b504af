// Numbers of the resources in korvane.rc, shared with the code that loads
// them. Plain macros: the resource compiler reads this file too.
#pragma once

// The program's icon. Explorer shows a program's first icon group, so it
// keeps the lowest number.
#define KORVANE_ICON 1
