#pragma once
// molvex2-render: the command line, parsed, and the work it asks for.
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "cli/OutputFormats.h"

namespace cli {

struct Input {
    enum class Kind { Text, Document, LinesFile } kind = Kind::Text;
    std::string value; // UTF-8 equation text, or a path ("-" for standard input)
};

struct Args {
    enum class Action { Render, Explain, Options, Help, Version, Check } action = Action::Render;
    std::vector<Input> inputs;
    std::string explainText;
    std::string output;
    std::string outDir;
    Format format = Format::None;
    std::optional<int> fontHeight;
    double scale = 1.0;
    int margin = 0;
    bool measure = false;
    bool antialias = false;
};

// Exit statuses. --check answers like diff: 0 balanced, 1 not balanced, 2 trouble.
constexpr int kExitOk = 0;
constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;
constexpr int kExitNotBalanced = 1;
constexpr int kExitTrouble = 2;

// Parses argv[1..]; on bad usage returns nothing and sets `error` to a one-line
// message.
std::optional<Args> ParseArgs(const std::vector<std::string>& argv, std::string& error);

// Whether the action needs Qt's fonts and painting (and so a QGuiApplication).
bool NeedsGui(const Args& args);

std::string UsageText();
std::string VersionText();

// Runs the parsed command; returns the exit status.
int Run(const Args& args, std::ostream& out, std::ostream& err);

} // namespace cli
