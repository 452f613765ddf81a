// Parsing label markup: a text of 10,000 characters, and one of 100,000
// items, which must parse without exhausting any stack.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include "typeset/fontparse.h"

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

} // namespace
