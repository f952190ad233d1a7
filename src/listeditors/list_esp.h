#pragma once
// The special stations window "Estaciones Especiales": the grid editor over
// the main window's eight special station lists, with its controls scaled
// when the window is maximised and restored.
#include <memory>

#include "listeditors/estaciones_especiales.h"
#include "listeditors/ventana_cuadricula.h"

namespace Ui {
class ListEsp;
}

namespace listeditors {

class ListEsp : public VentanaCuadricula {
  Q_OBJECT

 public:
  explicit ListEsp(EnlaceListas& principal, QWidget* padre = nullptr);
  ~ListEsp() override;
  EditorEstacionesEspeciales& Modelo() { return modelo_; }

  // Rescales on maximise and back on restore (not on minimise).
  void Form_Resize();

 protected:
  void changeEvent(QEvent* evento) override;

 private:
  EditorEstacionesEspeciales modelo_;
  std::unique_ptr<Ui::ListEsp> ui_;
  int AltoInicial = 0;
  int AnchoInicial = 0;
  int UltimoEstadoVentana = 0;
};

}  // namespace listeditors
