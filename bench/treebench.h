// Sum over a directory tree (a whole-subtree read and the summing walk) against du.
#pragma once

// Makes the scratch tree when it is missing, times ours and du, checks our counts against
// find, and prints the result line. 1 when every run succeeded and the counts agree, else 0.
int Bench_RunTreeTable();
