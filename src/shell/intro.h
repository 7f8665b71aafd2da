#pragma once

// The one-page description at start: fades in, waits for a click or ten
// seconds, fades out.
void show_intro();
