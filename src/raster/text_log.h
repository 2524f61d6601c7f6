// The strings drawn in the current frame, kept so that scripted runs can check the screen's
// texts (the headless `texts FILE` command). The text routine records; the shell clears at
// the start of each frame and writes the log out on request.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// Records one drawn string: its position in pixels, colour and text (UTF-16, as drawn).
void logText(int x, int y, uint16_t colour, const char16_t* text, int length);

// Forgets every recorded string (the start of a frame).
void clearTextLog();

// A frame that keeps the scene drawn by an earlier frame keeps its strings too: the mark
// after the scene's strings, and cutting the log back to it before the layers above are
// drawn again.
size_t textLogMark();
void truncateTextLog(size_t mark);

// Writes the recorded strings atomically to `path`, one a line: "x y 0xRRRR text", the text
// in UTF-8. False with the reason in `error` (when given) when the file cannot be written.
bool writeTextLog(const std::string& path, std::string* error);

// The log as writeTextLog would write it.
std::string textLogContents();
