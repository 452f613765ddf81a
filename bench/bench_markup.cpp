// Parsing label markup: a text of 10,000 characters, and one of 100,000
// items, which must parse without exhausting any stack; and reading a long
// text full of unknown commands, each reported with an excerpt that names
// its line, which must take time in proportion to the text.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include "silenced.h"
#include "typeset/fontparse.h"
#include "typeset/typeset.h"

namespace {

// About 10,000 characters of mixed markup in equation mode.
std::string mixedText()
{
	std::string text;
	while (text.size() < 10000)
		text += "\\frac{a_1^2 + b}{\\sqrt{x_{i+1}}} \\txt{word, and more} 3.25e-2 \\bold{y}\\\\";
	return text;
}

void parse(benchmark::State &state, const std::string &text, const char *mode)
{
	for (auto _ : state) {
		fpNode_s *tree = fontParse(text.c_str(), mode);
		if (!tree) {
			state.SkipWithError("text did not parse");
			break;
		}
		fpNodeFree(tree);
	}
	state.SetBytesProcessed((int64_t)state.iterations() * (int64_t)text.size());
}

void BM_ParseMixed10k(benchmark::State &state) { parse(state, mixedText(), "e"); }
BENCHMARK(BM_ParseMixed10k)->Unit(benchmark::kMillisecond);

void BM_Parse100kItems(benchmark::State &state)
{
	std::string text;
	for (int k = 0; k < 50000; k++)
		text += "a ";
	parse(state, text, "t");
}
BENCHMARK(BM_Parse100kItems)->Unit(benchmark::kMillisecond);

// A text of about state.range(0) bytes, one unknown command a line, read for
// its definitions: every line's command is reported.
void BM_ReadTextWithAnErrorEveryLine(benchmark::State &state)
{
	std::string text;
	while (text.size() < (size_t)state.range(0))
		text += "a line with \\nosuchcommand{x} in it\n";
	typesetState ts;
	silenced quiet;
	for (auto _ : state) {
		ts.setInitialMode("t");
		benchmark::DoNotOptimize(ts.parse(text.c_str()));
	}
	state.SetBytesProcessed((int64_t)state.iterations() * (int64_t)text.size());
}
BENCHMARK(BM_ReadTextWithAnErrorEveryLine)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

} // namespace
