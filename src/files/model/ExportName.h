// The file that "Eredmények → Exportálás…" writes.
#pragma once

#include <string>
#include <string_view>

namespace velox {

// The export's two formats, in the order of the save dialog's filters.
enum class ExportFormat { Csv, Png };

struct ExportTarget {
    std::string Path;
    ExportFormat Format = ExportFormat::Csv;
    friend bool operator==(const ExportTarget&, const ExportTarget&) = default;
};

// The file and the format of an export, from the name the save dialog
// confirmed and the format of the filter chosen there.  A name whose suffix
// is ".csv" or ".png", in any case, is kept and decides the format.  Any
// other name gets the chosen format's suffix: a name ending in dots has no
// suffix and loses them first ("ures." gives "ures.csv"), and any other
// suffix stays as part of the name ("adat.txt" gives "adat.txt.png").
ExportTarget ExportTargetFor(std::string_view confirmed, ExportFormat chosen);

}  // namespace velox
