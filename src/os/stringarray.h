#pragma once
// Heap copies of C strings and of arrays of them, as the script files,
// the deferred open and the playlist keep their names and arguments: each
// string and each array allocated with malloc, freed with free.
#include <string>

// A copy of text (null for null); null when memory runs out.
char *copyString(const char *text);
// Copies of the n strings of args (an empty text for a null one); null for
// n <= 0; null, keeping nothing, when memory runs out.
char **copyStringArray(int n, char *const *args);
// Frees the n strings and the array; null does nothing.
void freeStringArray(int n, char **args);
// text with "%s" (its first occurrence) replaced by value; other "%"
// signs stay as they are, so a text from a file is never a format.
std::string substituteFileName(const char *text, const char *value);
