#include "listeditors/list_esp.h"

#include <QEvent>
#include <QTimer>

#include "common/ventanas.h"
#include "ui_list_esp.h"

namespace listeditors {

ListEsp::ListEsp(EnlaceListas& principal, QWidget* padre)
    : VentanaCuadricula(modelo_, padre), modelo_(principal), ui_(std::make_unique<Ui::ListEsp>()) {
  ui_->setupUi(this);
  using S = EditorEstacionesEspeciales;
  Controles c;
  c.rejilla = ui_->Rejilla;
  c.serie = ui_->SerieEsp_0;
  c.columnas = {ui_->Estacion_0, ui_->Prefijo_0, ui_->Distrito_0, ui_->Provincia_0,
                ui_->Banda_0,    ui_->Modo_0,    ui_->Puntos_0,   ui_->PuntosRef_0};
  c.informacion = ui_->Informacion;
  c.botones = {ui_->ConfProv, ui_->Finalizar, ui_->Anadir,  ui_->Modificar,
               ui_->Borra,    ui_->Anular,    ui_->Aceptar, ui_->Cancelar};
  c.celdasBloqueo = {S::Provincia, S::Estacion};
  c.seriePita = true;
  Monta(c);
  AltoInicial = height();
  AnchoInicial = width();
  UltimoEstadoVentana = 0;
}

ListEsp::~ListEsp() = default;

void ListEsp::changeEvent(QEvent* evento) {
  VentanaCuadricula::changeEvent(evento);
  if (evento->type() == QEvent::WindowStateChange) QTimer::singleShot(0, this, [this] { Form_Resize(); });
}

void ListEsp::Form_Resize() {
  if (isMinimized()) return;
  if (isMaximized()) {
    if (UltimoEstadoVentana != 2) {
      RedimensionaControles(this, AltoInicial, AnchoInicial, true);
      UltimoEstadoVentana = 2;
    }
  } else if (UltimoEstadoVentana != 0) {
    RedimensionaControles(this, AltoInicial, AnchoInicial, false);
    UltimoEstadoVentana = 0;
  }
}

}  // namespace listeditors
