#pragma once

#include <cstddef>

// What the heap is doing, for tests that must not allocate while the game
// plays. Works in the plain build (the test binary puts its own malloc in
// front of the C library's) and under AddressSanitizer (which owns malloc, so
// its allocator's own hook and statistics are used instead).

// Heap allocations made by the process since it started.
long heap_allocations();

// Bytes handed out by the heap and not yet freed.
size_t heap_in_use();
