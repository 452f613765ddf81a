#include <gtest/gtest.h>

#include "c3ga/c3ga.h"
#include "e3ga/e3ga.h"
#include "i2ga/i2ga.h"
#include "p3ga/p3ga.h"

// The four algebras link and multiply through their value classes.
TEST(Smoke, ProductsOfBasisVectors)
{
	e3ga c = e3gai::e1 * e3gai::e2;
	EXPECT_EQ(c.gradeUsage(), 4);
	EXPECT_EQ(c.coordinates(4)[2], 1.0);
	p3ga p = p3gai::e0 * p3gai::e0;
	EXPECT_EQ(p.usage, 33);
	c3ga n = c3gai::no * c3gai::ni;
	EXPECT_EQ(n.gradeUsage(), 5);
	EXPECT_EQ(n.scalar(), -1.0);
	i2ga g = i2gai::go * i2gai::gi;
	EXPECT_EQ(g.gradeUsage(), 5);
	EXPECT_EQ(g.scalar(), -1.0);
}
