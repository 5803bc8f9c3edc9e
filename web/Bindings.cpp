// The engine's operations for JavaScript (embind). Each returns a plain object: the
// answer under "value", or a message under "error" that the module's JavaScript turns
// into an Error, so that bad input never traps the WebAssembly instance.
#include <emscripten/bind.h>
#include <emscripten/val.h>

#include "web/Api.h"

using emscripten::val;

namespace {

val Failure(const std::string& why)
{
    val out = val::object();
    out.set("error", why);
    return out;
}

val Success(const val& value)
{
    val out = val::object();
    out.set("value", value);
    return out;
}

// Options arrive as [name, text] pairs; the JavaScript side has already checked types.
std::vector<std::pair<std::string, std::string>> Entries(const val& pairs)
{
    std::vector<std::pair<std::string, std::string>> entries;
    const unsigned n = pairs["length"].as<unsigned>();
    for (unsigned i = 0; i < n; ++i)
        entries.emplace_back(pairs[i][0].as<std::string>(), pairs[i][1].as<std::string>());
    return entries;
}

val EntriesToObject(const std::vector<std::pair<std::string, std::string>>& entries)
{
    val out = val::object();
    for (const auto& [name, value] : entries)
        out.set(name, value);
    return out;
}

val CheckText(const std::string& text)
{
    auto lines = web::SplitEquation(text);
    if (!lines.value)
        return Failure(lines.error);
    val list = val::array();
    for (const web::LineVerdict& v : web::Check(*lines.value)) {
        val item = val::object();
        item.set("line", v.line);
        item.set("verdict", v.verdict);
        item.set("message", v.message);
        list.call<void>("push", item);
    }
    return Success(list);
}

val HintsOf(const std::string& text)
{
    auto lines = web::SplitEquation(text);
    if (!lines.value)
        return Failure(lines.error);
    val list = val::array();
    for (const web::LineHint& h : web::Hints(*lines.value)) {
        val item = val::object();
        item.set("line", h.line);
        item.set("message", h.message);
        list.call<void>("push", item);
    }
    return Success(list);
}

// The equation's lines and options, each checked, handed to `make`.
template <class Make>
val WithLinesAndOptions(const std::string& text, const val& optionPairs, Make make)
{
    auto lines = web::SplitEquation(text);
    if (!lines.value)
        return Failure(lines.error);
    auto options = web::OptionsFromEntries(Entries(optionPairs));
    if (!options.value)
        return Failure(options.error);
    return make(*lines.value, *options.value);
}

val FormatText(const std::string& text, const std::string& kind, const val& optionPairs)
{
    return WithLinesAndOptions(text, optionPairs, [&](const auto& lines, const auto& options) {
        auto out = web::Format(lines, kind, options);
        return out.value ? Success(val(*out.value)) : Failure(out.error);
    });
}

val RenderSvg(const std::string& text, const val& optionPairs)
{
    return WithLinesAndOptions(text, optionPairs, [](const auto& lines, const auto& options) {
        auto picture = web::RenderSvg(lines, options);
        if (!picture.value)
            return Failure(picture.error);
        val out = val::object();
        out.set("svg", picture.value->svg);
        out.set("width", picture.value->width);
        out.set("height", picture.value->height);
        out.set("lowering", picture.value->lowering);
        return Success(out);
    });
}

val ExplainText(const std::string& text)
{
    auto out = web::Explain(text);
    return out.value ? Success(val(*out.value)) : Failure(out.error);
}

val ResolveOptions(const val& optionPairs)
{
    auto options = web::OptionsFromEntries(Entries(optionPairs));
    if (!options.value)
        return Failure(options.error);
    return Success(EntriesToObject(web::OptionEntries(*options.value)));
}

} // namespace

EMSCRIPTEN_BINDINGS(molvex2)
{
    emscripten::function("renderSvg", &RenderSvg);
    emscripten::function("check", &CheckText);
    emscripten::function("hints", &HintsOf);
    emscripten::function("format", &FormatText);
    emscripten::function("explain", &ExplainText);
    emscripten::function("options", &ResolveOptions);
}
