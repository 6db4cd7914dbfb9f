#include "core/model/Readouts.h"

#include "core/model/Numeric.h"
#include "editor/model/NumberText.h"

namespace velox {

std::string VoltageText(double voltage) { return "Feszültség =" + FormatFixed(voltage, 10, 4); }

std::string PhaseText(double phase) { return "Fázis =" + FormatFixed(static_cast<double>(phase * Extended(180.0) / Pi), 10, 4); }

std::string EnergyMaxText(double energyMax) { return "Emax = " + FormatFixed(energyMax, 10, 4); }

std::string CountsText(std::int32_t launched, std::int32_t arrived) {
    return "Összes indított = " + FormatInteger(launched) + "\r" + "Összes beérkezett = " + FormatInteger(arrived);
}

std::string ArrivalEnergyText(const std::optional<Arrival>& arrival) {
    return arrival ? "E = " + FormatFixed(arrival->Energy, 10, 4) : "E = 0.000";
}

std::string ArrivalTimeText(const std::optional<Arrival>& arrival) {
    return arrival ? "t = " + FormatFixed(arrival->Time, 10, 4) : "t = 0.000";
}

std::string RunOfferCaption(RunOffer offer) { return offer == RunOffer::Continue ? "Folytatás" : "Stop"; }

}  // namespace velox
