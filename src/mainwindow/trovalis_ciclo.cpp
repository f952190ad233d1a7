// The contest in hand: create, pick, modify and delete a contest, the
// active contest, the reference lists of the contest in hand and the
// reports of logs not sent.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <algorithm>
#include <optional>

#include "database/conexiones.h"
#include "database/listas_ocultas.h"
#include "database/repositorio_concursos.h"
#include "cabrillo/contexto_concurso.h"
#include "mainwindow/listas_no_enviadas.h"
#include "mainwindow/servicios_programa.h"
#include "mainwindow/trovalis.h"
#include "plataforma/mensajes.h"
#include "plataforma/rutas.h"

namespace {

// The hourglass for as long as an operation runs.
class RelojDeArena {
 public:
  RelojDeArena() { QApplication::setOverrideCursor(Qt::WaitCursor); }
  ~RelojDeArena() { QApplication::restoreOverrideCursor(); }
  RelojDeArena(const RelojDeArena&) = delete;
  RelojDeArena& operator=(const RelojDeArena&) = delete;
};

// The working lists of the window as plain lists, and back.
listas::ListasOcultas ListasDeVentana(const Trovalis& v) {
  listas::ListasOcultas l = listas::ListasVacias();
  for (auto& [nombre, items] : l) {
    QListWidget* lista = v.ListaOculta(nombre);
    if (!lista) continue;
    for (int i = 0; i < lista->count(); ++i) items.push_back(lista->item(i)->text().toStdString());
  }
  return l;
}

void PonListasEnVentana(Trovalis& v, const listas::ListasOcultas& l) {
  for (const auto& [nombre, items] : l) {
    QListWidget* lista = v.ListaOculta(nombre);
    if (!lista) continue;
    lista->clear();
    for (const std::string& t : items) lista->addItem(QString::fromStdString(t));
  }
}

listas::OpcionesListas OpcionesDeListas(const Trovalis& v) {
  listas::OpcionesListas o;
  o.CadaProv = v.CadaProv->isChecked();
  o.ProvPorBanda = v.ProvPorBanda->isChecked();
  o.ExcluirProv = v.ExcluirProv->isChecked();
  o.CadaDistrito = v.CadaDistrito->isChecked();
  o.DistritoPorBanda = v.DistritoPorBanda->isChecked();
  o.ExcluirDistrito = v.ExcluirDistrito->isChecked();
  o.CadaEstacion = v.CadaEstacion->isChecked();
  o.EstacionPorBanda = v.EstacionPorBanda->isChecked();
  o.CadaPais = v.CadaPais->isChecked();
  o.PaisPorBanda = v.PaisPorBanda->isChecked();
  o.ExcluirPais = v.ExcluirPais->isChecked();
  o.CadaPrefijo = v.CadaPrefijo->isChecked();
  o.PrefijoPorBanda = v.PrefijoPorBanda->isChecked();
  o.ExcluirPrefijo = v.ExcluirPrefijo->isChecked();
  o.CadaCq = v.CadaCq->isChecked();
  o.CqPorBanda = v.CqPorBanda->isChecked();
  o.ExcluirCq = v.ExcluirCq->isChecked();
  o.RecibirPuntos = v.RecibirPuntos->isChecked();
  o.Multiplicadores = v.Multiplicadores->isChecked();
  return o;
}

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

// The number in the editor's number box.
std::int32_t NumeroEditor(const Trovalis& v) {
  return static_cast<std::int32_t>(v.Text3[0]->text().trimmed().toLong());
}

// Opens the shared recordsets again and stands the contest record on the
// contest `numero` (none when 0).
void ReabreConjuntos(principal::ServiciosPrincipal& servicios, std::int32_t numero) {
  servicios.Concursos().ReabreConjuntos();
  if (numero > 0) servicios.BuscaConcurso(numero);
}

}  // namespace

bool Trovalis::CargaConcursoSeleccionado() {
  SeleccionConcurso->hide();
  int seleccionado = listaConcursos_->Seleccionado();
  if (seleccionado < 0) return false;
  std::int32_t numero = listaConcursos_->Numero(seleccionado);
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
  servicios_->FijaConcursoActivo(static_cast<std::int32_t>(Text3[0]->text().toLong()));
  CargaListasConcurso();
  servicios_->CrearCarpetasConcurso(Text3[1]->text().toStdString(), Text3[2]->text().toStdString());
  ActualizaFicherosListasNoEnviadas();
  OperacionRegistro = principal::OperacionEditor::Ninguna;
  // The option boxes set by the load may have opened the points grid or the
  // hours box: nothing is being edited now.
  BloqueaCampos(1);
  ActualizaBotones();
  AltaReg->setFocus();
  return true;
}

// The working lists of the contest in hand, from its reference tables; the
// suffix format is read in its place among them.
void Trovalis::CargaListasConcurso() {
  listas::ListasOcultas l = ListasDeVentana(*this);
  const std::int32_t numero = Contexto().NumeroConcursoActual;
  for (listas::Grupo g : listas::kOrdenCarga) {
    servicios_->Concursos().CargaListas(g, numero, l);
    if (g == listas::Grupo::Prefijos) CargaFormatoSufijo();
  }
  PonListasEnVentana(*this, l);
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

// The checks of the editor before a create or a save, in their order: the
// typed fields by their column types (normalised back into the boxes), the
// contest data, then the reference lists and categories. A failing check has
// told the operator and put the focus where the correction goes.
bool Trovalis::VerificaEditor() {
  for (int i = 0; i < principal::kNumeroCamposTexto; ++i)
    CamposConcurso[static_cast<std::size_t>(i)] = Text3[static_cast<std::size_t>(i)]->text().toStdString();
  std::int16_t I = 0;
  if (!VerificaFormatoCampos(Contexto().DefinicionConcursos, CamposConcurso, I)) {
    Text3[static_cast<std::size_t>(std::clamp<int>(I, 0, principal::kNumeroCamposTexto - 1))]->setFocus();
    return false;
  }
  for (int i = 0; i < principal::kNumeroCamposTexto; ++i)
    Text3[static_cast<std::size_t>(i)]->setText(QString::fromStdString(CamposConcurso[static_cast<std::size_t>(i)]));
  if (!VerificaDatosConcurso(CamposConcurso)) return false;
  if (!VerificaListasMultiplicadores()) {
    Text3[1]->setFocus();
    return false;
  }
  return true;
}

// Disables the option boxes of the editor (exchange, repeat rules,
// multipliers, bands, modes, points per km and the multiplier switch).
void Trovalis::DeshabilitaOpciones() {
  HabilitaIntercambio(false);
  HabilitaRepeticiones(false);
  HabilitaMultiplicadores(0);
  HabilitaBandas(false);
  HabilitaModos(false);
  RecibirPuntosPorKM->setEnabled(false);
  Multiplicadores->setEnabled(false);
}

// The end of a create or a save that went well: nothing is being edited.
void Trovalis::TerminaEdicion() {
  OperacionRegistro = principal::OperacionEditor::Ninguna;
  BloqueaCampos(1);
  DeshabilitaOpciones();
  servicios_->GeneraCategoriasAdmitidas();
  ActualizaBotones();
  AltaReg->setFocus();
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
  PrimerNumero = PrimeraLetra = SegundaLetra = TerceraLetra = UltimaLetra = false;

  BloqueaCampos(0);
  BloqueaPuntos(1);
  HabilitaBandas(true);
  HabilitaModos(true);
  HabilitaIntercambio(true);
  HabilitaRepeticiones(true);
  RecibirPuntosPorKM->setEnabled(true);
  Multiplicadores->setEnabled(true);
  Multiplicadores->setChecked(false);

  // The contest gets the proposed number: the box stays closed.
  NumeroPropuesto = servicios_->Concursos().ProximoNumero();
  Text3[0]->setText(QString::number(NumeroPropuesto));
  PonBloqueo(0, true);
  Contexto().NumeroConcursoActual = NumeroPropuesto;
  // No contest carries the proposed number, so a Cabrillo format stored
  // under it was left by a create that never ended (the program was closed
  // meanwhile): the new contest must not inherit it.
  EnTransaccion(
      Contexto().BaseConcursos, [&] { servicios_->Concursos().BorraResumenCabrillo(NumeroPropuesto); },
      "borrar el formato Cabrillo de un alta sin terminar");

  DesactivarBotones();
  Aceptar->setEnabled(true);
  Cancelar->setEnabled(true);
  Text3[1]->setFocus();
  Contexto().HayConcursoCargado = false;
}

void Trovalis::ConsultaReg_Click() {
  OperacionRegistro = principal::OperacionEditor::Consulta;
  DesactivarBotones();
  SeleccionConcurso->show();
  Aceptar->setEnabled(true);
  Cancelar->setEnabled(true);
  Combo1->setFocus();
}

void Trovalis::ModificarReg_Click() {
  OperacionRegistro = principal::OperacionEditor::Modificar;
  DesactivarBotones();
  Contexto().NombreConcurso = Text3[1]->text().toStdString();
  Contexto().EdicionConcurso = Text3[2]->text().toStdString();
  BloqueaCampos(0);
  BloqueaPuntos(0);
  HabilitaBandas(true);
  HabilitaModos(true);
  HabilitaIntercambio(true);
  HabilitaMultiplicadores(1);
  HabilitaRepeticiones(true);
  RecibirPuntosPorKM->setEnabled(true);
  Multiplicadores->setEnabled(true);
  // The number of a stored contest is not edited.
  PonBloqueo(0, true);
  Aceptar->setEnabled(true);
  Cancelar->setEnabled(true);
  Text3[1]->setFocus();
}

void Trovalis::BorrarReg_Click() {
  OperacionRegistro = principal::OperacionEditor::Borrar;
  DesactivarBotones();
  Aceptar->setEnabled(true);
  Cancelar->setEnabled(true);
  Cancelar->setFocus();
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
      AltaReg->setFocus();
    }
  } else if (OperacionRegistro == principal::OperacionEditor::Modificar) {
    ModificaConcurso();
  }
}

void Trovalis::Cancelar_Click() {
  DeshabilitaOpciones();
  SiglasONumeral->setEnabled(false);

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
    AltaReg->setFocus();
  } else if (OperacionRegistro == principal::OperacionEditor::Consulta) {
    SeleccionConcurso->hide();
    ActualizaBotones();
    AltaReg->setFocus();
  } else if (OperacionRegistro == principal::OperacionEditor::Modificar) {
    OperacionRegistro = principal::OperacionEditor::Ninguna;
    CargaCamposConcurso();
    CargaListasConcurso();
    // The Cabrillo format window stores its row at once, so a cancelled
    // modification may leave the contest with other categories.
    servicios_->GeneraCategoriasAdmitidas();
    BloqueaCampos(1);
    ActualizaBotones();
    AltaReg->setFocus();
  } else if (OperacionRegistro == principal::OperacionEditor::Borrar) {
    OperacionRegistro = principal::OperacionEditor::Ninguna;
    ActualizaBotones();
    AltaReg->setFocus();
  }
  // Reloading the stored contest ticks its boxes again, and the handler of
  // "Multiplicadores Por" enables the multiplier boxes: nothing is being
  // edited now, so every option box is closed again.
  DeshabilitaOpciones();
}

// ---------------------------------------------------------------- operations

void Trovalis::QuitaBlancosFinalesNombre() {
  for (int i : {1, 2}) {
    QLineEdit* t = Text3[static_cast<std::size_t>(i)];
    const std::string limpio = principal::SinBlancosFinales(t->text().toStdString());
    if (limpio != t->text().toStdString()) t->setText(QString::fromStdString(limpio));
  }
}

void Trovalis::AltaConcurso() {
  QuitaBlancosFinalesNombre();
  const std::string nombre = Text3[1]->text().toStdString();
  const std::string edicion = Text3[2]->text().toStdString();
  if (ExisteConcurso(nombre, edicion)) {
    servicios_->Mensaje("Ya hay un concurso con el MISMO NOMBRE y EDICIÓN", "CONCURSO", principal::IconoMensaje::Error);
    Text3[1]->setFocus();
    return;
  }
  if (CadaProv->isChecked() || Otros->isChecked()) {
    Multiplicadores->setChecked(true);
    RecibirSiglas->setChecked(true);
  }
  Contexto().NombreConcurso = nombre;
  Contexto().EdicionConcurso = edicion;
  if (!VerificaEditor()) return;

  const std::int32_t numero = NumeroEditor(*this);
  const std::string nombreGuardado = Text3[1]->text().toStdString();
  const std::string edicionGuardada = Text3[2]->text().toStdString();
  listas::ListasOcultas l = ListasDeVentana(*this);
  const listas::OpcionesListas opciones = OpcionesDeListas(*this);
  const std::int32_t anterior =
      listaConcursos_->Seleccionado() >= 0 ? listaConcursos_->Numero(listaConcursos_->Seleccionado()) : 0;

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
  PonListasEnVentana(*this, l);
  Contexto().NombreConcurso = nombreGuardado;
  Contexto().EdicionConcurso = edicionGuardada;
  Contexto().NumeroConcursoActual = numero;
  servicios_->CrearCarpetasConcurso(nombreGuardado, edicionGuardada);

  listaConcursos_->Agrega(TextoEntradaConcurso(nombreGuardado, edicionGuardada), numero);
  for (int i = 0; i < listaConcursos_->Cuenta(); ++i)
    if (listaConcursos_->Numero(i) == numero) {
      listaConcursos_->Selecciona(i);
      break;
    }
  NumeroPropuesto = 0;
  Contexto().HayConcursoCargado = true;
  servicios_->Mensaje("Alta del Concurso efectuada", "ALTA", principal::IconoMensaje::Informacion);

  TerminaEdicion();
}

void Trovalis::ModificaConcurso() {
  QuitaBlancosFinalesNombre();
  const std::int32_t numero = NumeroEditor(*this);
  const std::string nombre = Text3[1]->text().toStdString();
  const std::string edicion = Text3[2]->text().toStdString();
  servicios_->BuscaConcurso(numero);
  principal::RegistroConcurso* guardado = servicios_->ConcursoActual();
  // A new name or a new edition must not be those of another contest: the
  // two would share one folder.
  bool cambiado = !guardado || guardado->LeeTexto("Concurso").value_or("") != nombre ||
                  guardado->LeeTexto("Edicion").value_or("") != edicion;
  if (cambiado && servicios_->Concursos().ExisteOtro(nombre, edicion, numero)) {
    servicios_->Mensaje("Ya hay un concurso con el MISMO NOMBRE y EDICIÓN", "CONCURSO", principal::IconoMensaje::Error);
    Text3[1]->setFocus();
    return;
  }
  if (CadaProv->isChecked() || Otros->isChecked()) {
    Multiplicadores->setChecked(true);
    RecibirSiglas->setChecked(true);
  }
  if (!VerificaEditor()) return;

  listas::ListasOcultas l = ListasDeVentana(*this);
  const listas::OpcionesListas opciones = OpcionesDeListas(*this);
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
  PonListasEnVentana(*this, l);

  // The entry of this contest in the list shows the new name and edition.
  const std::string texto = TextoEntradaConcurso(CamposConcurso[1], Text3[2]->text().toStdString());
  for (int i = 0; i < Combo1->count(); ++i)
    if (Combo1->itemData(i).toInt() == numero) {
      Combo1->setItemText(i, QString::fromStdString(texto));
      break;
    }
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
    const std::int32_t numero = NumeroEditor(*this);
    bool hecho = EnTransaccion(
        Contexto().BaseConcursos, [&] { servicios_->Concursos().Borra(numero); }, "borrar el Concurso");
    if (!hecho) {
      ReabreConjuntos(*servicios_, numero);
      return;
    }
    ReabreConjuntos(*servicios_, 0);
    for (int i = 0; i < Combo1->count(); ++i)
      if (Combo1->itemData(i).toInt() == numero) {
        Combo1->removeItem(i);
        break;
      }
    Contexto().NombreConcurso.clear();
    Contexto().EdicionConcurso.clear();
    Contexto().NumeroConcursoActual = 0;
    LimpiaFormulario();
    OperacionRegistro = principal::OperacionEditor::Ninguna;
    Contexto().HayConcursoCargado = false;
  }
  ActualizaBotones();
  AltaReg->setFocus();
}
