// Socket error numbers and their texts as users of the program know them: the
// Windows Sockets numbers, onto which the POSIX errno values are mapped.
#pragma once

#include <string>

namespace mail {

constexpr int kWouldBlock = 10035;

// The Windows Sockets number for a POSIX errno value, or 0 when there is none.
int winsockErrorFromErrno(int errnoValue);

// The text of a Windows Sockets number, or the empty text when it has none.
std::string socketErrorText(int code);

// "10061:Connection refused", or "Unknown Error No. N" for a number without a text.
std::string socketErrorMessage(int code);

} // namespace mail
