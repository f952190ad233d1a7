#include "listeditors/list_prov.h"

#include <QApplication>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "common/controles_ventana.h"
#include "common/ventanas.h"
#include "listeditors/celdas_qt.h"
#include "ui_list_prov.h"

namespace listeditors {
namespace {

using BotonProv = EditorListProv::BotonProv;
using FocoProv = EditorListProv::FocoProv;

}  // namespace

ListProv::ListProv(EnlaceListProv& principal, QWidget* padre)
    : QDialog(padre), modelo_(principal), ui_(std::make_unique<Ui::ListProv>()) {
  modelo_.PonMensajero(&cajas_);
  ui_->setupUi(this);
  QApplication::setOverrideCursor(Qt::WaitCursor);
  Ui::ListProv& u = *ui_;
  rejillas_[LProvincias] = {u.CodigosProv, u.RejillaProv, {u.SerieProv_0}, {{u.Provincia_0, u.ExcluirProv_0}}, {}};
  rejillas_[LDistritos] = {
      u.CodigosDistritos, u.RejillaDistritos, {u.SerieDistrito_0}, {{u.Distrito_0, u.ExcluirDistrito_0}}, {}};
  rejillas_[LPaises] = {u.CodigosPaises, u.RejillaPaises, {u.SeriePais_0}, {{u.Pais_0}}, {}};
  rejillas_[LPrefijos] = {u.CodigosPrefijos, u.RejillaPrefijos, {u.SeriePrefijo_0}, {{u.Prefijo_0}}, {}};
  rejillas_[LZonasCq] = {u.CodigosZonasCq, u.RejillaZonasCq, {u.SerieCq_0}, {{u.ZonaCQ_0}}, {}};
  rejillas_[LEstaciones] = {u.CodigosEstaciones, u.RejillaEstaciones, {u.SerieEstacion_0}, {{u.Estacion_0}}, {}};
  botones_ = {u.ConfProv,    u.ConfDistritos, u.ConfPaises,   u.ConfPrefijos, u.ConfZonaCq, u.ConfEstaciones,
              u.ConfSufijos, u.InsertarProv,  u.InsertarDist, u.Modificar,    u.Anadir,     u.Borra,
              u.Anular,      u.Finalizar,     u.Aceptar,      u.Cancelar};
  sufijos_ = {u.PrimerNumero, u.PrimeraLetra, u.SegundaLetra, u.TerceraLetra, u.UltimaLetra};
  excluir_ = {u.ExcluirPropiaProv, u.ExcluirPropioDist, u.ExcluirPropioPais, u.ExcluirPropioPrefijo,
              u.ExcluirPropiaZonaCQ};

  // Form_Load: field lengths on the first rows, the grids, the captions.
  modelo_.Form_Load();
  for (int modo = 0; modo < kNumeroListasProv; ++modo) {
    const EditorListaReferencia& lista = modelo_.Lista(modo);
    Rejilla& r = rejillas_[static_cast<std::size_t>(modo)];
    for (int col = 0; col < lista.NumeroColumnas(); ++col)
      r.celdas[0][static_cast<std::size_t>(col)]->setMaxLength(lista.Longitud(col));
    r.series[0]->setMaxLength(lista.Definicion().longitudSerie);
    // Only the province number cells refuse typing (with a beep); what is
    // typed into the others only changes what they show.
    r.series[0]->setFocusPolicy(Qt::NoFocus);
    for (QLineEdit* c : r.celdas[0]) c->setFocusPolicy(Qt::NoFocus);
  }
  CreaCuadriculas();
  for (int b = 0; b < EditorListProv::kNumeroBotones; ++b) {
    QPushButton* boton = botones_[static_cast<std::size_t>(b)];
    boton->setText(Q(modelo_.Titulo(static_cast<BotonProv>(b))));
    boton->setAutoDefault(false);
    boton->setDefault(false);
    boton->installEventFilter(this);
    connect(boton, &QPushButton::clicked, this, [this, b] {
      modelo_.Pulsa(static_cast<BotonProv>(b));
      Sincroniza();
    });
  }
  for (int i = 0; i < 5; ++i) {
    QCheckBox* s = sufijos_[static_cast<std::size_t>(i)];
    QCheckBox* e = excluir_[static_cast<std::size_t>(i)];
    s->installEventFilter(this);
    e->installEventFilter(this);
    connect(s, &QCheckBox::clicked, this, [this, i](bool marcada) {
      modelo_.MarcaSufijo(i, marcada);
      Sincroniza();
    });
    connect(e, &QCheckBox::clicked, this, [this, i](bool marcada) {
      modelo_.MarcaExcluir(i, marcada);
      Sincroniza();
    });
  }
  ui_->Informacion->setTextFormat(Qt::PlainText);
  ::AjustaVentanaAPantalla(this, ui_->AreaListas);
  ::CentraFormulario(this);
  QApplication::restoreOverrideCursor();
  Sincroniza();
}

ListProv::~ListProv() = default;

void ListProv::CreaCuadriculas() {
  for (int modo : {LProvincias, LDistritos, LEstaciones, LPaises, LPrefijos, LZonasCq}) {
    Rejilla& r = rejillas_[static_cast<std::size_t>(modo)];
    const int filas = modelo_.Lista(modo).NumeroLineas;
    for (FilaCeldas& nueva : AgregaFilas(r.rejilla, {r.series[0], r.celdas[0]}, filas)) {
      r.series.push_back(nueva.serie);
      r.celdas.push_back(std::move(nueva.celdas));
    }
    r.seriesMostradas.assign(static_cast<std::size_t>(filas), std::string());
    for (int fila = 0; fila < filas; ++fila) {
      QLineEdit* serie = r.series[static_cast<std::size_t>(fila)];
      serie->setAutoFillBackground(true);
      serie->installEventFilter(this);
      const auto& celdas = r.celdas[static_cast<std::size_t>(fila)];
      for (int col = 0; col < static_cast<int>(celdas.size()); ++col) {
        QLineEdit* celda = celdas[static_cast<std::size_t>(col)];
        celda->setAutoFillBackground(true);
        celda->installEventFilter(this);
        connect(celda, &QLineEdit::textEdited, this, [this, modo, fila, col](const QString& texto) {
          modelo_.Escribe(modo, fila, col, texto.toStdString());
          Sincroniza();
        });
      }
    }
  }
}

QLineEdit* ListProv::Serie(int modo, int fila) const {
  return rejillas_.at(static_cast<std::size_t>(modo)).series.at(static_cast<std::size_t>(fila));
}
QLineEdit* ListProv::Celda(int modo, int fila, int columna) const {
  return rejillas_.at(static_cast<std::size_t>(modo))
      .celdas.at(static_cast<std::size_t>(fila))
      .at(static_cast<std::size_t>(columna));
}

void ListProv::showEvent(QShowEvent* evento) {
  QDialog::showEvent(evento);
  if (activada_) return;
  activada_ = true;
  // Sized again now that the grids are laid out as they are drawn.
  ::AjustaVentanaAPantalla(this, ui_->AreaListas);
  ::CentraFormulario(this);
  modelo_.Form_Activate();
  Sincroniza();
}

void ListProv::keyPressEvent(QKeyEvent* evento) {
  const int codigo = CodigoTecla(evento->key());
  if (codigo >= 0 && modelo_.Form_KeyDown(codigo, Modificadores(evento->modifiers()))) Sincroniza();
  // Esc never closes the window, and Enter presses no default button.
  if (EsTeclaDeVentana(evento->key())) {
    evento->accept();
    return;
  }
  QDialog::keyPressEvent(evento);
}

bool ListProv::FocoDe(QObject* objeto, FocoProv& f) const {
  for (int modo = 0; modo < kNumeroListasProv; ++modo) {
    const Rejilla& r = rejillas_[static_cast<std::size_t>(modo)];
    for (int fila = 0; fila < static_cast<int>(r.series.size()); ++fila) {
      if (r.series[static_cast<std::size_t>(fila)] == objeto) {
        f = {FocoProv::Tipo::Serie, modo, fila, 0, BotonProv::Cancelar};
        return true;
      }
      const auto& celdas = r.celdas[static_cast<std::size_t>(fila)];
      for (int col = 0; col < static_cast<int>(celdas.size()); ++col) {
        if (celdas[static_cast<std::size_t>(col)] == objeto) {
          f = {FocoProv::Tipo::Celda, modo, fila, col, BotonProv::Cancelar};
          return true;
        }
      }
    }
  }
  for (int b = 0; b < EditorListProv::kNumeroBotones; ++b) {
    if (botones_[static_cast<std::size_t>(b)] == objeto) {
      f = {FocoProv::Tipo::Boton, 0, 0, 0, static_cast<BotonProv>(b)};
      return true;
    }
  }
  for (int i = 0; i < 5; ++i) {
    if (sufijos_[static_cast<std::size_t>(i)] == objeto || excluir_[static_cast<std::size_t>(i)] == objeto) {
      f = {FocoProv::Tipo::Casilla, 0, i, sufijos_[static_cast<std::size_t>(i)] == objeto ? 0 : 1, BotonProv::Cancelar};
      return true;
    }
  }
  return false;
}

bool ListProv::eventFilter(QObject* objeto, QEvent* evento) {
  if (evento->type() == QEvent::FocusIn && !sincronizando_) {
    FocoProv f;
    if (FocoDe(objeto, f)) {
      modelo_.PonFoco(f);
      Sincroniza();
    }
    return false;
  }
  if (evento->type() != QEvent::KeyPress) return QDialog::eventFilter(objeto, evento);

  auto* t = static_cast<QKeyEvent*>(evento);
  // Key preview: the window sees every key before the focused control.
  const int codigo = CodigoTecla(t->key());
  if (codigo >= 0 && modelo_.Form_KeyDown(codigo, Modificadores(t->modifiers()))) {
    Sincroniza();
    return true;
  }
  if (t->key() == Qt::Key_Escape) return true;
  FocoProv f;
  if (!FocoDe(objeto, f)) return false;
  if (f.tipo == FocoProv::Tipo::Celda && (t->key() == Qt::Key_Return || t->key() == Qt::Key_Enter)) {
    // The CQ-zone cells leave Enter to the cell itself.
    if (modelo_.Lista(f.modo).Definicion().ordenIntro.empty()) return false;
    modelo_.Intro(f.modo, f.fila, f.columna);
    Sincroniza();
    return true;
  }
  if (f.tipo == FocoProv::Tipo::Serie && f.modo == LProvincias && !t->text().isEmpty() && t->text()[0].isPrint()) {
    QApplication::beep();
    return true;
  }
  return false;
}

QWidget* ListProv::WidgetDe(const FocoProv& f) const {
  switch (f.tipo) {
    case FocoProv::Tipo::Serie: return Serie(f.modo, f.fila);
    case FocoProv::Tipo::Celda: return Celda(f.modo, f.fila, f.columna);
    case FocoProv::Tipo::Boton: return BotonDe(f.boton);
    case FocoProv::Tipo::Casilla:
      return f.columna == 0 ? sufijos_[static_cast<std::size_t>(f.fila)] : excluir_[static_cast<std::size_t>(f.fila)];
    case FocoProv::Tipo::Ninguno: break;
  }
  return nullptr;
}

void ListProv::Sincroniza() {
  if (sincronizando_) return;
  sincronizando_ = true;
  const FocoProv foco = modelo_.FocoActual();
  for (int modo = 0; modo < kNumeroListasProv; ++modo) {
    Rejilla& r = rejillas_[static_cast<std::size_t>(modo)];
    const EditorListaReferencia& lista = modelo_.Lista(modo);
    const bool libres = lista.Definicion().celdasLibres;
    const bool abierta = modelo_.ListaAbierta() && modelo_.ModoLista == modo;
    r.marco->setEnabled(modelo_.MarcoHabilitado(modo));
    for (int fila = 0; fila < static_cast<int>(r.series.size()); ++fila) {
      QLineEdit* serie = r.series[static_cast<std::size_t>(fila)];
      std::string& mostrada = r.seriesMostradas[static_cast<std::size_t>(fila)];
      if (mostrada != lista.Serie(fila)) {
        mostrada = lista.Serie(fila);
        serie->setText(Q(mostrada));
      }
      PonFondo(serie, lista.Marcada(fila) ? kAmarillo : QColor(Qt::white));
      const auto& celdas = r.celdas[static_cast<std::size_t>(fila)];
      const bool editable = abierta && !lista.Bloqueada(fila);
      for (int col = 0; col < static_cast<int>(celdas.size()); ++col) {
        QLineEdit* celda = celdas[static_cast<std::size_t>(col)];
        PonTextoCelda(celda, lista.Celda(fila, col));
        const bool cian = !libres && foco.tipo == FocoProv::Tipo::Celda && foco.modo == modo && foco.fila == fila &&
                          foco.columna == col;
        PonFondo(celda, cian ? kCian : QColor(Qt::white));
        celda->setFocusPolicy(editable ? Qt::StrongFocus : Qt::NoFocus);
        celda->setReadOnly(!editable);
      }
    }
  }
  ui_->FormatoSufijo->setEnabled(modelo_.MarcoHabilitado(EditorListProv::kFormatoSufijo));
  for (int i = 0; i < 5; ++i) {
    QCheckBox* s = sufijos_[static_cast<std::size_t>(i)];
    QCheckBox* e = excluir_[static_cast<std::size_t>(i)];
    if (s->isChecked() != modelo_.Sufijo()[static_cast<std::size_t>(i)])
      s->setChecked(modelo_.Sufijo()[static_cast<std::size_t>(i)]);
    if (e->isChecked() != modelo_.Exclusiones()[static_cast<std::size_t>(i)])
      e->setChecked(modelo_.Exclusiones()[static_cast<std::size_t>(i)]);
  }
  for (int b = 0; b < EditorListProv::kNumeroBotones; ++b)
    botones_[static_cast<std::size_t>(b)]->setEnabled(modelo_.Habilitado(static_cast<BotonProv>(b)));
  ui_->Informacion->setText(Q(modelo_.Informacion()));
  for (; pitidos_ < modelo_.Pitidos(); ++pitidos_) QApplication::beep();
  AplicaFoco();
  sincronizando_ = false;
  if (modelo_.Cerrada() && isVisible()) done(QDialog::Accepted);
}

void ListProv::AplicaFoco() {
  QWidget* w = WidgetDe(modelo_.FocoActual());
  if (w && w->isEnabled() && QApplication::focusWidget() != w) w->setFocus(Qt::OtherFocusReason);
}

}  // namespace listeditors
