#pragma once

// Stillness: once the player leaves everything as it is and the frames have
// settled, every further frame would draw the pixels already on the screen,
// so the frame loop stops drawing and waits for the next input instead.

// Whether the input the next frame acts on is the input this frame acted on:
// the pointer, its buttons, the keyboard and the pad. Call once per frame, after the
// frame's polls.
bool input_still();

// Called at the end of every frame of the loop: after enough still frames with
// no press or roll in play, blocks until the next input.
void wait_if_still();
