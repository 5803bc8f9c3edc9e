#pragma once
// The web edition's operations on equation text, in plain C++: what the JavaScript
// module exposes, kept apart from the bindings so that the rules (limits, line
// splitting, options by their MLV2.ini names) live in one place.
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "engine/EquationOptions.h"

namespace web {

// The most UTF-8 bytes an equation may have: twenty lines of text are a few hundred
// bytes; anything near this is not an equation, and the nesting a long line can hold
// costs time with its length (a second at 64 KB).
constexpr std::size_t kMaxTextBytes = 16 * 1024;

// An operation's answer or the reason it has none (one clear sentence fragment).
template <class T>
struct Result {
    std::optional<T> value;
    std::string error;
    static Result Fail(std::string why) { return Result{std::nullopt, std::move(why)}; }
};

// UTF-8 equation text to its Windows-1252 lines. CR LF, LF and a lone CR each end a
// line and a final line end ends the last line; more than twenty lines, or more than
// kMaxTextBytes, is refused.
Result<std::vector<std::string>> SplitEquation(const std::string& utf8);

// Options by their MLV2.ini names (section "Options") with their text values, read as
// the configuration file is read: every value brought into its option's range. An
// unknown name is refused, so that a misspelt option is not silently ignored.
Result<CEquationOptions> OptionsFromEntries(const std::vector<std::pair<std::string, std::string>>& entries);
// Every option's name and its value in the configuration file's text form.
std::vector<std::pair<std::string, std::string>> OptionEntries(const CEquationOptions& options);

struct LineVerdict {
    int line = 0;        // 1-based
    std::string verdict; // "balanced", "not balanced" or "cannot check"
    std::string message; // as the command line's --check says it
};
// The balance of every line that has an arrow.
std::vector<LineVerdict> Check(const std::vector<std::string>& lines);

struct LineHint {
    int line = 0;
    std::string message;
};
// The reading hints of every line, in line order.
std::vector<LineHint> Hints(const std::vector<std::string>& lines);

// The equation written out: kind "text", "speech", "mathml", "mhchem" or "starmath".
Result<std::string> Format(const std::vector<std::string>& lines, const std::string& kind, const CEquationOptions& options);

struct Picture {
    std::string svg;
    int width = 0;
    int height = 0;
    int lowering = 0;
};
// The equation as an SVG picture, in the options' font, which must be one of the
// fonts whose metrics are built in.
Result<Picture> RenderSvg(const std::vector<std::string>& lines, const CEquationOptions& options);

// How one line is read, as the command line's --explain prints it.
Result<std::string> Explain(const std::string& utf8);

} // namespace web
