#include "scene/mvint.h"

#include <cstring>

#include "i2ga/i2ga.h"
#include "scene/mvint_generic.h"

namespace {

// Room for the coordinates of a value whose reading is kept: c3ga, the
// largest of the models that have readings worth keeping, has 32.
constexpr int sc_sharedCoordinates = c3ga::nbCoor;

// The reading kept while an mvIntSharing is alive, and what it was made of.
struct sharedReading {
	int sharers = 0; // the mvIntSharing alive, nested
	bool held = false;
	int model = 0, usage = 0, creationFlags = 0;
	double coordinates[sc_sharedCoordinates];
	mvInt reading;
};
sharedReading s_shared;

// The classification kept while an mvIntSharing is alive, and its value.
struct sharedType {
	bool held = false;
	int model = 0, usage = 0, type = 0, grade = 0;
	double epsilon = 0.0;
	double coordinates[sc_sharedCoordinates];
};
sharedType s_sharedType;

// Whether the value of that model, usage word and count of coordinates c is
// the one whose coordinates are kept (bit for bit: equal numbers such as
// 0.0 and -0.0 may still classify and read otherwise).
bool sameValue(int keptModel, int keptUsage, const double *kept, int model, int usage, const double *c, int count)
{
	if (keptModel != model || keptUsage != usage) return false;
	return count <= 0 || std::memcmp(kept, c, sizeof(double) * (size_t)count) == 0;
}

// The algebra of a value, as the shared values tell them apart.
int modelOf(const e3ga &) { return MVI_MODEL_E3GA; }
int modelOf(const p3ga &) { return MVI_MODEL_P3GA; }
int modelOf(const c3ga &) { return MVI_MODEL_C3GA; }
int modelOf(const i2ga &) { return MVI_MODEL_I2GA; }

template <class V> int classifyShared(const V &X, int *grade, double epsilon)
{
	sharedType &s = s_sharedType;
	const int model = modelOf(X), count = X.memUsage();
	if (s.held && s.epsilon == epsilon && sameValue(s.model, s.usage, s.coordinates, model, X.usage, X.c, count)) {
		if (grade) *grade = s.grade;
		return s.type;
	}
	int g = 0;
	const int type = X.mvType(&g, epsilon);
	if (grade) *grade = g;
	if (s_shared.sharers > 0 && count <= sc_sharedCoordinates) {
		s.held = true;
		s.model = model;
		s.usage = X.usage;
		s.type = type;
		s.grade = g;
		s.epsilon = epsilon;
		if (count > 0) std::memcpy(s.coordinates, X.c, sizeof(double) * (size_t)count);
	}
	return type;
}

} // namespace

mvIntSharing::mvIntSharing() { s_shared.sharers++; }

mvIntSharing::~mvIntSharing()
{
	if (--s_shared.sharers > 0) return;
	forget();
	s_sharedType.held = false;
}

void mvIntSharing::forget() { s_shared.held = false; }

int mvIntSharing::classify(const e3ga &X, int *grade, double epsilon) { return classifyShared(X, grade, epsilon); }
int mvIntSharing::classify(const p3ga &X, int *grade, double epsilon) { return classifyShared(X, grade, epsilon); }
int mvIntSharing::classify(const c3ga &X, int *grade, double epsilon) { return classifyShared(X, grade, epsilon); }
int mvIntSharing::classify(const i2ga &X, int *grade, double epsilon) { return classifyShared(X, grade, epsilon); }

bool mvi::takeSharedReading(mvInt &I, int model, int usage, const double *c, int count, int creationFlags)
{
	const sharedReading &s = s_shared;
	if (!s.held || s.creationFlags != creationFlags || !sameValue(s.model, s.usage, s.coordinates, model, usage, c, count))
		return false;
	I = s.reading;
	return true;
}

void mvi::keepSharedReading(const mvInt &I, int model, int usage, const double *c, int count, int creationFlags)
{
	sharedReading &s = s_shared;
	if (s.sharers == 0 || !I.m_valid || count > sc_sharedCoordinates) return;
	s.held = true;
	s.model = model;
	s.usage = usage;
	s.creationFlags = creationFlags;
	if (count > 0) std::memcpy(s.coordinates, c, sizeof(double) * (size_t)count);
	s.reading = I;
}

mvInt::mvInt(const mvInt *I)
{
	initToNothing();
	copy(I);
}

void mvInt::initToNothing()
{
	m_type = 0;
	std::memset(m_point, 0, sizeof(m_point));
	std::memset(m_vector, 0, sizeof(m_vector));
	std::memset(m_scalar, 0, sizeof(m_scalar));
	m_valid = 0;
	m_creationFlags = 0;
}

int mvInt::copy(const mvInt *I)
{
	if (I == nullptr) return -1;
	m_type = I->m_type;
	std::memcpy(m_point, I->m_point, sizeof(m_point));
	std::memcpy(m_vector, I->m_vector, sizeof(m_vector));
	std::memcpy(m_scalar, I->m_scalar, sizeof(m_scalar));
	return 0;
}
