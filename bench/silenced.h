#pragma once
// Standard output goes nowhere while a silenced value lives: the benchmarks
// of scripts open files again and again, and each new top-level script says
// that the animation clock was stopped already.
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

struct silenced {
	int saved, quiet;
	silenced()
	{
		std::fflush(stdout);
		saved = dup(1);
		quiet = open("/dev/null", O_WRONLY);
		dup2(quiet, 1);
	}
	~silenced()
	{
		std::fflush(stdout);
		dup2(saved, 1);
		close(saved);
		close(quiet);
	}
	silenced(const silenced &) = delete;
	silenced &operator=(const silenced &) = delete;
};
