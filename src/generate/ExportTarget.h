// The files a written document must never replace: the résumé databases and the
// template. An export aimed at one of them would put RTF where the user's data
// was, and every later edit would go into a file that no longer exists.
//
// The program directory holds two kinds of database of the program's own: the
// blank résumé data.mdb, and the working copies of new résumés, data.tmp for the
// first program running there and data-2.tmp, data-3.tmp, ... for each further one
// running at the same time.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace generate {

// A document target that is refused; the message names the file and what it is.
class ERefusedTarget : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// "data.tmp" for slot 1, "data-N.tmp" for slot N from 2 on.
std::string workingCopyFileName(int slot);
bool isWorkingCopyFileName(std::string_view fileName);

// Whether two paths name the same file once links, "." and ".." are resolved. A
// path that does not exist yet is resolved as far as its folders exist.
bool sameFile(const std::string& a, const std::string& b);

// What `path` is among the program's own databases in `programDirectory`, in
// words for a message ("the program's blank resume database"); empty when it is
// neither data.mdb nor a working copy.
std::string programDatabase(const std::string& path, const std::string& programDirectory);

// Throws ERefusedTarget when a document written to `target` would replace
// `resume` (the database the document is made from), `templatePath`, data.mdb or
// a working copy in `programDirectory`. Nothing is written or changed.
void checkExportTarget(const std::string& target, const std::string& resume,
                       const std::string& templatePath, const std::string& programDirectory);

} // namespace generate
