#pragma once
// Message templates: English texts with %1..%9 places, marked for the editor's
// translations and filled in the same way by every layer that writes them.
#include <string>
#include <vector>

// Marks a template for Qt's lupdate, which reads it as QT_TRANSLATE_NOOP; the text
// stands as it is.
#define MOLVEX_PHRASE(context, text) text

// Fills %1..%9 of `pattern` with `args` in one pass (a filled-in argument is never read
// again, so a path or user text holding "%2" stays as it is). A place without an
// argument is left as written.
std::string FillPattern(const std::string& pattern, const std::vector<std::string>& args);
