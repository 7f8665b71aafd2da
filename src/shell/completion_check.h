#pragma once

// Judges the twelve fronts: celebrates a picture whole for the first time,
// repeats the message for one assembled before, draws the progress bar, and
// ends the drag.
void check_completion();
