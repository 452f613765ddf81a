// Source text of the statement kinds: every kind built, deep-copied and
// printed in the multi-line and the single-line form, and numbers printed
// so that they read back exactly.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <functional>
#include <limits>
#include <memory>
#include <random>
#include <set>
#include <string>
#include <typeindex>

#include "console/consolestatements.h"
#include "state/state.h"

#include "console/consolesourcetrees.h"

using namespace srctree;

namespace {

state s_state;

// --- checking

std::string printed(consoleStatement *s, int cr, int tl)
{
	char *t = s->string(cr, tl);
	std::string r(t);
	std::free(t);
	return r;
}

// b is a deep copy of a: same kinds, positions, codes and flags, null
// children in the same places, and no node shared.
::testing::AssertionResult deepCopy(const consoleStatement *a, const consoleStatement *b)
{
	if (typeid(*a) != typeid(*b)) return ::testing::AssertionFailure() << "kind differs";
	if (a == b) return ::testing::AssertionFailure() << "node shared";
	if (a->line() != b->line() || a->column() != b->column() || a->op() != b->op() || a->verbose() != b->verbose() ||
	    a->stmtListChild() != b->stmtListChild() || a->dummy() != b->dummy() || a->nbChildren() != b->nbChildren())
		return ::testing::AssertionFailure() << "fields differ";
	for (int i = 0; i < a->nbChildren(); i++) {
		if (!a->child(i) || !b->child(i)) {
			if (a->child(i) != b->child(i)) return ::testing::AssertionFailure() << "child " << i << " null in one";
			continue;
		}
		::testing::AssertionResult r = deepCopy(a->child(i), b->child(i));
		if (!r) return r;
	}
	return ::testing::AssertionSuccess();
}

void collectKinds(const consoleStatement *s, std::set<std::type_index> &kinds)
{
	if (s == nullptr) return;
	kinds.insert(typeid(*s));
	for (int i = 0; i < s->nbChildren(); i++) collectKinds(s->child(i), kinds);
}

// The number as a constant prints it.
std::string numberText(double d)
{
	consoleConstantScalarStmt c(1, 1, d);
	return printed(&c, 0, 0);
}

} // namespace

TEST(ConsoleSource, EveryKindCopiedAndPrinted)
{
	std::set<std::type_index> kinds;
	for (const row &r : rows()) {
		std::unique_ptr<consoleStatement> s(r.build());
		EXPECT_EQ(printed(s.get(), 1, r.tl), r.multi);
		EXPECT_EQ(printed(s.get(), 0, 0), r.single);
		std::unique_ptr<consoleStatement> copy(s->copy());
		EXPECT_TRUE(deepCopy(s.get(), copy.get())) << r.single;
		collectKinds(s.get(), kinds);
		s.reset();
		EXPECT_EQ(printed(copy.get(), 1, r.tl), r.multi);
		EXPECT_EQ(printed(copy.get(), 0, 0), r.single);
	}
	EXPECT_EQ(kinds.size(), 23u);
}

TEST(ConsoleSource, NumbersReadBackExactly)
{
	struct row {
		double value;
		const char *text;
	};
	const row rows[] = {
		{2.0, "2"},
		{0.1, "0.1"},
		{1e-7, "1e-07"},
		{1e20, "1e+20"},
		{123456.75, "123456.75"},
		{1.0 / 3.0, "0.3333333333333333"},
		{std::numeric_limits<double>::max(), "1.7976931348623157e+308"},
		{std::numeric_limits<double>::denorm_min(), "5e-324"},
		// what a number too large for a double reads as
		{std::numeric_limits<double>::infinity(), "1e999"},
	};
	for (const row &r : rows) EXPECT_EQ(numberText(r.value), r.text);

	std::mt19937 rng(9);
	std::uniform_real_distribution<double> mantissa(0.0, 10.0);
	std::uniform_int_distribution<int> exponent(-300, 300);
	for (int i = 0; i < 1000; i++) {
		double d = mantissa(rng) * std::pow(10.0, exponent(rng));
		std::string t = numberText(d);
		EXPECT_EQ(std::strtod(t.c_str(), nullptr), d) << t;
	}
}
