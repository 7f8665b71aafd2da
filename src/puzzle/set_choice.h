#pragma once

// Chooses the six pictures of a set: six different file numbers of the
// group's ten, one per picture number 1..6 (entry 0 unused).
void choose_set(int file_numbers[7]);
