// The Cabrillo format window opened from the main window's button.
#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <algorithm>
#include <functional>
#include <gtest/gtest.h>

#include <sqlite3.h>

#include "cabrillo/categorias_admitidas.h"
#include "cabrillo/lectura_concurso.h"
#include "database/conexiones.h"
#include "fixture_principal.h"
#include "cabrillo/contexto_concurso.h"
#include "mainwindow/trovalis.h"
#include "plataforma/dao.h"
#include "rules/formato_cabrillo.h"
#include "soporte/mensajes_guion.h"

using prueba::Formulario;

using principal::VentanaSecundaria;
using prueba::Control;

namespace {

// The program's services, opening the real format window.
class ServiciosConFormato : public prueba::ServiciosGrabados {
 public:
  bool AbreVentana(VentanaSecundaria v, principal::EnlacesVentanaPrincipal& w) override {
    ventanasAbiertas.push_back(v);
    return principal::ServiciosPrograma::AbreVentana(v, w);
  }
};

class FormatoDesdePrincipal : public ::testing::Test {
 protected:
  void SetUp() override {
    carpeta.CreaBases(4);
    carpeta.AgregaConcurso(4, "CONCURSO NAVIDAD", "2026");
    Arranca();
  }
  void TearDown() override { ventana.reset(); }

  // Starts the main window on the fixture folder (again, for a restart).
  void Arranca() {
    ventana.reset();
    auto s = std::make_unique<ServiciosConFormato>();
    servicios = s.get();
    ventana = std::make_unique<Trovalis>(std::move(s));
    ASSERT_TRUE(ventana->Form_Load());
    ventana->show();
    ventana->Form_Activate();
    QApplication::processEvents();
  }


  // Clicks the main window's button and runs `enVentana` on the format
  // window while it is shown modally.
  void AbreFormato(std::function<void(rules::FormatoCabrillo&)> enVentana) {
    EXPECT_TRUE(prueba::AbreFormatoCabrillo(*ventana, [&](rules::FormatoCabrillo& w) {
      principalOculta = !ventana->isVisible();
      enVentana(w);
    }));
  }

  std::string Consulta(const std::string& sql) {
    sqlite3* db = nullptr;
    sqlite3_open((carpeta.Ruta() + "/Ledrima").c_str(), &db);
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(db, sql.c_str(), -1, &st, nullptr);
    std::string r;
    while (sqlite3_step(st) == SQLITE_ROW) {
      for (int i = 0; i < sqlite3_column_count(st); ++i) {
        const unsigned char* t = sqlite3_column_text(st, i);
        r += std::string(t ? reinterpret_cast<const char*>(t) : "<null>") + "|";
      }
      r += "\n";
    }
    sqlite3_finalize(st);
    sqlite3_close(db);
    return r;
  }

  prueba::CarpetaPrueba carpeta;
  ServiciosConFormato* servicios = nullptr;
  std::unique_ptr<Trovalis> ventana;
  bool principalOculta = false;
};

}  // namespace

TEST_F(FormatoDesdePrincipal, SeGrabaEnLaModificacionYSeConsultaDespues) {
  ASSERT_EQ(ventana->Contexto().NumeroConcursoActual, 4);
  Formulario(*ventana).ModificarReg->click();
  Formulario(*ventana).EnviarNumeral->setChecked(true);
  Formulario(*ventana).RecibirSiglas->setChecked(true);
  AbreFormato([](rules::FormatoCabrillo& w) {
    EXPECT_EQ(Control<QLineEdit>(w, "CMiNumero")->text(), "49");
    EXPECT_EQ(Control<QLineEdit>(w, "CSusLetras")->text(), "72");
    Control<QCheckBox>(w, "M40")->setChecked(true);
    Control<QLineEdit>(w, "EMailConcurso")->setText("navidad@concurso.es");
    Control<QLineEdit>(w, "AsuntoConcurso")->setText("$");
    Control<QLineEdit>(w, "EMailReclamaciones")->setText("info@concurso.es");
    Control<QPushButton>(w, "AceptarCabrillo")->click();
  });
  EXPECT_TRUE(principalOculta);
  EXPECT_TRUE(ventana->isVisible());
  EXPECT_EQ(ventana->focusWidget(), Formulario(*ventana).Text3[1]);
  EXPECT_EQ(ventana->Contexto().CorreoReclamaciones, "info@concurso.es");
  EXPECT_TRUE(soporte::Mensajes().Cajas().empty());

  dao::Database db = dao::OpenDatabase(carpeta.Ruta() + "/Ledrima");
  dao::Recordset rs = db.OpenRecordset("Select * From ResumenCabrillo");
  ASSERT_FALSE(rs.Eof());
  EXPECT_EQ(rs["NumeroOrden"].CLng(), 4);
  EXPECT_TRUE(rs["M40"].CBool());
  EXPECT_FALSE(rs["BandaNoAplicable"].CBool());
  EXPECT_EQ(rs["MiNumero"].CLng(), 49);
  EXPECT_EQ(rs["EMailConcurso"].CStr(), "navidad@concurso.es");
  rs.MoveNext();
  EXPECT_TRUE(rs.Eof());
  rs.Close();
  db.Close();

  // Outside a creation or modification (this one cancelled: the format's
  // row is stored already, the claims address goes with the contest's row,
  // which was not saved) the window opens view-only.
  Formulario(*ventana).Cancelar->click();
  ASSERT_EQ(ventana->Operacion(), principal::OperacionEditor::Ninguna);
  Formulario(*ventana).EnviarNumeral->setChecked(false);
  AbreFormato([](rules::FormatoCabrillo& w) {
    EXPECT_FALSE(Control<QPushButton>(w, "AceptarCabrillo")->isEnabled());
    EXPECT_TRUE(Control<QCheckBox>(w, "M40")->isChecked());
    EXPECT_TRUE(Control<QCheckBox>(w, "CabrilloNumSerieEnv")->isChecked());
    EXPECT_EQ(Control<QLineEdit>(w, "CMiNumero")->text(), "49");
    EXPECT_EQ(Control<QLineEdit>(w, "AsuntoConcurso")->text(), "$");
    EXPECT_EQ(Control<QLineEdit>(w, "EMailReclamaciones")->text(), "");
  });
  EXPECT_EQ(ventana->focusWidget(), Formulario(*ventana).AltaReg);
}

TEST_F(FormatoDesdePrincipal, TrasReiniciarSeVeTodoComoSeIntrodujo) {
  const std::vector<const char*> marcadas = {"MultiOp", "ServerOp", "ALL", "M160", "M15", "M16", "G12", "CW",
                                             "RTTY", "High", "Qrp", "NonAssisted", "Assisted", "One", "Unlimited",
                                             "Mobile", "HillTopper", "School", "Hours6", "Hours12", "NoviceTech",
                                             "Over50"};
  Formulario(*ventana).ModificarReg->click();
  Formulario(*ventana).EnviarLocator->setChecked(true);
  AbreFormato([&](rules::FormatoCabrillo& w) {
    Control<QCheckBox>(w, "SingleOp")->setChecked(false);
    for (const char* c : marcadas) Control<QCheckBox>(w, c)->setChecked(true);
    Control<QCheckBox>(w, "CabrilloNumSerieRec")->setChecked(true);
    Control<QCheckBox>(w, "CabrilloLiteralRec")->setChecked(true);
    Control<QLineEdit>(w, "CSusLetras")->setText("95");  // typed by hand
    Control<QLineEdit>(w, "EMailConcurso")->setText("Logs@Navidad.es ");
    Control<QLineEdit>(w, "AsuntoConcurso")->setText("Lista $ navideña");
    Control<QPushButton>(w, "AceptarCabrillo")->click();
  });
  ASSERT_TRUE(soporte::Mensajes().Cajas().empty());

  Arranca();  // the program starts again
  ASSERT_EQ(ventana->Contexto().NumeroConcursoActual, 4);
  ASSERT_EQ(ventana->Operacion(), principal::OperacionEditor::Ninguna);
  AbreFormato([&](rules::FormatoCabrillo& w) {
    for (const auto& c : rules::ColumnasCategoria()) {
      bool esperada = std::find_if(marcadas.begin(), marcadas.end(), [&](const char* m) { return c.control == m; }) !=
                      marcadas.end();
      EXPECT_EQ(Control<QCheckBox>(w, std::string(c.control).c_str())->isChecked(), esperada) << c.control;
    }
    const char* elementos[] = {"CabrilloRstEnv", "CabrilloLocatorEnv", "CabrilloRstRec", "CabrilloNumSerieRec",
                               "CabrilloLiteralRec"};
    for (const char* e : elementos) EXPECT_TRUE(Control<QCheckBox>(w, e)->isChecked()) << e;
    for (const char* e : {"CabrilloNumSerieEnv", "CabrilloLiteralEnv", "CabrilloLocatorRec"})
      EXPECT_FALSE(Control<QCheckBox>(w, e)->isChecked()) << e;
    const std::pair<const char*, const char*> columnas[] = {
        {"CMiIndicativo", "31"}, {"CMiRst", "45"}, {"CMiNumero", "0"}, {"CMisLetras", "0"}, {"CMiLocator", "49"},
        {"CSuIndicativo", "56"}, {"CSuRst", "70"}, {"CSuNumero", "74"}, {"CSusLetras", "95"}, {"CSuLocator", "0"}};
    for (auto [campo, valor] : columnas) EXPECT_EQ(Control<QLineEdit>(w, campo)->text().toStdString(), valor) << campo;
    EXPECT_EQ(Control<QLineEdit>(w, "EMailConcurso")->text(), "Logs@Navidad.es ");
    EXPECT_EQ(Control<QLineEdit>(w, "AsuntoConcurso")->text(), "Lista $ navideña");
    EXPECT_FALSE(Control<QPushButton>(w, "AceptarCabrillo")->isEnabled());
  });
}

TEST_F(FormatoDesdePrincipal, AltaDeUnConcursoConSuFormatoCabrillo) {
  Formulario(*ventana).AltaReg->click();
  ASSERT_EQ(ventana->Operacion(), principal::OperacionEditor::Alta);
  const int numero = std::stoi(Formulario(*ventana).Text3[0]->text().toStdString());
  const char* textos[] = {nullptr, "SPRINT NAVIDAD", "2026", "24-12-2026", "08:00", "24-12-2026", "20:00"};
  for (int i = 1; i <= 6; ++i) Formulario(*ventana).Text3[static_cast<std::size_t>(i)]->setText(textos[i]);
  Formulario(*ventana).Banda[4]->setChecked(true);
  Formulario(*ventana).Modo[1]->setChecked(true);
  Formulario(*ventana).RecibirSiglas->setChecked(true);

  // Without its Cabrillo format the contest is not saved.
  soporte::Mensajes().Espera(plataforma::Respuesta::Aceptar);
  Formulario(*ventana).Aceptar->click();
  ASSERT_EQ(soporte::Mensajes().Cajas().size(), 1u);
  EXPECT_NE(soporte::Mensajes().Cajas()[0].texto.find("categorías"), std::string::npos);
  EXPECT_EQ(Consulta("SELECT NumeroOrden FROM Concursos WHERE NumeroOrden = " + std::to_string(numero)), "");

  AbreFormato([](rules::FormatoCabrillo& w) {
    EXPECT_TRUE(Control<QPushButton>(w, "AceptarCabrillo")->isEnabled());
    EXPECT_EQ(Control<QLineEdit>(w, "CSusLetras")->text(), "67");
    Control<QCheckBox>(w, "M20")->setChecked(true);
    Control<QCheckBox>(w, "CW")->setChecked(true);
    Control<QLineEdit>(w, "EMailConcurso")->setText("sprint@navidad.es");
    Control<QLineEdit>(w, "AsuntoConcurso")->setText("Log de $");
    Control<QLineEdit>(w, "EMailReclamaciones")->setText("info@navidad.es");
    Control<QLineEdit>(w, "WEBConcurso")->setText("https://navidad.es");
    Control<QPushButton>(w, "AceptarCabrillo")->click();
  });
  // The row is written at once, keyed by the number the contest will get.
  EXPECT_EQ(Consulta("SELECT NumeroOrden, M20, CW, LetrasRecibidas, SusLetras, EMailConcurso FROM "
                     "ResumenCabrillo"),
            std::to_string(numero) + "|-1|-1|-1|67|sprint@navidad.es|\n");

  soporte::Mensajes().Espera(plataforma::Respuesta::Aceptar, "Alta del Concurso efectuada");
  Formulario(*ventana).Aceptar->click();
  EXPECT_EQ(Consulta("SELECT Concurso, EMailReclamaciones, WEBConcurso FROM Concursos WHERE NumeroOrden = " +
                     std::to_string(numero)),
            "SPRINT NAVIDAD|info@navidad.es|https://navidad.es|\n");

  // The program starts again on the new contest, now the active one.
  Arranca();
  ASSERT_EQ(ventana->Contexto().NumeroConcursoActual, numero);
  AbreFormato([](rules::FormatoCabrillo& w) {
    EXPECT_FALSE(Control<QPushButton>(w, "AceptarCabrillo")->isEnabled());
    EXPECT_TRUE(Control<QCheckBox>(w, "SingleOp")->isChecked());
    EXPECT_TRUE(Control<QCheckBox>(w, "M20")->isChecked());
    EXPECT_FALSE(Control<QCheckBox>(w, "BandaNoAplicable")->isChecked());
    EXPECT_TRUE(Control<QCheckBox>(w, "CW")->isChecked());
    EXPECT_TRUE(Control<QCheckBox>(w, "PotenciaNoAplicable")->isChecked());
    EXPECT_TRUE(Control<QCheckBox>(w, "CabrilloLiteralRec")->isChecked());
    EXPECT_EQ(Control<QLineEdit>(w, "CSusLetras")->text(), "67");
    EXPECT_EQ(Control<QLineEdit>(w, "EMailConcurso")->text(), "sprint@navidad.es");
    EXPECT_EQ(Control<QLineEdit>(w, "AsuntoConcurso")->text(), "Log de $");
    EXPECT_EQ(Control<QLineEdit>(w, "EMailReclamaciones")->text(), "info@navidad.es");
    EXPECT_EQ(Control<QLineEdit>(w, "WEBConcurso")->text(), "https://navidad.es");
  });
}

TEST_F(FormatoDesdePrincipal, AlCancelarLaModificacionLasCategoriasSonLasDelFormatoGuardado) {
  Formulario(*ventana).ModificarReg->click();
  AbreFormato([](rules::FormatoCabrillo& w) {
    Control<QCheckBox>(w, "M40")->setChecked(true);
    Control<QLineEdit>(w, "EMailConcurso")->setText("navidad@concurso.es");
    Control<QLineEdit>(w, "AsuntoConcurso")->setText("$");
    Control<QPushButton>(w, "AceptarCabrillo")->click();
  });
  ASSERT_TRUE(soporte::Mensajes().Cajas().empty());
  Formulario(*ventana).Cancelar->click();
  // The format window stored its row at once: the error reports and the
  // contest rules print the categories it admits now.
  const cabrillo::CategoriasAdmitidas guardadas =
      cabrillo::GeneraCategoriasAdmitidas(ventana->Contexto().BaseConcursos, "CONCURSO NAVIDAD", 4);
  ASSERT_FALSE(guardadas.Entradas().empty());
  EXPECT_NE(guardadas.Entrada(1).find("40M"), std::string::npos);
  EXPECT_EQ(ventana->Contexto().CategoriasAdmitidasConcurso.Entradas(), guardadas.Entradas());
}
