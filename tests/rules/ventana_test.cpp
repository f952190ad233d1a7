// The Cabrillo format window, offscreen, over a contest database of its own.
#include <QApplication>
#include <QCheckBox>
#include <QTimer>
#include <QKeyEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <gtest/gtest.h>

#include "rules/formato_cabrillo.h"
#include "rules/perfil_cabrillo.h"
#include "rules/resumen_cabrillo_bd.h"
#include "soporte/mensajes_guion.h"
#include "soporte_formato.h"

using namespace rules;
using prueba::FilaTexto;

namespace {

class VentanaFormato : public ::testing::Test {
 protected:
  VentanaFormato() { enlace.carpeta = carpeta.Ruta(); }

  static QCheckBox* Casilla(QWidget& w, const char* nombre) {
    auto* c = w.findChild<QCheckBox*>(nombre);
    EXPECT_NE(c, nullptr) << nombre;
    return c;
  }
  static QLineEdit* Campo(QWidget& w, const char* nombre) {
    auto* c = w.findChild<QLineEdit*>(nombre);
    EXPECT_NE(c, nullptr) << nombre;
    return c;
  }
  static QPushButton* Boton(QWidget& w, const char* nombre) { return w.findChild<QPushButton*>(nombre); }
  // Column fields in row order, "-" for an empty one.
  static std::string Columnas(QWidget& w) {
    std::string r;
    for (const char* n : {"CMiIndicativo", "CMiRst", "CMiNumero", "CMisLetras", "CMiLocator", "CSuIndicativo",
                          "CSuRst", "CSuNumero", "CSusLetras", "CSuLocator"}) {
      QString t = Campo(w, n)->text();
      r += (r.empty() ? "" : " ") + (t.isEmpty() ? std::string("-") : t.toStdString());
    }
    return r;
  }
  static std::vector<std::string> Marcadas(QWidget& w) {
    std::vector<std::string> r;
    for (const ColumnaCategoria& c : ColumnasCategoria()) {
      if (Casilla(w, std::string(c.control).c_str())->isChecked()) r.emplace_back(c.control);
    }
    return r;
  }
  void Acepta(FormatoCabrillo& w) { Boton(w, "AceptarCabrillo")->click(); }
  // Accepts expecting exactly one box with this text.
  void AceptaConAviso(FormatoCabrillo& w, const std::string& texto) {
    soporte::Mensajes().Espera(plataforma::Respuesta::Aceptar, texto);
    Acepta(w);
  }
  static const std::vector<soporte::CajaMostrada>& Cajas() { return soporte::Mensajes().Cajas(); }
  void Rellena(FormatoCabrillo& w) {
    Campo(w, "EMailConcurso")->setText("logs@concurso.es");
    Campo(w, "AsuntoConcurso")->setText("Log de $");
  }

  prueba::CarpetaConBase carpeta;
  prueba::EnlacePrueba enlace;
};

const std::vector<std::string> kInicial = {"SingleOp",          "BandaNoAplicable",        "ModoNoAplicable",
                                           "PotenciaNoAplicable", "AsistidoNoAplicable",   "TxNoAplicable",
                                           "TipoEstacionNoAplicable", "TimeNoAplicable", "OverlayNoAplicable"};

}  // namespace

TEST_F(VentanaFormato, EstadoInicialSinFilaYAlta) {
  enlace.correoReclamaciones = "info@concurso.es";
  FormatoCabrillo w(enlace);
  EXPECT_EQ(w.windowTitle(), "Configurar FORMATO CABRILLO");
  EXPECT_EQ(w.findChild<QGroupBox*>("PanelCabrillo")->title(),
            "Configurar FORMATO CABRILLO para CONCURSO CONCURSO PRUEBA");
  EXPECT_EQ(Marcadas(w), kInicial);
  EXPECT_EQ(Columnas(w), "31 45 - - - 49 63 - - -");
  EXPECT_TRUE(Casilla(w, "CabrilloRstEnv")->isChecked());
  EXPECT_TRUE(Campo(w, "CMiRst")->isEnabled());
  EXPECT_TRUE(w.findChild<QLabel*>("LMiRst")->isEnabled());
  EXPECT_FALSE(Campo(w, "CMiNumero")->isEnabled());
  EXPECT_FALSE(w.findChild<QLabel*>("LSuLocator")->isEnabled());
  EXPECT_TRUE(Campo(w, "CSuIndicativo")->isEnabled());
  EXPECT_EQ(Campo(w, "EMailConcurso")->text(), "");
  EXPECT_EQ(Campo(w, "EMailReclamaciones")->text(), "info@concurso.es");
  EXPECT_TRUE(Boton(w, "AceptarCabrillo")->isEnabled());

  Rellena(w);
  Campo(w, "WEBConcurso")->setText("https://concurso.es/resultados");
  Acepta(w);
  EXPECT_TRUE(Cajas().empty());
  EXPECT_EQ(w.result(), QDialog::Accepted);
  EXPECT_EQ(enlace.webConcurso, "https://concurso.es/resultados");

  auto filas = carpeta.Filas();
  ASSERT_EQ(filas.size(), 1u);
  FilaTexto esperada = {{"NumeroOrden", "7"}, {"EMailConcurso", "logs@concurso.es"}, {"AsuntoConcurso", "Log de $"},
                        // not written: the table's initial values (a Boolean is never Null)
                        {"PuntosRecibidos", "0"}, {"PuntosEnviados", "0"}, {"MisPuntos", "NULL"},
                        {"SusPuntos", "NULL"}};
  for (const ColumnaCategoria& c : ColumnasCategoria()) {
    bool marcada = std::find(kInicial.begin(), kInicial.end(), c.control) != kInicial.end();
    esperada[std::string(c.campo)] = marcada ? "-1" : "0";
  }
  const char* elementos[] = {"RstEnviado", "NumeralEnviado", "LetrasEnviadas", "LocatorEnviado",
                             "RstRecibido", "NumeralRecibido", "LetrasRecibidas", "LocatorRecibido"};
  const char* valores[] = {"-1", "0", "0", "0", "-1", "0", "0", "0"};
  for (int i = 0; i < 8; ++i) esperada[elementos[i]] = valores[i];
  const char* columnas[] = {"MiIndicativo", "MiRst", "MiNumero", "MisLetras", "MiLocator",
                            "SuIndicativo", "SuRst", "SuNumero", "SusLetras", "Sulocator"};
  const char* posiciones[] = {"31", "45", "0", "0", "0", "49", "63", "0", "0", "0"};
  for (int i = 0; i < 10; ++i) esperada[columnas[i]] = posiciones[i];
  EXPECT_EQ(filas[0], esperada);
}

TEST_F(VentanaFormato, ComprobacionesEnOrdenSinGrabarNada) {
  FormatoCabrillo w(enlace);
  Casilla(w, "SingleOp")->setChecked(false);
  Casilla(w, "CheckLog")->setChecked(true);
  Casilla(w, "BandaNoAplicable")->setChecked(false);
  Campo(w, "CMiRst")->setFocus();

  AceptaConAviso(w, "Deberá seleccionar, al menos, SINGLE-OP, MULTI-OP o SERVER-OP");
  Casilla(w, "MultiOp")->setChecked(true);
  EXPECT_EQ(w.focusWidget(), Campo(w, "CMiRst"));  // the operator check does not move the focus
  AceptaConAviso(w, "Deberá introducir la dirección E-MAIL en donde se van a recibir los ficheros");
  EXPECT_EQ(w.focusWidget(), Campo(w, "EMailConcurso"));
  Campo(w, "EMailConcurso")->setText(QString(65, 'a'));
  AceptaConAviso(w, "La dirección E-MAIL no puede tener más de 64 caracteres");
  Rellena(w);
  Campo(w, "EMailReclamaciones")->setText(QString(65, 'r'));
  AceptaConAviso(w, "El E-MAIL de información o reclamaciones no puede tener más de 64 caracteres");
  EXPECT_EQ(w.focusWidget(), Campo(w, "EMailReclamaciones"));
  Campo(w, "EMailReclamaciones")->setText(QString(64, 'r'));
  AceptaConAviso(w, "Deberá seleccionar, al menos, una categoría de Banda.");
  Casilla(w, "M20")->setChecked(true);
  Casilla(w, "CabrilloRstRec")->setChecked(false);
  AceptaConAviso(w, "Deberá indicar algún control a pasar o recibir");
  EXPECT_EQ(w.focusWidget(), Casilla(w, "CabrilloRstRec"));
  Casilla(w, "CabrilloLocatorRec")->setChecked(true);
  Campo(w, "CSuLocator")->clear();
  AceptaConAviso(w, "Este Dato no se puede dejar en blanco");
  EXPECT_EQ(w.focusWidget(), Campo(w, "CSuLocator"));
  Campo(w, "CSuLocator")->setText("4X");
  AceptaConAviso(w, ".- ERROR en FORMATO NUMERICO");
  Campo(w, "CSuLocator")->setText("150");
  AceptaConAviso(w, "La posición en columna debe ser un número entero entre 1 y 100");
  ASSERT_EQ(Cajas().size(), 9u);
  EXPECT_EQ(Cajas()[0].titulo, "");
  EXPECT_EQ(Cajas()[0].icono, plataforma::Icono::Ninguno);
  EXPECT_EQ(Cajas()[0].botones, plataforma::Botones::Aceptar);
  EXPECT_EQ(Cajas()[7].titulo, "VERIFICAR NUMERO ");
  EXPECT_EQ(Cajas()[7].icono, plataforma::Icono::Pregunta);
  EXPECT_TRUE(carpeta.Filas().empty());
  EXPECT_EQ(enlace.correoReclamaciones, "");
  EXPECT_NE(w.result(), QDialog::Accepted);
  // The checks wrote "0" into the fields of unticked elements.
  EXPECT_EQ(Campo(w, "CMiNumero")->text(), "0");
}

TEST_F(VentanaFormato, ElementosEInterbloqueosEnLaVentana) {
  FormatoCabrillo w(enlace);
  Casilla(w, "CabrilloLocatorEnv")->setChecked(true);
  EXPECT_TRUE(Campo(w, "CMiLocator")->isEnabled());
  EXPECT_EQ(Columnas(w), "31 45 - - 49 56 70 - - -");
  Campo(w, "CSuRst")->setText("80");  // typed by hand: nothing recomputed
  EXPECT_EQ(Columnas(w), "31 45 - - 49 56 80 - - -");
  Casilla(w, "CabrilloLocatorEnv")->setChecked(false);
  EXPECT_FALSE(Campo(w, "CMiLocator")->isEnabled());
  EXPECT_EQ(Columnas(w), "31 45 - - - 49 63 - - -");

  Casilla(w, "M20")->setChecked(true);
  EXPECT_FALSE(Casilla(w, "BandaNoAplicable")->isChecked());
  Casilla(w, "Assisted")->setChecked(true);
  EXPECT_FALSE(Casilla(w, "AsistidoNoAplicable")->isChecked());
  Casilla(w, "AsistidoNoAplicable")->setChecked(true);
  EXPECT_FALSE(Casilla(w, "Assisted")->isChecked());
  Casilla(w, "BandaNoAplicable")->setChecked(true);
  EXPECT_FALSE(Casilla(w, "M20")->isChecked());
}

TEST_F(VentanaFormato, FijasParaVgeSprintYDie) {
  enlace.opciones = {.EnviarNumeral = true, .EnviarSiglas = true, .RecibirNumeral = true, .RecibirSiglas = true};
  enlace.nombre = "VGE SPRINT";
  {
    FormatoCabrillo w(enlace);
    EXPECT_EQ(Columnas(w), "31 45 - 49 - 57 71 - 75 -");
    EXPECT_FALSE(Casilla(w, "CabrilloNumSerieEnv")->isChecked());
    Casilla(w, "CabrilloNumSerieRec")->setChecked(true);
    EXPECT_FALSE(Casilla(w, "CabrilloNumSerieRec")->isChecked());
    EXPECT_FALSE(Campo(w, "CSuNumero")->isEnabled());
  }
  enlace.nombre = "CONCURSO DIE";
  FormatoCabrillo w(enlace);
  EXPECT_EQ(Columnas(w), "31 45 - 49 - 58 72 - 76 -");
}

TEST_F(VentanaFormato, VueltaAAbrirMuestraLoGrabado) {
  enlace.opciones = {.EnviarSiglas = true, .RecibirSiglas = true};
  const std::vector<std::string> categorias = {"SingleOp", "ServerOp", "CheckLog", "M40", "G12", "CW", "MIXED",
                                               "Low", "NonAssisted", "Two", "Swl", "Expedition", "Hours24",
                                               "ModoNoAplicable" /* unticks CW and MIXED */, "Rookie"};
  {
    FormatoCabrillo w(enlace);
    for (const std::string& c : categorias) Casilla(w, c.c_str())->setChecked(true);
    Casilla(w, "ModoNoAplicable")->setChecked(false);
    Casilla(w, "SSB")->setChecked(true);
    Casilla(w, "CabrilloLocatorRec")->setChecked(true);
    Campo(w, "CSuLocator")->setText("90");
    Campo(w, "EMailConcurso")->setText("  logs@concurso.es");
    Campo(w, "AsuntoConcurso")->setText("Lista de $ – año");
    Acepta(w);
    ASSERT_TRUE(Cajas().empty()) << Cajas()[0].texto;
  }
  const std::vector<std::string> esperadas = {"SingleOp", "ServerOp", "CheckLog", "M40", "G12", "SSB", "Low",
                                              "NonAssisted", "Two", "Swl", "Expedition", "Hours24", "Rookie"};
  enlace.soloConsulta = 1;
  enlace.opciones = {};  // the view-only window shows the stored elements
  FormatoCabrillo w(enlace);
  EXPECT_EQ(Marcadas(w), esperadas);
  EXPECT_EQ(Columnas(w), "31 45 0 49 0 56 70 0 74 90");
  EXPECT_TRUE(Casilla(w, "CabrilloLiteralEnv")->isChecked());
  EXPECT_TRUE(Casilla(w, "CabrilloLocatorRec")->isChecked());
  EXPECT_FALSE(Campo(w, "CMiNumero")->isEnabled());
  EXPECT_EQ(Campo(w, "EMailConcurso")->text(), "  logs@concurso.es");
  EXPECT_EQ(Campo(w, "AsuntoConcurso")->text(), "Lista de $ – año");
  EXPECT_FALSE(Boton(w, "AceptarCabrillo")->isEnabled());

  // A view-only window writes nothing, whatever is changed in it.
  auto antes = carpeta.Filas();
  Casilla(w, "MultiOp")->setChecked(true);
  Acepta(w);
  Boton(w, "CancelarCabrillo")->click();
  EXPECT_EQ(carpeta.Filas(), antes);
  EXPECT_EQ(w.result(), QDialog::Rejected);

  // Opened editable again: stored categories and texts, proposed elements.
  enlace.soloConsulta = 0;
  FormatoCabrillo editable(enlace);
  EXPECT_EQ(Marcadas(editable), esperadas);
  EXPECT_EQ(Columnas(editable), "31 45 - - - 49 63 - - -");
  EXPECT_EQ(Campo(editable, "AsuntoConcurso")->text(), "Lista de $ – año");
  Acepta(editable);
  auto filas = carpeta.Filas();
  ASSERT_EQ(filas.size(), 1u);  // edited, not added
  EXPECT_EQ(filas[0]["Sulocator"], "0");
  EXPECT_EQ(filas[0]["LetrasEnviadas"], "0");
}

TEST_F(VentanaFormato, CancelarNoCambiaNada) {
  enlace.correoReclamaciones = "antes@concurso.es";
  FormatoCabrillo w(enlace);
  Rellena(w);
  Campo(w, "EMailReclamaciones")->setText("despues@concurso.es");
  Boton(w, "CancelarCabrillo")->click();
  EXPECT_EQ(enlace.correoReclamaciones, "antes@concurso.es");
  EXPECT_TRUE(carpeta.Filas().empty());
}

TEST_F(VentanaFormato, DisposicionDePuntosDelSprintDce) {
  const std::string noAplicables =
      "BandaNoAplicable, ModoNoAplicable, PotenciaNoAplicable, AsistidoNoAplicable, TxNoAplicable, "
      "TipoEstacionNoAplicable, TimeNoAplicable, OverlayNoAplicable";
  carpeta.Ejecuta("INSERT INTO ResumenCabrillo (NumeroOrden, SingleOp, PuntosEnviados, MisPuntos, " + noAplicables +
                  ") VALUES (7, -1, -1, 3, -1, -1, -1, -1, -1, -1, -1, -1)");
  carpeta.Ejecuta("INSERT INTO ResumenCabrillo (NumeroOrden, MultiOp, " + noAplicables +
                  ") VALUES (8, -1, -1, -1, -1, -1, -1, -1, -1, -1)");
  {
    FormatoCabrillo w(enlace);  // another contest: the points columns are kept
    Rellena(w);
    Acepta(w);
    ASSERT_TRUE(Cajas().empty());
  }
  auto filas = carpeta.Filas();
  ASSERT_EQ(filas.size(), 2u);
  EXPECT_EQ(filas[0]["PuntosEnviados"], "-1");
  EXPECT_EQ(filas[0]["MisPuntos"], "3");
  EXPECT_EQ(filas[0]["PuntosRecibidos"], "0");
  EXPECT_EQ(filas[0]["SusPuntos"], "NULL");
  EXPECT_EQ(filas[0]["EMailConcurso"], "logs@concurso.es");

  enlace.numero = 8;
  enlace.nombre = "SPRINT DCE 1.0 2026";
  FormatoCabrillo w(enlace);
  Rellena(w);
  Acepta(w);
  EXPECT_TRUE(Cajas().empty());
  filas = carpeta.Filas();
  ASSERT_EQ(filas.size(), 2u);
  FilaTexto& f = filas[1];
  EXPECT_EQ(f["PuntosEnviados"], "-1");
  EXPECT_EQ(f["PuntosRecibidos"], "-1");
  for (auto [campo, valor] : {std::pair{"MisLetras", "49"}, {"MisPuntos", "57"}, {"SuIndicativo", "60"},
                              {"SuRst", "74"}, {"SusLetras", "78"}, {"SusPuntos", "86"}, {"MiRst", "45"}}) {
    EXPECT_EQ(f[campo], valor) << campo;
  }
}

TEST_F(VentanaFormato, CargaDeUnaFilaConAsistidoContradictorio) {
  // A row saved with both "NO APLICABLE" and a value of the assisted group
  // loads as a group with that value admitted.
  carpeta.Ejecuta("INSERT INTO ResumenCabrillo (NumeroOrden, SingleOp, AsistidoNoAplicable, Assisted, "
                  "EMailConcurso) VALUES (7, -1, -1, -1, NULL)");
  FormatoCabrillo w(enlace);
  EXPECT_FALSE(Casilla(w, "AsistidoNoAplicable")->isChecked());
  EXPECT_TRUE(Casilla(w, "Assisted")->isChecked());
  EXPECT_FALSE(Casilla(w, "BandaNoAplicable")->isChecked());  // as stored
  EXPECT_EQ(Campo(w, "EMailConcurso")->text(), "");
}

TEST_F(VentanaFormato, SinBaseDeDatosNoSeGraba) {
  enlace.carpeta = carpeta.Ruta() + "/no-existe";
  soporte::Mensajes().Espera();
  FormatoCabrillo w(enlace);
  ASSERT_EQ(Cajas().size(), 1u);
  EXPECT_EQ(Cajas()[0].titulo, "ERROR");
  EXPECT_FALSE(Boton(w, "AceptarCabrillo")->isEnabled());
  EXPECT_EQ(Columnas(w), "31 45 - - - 49 63 - - -");
}

TEST_F(VentanaFormato, AbiertaPorLaVentanaPrincipal) {
  QWidget principal;
  principal.show();
  bool principalOculta = false;
  bool sinTeclas = false;
  // While the modal window runs: Esc does nothing, then the operator accepts.
  QTimer::singleShot(0, [&] {
    auto* w = qobject_cast<FormatoCabrillo*>(QApplication::activeModalWidget());
    ASSERT_NE(w, nullptr);
    principalOculta = !principal.isVisible();
    QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(w, &esc);
    sinTeclas = w->isVisible();
    Rellena(*w);
    Acepta(*w);
  });
  EXPECT_TRUE(AbreFormatoCabrillo(&principal, enlace));
  EXPECT_TRUE(principalOculta);
  EXPECT_TRUE(sinTeclas);
  EXPECT_TRUE(principal.isVisible());
  EXPECT_EQ(carpeta.Filas().size(), 1u);

  QTimer::singleShot(0, [&] { Boton(*QApplication::activeModalWidget(), "CancelarCabrillo")->click(); });
  EXPECT_FALSE(AbreFormatoCabrillo(&principal, enlace));
}

TEST_F(VentanaFormato, PalabrasClaveSobreLaFilaGrabada) {
  carpeta.Ejecuta("INSERT INTO ResumenCabrillo (NumeroOrden, CheckLog, BandaNoAplicable, M16, M15, Swl, "
                  "Hours24) VALUES (7, -1, 0, -1, -1, -1, -1)");
  dao::Database db = dao::OpenDatabase(RutaBaseConcursos(carpeta.Ruta()));
  dao::Recordset rs = db.OpenRecordset("Select * From ResumenCabrillo Where NumeroOrden = 7");
  LectorCampoLogico fila = LectorDe(rs);
  EXPECT_EQ(ValorCategoriaOperador(fila), "CHECKLOG");
  EXPECT_EQ(ValorCategoriaBanda(fila), "15M");
  EXPECT_EQ(ValorCategoriaTransmisor(fila), "SWL");  // switches not given read False
  EXPECT_EQ(ValorCategoriaTiempo(fila), "24-HOURS");
  EXPECT_EQ(ValorCategoriaModo(fila), "");
  rs.Close();
  db.Close();
}
