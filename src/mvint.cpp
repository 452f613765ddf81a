#include "mvint.h"

#include <cstring>

#include "mvint_generic.h"

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

} // namespace

mvIntSharing::mvIntSharing() { s_shared.sharers++; }

mvIntSharing::~mvIntSharing()
{
	if (--s_shared.sharers == 0) forget();
}

void mvIntSharing::forget() { s_shared.held = false; }

bool mvi::takeSharedReading(mvInt &I, int model, int usage, const double *c, int count, int creationFlags)
{
	const sharedReading &s = s_shared;
	if (!s.held || s.model != model || s.usage != usage || s.creationFlags != creationFlags) return false;
	// the same bits: a value equal as numbers (0.0 and -0.0) may still read otherwise
	if (count > 0 && std::memcmp(s.coordinates, c, sizeof(double) * (size_t)count) != 0) return false;
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
