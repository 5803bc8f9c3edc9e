#pragma once
// The command line's common case without Qt: one equation text to SVG in a shipped face
// or to a text form. Anything else (documents, files, other formats and options, any
// mistake in the command line) is left to the whole renderer, which says what is wrong.
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace cli {

// The exit status when the command was carried out here, nothing when it was not
// (and nothing was written).
std::optional<int> QuickRender(const std::vector<std::string>& argv, std::ostream& out, std::ostream& err);

} // namespace cli
