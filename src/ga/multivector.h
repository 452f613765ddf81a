#pragma once
// Everything an algebra's concrete classes are made of.
#include "ga/mvimpl.h"
#include "ga/mvconstants.h"
#include "ga/mvvalue.h"
#include "ga/mvimpl_unary.h"
#include "ga/mvimpl_inverse.h"
#include "ga/mvimpl_random.h"
#include "ga/mvexp.h"
#include "ga/mvom.h"
#include "ga/mvben.h"
#include "ga/mvtext.h"
#include "ga/mvimpl_join.h"
#include "ga/mvimpl_classify.h"
