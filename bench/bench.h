// What several benchmarks set up alike.
#ifndef ORBIX_BENCH_H
#define ORBIX_BENCH_H

// Fifteen vectors of unlike lengths and directions, in whatever system is current: the heaviest
// vector drawing and the longest listings there are.
void quinzevetores();

#endif
