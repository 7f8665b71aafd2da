#pragma once

// Under a set's thumbnails on the summary: the group's record, or that this
// set beat it. Nothing for a group finished for the first time.
void draw_record_line(int group, float line_y);
