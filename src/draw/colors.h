#pragma once
// The colour names that the whole program understands (the state's colour
// settings, the colour built-ins, the typesetter's default colours), and a
// float-colour setter.

// Writes the red, green, blue of the named colour and alpha 1 into c[0..3]
// and returns 0; -1, leaving c alone, for a name it does not know.  Names
// are compared without regard to case.
int getColor(const char *name, float *c);

// Stores the four components in c; returns 0.
int setColor(float *c, float r, float g, float b, float a);
