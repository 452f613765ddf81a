// The geometric utilities: matrix-vector products in OpenGL's layout, the
// rotor turning e3 onto a direction, the logarithm of a rotor and the
// rotation matrix of a rotor.
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>

#include "draw/geomutil.h"
#include "support/testvalues.h"

namespace {

constexpr double kTol = 1e-12;

TEST(GeomUtil, MatrixVectorProductReadsColumns)
{
	// column j holds m[4j .. 4j+3]
	double m[16], v[4] = {1, 2, 3, 4}, r[4];
	for (int i = 0; i < 16; i++) m[i] = i;
	GLmatrixVectorMul(m, v, r);
	for (int i = 0; i < 4; i++) EXPECT_DOUBLE_EQ(r[i], 1 * i + 2 * (i + 4) + 3 * (i + 8) + 4 * (i + 12));
}

template <class V> void expectTurnsE3Onto(const V &v)
{
	typedef typename V::implClass I;
	V R;
	EXPECT_EQ(rotorTurningE3Onto(R, v), 0);
	V image = gp(gp(R, I::e3), R.inverse());
	EXPECT_NEAR(sub(image, v.normal(1)).norm_a(), 0.0, kTol) << v.string();
}

TEST(GeomUtil, RotorTurningE3OntoADirection)
{
	e3ga R;
	e3gaRve3(R, e3ga(e3gai::e3));
	EXPECT_TRUE(R.gradeUsage() == 1 && R.scalar() == 2.0) << R.string();
	e3gaRve3(R, gp(-2.0, e3gai::e3));
	EXPECT_EQ(sub(R, op(e3gai::e3, e3gai::e1)).norm_a(), 0.0) << R.string();
	std::mt19937 rng(5);
	for (int i = 0; i < 10; i++) {
		expectTurnsE3Onto(ref::randomVector<e3ga>(rng));
		double c[3] = {ref::randomCoordinate(rng), ref::randomCoordinate(rng), ref::randomCoordinate(rng)};
		expectTurnsE3Onto(p3ga(2, c[0], c[1], c[2], 0.0));
		expectTurnsE3Onto(c3ga(2, c[0], c[1], c[2], 0.0, 0.0));
	}
	// the named forms of the other two models are the same rotor
	p3ga P;
	c3ga C;
	p3gaRve3(P, p3ga(p3gai::e1));
	c3gaRve3(C, c3ga(c3gai::e1));
	EXPECT_EQ(std::string(P.string()), "1.00 + -1.00*e3^e1");
	EXPECT_EQ(std::string(C.string()), "1.00 + 1.00*e1^e3");
}

TEST(GeomUtil, LogarithmOfARotor)
{
	e3ga B;
	rotor2Bivector(B, e3ga(1.0));
	EXPECT_EQ(B.norm_a(), 0.0);
	rotor2Bivector(B, e3ga());
	EXPECT_EQ(B.norm_a(), 0.0);
	// cos(phi) + sin(phi) B' gives phi B', also scaled
	e3ga unit = gp(std::sqrt(0.5), add(op(e3gai::e1, e3gai::e2), op(e3gai::e2, e3gai::e3)));
	for (double phi : {0.1, 1.5, 3.0}) {
		rotor2Bivector(B, gp(3.0, add(std::cos(phi), gp(std::sin(phi), unit))));
		EXPECT_NEAR(sub(B, gp(phi, unit)).norm_a(), 0.0, kTol) << phi;
	}
	// exp undoes it for random rotors
	std::mt19937 rng(9);
	for (int i = 0; i < 10; i++) {
		e3ga R = gp(ref::randomVector<e3ga>(rng), ref::randomVector<e3ga>(rng));
		rotor2Bivector(B, R);
		EXPECT_NEAR(sub(B.exp(30), R.normal(1)).norm_a(), 0.0, 1e-10);
	}
}

TEST(GeomUtil, RotationMatrixOfARotorActsAsTheRotor)
{
	float M[16];
	e3gaRotorToOpenGLMatrix(e3ga(1.0), M);
	for (int i = 0; i < 16; i++) EXPECT_EQ(M[i], i % 5 == 0 ? 1.0f : 0.0f) << i;
	std::mt19937 rng(3);
	for (int i = 0; i < 10; i++) {
		e3ga R = gp(ref::randomVector<e3ga>(rng), ref::randomVector<e3ga>(rng));
		e3ga v = ref::randomVector<e3ga>(rng);
		e3gaRotorToOpenGLMatrix(R, M);
		double m[16], x[4] = {v.coordinates(2)[0], v.coordinates(2)[1], v.coordinates(2)[2], 1.0}, r[4];
		for (int k = 0; k < 16; k++) m[k] = M[k];
		GLmatrixVectorMul(m, x, r);
		const double *image = gp(gp(R, v), R.inverse()).coordinates(2);
		for (int k = 0; k < 3; k++) EXPECT_NEAR(r[k], image[k], 1e-6);
		EXPECT_EQ(r[3], 1.0);
	}
}

} // namespace
