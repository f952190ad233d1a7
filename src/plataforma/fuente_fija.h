#pragma once
// The fixed-pitch face of the printed lists as a Qt font.
#include <QFont>

namespace plataforma {

// kFamiliaPasoFijo at `puntos` points, bold or not, not italic, without
// kerning. When the font configuration does not list the family, its files
// are loaded from where fonts-dejavu-core installs them; only when they are
// missing too does the platform's fixed-pitch font stand in.
QFont FuenteDePasoFijo(double puntos, bool negrita);

}  // namespace plataforma
