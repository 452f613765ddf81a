// i2ga values have no geometric kind: the interpretation only says so.
#include "i2ga/i2ga.h"
#include "scene/mvint.h"

mvInt::mvInt(const i2ga &mv, int creationFlags)
{
	initToNothing();
	interpret(mv, creationFlags);
}
