#pragma once

// The kernel's event codes of the buttons of the pad the library names
// `name`, which has `buttons` of them, in the order the library numbers them
// (on Linux, by rising code). The count written to `codes`, at most `size`;
// 0 where the system cannot tell.
int read_pad_button_codes(const char *name, int buttons, int codes[], int size);
