// The typesetter's containers: attribute stacks and record lists, empty,
// growing, and refusing what they cannot hold.
#include <gtest/gtest.h>

#include <climits>

#include "typeset/liststack.h"

namespace {

TEST(TsStack, EmptyPushPopClear)
{
	tsStack<int> ints;
	tsStack<double> doubles;
	// An empty stack reads -1 and stays empty.
	EXPECT_TRUE(ints.pop() == -1 && ints.top() == -1 && doubles.pop() == -1.0 && ints.m_top == -1);
	for (int k = 0; k < 1000; k++)
		ASSERT_TRUE(ints.push(k * 3) == 0 && doubles.push(k * 0.5) == 0);
	EXPECT_TRUE(ints.m_top == 999 && ints.top() == 2997);
	for (int k = 999; k >= 500; k--)
		ASSERT_TRUE(ints.pop() == k * 3 && doubles.pop() == k * 0.5) << k;
	EXPECT_EQ(ints.top(), 1497);
	ints.clear();
	EXPECT_TRUE(ints.m_stack == nullptr && ints.top() == -1);
	EXPECT_TRUE(ints.push(7) == 0 && ints.pop() == 7 && ints.pop() == -1);
}

struct record {
	int c;
	double x;
};

TEST(TsItemList, GrowthSetAndClear)
{
	tsItemList<record> list;
	EXPECT_TRUE(list.m_nb == 0 && list.m_max == 0 && list.ensureMax(-1) == -1 && list.ensureMax(0) == 0);
	// The capacity doubles from 2 as items are added; new slots are zero.
	const int capacities[] = {2, 2, 4, 4, 8, 8, 8, 8, 16};
	for (int k = 0; k < 9; k++) {
		ASSERT_EQ(list.add(record{k, k * 1.5}), 0);
		EXPECT_EQ(list.m_max, capacities[k]) << k;
	}
	for (int k = 9; k < list.m_max; k++)
		EXPECT_TRUE(list.m_item[k].c == 0 && list.m_item[k].x == 0.0);
	EXPECT_TRUE(list.set(3, record{-3, 0.25}) == 0 && list.set(9, record{}) == -1 && list.set(-1, record{}) == -1);
	for (int k = 0; k < 9; k++)
		EXPECT_TRUE(list.m_item[k].c == (k == 3 ? -3 : k) && list.m_nb == 9) << k;
	list.clear();
	EXPECT_TRUE(list.m_nb == 0 && list.m_max == 0 && list.m_item == nullptr);
}

TEST(TsItemList, LargeRequestsAndRefusals)
{
	tsItemList<double> list;
	list.add(1.0);
	// A request beyond twice the capacity still gets room for all of it.
	ASSERT_EQ(list.ensureMax(100), 0);
	EXPECT_GE(list.m_max, 100);
	list.m_item[99] = 99.0;
	// A request the list cannot hold is refused; items and capacity stay.
	int max = list.m_max;
	testing::internal::CaptureStdout();
	EXPECT_EQ(list.ensureMax(INT_MAX), -1);
	EXPECT_EQ(testing::internal::GetCapturedStdout(),
	          "tsItemList::ensureMax(): memory allocation failure for '2147483647' bytes\n");
	EXPECT_TRUE(list.m_max == max && list.m_nb == 1 && list.m_item[0] == 1.0 && list.m_item[99] == 99.0);
}

} // namespace
