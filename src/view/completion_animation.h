#pragma once

// Flashes and dims the picture's thumbnail and opens the completion banner.
void play_completion_animation(const int &picture);
