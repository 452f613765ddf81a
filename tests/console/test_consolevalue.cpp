// Console values: construction and copies with their drawing attributes,
// flags, truth, scalar part, grade, text forms and the free functions.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "console/consolevariable.h"
#include "state/state.h"

namespace {

state s_state;

typedef std::unique_ptr<consoleVariable> cvPtr;

// A value that holds no multivector.
struct emptyValue : consoleVariable {
	emptyValue() : consoleVariable("empty", e3ga(1.0)) { deleteMV(); }
};

e3ga e3(int gu, std::initializer_list<double> c) { return e3ga(gu, std::vector<double>(c).data()); }

} // namespace

TEST(ConsoleValue, CopiesAndTheirFlags)
{
	consoleVariable src("src", c3ga(c3gai::e1));
	src.op(6);
	src.rhs(1);
	src.lhs(1);
	src.drawMode(0x140);
	src.creationFlags(0x402);
	src.color4(0.1f, 0.2f, 0.3f, 0.4f);
	consoleVariable other("other", e3ga(1.0));
	src.next(&other);

	// the copy constructor: creation flags 0 and no link, the rest copied
	consoleVariable copy(src);
	EXPECT_EQ(copy.name(), "src");
	EXPECT_EQ(copy.model(), MODEL_C3GA);
	EXPECT_EQ(copy.op(), 6);
	EXPECT_TRUE(copy.lhs() && copy.rhs());
	EXPECT_EQ(copy.drawMode(), 0x140);
	EXPECT_EQ(copy.creationFlags(), 0);
	EXPECT_EQ(copy.next(), nullptr);
	EXPECT_EQ(copy.color()[2], 0.3f);
	EXPECT_EQ(copy.c().coordinates(2)[0], 1.0);

	// set keeps the target's creation flags and link; operator= on itself changes nothing
	consoleVariable target("t", i2ga(i2gai::go));
	target.creationFlags(0x7000);
	target.next(&other);
	target.set(src);
	EXPECT_EQ(target.creationFlags(), 0x7000);
	EXPECT_EQ(target.next(), &other);
	EXPECT_EQ(target.model(), MODEL_C3GA);
	target = target;
	EXPECT_EQ(target.name(), "src");
	EXPECT_EQ(target.c().coordinates(2)[0], 1.0);

	// set with an i2ga value releases the c3ga multivector
	consoleVariable img("img", i2ga(i2gai::gi));
	target.set(img);
	EXPECT_EQ(target.model(), MODEL_I2GA);
	EXPECT_EQ(target.i2().coordinates(2)[5], 1.0);
	EXPECT_EQ(target.c().gradeUsage(), 0);
}

TEST(ConsoleValue, CopyForReuseUnderAName)
{
	struct row {
		const char *name;
		int drawMode, forceFlags;
		const char *expectedName;
		int expectedDrawMode;
	};
	const row rows[] = {
		{"", 0x140, 0, "camori", 0x0},          // internal and hidden bits go
		{"", 0x140, 0x40, "camori", 0x40},      // hiding set explicitly stays
		{"mine", 0x16b, 0, "mine", 0x2b},       // other bits stay
		{"mine", 0x1ff, 0x8040, "mine", 0xff},  // only the internal bit goes
	};
	for (const row &r : rows) {
		consoleVariable src("camori", e3ga(1.0));
		src.drawMode(r.drawMode);
		if (r.forceFlags & 0x40) src.modifiedHide();
		if (r.forceFlags & 0x8000) src.modifiedColor();
		src.creationFlags(0x401);
		src.op(0x106);
		src.rhs(1);
		src.color4(0.0f, 1.0f, 0.0f, 0.5f);
		consoleVariable v(r.name, &src);
		EXPECT_EQ(v.name(), r.expectedName);
		EXPECT_EQ(v.drawMode(), r.expectedDrawMode) << r.name << " " << r.drawMode;
		EXPECT_EQ(v.forceFlags(), r.forceFlags);
		EXPECT_EQ(v.creationFlags(), 0x401);
		EXPECT_EQ(v.op(), 0x106);
		EXPECT_TRUE(v.rhs() && !v.lhs());
		EXPECT_EQ(v.color()[1], 1.0f);
		EXPECT_EQ(v.alpha(), 0.5f);
		EXPECT_EQ(v.scalar(), 1.0);
		// the copy constructor keeps the draw mode whole
		EXPECT_EQ(consoleVariable(src).drawMode(), r.drawMode);
	}
}

TEST(ConsoleValue, FieldOperations)
{
	consoleVariable v("v", p3ga(p3gai::e0));
	struct flag {
		int (consoleVariable::*modify)();
		int bit;
	};
	const flag flags[] = {{&consoleVariable::modifiedStipple, 0x1},       {&consoleVariable::modifiedOri, 0x2},
	                      {&consoleVariable::modifiedWireframe, 0x8},     {&consoleVariable::modifiedShade, 0x10},
	                      {&consoleVariable::modifiedMagnitude, 0x20},    {&consoleVariable::modifiedHide, 0x40},
	                      {&consoleVariable::modifiedOutline, 0x80},      {&consoleVariable::modifiedColor, 0x8000},
	                      {&consoleVariable::modifiedAlpha, 0x10000},     {&consoleVariable::modifiedDrawMethod, 0x20000}};
	int all = 0;
	for (const flag &f : flags) {
		EXPECT_EQ((v.*f.modify)(), 0);
		all |= f.bit;
		EXPECT_EQ(v.forceFlags(), all);
	}

	// role flags read back as their bits
	EXPECT_EQ(v.lhs(1), 0);
	EXPECT_EQ(v.global(1), 0);
	EXPECT_EQ(v.functionArgument(5), 0);
	EXPECT_EQ(v.lhs(), 0x40000000);
	EXPECT_EQ(v.global(), 0x08000000);
	EXPECT_EQ(v.functionArgument(), 0x04000000);
	EXPECT_EQ(v.rhs(), 0);
	v.global(0);
	EXPECT_EQ(v.global(), 0);
	EXPECT_NE(v.lhs(), 0);

	v.name("renamed");
	EXPECT_TRUE(v.nameEquals("renamed"));
	EXPECT_FALSE(v.nameEquals("rename"));
}

TEST(ConsoleValue, TruthScalarAndGrade)
{
	struct row {
		consoleVariable v;
		int isTrue;
		double scalar;
		int grade;
	};
	const row rows[] = {
		{{"zero", e3ga()}, 0, 0.0, -1},
		{{"tiny", e3(2, {1e-200, 0.0, 0.0})}, 0, 0.0, -1},  // the square underflows to 0.0
		{{"small", e3(2, {0.0, 1e-100, 0.0})}, 1, 0.0, 1},
		{{"scalar", e3ga(3.0)}, 1, 3.0, 0},
		{{"e1", e3ga(e3gai::e1)}, 1, 0.0, 1},
		{{"2+e1", e3(3, {2.0, 1.0, 0.0, 0.0})}, 1, 2.0, -1},
		{{"I", e3ga(e3gai::I)}, 1, 0.0, 3},
		{{"rotor", e3(5, {0.6, 0.0, 0.0, 0.8})}, 1, 0.6, -1},
		{{"flat point", p3ga(p3gai::e1 ^ p3gai::e0)}, 1, 0.0, 2},
		{{"no^ni", c3ga(c3gai::no ^ c3gai::ni)}, 1, 0.0, 2},
		{{"pseudoscalar", i2ga(i2gai::I)}, 1, 0.0, 6},
	};
	for (const row &r : rows) {
		// reading as another algebra gives that algebra's zero, never a conversion
		if (r.v.model() != MODEL_E3GA) {
			EXPECT_EQ(r.v.e().gradeUsage(), 0) << r.v.name();
		}
		EXPECT_EQ(r.v.isTrue(), r.isTrue) << r.v.name();
		EXPECT_EQ(r.v.scalar(), r.scalar) << r.v.name();
		EXPECT_EQ(r.v.grade(), r.grade) << r.v.name();
	}
}

TEST(ConsoleValue, TextFormsAndNoModel)
{
	consoleVariable two("two", e3ga(2.0));
	EXPECT_STREQ(two.string(), "2.000000e+00");
	testing::internal::CaptureStdout();
	two.print("two = ");
	EXPECT_EQ(testing::internal::GetCapturedStdout(), "two = 2.000000\n");

	emptyValue v;
	EXPECT_EQ(v.model(), 0);
	EXPECT_STREQ(v.string(), "unknown model");
	EXPECT_EQ(v.grade(), -1);
	EXPECT_EQ(v.isTrue(), 0);
	EXPECT_EQ(v.scalar(), 0.0);
	EXPECT_EQ(v.castToE3ga(), nullptr);
	EXPECT_EQ(v.castToI2ga(), nullptr);
	EXPECT_EQ(v.interpretation(), nullptr);
	testing::internal::CaptureStdout();
	v.print("v");
	EXPECT_EQ(testing::internal::GetCapturedStdout(), "v: unknown model\n");

	// copying a value without a multivector releases the target's
	consoleVariable w("w", c3ga(c3gai::ni));
	w.set(v);
	EXPECT_EQ(w.model(), 0);
	EXPECT_EQ(w.name(), "empty");
	EXPECT_EQ(w.c().gradeUsage(), 0);
}

TEST(ConsoleValue, FreeFunctions)
{
	consoleVariable *s = consoleVariableScalar("s", -1.5);
	EXPECT_EQ(s->name(), "s");
	EXPECT_EQ(s->model(), MODEL_E3GA);
	EXPECT_EQ(s->e().gradeUsage(), 1);
	EXPECT_EQ(s->scalar(), -1.5);
	EXPECT_TRUE(s->rhs() && !s->lhs());
	// 0.0 is still a stored scalar part
	cvPtr zero(consoleVariableScalar("", 0.0));
	EXPECT_EQ(zero->e().gradeUsage(), 1);

	EXPECT_EQ(consoleVariableSetLhs(s, 1), 0);
	EXPECT_EQ(consoleVariableSetRhs(s, 0), 0);
	EXPECT_EQ(consoleVariableSetOperator(s, 0x201), 0);
	EXPECT_TRUE(s->lhs() && !s->rhs());
	EXPECT_EQ(s->op(), 0x201);

	consoleVariable c("c", c3ga(1.0));
	testing::internal::CaptureStdout();
	consolePrintVariableModel(&c);
	EXPECT_EQ(testing::internal::GetCapturedStdout(), "consolePrintVariableType: 00006000\n");

	consoleVariableFree(s);
	consoleVariableFree(nullptr);
}
