#pragma once
// Base call of a callsign (the call without its portable part), as the
// validation of a log uses it.
#include <string>
#include <string_view>

namespace cabrillo {

std::string IndicativoBase(std::string_view indicativo);

}  // namespace cabrillo
