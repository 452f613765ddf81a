#include "console/consolevariable.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <new>

#include "console/consolescope.h"
#include "console/consolestatement.h"
#include "scene/mvint.h"
#include "scene/object.h"
#include "state/state.h"

namespace {

// Tolerance of the classification that decides whether a value is a blade:
// rounding noise of a few products, far below any coordinate a user types.
constexpr double sc_gradeEpsilon = 1e-14;

// Significant digits that let any double read back exactly.
constexpr int sc_maxSignificantDigits = 17;
// Room for a number printed with that many digits, sign and exponent included.
constexpr int sc_numberTextSize = 32;
// A number that a double cannot hold: it reads as infinity.
constexpr const char *sc_infinityText = "1e999";
// The largest power of ten a double holds: twice it is infinity.
constexpr const char *sc_largestPowerText = "1e308";

// Whether the NaN that infinity minus infinity gives here has its sign bit
// set (the processors differ); the value stays out of the compiler's reach.
bool differenceNaNIsNegative()
{
	volatile double infinity = HUGE_VAL;
	return std::signbit(infinity - infinity);
}

// The console's text of c times the basis blade (the scalar when blade is
// empty), as it reads back to exactly c on that blade and nothing on the
// others. A product 1e999*e1 would put NaN (infinity times 0) on e2 and e3:
// an infinite coordinate of a blade is a sum that overflows, and NaN is the
// difference of two infinities, negated when its sign must differ.
std::string termText(double c, const std::string &blade)
{
	const std::string times = blade.empty() ? std::string() : "*" + blade;
	if (std::isfinite(c)) return consoleNumberText(c) + times;
	const std::string largest = sc_largestPowerText + times;
	const std::string infinity = blade.empty() ? sc_infinityText : "(" + largest + " + " + largest + ")";
	if (std::isinf(c)) return c > 0 ? infinity : "-" + infinity;
	static const bool negativeNaN = differenceNaNIsNegative();
	const std::string nan = "(" + infinity + " - " + infinity + ")";
	return std::signbit(c) == negativeNaN ? nan : "-" + nan;
}

// A basis blade of its original name ("e1^e2") as the console reads it
// now: each vector under the name its builtin constant has now, quoted when
// that is no identifier.
std::string bladeText(const char *original)
{
	std::string t, vector;
	for (const char *c = original;; c++) {
		if (*c != '^' && *c != '\0') {
			vector += *c;
			continue;
		}
		if (!t.empty()) t += '^';
		t += consoleStatement::nameText(consoleScope::builtinName(vector));
		vector.clear();
		if (*c == '\0') return t;
	}
}

// The draw mode of a copy that is the user's own: not internal, and shown
// unless hiding was asked for explicitly.
int ownDrawMode(int drawMode, int forceFlags)
{
	const int cleared = (forceFlags & DM_HIDE) ? DM_INTERNAL : DM_INTERNAL | DM_HIDE;
	return drawMode & ~cleared;
}

} // namespace

consoleVariable::consoleVariable(const std::string &name, const e3ga &mv)
{
	initToNothing();
	set(name, &mv);
}

consoleVariable::consoleVariable(const std::string &name, const p3ga &mv)
{
	initToNothing();
	set(name, &mv);
}

consoleVariable::consoleVariable(const std::string &name, const c3ga &mv)
{
	initToNothing();
	set(name, &mv);
}

consoleVariable::consoleVariable(const std::string &name, const i2ga &mv)
{
	initToNothing();
	set(name, &mv);
}

consoleVariable::consoleVariable(const std::string &name, const e3ga *mv)
{
	initToNothing();
	set(name, mv);
}

consoleVariable::consoleVariable(const std::string &name, const p3ga *mv)
{
	initToNothing();
	set(name, mv);
}

consoleVariable::consoleVariable(const std::string &name, const c3ga *mv)
{
	initToNothing();
	set(name, mv);
}

consoleVariable::consoleVariable(const std::string &name, const i2ga *mv)
{
	initToNothing();
	set(name, mv);
}


consoleVariable::consoleVariable(const std::string &name, const consoleVariable *cv)
{
	initToNothing();
	m_name = name.empty() ? cv->m_name : name;
	visitModel(cv->m_model, cv->m_mv, [&](const auto &mv) { setMV(m_name, &mv); });
	m_op = cv->m_op;
	m_flags = cv->m_flags;
	if (!name.empty()) borrowedName(0);
	m_forceFlags = cv->m_forceFlags;
	m_creationFlags = cv->m_creationFlags;
	color4(cv->m_color);
	m_drawMode = ownDrawMode(cv->m_drawMode, cv->m_forceFlags);
}

consoleVariable::consoleVariable(const consoleVariable &cv)
{
	initToNothing();
	set(cv);
}

consoleVariable &consoleVariable::operator=(const consoleVariable &cv)
{
	if (&cv != this) set(cv);
	return *this;
}

consoleVariable::~consoleVariable()
{
	deleteMV();
	initToNothing();
}

int consoleVariable::set(const std::string &name, const e3ga *mv) { return setMV(name, mv); }
int consoleVariable::set(const std::string &name, const p3ga *mv) { return setMV(name, mv); }
int consoleVariable::set(const std::string &name, const c3ga *mv) { return setMV(name, mv); }
int consoleVariable::set(const std::string &name, const i2ga *mv) { return setMV(name, mv); }

template <class V> int consoleVariable::setMV(const std::string &name, const V *mv)
{
	m_name = name;
	// a new value's size follows its weight
	m_drawMode = DM_MAGNITUDE;
	if (g_state != nullptr) color4(g_state->m_fgColor);
	// copied before the old one goes, since mv may be the value held now
	V *copy = new (std::nothrow) V(*mv);
	if (copy == nullptr) return -1;
	deleteMV();
	m_mv = copy;
	m_model = consoleModel<V>::code;
	return 0;
}

int consoleVariable::set(const consoleVariable &cv)
{
	if (&cv == this) return 0;
	m_name = cv.m_name;
	m_op = cv.m_op;
	m_flags = cv.m_flags;
	deleteMV();
	visitModel(cv.m_model, cv.m_mv, [&](const auto &mv) {
		m_mv = new modelValue<decltype(mv)>(mv);
		m_model = cv.m_model;
	});
	m_drawMode = cv.m_drawMode;
	m_forceFlags = cv.m_forceFlags;
	color4(cv.m_color);
	return 0;
}

void consoleVariable::initToNothing()
{
	m_next = nullptr;
	m_mv = nullptr;
	m_model = 0;
	m_op = 0;
	m_flags = 0;
	m_drawMode = 0;
	m_creationFlags = 0;
	m_forceFlags = 0;
	color4(0.0f, 0.0f, 0.0f, 0.0f);
}

void consoleVariable::deleteMV()
{
	visitModel(m_model, m_mv, [](auto &mv) { delete &mv; });
	m_mv = nullptr;
	m_model = 0;
}

// --- fields --------------------------------------------------------------------

int consoleVariable::name(const std::string &name)
{
	m_name = name;
	borrowedName(0);
	return 0;
}

bool consoleVariable::userNamed() const { return !m_name.empty() && !getFlag(sc_borrowedName) && m_name != sc_answerName; }

int consoleVariable::op(int op)
{
	m_op = op;
	return 0;
}

int consoleVariable::drawMode(int drawMode)
{
	m_drawMode = drawMode;
	return 0;
}

int consoleVariable::creationFlags(int creationFlags)
{
	m_creationFlags = creationFlags;
	return 0;
}

int consoleVariable::modifiedColor() { return addForceFlag(FF_COPY_COLORS); }
int consoleVariable::modifiedAlpha() { return addForceFlag(FF_COPY_ALPHAS); }
int consoleVariable::modifiedDrawMethod() { return addForceFlag(FF_COPY_DRAW_METHOD); }
int consoleVariable::modifiedHide() { return addForceFlag(DM_HIDE); }
int consoleVariable::modifiedStipple() { return addForceFlag(DM_STIPPLE); }
int consoleVariable::modifiedOri() { return addForceFlag(DM_ORI); }
int consoleVariable::modifiedWireframe() { return addForceFlag(DM_WIREFRAME); }
int consoleVariable::modifiedOutline() { return addForceFlag(DM_OUTLINE); }
int consoleVariable::modifiedMagnitude() { return addForceFlag(DM_MAGNITUDE); }
int consoleVariable::modifiedShade() { return addForceFlag(DM_SHADE); }

int consoleVariable::addForceFlag(int bit)
{
	m_forceFlags |= bit;
	return 0;
}

int consoleVariable::color4(const float *rgba) { return color4(rgba[0], rgba[1], rgba[2], rgba[3]); }

int consoleVariable::color4(float r, float g, float b, float a)
{
	color3(r, g, b);
	return alpha(a);
}

int consoleVariable::color3(const float *rgb) { return color3(rgb[0], rgb[1], rgb[2]); }

int consoleVariable::color3(float r, float g, float b)
{
	m_color[0] = r;
	m_color[1] = g;
	m_color[2] = b;
	return 0;
}

int consoleVariable::alpha(float a)
{
	m_color[3] = a;
	return 0;
}

int consoleVariable::setFlag(int mask, int on)
{
	m_flags = (m_flags & ~mask) | (on ? mask : 0);
	return 0;
}

// --- values and their forms --------------------------------------------------------

int consoleVariable::grade() const
{
	int result = -1;
	visitModel(m_model, m_mv, [&](const auto &mv) {
		int bit = 0;
		// the classification the interpretation made of the value, while it is shared
		if (mvIntSharing::classify(mv, &bit, sc_gradeEpsilon) != ga::MVT_BLADE || bit <= 0) return;
		// the grade is the position of the grade-usage bit
		result = (int)(std::log((double)bit) / std::log(2.0) + 0.45);
	});
	return result;
}

int consoleVariable::isTrue() const
{
	int result = 0;
	visitModel(m_model, m_mv, [&](const auto &mv) { result = mv.norm_a() != 0.0; });
	return result;
}

bool consoleVariable::isFinite() const
{
	bool result = true;
	visitModel(m_model, m_mv, [&](const auto &mv) { result = mv.isFinite(); });
	return result;
}

double consoleVariable::scalar() const
{
	double result = 0.0;
	visitModel(m_model, m_mv, [&](const auto &mv) { result = mv.scalar(); });
	return result;
}

const char *consoleVariable::string() const
{
	const char *result = "unknown model";
	visitModel(m_model, m_mv, [&](const auto &mv) { result = mv.string("%e"); });
	return result;
}

std::string consoleVariable::exactString() const
{
	std::string t;
	visitModel(m_model, m_mv, [&](const auto &mv) {
		typedef typename modelValue<decltype(mv)>::def def;
		// every stored coordinate, however small: nothing is lost on the way
		// back; under the console's names of the moment, which a saved scene
		// gives a new program by renaming the builtin constants first
		for (int g = 0; g <= def::dim; g++) {
			if (!(mv.gradeUsage() & (1 << g))) continue;
			const double *c = mv.coordinates(1 << g);
			for (int k = 0; k < def::gradeSize[g]; k++) {
				if (c[k] == 0.0) continue;
				if (!t.empty()) t += " + ";
				t += termText(c[k], g > 0 ? bladeText(ga::originalBasisNames<def>::name(def::gradeOffset[g] + k)) : "");
			}
		}
		if (t.empty()) t = "0";
	});
	return t.empty() ? "unknown model" : t;
}

mvInt *consoleVariable::interpretation() const
{
	mvInt *I = nullptr;
	visitModel(m_model, m_mv, [&](const auto &mv) { I = new mvInt(mv, 0); });
	return I;
}

int consoleVariable::print(const char *prefix) const
{
	if (!visitModel(m_model, m_mv, [&](const auto &mv) { mv.print(prefix, "%f"); }))
		std::printf("%s: unknown model\n", prefix);
	return 0;
}

// --- free functions ------------------------------------------------------------------

std::string consoleNumberText(double d)
{
	// infinity and NaN as texts that make them
	if (!std::isfinite(d)) return termText(d, "");
	char t[sc_numberTextSize];
	for (int digits = 1; digits <= sc_maxSignificantDigits; digits++) {
		std::snprintf(t, sizeof(t), "%.*g", digits, d);
		if (std::strtod(t, nullptr) == d) break;
	}
	return t;
}

void consoleVariableFree(void *cv) { delete static_cast<consoleVariable *>(cv); }

consoleVariable *consoleEmptyScalar() { return new consoleVariable("", e3ga(0.0)); }

consoleVariable *consoleVariableScalar(const char *name, double x)
{
	consoleVariable *cv = new consoleVariable(name ? name : "", e3ga(x));
	cv->rhs(1);
	return cv;
}

void consoleVariableMakeOwn(consoleVariable *v)
{
	if (v->drawMode() & DM_INTERNAL) v->drawMode(ownDrawMode(v->drawMode(), v->forceFlags()));
}

consoleVariable *consoleTemporary(consoleVariable *v)
{
	v->temporary(1);
	return v;
}

const std::string &consoleVariable::temporaryName()
{
	static const std::string name(sc_tempVarPrefix);
	return name;
}

int consoleVariableSetLhs(void *cv, int on) { return static_cast<consoleVariable *>(cv)->lhs(on); }

int consoleVariableSetRhs(void *cv, int on) { return static_cast<consoleVariable *>(cv)->rhs(on); }

int consoleVariableSetOperator(void *cv, int op) { return static_cast<consoleVariable *>(cv)->op(op); }

int consolePrintVariableModel(void *cv)
{
	std::printf("consolePrintVariableType: %08X\n", static_cast<consoleVariable *>(cv)->model());
	return 0;
}
