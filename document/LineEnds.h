#pragma once
// Text from outside the entry box (files, standard input, other programs, the
// clipboard) may end its lines with CR LF, LF or a lone CR. The document splits its
// text at CR LF only and takes the character after a lone CR for the second half of
// a pair, so such text is first brought to CR LF line ends.
#include <string>
#include <string_view>

// Each CR LF, lone LF and lone CR becomes one CR LF.
inline std::string NormalizeLineEnds(std::string_view text)
{
    std::string out;
    out.reserve(text.size() + text.size() / 16);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            out += "\r\n";
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
        } else {
            out += c;
        }
    }
    return out;
}
