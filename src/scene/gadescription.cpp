#include "scene/gadescription.h"

#include <cstdarg>
#include <cstdio>

#include "scene/mvint.h"

namespace {

// Text appended to a buffer that never overflows: what does not fit is cut.
class boundedText {
public:
	boundedText(char *buf, int bufLen) : m_buf(buf), m_len(bufLen), m_used(0) { m_buf[0] = '\0'; }
	void add(const char *format, ...) __attribute__((format(printf, 2, 3)))
	{
		if (m_used >= m_len - 1) return;
		va_list args;
		va_start(args, format);
		int n = std::vsnprintf(m_buf + m_used, m_len - m_used, format, args);
		va_end(args);
		if (n > 0) m_used = n < m_len - m_used ? m_used + n : m_len - 1;
	}

private:
	char *m_buf;
	int m_len;
	int m_used;
};

void addField(boundedText &t, const mvInt &I, descriptionField field)
{
	const double *v = nullptr;
	switch (field) {
	case DF_SCALAR0: t.add("%f", I.m_scalar[0]); return;
	case DF_SCALAR0_SHORT: t.add("%2.2f", I.m_scalar[0]); return;
	case DF_SCALAR1: t.add("%f", I.m_scalar[1]); return;
	case DF_SCALAR1_SHORT: t.add("%2.2f", I.m_scalar[1]); return;
	case DF_POINT0: v = I.m_point[0]; break;
	case DF_POINT1: v = I.m_point[1]; break;
	case DF_VECTOR0: v = I.m_vector[0]; break;
	}
	t.add("%2.2f %2.2f %2.2f", v[0], v[1], v[2]);
}

const descriptionRow *rowOf(const descriptionModel &model, int kind)
{
	for (const descriptionRow *row = model.rows; row->kind != 0; row++)
		if (row->kind == kind) return row;
	return nullptr;
}

} // namespace

int describeInterpretation(char *buf, int bufLen, int shortForm, const char *name, const descriptionModel &model,
                           const mvInt &I, const char *coordinates)
{
	if (buf == nullptr || bufLen <= 0) return 0;
	boundedText t(buf, bufLen);
	const int kind = I.m_type & MVI_KIND_MASK;
	const descriptionRow *row = I.m_valid ? rowOf(model, kind) : nullptr;

	// no row: an unknown blade, or no blade at all
	if (row == nullptr) {
		const char *what = (I.m_valid && (I.m_type & MVI_BLADE)) ? "blade" : "object";
		if (shortForm) t.add("%s: unknown %s %s%s", name, model.name, what, model.unknownEnd);
		else t.add("Unknown %s %s.\nCoordinates: %s", model.name, what, coordinates);
		return 0;
	}

	const char *dual = (I.m_type & MVI_DUAL) ? " dual" : "";
	if (shortForm) {
		t.add("%s: %s %s%s", name, model.name, row->title, dual);
		if (row->shortNumber != nullptr) t.add(", %s: %f", row->shortNumber, I.m_scalar[0]);
		return 0;
	}
	t.add("%s %s%s\n", model.name, row->title, dual);
	for (const descriptionLine &line : row->lines) {
		if (line.label == nullptr) break;
		t.add("%s: ", line.label);
		addField(t, I, line.field);
		t.add("\n");
	}
	t.add("Coordinates: %s", coordinates);
	return 0;
}
