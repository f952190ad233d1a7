#include "plataforma/aplicacion.h"

#include <exception>

#include "plataforma/mensajes.h"

namespace plataforma {

Aplicacion::Aplicacion(int& argc, char** argv) : QApplication(argc, argv) {}

bool Aplicacion::notify(QObject* receptor, QEvent* evento) {
  try {
    return QApplication::notify(receptor, evento);
  } catch (const std::exception& e) {
    TerminaPorErrorNoControlado(e.what());
  } catch (...) {
    TerminaPorErrorNoControlado({});
  }
}

int EjecutaProtegido(const std::function<int()>& cuerpo) {
  try {
    return cuerpo();
  } catch (const std::exception& e) {
    TerminaPorErrorNoControlado(e.what());
  } catch (...) {
    TerminaPorErrorNoControlado({});
  }
}

}  // namespace plataforma
