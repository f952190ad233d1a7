#pragma once
// The main window started on a fixture folder with one contest, put in the
// state of a create (every option box open), for the tests of the option
// interlocks and of the checks before a save.
#include <gtest/gtest.h>
#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <memory>
#include <string>

#include "fixture_principal.h"
#include "cabrillo/contexto_concurso.h"
#include "mainwindow/trovalis.h"

namespace prueba {

class EditorConcurso : public ::testing::Test {
 public:
  void SetUp() override {}
  void TearDown() override { ventana.reset(); }

  // Contest 1 "PRUEBA" 2025 with nothing ticked; with its categories row
  // unless told otherwise.
  void CreaConcurso(bool conCategorias = true) {
    carpeta.CreaBases(1);
    carpeta.AgregaConcurso(1, "PRUEBA", "2025");
    if (conCategorias) carpeta.Ejecuta("INSERT INTO ResumenCabrillo (NumeroOrden) VALUES (1);");
  }

  // Loading, showing and the first activation.
  void Arranca() {
    auto s = std::make_unique<ServiciosGrabados>();
    ventana = std::make_unique<Trovalis>(std::move(s));
    ASSERT_TRUE(ventana->Form_Load());
    ventana->show();
    ventana->activateWindow();
    QApplication::setActiveWindow(ventana.get());
    ventana->Form_Activate();
    QApplication::processEvents();
  }

  // A create started with its button (F2): text boxes open (the points
  // grid closed), option boxes enabled; the master multiplier box ticked
  // when asked (which enables the 44 multiplier boxes).
  void EmpiezaEdicion(bool conMultiplicadores = true) {
    ASSERT_TRUE(Formulario(*ventana).AltaReg->isEnabled());
    Formulario(*ventana).AltaReg->click();
    ASSERT_EQ(ventana->Operacion(), principal::OperacionEditor::Alta);
    if (conMultiplicadores) Formulario(*ventana).Multiplicadores->click();
  }

  QCheckBox* Casilla(const std::string& nombre) const {
    auto* c = ventana->findChild<QCheckBox*>(QString::fromStdString(nombre));
    if (!c) ADD_FAILURE() << "No hay casilla " << nombre;
    return c;
  }
  std::string Texto(int i) const {
    return Formulario(*ventana).Text3[static_cast<std::size_t>(i)]->text().toStdString();
  }
  void PonTexto(int i, const std::string& t) {
    Formulario(*ventana).Text3[static_cast<std::size_t>(i)]->setText(QString::fromStdString(t));
  }
  QWidget* Foco() const { return QApplication::focusWidget(); }

  CarpetaPrueba carpeta;
  std::unique_ptr<Trovalis> ventana;
};

}  // namespace prueba
