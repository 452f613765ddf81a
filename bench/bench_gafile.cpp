// Scripts: a ".geo" file of 10,000 object lines read in one tick (every line
// made into a new object), an idle tick once a top-level script has reached
// its end (the file opened, found at its end and closed again), one line
// in which an argument of 200 characters is put in for "$1" many times, and
// the search for the comment of a line whose quoted text holds many "#".
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "files/gafile.h"
#include "silenced.h"
#include "state/state.h"

namespace {

// Object lines of the large file.
constexpr int sc_nbObjectLines = 10000;
// Characters of the argument put in for "$1"; it holds blanks, so outside a
// quoted text it goes in with quotes of its own.
constexpr int sc_argumentLength = 200;

// A file in the temporary directory holding text; removed with the value.
struct tempFile {
	std::string path;
	explicit tempFile(const std::string &text)
	{
		char name[] = "/tmp/korimbel_bench_XXXXXX";
		int fd = mkstemp(name);
		path = name;
		FILE *f = fdopen(fd, "wb");
		std::fputs(text.c_str(), f);
		std::fclose(f);
	}
	~tempFile() { std::remove(path.c_str()); }
};

// The script steps of the timer and the motion and animation steps that
// follow them.
void tickSteps(state &st)
{
	st.readScripts();
	st.handleTrl();
	st.handleRot();
	st.objectUpdate();
	st.updateAnimation();
}

void BM_read_10000_object_lines(benchmark::State &bs)
{
	std::string text;
	for (int i = 0; i < sc_nbObjectLines; i++)
		text += "e3ga o" + std::to_string(i) + " [" + std::to_string(i % 7) + "*e1 + 0.5*e2 - e3] stipple\n";
	tempFile file(text);
	state st;
	silenced quiet;
	for (auto _ : bs) {
		st.openGAfile(file.path.c_str(), 0, nullptr, -1);
		tickSteps(st);
	}
	if (st.m_objects.size() < (size_t)sc_nbObjectLines) bs.SkipWithError("the lines made too few objects");
	bs.counters["lines/s"] = benchmark::Counter((double)sc_nbObjectLines * (double)bs.iterations(), benchmark::Counter::kIsRate);
}

void BM_idle_tick_after_a_script(benchmark::State &bs)
{
	tempFile file("e3ga a [e1]\ne3ga b [e2]\nfgcolor g\n");
	state st;
	silenced quiet;
	st.openGAfile(file.path.c_str(), 0, nullptr, -1);
	tickSteps(st);
	for (auto _ : bs) tickSteps(st);
	if (st.m_GAfileStackDepth != 0) bs.SkipWithError("the script is no longer open");
}

// One line of n "$1": the first half outside a quoted text, the second inside one.
void BM_substitute_arguments(benchmark::State &bs)
{
	const int n = (int)bs.range(0);
	std::string argument;
	while ((int)argument.size() < sc_argumentLength) argument += (argument.size() % 10 == 9) ? ' ' : 'a';
	std::string text = "label l [e1] ";
	for (int i = 0; i < n; i++) {
		if (i == n / 2) text += '"';
		text += "$1 ";
	}
	text += '"';
	tempFile file("");
	state st;
	char *args[] = {&argument[0]};
	GAfile reader(&st, file.path.c_str(), 1, nullptr, 1, args);
	size_t length = 0;
	for (auto _ : bs) {
		reader.ensureBufLen((int)text.size());
		text.copy(reader.m_buf, text.size());
		reader.m_buf[text.size()] = '\0';
		reader.m_bufLen = (int)text.size();
		reader.substituteArguments(&st);
		length = (size_t)reader.m_bufLen;
	}
	// every "$1" became the argument, quoted outside the quoted text
	const size_t expected = text.size() + (size_t)n * (sc_argumentLength - 2) + (size_t)(n / 2) * 2;
	if (length != expected) bs.SkipWithError("the line came out of another length");
	bs.counters["substitutions/s"] = benchmark::Counter((double)n * (double)bs.iterations(), benchmark::Counter::kIsRate);
}

// One line "label l [e1] "#...#" # end": n "#" in the text, none of which
// begins the comment, then the one that does.
void BM_comment_start(benchmark::State &bs)
{
	const int n = (int)bs.range(0);
	const std::string text = "label l [e1] \"" + std::string((size_t)n, '#') + "\" # end";
	int cut = -1;
	for (auto _ : bs) {
		cut = GAfile::commentStart(text.c_str());
		benchmark::DoNotOptimize(cut);
	}
	if (cut != (int)text.size() - 5) bs.SkipWithError("the comment was found elsewhere");
	bs.counters["characters/s"] = benchmark::Counter((double)text.size() * (double)bs.iterations(), benchmark::Counter::kIsRate);
}

} // namespace

BENCHMARK(BM_comment_start)->Arg(10000)->Arg(100000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_substitute_arguments)->Arg(10000)->Arg(40000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_read_10000_object_lines)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_idle_tick_after_a_script)->Unit(benchmark::kMicrosecond);
