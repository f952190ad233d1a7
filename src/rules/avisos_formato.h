#pragma once
// Message boxes of the Cabrillo format window. The program shows them as
// modal boxes; a test installs its own recorder in their place.
#include <functional>

#include "rules/verificacion_formato.h"

class QWidget;

namespace rules {

using MostradorAvisos = std::function<void(const FalloVerificacion& aviso)>;

// Replaces how the boxes are shown; an empty function restores the boxes.
void PonMostradorAvisos(MostradorAvisos mostrador);
// Shows one box (text, title, icon, OK button) and waits for it.
void MuestraAviso(QWidget* padre, const FalloVerificacion& aviso);

}  // namespace rules
