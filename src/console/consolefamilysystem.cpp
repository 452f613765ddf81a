// The members of the console's family that act on the system rather than
// compute: printing, assignment through the calling scope and the stored
// factors of the application state; and the casts between the models.
#include <string>

#include "console/consolefamily.h"
#include "console/consolescope.h"
#include "ga/textformat.h"
#include "os/osdep.h"
#include "state/state.h"

namespace {

// The name under which a value is printed: "ans" for a temporary value.
const char *shownName(const consoleVariable *v)
{
	const std::string &name = v->name();
	return name.compare(0, std::char_traits<char>::length(sc_tempVarPrefix), sc_tempVarPrefix) == 0 ? sc_answerName
	                                                                                                   : name.c_str();
}

// One console line "name = value", the coordinates in format (the model's
// default when null). The texts are arguments, never the format.
template <class M> void printLine(const consoleVariable *v, const char *format)
{
	cprintf("%s = %s\n", shownName(v), cf::value<M>(v).string(format));
}

// x (its grade-1 part) into slot index of the state's factors of model M;
// the state keeps none for i2ga.
template <class M> void storeFactor(const M &x, int index)
{
	if (g_state == nullptr) return;
	if constexpr (std::is_same<M, e3ga>::value) g_state->setE3gaFactor(x, index);
	else if constexpr (std::is_same<M, p3ga>::value) g_state->setP3gaFactor(x, index);
	else if constexpr (std::is_same<M, c3ga>::value) g_state->setC3gaFactor(x, index);
}

} // namespace

CF_MEMBER(cf_system, print)
{
	printLine<M>(a[0], nullptr);
	return a[0];
}

// The format is "%" and the name of argument 2. One that would not print
// exactly one number is refused with a warning: printf would read
// arguments that are not there.
CF_MEMBER(cf_system, print_prec)
{
	std::string format = "%" + a[1]->name();
	if (!ga::isValidCoordinateFormat(format.c_str())) {
		cprintf("Warning: invalid number format '%s', using the default\n", format.c_str());
		printLine<M>(a[0], nullptr);
	} else {
		printLine<M>(a[0], format.c_str());
	}
	return a[0];
}

// x assigned to the variable named like v, in the calling scope
CF_MEMBER(cf_system, assign)
{
	consoleVariableMakeOwn(a[1]);
	consoleVariable *r = s->assignVariable(a[0], a[1]);
	if (r != nullptr) r->name(a[0]->name());
	return r;
}

CF_MEMBER(cf_system, set_factor)
{
	storeFactor(cf::arg<M>(a, 1), cf::saturatingInt(a[0]->scalar()));
	return a[1];
}

CF_INSTANTIATE(cf_system);

template <class T> consoleVariable *cf_castTo(consoleScope *, consoleVariable **a, const consoleFunc_s *)
{
	if constexpr (std::is_same<T, e3ga>::value) return a[0]->castToE3ga();
	else if constexpr (std::is_same<T, p3ga>::value) return a[0]->castToP3ga();
	else if constexpr (std::is_same<T, c3ga>::value) return a[0]->castToC3ga();
	else return a[0]->castToI2ga();
}

template consoleVariable *cf_castTo<e3ga>(consoleScope *, consoleVariable **, const consoleFunc_s *);
template consoleVariable *cf_castTo<p3ga>(consoleScope *, consoleVariable **, const consoleFunc_s *);
template consoleVariable *cf_castTo<c3ga>(consoleScope *, consoleVariable **, const consoleFunc_s *);
template consoleVariable *cf_castTo<i2ga>(consoleScope *, consoleVariable **, const consoleFunc_s *);
