#pragma once
// Everything an algebra's concrete classes are made of.
#include "ga/mvimpl.h"
#include "ga/mvvalue.h"
