#pragma once
// The check of what a scene object says about itself: its short form and
// its long form, and the long form cut to a small buffer without a byte
// written past it.
#include <gtest/gtest.h>

#include <string>

#include "scene/object.h"

// The short form and the long form of one value.
struct descriptionCase {
	const char *shortForm, *longForm;
};

// cutAt: the size of the small buffer the long form is cut to.
inline void expectDescription(object &o, const descriptionCase &d, size_t cutAt)
{
	char buf[1024] = "left over";
	EXPECT_EQ(o.description(buf, sizeof buf, 1), 0);
	EXPECT_STREQ(buf, d.shortForm);
	o.description(buf, sizeof buf, 0);
	EXPECT_STREQ(buf, d.longForm);
	// cut to the buffer, and never past it
	std::string small(cutAt + 2, '#');
	o.description(&small[0], cutAt, 0);
	EXPECT_EQ(std::string(small.c_str()), std::string(d.longForm).substr(0, cutAt - 1));
	EXPECT_EQ(small[cutAt], '#');
}
