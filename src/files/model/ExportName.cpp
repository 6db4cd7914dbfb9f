#include "files/model/ExportName.h"

namespace velox {

namespace {

bool IsSuffix(std::string_view name, std::string_view suffix) {
    if (name.size() <= suffix.size() || name[name.size() - suffix.size() - 1] != '.') return false;
    for (std::size_t i = 0; i < suffix.size(); ++i) {
        char c = name[name.size() - suffix.size() + i];
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        if (c != suffix[i]) return false;
    }
    return true;
}

}  // namespace

ExportTarget ExportTargetFor(std::string_view confirmed, ExportFormat chosen) {
    // The name is what follows the last folder separator.
    const std::size_t nameStart = confirmed.find_last_of('/') + 1;
    const std::string_view name = confirmed.substr(nameStart);
    if (IsSuffix(name, "csv")) return {std::string(confirmed), ExportFormat::Csv};
    if (IsSuffix(name, "png")) return {std::string(confirmed), ExportFormat::Png};
    std::string path(confirmed);
    while (path.size() > nameStart && path.back() == '.') path.pop_back();
    return {path + (chosen == ExportFormat::Png ? ".png" : ".csv"), chosen};
}

}  // namespace velox
