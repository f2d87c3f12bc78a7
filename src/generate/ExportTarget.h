// The files a written document must never replace: the résumé databases and the
// template. An export aimed at one of them would put RTF where the user's data
// was, and every later edit would go into a file that no longer exists.
//
// The program has two kinds of database of its own: the blank résumé data.mdb in
// its data folder, and in its writable folder the working copies of new résumés,
// data.tmp for the first program running there and data-2.tmp, data-3.tmp, ... for
// each further one running at the same time. In the build tree both folders are
// one.
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

// What `path` is among the program's own databases, data.mdb in `dataDirectory`
// and the working copies in `writableDirectory`, in words for a message ("the
// program's blank resume database"); empty when it is none of them.
std::string programDatabase(const std::string& path, const std::string& dataDirectory,
                            const std::string& writableDirectory);

// Throws ERefusedTarget when a document written to `target` would replace
// `resume` (the database the document is made from), `templatePath`, or one of
// the program's own databases (see programDatabase). Nothing is written or changed.
void checkExportTarget(const std::string& target, const std::string& resume,
                       const std::string& templatePath, const std::string& dataDirectory,
                       const std::string& writableDirectory);

} // namespace generate
