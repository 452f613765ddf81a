// Products, duals, inverses, versor products, projection, rejection,
// factors, the exponential and powers, called through their rows.
#include "console/builtincalls.h"

using namespace bt;

namespace {

// A rotor turning e1 into e2: cos(pi/4) - sin(pi/4) e1^e2.
const char *c_rotor = "0.7071067811865476 - 0.7071067811865476*e1^e2";

} // namespace

template <class M> class Products : public modelBuiltins<M> {};
TYPED_TEST_SUITE(Products, models);

// e1 and e2 are orthonormal in every model, so these hold in all four.
TYPED_TEST(Products, AlikeInEveryModel)
{
	this->template checkRows<TypeParam>({
		{"gp", {"e1", "e2"}, "1*e1^e2"},
		{"gp", {"e1", "e1"}, "1"},
		{"igp", {"e1", "2*e1"}, "0.5"},
		{"op", {"e2", "e1"}, "-1*e1^e2"},
		{"op", {"e1", "e1"}, "0"},
		{"hip", {"e1", "e1 + e2"}, "1"},
		{"hip", {"2", "e1"}, "0"},
		{"mhip", {"2", "e1"}, "2*e1"},
		{"lcont", {"e1", "e1^e2"}, "1*e2"},
		{"lcont", {"e1^e2", "e1"}, "0"},
		{"rcont", {"e1^e2", "e2"}, "1*e1"},
		{"scp", {"e1 + e2", "e1"}, "1"},
		{"gpem", {"e1", "e2"}, "1*e1^e2"},
		{"lcem", {"e1", "e1^e2"}, "1*e2"},
		{"cp", {"e1", "e2"}, "1*e1^e2"},
		{"cp", {"e1", "e1^e2"}, "1*e2"},
		{"cp", {"e1^e2", "e1^e2"}, "0"},
		{"add", {"e1", "2"}, "2 + 1*e1"},
		{"sub", {"e1", "e1"}, "0"},
		{"negate", {"e1 - 2"}, "2 + -1*e1"},
		{"reverse", {"1 + e1 + e1^e2"}, "1 + 1*e1 + -1*e1^e2"},
		{"clifford_conjugate", {"1 + e1 + e1^e2"}, "1 + -1*e1 + -1*e1^e2"},
		{"grade_involution", {"1 + e1 + e1^e2"}, "1 + -1*e1 + 1*e1^e2"},
		{"inverse", {"2*e1"}, "0.5*e1"},
		{"inverse", {"e1^e2"}, "-1*e1^e2"},
		{"inverse", {"0"}, "0"},
		{"general_inverse", {"1 + e1^e2"}, "0.5 + -0.5*e1^e2"},
		{"general_inverse", {"1 + e1"}, "0"},
		{"dual", {"e1", "e1^e2"}, "-1*e2"},
		{"exp", {"-0.7853981633974483*e1^e2"}, "0.707107 + -0.707107*e1^e2"},
		{"exp", {"0"}, "1"},
		// versor products: vp and ivp are versor_product and inverse_versor_product
		{"vp", {"e1", "e2"}, "-1*e2"},
		{"versor_product", {"e1", "e2"}, "-1*e2"},
		{"ivp", {"e1", "e2"}, "-1*e2"},
		{"inverse_versor_product", {"e1", "e2"}, "-1*e2"},
		{"vp", {"2*e1", "e1 + e2"}, "1*e1 + -1*e2"},
		{"vp", {c_rotor, "e1"}, "1*e2"},
		{"ivp", {c_rotor, "e1"}, "-1*e2"},
		// an odd versor's product takes the grade involution of b, an even one's does not
		{"mnvp", {"e1", "e2"}, "1*e2"},
		{"mnivp", {"e1", "e2"}, "1*e2"},
		{"mnvp", {c_rotor, "e1"}, "1*e2"},
		{"mnivp", {c_rotor, "e1"}, "-1*e2"},
		{"project", {"e1 + e2", "e1"}, "1*e1"},
		{"project", {"e1 + e2", "2*e1^e2"}, "1*e1 + 1*e2"},
		{"reject", {"e1 + e2", "e1"}, "1*e2"},
	});
}

// Powers round half up and saturate; huge ones cost no more than a few
// dozen products and stay exact.
TYPED_TEST(Products, Powers)
{
	this->template checkRows<TypeParam>({
		{"pow", {"e1 + e2", "2"}, "2"},
		{"pow", {"1 + e1^e2", "2.4"}, "2*e1^e2"},
		{"pow", {"1 + e1^e2", "1.5"}, "2*e1^e2"},
		{"pow", {"1 + e1^e2", "8"}, "16"},
		{"pow", {"2", "10"}, "1024"},
		{"pow", {"e1", "-3"}, "1"},
		{"pow", {"e1", "0"}, "1"},
		{"pow", {"e1", "e2"}, "1"},
		// the largest int, which is odd
		{"pow", {"e1", "1e300"}, "1*e1"},
		{"pow", {"-1", "2147483647"}, "-1"},
		{"pow", {"-1", "-1e300"}, "1"},
	});
}

// Factors counted from 1 and clamped to the slots; 0 beyond the grade and
// for anything but a blade.
TYPED_TEST(Products, Factors)
{
	this->template checkRows<TypeParam>({
		{"factor", {"2*e1^e2", "1"}, "1.41421*e2"},
		{"factor", {"2*e1^e2", "0"}, "1.41421*e2"},
		{"factor", {"2*e1^e2", "-1e300"}, "1.41421*e2"},
		{"factor", {"2*e1^e2", "2.9"}, "-1.41421*e1"},
		{"factor", {"2*e1^e2", "3"}, "0"},
		{"factor", {"2*e1^e2", "1e300"}, "0"},
		{"factor", {"3*e2", "1"}, "3*e2"},
		{"factor", {"2 + e1", "1"}, "0"},
		{"factor", {"3", "1"}, "0"},
	});
}

TEST_F(builtins, ProductsOfOneModel)
{
	checkRows<e3ga>({
		{"dual", {"e1^e2"}, "1*e3"},
		{"dual", {"e1"}, "-1*e2^e3"},
		// join and meet are the algebra's, whose orientation is its own
		{"join", {"e1", "e2"}, "-1*e1^e2"},
		{"meet", {"e1^e2", "e2^e3"}, "-1*e2"},
		{"factor", {"e1^e2^e3", "3"}, "1*e1"},
		{"factor", {"e1^e2^e3", "4"}, "0"},
	});
	// every vector of the six of an i2ga blade can be chosen
	const char *pseudoscalar = "e1^e2^no^ni^go^gi";
	std::string sixth = calc<i2ga>("factor", {pseudoscalar, "6"});
	EXPECT_NE(sixth, "0");
	EXPECT_NE(calc<i2ga>("factor", {pseudoscalar, "5"}), sixth);
	EXPECT_EQ(calc<i2ga>("factor", {pseudoscalar, "7"}), sixth);
	EXPECT_EQ(calc<i2ga>("op", {calc<i2ga>("factor", {"e1^no^gi", "1"}),
	                            calc<i2ga>("op", {calc<i2ga>("factor", {"e1^no^gi", "2"}),
	                                              calc<i2ga>("factor", {"e1^no^gi", "3"})})}),
	          "1*e1^no^gi");
}
