// The viewer's command rows of the built-in table: names, argument words
// and entries, in table order among the rows around them. Rows that other
// parts of the viewer add may stand between them, so only the order is
// checked, never adjacency.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "console/consolefunctions.h"
#include "console/consolegeneratedfunctions.h"
#include "console/consoleviewerfunctions.h"

namespace {

constexpr int v = 0x30000000, n = 0x70000000;

struct row_s {
	const char *name;
	consoleFuncPtr entry;
	std::vector<int> args;
};

// The row of that entry, searched from index from on; -1 when none.
int find(consoleFuncPtr entry, int nbArg, int from)
{
	for (int i = from; c_consoleFunc[i].name != nullptr; i++)
		if (c_consoleFunc[i].funcPtr == entry && c_consoleFunc[i].nbArg == nbArg) return i;
	return -1;
}

} // namespace

TEST(ViewerRows, CommandRowsStandInTableOrder)
{
	const std::vector<int> v2{v, v}, v3{v, v, v};
	const row_s rows[] = {
		{"net_close", cf_net_close, {}},
		{"screenshot", cf_screenshot, {v, n, n, n}},
		{"set_window_title", cf_set_window_title, {v}},
		{"set_point_size", cf_set_point_size, {n}},
		{"set_text_scale", cf_set_text_scale, {n}},
		{"set_line_width", cf_set_line_width, {n}},
		{"set_vector_head_size", cf_set_vector_head_size, {n}},
		{"set_gl_lines", cf_set_gl_lines, {n}},
		{"set_point_sub_div", cf_set_point_sub_div, {n}},
		{"set_sphere_sub_div", cf_set_sphere_sub_div, {n}},
		{"prompt", cf_prompt, {n}},
		{"prompt", cf_prompt_default, {}},
		{"cprint", cf_cprint, {n}},
		{"select", cf_select, {n}},
		{"remove", cf_remove, {n}},
		{"get_draw_flags", cf_get_draw_flags, {v}},
		{"rename_builtin_const", cf_rename_builtin_const, {n, n}},
		{"label", cf_label, {v}},
		{"label", cf_label2, v2},
		{"ctrl_bool", cf_console_ctrl_bool, {v}},
		{"ctrl_range", cf_console_ctrl_range, {v, n, n}},
		{"ctrl_range", cf_console_ctrl_range_step, {v, n, n, n}},
		{"ctrl_select", cf_console_ctrl_selection1, v2},
		{"ctrl_select", cf_console_ctrl_selection2, v3},
		{"ctrl_select", cf_console_ctrl_selection3, {v, v, v, v}},
		{"ctrl_select", cf_console_ctrl_selection4, {v, v, v, v, v}},
		{"ctrl_select", cf_console_ctrl_selection5, {v, v, v, v, v, v}},
		{"ctrl_select", cf_console_ctrl_selection6, {v, v, v, v, v, v, v}},
		{"ctrl_select", cf_console_ctrl_selection7, {v, v, v, v, v, v, v, v}},
		{"ctrl_remove", cf_console_ctrl_remove, {v}},
		{"cld", cf_cld, {}},
		{"reset", cf_reset, {}},
		{"help", cf_help_general, {}},
		{"help", cf_help, {n}},
		{"p3ga_point", cf_p3ga_point3, {0x20002000, 0x20002000, 0x20002000}},
		{"clf", cf_clf, {}},
		{"clc", cf_clc, {}},
		{"set_object_fg_color", cf_set_object_fg_color_vector, {v, 0x20002000}},
		{"get_hide", cf_get_hide, {v}},
		{"bit_not", cf_bit_not, {v}},
		{"bit_and", cf_bit_and, v2},
		{"bit_or", cf_bit_or, v2},
		{"bit_xor", cf_bit_xor, v2},
		{"bit_shift", cf_bit_shift, v2},
		{"create_polygon", cf_create_polygon_3, {v, v, v, v, v}},
		{"create_polygon", cf_create_polygon_4, {v, v, v, v, v, v}},
		{"create_polygon", cf_create_polygon_5, {v, v, v, v, v, v, v}},
		{"create_polygon", cf_create_polygon_6, {v, v, v, v, v, v, v, v}},
		{"print", cf_e3ga_print, {0x20002000}},
	};
	int at = 0;
	for (const row_s &r : rows) {
		const int i = find(r.entry, (int)r.args.size(), at);
		ASSERT_GE(i, 0) << r.name << " missing or out of order";
		const consoleFunc_s &f = c_consoleFunc[i];
		EXPECT_STREQ(f.name, r.name);
		EXPECT_EQ(f.funcStmt, nullptr);
		for (int k = 0; k < CONSOLE_MAX_ARGS; k++)
			EXPECT_EQ(f.arg[k], k < f.nbArg ? r.args[k] : 0) << r.name << " argument " << k;
		at = i + 1;
	}
}

TEST(ViewerRows, TheTableHoldsEveryRowOnce)
{
	// the viewer's rows by name, the model constructors among them, before
	// the first row of the model blocks
	const char *const names[] = {
	    "add_net_port", "remove_net_port", "net_status", "net_close", "screenshot", "set_window_title",
	    "set_point_size", "set_text_scale", "set_line_width", "set_vector_head_size", "set_gl_lines",
	    "set_point_sub_div", "set_sphere_sub_div", "cmd", "prompt", "prompt", "cprint", "select", "remove",
	    "get_draw_flags", "get_interpretation", "autocolorfunc", "camrot", "add_const", "remove_const",
	    "rename_builtin_const", "label", "label", "ctrl_bool", "ctrl_range", "ctrl_range", "ctrl_select",
	    "ctrl_select", "ctrl_select", "ctrl_select", "ctrl_select", "ctrl_select", "ctrl_select", "ctrl_remove",
	    "cld", "cld", "start_animation", "stop_animation", "pause_animation", "resume_animation", "reset", "help",
	    "help", "p3ga_point", "p3ga_point", "c3ga_point", "c3ga_point", "c3ga_point", "translation_versor", "tv",
	    "translation_versor", "tv", "clf", "clc", "set_object_fg_color", "set_object_fg_color",
	    "set_object_fg_color", "red", "green", "blue", "white", "magenta", "yellow", "cyan", "black", "grey",
	    "gray", "color", "color", "color", "alpha", "versor", "blade", "dm1", "dm2", "dm3", "dm4", "dm5", "dm6",
	    "dm7", "stipple", "no_stipple", "ori", "no_ori", "wireframe", "no_wireframe", "shade", "no_shade", "hide",
	    "show", "outline", "no_outline", "weight", "no_weight", "get_color", "get_alpha", "get_stipple",
	    "get_wireframe", "get_outline", "get_weight", "get_ori", "get_hide", "bit_not", "bit_and", "bit_or",
	    "bit_xor", "bit_shift", "create_polygon", "create_polygon", "create_polygon", "create_polygon"};
	const int nbViewer = (int)(sizeof names / sizeof names[0]);
	ASSERT_EQ(nbViewer, 116);
	for (int i = 0; i < nbViewer; i++) {
		ASSERT_NE(c_consoleFunc[i].name, nullptr) << i;
		EXPECT_STREQ(c_consoleFunc[i].name, names[i]) << i;
	}
	EXPECT_STREQ(c_consoleFunc[nbViewer].name, "print");
	int n = 0;
	while (c_consoleFunc[n].name != nullptr) n++;
	EXPECT_EQ(n, 408);
}
