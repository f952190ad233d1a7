#include "mainwindow/enlace_correo_trovalis.h"

#include <QCheckBox>
#include <QRadioButton>

#include "award/ges_diploma_cantabria.h"
#include "mainwindow/trovalis.h"

namespace principal {

EnlaceCorreoTrovalis::EnlaceCorreoTrovalis(Trovalis* ventana) : ventana_(ventana), contexto_(ventana->Contexto()) {}

bool EnlaceCorreoTrovalis::GestionAutomatica() const { return ventana_ && ventana_->GestionAutomatica->isChecked(); }

bool EnlaceCorreoTrovalis::GestionManual() const { return ventana_ && ventana_->GestionManual->isChecked(); }

cabrillo::AjustesVentanaPrincipal EnlaceCorreoTrovalis::Ajustes() const {
  cabrillo::AjustesVentanaPrincipal a;
  if (!ventana_) return a;
  a.SiglasONumeral = ventana_->SiglasONumeral->isChecked();
  a.VerificarNombreExacto = ventana_->VerificaNombre->isChecked();
  return a;
}

void EnlaceCorreoTrovalis::MuestraVentanaPrincipal() {
  if (!ventana_) return;
  ventana_->show();
  ventana_->activateWindow();
}

void EnlaceCorreoTrovalis::AbreGesDiploma(std::function<void()> al_cerrar) {
  award::AbreGesDiplomaCantabria(contexto_.CarpetaConcurso, contexto_.CarpetaTrabajo, std::move(al_cerrar));
}

}  // namespace principal
