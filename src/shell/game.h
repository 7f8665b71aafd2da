#pragma once

// Everything before the first frame: start-up, the intro, the composed
// backdrop, the board layout and a fresh loop state. False when start-up
// failed; the message is already on stderr.
bool start_game();

// Runs one frame. False once the player has left and the screen is shut down.
bool run_frame();

// Puts the frame loop's state back to its values at the start of a game.
void reset_loop_state();
