#include "document/EquationText.h"

#include "document/MolvexDoc.h"
#include "engine/ChemStarMath.h"
#include "engine/ChemText.h"

std::vector<chem::ChemLine> EquationReadings(const CMolvexDoc& doc)
{
    std::vector<chem::ChemLine> lines;
    for (const std::string& text : doc.Lines().texts)
        if (!text.empty())
            lines.push_back(chem::ReadText(text));
    return lines;
}

std::string EquationUnicodeText(const CMolvexDoc& doc, int equilibriumStyle)
{
    return chem::UnicodeText(EquationReadings(doc), equilibriumStyle);
}

std::string EquationSpeech(const CMolvexDoc& doc) { return chem::SpeechText(EquationReadings(doc)); }

std::string EquationMathML(const CMolvexDoc& doc, int equilibriumStyle)
{
    return chem::MathMLDocument(EquationReadings(doc), equilibriumStyle);
}

std::string EquationMhchem(const CMolvexDoc& doc, int equilibriumStyle)
{
    return chem::MhchemText(EquationReadings(doc), equilibriumStyle);
}

std::string EquationStarMath(const CMolvexDoc& doc, int equilibriumStyle)
{
    return chem::StarMathText(EquationReadings(doc), equilibriumStyle);
}
