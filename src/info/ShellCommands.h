// The commands that hand an address or a program to the desktop: opening a web
// page or a mail link, "Tell A Friend" and "Update Online". None of them touches
// the résumé.
#pragma once

#include <QString>

namespace info {

// The program's web site, named in the recommendation mail.
inline constexpr const char* kWebSite = "https://vitacraft.example";
// The support address behind the About box's link.
inline constexpr const char* kSupportAddress = "support@vitacraft.example";

// Hands target to the shell's "OPEN" verb. When the shell reports failure it shows
// "Couldn't execute the application" and returns false.
bool openThroughShell(const QString& target);

// The mail link of "Tell A Friend": no recipient, the web site as subject, a
// prepared body; nothing in it is encoded.
QString tellAFriendLink();
// The mail link of the About box: the support address and its subject.
QString supportLink();

// "Tell A Friend": opens the prepared mail in the desktop's mail program.
void tellAFriend();
// "Update Online": starts update.exe from the program directory.
void updateOnline();

} // namespace info
