// The life cycle of a contest driven through the main window's buttons, on a
// real contest database.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <filesystem>
#include <fstream>
#include <set>
#include <gtest/gtest.h>
#include <sqlite3.h>

#include "database/listas_ocultas.h"
#include "fixture_principal.h"
#include "cabrillo/contexto_concurso.h"
#include "mainwindow/trovalis.h"
#include "plataforma/rutas.h"
#include "plataforma/texto.h"
#include "soporte/mensajes_guion.h"

using prueba::Formulario;

namespace {

namespace fs = std::filesystem;
using prueba::Filas;
using plataforma::Respuesta;

class CicloConcurso : public ::testing::Test {
 protected:
  void SetUp() override {}
  void TearDown() override { ventana.reset(); }

  void Arranca() {
    auto s = std::make_unique<prueba::ServiciosGrabados>();
    ventana = std::make_unique<Trovalis>(std::move(s));
    ASSERT_TRUE(ventana->Form_Load());
    ventana->show();
    QApplication::setActiveWindow(ventana.get());
    ventana->Form_Activate();
    QApplication::processEvents();
  }

  Filas Lee(const std::string& sql) {
    return prueba::LeeFilas((carpeta.Ruta() + "/Ledrima"), sql);
  }
  Filas Control() { return Lee("SELECT UltimoConcurso, ConcursoActivo FROM ControlConcursos"); }
  std::size_t Cuenta(const std::string& tabla, int numero) {
    return Lee("SELECT NumeroOrden FROM " + tabla + " WHERE NumeroOrden = " + std::to_string(numero)).size();
  }
  // Every row of every table, to compare the whole database.
  std::string Volcado() {
    std::string r;
    for (const char* t : {"Concursos", "ResumenCabrillo", "ControlConcursos", "ListaProv", "ListaDistritos",
                          "ListaMultEspeciales", "ListaPaises", "ListaPrefijos", "ListaCq", "ListaEspeciales",
                          "MultEspeciales"}) {
      r += std::string("# ") + t + "\n";
      for (const auto& fila : Lee(std::string("SELECT * FROM ") + t + " ORDER BY rowid")) {
        for (const auto& v : fila) r += v + "|";
        r += "\n";
      }
    }
    return r;
  }

  // A working list as the list editors give it back, and as they read it.
  void PonLista(const char* nombre, const std::vector<const char*>& items) {
    ASSERT_EQ(listas::ListasVacias().count(nombre), 1u) << nombre;
    ventana->EnlaceListas()->PonLista(nombre, std::vector<std::string>(items.begin(), items.end()));
  }
  std::vector<std::string> Items(const char* nombre) { return ventana->EnlaceListas()->Lista(nombre); }
  bool PrimerNumero() { return ventana->EnlaceListas()->Sufijo()[0]; }
  std::string Texto(int i) { return Formulario(*ventana).Text3[static_cast<std::size_t>(i)]->text().toStdString(); }

  // A contest that passes every check of the editor: name, edition, period,
  // one band, one mode.
  void LlenaEditor(const char* nombre, const char* edicion) {
    const char* textos[] = {nullptr, nombre, edicion, "01-03-2025", "08:00", "02-03-2025", "20:00"};
    for (int i = 1; i <= 6; ++i) Formulario(*ventana).Text3[static_cast<std::size_t>(i)]->setText(textos[i]);
    Formulario(*ventana).Banda[4]->setChecked(true);
    Formulario(*ventana).Modo[1]->setChecked(true);
  }
  // The Cabrillo format window saves the contest's row meanwhile.
  void GuardaFormatoCabrillo(int numero) {
    carpeta.Ejecuta("INSERT INTO ResumenCabrillo (NumeroOrden, SingleOp, \"ALL\", EMailConcurso) VALUES (" +
                    std::to_string(numero) + ", 1, 1, 'concurso@example.org')");
  }
  // A stored contest that passes the editor's checks as it is.
  void AgregaConcursoValido(int numero, const std::string& nombre, const std::string& edicion,
                            std::vector<prueba::Columna> otras = {}) {
    std::vector<prueba::Columna> columnas = {{"DesdeDia", "2025-03-01"}, {"DesdeHora", "08:00"},
                                             {"HastaDia", "2025-03-02"}, {"HastaHora", "20:00"},
                                             {"Banda14", "1"},           {"ModoCW", "1"}};
    columnas.insert(columnas.end(), otras.begin(), otras.end());
    carpeta.AgregaConcurso(numero, nombre, edicion, columnas);
    GuardaFormatoCabrillo(numero);
  }
  int NumeroSeleccionado() { return Formulario(*ventana).Combo1->currentData().toInt(); }
  void Selecciona(int numero) {
    Formulario(*ventana).Combo1->setCurrentIndex(Formulario(*ventana).Combo1->findData(numero));
  }

  prueba::CarpetaPrueba carpeta;
  std::unique_ptr<Trovalis> ventana;
};

TEST_F(CicloConcurso, AltaConsultaModificacionYBorrado) {
  carpeta.CreaBases(-1);
  soporte::Mensajes().Espera(Respuesta::Aceptar, "No hay Concursos CONFIGURADOS");
  Arranca();

  // ---- Create: the first contest gets number 1, which the operator
  // cannot change.
  Formulario(*ventana).AltaReg->click();
  EXPECT_EQ(ventana->Operacion(), principal::OperacionEditor::Alta);
  EXPECT_EQ(Texto(0), "1");
  EXPECT_TRUE(Formulario(*ventana).Bloqueado(0));
  EXPECT_FALSE(Formulario(*ventana).Bloqueado(1));
  EXPECT_TRUE(Formulario(*ventana).Bloqueado(7));
  EXPECT_TRUE(Formulario(*ventana).Aceptar->isEnabled());
  EXPECT_FALSE(Formulario(*ventana).ConsultaReg->isEnabled());
  EXPECT_TRUE(Control().empty());

  LlenaEditor("PRUEBA", "2025");
  Formulario(*ventana).Multiplicadores->setChecked(true);
  Formulario(*ventana).CadaProv->setChecked(true);
  Formulario(*ventana).ExcluirProv->setChecked(true);
  Formulario(*ventana).CadaCq->setChecked(true);
  Formulario(*ventana).ExcluirCq->setChecked(true);
  Formulario(*ventana).RecibirPuntos->setChecked(true);
  PonLista("ListaProv", {"M", "B"});
  PonLista("ListaExProv", {"", "SI"});
  PonLista("ListaExZonasCq", {"14"});
  PonLista("ListaExPaises", {"230"});  // CadaPais not ticked: not stored
  PonLista("ListaEstEsp", {"QQ1ABC"});
  PonLista("ListaPuntosEsp", {"5"});
  GuardaFormatoCabrillo(1);
  soporte::Mensajes().Espera(Respuesta::Aceptar, "Alta del Concurso efectuada");
  Formulario(*ventana).Aceptar->click();
  ASSERT_EQ(soporte::Mensajes().Cajas().size(), 2u);
  EXPECT_EQ(soporte::Mensajes().Cajas()[1].titulo, "ALTA");
  EXPECT_EQ(soporte::Mensajes().Cajas()[1].icono, plataforma::Icono::Informacion);

  EXPECT_EQ(Lee("SELECT NumeroOrden, Concurso, Edicion, DesdeDia, HastaHora, AnularQSO, AnularCinco, "
                "AnularPorBandaDistinta, AnularPorFecha, AnularPorFechaDistinta, AnularPorRSTDistinto, CadaProv "
                "FROM Concursos"),
            (Filas{{"1", "PRUEBA", "2025", "2025-03-01", "20:00", "-1", "-1", "-1", "0", "0", "0", "-1"}}));
  EXPECT_EQ(Lee("SELECT CodigoProv, ProvExcluida FROM ListaProv WHERE NumeroOrden = 1 ORDER BY rowid"),
            (Filas{{"M", "0"}, {"B", "-1"}}));
  EXPECT_EQ(Lee("SELECT CqExcluido FROM ListaCq WHERE NumeroOrden = 1"), (Filas{{"14"}}));
  EXPECT_EQ(Lee("SELECT Estacion, Puntos FROM ListaEspeciales WHERE NumeroOrden = 1"), (Filas{{"QQ1ABC", "5"}}));
  EXPECT_EQ(Cuenta("ListaPaises", 1), 0u);
  EXPECT_TRUE(Items("ListaExPaises").empty());
  EXPECT_EQ(Cuenta("ResumenCabrillo", 1), 1u);
  EXPECT_EQ(Control(), (Filas{{"1", "1"}}));
  EXPECT_TRUE(fs::is_directory(carpeta.Ruta() + "/PRUEBA_2025/ListasValidas"));
  ASSERT_EQ(Formulario(*ventana).Combo1->count(), 1);
  EXPECT_EQ(Formulario(*ventana).Combo1->currentText().toStdString(), "PRUEBA .- Edición: 2025");
  EXPECT_EQ(NumeroSeleccionado(), 1);
  EXPECT_EQ(ventana->Operacion(), principal::OperacionEditor::Ninguna);
  EXPECT_EQ(ventana->Contexto().NumeroConcursoActual, 1);
  EXPECT_TRUE(ventana->Contexto().HayConcursoCargado);
  EXPECT_TRUE(Formulario(*ventana).ModificarReg->isEnabled());
  EXPECT_FALSE(Formulario(*ventana).Aceptar->isEnabled());
  EXPECT_TRUE(Formulario(*ventana).Bloqueado(1));
  EXPECT_FALSE(Formulario(*ventana).Banda[4]->isEnabled());

  // ---- Modify: a new edition and another zone list; the control row stays.
  Formulario(*ventana).ModificarReg->click();
  EXPECT_EQ(ventana->Operacion(), principal::OperacionEditor::Modificar);
  EXPECT_TRUE(Formulario(*ventana).Bloqueado(0));
  EXPECT_FALSE(Formulario(*ventana).Bloqueado(2));
  Formulario(*ventana).Text3[2]->setText("2026");
  PonLista("ListaExZonasCq", {"15"});
  soporte::Mensajes().Espera(Respuesta::Aceptar, "Modificación del Concurso efectuada");
  Formulario(*ventana).Aceptar->click();
  EXPECT_EQ(Lee("SELECT Edicion, AnularQSO FROM Concursos WHERE NumeroOrden = 1"), (Filas{{"2026", "-1"}}));
  EXPECT_EQ(Lee("SELECT CqExcluido FROM ListaCq WHERE NumeroOrden = 1"), (Filas{{"15"}}));
  EXPECT_EQ(Control(), (Filas{{"1", "1"}}));
  EXPECT_EQ(Formulario(*ventana).Combo1->itemText(0).toStdString(), "PRUEBA .- Edición: 2026");
  EXPECT_TRUE(fs::is_directory(carpeta.Ruta() + "/PRUEBA_2026/ListasValidas"));
  EXPECT_EQ(ventana->Operacion(), principal::OperacionEditor::Ninguna);

  // ---- A second contest becomes the active one.
  Formulario(*ventana).AltaReg->click();
  EXPECT_EQ(Texto(0), "2");
  EXPECT_TRUE(Items("ListaProv").empty());
  LlenaEditor("OTRO", "2025");
  GuardaFormatoCabrillo(2);
  soporte::Mensajes().Espera(Respuesta::Aceptar, "Alta del Concurso efectuada");
  Formulario(*ventana).Aceptar->click();
  EXPECT_EQ(Control(), (Filas{{"2", "2"}}));
  EXPECT_EQ(Formulario(*ventana).Combo1->count(), 2);

  // ---- Pick the first one: it is loaded with its lists and made active.
  Formulario(*ventana).ConsultaReg->click();
  EXPECT_EQ(ventana->Operacion(), principal::OperacionEditor::Consulta);
  EXPECT_TRUE(Formulario(*ventana).SeleccionConcurso->isVisible());
  Selecciona(1);
  Formulario(*ventana).Aceptar->click();
  EXPECT_FALSE(Formulario(*ventana).SeleccionConcurso->isVisible());
  EXPECT_EQ(Texto(1), "PRUEBA");
  EXPECT_EQ(Texto(2), "2026");
  EXPECT_EQ(Items("ListaProv"), (std::vector<std::string>{"M", "B"}));
  EXPECT_EQ(Items("ListaExProv"), (std::vector<std::string>{"", "SI"}));
  EXPECT_EQ(Items("ListaExZonasCq"), (std::vector<std::string>{"15"}));
  EXPECT_EQ(Items("ListaBandaEsp"), (std::vector<std::string>{"*"}));
  EXPECT_EQ(Control(), (Filas{{"2", "1"}}));
  EXPECT_EQ(ventana->Operacion(), principal::OperacionEditor::Ninguna);

  // ---- Delete, answering No first: nothing changes.
  Formulario(*ventana).BorrarReg->click();
  EXPECT_TRUE(Formulario(*ventana).Cancelar->hasFocus());
  soporte::Mensajes().Espera(Respuesta::No, "De verdad quiere BORRAR este CONCURSO");
  Formulario(*ventana).Aceptar->click();
  const auto& pregunta = soporte::Mensajes().Cajas().back();
  EXPECT_EQ(pregunta.titulo, "VERIFICAR BORRADO DE QSO");
  EXPECT_EQ(pregunta.icono, plataforma::Icono::Error);
  EXPECT_EQ(pregunta.botones, plataforma::Botones::SiNo);
  EXPECT_EQ(ventana->Operacion(), principal::OperacionEditor::Consulta);
  EXPECT_EQ(Cuenta("Concursos", 1), 1u);
  EXPECT_EQ(Texto(1), "PRUEBA");
  EXPECT_FALSE(Formulario(*ventana).Aceptar->isEnabled());

  // ---- Yes: every row of the contest goes; its folder stays.
  Formulario(*ventana).BorrarReg->click();
  soporte::Mensajes().Espera(Respuesta::Si, "De verdad quiere BORRAR este CONCURSO");
  Formulario(*ventana).Aceptar->click();
  for (const char* t : {"Concursos", "ListaProv", "ListaCq", "ListaEspeciales", "ResumenCabrillo"})
    EXPECT_EQ(Cuenta(t, 1), 0u) << t;
  EXPECT_EQ(Cuenta("Concursos", 2), 1u);
  EXPECT_EQ(Cuenta("ResumenCabrillo", 2), 1u);
  EXPECT_EQ(Control(), (Filas{{"2", "0"}}));
  EXPECT_TRUE(fs::is_directory(carpeta.Ruta() + "/PRUEBA_2026"));
  ASSERT_EQ(Formulario(*ventana).Combo1->count(), 1);
  EXPECT_EQ(NumeroSeleccionado(), 2);
  EXPECT_EQ(Texto(1), "");
  EXPECT_TRUE(Items("ListaProv").empty());
  EXPECT_EQ(ventana->Contexto().NombreConcurso, "");
  EXPECT_EQ(ventana->Contexto().NumeroConcursoActual, 0);
  EXPECT_FALSE(ventana->Contexto().HayConcursoCargado);
  EXPECT_FALSE(Formulario(*ventana).ModificarReg->isEnabled());
  EXPECT_TRUE(Formulario(*ventana).AltaReg->isEnabled());

  // ---- Delete the last one created: its number is not handed out again.
  Formulario(*ventana).ConsultaReg->click();
  Selecciona(2);
  Formulario(*ventana).Aceptar->click();
  Formulario(*ventana).BorrarReg->click();
  soporte::Mensajes().Espera(Respuesta::Si, "De verdad quiere BORRAR este CONCURSO");
  Formulario(*ventana).Aceptar->click();
  EXPECT_EQ(Control(), (Filas{{"2", "0"}}));
  Formulario(*ventana).AltaReg->click();
  EXPECT_EQ(Texto(0), "3");
}

TEST_F(CicloConcurso, UnFalloAMitadDeGuardarDejaLaBaseComoEstaba) {
  carpeta.CreaBases(1);
  AgregaConcursoValido(1, "PRUEBA", "2025", {{"Multiplicadores", "1"}, {"CadaCq", "1"}, {"ExcluirCq", "1"}});
  carpeta.Ejecuta("INSERT INTO ListaCq (NumeroOrden, CqExcluido) VALUES (1, '14'), (1, '20')");
  Arranca();
  ASSERT_EQ(Items("ListaExZonasCq"), (std::vector<std::string>{"14", "20"}));
  const std::string antes = Volcado();

  // The database refuses the third write of the save: the contest row and
  // the deletion of zone 20 are written before it.
  carpeta.Ejecuta("CREATE TRIGGER falla BEFORE INSERT ON ListaCq BEGIN SELECT RAISE(ABORT, 'disco lleno'); END");
  Formulario(*ventana).ModificarReg->click();
  Formulario(*ventana).Text3[2]->setText("2026");
  PonLista("ListaExZonasCq", {"14", "16"});
  soporte::Mensajes().Espera(Respuesta::Aceptar);
  Formulario(*ventana).Aceptar->click();
  ASSERT_EQ(soporte::Mensajes().Cajas().size(), 1u);
  EXPECT_EQ(soporte::Mensajes().Cajas()[0].titulo, "ERROR");
  EXPECT_NE(soporte::Mensajes().Cajas()[0].texto.find("queda como estaba"), std::string::npos);
  EXPECT_EQ(Volcado(), antes);
  EXPECT_EQ(ventana->Operacion(), principal::OperacionEditor::Modificar);
  EXPECT_FALSE(fs::exists(carpeta.Ruta() + "/PRUEBA_2026"));
  // What the operator typed stays in the editor.
  EXPECT_EQ(Items("ListaExZonasCq"), (std::vector<std::string>{"14", "16"}));

  // Once the database takes writes again, the same save goes through.
  carpeta.Ejecuta("DROP TRIGGER falla");
  soporte::Mensajes().Espera(Respuesta::Aceptar, "Modificación del Concurso efectuada");
  Formulario(*ventana).Aceptar->click();
  EXPECT_EQ(Lee("SELECT Edicion FROM Concursos"), (Filas{{"2026"}}));
  EXPECT_EQ(Lee("SELECT CqExcluido FROM ListaCq ORDER BY rowid"), (Filas{{"14"}, {"16"}}));

  // A failed delete leaves everything too.
  const std::string guardado = Volcado();
  carpeta.Ejecuta("CREATE TRIGGER falla BEFORE DELETE ON ListaCq BEGIN SELECT RAISE(ABORT, 'bloqueada'); END");
  Formulario(*ventana).BorrarReg->click();
  soporte::Mensajes().Espera(Respuesta::Si, "De verdad quiere BORRAR este CONCURSO");
  soporte::Mensajes().Espera(Respuesta::Aceptar);
  Formulario(*ventana).Aceptar->click();
  EXPECT_EQ(soporte::Mensajes().Cajas().back().titulo, "ERROR");
  EXPECT_EQ(Volcado(), guardado);
  EXPECT_EQ(Formulario(*ventana).Combo1->count(), 1);
  EXPECT_EQ(Texto(1), "PRUEBA");
  // Cancelling shows the stored contest.
  Formulario(*ventana).Cancelar->click();
  EXPECT_EQ(ventana->Operacion(), principal::OperacionEditor::Ninguna);
  EXPECT_TRUE(ventana->Contexto().HayConcursoCargado);
}

TEST_F(CicloConcurso, UnAltaFallidaNoDejaNadaYPuedeRepetirse) {
  carpeta.CreaBases(1);
  AgregaConcursoValido(1, "PRUEBA", "2025");
  Arranca();
  const std::string antes = Volcado();
  Formulario(*ventana).AltaReg->click();
  EXPECT_EQ(Texto(0), "10");  // the control row says 9 was the last one
  LlenaEditor("NUEVO", "2025");
  Formulario(*ventana).Multiplicadores->setChecked(true);
  Formulario(*ventana).CadaProv->setChecked(true);
  PonLista("ListaProv", {"M"});
  GuardaFormatoCabrillo(10);
  const std::string conFormato = Volcado();
  carpeta.Ejecuta("CREATE TRIGGER falla BEFORE INSERT ON ListaProv BEGIN SELECT RAISE(ABORT, 'disco lleno'); END");
  soporte::Mensajes().Espera(Respuesta::Aceptar);
  Formulario(*ventana).Aceptar->click();
  EXPECT_EQ(soporte::Mensajes().Cajas().back().titulo, "ERROR");
  EXPECT_EQ(Volcado(), conFormato);
  EXPECT_EQ(Formulario(*ventana).Combo1->count(), 1);
  EXPECT_EQ(ventana->Operacion(), principal::OperacionEditor::Alta);

  carpeta.Ejecuta("DROP TRIGGER falla");
  soporte::Mensajes().Espera(Respuesta::Aceptar, "Alta del Concurso efectuada");
  Formulario(*ventana).Aceptar->click();
  EXPECT_EQ(Lee("SELECT NumeroOrden, Concurso FROM Concursos ORDER BY NumeroOrden"),
            (Filas{{"1", "PRUEBA"}, {"10", "NUEVO"}}));
  EXPECT_EQ(Lee("SELECT CodigoProv FROM ListaProv WHERE NumeroOrden = 10"), (Filas{{"M"}}));
  EXPECT_EQ(Control(), (Filas{{"10", "10"}}));
  EXPECT_NE(Volcado(), antes);
}

TEST_F(CicloConcurso, GuardarConElNombreYLaEdicionDeOtroConcursoSeRechaza) {
  carpeta.CreaBases(1);
  AgregaConcursoValido(1, "PRUEBA", "2024");
  AgregaConcursoValido(2, "PRUEBA", "2025");
  Arranca();
  const std::string antes = Volcado();

  // Only the edition changes, to that of the other contest.
  Formulario(*ventana).ModificarReg->click();
  Formulario(*ventana).Text3[2]->setText("2025");
  soporte::Mensajes().Espera(Respuesta::Aceptar, "Ya hay un concurso con el MISMO NOMBRE y EDICIÓN");
  Formulario(*ventana).Aceptar->click();
  EXPECT_EQ(soporte::Mensajes().Cajas().back().titulo, "CONCURSO");
  EXPECT_EQ(soporte::Mensajes().Cajas().back().icono, plataforma::Icono::Error);
  EXPECT_EQ(ventana->Operacion(), principal::OperacionEditor::Modificar);
  EXPECT_TRUE(Formulario(*ventana).Aceptar->isEnabled());
  EXPECT_EQ(Volcado(), antes);

  // An edition of its own is accepted, and so is saving without a change.
  Formulario(*ventana).Text3[2]->setText("2023");
  soporte::Mensajes().Espera(Respuesta::Aceptar, "Modificación del Concurso efectuada");
  Formulario(*ventana).Aceptar->click();
  Formulario(*ventana).ModificarReg->click();
  soporte::Mensajes().Espera(Respuesta::Aceptar, "Modificación del Concurso efectuada");
  Formulario(*ventana).Aceptar->click();
  EXPECT_EQ(Lee("SELECT NumeroOrden, Edicion FROM Concursos ORDER BY NumeroOrden"),
            (Filas{{"1", "2023"}, {"2", "2025"}}));
}

TEST_F(CicloConcurso, UnAltaCanceladaNoHeredaNadaDelConcursoAnterior) {
  carpeta.CreaBases(1);
  AgregaConcursoValido(1, "PRUEBA", "2025",
                       {{"EMailReclamaciones", "quejas@example.org"}, {"WEBConcurso", "example.org"},
                        {"ExcluirMismoPais", "1"}, {"CadaSufijo", "1"}, {"PrimerNumero", "1"}});
  carpeta.Ejecuta("INSERT INTO ListaProv (NumeroOrden, CodigoProv, ProvExcluida) VALUES (1, 'M', 0)");
  Arranca();
  ASSERT_EQ(ventana->Contexto().CorreoReclamaciones, "quejas@example.org");
  ASSERT_TRUE(PrimerNumero());

  Formulario(*ventana).AltaReg->click();
  EXPECT_EQ(Texto(0), "10");
  EXPECT_EQ(Texto(1), "");
  EXPECT_TRUE(Items("ListaProv").empty());
  EXPECT_EQ(ventana->Contexto().CorreoReclamaciones, "");
  EXPECT_EQ(ventana->Contexto().DireccionWebConcurso, "");
  EXPECT_FALSE(ventana->Contexto().OpcionExcluirMismoPais);
  EXPECT_FALSE(PrimerNumero());
  EXPECT_FALSE(ventana->Contexto().HayConcursoCargado);

  // The Cabrillo format saved for it meanwhile goes with the cancel.
  GuardaFormatoCabrillo(10);
  Formulario(*ventana).Cancelar->click();
  EXPECT_EQ(Cuenta("ResumenCabrillo", 10), 0u);
  EXPECT_EQ(Cuenta("ResumenCabrillo", 1), 1u);
  EXPECT_EQ(Control(), (Filas{{"9", "1"}}));
  EXPECT_EQ(ventana->Operacion(), principal::OperacionEditor::Ninguna);
  EXPECT_TRUE(Formulario(*ventana).Bloqueado(1));
  EXPECT_FALSE(Formulario(*ventana).Banda[0]->isEnabled());
  // The next create proposes the same number again.
  Formulario(*ventana).AltaReg->click();
  EXPECT_EQ(Texto(0), "10");
  Formulario(*ventana).Cancelar->click();
}

// A working list missing from the window would be stored and loaded as
// nothing, without a word.
TEST_F(CicloConcurso, LaVentanaTieneCadaListaDeTrabajo) {
  carpeta.CreaBases(-1);
  soporte::Mensajes().Espera(Respuesta::Aceptar, "No hay Concursos CONFIGURADOS");
  Arranca();
  int cuantas = 0;
  auto enlace = ventana->EnlaceListas();
  for (const listas::DefinicionGrupo& g : listas::Grupos())
    for (std::string_view nombre : g.listas) {
      const std::vector<std::string> items = {std::string(nombre)};
      enlace->PonLista(nombre, items);
      EXPECT_EQ(enlace->Lista(nombre), items) << nombre;
      ++cuantas;
    }
  EXPECT_EQ(cuantas, 24);
}

TEST_F(CicloConcurso, UnAltaNoHeredaElFormatoDeUnAltaSinTerminar) {
  carpeta.CreaBases(1);
  AgregaConcursoValido(1, "PRUEBA", "2025");
  // A create whose Cabrillo format was saved when the program was closed
  // before the create ended.
  GuardaFormatoCabrillo(10);
  Arranca();
  Formulario(*ventana).AltaReg->click();
  EXPECT_EQ(Texto(0), "10");
  EXPECT_EQ(Cuenta("ResumenCabrillo", 10), 0u);
  EXPECT_EQ(Cuenta("ResumenCabrillo", 1), 1u);
  EXPECT_EQ(Control(), (Filas{{"9", "1"}}));
  Formulario(*ventana).Cancelar->click();
}

TEST_F(CicloConcurso, CancelarUnaModificacionVuelveAMostrarLoGuardado) {
  carpeta.CreaBases(1);
  AgregaConcursoValido(1, "PRUEBA", "2025", {{"Multiplicadores", "1"}, {"CadaCq", "1"}, {"ExcluirCq", "1"}});
  carpeta.Ejecuta("INSERT INTO ListaCq (NumeroOrden, CqExcluido) VALUES (1, '14')");
  Arranca();
  Formulario(*ventana).ModificarReg->click();
  Formulario(*ventana).Text3[1]->setText("OTRO NOMBRE");
  PonLista("ListaExZonasCq", {"1", "2", "3"});
  Formulario(*ventana).Cancelar->click();
  EXPECT_EQ(Texto(1), "PRUEBA");
  EXPECT_EQ(Items("ListaExZonasCq"), (std::vector<std::string>{"14"}));
  EXPECT_EQ(ventana->Operacion(), principal::OperacionEditor::Ninguna);
  EXPECT_TRUE(Formulario(*ventana).Bloqueado(1));
  EXPECT_TRUE(Formulario(*ventana).ModificarReg->isEnabled());
  EXPECT_FALSE(Formulario(*ventana).Cancelar->isEnabled());

  // Cancelling a delete and a pick.
  Formulario(*ventana).BorrarReg->click();
  Formulario(*ventana).Cancelar->click();
  EXPECT_EQ(ventana->Operacion(), principal::OperacionEditor::Ninguna);
  EXPECT_EQ(Cuenta("Concursos", 1), 1u);
  Formulario(*ventana).ConsultaReg->click();
  Formulario(*ventana).Cancelar->click();
  EXPECT_EQ(ventana->Operacion(), principal::OperacionEditor::Consulta);
  EXPECT_FALSE(Formulario(*ventana).SeleccionConcurso->isVisible());
  EXPECT_TRUE(Formulario(*ventana).AltaReg->isEnabled());

  // A pick with nothing selected finds nothing.
  Formulario(*ventana).ConsultaReg->click();
  Formulario(*ventana).Combo1->setCurrentIndex(-1);
  soporte::Mensajes().Espera(Respuesta::Aceptar, "No se han encontrado CONCURSOS con estas condiciones");
  Formulario(*ventana).Aceptar->click();
  EXPECT_EQ(soporte::Mensajes().Cajas().back().titulo, "CONSULTA");
  EXPECT_EQ(ventana->Operacion(), principal::OperacionEditor::Consulta);
  EXPECT_FALSE(Formulario(*ventana).Aceptar->isEnabled());
}

// The option boxes that can be clicked while nothing is being edited.
std::vector<std::string> CasillasAbiertas(Trovalis& v) {
  std::vector<std::string> r;
  const prueba::FormularioPrincipal f = Formulario(v);
  for (principal::Opcion o : principal::OpcionesEnOrdenDeCarga())
    if (f.Casilla(o)->isEnabled()) r.push_back(std::string(principal::ColumnaOpcion(o)));
  for (QCheckBox* c : f.Banda)
    if (c->isEnabled()) r.push_back(c->objectName().toStdString());
  for (QCheckBox* c : f.Modo)
    if (c->isEnabled()) r.push_back(c->objectName().toStdString());
  return r;
}

// A cancelled modification reloads the stored contest, whose boxes run
// their handlers again ("Multiplicadores Por" enables the 44 multiplier
// boxes): afterwards no option box can be clicked, and a later modification
// saves only what was changed during it.
TEST_F(CicloConcurso, TrasCancelarUnaModificacionLasOpcionesQuedanCerradas) {
  carpeta.CreaBases(1);
  AgregaConcursoValido(1, "PRUEBA", "2025",
                       {{"Multiplicadores", "1"}, {"CadaCq", "1"}, {"ExcluirCq", "1"}, {"CadaBanda", "1"}});
  carpeta.Ejecuta("INSERT INTO ListaCq (NumeroOrden, CqExcluido) VALUES (1, '14')");
  Arranca();
  EXPECT_EQ(CasillasAbiertas(*ventana), std::vector<std::string>{});

  Formulario(*ventana).ModificarReg->click();
  ASSERT_TRUE(Formulario(*ventana).Multiplicadores->isEnabled());
  Formulario(*ventana).Multiplicadores->click();
  ASSERT_FALSE(Formulario(*ventana).Multiplicadores->isChecked());
  Formulario(*ventana).Cancelar->click();
  ASSERT_TRUE(Formulario(*ventana).Multiplicadores->isChecked());
  EXPECT_EQ(CasillasAbiertas(*ventana), std::vector<std::string>{});

  // The same after cancelling a create, a delete and a pick.
  Formulario(*ventana).AltaReg->click();
  Formulario(*ventana).Multiplicadores->click();
  ASSERT_TRUE(Formulario(*ventana).CadaPais->isEnabled());
  Formulario(*ventana).Cancelar->click();
  EXPECT_EQ(CasillasAbiertas(*ventana), std::vector<std::string>{});
  Formulario(*ventana).ConsultaReg->click();
  Selecciona(1);
  Formulario(*ventana).Aceptar->click();
  ASSERT_EQ(ventana->Contexto().NumeroConcursoActual, 1);
  EXPECT_EQ(CasillasAbiertas(*ventana), std::vector<std::string>{});
  Formulario(*ventana).BorrarReg->click();
  Formulario(*ventana).Cancelar->click();
  Formulario(*ventana).ConsultaReg->click();
  Formulario(*ventana).Cancelar->click();
  EXPECT_EQ(CasillasAbiertas(*ventana), std::vector<std::string>{});
}

// The option boxes a load sets open the points grid and the hours box for a
// create or a modify; after a load nothing is being edited.
TEST_F(CicloConcurso, TrasCargarUnConcursoElEditorQuedaCerrado) {
  carpeta.CreaBases(1);
  const std::vector<prueba::Columna> opciones = {{"RecibirSiglas", "1"}, {"RecibirPuntos", "1"},
                                                 {"RepetirCadaHoras", "1"}, {"RepetirHoras", "2"},
                                                 {"PuntosMismoPais", "3"}};
  AgregaConcursoValido(1, "PUNTOS", "2025", opciones);
  AgregaConcursoValido(2, "HORAS", "2025", opciones);
  AgregaConcursoValido(3, "SIN OPCIONES", "2025");
  Arranca();
  ASSERT_EQ(ventana->Contexto().NumeroConcursoActual, 1);
  ASSERT_TRUE(Formulario(*ventana).RecibirPuntos->isChecked());
  ASSERT_TRUE(Formulario(*ventana).RepetirCadaHoras->isChecked());
  EXPECT_EQ(Texto(principal::kCampoHoras), "2");
  for (int i = 0; i < principal::kNumeroCamposTexto; ++i) EXPECT_TRUE(Formulario(*ventana).Bloqueado(i)) << i;

  // An accepted pick of another contest, after one that clears the boxes.
  Formulario(*ventana).ConsultaReg->click();
  Selecciona(3);
  Formulario(*ventana).Aceptar->click();
  ASSERT_EQ(ventana->Contexto().NumeroConcursoActual, 3);
  ASSERT_FALSE(Formulario(*ventana).RecibirPuntos->isChecked());
  Formulario(*ventana).ConsultaReg->click();
  Selecciona(2);
  Formulario(*ventana).Aceptar->click();
  ASSERT_EQ(ventana->Contexto().NumeroConcursoActual, 2);
  EXPECT_EQ(ventana->Operacion(), principal::OperacionEditor::Ninguna);
  for (int i = 0; i < principal::kNumeroCamposTexto; ++i) EXPECT_TRUE(Formulario(*ventana).Bloqueado(i)) << i;
  EXPECT_EQ(ventana->focusWidget(), Formulario(*ventana).AltaReg);

  // A modify opens them again.
  Formulario(*ventana).ModificarReg->click();
  EXPECT_FALSE(Formulario(*ventana).Bloqueado(principal::kPrimerPunto));
  EXPECT_FALSE(Formulario(*ventana).Bloqueado(principal::kCampoHoras));
  Formulario(*ventana).Cancelar->click();
  for (int i = 0; i < principal::kNumeroCamposTexto; ++i) EXPECT_TRUE(Formulario(*ventana).Bloqueado(i)) << i;
}

TEST_F(CicloConcurso, UnAltaConElNombreYLaEdicionDeOtroConcursoSeRechaza) {
  carpeta.CreaBases(1);
  AgregaConcursoValido(1, "PRUEBA", "2025");
  Arranca();
  const std::string antes = Volcado();

  Formulario(*ventana).AltaReg->click();
  LlenaEditor("PRUEBA", "2025");
  GuardaFormatoCabrillo(10);
  Formulario(*ventana).Text3[3]->setFocus();
  soporte::Mensajes().Espera(Respuesta::Aceptar, "Ya hay un concurso con el MISMO NOMBRE y EDICIÓN");
  Formulario(*ventana).Aceptar->click();
  ASSERT_EQ(soporte::Mensajes().Cajas().size(), 1u);
  EXPECT_EQ(soporte::Mensajes().Cajas()[0].titulo, "CONCURSO");
  EXPECT_EQ(soporte::Mensajes().Cajas()[0].icono, plataforma::Icono::Error);
  EXPECT_EQ(ventana->focusWidget(), Formulario(*ventana).Text3[1]);
  EXPECT_EQ(ventana->Operacion(), principal::OperacionEditor::Alta);
  EXPECT_TRUE(Formulario(*ventana).Aceptar->isEnabled());
  EXPECT_EQ(Lee("SELECT NumeroOrden FROM Concursos"), (Filas{{"1"}}));
  EXPECT_EQ(Control(), (Filas{{"9", "1"}}));
  EXPECT_EQ(Formulario(*ventana).Combo1->count(), 1);

  // Another edition of the same contest is a new contest.
  Formulario(*ventana).Text3[2]->setText("2026");
  soporte::Mensajes().Espera(Respuesta::Aceptar, "Alta del Concurso efectuada");
  Formulario(*ventana).Aceptar->click();
  EXPECT_EQ(Lee("SELECT NumeroOrden, Concurso, Edicion FROM Concursos ORDER BY NumeroOrden"),
            (Filas{{"1", "PRUEBA", "2025"}, {"10", "PRUEBA", "2026"}}));
  EXPECT_NE(Volcado(), antes);
}

// A name and edition that the editor tells apart from a stored contest's
// but that would name the same folder are refused, on a create and on a
// save, with a box naming the other contest; nothing is written and no
// folder is made.
TEST_F(CicloConcurso, UnNombreYEdicionConLaCarpetaDeOtroConcursoSeRechazan) {
  carpeta.CreaBases(1);
  AgregaConcursoValido(1, "CQ_E", "25");
  AgregaConcursoValido(2, "OTRO", "2025");
  Arranca();
  const auto carpetas = [this] {
    std::set<std::string> r;
    for (const auto& e : fs::directory_iterator(carpeta.Ruta()))
      if (e.is_directory()) r.insert(e.path().filename().string());
    return r;
  };
  // The edition box takes four characters.
  struct Caso {
    bool alta;  // a new contest; otherwise contest 2 is saved
    std::string nombre, edicion, carpeta, otro;
  } casos[] = {
      {true, "CQ", "E_25", "CQ_E_25", "\"CQ_E\" edición \"25\""},
      {true, " CQ_E", "25", "CQ_E_25", "\"CQ_E\" edición \"25\""},
      {true, " cq", "e_25", "cq_e_25", "\"CQ_E\" edición \"25\""},
      {false, "CQ", "E_25", "CQ_E_25", "\"CQ_E\" edición \"25\""},
      {false, "  cq_e", "25", "cq_e_25", "\"CQ_E\" edición \"25\""},
      {false, " Cq", "E_25", "Cq_E_25", "\"CQ_E\" edición \"25\""},
  };
  for (const auto& c : casos) {
    SCOPED_TRACE(c.nombre + " / " + c.edicion);
    if (!c.alta) {
      Formulario(*ventana).ConsultaReg->click();
      Selecciona(2);
      Formulario(*ventana).Aceptar->click();
      ASSERT_EQ(Texto(1), "OTRO");
    }
    const std::string antes = Volcado();
    const auto carpetasAntes = carpetas();
    if (c.alta) {
      Formulario(*ventana).AltaReg->click();
      LlenaEditor(c.nombre.c_str(), c.edicion.c_str());
    } else {
      Formulario(*ventana).ModificarReg->click();
      Formulario(*ventana).Text3[1]->setText(QString::fromStdString(c.nombre));
      Formulario(*ventana).Text3[2]->setText(QString::fromStdString(c.edicion));
    }
    ASSERT_EQ(Texto(1), c.nombre);
    ASSERT_EQ(Texto(2), c.edicion);
    Formulario(*ventana).Text3[3]->setFocus();
    soporte::Mensajes().Espera(Respuesta::Aceptar, ".- La carpeta de este concurso, \"" + c.carpeta +
                                                       "\", es la misma que la del concurso " + c.otro +
                                                       ": sus listas y resultados se mezclarían.\n\n.- Cambie el "
                                                       "nombre o la edición del concurso.");
    Formulario(*ventana).Aceptar->click();
    ASSERT_FALSE(soporte::Mensajes().Cajas().empty());
    EXPECT_EQ(soporte::Mensajes().Cajas().back().titulo, "VERIFICAR NOMBRE DEL CONCURSO");
    EXPECT_EQ(soporte::Mensajes().Cajas().back().icono, plataforma::Icono::Error);
    EXPECT_EQ(ventana->focusWidget(), Formulario(*ventana).Text3[1]);
    EXPECT_EQ(ventana->Operacion(), c.alta ? principal::OperacionEditor::Alta : principal::OperacionEditor::Modificar);
    EXPECT_TRUE(Formulario(*ventana).Aceptar->isEnabled());
    EXPECT_EQ(Volcado(), antes);
    EXPECT_EQ(carpetas(), carpetasAntes);
    Formulario(*ventana).Cancelar->click();
  }

  // A name of its own is taken.
  Formulario(*ventana).AltaReg->click();
  LlenaEditor("CQ E", "25");
  GuardaFormatoCabrillo(10);
  soporte::Mensajes().Espera(Respuesta::Aceptar, "Alta del Concurso efectuada");
  Formulario(*ventana).Aceptar->click();
  EXPECT_EQ(Lee("SELECT NumeroOrden, Concurso FROM Concursos ORDER BY NumeroOrden"),
            (Filas{{"1", "CQ_E"}, {"2", "OTRO"}, {"10", "CQ E"}}));
}

// A control character of either kind is refused in the name, since the
// folder would drop it.
TEST_F(CicloConcurso, UnNombreConUnCaracterDeControlSeRechaza) {
  carpeta.CreaBases(1);
  AgregaConcursoValido(1, "CQTEST", "2025");
  Arranca();
  for (const char* nombre : {"CQ\x01TEST", "CQ\xC2\x85TEST"}) {
    Formulario(*ventana).AltaReg->click();
    LlenaEditor(nombre, "2025");
    soporte::Mensajes().Espera(Respuesta::Aceptar,
                               ".- El nombre del concurso no puede contener \"/\", \"\\\", \"..\" ni caracteres de "
                               "control, porque da nombre a la carpeta del concurso");
    Formulario(*ventana).Aceptar->click();
    EXPECT_EQ(Lee("SELECT NumeroOrden FROM Concursos"), (Filas{{"1"}}));
    Formulario(*ventana).Cancelar->click();
  }
}

TEST_F(CicloConcurso, AlCargarElConcursoSeRehacenLosInformesDeListasNoEnviadas) {
  carpeta.CreaBases(1);
  AgregaConcursoValido(1, "PRUEBA", "2025");
  const std::string listas = carpeta.Ruta() + "/PRUEBA_2025/ListasNoEnviadas";
  fs::create_directories(listas);
  {
    std::ofstream f(listas + "/ListasNoEnviadas.txt", std::ios::binary);
    f << "QQ2B en 3 listas\r\nroto\r\nQQ1A en 3 listas\r\nQQ3C en 12 listas\r\n";
  }
  Arranca();
  EXPECT_FALSE(fs::exists(listas + "/ListasNoEnviadas.txt"));
  std::vector<std::string> porNumero;
  ASSERT_TRUE(plataforma::LeerLineas(listas + "/ListasNoEnviadasPorNumero.txt", porNumero));
  EXPECT_EQ(porNumero, (std::vector<std::string>{"QQ3C en 012 listas", "QQ1A en 003 listas", "QQ2B en 003 listas"}));
  EXPECT_TRUE(fs::exists(listas + "/ListasNoEnviadasPorIndicativo.txt"));
}

}  // namespace

// A report of logs not sent that cannot be written is told to the operator;
// the input list stays for the next time.
TEST_F(CicloConcurso, UnInformeDeNoEnviadasQueNoSeEscribeSeAvisa) {
  carpeta.CreaBases(1);
  AgregaConcursoValido(1, "PRUEBA", "2025");
  Arranca();
  const std::string entrada = ventana->Contexto().CarpetaConcurso + "/ListasNoEnviadas/ListasNoEnviadas.txt";
  ASSERT_TRUE(plataforma::EscribirLineas(entrada, {"QQ1ABC en 7 listas"}));
  std::filesystem::create_directories(ventana->Contexto().CarpetaConcurso +
                                      "/ListasNoEnviadas/ListasNoEnviadasPorNumero.txt/dentro");
  // A query of the contest rebuilds the reports.
  Formulario(*ventana).ConsultaReg->click();
  soporte::Mensajes().Espera(plataforma::Respuesta::Aceptar);
  Formulario(*ventana).Aceptar->click();
  ASSERT_EQ(soporte::Mensajes().Cajas().size(), 1u);
  EXPECT_EQ(soporte::Mensajes().Cajas()[0].titulo, "ERROR");
  EXPECT_EQ(soporte::Mensajes().Cajas()[0].icono, plataforma::Icono::Error);
  EXPECT_NE(soporte::Mensajes().Cajas()[0].texto.find("listas no enviadas"), std::string::npos);
  EXPECT_TRUE(std::filesystem::exists(entrada));
}

// A folder of the contest that cannot be created is told to the operator
// when the contest is loaded; the other folders are created.
TEST_F(CicloConcurso, UnaCarpetaDelConcursoQueNoSePuedeCrearSeAvisa) {
  carpeta.CreaBases(1);
  AgregaConcursoValido(1, "PRUEBA", "2025");
  const std::string concurso = carpeta.Ruta() + "/PRUEBA_2025";
  std::filesystem::create_directories(concurso);
  std::ofstream(concurso + "/ListasCruzadas") << "x";
  soporte::Mensajes().Espera(plataforma::Respuesta::Aceptar);
  Arranca();
  ASSERT_EQ(soporte::Mensajes().Cajas().size(), 1u);
  const auto& caja = soporte::Mensajes().Cajas()[0];
  EXPECT_EQ(caja.titulo, "ERROR");
  EXPECT_EQ(caja.icono, plataforma::Icono::Error);
  EXPECT_EQ(caja.texto.rfind("No se han podido crear estas carpetas del concurso:\n\n", 0), 0u) << caja.texto;
  EXPECT_NE(caja.texto.find("/PRUEBA_2025/ListasCruzadas"), std::string::npos) << caja.texto;
  EXPECT_EQ(caja.texto.find("ListasValidas"), std::string::npos) << caja.texto;
  EXPECT_TRUE(std::filesystem::is_directory(concurso + "/ListasValidas"));
}

TEST_F(CicloConcurso, UnNombreCortadoEnUnBlancoNoLlevaElBlancoALaCarpeta) {
  carpeta.CreaBases(-1);
  soporte::Mensajes().Espera(Respuesta::Aceptar, "No hay Concursos CONFIGURADOS");
  Arranca();
  Formulario(*ventana).AltaReg->click();
  // 63 letters, a blank and more: the box keeps the first 64 characters.
  const std::string largo = std::string(63, 'A') + " CONCURSO";
  LlenaEditor(largo.c_str(), "2025 ");
  ASSERT_EQ(Texto(1), std::string(63, 'A') + " ");
  GuardaFormatoCabrillo(1);
  soporte::Mensajes().Espera(Respuesta::Aceptar, "Alta del Concurso efectuada");
  Formulario(*ventana).Aceptar->click();

  EXPECT_EQ(Lee("SELECT Concurso, Edicion FROM Concursos"), (Filas{{std::string(63, 'A'), "2025"}}));
  EXPECT_EQ(Texto(1), std::string(63, 'A'));
  EXPECT_TRUE(fs::is_directory(carpeta.Ruta() + "/" + std::string(63, 'A') + "_2025/ListasValidas"));
  EXPECT_EQ(Formulario(*ventana).Combo1->currentText().toStdString(), std::string(63, 'A') + " .- Edición: 2025");

  // A save trims the same way.
  Formulario(*ventana).ModificarReg->click();
  Formulario(*ventana).Text3[1]->setText(QString::fromStdString(std::string(60, 'B') + "    "));
  soporte::Mensajes().Espera(Respuesta::Aceptar, "Modificación del Concurso efectuada");
  Formulario(*ventana).Aceptar->click();
  EXPECT_EQ(Lee("SELECT Concurso FROM Concursos"), (Filas{{std::string(60, 'B')}}));
  EXPECT_TRUE(fs::is_directory(carpeta.Ruta() + "/" + std::string(60, 'B') + "_2025"));
}
