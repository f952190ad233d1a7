// The whole road of a contest on a new working folder: the folder prepared
// as the setup prepares it, the contest created through the main window's
// editor and its Cabrillo format window, the program started again on it,
// and two logs checked against it as the mail intake checks them.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <sqlite3.h>

#include "cabrillo/cabecera_log.h"
#include "cabrillo/contexto_concurso.h"
#include "cabrillo/entorno_validacion.h"
#include "cabrillo/fichero_errores.h"
#include "cabrillo/lista_valida.h"
#include "cabrillo/prueba_validacion.h"
#include "cabrillo/verificacion_fichero.h"
#include "common/edicion_concurso.h"
#include "common/progreso_etapa.h"
#include "common/terravia.h"
#include "database/carpetas.h"
#include "database/conexiones.h"
#include "database/creacion.h"
#include "database/estado.h"
#include "fixture_principal.h"
#include "mail/recepcion.h"
#include "mainwindow/servicios_principal.h"
#include "mainwindow/trovalis.h"
#include "plataforma/rutas.h"
#include "plataforma/texto.h"
#include "rules/bases_concurso.h"
#include "rules/formato_cabrillo.h"
#include "soporte/mensajes_guion.h"

using prueba::Formulario;

namespace {

namespace fs = std::filesystem;
using prueba::Control;
using prueba::Filas;
using plataforma::Respuesta;

const char* const kFicheroPaises = "/usr/share/hamradio-files/cty.dat";

class ExtremoAExtremo : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!fs::exists(kFicheroPaises)) GTEST_SKIP() << "sin " << kFicheroPaises;
    ASSERT_TRUE(dir.isValid());
    anterior = QDir::currentPath();
    QDir::setCurrent(dir.path());
    // The working folder as the setup leaves it.
    database::CreaBaseConcursosVacia(Ruta() + "/Ledrima");
    CreaTerravia(kFicheroPaises, Ruta() + "/Terravia");
  }
  void TearDown() override {
    ventana.reset();
    if (!anterior.isEmpty()) QDir::setCurrent(anterior);
  }

  std::string Ruta() const { return dir.path().toStdString(); }

  // Starts the program's main window with the program's own services.
  void Arranca() {
    ventana.reset();
    ventana = std::make_unique<Trovalis>(principal::CreaServiciosPrograma());
    ASSERT_TRUE(ventana->Form_Load());
    ventana->show();
    QApplication::setActiveWindow(ventana.get());
    QApplication::processEvents();  // the first activation loads the contest
  }

  // Clicks the editor's button and runs `enVentana` on the Cabrillo format
  // window while it is shown modally.
  void AbreFormato(const std::function<void(rules::FormatoCabrillo&)>& enVentana) {
    EXPECT_TRUE(prueba::AbreFormatoCabrillo(*ventana, enVentana));
  }

  Filas Lee(const std::string& sql) {
    return prueba::LeeFilas((Ruta() + "/Ledrima"), sql);
  }

  static std::string LeeBytes(const std::string& ruta) {
    std::ifstream f(ruta, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), {});
  }

  // One log dropped into the manual folder, run as the intake runs it: the
  // folder listed (a ".cbr" becomes ".LOG"), the report opened with its
  // "ADJUNTO:" line, the file copied into FicherosRecibidos, the check with
  // the options the main window shows, then the accepted copy or the report
  // closed for filing, and the folder lists refreshed.
  bool ProcesaLog(const std::string& nombreManual, const std::string& bytes) {
    const std::string manuales = ventana->Contexto().CarpetaConcurso + "/FicherosManuales/";
    std::ofstream(manuales + nombreManual, std::ios::binary) << bytes;
    edicion = std::make_unique<EdicionConcurso>(ventana->Contexto());
    EXPECT_TRUE(edicion->RenombraCbrManuales().empty());
    const std::vector<std::string>& listados = edicion->Lee(ListaEdicion::Manuales);
    EXPECT_EQ(listados.size(), 1u);
    const std::string nombre = plataforma::Mayusculas(listados.empty() ? std::string() : listados.front());
    EXPECT_TRUE(plataforma::CopiaFichero(manuales + nombre,
                                         ventana->Contexto().CarpetaConcurso + "/FicherosRecibidos/" + nombre));
    plataforma::BorraFichero(manuales + nombre);
    plataforma::BorraFichero(ventana->Contexto().CarpetaConcurso + "/ListasValidas/" + nombre);
    const cabrillo::AjustesVentanaPrincipal ajustes{Formulario(*ventana).SiglasONumeral->isChecked(),
                                                    ventana->Contexto().VerificarNombreExacto};
    mail::ConcursoRecepcion concurso;
    EXPECT_TRUE(mail::CargaConcursoRecepcion(ventana->Contexto().BaseConcursos, ventana->Contexto().NumeroConcursoActual,
                                             ajustes, ventana->Contexto().CarpetaConcurso,
                                             ventana->Contexto().CarpetaTrabajo, concurso));
    concurso.paises = ventana->Contexto().Paises.get();
    cabrillo::FicheroErrores fichero;
    cabrillo::CabeceraLog cabecera;
    EXPECT_TRUE(cabrillo::CreaFicheroErrores(std::nullopt, fichero, concurso.carpetaTrabajo));
    fichero.EscribeAdjunto(nombre, true);
    const cabrillo::EntornoValidacion entorno{concurso.datos, concurso.categorias, fichero, cabecera, concurso.paises};
    ProgresoSimple progreso;
    const cabrillo::ResultadoVerificacion resultado =
        cabrillo::VerificaFicheroCabrillo(progreso, concurso.carpetaConcurso, nombre, entorno);
    fichero.Cierra();
    if (resultado.Aceptada) {
      EXPECT_TRUE(cabrillo::GeneraListaValida(progreso, concurso.carpetaConcurso, nombre, resultado.Lineas));
    }
    informe = LeeBytes(fichero.Ruta());
    edicion->Lee(ListaEdicion::Validas);
    edicion->Lee(ListaEdicion::Recibidos);
    return resultado.Aceptada;
  }

  QTemporaryDir dir;
  QString anterior;
  std::unique_ptr<Trovalis> ventana;
  std::unique_ptr<EdicionConcurso> edicion;
  std::string informe;
};

std::string Log(const std::string& contest, const std::vector<std::string>& qsos) {
  std::string t = "START-OF-LOG: 3.0\r\nCALLSIGN: EA1ABC\r\nCONTEST: " + contest +
                  "\r\nCATEGORY-OPERATOR: SINGLE-OP\r\nCATEGORY-BAND: 20M\r\nCATEGORY-MODE: CW\r\n"
                  "NAME: Pe\xF1" "a\r\n";
  for (const std::string& q : qsos) t += q + "\r\n";
  return t + "END-OF-LOG:\r\n";
}

TEST_F(ExtremoAExtremo, AltaReinicioYValidacionDeDosListas) {
  // ---- A new folder: no contest yet.
  soporte::Mensajes().Espera(Respuesta::Aceptar, "No hay Concursos CONFIGURADOS");
  Arranca();
  EXPECT_EQ(ventana->Contexto().NumeroConcursoActual, 0);
  EXPECT_TRUE(Lee("SELECT * FROM ControlConcursos").empty());

  // ---- Create a contest through the editor.
  Formulario(*ventana).AltaReg->click();
  ASSERT_EQ(ventana->Operacion(), principal::OperacionEditor::Alta);
  EXPECT_EQ(Formulario(*ventana).Text3[0]->text(), "1");
  const char* textos[] = {nullptr, "SPRINT NAVIDAD", "2026", "24-12-2026", "08:00", "24-12-2026", "20:00"};
  for (int i = 1; i <= 6; ++i) Formulario(*ventana).Text3[static_cast<std::size_t>(i)]->setText(textos[i]);
  Formulario(*ventana).Banda[4]->setChecked(true);  // 14 MHz
  Formulario(*ventana).Modo[1]->setChecked(true);   // CW
  Formulario(*ventana).EnviarNumeral->setChecked(true);
  Formulario(*ventana).RecibirSiglas->setChecked(true);
  Formulario(*ventana).SiglasONumeral->setChecked(true);
  Formulario(*ventana).Multiplicadores->setChecked(true);
  Formulario(*ventana).CadaProv->setChecked(true);
  // The province editor fills the working list of the contest in hand.
  ventana->EnlaceListas()->PonLista("ListaProv", {"M", "B", "SG"});
  ventana->EnlaceListas()->PonLista("ListaExProv", {"", "", ""});

  AbreFormato([](rules::FormatoCabrillo& w) {
    ASSERT_TRUE(Control<QPushButton>(w, "AceptarCabrillo")->isEnabled());
    // Letters or a number: the serial number sent is not proposed; the
    // operator ticks it.
    EXPECT_TRUE(Control<QCheckBox>(w, "CabrilloRstEnv")->isChecked());
    EXPECT_FALSE(Control<QCheckBox>(w, "CabrilloNumSerieEnv")->isChecked());
    EXPECT_TRUE(Control<QCheckBox>(w, "CabrilloLiteralRec")->isChecked());
    EXPECT_EQ(Control<QLineEdit>(w, "CSusLetras")->text(), "67");
    Control<QCheckBox>(w, "CabrilloNumSerieEnv")->setChecked(true);
    EXPECT_EQ(Control<QLineEdit>(w, "CMiNumero")->text(), "49");
    EXPECT_EQ(Control<QLineEdit>(w, "CSusLetras")->text(), "72");
    Control<QCheckBox>(w, "M20")->setChecked(true);
    Control<QCheckBox>(w, "CW")->setChecked(true);
    Control<QLineEdit>(w, "EMailConcurso")->setText("sprint@navidad.es");
    Control<QLineEdit>(w, "AsuntoConcurso")->setText("Log de $");
    Control<QPushButton>(w, "AceptarCabrillo")->click();
  });
  soporte::Mensajes().Espera(Respuesta::Aceptar, "Alta del Concurso efectuada");
  Formulario(*ventana).Aceptar->click();
  ASSERT_EQ(soporte::Mensajes().Cajas().size(), 2u);

  EXPECT_EQ(Lee("SELECT NumeroOrden, Concurso, Edicion, DesdeDia, DesdeHora, HastaDia, HastaHora, Banda14, Banda7, "
                "ModoCW, ModoSSB, EnviarNumeral, RecibirSiglas, SiglasONumeral, CadaProv, Multiplicadores "
                "FROM Concursos"),
            (Filas{{"1", "SPRINT NAVIDAD", "2026", "2026-12-24", "08:00", "2026-12-24", "20:00", "-1", "0", "-1",
                    "0", "-1", "-1", "-1", "-1", "-1"}}));
  EXPECT_EQ(Lee("SELECT NumeroOrden, SingleOp, M20, CW, RstEnviado, NumeralEnviado, RstRecibido, LetrasRecibidas, "
                "NumeralRecibido, EMailConcurso FROM ResumenCabrillo"),
            (Filas{{"1", "-1", "-1", "-1", "-1", "-1", "-1", "-1", "0", "sprint@navidad.es"}}));
  EXPECT_EQ(Lee("SELECT CodigoProv FROM ListaProv WHERE NumeroOrden = 1 ORDER BY rowid"),
            (Filas{{"M"}, {"B"}, {"SG"}}));
  EXPECT_EQ(Lee("SELECT UltimoConcurso, ConcursoActivo FROM ControlConcursos"), (Filas{{"1", "1"}}));
  const std::string carpetaConcurso = Ruta() + "/SPRINT NAVIDAD_2026";
  for (const std::string& s : SubcarpetasComunes()) EXPECT_TRUE(fs::is_directory(carpetaConcurso + "/" + s)) << s;
  for (const std::string& s : SubcarpetasConcurso()) EXPECT_TRUE(fs::is_directory(carpetaConcurso + "/" + s)) << s;
  EXPECT_EQ(fs::path(ventana->Contexto().CarpetaConcurso), fs::path(carpetaConcurso));

  // ---- The program starts again on the same folder.
  Arranca();
  ASSERT_EQ(soporte::Mensajes().Cajas().size(), 2u);
  EXPECT_EQ(ventana->Contexto().NumeroConcursoActual, 1);
  EXPECT_TRUE(ventana->Contexto().HayConcursoCargado);
  EXPECT_EQ(ventana->Contexto().NombreConcurso, "SPRINT NAVIDAD");
  EXPECT_EQ(ventana->Contexto().EdicionConcurso, "2026");
  EXPECT_EQ(Formulario(*ventana).Combo1->currentText().toStdString(), "SPRINT NAVIDAD .- Edición: 2026");
  EXPECT_EQ(Formulario(*ventana).Text3[1]->text(), "SPRINT NAVIDAD");
  EXPECT_EQ(Formulario(*ventana).Text3[3]->text(), "24-12-2026");
  EXPECT_TRUE(Formulario(*ventana).Banda[4]->isChecked());
  EXPECT_TRUE(Formulario(*ventana).Modo[1]->isChecked());
  EXPECT_TRUE(Formulario(*ventana).EnviarNumeral->isChecked());
  EXPECT_TRUE(Formulario(*ventana).RecibirSiglas->isChecked());
  EXPECT_TRUE(Formulario(*ventana).SiglasONumeral->isChecked());
  EXPECT_EQ(ventana->EnlaceListas()->Lista("ListaProv").size(), 3u);
  EXPECT_EQ(fs::path(ventana->Contexto().CarpetaConcurso), fs::path(carpetaConcurso));
  EXPECT_EQ(ventana->Operacion(), principal::OperacionEditor::Ninguna);
  for (int i = 0; i < principal::kNumeroCamposTexto; ++i) EXPECT_TRUE(Formulario(*ventana).Bloqueado(i)) << i;
  EXPECT_EQ(Lee("SELECT UltimoConcurso, ConcursoActivo FROM ControlConcursos"), (Filas{{"1", "1"}}));

  // ---- Two logs, checked with the contest name required exactly.
  Formulario(*ventana).VerificaNombre->click();
  ASSERT_TRUE(ventana->Contexto().VerificarNombreExacto);

  const std::string bueno =
      Log("SPRINT NAVIDAD", {"QSO: 14025 CW 2026-12-24 0815 EA1ABC 599 001 EA4XYZ 599 M",
                             "QSO: 14030 CW 2026-12-24 0820 EA1ABC 599 002 F5ABC 599 28"});
  EXPECT_TRUE(ProcesaLog("ea1abc.cbr", bueno)) << informe;
  EXPECT_EQ(cabrillo::prueba::NumerosDeError(informe), std::vector<int>{});
  EXPECT_EQ(LeeBytes(carpetaConcurso + "/ListasValidas/EA1ABC.LOG"), bueno);
  EXPECT_EQ(edicion->Lista(ListaEdicion::Validas), std::vector<std::string>{"EA1ABC.LOG"});
  EXPECT_EQ(edicion->TextoCuenta(ListaEdicion::Validas), "1 Listas");
  EXPECT_EQ(edicion->Lista(ListaEdicion::Recibidos), std::vector<std::string>{"EA1ABC.LOG"});

  // The numeric letters pass because the box is ticked as shown.
  Formulario(*ventana).SiglasONumeral->setChecked(false);
  EXPECT_FALSE(ProcesaLog("EA1ABC.LOG", bueno));
  EXPECT_EQ(cabrillo::prueba::NumerosDeError(informe), std::vector<int>{26});
  Formulario(*ventana).SiglasONumeral->setChecked(true);

  // The countries of the run come from the country file.
  EXPECT_EQ(cabrillo::PaisDeIndicativo(ventana->Contexto().Paises.get(), "EA8ZZ"), "EA8");
  EXPECT_EQ(cabrillo::PaisDeIndicativo(ventana->Contexto().Paises.get(), "F5ABC"), "F");

  const std::string malo =
      Log("SPRINT NAVIDAD", {"QSO: 14025 CW 2026-12-24 0815 EA1ABC 599 001 EA4XYZ 599 ZZ",
                             "QSO: 7025 CW 2026-12-24 0820 EA1ABC 599 002 F5ABC 599 B",
                             "QSO: 14030 CW 2026-12-24 2415 EA1ABC 599 003 EA3AAA 599 B"});
  EXPECT_FALSE(ProcesaLog("EA1ABC.LOG", malo));
  EXPECT_EQ(cabrillo::prueba::NumerosDeError(informe), (std::vector<int>{26, 19, 37, 22}));
  EXPECT_TRUE(edicion->Lista(ListaEdicion::Validas).empty());
  EXPECT_EQ(edicion->TextoCuenta(ListaEdicion::Validas), "0 Listas");
  EXPECT_NE(informe.find("ADJUNTO:"), std::string::npos);
  EXPECT_NE(informe.find(".- ERROR 26: Las SIGLAS recibidas no est\xE1n permitidas\r\n"), std::string::npos);
  EXPECT_NE(informe.find(".- ERROR 19: En el QSO se ha utilizado una BANDA no permitida\r\n"), std::string::npos);
  EXPECT_NE(informe.find(".- ERROR 22: El formato de HORA no es correcto. Formato v\xE1lido: hhmm\r\n"),
            std::string::npos);

  // A category the contest does not admit: the block shows what it admits.
  std::string otraCategoria = bueno;
  otraCategoria.replace(otraCategoria.find("OPERATOR: SINGLE-OP"), 19, "OPERATOR: MULTI-OP");
  EXPECT_FALSE(ProcesaLog("EA1ABC.LOG", otraCategoria));
  EXPECT_EQ(cabrillo::prueba::NumerosDeError(informe), std::vector<int>{10});
  EXPECT_NE(informe.find("\tCATEGOR\xCD" "AS ADMITIDAS:\r\nSINGLE-OP 20M CW\r\n\r\n\tSUS DATOS:\r\n"
                         "CATEGORY-OPERATOR: MULTI-OP\r\nOPERADOR: MULTI-OP\r\n"),
            std::string::npos)
      << informe;

  // A log for another contest, with the exact name required.
  EXPECT_FALSE(ProcesaLog("EA1ABC.LOG", Log("SPRINT PASCUA", {})));
  EXPECT_EQ(cabrillo::prueba::NumerosDeError(informe), std::vector<int>{38});
  EXPECT_NE(informe.find(".- ERROR 38: La LISTA cabrillo no pertenece al SPRINT NAVIDAD\r\n"), std::string::npos);

  // A participant who copies the sample header of the rules text (window
  // "Bases Concurso") passes the same check.
  Formulario(*ventana).Bases->click();
  rules::BasesConcurso* bases = nullptr;
  for (QWidget* w : QApplication::topLevelWidgets())
    if (auto* b = qobject_cast<rules::BasesConcurso*>(w); b && b->isVisible()) bases = b;
  ASSERT_NE(bases, nullptr);
  std::vector<std::string> muestras;
  for (const std::string& linea : bases->Lineas())
    if (linea.starts_with("CONTEST: ")) muestras.push_back(linea.substr(9));
  bases->close();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  ASSERT_EQ(muestras.size(), 2u);
  for (const std::string& muestra : muestras) {
    EXPECT_TRUE(ProcesaLog("EA1ABC.LOG", Log(muestra, {"QSO: 14025 CW 2026-12-24 0815 EA1ABC 599 001 EA4XYZ 599 M"})))
        << muestra << "\n" << informe;
  }
  // The box is not stored with the contest, and the window says so.
  EXPECT_EQ(ventana->findChild<QLabel*>("NotaVerificaNombre")->text().toStdString(),
            "(no se guarda: márquelo tras cada arranque)");
  Arranca();
  EXPECT_FALSE(Formulario(*ventana).VerificaNombre->isChecked());
  EXPECT_FALSE(ventana->Contexto().VerificarNombreExacto);
  Formulario(*ventana).VerificaNombre->click();

  // The mail window keeps the contest folder with a final separator.
  ventana->Contexto().CarpetaConcurso += "/";
  EXPECT_TRUE(ProcesaLog("EA1ABC.LOG", bueno)) << informe;
  EXPECT_EQ(LeeBytes(carpetaConcurso + "/ListasValidas/EA1ABC.LOG"), bueno);
}

}  // namespace

namespace {

// A name with letters outside ASCII: UTF-8 in the database and the folder
// name, Windows-1252 in the log, the same name for the exact-name check.
TEST_F(ExtremoAExtremo, ConcursoConEñesYAcentos) {
  soporte::Mensajes().Espera(Respuesta::Aceptar, "No hay Concursos CONFIGURADOS");
  Arranca();
  Formulario(*ventana).AltaReg->click();
  const char* textos[] = {nullptr, "CONCURSO ÑANDÚ", "2026", "01-03-2026", "00:00", "01-03-2026", "23:59"};
  for (int i = 1; i <= 6; ++i) Formulario(*ventana).Text3[static_cast<std::size_t>(i)]->setText(textos[i]);
  Formulario(*ventana).Banda[4]->setChecked(true);
  Formulario(*ventana).Modo[1]->setChecked(true);
  Formulario(*ventana).EnviarNumeral->setChecked(true);
  Formulario(*ventana).RecibirNumeral->setChecked(true);
  Formulario(*ventana).Text3[2]->setFocus();  // the name is left
  AbreFormato([](rules::FormatoCabrillo& w) {
    Control<QLineEdit>(w, "EMailConcurso")->setText("nandu@concurso.es");
    Control<QLineEdit>(w, "AsuntoConcurso")->setText("$");
    Control<QPushButton>(w, "AceptarCabrillo")->click();
  });
  soporte::Mensajes().Espera(Respuesta::Aceptar, "Alta del Concurso efectuada");
  Formulario(*ventana).Aceptar->click();
  ASSERT_EQ(soporte::Mensajes().Cajas().size(), 2u);
  EXPECT_EQ(Lee("SELECT Concurso FROM Concursos"), (Filas{{"CONCURSO ÑANDÚ"}}));
  EXPECT_TRUE(fs::is_directory(Ruta() + "/CONCURSO ÑANDÚ_2026/ListasValidas"));

  Arranca();
  ASSERT_EQ(ventana->Contexto().NombreConcurso, "CONCURSO ÑANDÚ");
  Formulario(*ventana).VerificaNombre->click();
  const std::string log =
      "START-OF-LOG: 3.0\r\nCALLSIGN: EA1ABC\r\nCONTEST: Concurso \xF1" "and\xFA\r\nCATEGORY-OPERATOR: SINGLE-OP\r\n"
      "QSO: 14025 CW 2026-03-01 0815 EA1ABC 599 001 EA4XYZ 599 007\r\nEND-OF-LOG:\r\n";
  EXPECT_TRUE(ProcesaLog("EA1ABC.LOG", log)) << informe;
  EXPECT_EQ(LeeBytes(Ruta() + "/CONCURSO ÑANDÚ_2026/ListasValidas/EA1ABC.LOG"), log);

  std::string otro = log;
  otro.replace(otro.find("\xFA"), 1, "u");
  EXPECT_FALSE(ProcesaLog("EA1ABC.LOG", otro));
  EXPECT_NE(informe.find(".- ERROR 38: La LISTA cabrillo no pertenece al CONCURSO \xD1" "AND\xDA\r\n"), std::string::npos)
      << informe;
}

}  // namespace
