#pragma once
// A sentence for the user as a template and its arguments, so that the editor can show
// it in the user's language while everything else writes it in English. Templates are
// English with %1..%9 and are marked with CHEM_PHRASE, which Qt's lupdate is told to
// read as QT_TRANSLATE_NOOP; an argument is plain text or a phrase of its own.
#include <functional>
#include <string>
#include <vector>

#include "config/TextTemplate.h"

// Marks a template for translation; the engine uses the English text as it stands.
#define CHEM_PHRASE(context, text) text

namespace chem {

// The translation context of every marked template.
inline constexpr const char* kPhraseContext = "chem";

struct Phrase {
    const char* pattern = nullptr; // a marked template, or null for plain text
    std::string text;              // the plain text (UTF-8) when there is no template
    std::vector<Phrase> args;      // %1, %2, ...; or the items of a list
    bool list = false;             // the args joined by the two-place pattern ("%1; %2")

    bool Empty() const { return !pattern && text.empty(); }
};

Phrase PlainText(std::string text);
Phrase Sentence(const char* pattern, std::vector<Phrase> args = {});
// "%1<separator>%2<separator>..." built from a marked two-place separator ("%1; %2").
Phrase JoinPhrases(const char* separator, std::vector<Phrase> items);

using ::FillPattern;
// The phrase written out with each template replaced by translate(template), UTF-8.
using TranslateFn = std::function<std::string(const char* pattern)>;
std::string Write(const Phrase& phrase, const TranslateFn& translate);
// The phrase in English.
std::string English(const Phrase& phrase);

} // namespace chem
