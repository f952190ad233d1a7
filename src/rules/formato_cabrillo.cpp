#include "rules/formato_cabrillo.h"

#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>

#include "common/controles_ventana.h"
#include "common/ventanas.h"
#include "plataforma/mensajes.h"
#include "rules/resumen_cabrillo_bd.h"
#include "ui_formato_cabrillo.h"

namespace rules {
namespace {

std::string S(const QString& s) { return s.toUtf8().toStdString(); }

// Label of a column field ("CMiRst" -> "LMiRst").
QString EtiquetaDe(std::string_view campo) { return "L" + Q(campo.substr(1)); }

}  // namespace

FormatoCabrillo::FormatoCabrillo(EnlaceFormatoCabrillo& principal, QWidget* padre)
    : QDialog(padre), principal_(principal), ui_(std::make_unique<Ui::FormatoCabrillo>()) {
  ui_->setupUi(this);

  for (const ColumnaCategoria& columna : ColumnasCategoria()) {
    QCheckBox* casilla = Casilla(columna.control);
    connect(casilla, &QCheckBox::toggled, this, [this, casilla](bool v) { Categoria_Click(casilla, v); });
  }
  for (std::size_t e = 0; e < elementos_.size(); ++e) {
    elementos_[e] = Casilla(ControlElemento(static_cast<Elemento>(e)));
    connect(elementos_[e], &QCheckBox::toggled, this,
            [this, e](bool v) { Elemento_Click(static_cast<Elemento>(e), v); });
  }
  connect(ui_->AceptarCabrillo, &QPushButton::clicked, this, &FormatoCabrillo::AceptarCabrillo_Click);
  connect(ui_->CancelarCabrillo, &QPushButton::clicked, this, &FormatoCabrillo::CancelarCabrillo_Click);

  // Initial state: SINGLE-OP and every "NO APLICABLE" ticked, no element,
  // element columns disabled, call columns enabled.
  ResumenCabrillo inicial = PerfilInicial();
  for (std::size_t i = 0; i < ColumnasCategoria().size(); ++i) {
    QCheckBox* casilla = Casilla(ColumnasCategoria()[i].control);
    QSignalBlocker bloqueo(casilla);
    casilla->setChecked(inicial.categorias[i]);
  }
  PonIntercambio(EstadoIntercambio{});

  Form_Load();
}

FormatoCabrillo::~FormatoCabrillo() = default;

QCheckBox* FormatoCabrillo::Casilla(std::string_view nombre) const { return findChild<QCheckBox*>(Q(nombre)); }

QLineEdit* FormatoCabrillo::CampoColumna(Columna c) const { return findChild<QLineEdit*>(Q(ControlColumna(c))); }

QWidget* FormatoCabrillo::Control(std::string_view nombre) const { return findChild<QWidget*>(Q(nombre)); }

void FormatoCabrillo::Form_Load() {
  // The size that shows every control, within the screen; on a smaller
  // screen the controls scroll above the two buttons.
  ::AjustaVentanaAPantalla(this, ui_->AreaCabrillo);
  ::CentraFormulario(this);
  ui_->PanelCabrillo->setTitle("Configurar FORMATO CABRILLO para CONCURSO " + Q(principal_.TextoNombreConcurso()));
  ui_->AceptarCabrillo->setEnabled(principal_.ListasSoloConsulta() == 0);
  CargaFormatoCabrillo();
  ui_->EMailReclamaciones->setText(Q(principal_.CorreoReclamaciones()));
  ui_->WEBConcurso->setText(Q(principal_.DireccionWebConcurso()));
}

void FormatoCabrillo::CargaFormatoCabrillo() {
  std::optional<ResumenCabrillo> fila;
  try {
    fila = CargaResumenCabrillo(principal_.CarpetaTrabajo(), principal_.NumeroConcursoActual());
  } catch (const ErrorResumenCabrillo& error) {
    // Nothing read, nothing may be written over what could not be read.
    ui_->AceptarCabrillo->setEnabled(false);
    plataforma::MsgBox("No se ha podido leer el formato cabrillo del concurso: " + std::string(error.what()), "ERROR",
                       plataforma::Icono::Error);
    AsignaControlesPorDefecto();
    return;
  }
  if (!fila) {
    AsignaControlesPorDefecto();
    return;
  }
  // The not-applicable boxes first, so that the interlocks end in the
  // stored state.
  for (const GrupoCategorias& g : GruposCategorias()) {
    if (!g.noAplicable.empty()) Casilla(g.noAplicable)->setChecked(fila->Categoria(g.noAplicable));
  }
  for (const GrupoCategorias& g : GruposCategorias()) {
    for (std::size_t i = g.primero; i < g.primero + g.cuantos; ++i) {
      Casilla(ColumnasCategoria()[i].control)->setChecked(fila->categorias[i]);
    }
  }
  if (principal_.ListasSoloConsulta() != 0) {
    for (std::size_t e = 0; e < elementos_.size(); ++e) elementos_[e]->setChecked(fila->elementos[e]);
    for (Columna c : {kMiIndicativo, kSuIndicativo, kMiRst, kSuRst, kMiNumero, kSuNumero, kMisLetras, kSusLetras,
                      kMiLocator, kSuLocator}) {
      CampoColumna(c)->setText(QString::number(fila->columnas[c]));
    }
  } else {
    AsignaControlesPorDefecto();
  }
  ui_->EMailConcurso->setText(Q(fila->EMailConcurso));
  ui_->AsuntoConcurso->setText(Q(fila->AsuntoConcurso));
}

FormularioCabrillo FormatoCabrillo::Formulario() const {
  FormularioCabrillo f;
  for (std::size_t i = 0; i < ColumnasCategoria().size(); ++i) {
    f.categorias.categorias[i] = Casilla(ColumnasCategoria()[i].control)->isChecked();
  }
  f.intercambio = LeeIntercambio();
  f.EMailConcurso = S(ui_->EMailConcurso->text());
  f.AsuntoConcurso = S(ui_->AsuntoConcurso->text());
  f.EMailReclamaciones = S(ui_->EMailReclamaciones->text());
  f.WEBConcurso = S(ui_->WEBConcurso->text());
  return f;
}

EstadoIntercambio FormatoCabrillo::LeeIntercambio() const {
  EstadoIntercambio estado;
  for (std::size_t e = 0; e < elementos_.size(); ++e) estado.marcado[e] = elementos_[e]->isChecked();
  for (std::size_t c = 0; c < estado.columna.size(); ++c)
    estado.columna[c] = S(CampoColumna(static_cast<Columna>(c))->text());
  return estado;
}

void FormatoCabrillo::PonIntercambio(const EstadoIntercambio& estado) {
  for (std::size_t e = 0; e < elementos_.size(); ++e) {
    QSignalBlocker bloqueo(elementos_[e]);
    elementos_[e]->setChecked(estado.marcado[e]);
    Columna c = ColumnaDeElemento(static_cast<Elemento>(e));
    CampoColumna(c)->setEnabled(estado.marcado[e]);
    if (auto* etiqueta = findChild<QLabel*>(EtiquetaDe(ControlColumna(c)))) etiqueta->setEnabled(estado.marcado[e]);
    if (auto* texto = findChild<QLabel*>("EnColumna" + Q(ControlColumna(c).substr(1))))
      texto->setEnabled(estado.marcado[e]);
  }
  for (std::size_t c = 0; c < estado.columna.size(); ++c) {
    QLineEdit* campo = CampoColumna(static_cast<Columna>(c));
    if (campo->text() != Q(estado.columna[c])) campo->setText(Q(estado.columna[c]));
  }
}

void FormatoCabrillo::Categoria_Click(QCheckBox* casilla, bool valor) {
  for (std::string_view otra : CasillasQueDesmarca(S(casilla->objectName()), valor)) {
    Casilla(otra)->setChecked(false);
  }
}

void FormatoCabrillo::Elemento_Click(Elemento e, bool valor) {
  EstadoIntercambio estado = LeeIntercambio();
  estado.marcado[e] = !valor;  // the box already shows the new value
  CambiaElemento(estado, e, valor, principal_.NombreConcurso());
  PonIntercambio(estado);
}

void FormatoCabrillo::AsignaControlesPorDefecto() {
  EstadoIntercambio estado = LeeIntercambio();
  rules::AsignaControlesPorDefecto(estado, principal_.Intercambio(), principal_.NombreConcurso());
  PonIntercambio(estado);
}

bool FormatoCabrillo::VerificaFormatoCabrillo() {
  FormularioCabrillo f = Formulario();
  std::optional<FalloVerificacion> fallo = rules::VerificaFormatoCabrillo(f);
  // The checks may have written "0" into column fields on their way.
  for (std::size_t c = 0; c < f.intercambio.columna.size(); ++c) {
    QLineEdit* campo = CampoColumna(static_cast<Columna>(c));
    if (campo->text() != Q(f.intercambio.columna[c])) campo->setText(Q(f.intercambio.columna[c]));
  }
  if (!fallo) return true;
  plataforma::MsgBox(fallo->mensaje, fallo->titulo, fallo->icono);
  if (!fallo->foco.empty()) {
    if (QWidget* control = Control(fallo->foco)) control->setFocus();
  }
  return false;
}

void FormatoCabrillo::AceptarCabrillo_Click() {
  if (!ui_->AceptarCabrillo->isEnabled()) return;
  if (!VerificaFormatoCabrillo()) return;
  ResumenCabrillo fila = ResumenDesdeFormulario(Formulario(), principal_.NombreConcurso());
  try {
    GrabaResumenCabrillo(principal_.CarpetaTrabajo(), principal_.NumeroConcursoActual(), fila);
  } catch (const ErrorResumenCabrillo& error) {
    plataforma::MsgBox("No se ha podido grabar el formato cabrillo del concurso: " + std::string(error.what()), "ERROR",
                       plataforma::Icono::Error);
    return;
  }
  principal_.PonCorreoReclamaciones(S(ui_->EMailReclamaciones->text()));
  principal_.PonDireccionWebConcurso(S(ui_->WEBConcurso->text()));
  accept();
}

void FormatoCabrillo::CancelarCabrillo_Click() { reject(); }

void FormatoCabrillo::keyPressEvent(QKeyEvent* evento) {
  if (evento->key() == Qt::Key_Escape) {
    evento->ignore();
    return;
  }
  QDialog::keyPressEvent(evento);
}

bool AbreFormatoCabrillo(QWidget* ventanaPrincipal, EnlaceFormatoCabrillo& principal) {
  if (ventanaPrincipal) ventanaPrincipal->hide();
  bool aceptado = false;
  {
    FormatoCabrillo ventana(principal, nullptr);
    ventana.setModal(true);
    aceptado = ventana.exec() == QDialog::Accepted;
  }
  if (ventanaPrincipal) ventanaPrincipal->show();
  return aceptado;
}

}  // namespace rules
