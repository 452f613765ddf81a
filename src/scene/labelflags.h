#pragma once
// Label flags: where and how a label stands (textObject::m_flags), as the
// scene-file reader's label flag words set them.
constexpr int LF_2D = 0x1;          // placed in the view's window, not in the world
constexpr int LF_3D = 0x2;          // placed in the world (records the choice)
constexpr int LF_CX = 0x4;          // window label: horizontal origin at the window centre
constexpr int LF_CY = 0x8;          // window label: vertical origin at the window centre
constexpr int LF_PX = 0x10;         // window label: left edge at the left window edge plus the x offset
constexpr int LF_NX = 0x20;         // window label: right edge at the right window edge minus the x offset
constexpr int LF_PY = 0x40;         // window label: top edge at the top window edge minus the y offset
constexpr int LF_NY = 0x80;         // window label: bottom edge at the bottom window edge plus the y offset
constexpr int LF_ACX = 0x100;       // window label: centred horizontally on the window centre
constexpr int LF_DYNAMIC = 0x200;   // follows the point object it names at every draw
constexpr int LF_IMAGE = 0x400;     // the text names a PNG file shown as an image
constexpr int LF_FULLSCREEN = 0x800; // an image filling the whole render target
constexpr int LF_WIDTH = 0x1000;    // typeset (or scaled) to a maximum width
