// The typesetter's containers: attribute stacks and record lists, empty,
// growing, and refusing what they cannot hold.
#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "typeset/liststack.h"

namespace {

TEST(TsStack, EmptyPushPopClear)
{
	tsStack<int> ints;
	tsStack<double> doubles;
	// An empty stack reads -1 and stays empty.
	EXPECT_EQ(ints.pop(), -1);
	EXPECT_EQ(ints.top(), -1);
	EXPECT_EQ(doubles.pop(), -1.0);
	EXPECT_EQ(ints.m_top, -1);
	for (int k = 0; k < 1000; k++) {
		ASSERT_EQ(ints.push(k * 3), 0);
		ASSERT_EQ(doubles.push(k * 0.5), 0);
	}
	EXPECT_EQ(ints.m_top, 999);
	EXPECT_EQ(ints.top(), 2997);
	for (int k = 999; k >= 500; k--) {
		ASSERT_EQ(ints.pop(), k * 3);
		ASSERT_EQ(doubles.pop(), k * 0.5);
	}
	EXPECT_EQ(ints.top(), 1497);
	ints.clear();
	EXPECT_EQ(ints.m_stack, nullptr);
	EXPECT_EQ(ints.top(), -1);
	EXPECT_EQ(ints.push(7), 0);
	EXPECT_EQ(ints.pop(), 7);
	EXPECT_EQ(ints.pop(), -1);
}

struct record {
	int c;
	double x, y;
};

TEST(TsItemList, GrowthSetAndClear)
{
	tsItemList<record> list;
	EXPECT_EQ(list.m_nb, 0);
	EXPECT_EQ(list.m_max, 0);
	EXPECT_EQ(list.ensureMax(-1), -1);
	EXPECT_EQ(list.ensureMax(0), 0);
	EXPECT_EQ(list.m_item, nullptr);
	// The capacity doubles from 2 as items are added.
	const int capacities[] = {2, 2, 4, 4, 8, 8, 8, 8, 16};
	for (int k = 0; k < 9; k++) {
		ASSERT_EQ(list.add(record{k, k * 1.5, -k * 1.0}), 0);
		EXPECT_EQ(list.m_max, capacities[k]) << k;
	}
	EXPECT_EQ(list.m_nb, 9);
	// New slots are zero.
	for (int k = 9; k < list.m_max; k++)
		EXPECT_TRUE(list.m_item[k].c == 0 && list.m_item[k].x == 0.0 && list.m_item[k].y == 0.0);
	EXPECT_EQ(list.set(3, record{-3, 0.25, 0.5}), 0);
	EXPECT_EQ(list.m_item[3].c, -3);
	EXPECT_EQ(list.set(9, record{}), -1);
	EXPECT_EQ(list.set(-1, record{}), -1);
	for (int k = 0; k < 9; k++)
		EXPECT_TRUE(k == 3 || (list.m_item[k].c == k && list.m_item[k].x == k * 1.5)) << k;
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
	for (int k = 1; k < 100; k++)
		list.m_item[k] = k;
	// A request the list cannot hold is refused; items and capacity stay.
	int max = list.m_max;
	testing::internal::CaptureStdout();
	EXPECT_EQ(list.ensureMax(INT_MAX), -1);
	EXPECT_EQ(testing::internal::GetCapturedStdout(),
	          "tsItemList::ensureMax(): memory allocation failure for '2147483647' bytes\n");
	EXPECT_EQ(list.m_max, max);
	EXPECT_EQ(list.m_nb, 1);
	EXPECT_EQ(list.m_item[99], 99.0);
}

} // namespace
