// The contest editor of the main window: the binding of the contest row to
// the controls, and the states of its fields and buttons.
#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>

#include "cabrillo/contexto_concurso.h"
#include "mainwindow/trovalis.h"
#include "ui_trovalis.h"

namespace {

const char* const kExcluirPropios[] = {"ExcluirMismaProv", "ExcluirMismoDist", "ExcluirMismoPais",
                                       "ExcluirMismoPrefijo", "ExcluirMismaZonaCQ"};
const char* const kFormatoSufijo[] = {"PrimerNumero", "PrimeraLetra", "SegundaLetra", "TerceraLetra",
                                      "UltimaLetra"};

QString QTexto(const std::string& s) { return QString::fromStdString(s); }

}  // namespace

// ---------------------------------------------------------------- binding

void Trovalis::CargaCamposConcurso() {
  principal::RegistroConcurso* fila = servicios_->ConcursoActual();
  if (!fila) return;
  Contexto().NombreConcurso = fila->LeeTexto("Concurso").value_or("");
  Contexto().NumeroConcursoActual =
      static_cast<std::int32_t>(std::atol(fila->LeeTexto("NumeroOrden").value_or("0").c_str()));
  Contexto().EdicionConcurso = fila->LeeTexto("Edicion").value_or("");

  // The options first: their handlers may fill the points grid and the
  // hours box, which the row's texts then replace.
  CargaOpcionesConcurso();

  for (int i = 0; i < principal::kNumeroCamposTexto; ++i) {
    std::string valor = fila->LeeTexto(i).value_or("");
    if (i == 3 || i == 5) valor = principal::FechaComoDiaMesAnio(valor);
    textos_[static_cast<std::size_t>(i)]->setText(QTexto(valor));
  }
  Contexto().CorreoReclamaciones = fila->LeeTexto("EMailReclamaciones").value_or("");
  Contexto().DireccionWebConcurso = fila->LeeTexto("WEBConcurso").value_or("");
  for (int j = 0; j < principal::kNumeroBandas; ++j)
    bandas_[static_cast<std::size_t>(j)]->setChecked(fila->LeeBooleano(27 + j));
  for (int k = 0; k < principal::kNumeroModos; ++k)
    modos_[static_cast<std::size_t>(k)]->setChecked(fila->LeeBooleano(41 + k));
  Contexto().OpcionExcluirMismaProv = fila->LeeBooleano(kExcluirPropios[0]);
  Contexto().OpcionExcluirMismoDist = fila->LeeBooleano(kExcluirPropios[1]);
  Contexto().OpcionExcluirMismoPais = fila->LeeBooleano(kExcluirPropios[2]);
  Contexto().OpcionExcluirMismoPrefijo = fila->LeeBooleano(kExcluirPropios[3]);
  Contexto().OpcionExcluirMismaZonaCQ = fila->LeeBooleano(kExcluirPropios[4]);
}

void Trovalis::CargaOpcionesConcurso() {
  principal::RegistroConcurso* fila = servicios_->ConcursoActual();
  if (!fila) return;
  // Each change of value runs its interlocks; setting the value it already
  // has runs nothing.
  AplicaReglas([fila](principal::ConcursoEnEdicion& m) { m.CargaOpciones(*fila); });
}

void Trovalis::CargaFormatoSufijo() {
  principal::RegistroConcurso* fila = servicios_->ConcursoActual();
  if (!fila) return;
  principal::FormatoSufijoConcurso& f = concurso_.Sufijo;
  f.PrimerNumero = fila->LeeBooleano(kFormatoSufijo[0]);
  f.PrimeraLetra = fila->LeeBooleano(kFormatoSufijo[1]);
  f.SegundaLetra = fila->LeeBooleano(kFormatoSufijo[2]);
  f.TerceraLetra = fila->LeeBooleano(kFormatoSufijo[3]);
  f.UltimaLetra = fila->LeeBooleano(kFormatoSufijo[4]);
}

void Trovalis::GrabaCamposConcurso(principal::RegistroConcurso& fila) {
  // Without suffix multipliers the contest keeps no suffix format.
  if (!Casilla(principal::Opcion::CadaSufijo)->isChecked()) concurso_.Sufijo = {};
  const ContextoConcurso& c = Contexto();
  LeeModelo().GrabaCampos(
      fila, {c.OpcionExcluirMismaProv, c.OpcionExcluirMismoDist, c.OpcionExcluirMismoPais, c.OpcionExcluirMismoPrefijo,
             c.OpcionExcluirMismaZonaCQ, c.CorreoReclamaciones, c.DireccionWebConcurso});
}

void Trovalis::GrabaOpcionesConcurso(principal::RegistroConcurso& fila) { LeeModelo().GrabaOpciones(fila); }

void Trovalis::AjustaLongitudCampos(int extra) {
  std::vector<principal::ColumnaConcurso> definicion = servicios_->DefinicionConcursos();
  for (int i = 0; i < principal::kNumeroCamposTexto && i < static_cast<int>(definicion.size()); ++i) {
    QLineEdit* t = textos_[static_cast<std::size_t>(i)];
    const principal::ColumnaConcurso& c = definicion[static_cast<std::size_t>(i)];
    t->setMaxLength(principal::LongitudMaxima(c.Tipo, c.Tamano, extra, t->maxLength()));
  }
}

// ---------------------------------------------------------------- buttons

void Trovalis::DesactivarBotones() {
  for (QPushButton* b : {ui_->AltaReg, ui_->ConsultaReg, ui_->SeleccionarImpresora, ui_->GestionListas,
                         ui_->ModificarReg, ui_->BorrarReg, ui_->FinClientes, ui_->Bases})
    b->setEnabled(false);
}

void Trovalis::ActualizaBotones() {
  ui_->AltaReg->setEnabled(true);
  ui_->ConsultaReg->setEnabled(true);
  ui_->SeleccionarImpresora->setEnabled(true);
  // The buttons that work on the contest in hand only while there is one.
  for (QPushButton* b : {ui_->GestionListas, ui_->ModificarReg, ui_->BorrarReg, ui_->Bases})
    b->setEnabled(Contexto().HayConcursoCargado);
  ui_->FinClientes->setEnabled(true);
  ui_->Aceptar->setEnabled(false);
  ui_->Cancelar->setEnabled(false);
}

// ---------------------------------------------------------------- fields

void Trovalis::PonBloqueo(int indice, bool cerrado) {
  QLineEdit* t = textos_[static_cast<std::size_t>(indice)];
  bloqueo_[static_cast<std::size_t>(indice)] = cerrado;
  // A closed box refuses typing but still takes the focus, from a click as
  // from Enter, Tab or the arrow keys: a viewed contest can be browsed by
  // keyboard, and a click on a closed box leaves the focus there (where
  // typing does nothing) instead of in the box typed into before.
  t->setReadOnly(cerrado);
  t->setFocusPolicy(Qt::StrongFocus);
  PintaCampo(indice, t->hasFocus());
}

void Trovalis::PintaCampo(int indice, bool enfocado) {
  QLineEdit* t = textos_[static_cast<std::size_t>(indice)];
  // The platform's palette for a text box: its disabled look stays as it is
  // (only the hours box is ever disabled); a closed box takes the
  // platform's read-only look, the window's background behind normal text;
  // an open one is bright white, and the box with the focus yellow.
  QPalette p = QApplication::palette(t);
  QColor fondo = Qt::white;
  if (enfocado)
    fondo = Qt::yellow;
  else if (Bloqueado(indice))
    fondo = p.color(QPalette::Active, QPalette::Window);
  for (QPalette::ColorGroup g : {QPalette::Active, QPalette::Inactive}) p.setColor(g, QPalette::Base, fondo);
  t->setPalette(p);
}

bool Trovalis::Bloqueado(int indice) const { return bloqueo_[static_cast<std::size_t>(indice)]; }

void Trovalis::BloqueaCampos(int bloqueo) {
  for (int i = 0; i < principal::kNumeroCamposTexto; ++i) PonBloqueo(i, bloqueo != 0);
}

void Trovalis::BloqueaPuntos(int bloqueo) {
  for (int i = principal::kPrimerPunto; i <= principal::kUltimoPunto; ++i) PonBloqueo(i, bloqueo != 0);
}

void Trovalis::HabilitaBandas(bool habilitar) {
  for (QCheckBox* c : bandas_) c->setEnabled(habilitar);
}

void Trovalis::HabilitaModos(bool habilitar) {
  for (QCheckBox* c : modos_) c->setEnabled(habilitar);
}

void Trovalis::HabilitaIntercambio(bool habilitar) {
  for (QCheckBox* c : {ui_->EnviarNumeral, ui_->RecibirNumeral, ui_->EnviarLocator, ui_->RecibirLocator,
                       ui_->EnviarSiglas, ui_->RecibirSiglas, ui_->RecibirPuntos, ui_->SiglasONumeral})
    c->setEnabled(habilitar);
}

void Trovalis::HabilitaRepeticiones(bool habilitar) {
  for (QCheckBox* c :
       {ui_->NoRepetir, ui_->RepetirEstacion, ui_->RepetirEnCadaBanda, ui_->RepetirEnCadaModo, ui_->RepetirCadaHoras})
    c->setEnabled(habilitar);
}

void Trovalis::HabilitaMultiplicadores(int habilitar) {
  AplicaReglas([habilitar](principal::ConcursoEnEdicion& m) { m.HabilitaMultiplicadores(habilitar != 0); });
}

void Trovalis::LimpiaBandas() {
  for (QCheckBox* c : bandas_) c->setChecked(false);
}

void Trovalis::LimpiaModos() {
  for (QCheckBox* c : modos_) c->setChecked(false);
}

void Trovalis::LimpiaIntercambio() {
  for (QCheckBox* c : {ui_->EnviarNumeral, ui_->RecibirNumeral, ui_->EnviarLocator, ui_->RecibirLocator,
                       ui_->EnviarSiglas, ui_->RecibirSiglas, ui_->RecibirPuntos, ui_->SiglasONumeral})
    c->setChecked(false);
}

void Trovalis::LimpiaRepeticiones() {
  for (QCheckBox* c :
       {ui_->NoRepetir, ui_->RepetirEstacion, ui_->RepetirEnCadaBanda, ui_->RepetirEnCadaModo, ui_->RepetirCadaHoras})
    c->setChecked(false);
}

void Trovalis::DesmarcarMultiplicadores() {
  AplicaReglas([](principal::ConcursoEnEdicion& m) { m.DesmarcaMultiplicadores(); });
}

void Trovalis::LimpiaFormulario() {
  for (QLineEdit* t : textos_) t->clear();
  LimpiaBandas();
  LimpiaModos();
  LimpiaIntercambio();
  LimpiaRepeticiones();
  DesmarcarMultiplicadores();
  LimpiaListas();
  ui_->RecibirPuntosPorKM->setChecked(false);
}

void Trovalis::LimpiaListas() { concurso_.LimpiaListas(); }

void Trovalis::Text3_GotFocus(int indice) {
  CampoActual = static_cast<std::int16_t>(indice);
  PintaCampo(indice, true);
}

void Trovalis::Text3_LostFocus(int indice) {
  QLineEdit* t = textos_[static_cast<std::size_t>(indice)];
  PintaCampo(indice, false);
  if (indice == 1) Contexto().NombreConcurso = t->text().toStdString();
  if (indice == 2) Contexto().EdicionConcurso = t->text().toStdString();
}

char32_t Trovalis::Text3_KeyPress(int indice, char32_t tecla) {
  if (tecla == 13) {
    // Along the fixed ring; a box that cannot take the focus is passed over.
    MueveFocoA(indice, principal::SiguienteCampoEnter);
    return 0;
  }
  return principal::MayusculaTecla(tecla);
}
