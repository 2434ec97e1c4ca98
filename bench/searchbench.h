// The disk search in list mode against find, fd, grep and ripgrep.
#pragma once

// Makes the scratch tree when it is missing, times ours and the peers, checks every side's
// count of matches, and prints the result lines. 1 when every run succeeded and the counts
// agree, else 0.
int Bench_RunSearchTable();
