#pragma once
// mvInt: what geometric object a multivector is, and the numbers it is
// drawn and described from (a location, directions, factor vectors, a
// weight, a radius or an angle).  One classifier per algebra; scene objects
// hold one interpretation of their value and renew it when the value
// changes.

class e3ga;
class p3ga;
class c3ga;
class i2ga;

// --- the type word -------------------------------------------------------------

// Model codes, in bits 13 to 15; the same codes as the console's models.
constexpr int MVI_MODEL_E3GA = 0x2000;
constexpr int MVI_MODEL_P3GA = 0x4000;
constexpr int MVI_MODEL_C3GA = 0x6000;
constexpr int MVI_MODEL_I2GA = 0x8000;
constexpr int MVI_MODEL_MASK = 0xe000;

// The kind was found on the dual of the value.
constexpr int MVI_DUAL = 0x800;
// Family bits, part of every kind code below.
constexpr int MVI_VERSOR = 0x200;
constexpr int MVI_BLADE = 0x100;
// What users switch on: the kind with its family bits, without the dual bit.
constexpr int MVI_KIND_MASK = 0x7ff;

// Kind codes (type word & MVI_KIND_MASK).
constexpr int MVI_ZERO = 0x100;
constexpr int MVI_SCALAR = 0x108;
constexpr int MVI_VECTOR = 0x109;
constexpr int MVI_BIVECTOR = 0x10A;
constexpr int MVI_TRIVECTOR = 0x10B;
constexpr int MVI_FREE_SCALAR = 0x110;
constexpr int MVI_FREE_VECTOR = 0x111;
constexpr int MVI_FREE_BIVECTOR = 0x112;
constexpr int MVI_FREE_TRIVECTOR = 0x113;
constexpr int MVI_POINT = 0x120;
constexpr int MVI_TANGENT_VECTOR = 0x121;
constexpr int MVI_TANGENT_BIVECTOR = 0x122;
constexpr int MVI_TANGENT_TRIVECTOR = 0x123;
constexpr int MVI_FLAT_POINT = 0x142;
constexpr int MVI_LINE = 0x143;
constexpr int MVI_PLANE = 0x144;
// A homogeneous 4-blade of p3ga: all of space, located at the origin.
constexpr int MVI_SPACE = 0x145;
constexpr int MVI_POINT_PAIR = 0x182;
constexpr int MVI_CIRCLE = 0x183;
constexpr int MVI_SPHERE = 0x184;
constexpr int MVI_ROTOR = 0x200;
constexpr int MVI_ODD_VERSOR = 0x201;

// While one is alive, a new interpretation (made by a constructor) of a
// value already read with the same creation flags is a copy of that
// reading, so that an assignment reads its value once for the automatic
// colouring and for the scene object.  Only valid readings are kept: a
// reading that failed may have said why, and says it again.  Likewise the
// last classification (mvType) is kept, which the grade of the colouring
// repeats where the model classifies with the same epsilon.  They nest;
// what is kept is forgotten when the outermost one ends, and the reading
// also when the stored factors, which orient what a reading factors, change.
class mvIntSharing {
public:
	mvIntSharing();
	~mvIntSharing();
	mvIntSharing(const mvIntSharing &) = delete;
	mvIntSharing &operator=(const mvIntSharing &) = delete;
	static void forget();
	// X.mvType(grade, epsilon), the one kept when it is of the same value
	// and epsilon.
	static int classify(const e3ga &X, int *grade, double epsilon);
	static int classify(const p3ga &X, int *grade, double epsilon);
	static int classify(const c3ga &X, int *grade, double epsilon);
	static int classify(const i2ga &X, int *grade, double epsilon);
};

class mvInt {
public:
	mvInt() { initToNothing(); }
	mvInt(const e3ga &mv, int creationFlags);
	mvInt(const p3ga &mv, int creationFlags);
	mvInt(const c3ga &mv, int creationFlags);
	mvInt(const i2ga &mv, int creationFlags);
	// A copy of the geometry of I; not valid until interpreted (see copy).
	explicit mvInt(const mvInt *I);
	~mvInt() { initToNothing(); }

	// Every field 0: no type, not valid, no creation flags.
	void initToNothing();
	// Takes the points, vectors, scalars and type word of I; the validity and
	// creation flags stay as they are.  -1 for a null I.
	int copy(const mvInt *I);

	// Classify X and fill the fields for its kind; each returns 0.
	// e3ga keeps the fields its kind does not set, and remembers non-zero
	// creation flags for later calls with 0; the others start from nothing.
	int interpret(const e3ga &X, int creationFlags);
	int interpret(const p3ga &X, int creationFlags);
	int interpret(const c3ga &X, int creationFlags);
	// Valid, with no geometric kind: two stores, made where they are asked for.
	int interpret(const i2ga &, int)
	{
		m_valid = 1;
		m_type = MVI_MODEL_I2GA;
		return 0;
	}

	// p3ga blades with an e0 part (points, lines, planes, space) and without
	// one (Euclidean scalars to trivectors): ori is the attitude, pos the
	// position part, size2 the squared weight.
	int p3gaHomogeneousSubspace(const p3ga &X, int grade, const p3ga &ori, const p3ga &pos, double size2);
	int p3gaEuclideanSubspace(const p3ga &X, int grade, const p3ga &ori, double size2);

	// c3ga families: attitude, position part, and the squared weight (for
	// rounds the signed squared radius).
	int c3gaFreeFlat(const c3ga &X, int grade, const c3ga &attitude, double weight2);
	int c3gaBoundFlat(const c3ga &X, int grade, const c3ga &attitude, const c3ga &pos, double weight2);
	int c3gaBoundTangent(const c3ga &X, int grade, const c3ga &attitude, const c3ga &pos, double weight2);
	int c3gaRound(const c3ga &X, int grade, const c3ga &attitude, const c3ga &pos, double radius2);

	// The unit normal and two factor vectors (three doubles each) of a
	// Euclidean 2-blade B, whose outer product is B; a null factor is skipped.
	static int p3gaFactorBivector(const p3ga &B, double *normal, double *factor1, double *factor2);
	static int c3gaFactorBivector(const c3ga &B, double *normal, double *factor1, double *factor2);

	int m_type;              // model code | MVI_DUAL | kind
	double m_point[2][3];    // up to two points
	double m_vector[4][3];   // [0] direction or normal, [1] and [2] factors
	double m_scalar[2];      // weight, magnitude, radius or angle by kind
	int m_valid;             // 1 when the value has this interpretation
	int m_creationFlags;     // of the last e3ga interpretation

private:
	void setKind(int kind) { m_type = (m_type & ~MVI_KIND_MASK) | kind; }
	void e3gaBlade(const e3ga &X, int gradeBitmap);
	void e3gaVersor(const e3ga &X);
	// The location of a bound c3ga flat, from its position part M.
	void c3gaFlatLocation(const c3ga &M);
	// The point pair, circle or sphere (grade 2, 3, 4) of a round.
	void c3gaRoundByGrade(const c3ga &X, int grade, const c3ga &attitude, double radius2);
};
