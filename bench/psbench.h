// A 100 MiB print file shown as PostScript text against the same file read plainly.
#pragma once

#include "benchutil.h"

// Makes the print file when it is missing, times open and End both ways (best of three) and
// prints the table. 1 when every run succeeded, else 0.
int Bench_RunPostScriptTable(const BenchFiles* files);
