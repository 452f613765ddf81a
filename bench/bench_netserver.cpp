// The command server polled in-process with a client on 127.0.0.1: the text
// that tells clients about 1,000 changed c3ga objects; a burst of 1,000
// short commands sent at once and run; and one assignment sent and
// answered, without the timer's wait between steps.
#include <benchmark/benchmark.h>

#include <set>
#include <string>

#include "../tests/net/netpeer.h"
#include "console/console.h"
#include "state/state.h"

namespace {

// A state as started without the network option, serving one free port.
struct servedState {
	state st;
	int port;
	servedState()
	{
		st.m_nbNetServers = 0;
		st.m_displayNetworkCommands = false;
		port = openFreeNetServer(st);
	}
};

void BM_message_1000_c3ga(benchmark::State &bs)
{
	state st;
	g_consoleCommandCallback("for (i = 0; i < 1000; i = i + 1) { p[i] = c3ga_point(i, 2 i, 3); }", &st);
	std::set<std::string> names;
	for (const auto &entry : st.m_objects) names.insert(*entry.first);
	size_t length = 0;
	for (auto _ : bs) length = st.createNetMessage(names).size();
	bs.counters["bytes"] = (double)length;
}

void BM_burst_1000_commands(benchmark::State &bs)
{
	servedState s;
	netPeer peer(s.port);
	std::string burst;
	for (int i = 0; i < 1000; i++) burst += "x = x + 1;$";
	for (auto _ : bs) {
		g_consoleCommandCallback("x = 0;", &s.st);
		peer.send(burst);
		pollNetUntil(s.st, [&] {
			object *x = s.st.getObjectPtrByName("x");
			return x != nullptr && x->toString("%g") == "\"x\" = 1000";
		});
	}
}

void BM_round_trip(benchmark::State &bs)
{
	servedState s;
	netPeer peer(s.port);
	peer.receiveThrough(s.st, "e3;$");
	for (auto _ : bs) {
		peer.send("a = e1;$");
		peer.receiveThrough(s.st, "\"a\" = 1.000000000000000e+00*e1;$");
	}
}

} // namespace

BENCHMARK(BM_message_1000_c3ga)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_burst_1000_commands)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_round_trip)->Unit(benchmark::kMicrosecond);
