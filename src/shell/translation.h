#pragma once

#include <libintl.h>

// Every text the game draws is written in Polish and looked up in the catalog
// of the player's language where it is drawn: _("RUCH >").
#define _(text) gettext(text)
// Marks a text kept in a table; _() looks it up where it is drawn.
#define N_(text) text

// Chooses the player's language from the environment and opens its catalog.
// Called once by start_up, before anything is drawn.
void use_player_language();

// Whether the texts stay in Polish, as they are written (no catalog is used).
bool texts_as_written();
