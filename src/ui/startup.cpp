#include "ui/startup.h"

#include <cstring>

#include "os/osdep.h"

namespace {

// Takes n words out of argv from index i on.
void removeWords(int &argc, char **argv, int i, int n)
{
	for (int j = i; j + n <= argc; j++) argv[j] = argv[j + n];
	argc -= n;
}

bool is(const char *word, const char *a, const char *b) { return !std::strcmp(word, a) || !std::strcmp(word, b); }

} // namespace

void scanCommandLine(int &argc, char **argv, startupOptions &options)
{
	int i = 1;
	while (i < argc) {
		const char *word = argv[i];
		// the scan goes on at the word that moves into the option's place
		if (!std::strcmp(word, "-net")) {
			options.net = true;
			removeWords(argc, argv, i, 1);
			continue;
		}
		std::string *name = is(word, "-f", "-file") ? &options.file : is(word, "-l", "-playlist") ? &options.playlist : nullptr;
		if (name == nullptr) {
			i++;
			continue;
		}
		if (i + 1 >= argc) {
			cprintf("main(): option '%s' needs a file name\n", word);
			removeWords(argc, argv, i, 1);
			continue;
		}
		*name = argv[i + 1];
		removeWords(argc, argv, i, 2);
	}
}
