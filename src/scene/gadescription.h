#pragma once
// The words in which the algebra objects describe their values: a short form
// of one line with the object's name, and a long form with the numbers of
// the interpretation, one per line, and the coordinates.  Each model gives a
// table of its kinds; what differs between kinds is only the kind's title
// and which numbers it shows under which labels.
class mvInt;

// A number or triple of the interpretation, and how it is printed.
enum descriptionField {
	DF_SCALAR0,        // m_scalar[0], "%f"
	DF_SCALAR0_SHORT,  // m_scalar[0], "%2.2f"
	DF_SCALAR1,        // m_scalar[1], "%f"
	DF_SCALAR1_SHORT,  // m_scalar[1], "%2.2f"
	DF_POINT0,         // m_point[0], "%2.2f %2.2f %2.2f"
	DF_POINT1,         // m_point[1]
	DF_VECTOR0,        // m_vector[0]
};

// One line of a long form: "label: number".
struct descriptionLine {
	const char *label;
	descriptionField field;
};

// The most numbers any kind shows.
constexpr int sc_descriptionLines = 4;

// One kind: "model title[ dual]", in the short form after the name and a
// colon, and in the long form followed by its lines and the coordinates.
// shortNumber, when set, is the label under which the short form adds the
// first number (", magnitude: %f").
struct descriptionRow {
	int kind;
	const char *title;
	const char *shortNumber;
	descriptionLine lines[sc_descriptionLines];
};

// A model's kinds (ended by a row of kind 0) and how it names what has no
// row: the short forms of an unknown blade or object end with unknownEnd.
struct descriptionModel {
	const char *name;
	const descriptionRow *rows;
	const char *unknownEnd;
};

// Describes I, the interpretation of the value whose text form is
// coordinates, into buf of bufLen bytes (cut to fit).  A valid blade of no
// row is an "unknown blade", anything else of no row an "unknown object".
// Returns 0.
int describeInterpretation(char *buf, int bufLen, int shortForm, const char *name, const descriptionModel &model,
                           const mvInt &I, const char *coordinates);
