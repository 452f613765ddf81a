#include "ga/textformat.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace ga {

// Smallest allocation of a text buffer; most texts of one value fit.
constexpr size_t sc_minTextCapacity = 128;

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Reads a run of digits at *p, advancing past it; false when its value
// exceeds sc_maxFormatField.
bool readField(const char *&p)
{
	long value = 0;
	for (; isDigit(*p); p++) {
		value = value * 10 + (*p - '0');
		if (value > sc_maxFormatField) return false;
	}
	return true;
}

// Reads one conversion starting just after its '%'; false when it is not
// one that prints a double.
bool readConversion(const char *&p)
{
	// flags
	while (*p != '\0' && std::strchr("-+ #0", *p) != nullptr) p++;
	// width
	if (!readField(p)) return false;
	// precision
	if (*p == '.') {
		p++;
		if (!readField(p)) return false;
	}
	// conversion letter
	if (*p == '\0' || std::strchr("eEfFgGaA", *p) == nullptr) return false;
	p++;
	return true;
}

} // namespace

bool isValidCoordinateFormat(const char *fmt)
{
	if (fmt == nullptr) return false;
	int conversions = 0;
	for (const char *p = fmt; *p != '\0';) {
		// literal text
		if (*p != '%') {
			p++;
			continue;
		}
		p++;
		// a literal percent
		if (*p == '%') {
			p++;
			continue;
		}
		if (!readConversion(p)) return false;
		conversions++;
	}
	return conversions == 1;
}

void textBuffer::clear()
{
	length = 0;
	if (data != nullptr) data[0] = '\0';
}

void textBuffer::reserve(size_t n)
{
	if (n + 1 <= capacity) return;
	// grow geometrically so that a text built piece by piece costs few reallocations
	size_t cap = capacity < sc_minTextCapacity ? sc_minTextCapacity : capacity;
	while (cap < n + 1) cap *= 2;
	void *p = std::realloc(data, cap);
	if (p == nullptr) textAllocationFailure(cap);
	data = static_cast<char *>(p);
	capacity = cap;
}

void textBuffer::append(const char *text, size_t n)
{
	reserve(length + n);
	std::memcpy(data + length, text, n);
	length += n;
	data[length] = '\0';
}

void textBuffer::append(const char *text) { append(text, std::strlen(text)); }

void textBuffer::appendDouble(const char *fmt, double x)
{
	// first try in the room left, then once more with exactly the room needed
	size_t room = capacity - length;
	int n = std::snprintf(capacity ? data + length : nullptr, room, fmt, x);
	if (n < 0) textAllocationFailure(room);
	if ((size_t)n >= room) {
		reserve(length + (size_t)n);
		std::snprintf(data + length, capacity - length, fmt, x);
	}
	length += (size_t)n;
}

void textAllocationFailure(size_t bytes)
{
	std::printf("Memory allocation failure for %lu bytes\n", (unsigned long)bytes);
	std::fflush(stdout);
	std::fprintf(stderr, "Memory allocation failure for %lu bytes\n", (unsigned long)bytes);
	std::abort();
}

} // namespace ga
