#include "mainwindow/enlace_correo_trovalis.h"

#include "award/ges_diploma_cantabria.h"
#include "mainwindow/editor_principal.h"

namespace principal {

EnlaceCorreoTrovalis::EnlaceCorreoTrovalis(QWidget* ventana, EditorPrincipal& editor)
    : ventana_(ventana), editor_(editor), contexto_(editor.Contexto()) {}

bool EnlaceCorreoTrovalis::GestionAutomatica() const { return ventana_ && editor_.GestionAutomatica(); }

bool EnlaceCorreoTrovalis::GestionManual() const { return ventana_ && editor_.GestionManual(); }

cabrillo::AjustesVentanaPrincipal EnlaceCorreoTrovalis::Ajustes() const {
  cabrillo::AjustesVentanaPrincipal a;
  if (!ventana_) return a;
  a.SiglasONumeral = editor_.OpcionMarcada(Opcion::SiglasONumeral);
  a.VerificarNombreExacto = editor_.VerificaNombreExacto();
  return a;
}

void EnlaceCorreoTrovalis::MuestraVentanaPrincipal() {
  if (!ventana_) return;
  editor_.MuestraDeNuevo();
}

void EnlaceCorreoTrovalis::AbreGesDiploma(std::function<void()> al_cerrar) {
  award::AbreGesDiplomaCantabria(contexto_.CarpetaConcurso, contexto_.CarpetaTrabajo, std::move(al_cerrar));
}

}  // namespace principal
