#include "puzzle/set_choice.h"

#include "puzzle/board.h"

void choose_set(int file_numbers[7]) {
    for (int k = 1; k <= 6; k++) file_numbers[k] = 0;
    for (int k = 1; k <= 6; k++) {
        bool taken;
        int draw;
        do {
            draw = draw_from(10);
            taken = false;
            for (int j = 1; j <= 6; j++) taken = taken || file_numbers[j] == draw;
        } while (taken);
        file_numbers[k] = draw;
    }
}
