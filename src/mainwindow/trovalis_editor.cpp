// The contest editor of the main window: the binding of the contest row to
// the controls, and the states of its fields and buttons.
#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include "cabrillo/contexto_concurso.h"
#include "mainwindow/trovalis.h"

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
    Text3[static_cast<std::size_t>(i)]->setText(QTexto(valor));
  }
  Contexto().CorreoReclamaciones = fila->LeeTexto("EMailReclamaciones").value_or("");
  Contexto().DireccionWebConcurso = fila->LeeTexto("WEBConcurso").value_or("");
  for (int j = 0; j < principal::kNumeroBandas; ++j) Banda[static_cast<std::size_t>(j)]->setChecked(fila->LeeBooleano(27 + j));
  for (int k = 0; k < principal::kNumeroModos; ++k) Modo[static_cast<std::size_t>(k)]->setChecked(fila->LeeBooleano(41 + k));
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
  PrimerNumero = fila->LeeBooleano(kFormatoSufijo[0]);
  PrimeraLetra = fila->LeeBooleano(kFormatoSufijo[1]);
  SegundaLetra = fila->LeeBooleano(kFormatoSufijo[2]);
  TerceraLetra = fila->LeeBooleano(kFormatoSufijo[3]);
  UltimaLetra = fila->LeeBooleano(kFormatoSufijo[4]);
}

void Trovalis::LimpiaFormatoSufijo() {
  if (!CadaSufijo->isChecked()) PrimerNumero = PrimeraLetra = SegundaLetra = TerceraLetra = UltimaLetra = false;
}

void Trovalis::GrabaCamposConcurso(principal::RegistroConcurso& fila) {
  for (int i = 0; i < principal::kNumeroCamposTexto; ++i)
    fila.EscribeTexto(i, Text3[static_cast<std::size_t>(i)]->text().toStdString());
  for (int j = 0; j < principal::kNumeroBandas; ++j) fila.EscribeBooleano(27 + j, Banda[static_cast<std::size_t>(j)]->isChecked());
  for (int k = 0; k < principal::kNumeroModos; ++k) fila.EscribeBooleano(41 + k, Modo[static_cast<std::size_t>(k)]->isChecked());
  fila.EscribeBooleano(kExcluirPropios[0], Contexto().OpcionExcluirMismaProv);
  fila.EscribeBooleano(kExcluirPropios[1], Contexto().OpcionExcluirMismoDist);
  fila.EscribeBooleano(kExcluirPropios[2], Contexto().OpcionExcluirMismoPais);
  fila.EscribeBooleano(kExcluirPropios[3], Contexto().OpcionExcluirMismoPrefijo);
  fila.EscribeBooleano(kExcluirPropios[4], Contexto().OpcionExcluirMismaZonaCQ);
  LimpiaFormatoSufijo();
  fila.EscribeBooleano(kFormatoSufijo[0], PrimerNumero);
  fila.EscribeBooleano(kFormatoSufijo[1], PrimeraLetra);
  fila.EscribeBooleano(kFormatoSufijo[2], SegundaLetra);
  fila.EscribeBooleano(kFormatoSufijo[3], TerceraLetra);
  fila.EscribeBooleano(kFormatoSufijo[4], UltimaLetra);
  fila.EscribeTexto("EMailReclamaciones", Contexto().CorreoReclamaciones);
  fila.EscribeTexto("WEBConcurso", Contexto().DireccionWebConcurso);
}

void Trovalis::GrabaOpcionesConcurso(principal::RegistroConcurso& fila) { LeeModelo().GrabaOpciones(fila); }

void Trovalis::AjustaLongitudCampos(int extra) {
  std::vector<principal::ColumnaConcurso> definicion = servicios_->DefinicionConcursos();
  for (int i = 0; i < principal::kNumeroCamposTexto && i < static_cast<int>(definicion.size()); ++i) {
    QLineEdit* t = Text3[static_cast<std::size_t>(i)];
    const principal::ColumnaConcurso& c = definicion[static_cast<std::size_t>(i)];
    t->setMaxLength(principal::LongitudMaxima(c.Tipo, c.Tamano, extra, t->maxLength()));
  }
}

// ---------------------------------------------------------------- buttons

void Trovalis::DesactivarBotones() {
  for (QPushButton* b : {AltaReg, ConsultaReg, SeleccionarImpresora, GestionListas, ModificarReg, BorrarReg,
                         FinClientes, Bases})
    b->setEnabled(false);
}

void Trovalis::ActualizaBotones() {
  AltaReg->setEnabled(true);
  ConsultaReg->setEnabled(true);
  SeleccionarImpresora->setEnabled(true);
  // The buttons that work on the contest in hand only while there is one.
  for (QPushButton* b : {GestionListas, ModificarReg, BorrarReg, Bases}) b->setEnabled(Contexto().HayConcursoCargado);
  FinClientes->setEnabled(true);
  Aceptar->setEnabled(false);
  Cancelar->setEnabled(false);
}

// ---------------------------------------------------------------- fields

void Trovalis::PonBloqueo(int indice, bool cerrado) {
  QLineEdit* t = Text3[static_cast<std::size_t>(indice)];
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
  QLineEdit* t = Text3[static_cast<std::size_t>(indice)];
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
  for (QCheckBox* c : Banda) c->setEnabled(habilitar);
}

void Trovalis::HabilitaModos(bool habilitar) {
  for (QCheckBox* c : Modo) c->setEnabled(habilitar);
}

void Trovalis::HabilitaIntercambio(bool habilitar) {
  for (QCheckBox* c : {EnviarNumeral, RecibirNumeral, EnviarLocator, RecibirLocator, EnviarSiglas, RecibirSiglas,
                       RecibirPuntos, SiglasONumeral})
    c->setEnabled(habilitar);
}

void Trovalis::HabilitaRepeticiones(bool habilitar) {
  for (QCheckBox* c : {NoRepetir, RepetirEstacion, RepetirEnCadaBanda, RepetirEnCadaModo, RepetirCadaHoras})
    c->setEnabled(habilitar);
}

void Trovalis::HabilitaMultiplicadores(int habilitar) {
  AplicaReglas([habilitar](principal::ConcursoEnEdicion& m) { m.HabilitaMultiplicadores(habilitar != 0); });
}

void Trovalis::LimpiaBandas() {
  for (QCheckBox* c : Banda) c->setChecked(false);
}

void Trovalis::LimpiaModos() {
  for (QCheckBox* c : Modo) c->setChecked(false);
}

void Trovalis::LimpiaIntercambio() {
  for (QCheckBox* c : {EnviarNumeral, RecibirNumeral, EnviarLocator, RecibirLocator, EnviarSiglas, RecibirSiglas,
                       RecibirPuntos, SiglasONumeral})
    c->setChecked(false);
}

void Trovalis::LimpiaRepeticiones() {
  for (QCheckBox* c : {NoRepetir, RepetirEstacion, RepetirEnCadaBanda, RepetirEnCadaModo, RepetirCadaHoras})
    c->setChecked(false);
}

void Trovalis::DesmarcarMultiplicadores() {
  AplicaReglas([](principal::ConcursoEnEdicion& m) { m.DesmarcaMultiplicadores(); });
}

void Trovalis::LimpiaFormulario() {
  for (QLineEdit* t : Text3) t->clear();
  LimpiaBandas();
  LimpiaModos();
  LimpiaIntercambio();
  LimpiaRepeticiones();
  DesmarcarMultiplicadores();
  LimpiaListas();
  RecibirPuntosPorKM->setChecked(false);
}

void Trovalis::LimpiaListas() {
  for (QListWidget* l : listasOcultas_) l->clear();
}

void Trovalis::Text3_GotFocus(int indice) {
  CampoActual = static_cast<std::int16_t>(indice);
  PintaCampo(indice, true);
}

void Trovalis::Text3_LostFocus(int indice) {
  QLineEdit* t = Text3[static_cast<std::size_t>(indice)];
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
