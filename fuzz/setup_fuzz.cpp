// Any bytes as a set-up file: reading must not crash, hang or leak, and
// whatever is loaded must survive a save and a second load unchanged.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "core/model/VeloxData.h"
#include "files/model/SetupFile.h"

namespace {

void Check(bool ok) {
    if (!ok) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(bytes), size);
    const velox::SetupData setup = velox::ParseSetup(text);
    Check(setup.Cavities.size() <= static_cast<std::size_t>(velox::MaxCavities));

    velox::VeloxData first;
    first.ApplyStartupDefaults();
    velox::ApplySetup(first, setup);
    Check(first.Cavities.CavityCount() == static_cast<std::int32_t>(setup.Cavities.size()));
    Check(first.FrequencyPosition >= 0 && first.FrequencyPosition <= 100);
    Check(first.VoltagePosition >= 0 && first.VoltagePosition <= 100);
    // The field must answer everywhere along the loaded accelerator.
    for (double x : {0.0, 5.0, 10.0, 100.0, 1000.0, 1e300}) first.FieldAt(x);

    const std::string saved = velox::FormatSetup(first);
    const velox::SetupData again = velox::ParseSetup(saved);
    Check(!again.ShowCountWarning());
    velox::VeloxData second;
    second.ApplyStartupDefaults();
    velox::ApplySetup(second, again);
    Check(velox::FormatSetup(second) == saved);
    return 0;
}
