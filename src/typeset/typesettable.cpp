#include "typeset/typesettable.h"

#include <GL/gl.h>

#include <algorithm>
#include <cstring>
#include <utility>
#include <vector>

#include "typeset/typeset.h"
#include "typeset/typesetline.h"

// Options a table takes: its column format and up to 31 rows.
constexpr int sc_tsMaxTabularOptions = 32;

// Column stretch before any entry is seen: every entry's is smaller.
constexpr double sc_tsNoStretch = 1e21;

namespace {

// The column alignment of a format letter, or -1.
int columnFormat(char c)
{
	switch (c) {
	case 'l': return TS_ALIGN_LEFT;
	case 'r': return TS_ALIGN_RIGHT;
	case 'c': return TS_ALIGN_CENTER;
	case 'j': return TS_ALIGN_JUSTIFY;
	default: return -1;
	}
}

// The depths of the attribute stacks, to return to after an entry whose
// building stopped half-way through its scopes.
struct stackDepths_s {
	int font, mode, align, size, color;
};

stackDepths_s depths(const typesetState *s)
{
	return {s->m_fontStack.m_top, s->m_modeStack.m_top, s->m_alignStack.m_top, s->m_sizeStack.m_top,
	        s->m_colorStack.m_top};
}

void restoreDepths(typesetState *s, const stackDepths_s &d)
{
	while (s->m_fontStack.m_top > d.font)
		s->popFont();
	while (s->m_modeStack.m_top > d.mode)
		s->popMode();
	while (s->m_alignStack.m_top > d.align)
		s->popAlign();
	while (s->m_sizeStack.m_top > d.size)
		s->popSize();
	while (s->m_colorStack.m_top > d.color)
		s->popColor();
}

void deleteRow(tsTabularRow_s *row)
{
	for (int i = 0; i < row->box.m_nb; i++)
		delete row->box.m_item[i];
	delete row;
}

} // namespace

tsTabularBox::tsTabularBox(typesetState *s)
	: typesetBox(s, TS_TABULAR), m_vlineWidth(0.0), m_nbColumns(0), m_vlWidth(0.15 * m_fontSize),
	  m_hlWidth(0.1 * m_fontSize)
{
}

tsTabularBox::~tsTabularBox()
{
	for (int i = 0; i < m_row.m_nb; i++)
		deleteRow(m_row.m_item[i]);
}

int tsTabularBox::setup(typesetState *s, fpNode_s *command)
{
	fpNode_s *options[sc_tsMaxTabularOptions];
	int n = sc_tsMaxTabularOptions;
	getOptions(n, command->child[0], options, -1, "tsTabularBox::tsTabularBox()", "tabular");
	if (n < 2) {
		tsReport(command, "tsTabularBox::tsTabularBox(): to few arguments to tabular command\n");
		return 1;
	}
	if (setFormat(options[0]) < 0) {
		tsReport(command, "tsTabularBox::tsTabularBox(): could not parse column format of tabular:\n");
		return 1;
	}
	for (int i = 1; i < n; i++) {
		auto *row = new tsTabularRow_s{};
		if (setupRow(s, row, options[i]) < 0 || m_row.add(row) < 0) {
			tsReport(options[i], "tsTabularBox::tsTabularBox(): error adding row '%d' to tabular\n", i - 1);
			deleteRow(row);
		}
	}
	measure();
	return 0;
}

int tsTabularBox::setFormat(fpNode_s *option)
{
	int status = 0;
	auto separator = [this](int kind) {
		m_format.add(kind);
		m_vlineWidth += m_vlWidth;
	};
	tsForEachItem(tsOptionSentence(option), [&](fpNode_s *item) {
		switch (item->type) {
		case FP_WORD:
			// One column a letter.
			for (const char *c = item->str; *c; c++) {
				int align = columnFormat(*c);
				if (align < 0)
					tsReport(item, "tsTabularBox::setFormat(): ignoring unknown column format '%c':\n", *c);
				else if (m_format.add(align) == 0)
					m_nbColumns++;
			}
			return true;
		case FP_SPECIALCHAR:
			if (item->nb != '|')
				break;
			separator(TS_FORMAT_VLINE);
			return true;
		case FP_WHITESPACE:
			// One space a counted character.
			for (int k = 0; k < item->nb; k++)
				separator(TS_FORMAT_SPACE);
			return true;
		default: break;
		}
		tsReport(item, "tsTabularBox::setFormat(): could not parse node of type '%d' in tabular column format:\n",
		         item->type);
		status = -1;
		return false;
	});
	return status;
}

int tsTabularBox::setupRow(typesetState *s, tsTabularRow_s *row, fpNode_s *option)
{
	int rowIdx = m_row.m_nb;
	fpNode_s *sentence = tsOptionSentence(option);
	// A rule or space row is marked by its first item.
	fpNode_s *first = nullptr;
	tsForEachItem(sentence, [&](fpNode_s *item) {
		first = item->type == FP_WHITESPACE ? nullptr : item;
		return !first;
	});
	if (first && first->type == FP_COMMAND_NOOPT &&
	    (strcmp(first->str, "\\hline") == 0 || strcmp(first->str, "\\hspace") == 0)) {
		row->rowType = strcmp(first->str, "\\hline") == 0 ? TS_ROW_HLINE : TS_ROW_HSPACE;
		row->ascent = m_hlWidth;
		row->descent = 0.0;
		return 0;
	}
	row->rowType = TS_ROW_ENTRIES;
	// The entries between "&" characters, each from its first sentence node
	// up to the node of the "&" after it; a trailing "&" leaves an empty one.
	std::vector<std::pair<fpNode_s *, fpNode_s *>> entries;
	fpNode_s *start = sentence ? fpDescentLeft(sentence) : nullptr;
	for (fpNode_s *node = start; node && node != option; node = node->parent) {
		const fpNode_s *item = node->child[1];
		if (item && item->type == FP_SPECIALCHAR && item->nb == '&') {
			entries.emplace_back(start, node);
			start = node->parent;
		}
	}
	entries.emplace_back(start, option);
	int column = 0;
	for (int f = 0; f < m_format.m_nb && column < (int)entries.size(); f++) {
		int align = m_format.m_item[f];
		if (align >= TS_FORMAT_VLINE)
			continue;
		// Each entry with its column's alignment.
		stackDepths_s before = depths(s);
		s->pushAlign(align);
		auto *box = new tsVBox(s);
		s->m_boxNesting++;
		int result = box->setup(s, entries[column].first, entries[column].second);
		s->m_boxNesting--;
		restoreDepths(s, before);
		if (result < 0) {
			tsReport(option, "tsTabularBox::setupRow(): error setting up entry '%d' in tabular row\n", column);
			delete box;
			return -1;
		}
		if (row->box.add(box) < 0) {
			delete box;
			return -1;
		}
		column++;
	}
	// Entries beyond the last column have no place.
	for (int j = m_nbColumns; j < (int)entries.size(); j++)
		tsReport(option, "tsTabularBox::setupRow(): ignoring entry '%d' beyond the last column in tabular row\n", j);
	for (; column < m_nbColumns; column++) {
		tsReport(option, "tsTabularBox::tsTabularBox(): Padding tabular row %d, column %d with empty VBox:\n", rowIdx,
		         column);
		auto *box = new tsVBox(s);
		if (row->box.add(box) < 0) {
			delete box;
			return -1;
		}
	}
	row->ascent = row->descent = 0.0;
	for (int j = 0; j < row->box.m_nb; j++) {
		row->ascent = std::max(row->ascent, row->box.m_item[j]->m_ascent);
		row->descent = std::min(row->descent, row->box.m_item[j]->m_descent);
	}
	return 0;
}

void tsTabularBox::measure()
{
	m_columnWidth.clear();
	m_columnStretch.clear();
	for (int j = 0; j < m_nbColumns; j++) {
		double width = 0.0, stretch = sc_tsNoStretch;
		for (int r = 0; r < m_row.m_nb; r++) {
			const tsTabularRow_s *row = m_row.m_item[r];
			if (row->rowType != TS_ROW_ENTRIES || j >= row->box.m_nb)
				continue;
			width = std::max(width, row->box.m_item[j]->m_width);
			stretch = std::min(stretch, row->box.m_item[j]->stretch());
		}
		m_columnWidth.add(width);
		m_columnStretch.add(stretch);
	}
	m_width = m_vlineWidth;
	for (int j = 0; j < m_columnWidth.m_nb; j++)
		m_width += m_columnWidth.m_item[j];
	// Centred on the height of a fraction bar.
	double height = 0.0;
	for (int r = 0; r < m_row.m_nb; r++)
		height += m_row.m_item[r]->ascent - m_row.m_item[r]->descent;
	m_ascent = height / 2.0 + 0.25 * m_fontSize;
	m_descent = m_ascent - height;
}

double tsTabularBox::stretch()
{
	double stretch = 0.00001;
	for (int j = 0; j < m_columnStretch.m_nb; j++)
		stretch += m_columnStretch.m_item[j];
	return stretch;
}

int tsTabularBox::typeset(typesetState *s)
{
	s->pushTrans(m_x, m_y);
	float rule = (float)(sc_tsRuleWidth * m_fontSize);
	// Rows from the top, entries at their columns' left edges.
	double y = m_ascent;
	for (int r = 0; r < m_row.m_nb; r++) {
		const tsTabularRow_s *row = m_row.m_item[r];
		double baseline = y - row->ascent;
		if (row->rowType == TS_ROW_HLINE) {
			const double x[2] = {0.5 * m_vlWidth, m_width - 0.5 * m_vlWidth};
			const double ly[2] = {y - 0.5 * m_hlWidth, y - 0.5 * m_hlWidth};
			s->addLine(2, GL_LINES, x, ly, rule, m_color);
		} else if (row->rowType == TS_ROW_ENTRIES) {
			double x = 0.0;
			int column = 0;
			for (int f = 0; f < m_format.m_nb; f++) {
				if (m_format.m_item[f] >= TS_FORMAT_VLINE) {
					x += m_vlWidth;
					continue;
				}
				double width = m_columnWidth.m_item[column];
				if (column < row->box.m_nb) {
					tsVBox *box = row->box.m_item[column];
					box->setPos(x, baseline);
					box->typeset(s, width);
				}
				x += width;
				column++;
			}
		}
		y = baseline + row->descent;
	}
	// Vertical lines between the columns as justification widened them.
	double natural = m_vlineWidth;
	for (int j = 0; j < m_columnWidth.m_nb; j++)
		natural += m_columnWidth.m_item[j];
	double extra = m_width - natural, total = stretch();
	double x = 0.0;
	int column = 0;
	for (int f = 0; f < m_format.m_nb; f++) {
		int entry = m_format.m_item[f];
		if (entry < TS_FORMAT_VLINE) {
			x += m_columnWidth.m_item[column] + extra * m_columnStretch.m_item[column] / total;
			column++;
			continue;
		}
		if (entry == TS_FORMAT_VLINE) {
			const double lx[2] = {x + 0.5 * m_vlWidth, x + 0.5 * m_vlWidth};
			const double ly[2] = {m_ascent - 0.5 * m_hlWidth, m_descent + 0.5 * m_hlWidth};
			s->addLine(2, GL_LINES, lx, ly, rule, m_color);
		}
		x += m_vlWidth;
	}
	s->popPos();
	return 0;
}
