// The captions of the window's readouts, made from the values the model
// keeps.  The window calls these after every step it shows; velox-batch
// and the fuzz targets, built without a window, use them too.  Numbers
// are written with "." whatever the locale.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "core/model/RunControl.h"
#include "results/model/Spectrum.h"

namespace velox {

// "Feszültség =" and the voltage in "%10.4f".
std::string VoltageText(double voltage);

// "Fázis =" and the phase (radians) in degrees, "%10.4f": the degrees are
// formed as phase × 180 / π in extended precision and rounded to a double.
std::string PhaseText(double phase);

// "Emax = " and the highest energy of the last step in "%10.4f".
std::string EnergyMaxText(double energyMax);

// "Összes indított = n" CR "Összes beérkezett = m".
std::string CountsText(std::int32_t launched, std::int32_t arrived);

// "E = " and the last arrival's energy in "%10.4f" ("E = 0.000" before the
// first arrival); "t = " and its arrival time the same way.
std::string ArrivalEnergyText(const std::optional<Arrival>& arrival);
std::string ArrivalTimeText(const std::optional<Arrival>& arrival);

// The continue/stop button's caption: "Folytatás" or "Stop".
std::string RunOfferCaption(RunOffer offer);

}  // namespace velox
