// The basis constants of the four algebras serve static initialisers of any
// unit: values and name tables built at namespace scope in another unit of
// this binary (tests/ga/test_constants/) equal the same built in main.
#include <gtest/gtest.h>

#include "reference/refcompare.h"
#include "test_constants/early_values.h"

namespace {

using ref::identical;

template <class V> class Constants : public ::testing::Test {};
TYPED_TEST_SUITE(Constants, ref::Algebras);

TYPED_TEST(Constants, UsableFromStaticInitialisers)
{
	typedef TypeParam V;
	typedef typename V::implClass I;
	typedef typename V::def Def;
	V expected = 10.0 * I::I + I::I * I::Ii;
	for (int k = 0; k < V::dim; k++) expected += (k + 1.0) * *I::bv[k];
	// the scalar I Ii = 1, the vector 1, 2, ... and 10 I
	ASSERT_EQ(expected.gradeUsage(), 1 | 2 | (1 << V::dim));
	EXPECT_EQ(expected.scalar(), 1.0);
	EXPECT_EQ(expected.coordinates(1 << V::dim)[0], 10.0);
	for (int k = 0; k < V::dim; k++) EXPECT_EQ(expected.coordinates(2)[k], k + 1.0);

	EXPECT_TRUE(identical(early<V>().throughBv, expected));
	EXPECT_TRUE(identical(early<V>().byName, expected));
	// a name table built then knows every basis vector with its value
	for (int k = 0; k < V::dim; k++) {
		const char *name = Def::basisElementNames()[Def::gradeOffset[1] + k];
		I v;
		ASSERT_EQ(early<V>().names.lookupName(name, v), 0) << name;
		EXPECT_TRUE(identical(v, *I::bv[k])) << name;
	}
}

} // namespace
