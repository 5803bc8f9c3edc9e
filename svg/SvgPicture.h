#pragma once
// An equation as an SVG picture, made without Qt: laid out with the built-in metrics
// (the same layout the Qt context gives for the shipped fonts) and written by the SVG
// device context. Used by the command-line renderer and the web edition.
#include <string>
#include <vector>

#include "engine/LogRecords.h"

class CEquationOptions;

struct SvgPicture {
    std::string svg; // empty when the picture cannot be made (see error)
    int width = 0;   // pixels at 96 per inch, margins included
    int height = 0;
    int lowering = 0; // bottom edge up to the first line's base line
    std::string error;
};

struct SvgPictureSettings {
    int margin = 0;           // logical units on every side
    bool transparent = true;  // false: a white background, as the desktop's export
};

// Whether pictures in this font (and the Symbol face it uses) can be made here: it is
// one of the built-in faces in a weight whose face is certain.
bool HasBuiltinMetrics(const KVEquationFont& font);

// Up to 20 lines of Windows-1252 text, stacked as the document stacks them. The SVG
// is an image to assistive technology (role="img") named by the equation's Unicode
// text and described by its speech form.
SvgPicture RenderSvgPicture(const std::vector<std::string>& linesCp1252, const CEquationOptions& options,
                            const KVEquationFont& font, const SvgPictureSettings& settings = {});
