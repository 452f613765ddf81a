#pragma once
// The colour names every part of the program understands: the state's
// colour settings, the colour built-ins and the typesetter's default
// colours.

// Looks name up, without regard to case, among "r"/"red", "g"/"green",
// "b"/"blue", "w"/"white", "m"/"magenta", "y"/"yellow", "c"/"cyan",
// "k"/"black" and "grey"/"gray"; on a match writes red, green, blue and
// alpha 1 into c[0..3] and returns 0, else returns -1 and leaves c alone.
int getColor(const char *name, float *c);
