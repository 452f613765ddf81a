#include "files/cameraorientation.h"

#include <cmath>

namespace {

// Grade-usage bitmap of the bivector part.
constexpr int GRADE2 = 0x4;

} // namespace

e3ga cameraRotorOfBivector(const e3ga &B) { return cameraRotorOfTurn(B, 1.0); }

e3ga cameraRotorOfTurn(const e3ga &B, double t)
{
	// a Euclidean bivector squares to minus its squared norm:
	// exp(-t B) = cos(t |B|) - sin(t |B|) B / |B|
	const e3ga b = B.grade(GRADE2);
	const double size = std::sqrt(b.norm_a());
	if (t == 0.0 || size == 0.0) return e3ga(1.0);
	const double angle = t * size;
	return sub(std::cos(angle), gp(std::sin(angle) / size, b));
}

e3ga cameraBivectorOfRotor(const e3ga &R)
{
	const e3ga U = R.normal(1);
	const e3ga b = U.grade(GRADE2);
	const double sine = std::sqrt(b.norm_a());
	if (sine == 0.0) return e3ga(0.0);
	// U = cos a + sin a b / |b| = exp(-B) for B = -a b / |b|
	return gp(-std::atan2(sine, U.scalar()) / sine, b);
}
