#include "typeset/typesetline.h"

#include <algorithm>
#include <cstring>

#include "typeset/typeset.h"
#include "typeset/typesetword.h"

// Justification divides by the sum of stretches; this keeps a line of
// boxes that do not stretch from dividing by zero.
constexpr double sc_tsMinStretchSum = 0.0000000001;

void tsPushScope(typesetState *s, const tsScope_s &scope)
{
	if (scope.pushed & TS_PUSHED_FONT)
		s->pushFont(scope.font);
	if (scope.pushed & TS_PUSHED_MODE)
		s->pushMode(scope.mode);
	if (scope.pushed & TS_PUSHED_ALIGN)
		s->pushAlign(scope.align);
	if (scope.pushed & TS_PUSHED_SIZE)
		s->pushSize(scope.size);
	if (scope.pushed & TS_PUSHED_COLOR)
		s->pushColor(scope.color);
}

void tsPopScope(typesetState *s, int flags)
{
	if (flags & TS_PUSHED_FONT)
		s->popFont();
	if (flags & TS_PUSHED_MODE)
		s->popMode();
	if (flags & TS_PUSHED_ALIGN)
		s->popAlign();
	if (flags & TS_PUSHED_SIZE)
		s->popSize();
	if (flags & TS_PUSHED_COLOR)
		s->popColor();
}

fpNode_s *tsSpliceIntoChain(fpNode_s *sentence, fpNode_s *content)
{
	fpNode_s *first = fpDescentLeft(content);
	first->child[0] = sentence->child[0];
	if (first->child[0])
		first->child[0]->parent = first;
	sentence->child[0] = content;
	content->parent = sentence;
	fpNodeFree(sentence->child[1]);
	sentence->child[1] = nullptr;
	return first;
}

namespace {

// Skips the rest of a chain from node up to end: what its scoped commands
// pushed is popped as if the walk had passed them.
void skipToEnd(typesetState *s, fpNode_s *node, const fpNode_s *end)
{
	for (; node && node != end; node = node->parent) {
		tsPopScope(s, node->flags);
		node->flags = 0;
	}
}

} // namespace

tsVBox::tsVBox(typesetState *s) : typesetBox(s, TS_VBOX) {}

int tsVBox::setup(typesetState *s, fpNode_s *tree)
{
	return tree ? setup(s, fpDescentLeft(tree), tree->parent) : 0;
}

int tsVBox::setup(typesetState *s, fpNode_s *first, fpNode_s *end)
{
	int status = 0;
	// One line after the other, each up to a line break or the end.
	for (fpNode_s *node = first; node && node != end;) {
		auto *line = new tsHBox(s);
		fpNode_s *next = nullptr;
		int result = line->setup(s, node, next, end);
		if (result < 0) {
			delete line;
			status = -1;
			break;
		}
		line->finish();
		if (addChild(line) < 0) {
			status = -1;
			break;
		}
		if (result == 0)
			break;
		node = next;
	}
	// The origin is the first line's baseline; the lines stack below it.
	double height = 0.0;
	m_width = 0.0;
	for (int i = 0; i < m_nbChildren; i++) {
		m_width = std::max(m_width, m_child[i]->m_width);
		height += m_child[i]->m_ascent - m_child[i]->m_descent;
	}
	m_ascent = m_nbChildren > 0 ? m_child[0]->m_ascent : 0.0;
	m_descent = m_ascent - height;
	return status;
}

int tsVBox::typeset(typesetState *s, double maxWidth)
{
	s->pushTrans(m_x, m_y);
	if (maxWidth > 0.0) {
		// Break each line before the first box that does not fit, keeping at
		// least one box a line; the rest is the next line to examine.
		for (int i = 0; i < m_nbChildren; i++) {
			auto *line = static_cast<tsHBox *>(m_child[i]);
			int taken = 0;
			double width = 0.0;
			for (; taken < line->m_nbChildren; taken++) {
				double w = line->m_child[taken]->m_width;
				if (taken > 0 && width + w > maxWidth)
					break;
				width += w;
			}
			if (taken == line->m_nbChildren) {
				line->computeSize();
				continue;
			}
			auto *broken = new tsHBox(*line);
			for (int k = 0; k < taken; k++)
				broken->addChild(line->takeChild(0));
			broken->deleteTrailingWhiteSpace();
			broken->computeSize();
			// Nor does the next line begin with the space the break fell on.
			while (line->m_nbChildren > 0 && line->m_child[0]->whiteSpace() &&
			       !static_cast<tsWhiteSpaceBox *>(line->m_child[0])->m_forced)
				line->removeChild(0);
			if (insertChild(i, broken) < 0)
				break;
		}
		m_width = maxWidth;
	} else {
		m_width = 0.0;
		for (int i = 0; i < m_nbChildren; i++) {
			static_cast<tsHBox *>(m_child[i])->computeSize();
			m_width = std::max(m_width, m_child[i]->m_width);
		}
	}
	// From the top down, each line as wide as the box.
	double y = m_ascent;
	for (int i = 0; i < m_nbChildren; i++) {
		auto *line = static_cast<tsHBox *>(m_child[i]);
		line->m_maxWidth = m_width;
		line->setPos(0.0, y - line->m_ascent);
		line->typeset(s);
		y = line->m_y + line->m_descent;
	}
	m_descent = y;
	s->popPos();
	return 0;
}

tsHBox::tsHBox(typesetState *s) : typesetBox(s, TS_HBOX), m_maxWidth(0.0) {}

tsHBox::tsHBox(const tsHBox &like) : typesetBox(like), m_maxWidth(like.m_maxWidth) {}

int tsHBox::setup(typesetState *s, fpNode_s *node, fpNode_s *&next, fpNode_s *end)
{
	next = nullptr;
	// Up the chain: each sentence node holds the next item.
	while (node && node != end) {
		if (node->type != FP_SENTENCE) {
			tsReport(node, "tsHBox::setup(): can only process 'sentence' nodes, not nodes of type '%d':\n",
			         node->type);
			return -1;
		}
		fpNode_s *jump = nullptr;
		bool lineBreak = false;
		if (node->child[1] && setupItem(s, node, jump, lineBreak) < 0)
			return -1;
		// Content spliced in place of the item comes first; this node's
		// scope ends when the walk is back here.
		if (jump) {
			node = jump;
			continue;
		}
		tsPopScope(s, node->flags);
		node->flags = 0;
		fpNode_s *parent = node->parent;
		if (lineBreak) {
			next = parent != end ? parent : nullptr;
			return 1;
		}
		node = parent;
	}
	return 0;
}

int tsHBox::setupItem(typesetState *s, fpNode_s *sentence, fpNode_s *&jump, bool &lineBreak)
{
	fpNode_s *item = sentence->child[1];
	switch (item->type) {
	case FP_WORD: return addChild(new tsWordBox(s, item->str, (int)strlen(item->str)));
	case FP_WHITESPACE: {
		// Text keeps one space between boxes, however wide the white space;
		// equations keep none.
		typesetBox *last = lastBox();
		if (s->mode() == TS_MODE_TEXT && last && !last->whiteSpace())
			return addChild(new tsWhiteSpaceBox(s, 0.25 * s->size(), 0));
		return 0;
	}
	case FP_NUMBER: return addChild(new tsNumberBox(s, item->str));
	case FP_COMMAND: return setupCommand(s, sentence, jump);
	case FP_COMMAND_NOOPT: return setupCommandNoOption(s, sentence, jump, lineBreak);
	case FP_ARGUMENT:
		tsReport(item, "tsHBox::setup(): unsubstituted command argument '%d' (ignoring): \n", item->nb);
		return 0;
	case FP_SPECIALCHAR: {
		char c = (char)item->nb;
		return addChild(new tsWordBox(s, &c, 1));
	}
	case FP_SUPERSCRIPT:
	case FP_SUBSCRIPT: {
		tsScriptBox *box = getScriptBox(s);
		if (!box)
			return -1;
		return box->addScript(s, item, item->type == FP_SUPERSCRIPT);
	}
	default: tsReport(item, "tsHBox::setup(): unknown node of type '%d':\n", item->type); return -1;
	}
}

tsScriptBox *tsHBox::getScriptBox(typesetState *s)
{
	deleteTrailingWhiteSpace();
	typesetBox *last = lastBox();
	if (!last)
		return nullptr;
	if (last->m_type == TS_SCRIPT)
		return static_cast<tsScriptBox *>(last);
	auto *box = new tsScriptBox(s, takeChild(m_nbChildren - 1));
	return addChild(box) < 0 ? nullptr : box;
}

tsHBox *tsHBox::setupContentLine(typesetState *s, fpNode_s *sentence, bool &broke)
{
	broke = false;
	auto *line = new tsHBox(s);
	if (sentence) {
		const fpNode_s *end = sentence->parent;
		fpNode_s *next = nullptr;
		s->m_boxNesting++;
		int result = line->setup(s, fpDescentLeft(sentence), next, sentence->parent);
		s->m_boxNesting--;
		if (result < 0) {
			delete line;
			return nullptr;
		}
		if (result == 1) {
			broke = true;
			skipToEnd(s, next, end);
		}
	}
	line->finish();
	return line;
}

void tsHBox::finish()
{
	setAlignment();
	spaceEqnOperators();
	deleteTrailingWhiteSpace();
	computeSize();
}

void tsHBox::setAlignment()
{
	if (const typesetBox *last = lastBox())
		m_align = last->m_align;
}

void tsHBox::spaceEqnOperators()
{
	for (int i = 0; i < m_nbChildren; i++) {
		const typesetBox *op = m_child[i];
		if (!op->eqnOperator())
			continue;
		double width = 0.1 * op->m_fontSize;
		// Before, unless first or after an operator or space.
		const typesetBox *before = i > 0 ? m_child[i - 1] : nullptr;
		if (before && !before->eqnOperator() && !before->whiteSpace()) {
			if (insertChild(i, new tsWhiteSpaceBox(*op, width, 0)) < 0)
				return;
			i++;
		}
		// After, unless last or before an operator or space.
		const typesetBox *after = i + 1 < m_nbChildren ? m_child[i + 1] : nullptr;
		if (after && !after->eqnOperator() && !after->whiteSpace()) {
			if (insertChild(i + 1, new tsWhiteSpaceBox(*op, width, 0)) < 0)
				return;
			i++;
		}
	}
}

void tsHBox::deleteTrailingWhiteSpace()
{
	while (const typesetBox *last = lastBox()) {
		if (!last->whiteSpace() || static_cast<const tsWhiteSpaceBox *>(last)->m_forced)
			break;
		removeChild(m_nbChildren - 1);
	}
}

void tsHBox::computeSize()
{
	m_width = m_ascent = m_descent = 0.0;
	for (int i = 0; i < m_nbChildren; i++) {
		const typesetBox *c = m_child[i];
		m_width += c->m_width;
		m_ascent = std::max(m_ascent, c->m_y + c->m_ascent);
		m_descent = std::min(m_descent, c->m_y + c->m_descent);
	}
}

int tsHBox::typeset(typesetState *s)
{
	double spare = m_maxWidth - m_width;
	double x = 0.0;
	switch (m_align) {
	case TS_ALIGN_RIGHT: x = spare; break;
	case TS_ALIGN_CENTER: x = spare / 2.0; break;
	case TS_ALIGN_JUSTIFY:
		// Spare width goes to the boxes by their stretch.  A line wider than
		// its room (one box too wide for it) keeps its widths rather than
		// squeezing glyphs onto each other.
		if (spare > 0.0) {
			double total = 0.0;
			for (int i = 0; i < m_nbChildren; i++)
				total += m_child[i]->stretch();
			for (int i = 0; i < m_nbChildren; i++)
				m_child[i]->m_width += spare * m_child[i]->stretch() / (sc_tsMinStretchSum + total);
		}
		break;
	default: break;
	}
	s->pushTrans(m_x, m_y);
	for (int i = 0; i < m_nbChildren; i++) {
		m_child[i]->setPos(x, m_child[i]->m_y);
		x += m_child[i]->m_width;
	}
	for (int i = 0; i < m_nbChildren; i++)
		m_child[i]->typeset(s);
	s->popPos();
	return 0;
}
