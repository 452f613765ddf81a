#pragma once
// The entries of the console's viewer built-ins that the built-in table
// reaches: drawing attributes of values and their queries, the colouring of
// scene objects by name, the automatic colouring, and the commands on the
// network servers, the constants, the dynamic statements and the reset of
// the application.
// Attribute setters change their first argument and return it; queries
// and commands return a new unnamed e3ga value.
#include <string>

#include "console/consolefunctions.h"

class consoleVariable;

// --- drawing attributes (consoleattributes.cpp)
cf_entry cf_red, cf_green, cf_blue, cf_white, cf_magenta, cf_yellow, cf_cyan, cf_black, cf_grey;
cf_entry cf_color1, cf_color3, cf_color4, cf_alpha, cf_versor, cf_blade;
cf_entry cf_dm1, cf_dm2, cf_dm3, cf_dm4, cf_dm5, cf_dm6, cf_dm7;
cf_entry cf_stipple, cf_no_stipple, cf_ori, cf_no_ori, cf_wireframe, cf_no_wireframe, cf_shade, cf_no_shade;
cf_entry cf_hide, cf_show, cf_outline, cf_no_outline, cf_weight, cf_no_weight;
cf_entry cf_get_color, cf_get_alpha, cf_get_stipple, cf_get_wireframe, cf_get_outline, cf_get_weight, cf_get_ori,
	cf_get_hide, cf_get_draw_flags, cf_get_interpretation;
cf_entry cf_set_object_fg_color_vector, cf_set_object_fg_color_RGB, cf_set_object_fg_color_RGBA;

// The colour setters' shared steps: the RGB of arg[0] from c[0..2], or its
// alpha, recorded as set by the user; each returns the value it changed.
consoleVariable *cf_set_color3_internal(consoleScope *s, consoleVariable **arg, const float *c);
consoleVariable *cf_alpha_internal(consoleVariable *arg0, float arg1);

// Colour X (0 foreground, 1 background, 2 outline) of the object of that
// name; the three-component form keeps the colour's alpha. An unknown name
// or X changes nothing.
void cf_set_object_X_color4(const std::string &objectName, int X, float R, float G, float B, float A);
void cf_set_object_X_color3(const std::string &objectName, int X, float R, float G, float B);

// --- automatic colouring (consoleautocolor.cpp): colour by grade, alpha,
// stipple and weight by interpretation, each only where the user set none
cf_entry cf_autocolorfunc;

// --- the network command servers (consolenetfunctions.cpp)
cf_entry cf_add_net_port, cf_remove_net_port, cf_net_status, cf_net_close;

// --- constants, dynamic statements and reset (consolesystemfunctions.cpp)
cf_entry cf_add_const, cf_remove_const, cf_rename_builtin_const, cf_cld, cf_cld_1, cf_reset;
// Whether command, add_const or rename_builtin_const, may run in s and
// give a constant name; from is the name that a renamed constant has.
// unnamed: the index of an argument that names nothing, which refuses the
// call, or -1. Otherwise false, after the message.
bool consoleConstantCallAllowed(consoleScope *s, const std::string &command, const std::string &name,
                                const std::string &from, int unnamed);

// --- scene, console and window (consolescenefunctions.cpp); what needs the
// user interface is skipped without one
cf_entry cf_set_window_title, cf_prompt, cf_prompt_default, cf_cprint, cf_select, cf_remove, cf_clf, cf_clc;

// --- render settings (consolerenderfunctions.cpp)
cf_entry cf_set_point_size, cf_set_text_scale, cf_set_line_width, cf_set_vector_head_size, cf_set_gl_lines;
cf_entry cf_set_point_sub_div, cf_set_sphere_sub_div;
// A screenshot request: file name, width, height, also without labels.
cf_entry cf_screenshot;
// The depth of a geodesic sphere asked for as the number x: rounded, then
// kept within the depths that are built.
int subDivDepth(double x);

// --- bitwise functions on 32-bit patterns (consolebitfunctions.cpp)
cf_entry cf_bit_not, cf_bit_and, cf_bit_or, cf_bit_xor, cf_bit_shift;

// --- console controls (consolecontrolfunctions.cpp)
cf_entry cf_console_ctrl_bool, cf_console_ctrl_range, cf_console_ctrl_range_step, cf_console_ctrl_remove;
cf_entry cf_console_ctrl_selection1, cf_console_ctrl_selection2, cf_console_ctrl_selection3,
	cf_console_ctrl_selection4, cf_console_ctrl_selection5, cf_console_ctrl_selection6, cf_console_ctrl_selection7;
// The automatic step of a slider from minValue to maxValue: the power of
// ten s with s < |d| <= 10 s, d being a two-hundredth of the range; never
// negative, whichever way round the range is given.
double ctrlRangeStep(double minValue, double maxValue);

// --- help (consolehelp.cpp)
cf_entry cf_help_general, cf_help;

// --- scripts, the camera and the animation clock (consolescriptfunctions.cpp):
// a scene-file line, a camera rotation over time, the clock atime
cf_entry cf_cmd, cf_camrotfunc, cf_start_animation, cf_stop_animation, cf_pause_animation;

// --- labels (consolelabelfunctions.cpp): label(x) shows x's name at x,
// label(x, t) shows t's name there; both follow x
cf_entry cf_label, cf_label2;

// --- polygons (consolepolygonfunctions.cpp): a polygon named like p
// through N named points, "strip" or "loop" by the name of mode, else
// filled; the entries of 3 to 6 points call the body with their count
consoleVariable *cf_create_polygon(consoleScope *s, consoleVariable **arg, int N);
cf_entry cf_create_polygon_3, cf_create_polygon_4, cf_create_polygon_5, cf_create_polygon_6;
