// Grades, norms, scalar functions, comparisons and logic, called through
// their rows; every number and truth value is a scalar of the row's model.
#include "console/builtincalls.h"
#include "console/consolefamily.h"

using namespace bt;

template <class M> class Grades : public modelBuiltins<M> {};
TYPED_TEST_SUITE(Grades, models);

TYPED_TEST(Grades, GradesNormsAndScalarFunctions)
{
	this->template checkRows<TypeParam>({
		{"scalar", {"2 + e1"}, "2"},
		{"grade", {"e1^e2"}, "2"},
		{"grade", {"2*e1"}, "1"},
		{"grade", {"3"}, "0"},
		{"grade", {"1 + e1"}, "-1"},
		{"grade", {"0"}, "-1"},
		{"grade", {"1 + e1 + e1^e2", "1"}, "1*e1"},
		{"grade", {"1 + e1 + e1^e2", "2.9"}, "1*e1^e2"},
		{"grade", {"1 + e1 + e1^e2", "0"}, "1"},
		{"grade", {"1 + e1 + e1^e2", "7"}, "0"},
		{"grade", {"1 + e1 + e1^e2", "-1"}, "0"},
		{"grade", {"1 + e1 + e1^e2", "1e300"}, "0"},
		{"grade", {"1 + e1 + e1^e2", "-1e300"}, "0"},
		{"versor_parity", {"0.6 + 0.8*e1^e2"}, "0"},
		{"versor_parity", {"e1"}, "1"},
		{"versor_parity", {"1 + e1"}, "-1"},
		{"norm", {"e1"}, "1"},
		{"norm", {"3*e1 + 4*e2"}, "5"},
		{"norm_2", {"3*e1 + 4*e2 + 1"}, "26"},
		{"norm_r", {"2*e1^e2"}, "4"},
		{"normalize", {"3*e1"}, "1*e1"},
		{"normalize", {"0"}, "0"},
		{"abs", {"-2 + e1"}, "2"},
		{"sqrt", {"2.25"}, "1.5"},
		{"sin", {"e1"}, "0"},
		{"cos", {"e1"}, "1"},
		{"tan", {"0.7853981633974483"}, "1"},
		{"atan", {"1"}, "0.785398"},
		{"asin", {"1"}, "1.5708"},
		{"acos", {"-1"}, "3.14159"},
		{"atan2", {"1", "-1"}, "2.35619"},
		{"cosh", {"1"}, "1.54308"},
		{"sinh", {"1"}, "1.1752"},
		{"sinc", {"0"}, "1"},
		{"sinc", {"e1"}, "1"},
		{"sinc", {"1.5707963267948966"}, "0.63662"},
		{"log", {"2.718281828459045"}, "1"},
		{"log", {"0"}, "0"},
		{"log", {"e1"}, "0"},
		{"log", {"-1"}, "3.14159*e1^e2"},
		{"log", {"-2.718281828459045"}, "1 + 3.14159*e1^e2"},
		{"scalar_pow", {"2 + e1", "0.5"}, "1.41421"},
	});
}

TYPED_TEST(Grades, ComparisonsAndLogic)
{
	this->template checkRows<TypeParam>({
		{"equal", {"e1", "e1"}, "1"},
		// the square of 1e-300 underflows: exactly equal
		{"equal", {"e1", "e1 + 1e-300*e2"}, "1"},
		{"equal", {"e1", "e1 + 1e-100*e2"}, "0"},
		{"ne", {"e1", "e1 + 1e-100*e2"}, "1"},
		{"ne", {"e1^e2", "e1^e2"}, "0"},
		{"less", {"e1", "1"}, "1"},
		{"less", {"2 + e1", "2"}, "0"},
		{"greater", {"3", "2 + e1^e2"}, "1"},
		{"greater", {"2", "2"}, "0"},
		{"le", {"2 + e1", "2"}, "1"},
		{"le", {"3", "2"}, "0"},
		{"ge", {"2", "2 + e1"}, "1"},
		{"ge", {"1", "2"}, "0"},
		{"and", {"e1", "1"}, "1"},
		{"and", {"e1", "0"}, "0"},
		{"or", {"0", "0"}, "0"},
		{"or", {"0", "e1^e2"}, "1"},
		{"not", {"e1"}, "0"},
		{"not", {"0"}, "1"},
	});
}

// A number is a scalar of the row's model even when it is 0.0.
TYPED_TEST(Grades, ZeroNumbersKeepTheirScalar)
{
	for (const char *name : {"scalar", "sin", "less", "not"}) {
		std::vector<consoleVariable *> args = {value<TypeParam>("e1")};
		if (std::string(name) == "less") args.push_back(value<TypeParam>("0"));
		result r = this->call(name, args);
		EXPECT_EQ(cf::value<TypeParam>(r.get()).gradeUsage(), 1) << name;
		EXPECT_EQ(r->scalar(), 0.0) << name;
	}
}

TEST_F(builtins, NormsOfNullVectors)
{
	// the sign of the reverse norm carries over: (sqrt 2 (no + ni))^2 = -4
	EXPECT_EQ(calc<c3ga>("norm", {"1.4142135623730951*no + 1.4142135623730951*ni"}), "-2");
	EXPECT_EQ(calc<c3ga>("normalize", {"no"}), "0");
	EXPECT_EQ(calc<i2ga>("normalize", {"ni"}), "0");
	// (no - ni)^2 = 2
	EXPECT_EQ(calc<c3ga>("normalize", {"2*no - 2*ni"}), "0.707107*no + -0.707107*ni");
}
