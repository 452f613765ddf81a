// Points of the projective and conformal models and conformal translation
// versors, built through their rows from Euclidean data.
#include "console/builtincalls.h"

using namespace bt;

TEST_F(builtins, ModelConstructors)
{
	const struct {
		const char *name;
		std::vector<std::string> args;
		bool projectiveArgument;
		int model;
		const char *expected;
	} rows[] = {
		{"p3ga_point", {"1", "2", "3"}, false, MODEL_P3GA, "1*e1 + 2*e2 + 3*e3 + 1*e0"},
		{"p3ga_point", {"e1 + 2", "0", "e3"}, false, MODEL_P3GA, "2*e1 + 1*e0"},
		{"p3ga_point", {"e1 - 2*e3 + 5"}, false, MODEL_P3GA, "1*e1 + -2*e3 + 1*e0"},
		{"p3ga_point", {"e1^e2"}, false, MODEL_P3GA, "1*e0"},
		{"c3ga_point", {"0", "0", "0"}, false, MODEL_C3GA, "1*no"},
		{"c3ga_point", {"1", "0", "0"}, false, MODEL_C3GA, "1*e1 + 1*no + 0.5*ni"},
		{"c3ga_point", {"1", "2", "-2"}, false, MODEL_C3GA, "1*e1 + 2*e2 + -2*e3 + 1*no + 4.5*ni"},
		{"c3ga_point", {"e1 + 5"}, false, MODEL_C3GA, "1*e1 + 1*no + 0.5*ni"},
		{"c3ga_point", {"2*e1 + 2*e0"}, true, MODEL_C3GA, "1*e1 + 1*no + 0.5*ni"},
		{"c3ga_point", {"e1"}, true, MODEL_C3GA, "1*e1 + 1*no + 0.5*ni"},
		{"c3ga_point", {"-4*e3 - 2*e0 + e1^e2"}, true, MODEL_C3GA, "2*e3 + 1*no + 2*ni"},
		{"tv", {"0", "0", "0"}, false, MODEL_C3GA, "1"},
		{"tv", {"e1"}, false, MODEL_C3GA, "1 + -0.5*e1^ni"},
		{"translation_versor", {"e1"}, false, MODEL_C3GA, "1 + -0.5*e1^ni"},
		{"tv", {"1", "0", "2"}, false, MODEL_C3GA, "1 + -0.5*e1^ni + -1*e3^ni"},
		{"translation_versor", {"1", "0", "2"}, false, MODEL_C3GA, "1 + -0.5*e1^ni + -1*e3^ni"},
	};
	for (const auto &r : rows) {
		std::vector<consoleVariable *> args;
		for (const std::string &a : r.args) args.push_back(r.projectiveArgument ? value<p3ga>(a) : value<e3ga>(a));
		result v = call(r.name, args);
		EXPECT_EQ(v->model(), r.model) << r.name << " " << r.args[0];
		EXPECT_EQ(v->name(), "");
		EXPECT_EQ(text(v.get()), r.expected) << r.name << " " << r.args[0];
	}
}

// The translation versor moves the point at the origin to its translation.
TEST_F(builtins, TranslationMovesTheOrigin)
{
	result t = call("tv", {value<e3ga>("1"), value<e3ga>("2"), value<e3ga>("3")});
	result origin = call("c3ga_point", {value<e3ga>("0"), value<e3ga>("0"), value<e3ga>("0")});
	result moved = call("vp", {t.release(), origin.release()});
	result point = call("c3ga_point", {value<e3ga>("e1 + 2*e2 + 3*e3")});
	EXPECT_EQ(text(moved.get()), text(point.get()));
	EXPECT_EQ(text(point.get()), "1*e1 + 2*e2 + 3*e3 + 1*no + 7*ni");
}
