#pragma once

#include "base/String.h"

namespace linkloom {

// C0 controls, DEL and C1 controls: units that steer a terminal or a parser rather than show.
bool IsControlCharacter(char16_t unit);

// The text with each control character written as an escape, "\n", "\r", "\t" or "\x01", so that
// a value shown in a message cannot start a line of its own; backslashes stay as they are.
String EscapeControlCharacters(const String& text);

}  // namespace linkloom
