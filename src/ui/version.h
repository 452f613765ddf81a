#pragma once
// The program's name and version as the user sees them: window title, status
// line, console banner.
constexpr const char *sc_productName = "Korimbel";
constexpr const char *sc_version = "0.71";
