#pragma once
// The tests' view of the main window's form: its controls, found by the
// names the form gives them, so that a test clicks, types and reads the
// very widgets the operator uses. Taken afresh at each call (the printer
// options are added at start-up).
#include <gtest/gtest.h>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QWidget>
#include <array>
#include <string>
#include <vector>

#include "mainwindow/campos_editor.h"
#include "mainwindow/concurso_en_edicion.h"

namespace prueba {

struct FormularioPrincipal {
  explicit FormularioPrincipal(QWidget& ventana) : w_(ventana) {
    for (int i = 0; i < principal::kNumeroCamposTexto; ++i)
      Text3[static_cast<std::size_t>(i)] = Busca<QLineEdit>("Text3_" + std::to_string(i));
    for (int i = 0; i < principal::kNumeroBandas; ++i)
      Banda[static_cast<std::size_t>(i)] = Busca<QCheckBox>("Banda_" + std::to_string(i));
    for (int i = 0; i < principal::kNumeroModos; ++i)
      Modo[static_cast<std::size_t>(i)] = Busca<QCheckBox>("Modo_" + std::to_string(i));
    for (int i = 0;; ++i) {
      auto* r = ventana.findChild<QRadioButton*>(QString("Impresora_%1").arg(i));
      if (!r) break;
      Impresora.push_back(r);
    }
  }

  template <typename T>
  T* Busca(const std::string& nombre) const {
    T* c = w_.findChild<T*>(QString::fromStdString(nombre));
    EXPECT_NE(c, nullptr) << nombre;
    return c;
  }

  // The name of an option's box: its column's, but for the two boxes spelled
  // otherwise.
  static std::string NombreCasilla(principal::Opcion o) {
    switch (o) {
#define NOMBRE(n)     \
  case principal::Opcion::n: \
    return #n;
#define NOMBRE_D(columna, casilla)  \
  case principal::Opcion::columna: \
    return #casilla;
      TROVALIS_OPCIONES(NOMBRE, NOMBRE_D)
#undef NOMBRE_D
#undef NOMBRE
    }
    return {};
  }
  // The box of an option.
  QCheckBox* Casilla(principal::Opcion o) const { return Busca<QCheckBox>(NombreCasilla(o)); }
  // An input lock as the operator meets it: the box refuses typing.
  bool Bloqueado(int i) const { return Text3[static_cast<std::size_t>(i)]->isReadOnly(); }

 private:
  QWidget& w_;

 public:
  std::array<QLineEdit*, principal::kNumeroCamposTexto> Text3{};
  std::array<QCheckBox*, principal::kNumeroBandas> Banda{};
  std::array<QCheckBox*, principal::kNumeroModos> Modo{};
  std::vector<QRadioButton*> Impresora;
  QComboBox* Combo1 = Busca<QComboBox>("Combo1");
  QGroupBox* SeleccionConcurso = Busca<QGroupBox>("SeleccionConcurso");
  QGroupBox* PanelImpresora = Busca<QGroupBox>("PanelImpresora");
#define BOTON(n) QPushButton* n = Busca<QPushButton>(#n);
  BOTON(AltaReg)
  BOTON(ConsultaReg) BOTON(ModificarReg) BOTON(BorrarReg) BOTON(Aceptar) BOTON(Cancelar) BOTON(Bases)
      BOTON(GestionListas) BOTON(FinClientes) BOTON(SeleccionarImpresora) BOTON(AceptarImpresora)
          BOTON(ConfDistritosValidos) BOTON(ConfEstEsp) BOTON(ConfPaisesExc) BOTON(ConfPrefijos)
              BOTON(ConfSiglasValidas) BOTON(ConfSufijo) BOTON(ConfZonaExcluida) BOTON(ConfMultEstacionesEspeciales)
                  BOTON(Especiales) BOTON(ConfigurarCabrillo)
#undef BOTON
                      QRadioButton* GestionAutomatica = Busca<QRadioButton>("GestionAutomatica");
  QRadioButton* GestionManual = Busca<QRadioButton>("GestionManual");
  QCheckBox* VerificaNombre = Busca<QCheckBox>("VerificaNombre");
#define CASILLA(n) QCheckBox* n = Busca<QCheckBox>(#n);
#define CASILLA_D(columna, n) QCheckBox* n = Busca<QCheckBox>(#n);
  TROVALIS_OPCIONES(CASILLA, CASILLA_D)
#undef CASILLA_D
#undef CASILLA
};

inline FormularioPrincipal Formulario(QWidget& ventana) { return FormularioPrincipal(ventana); }

// A key pressed and released on a widget, as the operator's keyboard sends it.
inline void PulsaTecla(QWidget* destino, int tecla, Qt::KeyboardModifiers modificadores = Qt::NoModifier,
                       const QString& texto = {}) {
  QKeyEvent pulsada(QEvent::KeyPress, tecla, modificadores, texto);
  QApplication::sendEvent(destino, &pulsada);
  QKeyEvent soltada(QEvent::KeyRelease, tecla, modificadores, texto);
  QApplication::sendEvent(destino, &soltada);
}

}  // namespace prueba
