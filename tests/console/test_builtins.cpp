// The console's mathematical built-ins: the layout of their rows in the
// built-in table (this file), and each built-in called through its row
// (the files of test_builtins/).
#include <gtest/gtest.h>

#include <cstring>
#include <set>

#include "console/builtincalls.h"
#include "console/consolegeneratedfunctions.h"

namespace {

// A row as the table must hold it: name and argument words, M standing
// for a value of the block's model.
struct expectedRow {
	const char *name;
	std::vector<int> args;
};
constexpr int M = -1;
constexpr int anyValue = 0x30000000;
constexpr int anyName = 0x50000000;

// The rows of one model block, in table order.
const std::vector<expectedRow> c_block = {
	{"print", {M}}, {"print", {M, anyValue}}, {"scalar", {M}}, {"dual", {M}}, {"dual", {M, M}},
	{"reverse", {M}}, {"clifford_conjugate", {M}}, {"grade_involution", {M}}, {"inverse", {M}},
	{"general_inverse", {M}}, {"negate", {M}}, {"assign", {anyName, M}}, {"gp", {M, M}}, {"igp", {M, M}},
	{"op", {M, M}}, {"hip", {M, M}}, {"mhip", {M, M}}, {"lcont", {M, M}}, {"rcont", {M, M}}, {"scp", {M, M}},
	{"gpem", {M, M}}, {"lcem", {M, M}}, {"meet", {M, M}}, {"cp", {M, M}}, {"join", {M, M}}, {"add", {M, M}},
	{"sub", {M, M}}, {"grade", {M}}, {"grade", {M, M}}, {"versor_parity", {M}}, {"norm", {M}}, {"norm_2", {M}},
	{"norm_r", {M}}, {"normalize", {M}}, {"abs", {M}}, {"sqrt", {M}}, {"tan", {M}}, {"sin", {M}}, {"cos", {M}},
	{"atan", {M}}, {"asin", {M}}, {"acos", {M}}, {"atan2", {M, M}}, {"cosh", {M}}, {"sinh", {M}}, {"sinc", {M}},
	{"log", {M}}, {"exp", {M}}, {"pow", {M, M}}, {"scalar_pow", {M, M}}, {"versor_product", {M, M}},
	{"inverse_versor_product", {M, M}}, {"vp", {M, M}}, {"ivp", {M, M}}, {"mnvp", {M, M}}, {"mnivp", {M, M}},
	{"project", {M, M}}, {"reject", {M, M}}, {"factor", {M, M}}, {"set_factor", {anyValue, M}},
	{"equal", {M, M}}, {"ne", {M, M}}, {"less", {M, M}}, {"greater", {M, M}}, {"le", {M, M}}, {"ge", {M, M}},
	{"and", {M, M}}, {"or", {M, M}}, {"not", {M}},
};
// rows of the block that reach the entry of an earlier row: vp, ivp
const int c_sharedEntry[][2] = {{52, 50}, {53, 51}};

const int c_models[] = {MODEL_E3GA, MODEL_P3GA, MODEL_C3GA, MODEL_I2GA};

int rowIndex(const char *name)
{
	for (int i = 0; c_consoleFunc[i].name != nullptr; i++)
		if (std::strcmp(c_consoleFunc[i].name, name) == 0) return i;
	return -1;
}

void expectRow(const consoleFunc_s &f, const char *name, const std::vector<int> &args, int model, int where)
{
	EXPECT_STREQ(f.name, name) << "row " << where;
	EXPECT_EQ(f.funcStmt, nullptr) << "row " << where;
	EXPECT_NE(f.funcPtr, nullptr) << "row " << where;
	ASSERT_EQ(f.nbArg, (int)args.size()) << "row " << where << " " << name;
	for (int i = 0; i < 8; i++) {
		int word = i >= f.nbArg ? 0 : args[i] == M ? (0x20000000 | model) : args[i];
		EXPECT_EQ(f.arg[i], word) << "row " << where << " " << name << " argument " << i;
	}
}

} // namespace

TEST(BuiltinTable, ConstructorRows)
{
	const int e = 0x20000000 | MODEL_E3GA;
	const struct {
		const char *name;
		consoleFuncPtr entry;
		std::vector<int> args;
	} rows[] = {
		{"p3ga_point", cf_p3ga_point3, {e, e, e}},
		{"p3ga_point", cf_p3ga_point1, {e}},
		{"c3ga_point", cf_c3ga_point3, {e, e, e}},
		{"c3ga_point", cf_c3ga_point1, {e}},
		{"c3ga_point", cf_c3ga_pointP1, {0x20000000 | MODEL_P3GA}},
		{"translation_versor", cf_translation_versor3, {e, e, e}},
		{"tv", cf_translation_versor3, {e, e, e}},
		{"translation_versor", cf_translation_versor1, {e}},
		{"tv", cf_translation_versor1, {e}},
	};
	static_assert(sizeof rows / sizeof rows[0] == CF_CONSTRUCTOR_ROWS);
	int first = rowIndex("p3ga_point");
	ASSERT_GE(first, 0);
	for (int i = 0; i < CF_CONSTRUCTOR_ROWS; i++) {
		expectRow(c_consoleFunc[first + i], rows[i].name, rows[i].args, 0, first + i);
		EXPECT_EQ(c_consoleFunc[first + i].funcPtr, rows[i].entry) << rows[i].name;
	}
	// the viewer's rows, when present, stand between them and the model blocks
	EXPECT_LE(first + CF_CONSTRUCTOR_ROWS, rowIndex("print"));
}

TEST(BuiltinTable, ModelBlocksCastsAndEnd)
{
	ASSERT_EQ((int)c_block.size(), CF_MODEL_BLOCK_ROWS);
	const int first = rowIndex("print");
	ASSERT_GE(first, 0);
	for (int b = 0; b < 4; b++) {
		const consoleFunc_s *block = c_consoleFunc + first + b * CF_MODEL_BLOCK_ROWS;
		std::set<consoleFuncPtr> entries;
		for (int i = 0; i < CF_MODEL_BLOCK_ROWS; i++) {
			expectRow(block[i], c_block[i].name, c_block[i].args, c_models[b], first + b * CF_MODEL_BLOCK_ROWS + i);
			entries.insert(block[i].funcPtr);
		}
		// one entry per row but for vp and ivp
		EXPECT_EQ((int)entries.size(), CF_MODEL_BLOCK_ROWS - 2);
		for (auto &shared : c_sharedEntry) EXPECT_EQ(block[shared[0]].funcPtr, block[shared[1]].funcPtr);
	}
	// named entries at their rows
	const consoleFunc_s *e3 = c_consoleFunc + first, *i2 = e3 + 3 * CF_MODEL_BLOCK_ROWS;
	EXPECT_EQ(e3[27].funcPtr, cf_e3ga_grade_nb);
	EXPECT_EQ(e3[52].funcPtr, cf_e3ga_versorProduct);
	EXPECT_EQ(i2[68].funcPtr, cf_i2ga_not);
	EXPECT_NE(e3[12].funcPtr, i2[12].funcPtr);

	// the casts: per source model, the four targets
	const consoleFunc_s *casts = c_consoleFunc + first + 4 * CF_MODEL_BLOCK_ROWS;
	const char *targets[] = {"cast_e3ga", "cast_p3ga", "cast_c3ga", "cast_i2ga"};
	for (int s = 0; s < 4; s++)
		for (int t = 0; t < 4; t++) expectRow(casts[4 * s + t], targets[t], {M}, c_models[s], 4 * s + t);
	EXPECT_EQ(casts[1].funcPtr, cf_e3ga_to_p3ga);
	EXPECT_EQ(casts[15].funcPtr, cf_i2ga_to_i2ga);

	// and the end row
	const consoleFunc_s &end = casts[CF_CAST_ROWS];
	EXPECT_EQ(end.name, nullptr);
	EXPECT_EQ(end.funcPtr, nullptr);
	EXPECT_EQ(end.nbArg, 0);
}
