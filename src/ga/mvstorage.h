#pragma once
// Ways a multivector keeps its coordinates: a block from a per-size pool
// (e3ga, p3ga, c3ga), an array inside the object (i2ga), or such an array
// left unset for the intermediate values of a computation.  All expose the
// usage word `usage`, the coordinates `c` and `setUsage`.
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "ga/coordinates.h"

// Under the address sanitizer the pool fences its blocks (see poolGuard).
#if defined(__SANITIZE_ADDRESS__)
#define GA_POOL_GUARDS 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define GA_POOL_GUARDS 1
#endif
#endif
#ifdef GA_POOL_GUARDS
#include <sanitizer/asan_interface.h>
#endif

namespace ga {

// Blocks are handed out in runs of this many, so that a new size costs one
// allocation per 128 live values instead of one per value.
constexpr int sc_poolRunLength = 128;

// The blocks of a run are one allocation, so the sanitizer alone would take
// a write past a block for a write into its neighbour.  Under it each block
// is followed by a guard of this many doubles, and guards and free blocks
// are poisoned: an overrun or a use of a released block is reported at once.
#ifdef GA_POOL_GUARDS
constexpr int sc_poolGuard = 1;
inline void poisonCoordinates(double *p, int n) { ASAN_POISON_MEMORY_REGION(p, sizeof(double) * (size_t)n); }
inline void unpoisonCoordinates(double *p, int n) { ASAN_UNPOISON_MEMORY_REGION(p, sizeof(double) * (size_t)n); }
#else
constexpr int sc_poolGuard = 0;
inline void poisonCoordinates(double *, int) {}
inline void unpoisonCoordinates(double *, int) {}
#endif

// Distance in doubles from one block of n coordinates to the next in its run.
constexpr int poolStride(int n) { return n + sc_poolGuard; }

// Ends the program when the pool cannot grow: a null block would be written
// through at once, so going on is never an option.
[[noreturn]] inline void poolAllocationFailure(const char *algebra, size_t bytes)
{
	std::printf("%s: coordinate pool: memory allocation failure for %lu bytes\n", algebra,
	            (unsigned long)bytes);
	std::fflush(stdout);
	std::fprintf(stderr, "%s: coordinate pool: memory allocation failure for %lu bytes\n",
	             algebra, (unsigned long)bytes);
	std::abort();
}

template <class Def> class poolStorage {
public:
	int usage; // grade bitmap in the low bits, coordinate count above it
	double *c; // the stored coordinates, packed by grade
	// a new usage word may move the coordinates to another block
	static constexpr bool fixedRoom = false;

protected:
	poolStorage() : usage(0), c(nullptr) {}
	// A copy starts empty; the derived class copies the coordinates into a block of its own.
	poolStorage(const poolStorage &) : usage(0), c(nullptr) {}
	poolStorage &operator=(const poolStorage &) = delete;
	~poolStorage() = default;

	// Resizes the storage to the usage word u; coordinates are the caller's to write.
	void setUsage(int u)
	{
		int oldCount = usage >> Def::countShift;
		usage = u;
		if ((u >> Def::countShift) != oldCount) changeBlock(oldCount);
	}

	// Puts the block of oldCount coordinates back and takes one of the count the usage word now holds.
	void changeBlock(int oldCount)
	{
		int newCount = usage >> Def::countShift;
		if (oldCount > 0) releaseBlock(c, oldCount);
		if (newCount > 0) c = acquireBlock(newCount);
	}

	// As setUsage, but the coordinates stay: the new block starts with the
	// old one's first coordinates, as many as both hold.
	void setUsageKeeping(int u)
	{
		int newCount = u >> Def::countShift;
		int oldCount = usage >> Def::countShift;
		if (newCount == oldCount || oldCount == 0 || newCount == 0) {
			setUsage(u);
			return;
		}
		double *old = c;
		c = acquireBlock(newCount);
		copyCoordinates(c, old, newCount < oldCount ? newCount : oldCount);
		releaseBlock(old, oldCount);
		usage = u;
	}

	static double *acquireBlock(int n)
	{
		if (nbBlocksAvailable[n] == 0) addBlocks(n);
		double *p = blocks[n][--nbBlocksAvailable[n]];
		unpoisonCoordinates(p, n);
		return p;
	}

	static void releaseBlock(double *p, int n)
	{
		if (nbBlocksAvailable[n] == maxBlocksAvailable[n]) doubleMaxBlocks(n);
		poisonCoordinates(p, n);
		blocks[n][nbBlocksAvailable[n]++] = p;
	}

	static void doubleMaxBlocks(int n)
	{
		int cap = maxBlocksAvailable[n] ? 2 * maxBlocksAvailable[n] : 2;
		void *p = std::realloc(blocks[n], sizeof(double *) * (size_t)cap);
		if (p == nullptr) poolAllocationFailure(Def::name, sizeof(double *) * (size_t)cap);
		blocks[n] = static_cast<double **>(p);
		maxBlocksAvailable[n] = cap;
	}

	static void addBlocks(int n)
	{
		const size_t length = (size_t)poolStride(n) * sc_poolRunLength;
		double *run = static_cast<double *>(std::calloc(length, sizeof(double)));
		if (run == nullptr) poolAllocationFailure(Def::name, sizeof(double) * length);
		// the whole run starts free: blocks and guards alike
		poisonCoordinates(run, (int)length);
		while (maxBlocksAvailable[n] < nbBlocksAvailable[n] + sc_poolRunLength) doubleMaxBlocks(n);
		for (int i = 0; i < sc_poolRunLength; i++) blocks[n][nbBlocksAvailable[n]++] = run + i * poolStride(n);
	}

	// The pool, per coordinate count (entry 0 unused); plain arrays so that
	// they are zero before any constructor of any unit runs.
	static double **blocks[Def::nbCoor + 1];
	static int nbBlocksAvailable[Def::nbCoor + 1];
	static int maxBlocksAvailable[Def::nbCoor + 1];
};

template <class Def> double **poolStorage<Def>::blocks[Def::nbCoor + 1];
template <class Def> int poolStorage<Def>::nbBlocksAvailable[Def::nbCoor + 1];
template <class Def> int poolStorage<Def>::maxBlocksAvailable[Def::nbCoor + 1];

// Cleared: the coordinates start at 0.0; else they start unset, for values
// that live inside one computation, where every coordinate is written before
// it is read.
template <class Def, bool Cleared = true> class inplaceStorage {
public:
	int usage;
	double c[Def::nbCoor];
	// room for every coordinate, whatever the usage word
	static constexpr bool fixedRoom = true;

protected:
	inplaceStorage() : usage(0)
	{
		if constexpr (Cleared) clearCoordinates(c, Def::nbCoor);
	}
	inplaceStorage(const inplaceStorage &) : usage(0) {}
	inplaceStorage &operator=(const inplaceStorage &) = delete;
	~inplaceStorage() = default;

	// Nothing to allocate: the word is all that changes.
	void setUsage(int u) { usage = u; }
	void setUsageKeeping(int u) { usage = u; }
};

template <class Def> using scratchStorage = inplaceStorage<Def, false>;

} // namespace ga
