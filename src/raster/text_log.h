// The strings drawn in the current frame, kept so that scripted runs can check the screen's
// texts (the headless `texts FILE` command). The text routine records; the shell clears at
// the start of each frame and writes the log out on request.
#pragma once

#include <cstdint>
#include <string>

// Records one drawn string: its position in pixels, colour and text (UTF-16, as drawn).
void logText(int x, int y, uint16_t colour, const char16_t* text, int length);

// Forgets every recorded string (the start of a frame).
void clearTextLog();

// Writes the recorded strings atomically to `path`, one a line: "x y 0xRRRR text", the text
// in UTF-8. False with the reason in `error` (when given) when the file cannot be written.
bool writeTextLog(const std::string& path, std::string* error);

// The log as writeTextLog would write it.
std::string textLogContents();
