#include "plataforma/mensajes.h"

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <functional>
#include <stdexcept>

#include "plataforma/aplicacion.h"
#include "soporte/mensajes_guion.h"

using namespace plataforma;
using soporte::Mensajes;

TEST(MensajesGuion, ContestaDeLaColaYAnotaCadaCaja) {
  Mensajes().Espera(Respuesta::Si);
  Mensajes().Espera(Respuesta::Aceptar, "No hay Concursos CONFIGURADOS");
  EXPECT_EQ(Respuesta::Si, MsgBox("¿Borrar el concurso?", "BORRAR", Icono::Pregunta, Botones::SiNo));
  EXPECT_EQ(Respuesta::Aceptar, MsgBox("No hay Concursos CONFIGURADOS", "DEFINA ALGUN CONCURSO",
                                       Icono::Informacion));
  ASSERT_EQ(2u, Mensajes().Cajas().size());
  const auto& c = Mensajes().Cajas()[1];
  EXPECT_EQ("No hay Concursos CONFIGURADOS", c.texto);
  EXPECT_EQ("DEFINA ALGUN CONCURSO", c.titulo);
  EXPECT_EQ(Icono::Informacion, c.icono);
  EXPECT_EQ(Botones::Aceptar, c.botones);
  EXPECT_EQ(Respuesta::Si, Mensajes().Cajas()[0].respuesta);
  EXPECT_EQ(0u, Mensajes().Pendientes());
}

TEST(MensajesGuion, UnaCajaNoEsperadaHaceFallarLaPrueba) {
  Respuesta r = Respuesta::Si;
  EXPECT_NONFATAL_FAILURE(r = MsgBox(".- ERROR en FORMATO NUMERICO", "VERIFICAR NUMERO ",
                                     Icono::Pregunta, Botones::SiNo),
                          ".- ERROR en FORMATO NUMERICO");
  EXPECT_EQ(Respuesta::No, r);  // the default button
  EXPECT_EQ(1u, Mensajes().Cajas().size());
}

TEST(MensajesGuion, OtroTextoUOtraRespuestaHacenFallar) {
  Mensajes().Espera(Respuesta::Aceptar, "texto esperado");
  EXPECT_NONFATAL_FAILURE(MsgBox("texto mostrado"), "texto mostrado");
  Mensajes().Espera(Respuesta::Si);
  Respuesta r = Respuesta::Si;
  EXPECT_NONFATAL_FAILURE(r = MsgBox("solo aceptar"), "solo aceptar");
  EXPECT_EQ(Respuesta::Aceptar, r);
}

TEST(MensajesGuion, SinImplementacionSeDaLaRespuestaPorDefecto) {
  Mensajero* anterior = InstalaMensajero(nullptr);
  EXPECT_EQ(Respuesta::No, MsgBox("x", "t", Icono::Pregunta, Botones::SiNo));
  EXPECT_EQ(Respuesta::Aceptar, MsgBox("x", "t", Icono::Pregunta, Botones::AceptarCancelar));
  InstalaMensajero(anterior);
  EXPECT_EQ(&Mensajes(), MensajeroInstalado());
}

// Waits for the modal message box and hands it to `accion`.
static void AlAparecerLaCaja(std::function<void(QMessageBox*)> accion) {
  auto* temporizador = new QTimer;
  QObject::connect(temporizador, &QTimer::timeout, [temporizador, accion] {
    if (auto* caja = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
      temporizador->stop();
      temporizador->deleteLater();
      accion(caja);
    }
  });
  temporizador->start(10);
}

static void Pulsa(QWidget* w, int tecla) {
  QKeyEvent pulsada(QEvent::KeyPress, tecla, Qt::NoModifier);
  QApplication::sendEvent(w, &pulsada);
}

TEST(MensajesQt, SiNoConNoPorDefecto) {
  MensajeroQt qt;
  QString titulo, texto, porDefecto;
  QMessageBox::Icon icono = QMessageBox::NoIcon;
  int botones = 0;
  AlAparecerLaCaja([&](QMessageBox* caja) {
    titulo = caja->windowTitle();
    texto = caja->text();
    icono = caja->icon();
    botones = static_cast<int>(caja->buttons().size());
    porDefecto = caja->defaultButton()->text();
    Pulsa(caja, Qt::Key_Return);
  });
  EXPECT_EQ(Respuesta::No, qt.Muestra("¿Borrar el concurso?", "BORRAR", Icono::Pregunta, Botones::SiNo));
  EXPECT_EQ("BORRAR", titulo);
  EXPECT_EQ(QString::fromUtf8("¿Borrar el concurso?"), texto);
  EXPECT_EQ(QMessageBox::Question, icono);
  EXPECT_EQ(2, botones);
  EXPECT_EQ("No", porDefecto);
}

TEST(MensajesQt, BotonesYTeclas) {
  MensajeroQt qt;
  AlAparecerLaCaja([](QMessageBox* caja) {
    for (auto* b : caja->buttons())
      if (b->text() == QString::fromUtf8("Sí")) b->click();
  });
  EXPECT_EQ(Respuesta::Si, qt.Muestra("a", "", Icono::Pregunta, Botones::SiNo));

  QMessageBox::Icon icono = QMessageBox::NoIcon;
  AlAparecerLaCaja([&](QMessageBox* caja) {
    icono = caja->icon();
    Pulsa(caja, Qt::Key_Escape);
  });
  EXPECT_EQ(Respuesta::Cancelar, qt.Muestra("b", "", Icono::Error, Botones::AceptarCancelar));
  EXPECT_EQ(QMessageBox::Critical, icono);

  AlAparecerLaCaja([&](QMessageBox* caja) {
    icono = caja->icon();
    Pulsa(caja, Qt::Key_Return);
  });
  EXPECT_EQ(Respuesta::Aceptar, qt.Muestra("c", "", Icono::Informacion, Botones::AceptarCancelar));
  EXPECT_EQ(QMessageBox::Information, icono);

  AlAparecerLaCaja([](QMessageBox* caja) { Pulsa(caja, Qt::Key_Escape); });
  EXPECT_EQ(Respuesta::Aceptar, qt.Muestra("d", "", Icono::Ninguno, Botones::Aceptar));
}

TEST(ErrorNoControlado, TextoConElDetalle) {
  const std::string t = TextoErrorNoControlado("No se puede leer el fichero: Ledrima");
  EXPECT_NE(std::string::npos, t.find("error no controlado"));
  EXPECT_NE(std::string::npos, t.find("No se puede leer el fichero: Ledrima"));
}

TEST(ErrorNoControladoDeathTest, AvisaYTerminaElPrograma) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        Mensajes().Espera(Respuesta::Aceptar);
        EjecutaProtegido([]() -> int { throw std::runtime_error("fallo de prueba"); });
      },
      ::testing::ExitedWithCode(1), "error no controlado(.|\n)*fallo de prueba");
  EXPECT_EQ(42, EjecutaProtegido([] { return 42; }));
}
