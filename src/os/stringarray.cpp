#include "os/stringarray.h"

#include <cstdlib>
#include <cstring>

char *copyString(const char *text)
{
	if (text == nullptr) return nullptr;
	size_t n = std::strlen(text) + 1;
	char *copy = static_cast<char *>(std::malloc(n));
	if (copy != nullptr) std::memcpy(copy, text, n);
	return copy;
}

char **copyStringArray(int n, char *const *args)
{
	if (n <= 0) return nullptr;
	char **copy = static_cast<char **>(std::calloc((size_t)n, sizeof(char *)));
	if (copy == nullptr) return nullptr;
	for (int i = 0; i < n; i++) {
		copy[i] = copyString(args != nullptr && args[i] != nullptr ? args[i] : "");
		if (copy[i] == nullptr) {
			freeStringArray(i, copy);
			return nullptr;
		}
	}
	return copy;
}

void freeStringArray(int n, char **args)
{
	if (args == nullptr) return;
	for (int i = 0; i < n; i++) std::free(args[i]);
	std::free(args);
}

std::string substituteFileName(const char *text, const char *value)
{
	std::string s(text != nullptr ? text : "");
	std::string::size_type at = s.find("%s");
	if (at != std::string::npos) s.replace(at, 2, value != nullptr ? value : "");
	return s;
}
