#pragma once
// The numeric test of the points cells of the list editors.
#include <string_view>

namespace listeditors {

// A text the platform's numeric test accepts ("12", "+3.5", ".5") whose
// value is greater than 0; "0", "00", "-1", "AB", "*" and "" are not.
bool EsNumeroPositivo(std::string_view texto);

}  // namespace listeditors
