#include <gtest/gtest.h>
#include "e3ga/e3ga.h"
#include "c3ga/c3ga.h"

TEST(Smoke, Products)
{
	e3ga a = e3gai::e1, b = e3gai::e2;
	e3ga c = a * b;
	EXPECT_EQ(c.gradeUsage(), 4);
	EXPECT_EQ(c.coordinates(4)[2], 1.0);
	c3ga n = c3gai::no * c3gai::ni;
	EXPECT_EQ(n.gradeUsage(), 5);
	EXPECT_EQ(n.scalar(), -1.0);
}
#include "i2ga/i2ga.h"
TEST(Smoke, I2ga)
{
	i2ga a = i2gai::no, b = i2gai::ni;
	i2ga c = a * b;
	EXPECT_EQ(c.gradeUsage(), 5);
	EXPECT_EQ(c.scalar(), -1.0);
	i2ga d = 2.0 * c;
	EXPECT_EQ(d.scalar(), -2.0);
}
