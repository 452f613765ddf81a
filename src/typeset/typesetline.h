#pragma once
// Lines and paragraphs: the horizontal box that builds a line from the
// items of a sentence chain, and the vertical box that stacks lines and
// breaks them at a maximum width.
#include "typeset/typesetbox.h"

class tsScriptBox;

// What a scoped command pushes: the attributes named in pushed
// (TS_PUSHED_*), with these values.
struct tsScope_s {
	int pushed;
	int font, mode, align, color;
	double size;
};

// Lines stacked downwards; its origin is the baseline of the first line.
class tsVBox : public typesetBox {
public:
	explicit tsVBox(typesetState *s);

	// Builds lines from a whole parse tree.
	int setup(typesetState *s, fpNode_s *tree);
	// Builds lines from the sentence node first up the chain until end (not
	// included) or the root.  0, or -1 when a line failed: that line is
	// left out, the ones before it stay.
	int setup(typesetState *s, fpNode_s *first, fpNode_s *end);

	// Breaks the lines at maxWidth (no limit when it is not above 0) and
	// lays them out from the top down.
	int typeset(typesetState *s, double maxWidth);
	int typeset(typesetState *s) override { return typeset(s, -1.0); }
};

// Boxes side by side, aligned within m_maxWidth.
class tsHBox : public typesetBox {
public:
	explicit tsHBox(typesetState *s);
	// An empty line with the attributes of like.
	tsHBox(const tsHBox &like);

	// Builds boxes from the items of the sentence chain from node up to end
	// (not included) or the root.  0 at the end of the chain; 1 when a
	// line break was asked for, next being the node to go on from (null at
	// the end); -1 when an item cannot be built.
	int setup(typesetState *s, fpNode_s *node, fpNode_s *&next, fpNode_s *end);

	// What every finished line goes through: the alignment of its last box,
	// space around equation operators, no trailing white space, measured.
	void finish();
	void setAlignment();
	void spaceEqnOperators();
	void deleteTrailingWhiteSpace();
	void computeSize();

	// The line of a box's content: the items of sentence (null: an empty
	// line) as one finished line.  broke tells whether a line break cut the
	// items short (what follows it is skipped).  Null when an item cannot
	// be built.
	static tsHBox *setupContentLine(typesetState *s, fpNode_s *sentence, bool &broke);

	int typeset(typesetState *s) override;

	double m_maxWidth;

private:
	// Builds the item of one sentence node.  jump is set when the walk is
	// to go on in content spliced in place of the item; lineBreak when the
	// item asks for a new line.  0 or -1.
	int setupItem(typesetState *s, fpNode_s *sentence, fpNode_s *&jump, bool &lineBreak);
	int setupCommand(typesetState *s, fpNode_s *sentence, fpNode_s *&jump);
	int setupCommandNoOption(typesetState *s, fpNode_s *sentence, fpNode_s *&jump, bool &lineBreak);
	int handleFAMCommand(typesetState *s, fpNode_s *sentence, const char *what, const tsScope_s &scope,
	                     fpNode_s *&jump);
	int whiteSpaceCommand(typesetState *s, fpNode_s *command);
	int scale(typesetState *s, fpNode_s *sentence, fpNode_s *&jump);
	int processNewCommand(typesetState *s, fpNode_s *command);
	int processNewColor(typesetState *s, fpNode_s *command);
	int processCustomCommand(typesetState *s, fpNode_s *sentence, const fpNode_s *body, fpNode_s *&jump);
	// Builds a box of class B from a command: 0 when built or ignored, -1
	// when its content failed.
	template <class B> int addCommandBox(typesetState *s, fpNode_s *command);
	// The script box the next script goes into; null when there is no box
	// for it.
	tsScriptBox *getScriptBox(typesetState *s);
};

void tsPushScope(typesetState *s, const tsScope_s &scope);
// Pops the attributes recorded in flags (TS_PUSHED_*).
void tsPopScope(typesetState *s, int flags);
// Puts the sentence chain content in place of sentence's item, which is
// freed: content's first node takes over the items before it.  The first
// node of content, where the walk goes on.
fpNode_s *tsSpliceIntoChain(fpNode_s *sentence, fpNode_s *content);
