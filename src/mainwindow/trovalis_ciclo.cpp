// The contest in hand: create, pick, modify and delete a contest, the
// active contest, the reference lists of the contest in hand and the
// reports of logs not sent.
#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <algorithm>
#include <optional>

#include "database/conexiones.h"
#include "database/listas_ocultas.h"
#include "database/repositorio_concursos.h"
#include "cabrillo/contexto_concurso.h"
#include "mainwindow/comprobacion_concurso.h"
#include "mainwindow/listas_no_enviadas.h"
#include "mainwindow/servicios_programa.h"
#include "mainwindow/trovalis.h"
#include "plataforma/mensajes.h"
#include "plataforma/rutas.h"
#include "ui_trovalis.h"

namespace {

// The hourglass for as long as an operation runs.
class RelojDeArena {
 public:
  RelojDeArena() { QApplication::setOverrideCursor(Qt::WaitCursor); }
  ~RelojDeArena() { QApplication::restoreOverrideCursor(); }
  RelojDeArena(const RelojDeArena&) = delete;
  RelojDeArena& operator=(const RelojDeArena&) = delete;
};

// Runs the writes of one operation as a whole: either all of them are kept
// or the database stays as it was. The shared recordsets are opened again
// afterwards, so that they see exactly what the database holds.
template <typename Escrituras>
bool EnTransaccion(dao::Database& base, Escrituras&& escrituras, const std::string& operacion) {
  try {
    database::Transaccion transaccion(base);
    escrituras();
    transaccion.Confirma();
  } catch (const std::exception& e) {
    plataforma::MsgBox("No se ha podido " + operacion +
                           ". La base de datos de concursos queda como estaba.\n\n" + e.what(),
                       "ERROR", plataforma::Icono::Error);
    return false;
  }
  return true;
}

// Opens the shared recordsets again and stands the contest record on the
// contest `numero` (none when 0).
void ReabreConjuntos(principal::ServiciosPrincipal& servicios, std::int32_t numero) {
  servicios.Concursos().ReabreConjuntos();
  if (numero > 0) servicios.BuscaConcurso(numero);
}

}  // namespace

bool Trovalis::CargaConcursoSeleccionado() {
  ui_->SeleccionConcurso->hide();
  int seleccionado = ui_->SeleccionConcurso->Seleccionado();
  if (seleccionado < 0) return false;
  std::int32_t numero = ui_->SeleccionConcurso->Numero(seleccionado);
  if (!servicios_->BuscaConcurso(numero)) {
    Contexto().NombreConcurso.clear();
    Contexto().EdicionConcurso.clear();
    Contexto().NumeroConcursoActual = 0;
    return false;
  }
  Contexto().HayConcursoCargado = true;
  CargaCamposConcurso();
  servicios_->GeneraCategoriasAdmitidas();
  DeshabilitaOpciones();
  servicios_->FijaConcursoActivo(static_cast<std::int32_t>(textos_[0]->text().toLong()));
  CargaListasConcurso();
  servicios_->CrearCarpetasConcurso(textos_[1]->text().toStdString(), textos_[2]->text().toStdString());
  ActualizaFicherosListasNoEnviadas();
  OperacionRegistro = principal::OperacionEditor::Ninguna;
  // The option boxes set by the load may have opened the points grid or the
  // hours box: nothing is being edited now.
  BloqueaCampos(1);
  ActualizaBotones();
  ui_->AltaReg->setFocus();
  return true;
}

// The working lists of the contest in hand, from its reference tables; the
// suffix format is read in its place among them.
void Trovalis::CargaListasConcurso() {
  listas::ListasOcultas l = concurso_.Listas;
  const std::int32_t numero = Contexto().NumeroConcursoActual;
  for (listas::Grupo g : listas::kOrdenCarga) {
    servicios_->Concursos().CargaListas(g, numero, l);
    if (g == listas::Grupo::Prefijos) CargaFormatoSufijo();
  }
  concurso_.Listas = std::move(l);
}

// Rebuilds the reports of logs not sent from the contest folder. A report
// that cannot be written leaves the input in place for the next run.
void Trovalis::ActualizaFicherosListasNoEnviadas() {
  if (noenviadas::ActualizaFicheros(Contexto().CarpetaConcurso) == noenviadas::Resultado::ErrorEscritura)
    plataforma::MsgBox("No se han podido escribir los informes de listas no enviadas en " +
                           plataforma::UneRuta(Contexto().CarpetaConcurso, "ListasNoEnviadas") +
                           ". La lista de estaciones se conserva para la próxima vez.",
                       "ERROR", plataforma::Icono::Error);
}

// Disables the option boxes of the editor (exchange, repeat rules,
// multipliers, bands, modes, points per km and the multiplier switch).
void Trovalis::DeshabilitaOpciones() {
  HabilitaIntercambio(false);
  HabilitaRepeticiones(false);
  HabilitaMultiplicadores(0);
  HabilitaBandas(false);
  HabilitaModos(false);
  ui_->RecibirPuntosPorKM->setEnabled(false);
  Casilla(principal::Opcion::Multiplicadores)->setEnabled(false);
}

// The end of a create or a save that went well: nothing is being edited.
void Trovalis::TerminaEdicion() {
  OperacionRegistro = principal::OperacionEditor::Ninguna;
  BloqueaCampos(1);
  DeshabilitaOpciones();
  servicios_->GeneraCategoriasAdmitidas();
  ActualizaBotones();
  ui_->AltaReg->setFocus();
}

// ---------------------------------------------------------------- buttons

void Trovalis::AltaReg_Click() {
  OperacionRegistro = principal::OperacionEditor::Alta;
  LimpiaFormulario();
  // A new contest starts without the values of the contest shown before.
  Contexto().CorreoReclamaciones.clear();
  Contexto().DireccionWebConcurso.clear();
  Contexto().OpcionExcluirMismaProv = Contexto().OpcionExcluirMismoDist = Contexto().OpcionExcluirMismoPais =
      Contexto().OpcionExcluirMismoPrefijo = Contexto().OpcionExcluirMismaZonaCQ = false;
  concurso_.Sufijo = {};

  BloqueaCampos(0);
  BloqueaPuntos(1);
  HabilitaBandas(true);
  HabilitaModos(true);
  HabilitaIntercambio(true);
  HabilitaRepeticiones(true);
  ui_->RecibirPuntosPorKM->setEnabled(true);
  Casilla(principal::Opcion::Multiplicadores)->setEnabled(true);
  Casilla(principal::Opcion::Multiplicadores)->setChecked(false);

  // The contest gets the proposed number: the box stays closed.
  NumeroPropuesto = servicios_->Concursos().ProximoNumero();
  textos_[0]->setText(QString::number(NumeroPropuesto));
  PonBloqueo(0, true);
  Contexto().NumeroConcursoActual = NumeroPropuesto;
  // No contest carries the proposed number, so a Cabrillo format stored
  // under it was left by a create that never ended (the program was closed
  // meanwhile): the new contest must not inherit it.
  EnTransaccion(
      Contexto().BaseConcursos, [&] { servicios_->Concursos().BorraResumenCabrillo(NumeroPropuesto); },
      "borrar el formato Cabrillo de un alta sin terminar");

  DesactivarBotones();
  ui_->Aceptar->setEnabled(true);
  ui_->Cancelar->setEnabled(true);
  textos_[1]->setFocus();
  Contexto().HayConcursoCargado = false;
}

void Trovalis::ConsultaReg_Click() {
  OperacionRegistro = principal::OperacionEditor::Consulta;
  DesactivarBotones();
  ui_->SeleccionConcurso->show();
  ui_->Aceptar->setEnabled(true);
  ui_->Cancelar->setEnabled(true);
  ui_->SeleccionConcurso->Enfoca();
}

void Trovalis::ModificarReg_Click() {
  OperacionRegistro = principal::OperacionEditor::Modificar;
  DesactivarBotones();
  Contexto().NombreConcurso = textos_[1]->text().toStdString();
  Contexto().EdicionConcurso = textos_[2]->text().toStdString();
  BloqueaCampos(0);
  BloqueaPuntos(0);
  HabilitaBandas(true);
  HabilitaModos(true);
  HabilitaIntercambio(true);
  HabilitaMultiplicadores(1);
  HabilitaRepeticiones(true);
  ui_->RecibirPuntosPorKM->setEnabled(true);
  Casilla(principal::Opcion::Multiplicadores)->setEnabled(true);
  // The number of a stored contest is not edited.
  PonBloqueo(0, true);
  ui_->Aceptar->setEnabled(true);
  ui_->Cancelar->setEnabled(true);
  textos_[1]->setFocus();
}

void Trovalis::BorrarReg_Click() {
  OperacionRegistro = principal::OperacionEditor::Borrar;
  DesactivarBotones();
  ui_->Aceptar->setEnabled(true);
  ui_->Cancelar->setEnabled(true);
  ui_->Cancelar->setFocus();
}

void Trovalis::Aceptar_Click() {
  RelojDeArena reloj;
  if (OperacionRegistro == principal::OperacionEditor::Borrar) {
    BorraConcurso();
  } else if (OperacionRegistro == principal::OperacionEditor::Alta) {
    AltaConcurso();
  } else if (OperacionRegistro == principal::OperacionEditor::Consulta) {
    if (!CargaConcursoSeleccionado()) {
      QApplication::beep();
      servicios_->Mensaje("No se han encontrado CONCURSOS con estas condiciones", "CONSULTA",
                          principal::IconoMensaje::Informacion);
      ActualizaBotones();
      ui_->AltaReg->setFocus();
    }
  } else if (OperacionRegistro == principal::OperacionEditor::Modificar) {
    ModificaConcurso();
  }
}

void Trovalis::Cancelar_Click() {
  DeshabilitaOpciones();
  ui_->SiglasONumeral->setEnabled(false);

  if (OperacionRegistro == principal::OperacionEditor::Alta) {
    OperacionRegistro = principal::OperacionEditor::Ninguna;
    // The Cabrillo format saved for the contest that was not created goes
    // with it, so that the next new contest does not inherit it.
    if (NumeroPropuesto > 0 && !servicios_->Concursos().HayConNumero(NumeroPropuesto))
      EnTransaccion(
          Contexto().BaseConcursos, [&] { servicios_->Concursos().BorraResumenCabrillo(NumeroPropuesto); },
          "borrar el formato Cabrillo del concurso cancelado");
    LimpiaFormulario();
    BloqueaCampos(1);
    ActualizaBotones();
    ui_->AltaReg->setFocus();
  } else if (OperacionRegistro == principal::OperacionEditor::Consulta) {
    ui_->SeleccionConcurso->hide();
    ActualizaBotones();
    ui_->AltaReg->setFocus();
  } else if (OperacionRegistro == principal::OperacionEditor::Modificar) {
    OperacionRegistro = principal::OperacionEditor::Ninguna;
    CargaCamposConcurso();
    CargaListasConcurso();
    // The Cabrillo format window stores its row at once, so a cancelled
    // modification may leave the contest with other categories.
    servicios_->GeneraCategoriasAdmitidas();
    BloqueaCampos(1);
    ActualizaBotones();
    ui_->AltaReg->setFocus();
  } else if (OperacionRegistro == principal::OperacionEditor::Borrar) {
    OperacionRegistro = principal::OperacionEditor::Ninguna;
    ActualizaBotones();
    ui_->AltaReg->setFocus();
  }
  // Reloading the stored contest ticks its boxes again, and the handler of
  // "Multiplicadores Por" enables the multiplier boxes: nothing is being
  // edited now, so every option box is closed again.
  DeshabilitaOpciones();
}

// ---------------------------------------------------------------- operations

void Trovalis::QuitaBlancosFinalesNombre() {
  for (int i : {1, 2}) {
    QLineEdit* t = textos_[static_cast<std::size_t>(i)];
    const std::string limpio = principal::SinBlancosFinales(t->text().toStdString());
    if (limpio != t->text().toStdString()) t->setText(QString::fromStdString(limpio));
  }
}

void Trovalis::AltaConcurso() {
  QuitaBlancosFinalesNombre();
  const std::string nombre = textos_[1]->text().toStdString();
  const std::string edicion = textos_[2]->text().toStdString();
  if (ExisteConcurso(nombre, edicion)) {
    servicios_->Mensaje("Ya hay un concurso con el MISMO NOMBRE y EDICIÓN", "CONCURSO", principal::IconoMensaje::Error);
    textos_[1]->setFocus();
    return;
  }
  if (Casilla(principal::Opcion::CadaProv)->isChecked() || Casilla(principal::Opcion::Otros)->isChecked()) {
    Casilla(principal::Opcion::Multiplicadores)->setChecked(true);
    ui_->RecibirSiglas->setChecked(true);
  }
  Contexto().NombreConcurso = nombre;
  Contexto().EdicionConcurso = edicion;
  if (!VerificaEditor()) return;

  const std::int32_t numero = principal::NumeroDeCaja(textos_[0]->text().toStdString());
  const std::string nombreGuardado = textos_[1]->text().toStdString();
  const std::string edicionGuardada = textos_[2]->text().toStdString();
  listas::ListasOcultas l = concurso_.Listas;
  const listas::OpcionesListas opciones = LeeModelo().OpcionesDeListas();
  const std::int32_t anterior = ui_->SeleccionConcurso->Seleccionado() >= 0
                                    ? ui_->SeleccionConcurso->Numero(ui_->SeleccionConcurso->Seleccionado())
                                    : 0;

  bool hecho = EnTransaccion(
      Contexto().BaseConcursos,
      [&] {
        servicios_->Concursos().Alta(
            numero,
            [&](dao::Recordset& conjunto) {
              principal::RegistroConcursoDao fila(conjunto);
              for (const char* c : {"AnularQSO", "AnularCinco", "AnularPorBandaDistinta"})
                fila.EscribeBooleano(c, true);
              for (const char* c : {"AnularPorFecha", "AnularPorFechaDistinta", "AnularPorRSTDistinto"})
                fila.EscribeBooleano(c, false);
              GrabaCamposConcurso(fila);
              GrabaOpcionesConcurso(fila);
            },
            opciones, l);
      },
      "dar de alta el Concurso");
  if (!hecho) {
    ReabreConjuntos(*servicios_, anterior);
    return;
  }
  ReabreConjuntos(*servicios_, numero);
  concurso_.Listas = l;
  Contexto().NombreConcurso = nombreGuardado;
  Contexto().EdicionConcurso = edicionGuardada;
  Contexto().NumeroConcursoActual = numero;
  servicios_->CrearCarpetasConcurso(nombreGuardado, edicionGuardada);

  ui_->SeleccionConcurso->Agrega(TextoEntradaConcurso(nombreGuardado, edicionGuardada), numero);
  for (int i = 0; i < ui_->SeleccionConcurso->Cuenta(); ++i)
    if (ui_->SeleccionConcurso->Numero(i) == numero) {
      ui_->SeleccionConcurso->Selecciona(i);
      break;
    }
  NumeroPropuesto = 0;
  Contexto().HayConcursoCargado = true;
  servicios_->Mensaje("Alta del Concurso efectuada", "ALTA", principal::IconoMensaje::Informacion);

  TerminaEdicion();
}

void Trovalis::ModificaConcurso() {
  QuitaBlancosFinalesNombre();
  const std::int32_t numero = principal::NumeroDeCaja(textos_[0]->text().toStdString());
  const std::string nombre = textos_[1]->text().toStdString();
  const std::string edicion = textos_[2]->text().toStdString();
  servicios_->BuscaConcurso(numero);
  principal::RegistroConcurso* guardado = servicios_->ConcursoActual();
  // A new name or a new edition must not be those of another contest: the
  // two would share one folder.
  bool cambiado = !guardado || guardado->LeeTexto("Concurso").value_or("") != nombre ||
                  guardado->LeeTexto("Edicion").value_or("") != edicion;
  if (cambiado && servicios_->Concursos().ExisteOtro(nombre, edicion, numero)) {
    servicios_->Mensaje("Ya hay un concurso con el MISMO NOMBRE y EDICIÓN", "CONCURSO", principal::IconoMensaje::Error);
    textos_[1]->setFocus();
    return;
  }
  if (Casilla(principal::Opcion::CadaProv)->isChecked() || Casilla(principal::Opcion::Otros)->isChecked()) {
    Casilla(principal::Opcion::Multiplicadores)->setChecked(true);
    ui_->RecibirSiglas->setChecked(true);
  }
  if (!VerificaEditor()) return;

  listas::ListasOcultas l = concurso_.Listas;
  const listas::OpcionesListas opciones = LeeModelo().OpcionesDeListas();
  bool hecho = EnTransaccion(
      Contexto().BaseConcursos,
      [&] {
        if (!servicios_->BuscaConcurso(numero))
          throw dao::Error(dao::errNoHayRegistroActual, "El concurso " + std::to_string(numero) + " no existe");
        servicios_->Concursos().Modifica(
            numero,
            [&](dao::Recordset& conjunto) {
              principal::RegistroConcursoDao fila(conjunto);
              GrabaCamposConcurso(fila);
              GrabaOpcionesConcurso(fila);
            },
            opciones, l);
      },
      "modificar el Concurso");
  ReabreConjuntos(*servicios_, numero);
  if (!hecho) return;
  concurso_.Listas = l;

  // The entry of this contest in the list shows the new name and edition.
  const std::string texto = TextoEntradaConcurso(textos_[1]->text().toStdString(), textos_[2]->text().toStdString());
  ui_->SeleccionConcurso->CambiaTexto(numero, texto);
  Contexto().NombreConcurso = nombre;
  Contexto().EdicionConcurso = edicion;
  servicios_->CrearCarpetasConcurso(nombre, edicion);
  ActualizaFicherosListasNoEnviadas();
  Contexto().HayConcursoCargado = true;
  servicios_->Mensaje("Modificación del Concurso efectuada", "MODIFICAR", principal::IconoMensaje::Informacion);

  TerminaEdicion();
}

void Trovalis::BorraConcurso() {
  plataforma::Respuesta r = plataforma::MsgBox("De verdad quiere BORRAR este CONCURSO", "VERIFICAR BORRADO DE QSO",
                                               plataforma::Icono::Error, plataforma::Botones::SiNo);
  if (r != plataforma::Respuesta::Si) {
    OperacionRegistro = principal::OperacionEditor::Consulta;
  } else {
    const std::int32_t numero = principal::NumeroDeCaja(textos_[0]->text().toStdString());
    bool hecho = EnTransaccion(
        Contexto().BaseConcursos, [&] { servicios_->Concursos().Borra(numero); }, "borrar el Concurso");
    if (!hecho) {
      ReabreConjuntos(*servicios_, numero);
      return;
    }
    ReabreConjuntos(*servicios_, 0);
    ui_->SeleccionConcurso->Quita(numero);
    Contexto().NombreConcurso.clear();
    Contexto().EdicionConcurso.clear();
    Contexto().NumeroConcursoActual = 0;
    LimpiaFormulario();
    OperacionRegistro = principal::OperacionEditor::Ninguna;
    Contexto().HayConcursoCargado = false;
  }
  ActualizaBotones();
  ui_->AltaReg->setFocus();
}
