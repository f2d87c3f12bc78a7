// Datasets shared by the generation tests: a Configuration row whose three text
// classes differ in every setting, so a test sees which class a function used.
#pragma once

#include "support/MemoryDataset.h"

#include <string>

namespace generate::test {

using testsupport::MemoryDataset;
using testsupport::Row;
using testsupport::Value;

inline MemoryDataset makeConfiguration() {
    return MemoryDataset(
        "Configuration",
        {"HeadingFontName", "HeadingFontSize", "HeadingFontColor", "HeadingFontStyle",
         "SubHeadingFontName", "SubHeadingFontSize", "SubHeadingFontColor", "SubHeadingFontStyle",
         "NormalTextFontName", "NormalTextFontSize", "NormalTextFontColor", "NormalTextFontStyle"},
        {{"Georgia", "20", "255", "1", "Verdana", "14", "32896", "3", "Arial", "12", "0", "0"}});
}

// The NormalText header of makeConfiguration().
inline const std::string kNormalHeader =
    "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1033{\\fonttbl{\\f0\\fswiss\\fprq2\\fcharset0 "
    "Arial;}}{\\colortbl ;\\red0\\green0\\blue0;}\\viewkind4\\uc1\\pard\\cf1\\f0\\fs24 ";

// The Heading header of makeConfiguration().
inline const std::string kHeadingHeader =
    "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1033{\\fonttbl{\\f0\\fswiss\\fprq2\\fcharset0 "
    "Georgia;}}{\\colortbl ;\\red255\\green0\\blue0;}\\viewkind4\\uc1\\pard\\cf1\\b\\f0\\fs40 ";

// The SubHeading header of makeConfiguration().
inline const std::string kSubHeadingHeader =
    "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1033{\\fonttbl{\\f0\\fswiss\\fprq2\\fcharset0 "
    "Verdana;}}{\\colortbl "
    ";\\red128\\green128\\blue0;}\\viewkind4\\uc1\\pard\\cf1\\b\\i\\f0\\fs28 ";

} // namespace generate::test
