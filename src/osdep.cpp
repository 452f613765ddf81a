#include "osdep.h"

#include <cstdarg>
#include <cstdio>

void cprintf(const char *format, ...)
{
	va_list ap;
	va_start(ap, format);
	std::vprintf(format, ap);
	va_end(ap);
}
