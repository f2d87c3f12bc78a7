#include "rtfengine/RunState.h"

#include "rtfengine/Ascii.h"
#include "rtfengine/Expression.h"
#include "rtfengine/RtfEngine.h"

namespace rtfengine {

RunState::RunState(TRtfEngine& e, const std::vector<Dataset*>& ds)
    : engine(e), datasets(ds), lang(std::to_string(e.lang())), scans(&e) {
    for (size_t i = 0; i < ds.size(); ++i)
        aliasMap.push_back(toUpperAscii(ds[i] ? ds[i]->name() : std::string()) + "=" +
                           std::to_string(i));
}

int RunState::resolveAlias(std::string_view alias) const {
    const std::string name = toUpperAscii(trimAsciiBlanks(alias));
    if (name.empty())
        return -1;
    int index = -1;
    if (name.size() == 1 && name[0] >= 'A' && name[0] <= 'Z') {
        index = name[0] - 'A';
    } else {
        for (const std::string& line : aliasMap) {
            const size_t eq = line.rfind('=');
            if (line.compare(0, eq, name) == 0 && eq == name.size()) {
                index = std::stoi(line.substr(eq + 1));
                break;
            }
        }
    }
    // A missing dataset in the list names nothing, so it never reaches a field or scan.
    return index >= 0 && index < static_cast<int>(datasets.size()) &&
                   datasets[static_cast<size_t>(index)]
               ? index
               : -1;
}

} // namespace rtfengine
