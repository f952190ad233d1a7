#pragma once
// The special multipliers window "Multiplicadores Especiales": the grid
// editor over the main window's eight special multiplier lists.
#include <memory>

#include "listeditors/mult_especiales.h"
#include "listeditors/ventana_cuadricula.h"

namespace Ui {
class ListaMultEsp;
}

namespace listeditors {

class ListaMultEsp : public VentanaCuadricula {
  Q_OBJECT

 public:
  explicit ListaMultEsp(EnlaceListas& principal, QWidget* padre = nullptr);
  ~ListaMultEsp() override;
  EditorMultEspeciales& Modelo() { return modelo_; }

 private:
  EditorMultEspeciales modelo_;
  std::unique_ptr<Ui::ListaMultEsp> ui_;
};

}  // namespace listeditors
