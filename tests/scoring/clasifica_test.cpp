// The rankings window offscreen: it lists both rankings of the fixture
// contest when it opens, prints either one, drives the three mailings with
// the button states they ask for, keeps the communiqué panel, and gives the
// cross-check window back when it closes.
#include "scoring/clasifica.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFontInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QWidget>

#include <memory>
#include <string>
#include <vector>

#include "clasificacion_prueba.h"
#include "plataforma/impresion.h"
#include "plataforma/texto.h"
#include "scoring/calculo_puntuaciones.h"
#include "scoring/ges_puntos.h"
#include "soporte/mensajes_guion.h"
#include "soporte/texto_pdf.h"

namespace scoring {
namespace {

using plataforma::Respuesta;
using prueba::ConcursoClasificacionPrueba;

std::vector<std::string> Elementos(QListWidget* l) {
  std::vector<std::string> v;
  for (int i = 0; i < l->count(); ++i) v.push_back(l->item(i)->text().toStdString());
  return v;
}

// Records every mailing, the recipients it was given and what the window
// showed meanwhile.
struct EnviosPrueba : EnviosClasificacion {
  std::vector<std::string> Destinatarios() override { return {"EA1AAA.Email"}; }
  void EnviaResultadosPorEmail(const std::vector<std::string>& d) override { Registra("resultados", d); }
  void EnviaQsoAnuladosPorEmail(const std::vector<std::string>& d) override { Registra("nulos", d); }
  void EnviaComunicadoPorEmail(const std::vector<std::string>& d, const std::string& asunto,
                               const std::string& texto) override {
    Registra("comunicado|" + asunto + "|" + texto, d);
  }
  void Registra(const std::string& envio, const std::vector<std::string>& d) {
    envios.push_back(envio);
    destinatarios.push_back(d);
    if (lista) lista_al_enviar.push_back(Elementos(lista));
    if (durante) durante();
  }
  std::vector<std::string> envios;
  std::vector<std::vector<std::string>> destinatarios;
  QListWidget* lista = nullptr;  // the window's ListaPorEmail
  std::vector<std::vector<std::string>> lista_al_enviar;
  std::function<void()> durante;
};

class VentanaClasifica : public ::testing::Test {
 protected:
  VentanaClasifica() {
    // The score file that cannot be ranked is tested on its own.
    plataforma::BorraFichero(f.En("ListasPuntuaciones/EA6FFF.PTS"));
  }
  ~VentanaClasifica() override {
    if (ventana) delete ventana.data();
  }

  Clasifica& Abre() {
    DatosClasifica datos;
    datos.Base = &f.base;
    datos.CarpetaConcurso = f.carpeta;
    datos.NombreConcurso = "CONCURSO PRUEBA";
    datos.EdicionConcurso = "2026";
    datos.Impresora = &impresora;
    ventana = AbreClasifica(datos, envios, [this] { ++cerrada; });
    if (envios) envios->lista = Lista("ListaPorEmail");
    return *ventana;
  }
  template <typename T = QPushButton>
  T* Control(const char* nombre) {
    return ventana->findChild<T*>(nombre);
  }
  QListWidget* Lista(const char* nombre) { return Control<QListWidget>(nombre); }
  void Tecla(int tecla, Qt::KeyboardModifiers mod = Qt::NoModifier) {
    QKeyEvent pulsada(QEvent::KeyPress, tecla, mod);
    QApplication::sendEvent(Control<QListWidget>("ListaPorPuntos"), &pulsada);
  }
  // Enabled state of the buttons, in a fixed order.
  std::string Estado() {
    std::string s;
    for (const char* b : {"ImprimirPuntos", "ImprimirCategoria", "EnviarResultados", "EnviarComunicado", "EnviarNulos",
                          "FinClientes", "Aceptar", "Cancelar"})
      s += Control(b)->isEnabled() ? '1' : '0';
    return s + (Control<QWidget>("PanelComunicado")->isVisible() ? " panel" : "");
  }

  ConcursoClasificacionPrueba f;
  std::shared_ptr<EnviosPrueba> envios = std::make_shared<EnviosPrueba>();
  plataforma::EleccionImpresora impresora;
  QPointer<Clasifica> ventana;
  int cerrada = 0;
};

TEST_F(VentanaClasifica, OpeningListsBothRankingsAndNamesTheContest) {
  Abre();
  EXPECT_TRUE(ventana->isVisible());
  EXPECT_EQ(ventana->windowTitle().toStdString(), "CLASIFICACIONES");
  EXPECT_EQ(Control<QLabel>("LConcurso")->text().toStdString(), "CONCURSO PRUEBA EDICIÓN 2026");
  EXPECT_EQ(Elementos(Lista("ListaPorCategoria")),
            plataforma::PartirLineas(ConcursoClasificacionPrueba::Esperado("ListaPorCategoria.lst")));
  EXPECT_EQ(Elementos(Lista("ListaPorPuntos")),
            plataforma::PartirLineas(ConcursoClasificacionPrueba::Esperado("ListaPorPuntos.lst")));
  EXPECT_EQ(f.Bytes("ListasClasificacion/ListaPorPuntos.lst"),
            ConcursoClasificacionPrueba::Esperado("ListaPorPuntos.lst"));
  EXPECT_TRUE(QFontInfo(Lista("ListaPorPuntos")->font()).fixedPitch());
  EXPECT_TRUE(QFontInfo(Lista("ListaPorCategoria")->font()).fixedPitch());
  // Browsing: every button but the panel's, the panel hidden, no recipients.
  EXPECT_EQ(Estado(), "11111100");
  EXPECT_EQ(Lista("ListaPorEmail")->count(), 0);
  EXPECT_TRUE(soporte::Mensajes().Cajas().empty());
}

TEST_F(VentanaClasifica, AScoreFileThatCannotBeRankedIsNamedWhenTheWindowOpens) {
  f.tmp.EscribeBytes("CONCURSO PRUEBA/ListasPuntuaciones/EA6FFF.PTS",
                     "\r\nCONCURSANTE: EA6FFF\r\n\r\nCATEGOR\xCD"
                     "A: MULTI-OP\r\n\r\n");
  soporte::Mensajes().Espera(Respuesta::Aceptar);
  Abre();
  ASSERT_EQ(soporte::Mensajes().Cajas().size(), 1u);
  EXPECT_EQ(soporte::Mensajes().Cajas()[0].titulo, "ADVERTENCIA");
  EXPECT_NE(soporte::Mensajes().Cajas()[0].texto.find("EA6FFF.PTS"), std::string::npos);
  EXPECT_EQ(Lista("ListaPorPuntos")->count(), 6);
  for (const std::string& e : Elementos(Lista("ListaPorPuntos"))) EXPECT_EQ(e.find("EA6FFF"), std::string::npos);
}

TEST_F(VentanaClasifica, PrintsEitherRankingWithItsTitle) {
  Abre();
  soporte::CarpetaTemporal dir;
  struct Caso {
    const char* boton;
    const char* titulo;
    const char* lista;
  };
  for (const Caso& c : {Caso{"ImprimirPuntos", "CLASIFICACIÓN POR PUNTOS", "ListaPorPuntos"},
                        Caso{"ImprimirCategoria", "CLASIFICACIÓN POR CATEGORÍA", "ListaPorCategoria"}}) {
    SCOPED_TRACE(c.boton);
    const std::string pdf = dir.En(std::string(c.boton) + ".pdf");
    plataforma::EligeSalidaPdf(impresora, pdf);
    Control(c.boton)->click();
    const std::string texto = soporte::UnBlanco(soporte::TextoDePdf(pdf));
    const std::size_t titulo = texto.find(c.titulo);
    ASSERT_NE(titulo, std::string::npos) << texto;
    std::size_t desde = titulo;
    for (const std::string& e : Elementos(Lista(c.lista))) {
      const std::size_t p = texto.find(soporte::UnBlanco(plataforma::RecortaDer(e)), desde);
      ASSERT_NE(p, std::string::npos) << e << "\n" << texto;
      desde = p;
    }
  }
  EXPECT_TRUE(soporte::Mensajes().Cajas().empty());
}

TEST_F(VentanaClasifica, ResultAndAnnulledMailingsHoldTheWindowWhileTheyRun) {
  Abre();
  std::vector<std::string> estados;
  envios->durante = [&] {
    estados.push_back(Estado());
    ventana->close();  // refused while mailing
    estados.push_back(ventana->isVisible() ? "abierta" : "cerrada");
  };
  Control("EnviarResultados")->click();
  EXPECT_EQ(Estado(), "11111100");
  Tecla(Qt::Key_F4);
  Tecla(Qt::Key_F2, Qt::ShiftModifier);  // nothing
  Tecla(Qt::Key_F2);
  EXPECT_EQ(envios->envios, (std::vector<std::string>{"resultados", "nulos", "resultados"}));
  // Only the category's print stays usable; the list is emptied every time
  // and shows the recipients each mailing is given.
  EXPECT_EQ(estados, (std::vector<std::string>{"01000000", "abierta", "01000000", "abierta", "01000000", "abierta"}));
  const std::vector<std::vector<std::string>> uno(3, std::vector<std::string>{"EA1AAA.Email"});
  EXPECT_EQ(envios->destinatarios, uno);
  EXPECT_EQ(envios->lista_al_enviar, uno);
  EXPECT_EQ(Elementos(Lista("ListaPorEmail")), std::vector<std::string>{"EA1AAA.Email"});
  EXPECT_EQ(cerrada, 0);
}

TEST_F(VentanaClasifica, CommuniquePanelAsksForWhatIsMissingAndKeepsItsTexts) {
  Abre();
  // F12 and Esc do nothing while the panel is hidden.
  Tecla(Qt::Key_F12);
  Tecla(Qt::Key_Escape);
  EXPECT_EQ(Estado(), "11111100");

  Tecla(Qt::Key_F3);
  EXPECT_EQ(Estado(), "11000011 panel");

  const std::string pregunta = "\n\n¿Continuamos el ENVÍO?";
  // Empty subject, answered No: nothing goes out.
  soporte::Mensajes().Espera(Respuesta::No, "Falta el ASUNTO del comunicado" + pregunta);
  Control("Aceptar")->click();
  ASSERT_EQ(soporte::Mensajes().Cajas().size(), 1u);
  EXPECT_EQ(soporte::Mensajes().Cajas()[0].titulo, "CONTINUAR O CANCELAR");
  EXPECT_EQ(soporte::Mensajes().Cajas()[0].botones, plataforma::Botones::SiNo);
  // Subject given, empty text answered No.
  Control<QLineEdit>("AsuntoComunicado")->setText("AVISO");
  soporte::Mensajes().Espera(Respuesta::No, "El cuerpo del MENSAJE está en blanco" + pregunta);
  Tecla(Qt::Key_F12);
  EXPECT_TRUE(envios->envios.empty());
  EXPECT_EQ(Estado(), "11000011 panel");

  // Esc closes the panel without sending; the texts stay.
  Control<QPlainTextEdit>("TextoComunicado")->setPlainText("Línea 1\nLínea 2");
  Tecla(Qt::Key_Escape);
  EXPECT_EQ(Estado(), "11111100");
  EXPECT_TRUE(envios->envios.empty());
  Control("EnviarComunicado")->click();
  EXPECT_EQ(Control<QLineEdit>("AsuntoComunicado")->text().toStdString(), "AVISO");

  // Right after a result mailing the recipients start afresh.
  Control("Cancelar")->click();
  Control("EnviarResultados")->click();
  Control("EnviarComunicado")->click();
  Control("Aceptar")->click();
  EXPECT_EQ(envios->envios, (std::vector<std::string>{"resultados", "comunicado|AVISO|Línea 1\nLínea 2"}));
  const std::vector<std::vector<std::string>> uno(2, std::vector<std::string>{"EA1AAA.Email"});
  EXPECT_EQ(envios->destinatarios, uno);
  EXPECT_EQ(envios->lista_al_enviar, uno);
  EXPECT_EQ(Estado(), "11111100");

  // Both empty, both answered Yes: it goes out empty.
  Control<QLineEdit>("AsuntoComunicado")->clear();
  Control<QPlainTextEdit>("TextoComunicado")->clear();
  Control("EnviarComunicado")->click();
  soporte::Mensajes().Espera(Respuesta::Si, "Falta el ASUNTO del comunicado" + pregunta);
  soporte::Mensajes().Espera(Respuesta::Si, "El cuerpo del MENSAJE está en blanco" + pregunta);
  Control("Aceptar")->click();
  EXPECT_EQ(envios->envios.back(), "comunicado||");
}

TEST_F(VentanaClasifica, WithoutMailingsTheirButtonsStayDisabled) {
  envios = nullptr;
  Abre();
  EXPECT_EQ(Estado(), "11000100");
  Tecla(Qt::Key_F2);
  Tecla(Qt::Key_F3);
  EXPECT_EQ(Estado(), "11000100");
}

TEST_F(VentanaClasifica, ClosingGivesTheCrossCheckWindowBackOnce) {
  Abre();
  Control("FinClientes")->click();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(ventana.isNull());
  EXPECT_EQ(cerrada, 1);
}

// The cross-check window opens the rankings through the real action, hides
// itself meanwhile and is shown again when the rankings close, by their
// button or their close box; every opening rebuilds the rankings.
struct EnlaceClasificacion : EnlaceGesPuntos {
  ConcursoClasificacionPrueba* f = nullptr;
  dao::Database& BaseConcursos() override { return f->base; }
  std::int32_t NumeroConcurso() const override { return ConcursoClasificacionPrueba::kNumero; }
  std::string CarpetaTrabajo() const override { return f->trabajo; }
  std::string CarpetaConcurso() const override { return f->carpeta; }
  bool HayListasNuevas() const override { return false; }
  plataforma::EleccionImpresora impresora;
  const plataforma::EleccionImpresora& Impresora() const override { return impresora; }
  void PonHayListasNuevas(bool) override {}
  void MuestraVentanaCorreo() override {}
};

TEST_F(VentanaClasifica, CrossCheckWindowOpensTheRankings) {
  auto enlace = std::make_unique<EnlaceClasificacion>();
  enlace->f = &f;
  auto clasificacion = std::make_unique<AccionesClasificacion>(*enlace, [this] { return envios; });
  AccionesClasificacion* acciones = clasificacion.get();
  auto calculo = std::make_unique<AccionesCalculoPuntuaciones>(*enlace, std::move(clasificacion));
  QPointer<GesPuntos> cruce = AbreGesPuntos(std::move(enlace), std::move(calculo));

  for (bool por_boton : {true, false}) {
    SCOPED_TRACE(por_boton ? "SALIR" : "cierre");
    plataforma::BorraFichero(f.En("ListasClasificacion/ListaPorPuntos.lst"));
    cruce->findChild<QPushButton*>("Clasificaciones")->click();
    ventana = acciones->Ventana();
    ASSERT_TRUE(ventana);
    EXPECT_FALSE(cruce->isVisible());
    EXPECT_EQ(Control<QLabel>("LConcurso")->text().toStdString(), "CONCURSO PRUEBA EDICIÓN 2026");
    EXPECT_EQ(Lista("ListaPorPuntos")->count(), 6);
    EXPECT_EQ(f.Bytes("ListasClasificacion/ListaPorPuntos.lst"),
              ConcursoClasificacionPrueba::Esperado("ListaPorPuntos.lst"));
    Control("EnviarNulos")->click();
    if (por_boton)
      Control("FinClientes")->click();
    else
      ventana->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(ventana.isNull());
    EXPECT_TRUE(cruce->isVisible());
  }
  EXPECT_EQ(envios->envios, (std::vector<std::string>{"nulos", "nulos"}));
  delete cruce.data();
}

}  // namespace
}  // namespace scoring
