// The table of built-in rows that every new root global scope registers,
// in table order. Rows of one name that fit a call equally well are decided
// by this order, so the model blocks stand in the order e3ga, p3ga, c3ga,
// i2ga.
#include "console/consolegeneratedfunctions.h"
#include "console/consoleviewerfunctions.h"

namespace {

// Argument words of the rows.
template <class M> constexpr int valueOf = CFA_RHS | consoleModel<M>::code; // a value of model M
constexpr int sc_anyValue = CFA_RHS | CFA_ANY_MODEL;                          // a value of any model
constexpr int sc_anyName = CFA_LHS | CFA_ANY_MODEL;                           // a variable of any model, written

// The words of the viewer's rows: v any model as a value, n any model as a
// value or a name, e an e3ga value (others cast to it).
constexpr int sc_v = CFA_RHS | CFA_ANY_MODEL;
constexpr int sc_n = CFA_LHS | CFA_RHS | CFA_ANY_MODEL;
constexpr int sc_e = CFA_RHS | MODEL_E3GA;

} // namespace

// A row of the family of model M reaching entry cf_<M>_<SUFFIX>.
#define CF_ROW(M, NAME, SUFFIX, NB, ...) {NAME, nullptr, cf_##M##_##SUFFIX, NB, {__VA_ARGS__}},
#define CF_UNARY(M, NAME, SUFFIX) CF_ROW(M, NAME, SUFFIX, 1, valueOf<M>)
#define CF_BINARY(M, NAME, SUFFIX) CF_ROW(M, NAME, SUFFIX, 2, valueOf<M>, valueOf<M>)

// The 69 rows of the family of one model, in table order.
#define CF_FAMILY_ROWS(M)                                            \
	CF_UNARY(M, "print", print)                                      \
	CF_ROW(M, "print", print_prec, 2, valueOf<M>, sc_anyValue)       \
	CF_UNARY(M, "scalar", scalar)                                    \
	CF_UNARY(M, "dual", dual)                                        \
	CF_BINARY(M, "dual", dual2)                                      \
	CF_UNARY(M, "reverse", reverse)                                  \
	CF_UNARY(M, "clifford_conjugate", clifford_conjugate)            \
	CF_UNARY(M, "grade_involution", grade_involution)                \
	CF_UNARY(M, "inverse", inverse)                                  \
	CF_UNARY(M, "general_inverse", general_inverse)                  \
	CF_UNARY(M, "negate", negate)                                    \
	CF_ROW(M, "assign", assign, 2, sc_anyName, valueOf<M>)           \
	CF_BINARY(M, "gp", gp)                                           \
	CF_BINARY(M, "igp", igp)                                         \
	CF_BINARY(M, "op", op)                                           \
	CF_BINARY(M, "hip", hip)                                         \
	CF_BINARY(M, "mhip", mhip)                                       \
	CF_BINARY(M, "lcont", lcont)                                     \
	CF_BINARY(M, "rcont", rcont)                                     \
	CF_BINARY(M, "scp", scp)                                         \
	CF_BINARY(M, "gpem", gpem)                                       \
	CF_BINARY(M, "lcem", lcem)                                       \
	CF_BINARY(M, "meet", meet)                                       \
	CF_BINARY(M, "cp", cp)                                           \
	CF_BINARY(M, "join", join)                                       \
	CF_BINARY(M, "add", add)                                         \
	CF_BINARY(M, "sub", sub)                                         \
	CF_UNARY(M, "grade", grade_nb)                                   \
	CF_BINARY(M, "grade", grade)                                     \
	CF_UNARY(M, "versor_parity", versor_parity)                      \
	CF_UNARY(M, "norm", norm)                                        \
	CF_UNARY(M, "norm_2", norm_2)                                    \
	CF_UNARY(M, "norm_r", norm_r)                                    \
	CF_UNARY(M, "normalize", normalize)                              \
	CF_UNARY(M, "abs", abs)                                          \
	CF_UNARY(M, "sqrt", sqrt)                                        \
	CF_UNARY(M, "tan", tan)                                          \
	CF_UNARY(M, "sin", sin)                                          \
	CF_UNARY(M, "cos", cos)                                          \
	CF_UNARY(M, "atan", atan)                                        \
	CF_UNARY(M, "asin", asin)                                        \
	CF_UNARY(M, "acos", acos)                                        \
	CF_BINARY(M, "atan2", atan2)                                     \
	CF_UNARY(M, "cosh", cosh)                                        \
	CF_UNARY(M, "sinh", sinh)                                        \
	CF_UNARY(M, "sinc", sinc)                                        \
	CF_UNARY(M, "log", log)                                          \
	CF_UNARY(M, "exp", exp)                                          \
	CF_BINARY(M, "pow", pow)                                         \
	CF_BINARY(M, "scalar_pow", scalar_pow)                           \
	CF_BINARY(M, "versor_product", versorProduct)                    \
	CF_BINARY(M, "inverse_versor_product", inverseVersorProduct)     \
	CF_BINARY(M, "vp", versorProduct)                                \
	CF_BINARY(M, "ivp", inverseVersorProduct)                        \
	CF_BINARY(M, "mnvp", MNversorProduct)                            \
	CF_BINARY(M, "mnivp", MNinverseVersorProduct)                    \
	CF_BINARY(M, "project", project)                                 \
	CF_BINARY(M, "reject", reject)                                   \
	CF_BINARY(M, "factor", factor)                                   \
	CF_ROW(M, "set_factor", set_factor, 2, sc_anyValue, valueOf<M>)  \
	CF_BINARY(M, "equal", equal)                                     \
	CF_BINARY(M, "ne", ne)                                           \
	CF_BINARY(M, "less", less)                                       \
	CF_BINARY(M, "greater", greater)                                 \
	CF_BINARY(M, "le", le)                                           \
	CF_BINARY(M, "ge", ge)                                           \
	CF_BINARY(M, "and", and)                                         \
	CF_BINARY(M, "or", or)                                           \
	CF_UNARY(M, "not", not)

// The four cast rows of one source model S.
#define CF_CAST_ROWS_FROM(S)                                          \
	{"cast_e3ga", nullptr, cf_##S##_to_e3ga, 1, {valueOf<S>}},        \
	{"cast_p3ga", nullptr, cf_##S##_to_p3ga, 1, {valueOf<S>}},        \
	{"cast_c3ga", nullptr, cf_##S##_to_c3ga, 1, {valueOf<S>}},        \
	{"cast_i2ga", nullptr, cf_##S##_to_i2ga, 1, {valueOf<S>}},

const consoleFunc_s c_consoleFunc[] = {
	// the viewer's rows up to and including the two rows "help"
	{"add_net_port", nullptr, cf_add_net_port, 1, {sc_n}},
	{"remove_net_port", nullptr, cf_remove_net_port, 1, {sc_n}},
	{"net_status", nullptr, cf_net_status, 0, {0}},
	{"net_close", nullptr, cf_net_close, 0, {0}},
	{"screenshot", nullptr, cf_screenshot, 4, {sc_v, sc_n, sc_n, sc_n}},
	{"set_window_title", nullptr, cf_set_window_title, 1, {sc_v}},
	{"set_point_size", nullptr, cf_set_point_size, 1, {sc_n}},
	{"set_text_scale", nullptr, cf_set_text_scale, 1, {sc_n}},
	{"set_line_width", nullptr, cf_set_line_width, 1, {sc_n}},
	{"set_vector_head_size", nullptr, cf_set_vector_head_size, 1, {sc_n}},
	{"set_gl_lines", nullptr, cf_set_gl_lines, 1, {sc_n}},
	{"set_point_sub_div", nullptr, cf_set_point_sub_div, 1, {sc_n}},
	{"set_sphere_sub_div", nullptr, cf_set_sphere_sub_div, 1, {sc_n}},
	{"cmd", nullptr, cf_cmd, 1, {sc_n}},
	{"prompt", nullptr, cf_prompt, 1, {sc_n}},
	{"prompt", nullptr, cf_prompt_default, 0, {0}},
	{"cprint", nullptr, cf_cprint, 1, {sc_n}},
	{"select", nullptr, cf_select, 1, {sc_n}},
	{"remove", nullptr, cf_remove, 1, {sc_n}},
	{"get_draw_flags", nullptr, cf_get_draw_flags, 1, {sc_v}},
	{"get_interpretation", nullptr, cf_get_interpretation, 1, {sc_v}},
	{"autocolorfunc", nullptr, cf_autocolorfunc, 1, {sc_v}},
	{"camrot", nullptr, cf_camrotfunc, 2, {sc_e, sc_v}},
	{"add_const", nullptr, cf_add_const, 1, {sc_v}},
	{"remove_const", nullptr, cf_remove_const, 1, {sc_n}},
	{"rename_builtin_const", nullptr, cf_rename_builtin_const, 2, {sc_n, sc_n}},
	{"label", nullptr, cf_label, 1, {sc_v}},
	{"label", nullptr, cf_label2, 2, {sc_v, sc_v}},
	{"ctrl_bool", nullptr, cf_console_ctrl_bool, 1, {sc_v}},
	{"ctrl_range", nullptr, cf_console_ctrl_range, 3, {sc_v, sc_n, sc_n}},
	{"ctrl_range", nullptr, cf_console_ctrl_range_step, 4, {sc_v, sc_n, sc_n, sc_n}},
	{"ctrl_select", nullptr, cf_console_ctrl_selection1, 2, {sc_v, sc_v}},
	{"ctrl_select", nullptr, cf_console_ctrl_selection2, 3, {sc_v, sc_v, sc_v}},
	{"ctrl_select", nullptr, cf_console_ctrl_selection3, 4, {sc_v, sc_v, sc_v, sc_v}},
	{"ctrl_select", nullptr, cf_console_ctrl_selection4, 5, {sc_v, sc_v, sc_v, sc_v, sc_v}},
	{"ctrl_select", nullptr, cf_console_ctrl_selection5, 6, {sc_v, sc_v, sc_v, sc_v, sc_v, sc_v}},
	{"ctrl_select", nullptr, cf_console_ctrl_selection6, 7, {sc_v, sc_v, sc_v, sc_v, sc_v, sc_v, sc_v}},
	{"ctrl_select", nullptr, cf_console_ctrl_selection7, 8, {sc_v, sc_v, sc_v, sc_v, sc_v, sc_v, sc_v, sc_v}},
	{"ctrl_remove", nullptr, cf_console_ctrl_remove, 1, {sc_v}},
	{"cld", nullptr, cf_cld, 0, {0}},
	{"cld", nullptr, cf_cld_1, 1, {sc_v}},
	{"start_animation", nullptr, cf_start_animation, 0, {0}},
	{"stop_animation", nullptr, cf_stop_animation, 0, {0}},
	{"pause_animation", nullptr, cf_pause_animation, 0, {0}},
	{"resume_animation", nullptr, cf_start_animation, 0, {0}},
	{"reset", nullptr, cf_reset, 0, {0}},
	{"help", nullptr, cf_help_general, 0, {0}},
	{"help", nullptr, cf_help, 1, {sc_n}},

	// the model constructors
	{"p3ga_point", nullptr, cf_p3ga_point3, 3, {valueOf<e3ga>, valueOf<e3ga>, valueOf<e3ga>}},
	{"p3ga_point", nullptr, cf_p3ga_point1, 1, {valueOf<e3ga>}},
	{"c3ga_point", nullptr, cf_c3ga_point3, 3, {valueOf<e3ga>, valueOf<e3ga>, valueOf<e3ga>}},
	{"c3ga_point", nullptr, cf_c3ga_point1, 1, {valueOf<e3ga>}},
	{"c3ga_point", nullptr, cf_c3ga_pointP1, 1, {valueOf<p3ga>}},
	{"translation_versor", nullptr, cf_translation_versor3, 3, {valueOf<e3ga>, valueOf<e3ga>, valueOf<e3ga>}},
	{"tv", nullptr, cf_translation_versor3, 3, {valueOf<e3ga>, valueOf<e3ga>, valueOf<e3ga>}},
	{"translation_versor", nullptr, cf_translation_versor1, 1, {valueOf<e3ga>}},
	{"tv", nullptr, cf_translation_versor1, 1, {valueOf<e3ga>}},

	// the viewer's rows from "clf" to the last "create_polygon"
	{"clf", nullptr, cf_clf, 0, {0}},
	{"clc", nullptr, cf_clc, 0, {0}},
	{"set_object_fg_color", nullptr, cf_set_object_fg_color_vector, 2, {sc_v, sc_e}},
	{"set_object_fg_color", nullptr, cf_set_object_fg_color_RGB, 4, {sc_v, sc_e, sc_e, sc_e}},
	{"set_object_fg_color", nullptr, cf_set_object_fg_color_RGBA, 5, {sc_v, sc_e, sc_e, sc_e, sc_e}},
	{"red", nullptr, cf_red, 1, {sc_v}},
	{"green", nullptr, cf_green, 1, {sc_v}},
	{"blue", nullptr, cf_blue, 1, {sc_v}},
	{"white", nullptr, cf_white, 1, {sc_v}},
	{"magenta", nullptr, cf_magenta, 1, {sc_v}},
	{"yellow", nullptr, cf_yellow, 1, {sc_v}},
	{"cyan", nullptr, cf_cyan, 1, {sc_v}},
	{"black", nullptr, cf_black, 1, {sc_v}},
	{"grey", nullptr, cf_grey, 1, {sc_v}},
	{"gray", nullptr, cf_grey, 1, {sc_v}},
	{"color", nullptr, cf_color1, 2, {sc_v, sc_e}},
	{"color", nullptr, cf_color3, 4, {sc_v, sc_e, sc_e, sc_e}},
	{"color", nullptr, cf_color4, 5, {sc_v, sc_e, sc_e, sc_e, sc_e}},
	{"alpha", nullptr, cf_alpha, 2, {sc_v, sc_e}},
	{"versor", nullptr, cf_versor, 1, {sc_v}},
	{"blade", nullptr, cf_blade, 1, {sc_v}},
	{"dm1", nullptr, cf_dm1, 1, {sc_v}},
	{"dm2", nullptr, cf_dm2, 1, {sc_v}},
	{"dm3", nullptr, cf_dm3, 1, {sc_v}},
	{"dm4", nullptr, cf_dm4, 1, {sc_v}},
	{"dm5", nullptr, cf_dm5, 1, {sc_v}},
	{"dm6", nullptr, cf_dm6, 1, {sc_v}},
	{"dm7", nullptr, cf_dm7, 1, {sc_v}},
	{"stipple", nullptr, cf_stipple, 1, {sc_v}},
	{"no_stipple", nullptr, cf_no_stipple, 1, {sc_v}},
	{"ori", nullptr, cf_ori, 1, {sc_v}},
	{"no_ori", nullptr, cf_no_ori, 1, {sc_v}},
	{"wireframe", nullptr, cf_wireframe, 1, {sc_v}},
	{"no_wireframe", nullptr, cf_no_wireframe, 1, {sc_v}},
	{"shade", nullptr, cf_shade, 1, {sc_v}},
	{"no_shade", nullptr, cf_no_shade, 1, {sc_v}},
	{"hide", nullptr, cf_hide, 1, {sc_v}},
	{"show", nullptr, cf_show, 1, {sc_v}},
	{"outline", nullptr, cf_outline, 1, {sc_v}},
	{"no_outline", nullptr, cf_no_outline, 1, {sc_v}},
	{"weight", nullptr, cf_weight, 1, {sc_v}},
	{"no_weight", nullptr, cf_no_weight, 1, {sc_v}},
	{"get_color", nullptr, cf_get_color, 1, {sc_v}},
	{"get_alpha", nullptr, cf_get_alpha, 1, {sc_v}},
	{"get_stipple", nullptr, cf_get_stipple, 1, {sc_v}},
	{"get_wireframe", nullptr, cf_get_wireframe, 1, {sc_v}},
	{"get_outline", nullptr, cf_get_outline, 1, {sc_v}},
	{"get_weight", nullptr, cf_get_weight, 1, {sc_v}},
	{"get_ori", nullptr, cf_get_ori, 1, {sc_v}},
	{"get_hide", nullptr, cf_get_hide, 1, {sc_v}},
	{"bit_not", nullptr, cf_bit_not, 1, {sc_v}},
	{"bit_and", nullptr, cf_bit_and, 2, {sc_v, sc_v}},
	{"bit_or", nullptr, cf_bit_or, 2, {sc_v, sc_v}},
	{"bit_xor", nullptr, cf_bit_xor, 2, {sc_v, sc_v}},
	{"bit_shift", nullptr, cf_bit_shift, 2, {sc_v, sc_v}},
	{"create_polygon", nullptr, cf_create_polygon_3, 5, {sc_v, sc_v, sc_v, sc_v, sc_v}},
	{"create_polygon", nullptr, cf_create_polygon_4, 6, {sc_v, sc_v, sc_v, sc_v, sc_v, sc_v}},
	{"create_polygon", nullptr, cf_create_polygon_5, 7, {sc_v, sc_v, sc_v, sc_v, sc_v, sc_v, sc_v}},
	{"create_polygon", nullptr, cf_create_polygon_6, 8, {sc_v, sc_v, sc_v, sc_v, sc_v, sc_v, sc_v, sc_v}},

	// the model blocks
	CF_FAMILY_ROWS(e3ga)
	CF_FAMILY_ROWS(p3ga)
	CF_FAMILY_ROWS(c3ga)
	CF_FAMILY_ROWS(i2ga)

	// the casts, by source model
	CF_CAST_ROWS_FROM(e3ga)
	CF_CAST_ROWS_FROM(p3ga)
	CF_CAST_ROWS_FROM(c3ga)
	CF_CAST_ROWS_FROM(i2ga)

	{nullptr, nullptr, nullptr, 0, {0}},
};
