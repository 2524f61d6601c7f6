// Breaks a text into the lines of a fixed-width text box: at line feeds, and at the last
// whitespace of a full line (which is dropped); a word longer than a line is cut at the line
// width. It only measures characters; drawing the lines is the caller's business.
#pragma once

#include <string>
#include <vector>

// The lines of `text` for a box `charsPerLine` characters wide (at least 1). A text shorter
// than a line and without a line feed is one line, as it stands.
std::vector<std::u16string> breakTextLines(const std::u16string& text, int charsPerLine);
