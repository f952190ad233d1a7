// The cross-check window, offscreen, over the fixture contest: loading the
// annulment options with their couplings, discarding results on a change or
// when logs may have arrived, the guards of the buttons, a whole cross-check
// with the viewer, the controls kept still during a run, and the keys.
#include "scoring/ges_puntos.h"

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QElapsedTimer>
#include <QTimer>
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "plataforma/dao.h"
#include "plataforma/mensajes.h"
#include "plataforma/rutas.h"
#include "plataforma/texto.h"
#include "scoring/opciones_anulacion.h"
#include "plataforma/impresion.h"
#include "soporte/mensajes_guion.h"
#include "soporte/texto_pdf.h"
#include "concurso_cruce_prueba.h"

namespace scoring {
namespace {

using plataforma::Respuesta;
using prueba::Bytes;

// What the window told its opener.
struct Aperturas {
  bool hayListasNuevas = false;
  int mostrada = 0;
};

struct EnlacePrueba : EnlaceGesPuntos {
  prueba::ConcursoCrucePrueba* f = nullptr;
  Aperturas* a = nullptr;
  const plataforma::EleccionImpresora* impresora = nullptr;
  dao::Database& BaseConcursos() override { return f->base; }
  const plataforma::EleccionImpresora& Impresora() const override { return *impresora; }
  std::int32_t NumeroConcurso() const override { return prueba::ConcursoCrucePrueba::kNumero; }
  std::string CarpetaTrabajo() const override { return f->trabajo; }
  std::string CarpetaConcurso() const override { return f->carpeta; }
  bool HayListasNuevas() const override { return a->hayListasNuevas; }
  void PonHayListasNuevas(bool v) override { a->hayListasNuevas = v; }
  void MuestraVentanaCorreo() override { ++a->mostrada; }
};

// A scoring run that records what the window lets the operator touch while
// it runs, and a rankings window that closes when told.
struct AccionesPrueba : AccionesPuntuacion {
  std::function<void(EdicionConcurso&, ProgresoEtapa&)> calcula;
  std::function<void()>* cierra = nullptr;
  int clasificaciones = 0;
  void CalculaPuntuaciones(EdicionConcurso& e, ProgresoEtapa& p) override {
    if (calcula) calcula(e, p);
  }
  void AbreClasificaciones(std::function<void()> al_cerrar) override {
    ++clasificaciones;
    if (cierra) *cierra = std::move(al_cerrar);
  }
};

const char* const kCasillas[] = {
    "AnularQSO",      "AnularDos",      "AnularCinco",           "AnularDiez",
    "AnularQuince",   "AnularPorBandaDistinta", "AnularPorModoDistinto", "AnularPorNoExistir",
    "AnularPorControlesDistintos", "AnularPorFecha", "AnularPorFechaDistinta", "AnularPorRstDistinto",
    "AnularQSOSiNoEstaEN", "AnularPorPortableDistinto"};
// Column of each box in `Concursos`.
std::string Columna(const std::string& casilla) {
  return casilla == "AnularPorRstDistinto" ? "AnularPorRSTDistinto" : casilla;
}

// The lines a list box shows.
std::vector<std::string> TextosDe(const QListWidget& lista) {
  std::vector<std::string> textos;
  for (int i = 0; i < lista.count(); ++i) textos.push_back(lista.item(i)->text().toStdString());
  return textos;
}

// Notes what a list box shows whenever a message box comes up, and passes
// the box on to the test's script.
struct VisorAlAvisar : plataforma::Mensajero {
  explicit VisorAlAvisar(const QListWidget& l) : lista(l), anterior(plataforma::InstalaMensajero(this)) {}
  ~VisorAlAvisar() override { plataforma::InstalaMensajero(anterior); }
  plataforma::Respuesta Muestra(const std::string& texto, const std::string& titulo, plataforma::Icono icono,
                                plataforma::Botones botones) override {
    textos.push_back(TextosDe(lista));
    return anterior->Muestra(texto, titulo, icono, botones);
  }
  const QListWidget& lista;
  plataforma::Mensajero* anterior;
  std::vector<std::vector<std::string>> textos;
};

class VentanaGesPuntos : public ::testing::Test {
 protected:
  ~VentanaGesPuntos() override {
    if (ventana) delete ventana.data();
  }

  // Stores the annulment columns: the ones named True, the others False.
  void GuardaOpciones(const std::vector<std::string>& ciertas, const char* numero_listas = "") {
    std::vector<std::pair<const char*, dao::Variant>> valores;
    std::vector<std::string> columnas;
    for (const char* c : kCasillas) columnas.push_back(Columna(c));
    for (const std::string& c : columnas)
      valores.emplace_back(c.c_str(), dao::Variant(std::find(ciertas.begin(), ciertas.end(), c) != ciertas.end()));
    valores.emplace_back("NumeroListas", dao::Variant(numero_listas));
    f.PonColumnas(valores);
  }

  GesPuntos& Abre(std::unique_ptr<AccionesPuntuacion> acciones = nullptr) {
    auto e = std::make_unique<EnlacePrueba>();
    e->f = &f;
    e->a = &a;
    e->impresora = &impresora;
    ventana = AbreGesPuntos(std::move(e), std::move(acciones));
    return *ventana;
  }

  QCheckBox* Casilla(const char* nombre) { return ventana->findChild<QCheckBox*>(nombre); }
  template <class T = QWidget>
  T* Control(const char* nombre) {
    T* c = ventana->findChild<T*>(nombre);
    EXPECT_NE(c, nullptr) << nombre;
    return c;
  }
  std::map<std::string, bool> Marcadas() {
    std::map<std::string, bool> m;
    for (const char* c : kCasillas) m[c] = Casilla(c)->isChecked();
    return m;
  }
  // The boxes named set, the others clear.
  std::map<std::string, bool> Solo(const std::vector<std::string>& ciertas) {
    std::map<std::string, bool> m;
    for (const char* c : kCasillas) m[c] = std::find(ciertas.begin(), ciertas.end(), c) != ciertas.end();
    return m;
  }
  void Tecla(QWidget* w, int tecla, Qt::KeyboardModifiers mod = Qt::NoModifier, const QString& texto = {}) {
    QKeyEvent pulsada(QEvent::KeyPress, tecla, mod, texto);
    QApplication::sendEvent(w, &pulsada);
  }
  // A result that a discard deletes.
  void PonResultado() { plataforma::EscribirLineas(f.En("ListasCruzadas/QQ1AA.LOG"), {"QSO:"}); }
  bool HayResultado() { return plataforma::ExisteFichero(f.En("ListasCruzadas/QQ1AA.LOG")); }

  prueba::ConcursoCrucePrueba f;
  plataforma::EleccionImpresora impresora;
  Aperturas a;
  QPointer<GesPuntos> ventana;
};

// ------------------------------------------------------------- loading

TEST_F(VentanaGesPuntos, CargaLasOpcionesConSusAcoplamientos) {
  struct Caso {
    std::vector<std::string> guardadas;
    std::vector<std::string> mostradas;
  } casos[] = {
      // Of several count boxes only the last stays.
      {{"AnularDos", "AnularQuince"}, {"AnularQuince"}},
      // A contest as created.
      {{"AnularQSO", "AnularCinco", "AnularPorBandaDistinta"}, {"AnularQSO", "AnularCinco"}},
      // RST drags the band and the exchange boxes.
      {{"AnularPorRSTDistinto"}, {"AnularPorRstDistinto", "AnularPorBandaDistinta", "AnularPorControlesDistintos"}},
      {{"AnularPorControlesDistintos"}, {"AnularPorBandaDistinta", "AnularPorControlesDistintos"}},
      // Both no-log boxes load as stored.
      {{"AnularQSO", "AnularQSOSiNoEstaEN", "AnularPorModoDistinto"},
       {"AnularQSO", "AnularQSOSiNoEstaEN", "AnularPorModoDistinto"}},
  };
  for (const Caso& c : casos) {
    GuardaOpciones(c.guardadas, "7");
    PonResultado();
    Abre();
    EXPECT_EQ(Marcadas(), Solo(c.mostradas)) << c.guardadas.front();
    EXPECT_EQ(Control<QLineEdit>("NumeroListas")->text(), "7");
    EXPECT_TRUE(Control("NumeroListas")->isEnabled());
    // Loading discards nothing.
    EXPECT_TRUE(HayResultado());
    delete ventana.data();
  }
}

TEST_F(VentanaGesPuntos, CargaLasListasYSusCuentas) {
  plataforma::EscribirLineas(f.En("ListasDeControl/ListasDeControl.txt"), {"QQ2CK", "QQ2CT"});
  plataforma::EscribirLineas(f.En("ListasNoEnviadas/ListasNoEnviadasPorIndicativo.txt"), {"QQ9AA en 001 Lista"});
  Abre();
  EXPECT_TRUE(ventana->isVisible());
  EXPECT_EQ(ventana->windowTitle(), "Cruzar Listas y Calcular Puntos");
  EXPECT_EQ(Control<QListWidget>("ListasValidas")->count(), 13);
  EXPECT_EQ(Control<QLabel>("LValidas")->text(), "13 Listas");
  EXPECT_EQ(Control<QLabel>("LDeControl")->text(), "2 Listas");
  EXPECT_EQ(Control<QLabel>("Label6")->text(), "1 NO ENVIADAS");
  EXPECT_FALSE(Casilla("AnularPorModoDistinto")->isVisibleTo(ventana));
}

TEST_F(VentanaGesPuntos, ConListasNuevasDescartaLosResultadosAlAbrir) {
  PonResultado();
  a.hayListasNuevas = true;
  Abre();
  EXPECT_FALSE(HayResultado());
  EXPECT_EQ(Control<QListWidget>("ListasCruzadas")->count(), 0);
  EXPECT_EQ(Control<QLabel>("Label6")->text(), "NO ENVIADAS");
  EXPECT_TRUE(a.hayListasNuevas);  // until a cross-check
}

// ------------------------------------------------------------- options

TEST_F(VentanaGesPuntos, CambiarUnaOpcionDescartaLosResultados) {
  GuardaOpciones({});
  PonResultado();
  Abre();
  ASSERT_EQ(Control<QListWidget>("ListasCruzadas")->count(), 1);
  Casilla("AnularPorFecha")->click();
  EXPECT_FALSE(HayResultado());
  EXPECT_EQ(Control<QListWidget>("ListasCruzadas")->count(), 0);
  EXPECT_EQ(Control<QLabel>("LCruzadas")->text(), "");
}

TEST_F(VentanaGesPuntos, AcoplamientosDelOperador) {
  GuardaOpciones({"AnularDiez"});
  Abre();
  Casilla("AnularCinco")->click();
  EXPECT_EQ(Marcadas(), Solo({"AnularCinco"}));

  Casilla("AnularPorRstDistinto")->click();
  EXPECT_EQ(Marcadas(),
            Solo({"AnularCinco", "AnularPorRstDistinto", "AnularPorBandaDistinta", "AnularPorControlesDistintos"}));
  Casilla("AnularPorControlesDistintos")->click();
  EXPECT_EQ(Marcadas(), Solo({"AnularCinco"}));
  Casilla("AnularPorBandaDistinta")->click();
  EXPECT_EQ(Marcadas(), Solo({"AnularCinco", "AnularPorBandaDistinta", "AnularPorControlesDistintos"}));
}

TEST_F(VentanaGesPuntos, SinListaYNumeroDeListas) {
  GuardaOpciones({"AnularQSO"}, "4");
  Abre();
  auto* numero = Control<QLineEdit>("NumeroListas");
  Casilla("AnularQSOSiNoEstaEN")->click();
  EXPECT_FALSE(Casilla("AnularQSO")->isChecked());
  EXPECT_TRUE(numero->isEnabled());
  EXPECT_EQ(QApplication::focusWidget() == numero || ventana->focusWidget() == numero, true);
  EXPECT_EQ(numero->text(), "4");

  Casilla("AnularQSO")->click();
  EXPECT_FALSE(Casilla("AnularQSOSiNoEstaEN")->isChecked());
  EXPECT_EQ(numero->text(), "");
  EXPECT_FALSE(numero->isEnabled());
  // Clearing it changes nothing else.
  Casilla("AnularQSO")->click();
  EXPECT_FALSE(numero->isEnabled());
}

TEST_F(VentanaGesPuntos, NumeroListasSoloCifras) {
  GuardaOpciones({});
  Abre();
  auto* numero = Control<QLineEdit>("NumeroListas");
  numero->setFocus();
  Tecla(numero, Qt::Key_A, Qt::NoModifier, "A");
  EXPECT_EQ(numero->text(), "");
  Tecla(numero, Qt::Key_1, Qt::NoModifier, "1");
  Tecla(numero, Qt::Key_2, Qt::NoModifier, "2");
  EXPECT_EQ(numero->text(), "12");
  Tecla(numero, Qt::Key_3, Qt::NoModifier, "3");
  EXPECT_EQ(numero->text(), "12");
  Tecla(numero, Qt::Key_Backspace, Qt::NoModifier, "\b");
  EXPECT_EQ(numero->text(), "1");
  // Pasted text goes through the same rule.
  numero->clear();
  numero->insert("x5");
  EXPECT_EQ(numero->text(), "");
}

// ------------------------------------------------------------- buttons

TEST_F(VentanaGesPuntos, FaltaElNumeroDeListas) {
  GuardaOpciones({"AnularQSOSiNoEstaEN", "AnularPorFecha"});
  Abre();
  soporte::Mensajes().Espera(Respuesta::Aceptar, "Falta el número de listas");
  Control<QPushButton>("Cruzar")->click();
  ASSERT_EQ(soporte::Mensajes().Cajas().size(), 1u);
  EXPECT_EQ(soporte::Mensajes().Cajas()[0].titulo, "ERROR EN NÚMERO DE LISTAS");
  EXPECT_EQ(soporte::Mensajes().Cajas()[0].icono, plataforma::Icono::Error);
  EXPECT_TRUE(plataforma::ListaFicheros(f.En("ListasCruzadas")).empty());

  // The exit stores the options first, then refuses.
  Casilla("AnularPorFecha")->click();
  soporte::Mensajes().Espera(Respuesta::Aceptar, "Falta el número de listas");
  Control<QPushButton>("FinClientes")->click();
  EXPECT_TRUE(ventana->isVisible());
  EXPECT_EQ(a.mostrada, 0);
  OpcionesAnulacion guardadas;
  ASSERT_TRUE(CargaOpcionesAnulacion(f.base, prueba::ConcursoCrucePrueba::kNumero, guardadas));
  EXPECT_TRUE(guardadas.AnularQSOSiNoEstaEN);
  EXPECT_FALSE(guardadas.AnularPorFecha);
}

TEST_F(VentanaGesPuntos, SalirGuardaLasOpcionesYVuelveALaVentanaDeCorreo) {
  GuardaOpciones({"AnularQSO"});
  Abre();
  Casilla("AnularQSOSiNoEstaEN")->click();
  Control<QLineEdit>("NumeroListas")->setText("3");
  Casilla("AnularQuince")->click();
  Control<QPushButton>("FinClientes")->click();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(ventana.isNull());
  EXPECT_EQ(a.mostrada, 1);
  OpcionesAnulacion g;
  ASSERT_TRUE(CargaOpcionesAnulacion(f.base, prueba::ConcursoCrucePrueba::kNumero, g));
  EXPECT_FALSE(g.AnularQSO);
  EXPECT_TRUE(g.AnularQSOSiNoEstaEN);
  EXPECT_TRUE(g.AnularQuince);
  EXPECT_EQ(g.NumeroListas, "3");
}

TEST_F(VentanaGesPuntos, CerrarDeOtraFormaNoGuardaLasOpciones) {
  GuardaOpciones({"AnularQSO"});
  Abre();
  Casilla("AnularPorFecha")->click();
  ventana->close();
  EXPECT_EQ(a.mostrada, 1);
  OpcionesAnulacion g;
  ASSERT_TRUE(CargaOpcionesAnulacion(f.base, prueba::ConcursoCrucePrueba::kNumero, g));
  EXPECT_FALSE(g.AnularPorFecha);
}

TEST_F(VentanaGesPuntos, GuardasDeLosBotones) {
  for (const std::string& log : plataforma::ListaFicheros(f.En("ListasValidas")))
    plataforma::BorraFichero(f.En("ListasValidas/" + log));
  GuardaOpciones({"AnularQSO"});
  Abre();
  struct Caso {
    const char* boton;
    const char* texto;
  } casos[] = {
      {"Cruzar", "No hay LISTAS VÁLIDAS"},
      {"Calcular", "No se han cruzado las listas de los concursantes"},
      {"Clasificaciones", "No se ha calculado las puntuaciones de los concursantes"},
  };
  for (const Caso& c : casos) {
    soporte::Mensajes().Reinicia();
    soporte::Mensajes().Espera(Respuesta::Aceptar, c.texto);
    Control<QPushButton>(c.boton)->click();
    ASSERT_EQ(soporte::Mensajes().Cajas().size(), 1u) << c.boton;
    EXPECT_EQ(soporte::Mensajes().Cajas()[0].titulo, "ERROR") << c.boton;
    EXPECT_TRUE(ventana->isVisible()) << c.boton;
  }
}

// ------------------------------------------------------------- runs

TEST_F(VentanaGesPuntos, CruzaYMuestraUnaListaCruzada) {
  GuardaOpciones({"AnularQSO", "AnularPorNoExistir", "AnularPorControlesDistintos", "AnularPorBandaDistinta",
                  "AnularPorRSTDistinto", "AnularPorFecha"});
  a.hayListasNuevas = true;
  Abre();
  Control<QPushButton>("Cruzar")->click();
  EXPECT_FALSE(a.hayListasNuevas);
  EXPECT_EQ(Bytes(f.En("ListasCruzadas/QQ1AA.LOG")), Bytes(prueba::kDatosCruce + "/esperado/ListasCruzadas/QQ1AA.LOG"));
  EXPECT_EQ(Bytes(f.En("ListasQsoAnulados/QQ1EE.NUL")),
            Bytes(prueba::kDatosCruce + "/esperado/ListasQsoAnulados/QQ1EE.NUL"));
  EXPECT_EQ(Control<QLabel>("LProceso")->text(), "FIN PROCESO");
  auto* cruzadas = Control<QListWidget>("ListasCruzadas");
  ASSERT_EQ(cruzadas->count(), 8);
  EXPECT_EQ(Control<QListWidget>("ListasNoEnviadasPorIndicativo")->count(), 4);
  EXPECT_EQ(Control<QLabel>("Label6")->text(), "4 NO ENVIADAS");
  EXPECT_EQ(Control<QLabel>("LDeControl")->text(), "2 Listas");
  for (const char* b : {"Cruzar", "Calcular", "Clasificaciones", "FinClientes", "SSFrame2", "SSFrame5", "ListasValidas"})
    EXPECT_TRUE(Control(b)->isEnabled()) << b;
  // The viewer is left with the last log crossed, marked as its file.
  {
    std::vector<std::string> ultima;
    plataforma::LeerLineas(prueba::kDatosCruce + "/esperado/ListasCruzadas/QQ1HH.LOG", ultima);
    EXPECT_EQ(TextosDe(*Control<QListWidget>("FicheroCabrillo")), ultima);
  }

  // The viewer.
  Control<QListWidget>("ListasValidas")->setCurrentRow(0);
  cruzadas->setCurrentRow(0);
  EXPECT_TRUE(Control<QListWidget>("ListasValidas")->selectedItems().isEmpty());
  EXPECT_EQ(Control<QGroupBox>("Lista")->title(), "Lista CRUZADA de QQ1AA");
  std::vector<std::string> esperadas;
  plataforma::LeerLineas(prueba::kDatosCruce + "/esperado/ListasCruzadas/QQ1AA.LOG", esperadas);
  auto* visor = Control<QListWidget>("FicheroCabrillo");
  ASSERT_EQ(visor->count(), static_cast<int>(esperadas.size()));
  EXPECT_EQ(visor->item(9)->text().toStdString(), esperadas[9]);
  EXPECT_TRUE(visor->item(9)->text().startsWith("NUL01:QSO:"));

  struct Caso {
    const char* lista;
    const char* titulo;
  } casos[] = {
      {"ListasValidas", "Lista VÁLIDA de QQ1AA"},
      {"ListasQsoAnulados", "Lista de QSO ANULADOS de QQ1AA"},
  };
  for (const Caso& c : casos) {
    Control<QListWidget>(c.lista)->setCurrentRow(0);
    EXPECT_EQ(Control<QGroupBox>("Lista")->title(), c.titulo);
  }
  EXPECT_EQ(visor->item(1)->text(), "\tSIGNIFICADO DE LOS ERRORES:");

  // The lists for reading show nothing and keep no selection.
  auto* control = Control<QListWidget>("ListasDeControl");
  control->setCurrentRow(0);
  emit control->itemClicked(control->item(0));
  EXPECT_TRUE(control->selectedItems().isEmpty());
  EXPECT_EQ(Control<QGroupBox>("Lista")->title(), "Lista de QSO ANULADOS de QQ1AA");
}

TEST_F(VentanaGesPuntos, UnCruceQueNoPuedeEscribirLoDiceYDevuelveLosControles) {
  GuardaOpciones({"AnularQSO"});
  a.hayListasNuevas = true;
  std::filesystem::remove_all(f.En("ListasCruzadas"));
  Abre();
  soporte::Mensajes().Espera(Respuesta::Aceptar);
  // What the viewer shows while the box is up: the log whose crossed copy
  // could not be written, the first one.
  VisorAlAvisar visor(*Control<QListWidget>("FicheroCabrillo"));
  Control<QPushButton>("Cruzar")->click();
  ASSERT_EQ(visor.textos.size(), 1u);
  std::vector<std::string> primera;
  plataforma::LeerLineas(f.En("ListasValidas/QQ1AA.LOG"), primera);
  ASSERT_EQ(visor.textos[0].size(), primera.size());
  EXPECT_EQ(visor.textos[0].front(), primera.front());
  ASSERT_EQ(soporte::Mensajes().Cajas().size(), 1u);
  EXPECT_EQ(soporte::Mensajes().Cajas()[0].titulo, "ERROR");
  EXPECT_NE(soporte::Mensajes().Cajas()[0].texto.find("No se ha podido completar el cruce de listas"),
            std::string::npos);
  // Logs are still to be crossed; the window is usable again.
  EXPECT_TRUE(a.hayListasNuevas);
  for (const char* b : {"Cruzar", "FinClientes", "SSFrame2", "SSFrame5", "ListasValidas"})
    EXPECT_TRUE(Control(b)->isEnabled()) << b;
  EXPECT_FALSE(plataforma::ExisteFichero(plataforma::UneRuta(f.trabajo, "FicheroNulos.NUL")));
}

TEST_F(VentanaGesPuntos, ImprimeLoQueMuestraElVisorBajoSuTitulo) {
  GuardaOpciones({"AnularQSO"});
  Abre();
  Control<QListWidget>("ListasValidas")->setCurrentRow(0);
  const std::string pdf = plataforma::UneRuta(f.trabajo, "visor.pdf");
  plataforma::EligeSalidaPdf(impresora, pdf);
  Control<QPushButton>("Imprimir")->click();
  EXPECT_TRUE(soporte::Mensajes().Cajas().empty());
  const std::string texto = soporte::UnBlanco(soporte::TextoDePdf(pdf));
  EXPECT_NE(texto.find("LISTA VÁLIDA DE QQ1AA"), std::string::npos) << texto;
  EXPECT_NE(texto.find("CALLSIGN: QQ1AA"), std::string::npos) << texto;
  EXPECT_NE(texto.find("END-OF-LOG:"), std::string::npos) << texto;
}

TEST_F(VentanaGesPuntos, DuranteElCruceNadaQueLoAfecteSePuedeTocar) {
  GuardaOpciones({"AnularQSO"});
  Abre();
  std::map<std::string, bool> habilitados;
  bool cerrada = true;
  bool medido = false;
  // Runs at the first yield of the cross-check.
  QTimer::singleShot(0, ventana, [&] {
    if (medido) return;
    medido = true;
    for (const char* c : {"Cruzar", "Calcular", "Clasificaciones", "FinClientes", "SSFrame2", "SSFrame3", "SSFrame4",
                          "SSFrame5", "ListasValidas", "ListasCruzadas", "ListasQsoAnulados", "ListasPuntuaciones"})
      habilitados[c] = ventana->findChild<QWidget*>(c)->isEnabled();
    cerrada = !ventana->close();
    // F2 now does nothing.
    Tecla(ventana, Qt::Key_F2);
  });
  Control<QPushButton>("Cruzar")->click();
  ASSERT_TRUE(medido);
  for (const auto& [c, h] : habilitados) EXPECT_FALSE(h) << c;
  EXPECT_TRUE(cerrada);
  ASSERT_FALSE(ventana.isNull());
  EXPECT_EQ(a.mostrada, 0);
  EXPECT_TRUE(Control("ListasCruzadas")->isEnabled());
  EXPECT_TRUE(Control("SSFrame5")->isEnabled());
}

TEST_F(VentanaGesPuntos, CalcularYClasificacionesPorSuInterfaz) {
  GuardaOpciones({"AnularQSO"});
  plataforma::EscribirLineas(f.En("ListasPuntuaciones/QQ1AA.PTS"), {"viejo"});
  auto acciones = std::make_unique<AccionesPrueba>();
  AccionesPrueba* acc = acciones.get();
  std::function<void()> cierra;
  acc->cierra = &cierra;
  bool durante = true;
  acc->calcula = [&](EdicionConcurso& e, ProgresoEtapa&) {
    durante = Control("SSFrame2")->isEnabled() || Control("ListasValidas")->isEnabled() ||
              Control("Calcular")->isEnabled();
    // The earlier score files are gone before the run.
    EXPECT_TRUE(plataforma::ListaFicheros(f.En("ListasPuntuaciones")).empty());
    plataforma::EscribirLineas(f.En("ListasPuntuaciones/QQ1AA.PTS"), {"PUNTOS"});
    e.Lee(ListaEdicion::Puntuaciones);
  };
  Abre(std::move(acciones));
  Control<QPushButton>("Cruzar")->click();
  Control<QPushButton>("Calcular")->click();
  EXPECT_FALSE(durante);
  EXPECT_TRUE(Control("Calcular")->isEnabled());

  Control<QListWidget>("ListasPuntuaciones")->setCurrentRow(0);
  EXPECT_EQ(Control<QGroupBox>("Lista")->title(), "PUNTOS de QQ1AA");

  Control<QPushButton>("Clasificaciones")->click();
  EXPECT_EQ(acc->clasificaciones, 1);
  EXPECT_FALSE(ventana->isVisible());
  ASSERT_TRUE(cierra);
  cierra();
  EXPECT_TRUE(ventana->isVisible());
}

// What the bar showed while a run went on, and how often it was painted.
struct VistaProgreso : QObject {
  explicit VistaProgreso(QWidget& ventana)
      : etiqueta(ventana.findChild<QLabel*>("LProceso")), barra(ventana.findChild<QProgressBar*>("Proceso")) {
    barra->installEventFilter(this);
    QObject::connect(barra, &QProgressBar::valueChanged, [this](int v) { valores.push_back(v); });
    reloj.start();
  }
  bool eventFilter(QObject*, QEvent* e) override {
    if (e->type() == QEvent::Paint) ++pintadas;
    return false;
  }
  // What the label shows right after the run set it.
  void Anota() { textos.push_back(etiqueta->text().toStdString()); }
  QLabel* etiqueta;
  QProgressBar* barra;
  QElapsedTimer reloj;
  std::vector<std::string> textos;
  std::vector<int> valores;
  int pintadas = 0;
};

// The window with what its label shows noted after each step text.
class GesPuntosVista : public GesPuntos {
 public:
  using GesPuntos::GesPuntos;
  void Paso(const std::string& texto) override {
    GesPuntos::Paso(texto);
    if (vista) vista->Anota();
  }
  VistaProgreso* vista = nullptr;
};

// The labels naming a log carry its place in the run's list, in order; the
// bar climbs once over the whole run and ends at 100.
void EsperaCuentaDeListas(const VistaProgreso& vista, const std::string& prefijo, int total) {
  int anterior = 0, vistos = 0;
  for (const std::string& t : vista.textos) {
    if (!t.starts_with(prefijo)) continue;
    SCOPED_TRACE(t);
    const std::string cola = " de " + std::to_string(total) + ")";
    ASSERT_TRUE(t.ends_with(cola));
    const std::size_t abre = t.rfind(" (");
    const int n = std::stoi(t.substr(abre + 2));
    EXPECT_GT(n, anterior);
    EXPECT_LE(n, total);
    anterior = n;
    ++vistos;
  }
  EXPECT_GT(vistos, 1);
  for (std::size_t i = 1; i < vista.valores.size(); ++i) EXPECT_GE(vista.valores[i], vista.valores[i - 1]) << i;
  EXPECT_EQ(vista.barra->value(), 100);
}

TEST_F(VentanaGesPuntos, ElCruceDiceQueListaDeCuantasLlevaYTerminaEn100) {
  GuardaOpciones({"AnularQSO"});
  auto e = std::make_unique<EnlacePrueba>();
  e->f = &f;
  e->a = &a;
  auto* propia = new GesPuntosVista(std::move(e));
  ventana = propia;
  propia->Form_Load();
  const int validas = Control<QListWidget>("ListasValidas")->count();
  ASSERT_GT(validas, 2);
  VistaProgreso vista(*ventana);
  propia->vista = &vista;
  Control<QPushButton>("Cruzar")->click();
  EsperaCuentaDeListas(vista, "Procesando ", validas);
  EXPECT_EQ(Control<QLabel>("LProceso")->text(), "FIN PROCESO");
}

// A scoring run that sets the bar once per QSO, 20,000 times per log: the
// label counts the logs, and the bar is painted no more than about 30
// times a second.
TEST_F(VentanaGesPuntos, ElCalculoCuentaLasListasYNoRepintaLaBarraEnCadaQso) {
  GuardaOpciones({"AnularQSO"});
  auto acciones = std::make_unique<AccionesPrueba>();
  VistaProgreso* observada = nullptr;
  acciones->calcula = [&observada](EdicionConcurso& e, ProgresoEtapa& p) {
    const std::vector<std::string> cruzadas = e.Lista(ListaEdicion::Cruzadas);
    for (const std::string& c : cruzadas) {
      p.Paso("Calculando " + c);
      observada->Anota();
      p.Cede();
      p.Porcentaje(0);
      constexpr int kQso = 20000;
      for (int k = 1; k <= kQso; ++k) {
        p.Porcentaje(static_cast<int>(100LL * k / kQso));
        if (k % 100 == 0) p.Cede();
      }
    }
    p.Paso("FIN DE CÁLCULOS");
  };
  Abre(std::move(acciones));
  ventana->show();
  Control<QPushButton>("Cruzar")->click();
  const int cruzadas = Control<QListWidget>("ListasCruzadas")->count();
  ASSERT_GT(cruzadas, 2);
  QApplication::processEvents();
  VistaProgreso vista(*ventana);
  observada = &vista;
  Control<QPushButton>("Calcular")->click();
  const qint64 ms = vista.reloj.elapsed();
  EsperaCuentaDeListas(vista, "Calculando ", cruzadas);
  EXPECT_EQ(Control<QLabel>("LProceso")->text(), "FIN DE CÁLCULOS");
  // One paint per 33 ms at most, a few more for the first and the last.
  EXPECT_LE(vista.pintadas, ms / 33 + 4) << ms << " ms";
  EXPECT_LE(static_cast<qint64>(vista.valores.size()), ms / 33 + 4) << ms << " ms";
}

TEST_F(VentanaGesPuntos, TeclasDeFuncion) {
  for (const std::string& log : plataforma::ListaFicheros(f.En("ListasValidas")))
    plataforma::BorraFichero(f.En("ListasValidas/" + log));
  GuardaOpciones({"AnularQSO"});
  Abre();
  QWidget* foco = Control("ListasDeControl");
  // With a modifier: nothing.
  Tecla(foco, Qt::Key_F2, Qt::ShiftModifier);
  Tecla(foco, Qt::Key_F2, Qt::ControlModifier);
  EXPECT_TRUE(soporte::Mensajes().Cajas().empty());
  // F2, F3 and F4 act as their buttons whatever has the focus.
  const std::pair<int, const char*> casos[] = {
      {Qt::Key_F2, "No hay LISTAS VÁLIDAS"},
      {Qt::Key_F3, "No se han cruzado las listas de los concursantes"},
      {Qt::Key_F4, "No se ha calculado las puntuaciones de los concursantes"},
  };
  for (const auto& [tecla, texto] : casos) {
    soporte::Mensajes().Reinicia();
    soporte::Mensajes().Espera(Respuesta::Aceptar, texto);
    Tecla(foco, tecla);
    EXPECT_EQ(soporte::Mensajes().Cajas().size(), 1u) << texto;
  }
  // A disabled button's key does nothing.
  soporte::Mensajes().Reinicia();
  Control("Cruzar")->setEnabled(false);
  Tecla(foco, Qt::Key_F2);
  EXPECT_TRUE(soporte::Mensajes().Cajas().empty());
}

}  // namespace
}  // namespace scoring
