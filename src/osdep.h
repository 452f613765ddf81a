#pragma once
// Console output and operating-system utilities.

// printf-style output to the user; without a user interface it goes to
// standard output. No line end is added.
void cprintf(const char *format, ...) __attribute__((format(printf, 1, 2)));
