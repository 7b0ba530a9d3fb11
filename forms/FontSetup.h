#pragma once

// Maps the font families the windows ask for ("Arial", "MS Sans Serif") onto
// fonts that the set-up installs, so text renders the same on every machine.
void RegisterFontSubstitutions();
