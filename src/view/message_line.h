#pragma once

// The message area under the board.

// The area emptied to the backdrop.
void erase_message_area();

// "TEN OBRAZEK JUŻ UŁOŻONY - WYBIERZ INNY" over an emptied area.
void draw_already_assembled_message();
