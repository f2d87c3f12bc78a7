#include "support/Files.h"

#include <array>
#include <cstdio>
#include <stdlib.h>

#include <fstream>
#include <sstream>
#include <system_error>

namespace testsupport {

std::string readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

bool writeFile(const std::filesystem::path& path, std::string_view bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out.flush());
}

std::string commandOutput(const std::string& command) {
    std::string output;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        std::array<char, 4096> buffer;
        while (size_t n = fread(buffer.data(), 1, buffer.size(), pipe))
            output.append(buffer.data(), n);
        pclose(pipe);
    }
    return output;
}

bool haveProgram(const std::string& name) {
    return !commandOutput("command -v '" + name + "'").empty();
}

std::string convertWithLibreOffice(const std::filesystem::path& folder, const std::string& filter,
                                   const std::filesystem::path& outDir, const std::string& files) {
    return commandOutput("cd '" + folder.string() +
                         "' && timeout 600 soffice -env:UserInstallation=file://" +
                         folder.string() + "/profile --headless --norestore --convert-to '" +
                         filter + "' --outdir '" + outDir.string() + "' " + files + " 2>&1");
}

TempDir::TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "vcengXXXXXX").string();
    m_path = ::mkdtemp(pattern.data());
}

TempDir::~TempDir() {
    std::error_code ec;
    std::filesystem::remove_all(m_path, ec);
}

} // namespace testsupport
