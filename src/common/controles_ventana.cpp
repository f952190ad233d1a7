#include "common/controles_ventana.h"

#include <QPushButton>

QString Q(std::string_view texto) { return QString::fromUtf8(texto.data(), static_cast<qsizetype>(texto.size())); }

QFont FuenteFija() {
  QFont fuente("Monospace");
  fuente.setStyleHint(QFont::TypeWriter);
  fuente.setFixedPitch(true);
  return fuente;
}

bool PulsaBotonDeTecla(int tecla, Qt::KeyboardModifiers modificadores,
                       std::initializer_list<std::pair<int, QPushButton*>> teclas) {
  if (modificadores & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier)) return false;
  for (const auto& [clave, boton] : teclas) {
    if (clave != tecla) continue;
    if (boton->isEnabled()) {
      boton->setFocus();
      boton->click();
    }
    return true;
  }
  return false;
}
