#include "listeditors/lista_mult_esp.h"

#include "ui_lista_mult_esp.h"

namespace listeditors {

ListaMultEsp::ListaMultEsp(EnlaceListas& principal, QWidget* padre)
    : VentanaCuadricula(modelo_, padre), modelo_(principal), ui_(std::make_unique<Ui::ListaMultEsp>()) {
  ui_->setupUi(this);
  using M = EditorMultEspeciales;
  Controles c;
  c.rejilla = ui_->Rejilla;
  c.serie = ui_->SerieMultEsp_0;
  c.columnas = {ui_->Estacion_0,  ui_->Pais_0,   ui_->Distrito_0,    ui_->Prefijo_0,
                ui_->Provincia_0, ui_->ZonaCQ_0, ui_->OtrasSiglas_0, ui_->Puntos_0};
  c.informacion = ui_->Informacion;
  c.botones = {ui_->ConfProv, ui_->Finalizar, ui_->Anadir,  ui_->Modificar,
               ui_->Borra,    ui_->Anular,    ui_->Aceptar, ui_->Cancelar};
  c.celdasBloqueo = {M::Provincia, M::Estacion};
  c.seriePita = false;
  Monta(c);
}

ListaMultEsp::~ListaMultEsp() = default;

}  // namespace listeditors
