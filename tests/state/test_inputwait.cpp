// A script waiting for the user, without a user interface: a sleep pending
// when the wait begins is extended by the time spent waiting; one that has
// ended is dropped; a bookmark search runs through waits.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "os/osdep.h"
#include "state/state.h"

namespace {

TEST(inputWait, APendingSleepIsExtendedByTheWait)
{
	state s;
	const double sleepEnd = u_timeGet() + 10.0;
	s.m_inputSleepTime = sleepEnd;
	const double before = u_timeGet();
	s.setInputWaitState(1);
	EXPECT_EQ(s.m_inputWait, 1);
	EXPECT_GE(s.m_inputWaitTime, before);
	std::this_thread::sleep_for(std::chrono::milliseconds(50));
	s.setInputWaitState(0);
	const double waited = u_timeGet() - before;
	EXPECT_EQ(s.m_inputWait, 0);
	EXPECT_EQ(s.m_inputWaitTime, -1.0);
	EXPECT_GE(s.m_inputSleepTime - sleepEnd, 0.05);
	EXPECT_LE(s.m_inputSleepTime - sleepEnd, waited);

	// a sleep that has ended is dropped, and nothing is extended later
	s.m_inputSleepTime = u_timeGet() - 1.0;
	s.setInputWaitState(1);
	EXPECT_EQ(s.m_inputSleepTime, -1.0);
	EXPECT_EQ(s.m_inputWaitTime, -1.0);
	s.setInputWaitState(0);
	EXPECT_EQ(s.m_inputSleepTime, -1.0);

	// a bookmark search does not wait
	s.m_bookmarkSearch = 1;
	s.setInputWaitState(1);
	EXPECT_EQ(s.m_inputWait, 0);
}

} // namespace
