#pragma once
// Tables: rows of entries in columns with alignments, vertical-line and
// space separators, horizontal rules and space rows.
#include "typeset/liststack.h"
#include "typeset/typesetbox.h"

class tsVBox;

// Format entries beside the column alignments 0 to 3.
enum { TS_FORMAT_VLINE = 0x100, TS_FORMAT_SPACE = 0x101 };
// Row types.
enum { TS_ROW_ENTRIES = 0, TS_ROW_HLINE = 1, TS_ROW_HSPACE = 2 };

struct tsTabularRow_s {
	tsItemList<tsVBox *> box; // one entry a column, owned
	double ascent, descent;
	int rowType;
};

class tsTabularBox : public typesetBox {
public:
	explicit tsTabularBox(typesetState *s);
	~tsTabularBox() override;

	// 0 when built, 1 when malformed (reported; the box is to be dropped).
	int setup(typesetState *s, fpNode_s *command);
	double stretch() override;
	int typeset(typesetState *s) override;

	tsItemList<int> m_format; // column alignments and separators
	tsItemList<tsTabularRow_s *> m_row;
	tsItemList<double> m_columnWidth, m_columnStretch;
	double m_vlineWidth; // width of all separators
	int m_nbColumns;
	double m_vlWidth;    // width of one separator
	double m_hlWidth;    // height of a rule or space row

private:
	int setFormat(fpNode_s *option);
	// Builds the entries of one row; 0 or -1.
	int setupRow(typesetState *s, tsTabularRow_s *row, fpNode_s *option);
	void measure();
};
