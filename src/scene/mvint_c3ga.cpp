// c3ga: free flats, bound flats and their duals, tangents and rounds, told
// apart by the outer and inner products of a blade with ni.
#include <cmath>

#include "scene/mvint_generic.h"

// Relative epsilon with which c3ga values are told apart as blades.
constexpr double sc_c3gaTypeEpsilon = 1e-6;
// Squared norms of ni ^ X and ni _| X, and a square of X, below this count as 0.
constexpr double sc_c3gaZero = 1e-6;
// A round whose carrier flat ni ^ X squares to less than this in magnitude
// has no centre or radius to divide out.
constexpr double sc_minimumCarrierSquare = 1e-12;

// Coordinates of a vector: e1, e2, e3, no, ni.
constexpr int sc_vectorNo = 3;
// Coordinates of a bivector: e1^ni, e2^ni, e3^ni start here, no^ni follows.
constexpr int sc_bivectorE1ni = 6;
constexpr int sc_bivectorNoni = 9;

namespace {

const c3ga &noni()
{
	static const c3ga b = op(c3gai::no, c3gai::ni);
	return b;
}

const c3ga &nino()
{
	static const c3ga b = op(c3gai::ni, c3gai::no);
	return b;
}

const c3ga &e123ni()
{
	static const c3ga b = op(mvi::euclideanPseudoscalar<c3ga>(), c3gai::ni);
	return b;
}

// c / the divisor, unless the divisor is 0: then c is left as it is.
void divideVec3(double *d, const double *c, double divisor)
{
	if (divisor != 0.0) mvi::scaleVec3(d, c, 1.0 / divisor);
}

// The Euclidean point of a position vector M: its e1, e2, e3 over its no.
void pointOf(double *d, const c3ga &M)
{
	const double *m = M.coordinates(2);
	divideVec3(d, m, m[sc_vectorNo]);
}

double signedRoot(double x) { return x < 0.0 ? -std::sqrt(-x) : std::sqrt(x); }

// Whether a family has blades of this grade (first to last); when not, the
// interpretation is not valid and says so.
bool gradeExists(mvInt &I, int grade, int first, int last, const char *function, const char *family)
{
	I.m_valid = grade >= first && grade <= last ? 1 : 0;
	if (!I.m_valid) cprintf("mvInt::%s(): grade %d %s do not exist\n", function, grade, family);
	return I.m_valid == 1;
}

} // namespace

mvInt::mvInt(const c3ga &mv, int creationFlags) { mvi::freshReading(*this, MVI_MODEL_C3GA, mv, creationFlags); }

int mvInt::interpret(const c3ga &X, int creationFlags)
{
	initToNothing();
	m_type = MVI_MODEL_C3GA;
	int grade = 0;
	if (!mvi::readAsBlade(*this, X, creationFlags, sc_c3gaTypeEpsilon, grade)) return 0;
	const c3ga &ni = c3gai::ni;
	c3ga niX = op(ni, X);
	bool outer = niX.norm_a() >= sc_c3gaZero;
	bool inner = lcont(ni, X).norm_a() >= sc_c3gaZero;
	// free flat: ni ^ X = 0 and ni _| X = 0
	if (!outer && !inner) {
		c3ga D = negate(rcont(X, c3gai::no));
		return c3gaFreeFlat(X, grade, D, lcont(D, D).scalar());
	}
	// bound flat: ni ^ X = 0
	if (!outer) {
		c3ga D = lcont(noni(), X);
		c3ga M = lcont(D, X.inverse());
		return c3gaBoundFlat(X, grade, D, M, lcont(D, D).scalar());
	}
	// dual flat: ni _| X = 0; read as the flat of its dual
	if (!inner) {
		c3ga dual = X.dual();
		c3ga D = lcont(nino(), dual);
		c3ga M = lcont(X.inverse(), op(noni(), X));
		m_type ^= MVI_DUAL;
		return c3gaBoundFlat(dual, c3gai::dim - grade, D, M, lcont(D, D).scalar());
	}
	c3ga D = lcont(nino(), niX);
	// tangent: X squares to 0 (the scalar of X X is X * X's, bit for bit)
	if (std::fabs(scp(X, X).scalar()) < sc_c3gaZero) {
		c3ga M = lcont(rcont(X, ni).inverse(), X);
		return c3gaBoundTangent(X, grade, D, M, lcont(D, D).scalar());
	}
	// round: centre X ni X / 2q and squared radius +-(X _| X) / q, q = (ni ^ X)^2
	double q = scp(niX, niX).scalar();
	if (std::fabs(q) < sc_minimumCarrierSquare) {
		m_valid = 0;
		return 0;
	}
	// only the vector part of the centre is read
	c3ga M = gp(1.0 / (2.0 * q), gpVectorPart(gp(X, ni), X));
	double sigma = (grade & 1) ? -1.0 : 1.0;
	return c3gaRound(X, grade, D, M, sigma * lcont(X, X).scalar() / q);
}

void mvInt::c3gaFlatLocation(const c3ga &M)
{
	const double *m = M.coordinates(4);
	divideVec3(m_point[0], m + sc_bivectorE1ni, m[sc_bivectorNoni]);
}

int mvInt::c3gaFreeFlat(const c3ga &, int grade, const c3ga &attitude, double weight2)
{
	if (!gradeExists(*this, grade, 1, 4, "c3gaFreeFlat", "free flats")) return 0;
	// free scalar, vector, bivector and trivector follow each other as kinds
	setKind(MVI_FREE_SCALAR + grade - 1);
	mvi::fillAttitude(*this, attitude, grade - 1, weight2, 1.0);
	return 0;
}

int mvInt::c3gaBoundFlat(const c3ga &X, int grade, const c3ga &attitude, const c3ga &pos, double weight2)
{
	c3gaFlatLocation(pos);
	if (grade == c3gai::dim) {
		// the dual of a scalar: read back as that scalar, with the dual bit
		// cleared again; the pseudoscalar reads as a scalar with the dual bit.
		// Undoing the dual of a scalar negates the dual, since Ii Ii = -1.
		double undo = (m_type & MVI_DUAL) ? -1.0 : 1.0;
		m_valid = 1;
		m_type ^= MVI_DUAL;
		setKind(MVI_SCALAR);
		m_scalar[0] = undo * X.dual().scalar();
		return 0;
	}
	if (!gradeExists(*this, grade, 2, 4, "c3gaBoundFlat", "bound flats")) return 0;
	// flat point, line and plane follow each other as kinds
	setKind(MVI_FLAT_POINT + grade - 2);
	// a line's attitude points against its direction
	mvi::fillAttitude(*this, attitude, grade - 2, weight2, grade == 3 ? -1.0 : 1.0);
	if (grade == 2) m_scalar[0] = std::sqrt(std::fabs(weight2));
	return 0;
}

int mvInt::c3gaBoundTangent(const c3ga &, int grade, const c3ga &attitude, const c3ga &pos, double weight2)
{
	pointOf(m_point[0], pos);
	if (!gradeExists(*this, grade, 1, 4, "c3gaBoundTangent", "bound tangents")) return 0;
	// point, tangent vector, bivector and trivector follow each other as kinds
	setKind(MVI_POINT + grade - 1);
	mvi::fillAttitude(*this, attitude, grade - 1, weight2, 1.0);
	if (grade == 1) m_scalar[0] = std::sqrt(std::fabs(weight2));
	return 0;
}

int mvInt::c3gaRound(const c3ga &X, int grade, const c3ga &attitude, const c3ga &pos, double radius2)
{
	// a dual sphere is read as the sphere of its dual
	if (grade == 1) {
		m_type ^= MVI_DUAL;
		return c3gaRound(c3ga(negate(X.dual())), 4, c3ga(negate(attitude.dual())), c3ga(negate(pos)), -radius2);
	}
	// an imaginary round (negative squared radius) has a negative radius
	m_scalar[0] = signedRoot(radius2);
	// the weight: no _| (-1/2 ni X ni), by its signed squared norm
	c3ga T = gp(gp(gp(-0.5, c3gai::ni), X), c3gai::ni);
	m_scalar[1] = signedRoot(lcont(c3gai::no, T).norm_b());
	pointOf(m_point[0], pos);
	if (gradeExists(*this, grade, 2, 4, "c3gaRound", "rounds")) c3gaRoundByGrade(X, grade, attitude, radius2);
	return 0;
}

void mvInt::c3gaRoundByGrade(const c3ga &X, int grade, const c3ga &attitude, double radius2)
{
	switch (grade) {
	case 2: {
		setKind(MVI_POINT_PAIR);
		// v: from one point to the other, 2 |radius| along the attitude
		double u[3];
		mvi::euclideanOf(attitude.normal(1), u);
		double *v = m_vector[1];
		mvi::scaleVec3(v, u, 2.0 * std::fabs(m_scalar[0]));
		for (int i = 0; i < 3; i++) {
			m_point[1][i] = m_point[0][i] - 0.5 * v[i];
			m_vector[0][i] = m_point[0][i] + 0.5 * v[i];
		}
		break;
	}
	case 3: {
		setKind(MVI_CIRCLE);
		// a circle of radius 0 keeps the attitude it has
		double r = std::sqrt(std::fabs(radius2));
		c3ga B = r == 0.0 ? attitude : c3ga(gp(1.0 / r, attitude));
		mvi::factorBivector(B, m_vector[0], m_vector[1], m_vector[2]);
		break;
	}
	default:
		setKind(MVI_SPHERE);
		m_scalar[1] = -lcont(X, e123ni()).scalar();
		break;
	}
}

int mvInt::c3gaFactorBivector(const c3ga &B, double *normal, double *factor1, double *factor2)
{
	return mvi::factorBivector(B, normal, factor1, factor2);
}
