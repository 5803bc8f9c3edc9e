#include "engine/ChemPhrase.h"

namespace chem {

Phrase PlainText(std::string text)
{
    Phrase p;
    p.text = std::move(text);
    return p;
}

Phrase Sentence(const char* pattern, std::vector<Phrase> args)
{
    Phrase p;
    p.pattern = pattern;
    p.args = std::move(args);
    return p;
}

Phrase JoinPhrases(const char* separator, std::vector<Phrase> items)
{
    if (items.size() == 1)
        return std::move(items[0]);
    Phrase p = Sentence(separator, std::move(items));
    p.list = true;
    return p;
}

namespace {

// A list joined by "A%1B%2C" as if filled in one place at a time, (((a B b) C) B c) C,
// written in one pass so a long list costs linear time.
std::string JoinList(const std::string& pattern, const std::vector<std::string>& items)
{
    if (items.empty())
        return {};
    const std::size_t one = pattern.find("%1"), two = pattern.find("%2");
    if (one == std::string::npos || two == std::string::npos || two < one) {
        std::string out = items[0];
        for (std::size_t k = 1; k < items.size(); ++k)
            out = FillPattern(pattern, {out, items[k]});
        return out;
    }
    const std::string before = pattern.substr(0, one), between = pattern.substr(one + 2, two - one - 2),
                      after = pattern.substr(two + 2);
    std::string out;
    for (std::size_t k = 1; k < items.size(); ++k)
        out += before;
    out += items[0];
    for (std::size_t k = 1; k < items.size(); ++k)
        out += between + items[k] + after;
    return out;
}

} // namespace

std::string Write(const Phrase& phrase, const TranslateFn& translate)
{
    if (!phrase.pattern)
        return phrase.text;
    std::vector<std::string> args;
    args.reserve(phrase.args.size());
    for (const Phrase& a : phrase.args)
        args.push_back(Write(a, translate));
    const std::string pattern = translate(phrase.pattern);
    return phrase.list ? JoinList(pattern, args) : FillPattern(pattern, args);
}

std::string English(const Phrase& phrase)
{
    return Write(phrase, [](const char* pattern) { return std::string(pattern); });
}

} // namespace chem
