// The console's on-line help: help() lists the topics, help(topic) prints
// the texts of one topic and help(all) every text. The texts are printed as
// they stand, never read as formats.
#include <string>

#include "console/consolevariable.h"
#include "console/consoleviewerfunctions.h"
#include "os/osdep.h"

namespace {

// The list of topics, printed by help().
const char *const sc_helpTopicList =
	"\n"
	"Help is available on the following topics:\n"
	"help(system)\n"
	"help(constants)\n"
	"help(operators)\n"
	"help(products)\n"
	"help(functions)\n"
	"help(boolean)\n"
	"help(projective)\n"
	"help(conformal)\n"
	"help(cast)\n"
	"help(display)\n"
	"help(controls)\n"
	"help(all) -- lists all help\n";

// Every help text, in the order help(all) prints them; each topic's texts
// stand together.
const char *const sc_helpTexts[] = {
	// system
	"\n"
	"System commands:\n"
	"cprint(arg1): prints the string 'arg1' to the console(NO printf like formatting!)\n"
	"cmd(arg1): executes the command 'arg1' as if it had been read from a .geo file\n"
	"prompt(): sets the default console prompt\n"
	"prompt(arg1): sets the console prompt to arg1\n"
	"select(arg1): selects arg1 (arg1 in global scope)\n"
	"remove(arg1): removes arg1 (arg1 in global scope)\n"
	"dynamic{arg1}: adds 'arg1' to the list of dynamic statements\n"
	"cld(): clears list of dynamic statements\n"
	"cld(name): removes the dynamic statement named 'name'\n"
	"start_animation(): starts the animation of dynamics depending on 'atime'\n"
	"stop_animation(): stops animation\n"
	"pause_animation(): pauses animation\n"
	"resume_animation(): resumes animation (synonym of start_animation())\n"
	"reset(): resets the entire viewer (console, dynamics, variables, etc)\n"
	"add_const(arg1): adds a constant. E.g.: add_const(I3 = e1 ^ e2 ^ e3);\n"
	"remove_const(arg1): removes a constant. E.g.: remove_const(I3);\n"
	"rename_builtin_const(arg1, arg2): renames builtin constant 'arg1' to 'arg2'.\n"
	"default_model([e3ga|p3ga|c3ga|i2ga]): sets default model of scalars, e1, e2, e3 to the argument\n"
	"default_model(): sets model to the default\n"
	"inner_product(functionName): sets the function used to evaluate the inner product to 'functionName' (hip, mhip, lcont and rcont and the recommended functions)\n"
	"get_interpretation(arg1): returns an integer that gives information about how 'arg1' is interpreted (useful to make your own autocolor)\n"
	"get_draw_flags(arg1): returns an integer that gives information about how what drawing properties of 'arg1' have been explicitly set (useful to make your own autocolor)\n"
	"label(arg1): draws a label at the position of arg1, the text of the label will be 'arg1'\n"
	"label(arg1, arg2): draws a label at the position of arg1, then text will be 'arg2'\n"
	"add_net_port(arg1): opens a new TCP network server on port 'arg1'\n"
	"remove_net_port(arg1): remove the TCP network server listening on port 'arg1'\n"
	"net_status(): gives a summary of network ports and connections\n"
	"net_close(): immediatelly shuts down all network ports and connections\n"
	"screenshot(filename, width, height, alsoWithoutLabels): renders screenshot\n"
	"set_window_title(title): sets the main window title to 'title'\n",
	// constants
	"\n"
	"Available constants:\n"
	"-All scalar numbers\n"
	"-e1, e2, e3: Euclidean basisvector\n"
	"-e0: Projective origin basisvector\n"
	"-ni, no: Conformal infinity and origin\n"
	"-gi, go: Grayscale infinity and origin\n"
	"-einf: Synonym for conformal infinity\n"
	"-pi: 3.1415926535897932384626433832795\n"
	"-e_: 2.7182818284590452353602874713527\n",
	// operators
	"\n"
	"Available unary operators:\n"
	"~ : reversion\n"
	"-  negation\n"
	"!  inversion\n"
	"Example of unary operator use: a = -e1\n",
	"\n"
	"Available binary operators (in order of precedence):\n"
	"^  outer product (precedence level 9)\n"
	"|  join (precedence level 8)\n"
	"&  meet (precedence level 8)\n"
	".  inner product (precedence level 7)\n"
	"'space' geometric product (precedence level 6)\n"
	"*  synonym for geometric product (precedence level 6)\n"
	"/  inverse geometric product (precedence level 6)\n"
	"+  addition (precedence level 5)\n"
	"-  subtraction (precedence level 5)\n"
	"< less (precedence level 4)\n"
	"> greater (precedence level 4)\n"
	"<= less or equal (precedence level 4)\n"
	">= greater or equal (precedence level 4)\n"
	"== equal (precedence level 3)\n"
	"!= not equal (precedence level 3)\n"
	"&& and (precedence level 2)\n"
	"|| or (precedence level 1)\n"
	"=  assignment (precedence level 0, right associative)\n"
	"All operators are left associative, except assignment (which isn't really an operator)\n"
	"Example of binary operator use: a = (e1 ^ e2) . c\n",
	// products
	"\n"
	"Available products:\n"
	"gp(arg1, arg2): returns the geometric product of arg1 and arg2\n"
	"igp(arg1, arg2): returns the inverse geometric product of arg1 and arg2\n"
	"op(arg1, arg2): returns the outer product of arg1 and arg2\n"
	"hip(arg1, arg2): returns the Hestenes inner product of arg1 and arg2\n"
	"mhip(arg1, arg2): returns the modifiedHestenes inner product of arg1 and arg2\n"
	"lcont(arg1, arg2): returns the left contraction of arg1 and arg2\n"
	"rcont(arg1, arg2): returns the right contraction of arg1 and arg2\n"
	"scp(arg1, arg2): returns the scalar product of arg1 and arg2\n"
	"gpem(arg1, arg2): returns the Euclidean Metric geometric product of arg1 and arg2\n"
	"lcem(arg1, arg2): returns the Euclidean Metric left contraction of arg1 and arg2\n"
	"meet(arg1, arg2): returns the meet of arg1 and arg2\n"
	"join(arg1, arg2): returns the join of arg1 and arg2\n"
	"cp(arg1, arg2): returns the commutator product of arg1 and arg2\n",
	// functions
	"\n"
	"Available functions:\n"
	"print(arg1): prints coordinates of arg1 to the console, returns 0\n"
	"print(arg1, arg2): prints coordinates of arg1 to the console with precision arg2 (e.g., arg2 = \"e\"), returns 0\n"
	"assign(arg1, arg2): assigns the value of arg2 to arg1, returns arg2\n"
	"add(arg1, arg2): returns arg1 + arg2\n"
	"sub(arg1, arg2): returns arg1 - arg2\n"
	"scalar(arg1): returns the scalar part of arg1\n"
	"dual(arg1): returns the dual of arg1 with respect to the full space\n"
	"dual(arg1, arg2): returns the dual of arg1 with respect to arg2\n"
	"reverse(arg1): returns the reverse of arg1\n"
	"clifford_conjugate(arg1): returns the clifford conjugate of arg1\n"
	"grade_involution(arg1): returns the grade involution of arg1\n"
	"inverse(arg1): returns the (versor) inverse of arg1\n"
	"general_inverse(arg1): returns the inverse of arg1 even if it is not a versor (returns 0 if inverse does not exist)\n"
	"negate(arg1): returns the negation of arg1\n",
	"\n"
	"grade(arg1, arg2): returns the grade 'arg2' part of arg1, e.g. grade(a, 2)\n"
	"grade(arg1): if arg1 is a blade, returns the grade of arg1, otherwise returns -1\n"
	"versor_parity(arg1): if arg1 is an even versor returns: 0, odd versor: 1; not a versor : -1.\n"
	"norm_2(arg1): returns the sum of the square of all coordinates of arg1\n"
	"norm_r(arg1): returns scp(arg1, reverse(arg1))\n"
	"norm(arg1): returns sqrt(abs(norm_r(arg1))) * sign(norm_r(arg1))\n"
	"normalize(arg1): returns arg1 / abs(norm_r(arg1))\n",
	"\n"
	"sqrt(arg1): returns sqrt(scalar(arg1))\n"
	"abs(arg1): returns abs(scalar(arg1))\n"
	"tan(arg1): returns tan(scalar(arg1)) -- [radians]\n"
	"sin(arg1): returns sin(scalar(arg1)) -- [radians]\n"
	"cos(arg1): returns cos(scalar(arg1)) -- [radians]\n"
	"atan(arg1): returns atan(scalar(arg1)) -- [radians]\n"
	"asin(arg1): returns asin(scalar(arg1)) -- [radians]\n"
	"acos(arg1): returns acos(scalar(arg1)) -- [radians]\n"
	"atan2(arg1): returns atan2(scalar(arg1), scalar(arg2)) -- [radians]\n"
	"sinh(arg1): returns sinh(scalar(arg1)) -- [radians]\n"
	"cosh(arg1): returns cosh(scalar(arg1)) -- [radians]\n"
	"sinc(arg1): returns sin(scalar(arg1)) / scalar(arg1) -- [radians]\n"
	"log(arg1): returns natural logarithm of scalar(arg1) (also of negative numbers)\n"
	"exp(arg1): returns exp(arg1) (inaccurate series expansion)\n"
	"pow(arg1, arg2): returns arg1 multiplied arg2 times with itself (arg2: integer >= 0))\n"
	"scalar_pow(arg1, arg2): arg1 raised to the power of arg2\n",
	"\n"
	"versor_product(arg1, arg2): returns (arg1 arg2 inverse(arg1))\n"
	"vp(arg1, arg2): synonym of versor_product(arg1, arg2)\n"
	"inverse_versor_product(arg1, arg2): returns (inverse(arg1) arg2 arg1)\n"
	"ivp(arg1, arg2): synonym of inverse_versor_product(arg1, arg2)\n"
	"project(arg1, arg2): returns the projection of arg1 onto arg2\n"
	"reject(arg1, arg2): returns the rejection of arg1 from arg2\n"
	"factor(arg1, arg2): returns factor 'arg2' of arg1 (arg2 = integer from 1 to the grade of arg1)\n",
	"\n"
	"create_polygon(poly_name, [fill|loop|strip], vertex1, vertex2, ..., vertexN): creates a new polygon (max. 6 vertices)\n",
	// boolean
	"\n"
	"Boolean functions (false = 0.0, true = any other value):\n"
	"equal(arg1, arg2): returns true if (arg1 - arg2) equals 0\n"
	"ne(arg1, arg2): returns true if (arg1 - arg2) does not equal 0\n"
	"less(arg1, arg2): returns true if scalar(arg1) < scalar(arg2)\n"
	"greater(arg1, arg2): returns true if scalar(arg1) > scalar(arg2)\n"
	"le(arg1, arg2): (less or equal) returns true if scalar(arg1) <= scalar(arg2)\n"
	"ge(arg1, arg2): (greater or equal) returns true if scalar(arg1) >= scalar(arg2)\n"
	"and(arg1, arg2): returns true if arg1 is true and arg2 is true\n"
	"or(arg1, arg2): returns true if arg1 is true or arg2 is true\n"
	"not(arg1): returns false if arg1 is true, and true if arg1 is false\n"
	"\n"
	"Bitwise functions (performed on 32 bit unsigned integers):\n"
	"bit_not(arg1): returns the bitwise 'not' of int(scalar(arg1))\n"
	"bit_and(arg1, arg2): returns the bitwise 'and' of int(scalar(arg1)) and int(scalar(arg2))\n"
	"bit_or(arg1, arg2): returns the bitwise 'or' of int(scalar(arg1)) and int(scalar(arg2))\n"
	"bit_xor(arg1, arg2): returns the bitwise 'xor' of int(scalar(arg1)) and int(scalar(arg2))\n"
	"bit_shift(arg1, arg2): returns bitwise shift left of int(scalar(arg1)) by int(scalar(arg2)) (can be negative for right shift)\n",
	// projective
	"\n"
	"Special functions for the projective model\n"
	"p3ga_point(arg1, arg2, arg3): returns the projective point constructed from the vector [arg1 e1 + arg2 e2 + arg3 e3]\n"
	"p3ga_point(arg1): returns the projective point constructed from the vector arg1\n",
	// conformal
	"\n"
	"Special functions for the conformal model\n"
	"c3ga_point(arg1, arg2, arg3): returns the conformal point constructed from the vector [arg1 e1 + arg2 e2 + arg3 e3]\n"
	"c3ga_point(arg1): returns the conformal point constructed from the vector arg1\n"
	"c3ga_point(arg1): returns the conformal point constructed from the projective point arg1\n"
	"translation_versor(arg1): returns a conformal versor that translates over vector arg1\n"
	"tv(arg1): synonym of translation_versor(arg1)\n"
	"translation_versor(arg1, arg2, arg3): returns a conformal versor that translates over vector [arg1 e1 + arg2 e2 + arg3 e3]\n"
	"tv(arg1, arg2, arg3): synonym of translation_versor(arg1, arg2, arg3)\n",
	// cast
	"\n"
	"Casting functions between models:\n"
	"C-like casting:\n"
	"(e3ga)arg1: casts arg1 to euclidean model\n"
	"(p3ga)arg1: casts arg1 to projective model\n"
	"(c3ga)arg1: casts arg1 to conformal model\n"
	"(i2ga)arg1: casts arg1 to image algebra \n",
	// display
	"\n"
	"Special functions for controlling display & drawing:\n"
	"clf(): clears the display (removes all variables/objects)\n"
	"clc(): clears the console\n",
	"\n"
	"set_object_color(arg1, colorName): sets color of 'arg1' to colorName (red, green, blue, white, magenta, yellow, cyan, black, gray, grey)\n"
	"set_object_color(arg1, R, G, B): sets color of 'arg1' to RGB\n"
	"set_object_color(arg1, R, G, B, A): sets color of 'arg1' to RGBA\n",
	"\n"
	"red(arg1), green(arg1), blue(arg1), ...\n"
	"white(arg1), magenta(arg1), yellow(arg1), ...\n"
	"cyan(arg1), black(arg1), grey(arg1), ...\n"
	"gray(arg1): (DEPRECATED) sets the color of arg1\n",
	"\n"
	"color(arg1, arg2, arg3, arg4): sets the color of arg1 to rgb value (arg2, arg3, arg4)\n"
	"color(arg1, arg2, arg3, arg4, arg5): sets the color of arg1 to rgba value (arg2, arg3, arg4, arg5)\n"
	"alpha(arg1, arg2): sets the alpha (opacity) of arg1 to arg2\n",
	"\n"
	"dm1(arg1), dm2(arg1), dm3(arg1), dm4(arg1), ...\n"
	"dm5(arg1), dm6(arg1), dm7(arg1): sets the 'draw method' of arg1\n",
	"\n"
	"stipple(arg1): draws arg1 stippled\n"
	"no_stipple(arg1): draws arg1 not stippled\n"
	"wireframe(arg1): draws arg1 in wireframe\n"
	"no_wireframe(arg1): draws arg1 without wireframe\n"
	"outline(arg1): outlines arg1\n"
	"no_outline(arg1): does not outline arg1\n"
	"weight(arg1): draws the weight of arg1\n"
	"no_weight(arg1): does not draw the weight of arg1\n"
	"ori(arg1): draws the orientation of arg1\n"
	"no_ori(arg1): does not draw the orientation of arg1\n"
	"hide(arg1): hides arg1\n"
	"show(arg1): shows arg1\n",
	"\n"
	"get_color(arg1): returns a vector with rgb color of arg1\n"
	"get_alpha(arg1): returns a scalar with alpha of arg1\n"
	"get_stipple(arg1): returns a boolean scalar with flag stipple of arg1\n"
	"get_wireframe(arg1): returns a boolean scalar with flag wireframe of arg1\n"
	"get_outline(arg1): returns a boolean scalar with flag outline of arg1\n"
	"get_weight(arg1): returns a boolean scalar with flag weight of arg1\n"
	"get_ori(arg1): returns a boolean scalar with flag ori of arg1\n"
	"get_hide(arg1): returns a boolean scalar with flag hide of arg1\n",
	"\n"
	"versor(arg1): forces versor interpretation of arg1\n"
	"blade(arg1): forces blade interpretation of arg1\n",
	"\n"
	"set_point_size(arg): sets the (drawing) size of points to 'arg' (default = 0.1)\n"
	"set_text_scale(arg): sets the scaling of text and labels to 'arg' (default = 1.0)\n"
	"set_line_width(arg): sets the width of most lines to 'arg' (default = 2.0)\n"
	"set_gl_lines(arg): sets the use of regular OpenGL lines (arg != 0), or 'tubes' (arg == 0).\n"
	"set_vector_head_size(arg): sets the size of vector 'heads' to 'arg' (default = -1.0 = auto size)\n"
	"set_point_sub_div(arg): sets the amount of subdivision of the geosphere used for rendering points (default = 2)\n"
	"set_sphere_sub_div(arg): sets the amount of subdivision of the geosphere used for rendering spheres (default = 3)\n",
	// controls
	"\n"
	"Functions for creating and removing console controls:\n"
	"ctrl_bool(name = value): creates a boolean control with 'name', set to value\n"
	"ctrl_range(name = value, min_value, max_value): creates a slider control with 'name', set to value, limited to min and max values\n"
	"ctrl_range(name = value, min_value, max_value, step): creates a slider control with 'name', set to value, limited to min and max values, with 'step'\n"
	"ctrl_select(name = value, option1 = value1, ..., optionN = valueN): creates a selection menu with 'name', set to value. A maximum op 7 options can be specified, 'value' must be one of the options\n"
	"ctrl_remove(name): removes any control with name 'name'\n",
};

// A topic's word and its texts, from index first on, count of them.
struct helpTopic_s {
	const char *word;
	int first;
	int count;
};

// The topics in the order their words are compared.
const helpTopic_s sc_helpTopics[] = {
	{"system", 0, 1},     {"constants", 1, 1},  {"operators", 2, 2}, {"products", 4, 1},
	{"functions", 5, 5},  {"boolean", 10, 1},   {"projective", 11, 1}, {"conformal", 12, 1},
	{"cast", 13, 1},      {"display", 14, 9},   {"controls", 23, 1},
};

// What every help call prints last.
const char *const sc_helpEnd = "\n\n";

void printTexts(int first, int count)
{
	for (int i = first; i < first + count; i++) cprintf("%s", sc_helpTexts[i]);
}

} // namespace

consoleVariable *cf_help_general(consoleScope *, consoleVariable **, const consoleFunc_s *)
{
	cprintf("%s", sc_helpTopicList);
	cprintf("%s", sc_helpEnd);
	return consoleEmptyScalar();
}

consoleVariable *cf_help(consoleScope *, consoleVariable **a, const consoleFunc_s *)
{
	const std::string &topic = a[0]->name();
	if (topic == "all") printTexts(0, (int)(sizeof sc_helpTexts / sizeof sc_helpTexts[0]));
	else
		for (const helpTopic_s &t : sc_helpTopics)
			if (topic == t.word) {
				printTexts(t.first, t.count);
				break;
			}
	cprintf("%s", sc_helpEnd);
	return consoleEmptyScalar();
}
