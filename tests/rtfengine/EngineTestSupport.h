// Test support for the engine: runs a template string through an engine in a
// temporary folder and returns the document.
#pragma once

#include "rtfengine/RtfEngine.h"
#include "support/Files.h"

#include <filesystem>
#include <string>
#include <vector>

namespace enginetest {

using testsupport::readFile;
using testsupport::TempDir;
using testsupport::writeFile;

// Writes `templateText` to InFile, runs the engine and returns OutFile's content.
inline std::string render(rtfengine::TRtfEngine& engine, const TempDir& dir,
                          std::string_view templateText,
                          const std::vector<rtfengine::Dataset*>& datasets = {}) {
    writeFile(dir.path() / "template.rtf", templateText);
    engine.setInFile((dir.path() / "template.rtf").string());
    engine.setOutFile((dir.path() / "out.doc").string());
    engine.generate(datasets);
    return readFile(dir.path() / "out.doc");
}

} // namespace enginetest
