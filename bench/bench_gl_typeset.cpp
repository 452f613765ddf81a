// Typesetting labels with the built-in font's measures: a formula label and
// a long justified paragraph.  Run under a virtual X server (xvfb-run): the
// font is built in an OpenGL context.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include "support/glcontext.h"
#include "typeset/openglfont.h"
#include "typeset/typeset.h"

namespace {

bool fontReady()
{
	static glTestContext *s_context = new glTestContext(64, 64);
	return s_context->ok() && oglffont("typeset") == 1;
}

// A formula of about 200 characters: fractions, roots, scripts, Greek
// letters, accents and parentheses.
const char *c_formula =
	"E_{n} = \\frac{\\alpha^{2} + \\beta_{1}}{\\sqrt{x_{i+1}^{2} + y_{j}^{2}}} + \\Gamma_{0}^{n} "
	"\\sqrt{\\frac{\\omega}{2\\pi}}{3} - \\par{()}{a + b}^{2} + \\hat{x} \\widehat{xyz} + "
	"\\txt{for all } k_{1}, k_{2} \\gp 1.5e-3";

// About 10,000 characters of words in a justified paragraph.
std::string paragraph()
{
	static const char *words[] = {"typeset", "labels", "of", "a", "geometric", "algebra", "viewer", "draw",
	                              "words", "in", "lines", "that", "fill", "their", "width"};
	std::string text = "\\aj{";
	for (int k = 0; text.size() < 10000; k++)
		text += std::string(words[(k * 7) % 15]) + " ";
	return text + "}";
}

void typeset(benchmark::State &state, const std::string &text, const char *mode, double maxWidth)
{
	if (!fontReady()) {
		state.SkipWithError("no OpenGL context (run under xvfb-run)");
		return;
	}
	typesetState ts;
	ts.setInitialMode(mode);
	for (auto _ : state) {
		if (ts.typeset(text.c_str(), maxWidth) != 0) {
			state.SkipWithError("text did not lay out");
			break;
		}
		benchmark::DoNotOptimize(ts.m_tsChar.m_item);
	}
	state.counters["glyphs"] = ts.m_tsChar.m_nb;
	state.counters["characters"] = (double)text.size();
}

void BM_TypesetFormula(benchmark::State &state) { typeset(state, c_formula, "e", -1.0); }
BENCHMARK(BM_TypesetFormula)->Unit(benchmark::kMicrosecond);

void BM_TypesetJustifiedParagraph10k(benchmark::State &state) { typeset(state, paragraph(), "t", 400.0); }
BENCHMARK(BM_TypesetJustifiedParagraph10k)->Unit(benchmark::kMillisecond);

} // namespace
