// Camera motion and the animation clock on a clock the test moves: a
// translation or rotation at playback speeds 1, 2 and 0, held by a wait;
// the clock atime through its three states.
#include <algorithm>
#include <cmath>

#include "console/consolefunctions.h"
#include "console/consoleviewerfunctions.h"
#include "view/glwindow.h"
#include "support/scriptfixture.h"
#include "ui/ui.h"

namespace {

// How close the nine terms of the exponential's series come for angles up to 3.
constexpr double sc_seriesPrecision = 1e-6;

class Motion : public scriptTest {
protected:
	// motions need a user interface; this one has no windows
	UIstate m_ui;
	void SetUp() override
	{
		scriptTest::SetUp();
		gui_state = &m_ui;
	}
	void TearDown() override
	{
		gui_state = nullptr;
		scriptTest::TearDown();
	}
	// One tick's motion steps.
	void step()
	{
		m_state.handleTrl();
		m_state.handleRot();
	}
	double camX()
	{
		e3ga p;
		m_state.m_globalScope->externalLookupVariable("campos", 1, p);
		return p.grade(2).norm_a() - 121.0 > -1e-9 ? std::sqrt(p.grade(2).norm_a() - 121.0) : 0.0;
	}
};

TEST_F(Motion, TranslationsAtSpeedsOneTwoAndZero)
{
	const struct {
		double speed;
		// camera x after 1, 2, 3 and 5 seconds of a translation by 2 e1 over 2 seconds
		double x[4];
	} rows[] = {
		{1.0, {1.0, 2.0, 2.0, 2.0}},
		{2.0, {0.5, 1.0, 1.5, 2.0}},
		{0.0, {2.0, 2.0, 2.0, 2.0}},
	};
	for (const auto &r : rows) {
		glwindow::setCamPos(gp(11.0, e3ga(e3gai::e3)));
		m_state.setPlaybackSpeed(r.speed);
		// the caller's value becomes its vector part
		e3ga v = e3ga(e3gai::e1) + e3ga(3.0);
		ASSERT_EQ(m_state.setTrl(v, 2.0), 0);
		EXPECT_EQ(std::string(v.string("%g")), "1*e1");
		const double times[] = {1.0, 2.0, 3.0, 5.0};
		double t0 = s_now;
		for (int i = 0; i < 4; i++) {
			s_now = t0 + times[i];
			step();
			EXPECT_NEAR(camX(), r.x[i], 1e-9) << "speed " << r.speed << " at " << times[i];
		}
		EXPECT_LT(m_state.m_trlTime, 0.0);
	}
}

TEST_F(Motion, WaitsHoldMotionsAndRefusals)
{
	glwindow::setCamPos(gp(11.0, e3ga(e3gai::e3)));
	e3ga v(e3gai::e1);
	m_state.setTrl(v, 2.0);
	later(0.5);
	step();
	EXPECT_NEAR(camX(), 0.5, 1e-9);
	// the wait freezes the motion; afterwards the rest runs over the time left
	m_state.setInputWaitState(1);
	later(3.0);
	step();
	EXPECT_NEAR(camX(), 0.5, 1e-9);
	m_state.setInputWaitState(0);
	later(1.0);
	step();
	EXPECT_NEAR(camX(), 1.5, 1e-9);
	later(5.0);
	step();
	EXPECT_NEAR(camX(), 2.0, 1e-9);

	// a negative duration is refused and still stops the running translation
	m_state.setTrl(v, 2.0);
	EXPECT_EQ(m_state.setTrl(v, -1.0), -1);
	EXPECT_LT(m_state.m_trlTime, 0.0);
	// a velocity or rate that is not finite, from a scene-file line or the
	// console, is refused and the running motion goes on
	m_state.setTrl(v, 2.0);
	EXPECT_EQ(line("eyetrl 1 [nan*e1]"), "warning: GAfile::parseLine(): file 'virtual console file.geo': value that "
	                                     "is not finite in 'eyetrl' entry at line '0'; the line is ignored\n");
	EXPECT_GE(m_state.m_trlTime, 0.0);
	typed("camrot(e1^e2, 2);");
	EXPECT_EQ(typed("camrot(sqrt(-1) e1^e2, 1);"), "camrot(): the rate is not finite; the camera does not turn\n");
	EXPECT_EQ(line("camrot 1 [e1^e2 + inf*e2^e3]"), "warning: GAfile::parseLine(): file 'virtual console file.geo': "
	                                               "value that is not finite in 'camrot' entry at line '0'; the line "
	                                               "is ignored\n");
	later(1.0);
	step();
	EXPECT_GE(m_state.m_rotTime, 0.0);
	EXPECT_TRUE(std::isfinite(glwindow::getCamOri().norm_a()) && std::isfinite(glwindow::getCamPos().norm_a()));
	EXPECT_NEAR(camX(), 3.0, 1e-9);
	// a finite rate too large for the rotor of a second's turn is refused
	// from either route; one whose rotor is finite turns by unit rotors
	// however far a step goes, where the exponential's series gave 0
	EXPECT_EQ(typed("camrot(1e300*e1^e2, 1);"), "camrot(): the rate's rotor is not finite; the camera does not turn\n");
	typed("camrot(1e150*e1^e2, 10);");
	later(5.0);
	step();
	EXPECT_NEAR(glwindow::getCamOri().norm_a(), 1.0, 1e-9);
	// a step that would take the camera to infinity ends the translation
	// with one message; the camera stays where it was
	EXPECT_EQ(line("eyetrl 1 [1e308*e1]"), "");
	typed("campos = 1.5e308*e1;");
	later(0.5);
	EXPECT_EQ(output([&] { step(); }), "The camera's translation stops: its next step would take the camera to "
	                                   "infinity; the camera stays as it was\n");
	EXPECT_LT(m_state.m_trlTime, 0.0);
	EXPECT_EQ(value("campos"), "1.5e+308*e1");
	// a translation through values that have no interpretation says so once,
	// not once a tick
	typed("campos = 11*e3;");
	EXPECT_EQ(line("eyetrl 1 [1e308*e1]"), "");
	std::string said;
	for (int i = 0; i < 3; i++) {
		later(0.25);
		said += output([&] { step(); });
	}
	EXPECT_EQ(said.rfind("Interpretation of object 'campos' with coordinates 2500", 0), 0u) << said;
	EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
	// so is every motion without a user interface
	gui_state = nullptr;
	EXPECT_EQ(m_state.setRot(v, 1.0), -1);
	gui_state = &m_ui;
}

TEST_F(Motion, Rotations)
{
	// a rotation over no time turns nothing but makes the caller's value
	// minus its bivector part
	e3ga B = e3ga(2.0) + (e3ga(e3gai::e1) ^ e3ga(e3gai::e2));
	EXPECT_EQ(m_state.setRot(B, 0.0), 0);
	EXPECT_EQ(value("camori"), "1");
	EXPECT_EQ(std::string(B.string("%g")), "-1*e1^e2");
	// over a second at speed 1 the camera turns by exp(-t B)
	B = (M_PI / 4) * (e3ga(e3gai::e1) ^ e3ga(e3gai::e2));
	m_state.setRot(B, 1.0);
	later(1.0);
	step();
	e3ga R;
	m_state.m_globalScope->externalLookupVariable("camori", 1, R);
	EXPECT_NEAR(R.scalar(), std::cos(M_PI / 4), sc_seriesPrecision);
	EXPECT_LT(m_state.m_rotTime, 0.0);
	// the console's camrot refuses a negative duration and turns over a positive one
	typed("camrot(e1^e2, -1);");
	EXPECT_LT(m_state.m_rotTime, 0.0);
	typed("camrot(e1^e2, 2);");
	EXPECT_GE(m_state.m_rotTime, 0.0);
	later(2.0);
	step();
	m_state.m_globalScope->externalLookupVariable("camori", 1, R);
	EXPECT_NEAR(R.scalar(), std::cos(M_PI / 4 + 2.0), sc_seriesPrecision);
}

TEST_F(Motion, TheDemoPlaysToItsEnd)
{
	glwindow::setCamPos(gp(11.0, e3ga(e3gai::e3)));
	std::string out = open(KORIMBEL_DEMO_DIR "/demo.geo");
	out += tick();
	EXPECT_TRUE(has("e1") && has("e2") && has("e3") && !has("plane"));
	EXPECT_EQ(m_state.m_inputWait, 1);
	m_state.setInputWaitState(0);
	// a quarter second a tick, well past its sleeps and motions
	for (int i = 0; i < 60; i++) {
		later(0.25);
		out += tick();
		step();
		m_state.objectUpdate();
	}
	EXPECT_EQ(out, "Animation is already stopped\n");
	// the import drew its vector and ran its console line
	EXPECT_EQ(value("d"), "1.5*e1 + 1.5*e2");
	EXPECT_EQ(value("s"), "1.5*e1 + 1.5*e2 + 1*e3");
	EXPECT_EQ(m_state.m_GAfileStackDepth, 0);
	// the plane faded out and hid; the camera moved and turned
	EXPECT_TRUE(m_state.getObjectPtrByName("plane")->hidden());
	EXPECT_EQ(value("campos"), "1*e1 + 1*e2 + 11*e3");
	EXPECT_NE(value("camori"), "1");
}

class Animation : public scriptTest {};

TEST_F(Animation, ClockStates)
{
	auto atime = [&] { return value("atime"); };
	EXPECT_EQ(typed("start_animation();"), "");
	EXPECT_EQ(atime(), "0");
	EXPECT_EQ(typed("start_animation();"), "Animation is already playing\n");
	later(1.0);
	m_state.updateAnimation();
	EXPECT_EQ(atime(), "1");
	// a pause does not count the paused time; resuming continues
	EXPECT_EQ(typed("pause_animation();"), "");
	EXPECT_EQ(typed("pause_animation();"), "Animation is not playing\n");
	later(5.0);
	m_state.updateAnimation();
	EXPECT_EQ(atime(), "1");
	EXPECT_EQ(typed("resume_animation();"), "");
	later(1.0);
	m_state.updateAnimation();
	EXPECT_EQ(atime(), "2");
	// stopping keeps atime; starting again restarts at 0
	EXPECT_EQ(typed("stop_animation();"), "");
	EXPECT_EQ(typed("stop_animation();"), "Animation is already stopped\n");
	EXPECT_EQ(atime(), "2");
	typed("start_animation();");
	EXPECT_EQ(atime(), "0");
	// half speed at 2, ten thousand times real time at 0
	m_state.setPlaybackSpeed(2.0);
	later(1.0);
	m_state.updateAnimation();
	EXPECT_EQ(atime(), "0.5");
	m_state.setPlaybackSpeed(0.0);
	later(0.25);
	m_state.updateAnimation();
	EXPECT_EQ(atime(), "2500.5");
	// a dynamic statement reading atime follows the clock
	typed("dynamic{y = atime,}");
	later(0.25);
	m_state.updateAnimation();
	EXPECT_EQ(value("y"), "5000.5");
	// without atime the clock says so and starts it again
	m_state.removeObject("atime");
	EXPECT_EQ(output([&] { m_state.forwardAnimationTime(0.5); }), "Can not lookup global variable 'atime', setting it to 0.500000 \n");
	EXPECT_EQ(atime(), "0.5");
}

TEST(ViewerRows, ScriptCameraAndClockRowsInTableOrder)
{
	const int v = 0x30000000, n = 0x70000000, e = 0x20002000;
	const struct {
		const char *name;
		consoleFuncPtr entry;
		std::vector<int> args;
	} rows[] = {
		{"cmd", cf_cmd, {n}},
		{"get_draw_flags", nullptr, {v}},
		{"autocolorfunc", nullptr, {v}},
		{"camrot", cf_camrotfunc, {e, v}},
		{"add_const", nullptr, {v}},
		{"cld", nullptr, {v}},
		{"start_animation", cf_start_animation, {}},
		{"stop_animation", cf_stop_animation, {}},
		{"pause_animation", cf_pause_animation, {}},
		{"resume_animation", cf_start_animation, {}},
		{"reset", nullptr, {}},
	};
	// each row after the one before it; rows of one name: the last in the table
	int previous = -1;
	for (const auto &r : rows) {
		int at = -1;
		for (int i = 0; c_consoleFunc[i].name != nullptr; i++)
			if (std::string(c_consoleFunc[i].name) == r.name && c_consoleFunc[i].nbArg == (int)r.args.size()) at = i;
		ASSERT_GT(at, previous) << r.name;
		previous = at;
		if (r.entry != nullptr) {
			EXPECT_EQ(c_consoleFunc[at].funcPtr, r.entry) << r.name;
		}
		for (size_t a = 0; a < r.args.size(); a++) EXPECT_EQ(c_consoleFunc[at].arg[a], r.args[a]) << r.name;
	}
}

} // namespace
