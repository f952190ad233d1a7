// The option boxes of the contest editor. What a change of one box does to
// the others, to the list buttons and to the points and hours fields is the
// editor model's (ConcursoEnEdicion); the window reads its state into the
// model, runs the rule and shows what changed.
//
// Every change of a box's value runs its handler, whoever makes it (the
// operator, a clearing procedure, the record loader); the boxes that the
// model changes on down the chain are set with their signals held, since the
// model has already run their rules.
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>

#include "cabrillo/contexto_concurso.h"
#include "mainwindow/trovalis.h"
#include "ui_trovalis.h"

using principal::ConcursoEnEdicion;
using principal::Opcion;

namespace {

// Enabled by itself: a box inside a disabled frame keeps its own state.
bool HabilitadoPropio(const QWidget* w) { return !w->testAttribute(Qt::WA_Disabled); }

}  // namespace

ConcursoEnEdicion Trovalis::LeeModelo() const {
  // The suffix format and the working lists are kept by the editor; the
  // rest is read from the controls.
  ConcursoEnEdicion m;
  m.Sufijo = concurso_.Sufijo;
  m.Listas = concurso_.Listas;
  m.Operacion = OperacionRegistro;
  m.NombreConcurso = servicios_->Contexto().NombreConcurso;
  for (std::size_t i = 0; i < textos_.size(); ++i) {
    m.Textos[i] = textos_[i]->text().toStdString();
    m.Cerrado[i] = bloqueo_[i];
  }
  m.HorasHabilitado = HabilitadoPropio(textos_[principal::kCampoHoras]);
  for (std::size_t j = 0; j < bandas_.size(); ++j) m.Bandas[j] = bandas_[j]->isChecked();
  for (std::size_t k = 0; k < modos_.size(); ++k) m.Modos[k] = modos_[k]->isChecked();
  for (Opcion o : principal::OpcionesEnOrdenDeCarga()) {
    m.PonValor(o, Casilla(o)->isChecked());
    m.PonHabilitada(o, HabilitadoPropio(Casilla(o)));
  }
  for (std::size_t b = 0; b < botonesLista_.size(); ++b)
    m.PonBotonHabilitado(static_cast<principal::BotonLista>(b), HabilitadoPropio(botonesLista_[b]));
  for (std::size_t p = 0; p < leyendasPeriodo_.size(); ++p)
    m.PonLeyenda(static_cast<principal::Periodo>(p), leyendasPeriodo_[p]->text().toStdString());
  return m;
}

void Trovalis::MuestraModelo(const ConcursoEnEdicion& antes, const ConcursoEnEdicion& m) {
  for (Opcion o : principal::OpcionesEnOrdenDeCarga()) {
    QCheckBox* casilla = Casilla(o);
    if (m.Valor(o) != antes.Valor(o)) {
      const QSignalBlocker bloqueo(casilla);
      casilla->setChecked(m.Valor(o));
    }
    if (m.Habilitada(o) != antes.Habilitada(o)) casilla->setEnabled(m.Habilitada(o));
  }
  for (std::size_t b = 0; b < botonesLista_.size(); ++b) {
    const auto boton = static_cast<principal::BotonLista>(b);
    if (m.BotonHabilitado(boton) != antes.BotonHabilitado(boton))
      botonesLista_[b]->setEnabled(m.BotonHabilitado(boton));
  }
  for (std::size_t p = 0; p < leyendasPeriodo_.size(); ++p) {
    const auto periodo = static_cast<principal::Periodo>(p);
    if (m.Leyenda(periodo) != antes.Leyenda(periodo))
      leyendasPeriodo_[p]->setText(QString::fromStdString(m.Leyenda(periodo)));
  }
  for (std::size_t i = 0; i < textos_.size(); ++i) {
    if (m.Textos[i] != antes.Textos[i]) textos_[i]->setText(QString::fromStdString(m.Textos[i]));
    if (m.Cerrado[i] != antes.Cerrado[i]) PonBloqueo(static_cast<int>(i), m.Cerrado[i]);
  }
  if (m.HorasHabilitado != antes.HorasHabilitado) textos_[principal::kCampoHoras]->setEnabled(m.HorasHabilitado);
  if (m.Foco >= 0) textos_[static_cast<std::size_t>(m.Foco)]->setFocus();
}

void Trovalis::AplicaReglas(const std::function<void(ConcursoEnEdicion&)>& reglas) {
  const ConcursoEnEdicion antes = LeeModelo();
  ConcursoEnEdicion despues = antes;
  reglas(despues);
  MuestraModelo(antes, despues);
}

void Trovalis::OpcionCambiada(QCheckBox* casilla, bool valor) {
  for (Opcion o : principal::OpcionesEnOrdenDeCarga()) {
    if (Casilla(o) != casilla) continue;
    AplicaReglas([o, valor](ConcursoEnEdicion& m) {
      m.PonValor(o, valor);
      m.OpcionCambiada(o);
    });
    return;
  }
}

void Trovalis::VerificaNombre_Click() { Contexto().VerificarNombreExacto = ui_->VerificaNombre->isChecked(); }
