#include <QPushButton>
#include <map>
#include <vector>

#include "editor_prueba.h"
#include "soporte/mensajes_guion.h"

namespace {

using prueba::EditorConcurso;

class Interbloqueos : public EditorConcurso {
 protected:
  void SetUp() override {
    EditorConcurso::SetUp();
    CreaConcurso();
    Arranca();
    EmpiezaEdicion();
  }

  std::map<std::string, bool> Valores() const {
    std::map<std::string, bool> r;
    for (const auto& o : ventana->OpcionesConcurso()) r[o.Casilla->objectName().toStdString()] = o.Casilla->isChecked();
    return r;
  }
  std::string Leyendas() const {
    return ventana->CadaBanda->text().toStdString() + "|" + ventana->CadaDia->text().toStdString() + "|" +
           ventana->CadaModo->text().toStdString();
  }
};

struct Caso {
  const char* descripcion;
  const char* concurso;                 // name of the contest in hand
  std::vector<const char*> antes;       // ticked first, in this order
  const char* pulsada;                  // the box the operator clicks
  std::map<std::string, bool> cambios;  // every box whose value changes, with its new value
  const char* leyendas;                 // captions of the period boxes after the click
};

const char* const kX = "x Banda|x Dia|x Modo";
const char* const kMas = "+ Banda|+ Dia|+ Modo";

const std::vector<Caso>& Casos() {
  static const std::vector<Caso> casos = {
      {"un tipo cambia las leyendas", "", {}, "CadaPais", {{"CadaPais", true}}, kMas},
      {"una variante desmarca su periodo", "", {"CadaPais", "CadaBanda"}, "PaisPorBanda",
       {{"PaisPorBanda", true}, {"CadaBanda", false}}, kMas},
      {"una variante sin su tipo no se queda, pero desmarca el periodo", "", {"CadaBanda"}, "PaisPorBanda",
       {{"CadaBanda", false}}, kX},
      {"el periodo desmarca las variantes de los tipos, no las de estaciones", "",
       {"CadaProv", "ProvPorBanda", "CadaEstacion", "EstacionPorBanda"}, "CadaBanda",
       {{"CadaBanda", true}, {"ProvPorBanda", false}}, kMas},
      {"la variante de cuadrícula desmarca el periodo, que luego puede volver", "", {"CadaCuadricula", "CadaBanda"},
       "CuadriculaPorBanda", {{"CuadriculaPorBanda", true}, {"CadaBanda", false}}, kX},
      {"el periodo deja marcada la variante de cuadrícula", "", {"CadaCuadricula", "CuadriculaPorBanda"},
       "CadaBanda", {{"CadaBanda", true}}, kX},
      {"la cuadrícula excluye los demás tipos salvo las estaciones", "",
       {"CadaPais", "PaisPorDia", "CadaEstacion", "EstacionPorModo", "CadaDistrito"}, "CadaCuadricula",
       {{"CadaCuadricula", true}, {"CadaPais", false}, {"PaisPorDia", false}, {"CadaDistrito", false}}, kMas},
      {"con cuadrícula un tipo se desmarca en el acto (sus efectos quedan)", "", {"CadaCuadricula"}, "CadaProv",
       {{"RecibirSiglas", true}, {"RecibirPuntos", true}}, kX},
      {"con cuadrícula las otras letras tampoco se quedan", "", {"CadaCuadricula"}, "Otros",
       {{"RecibirSiglas", true}, {"RecibirPuntos", true}}, kX},
      {"con cuadrícula las estaciones sí se quedan", "", {"CadaCuadricula"}, "CadaEstacion",
       {{"CadaEstacion", true}}, kMas},
      {"desmarcar un tipo desmarca sus variantes y su exclusión", "",
       {"CadaPais", "PaisPorBanda", "PaisPorDia", "PaisPorModo", "ExcluirPais"}, "CadaPais",
       {{"CadaPais", false}, {"PaisPorBanda", false}, {"PaisPorDia", false}, {"PaisPorModo", false},
        {"ExcluirPais", false}},
       kX},
      {"prefijo y sufijo son rivales", "", {"CadaPrefijo", "PrefijoPorDia"}, "CadaSufijo",
       {{"CadaSufijo", true}, {"CadaPrefijo", false}, {"PrefijoPorDia", false}}, kMas},
      {"sufijo y prefijo son rivales", "", {"CadaSufijo"}, "CadaPrefijo",
       {{"CadaPrefijo", true}, {"CadaSufijo", false}}, kMas},
      {"distrito y zona CQ son rivales", "", {"CadaDistrito", "ExcluirDistrito"}, "CadaCq",
       {{"CadaCq", true}, {"CadaDistrito", false}, {"ExcluirDistrito", false}}, kMas},
      {"zona CQ y distrito son rivales", "", {"CadaCq", "CQPorDia"}, "CadaDistrito",
       {{"CadaDistrito", true}, {"CadaCq", false}, {"CQPorDia", false}}, kMas},
      {"provincia desmarca otras letras y pide siglas", "", {"Otros"}, "CadaProv",
       {{"CadaProv", true}, {"Otros", false}}, kMas},
      {"otras letras desmarcan provincia", "", {"CadaProv"}, "Otros", {{"Otros", true}, {"CadaProv", false}}, kMas},
      {"VGE SPRINT admite provincia y otras letras", "VGE SPRINT", {"CadaProv"}, "Otros", {{"Otros", true}}, kMas},
      {"VGE SPRINT: provincia la última sigue desmarcando otras letras", "VGE SPRINT", {"Otros"}, "CadaProv",
       {{"CadaProv", true}, {"Otros", false}, {"RecibirSiglas", true}, {"RecibirPuntos", true}}, kMas},
      {"un locator hace el concurso por distancia", "", {"RecibirSiglas"}, "EnviarLocator",
       {{"EnviarLocator", true}, {"RecibirPuntos", false}, {"RecibirSiglas", false},
        {"RecibirPuntosPorKM", true}, {"CadaCuadricula", true}},
       kX},
      {"quitar el locator vuelve a los puntos", "", {"RecibirLocator"}, "RecibirLocator",
       {{"RecibirLocator", false}, {"RecibirPuntos", true}, {"RecibirPuntosPorKM", false},
        {"CadaCuadricula", false}},
       kX},
      {"el locator recibido pone la cuadrícula", "", {}, "RecibirLocator",
       {{"RecibirLocator", true}, {"RecibirPuntosPorKM", true}, {"CadaCuadricula", true}}, kX},
      {"COMARCAS CATALANAS: marcar el locator no cambia nada más", "COMARCAS CATALANAS", {"RecibirSiglas"},
       "RecibirLocator", {{"RecibirLocator", true}}, kX},
      {"COMARCAS CATALANAS: quitarlo sí vuelve a los puntos", "COMARCAS CATALANAS",
       {"RecibirLocator", "RecibirPuntosPorKM", "CadaCuadricula"}, "RecibirLocator",
       {{"RecibirLocator", false}, {"RecibirPuntos", true}, {"RecibirPuntosPorKM", false},
        {"CadaCuadricula", false}},
       kX},
      {"siglas enviadas quitan los locators", "", {"EnviarLocator", "RecibirLocator"}, "EnviarSiglas",
       {{"EnviarSiglas", true}, {"RecibirPuntos", true}, {"RecibirLocator", false}, {"EnviarLocator", false},
        {"RecibirPuntosPorKM", false}, {"CadaCuadricula", false}},
       kX},
      {"COMARCAS CATALANAS: siglas no quitan los locators", "COMARCAS CATALANAS", {"EnviarLocator"},
       "RecibirSiglas", {{"RecibirSiglas", true}}, kX},
      {"no recibir siglas quita otras letras", "", {"Otros"}, "RecibirSiglas",
       {{"RecibirSiglas", false}, {"Otros", false}}, kX},
      {"no enviar siglas no cambia nada más", "", {"EnviarSiglas"}, "EnviarSiglas", {{"EnviarSiglas", false}}, kX},
      {"quitar los multiplicadores desmarca todos", "", {"CadaPais", "PaisPorBanda", "CadaEstacion", "CadaDia"},
       "Multiplicadores",
       {{"Multiplicadores", false}, {"CadaPais", false}, {"PaisPorBanda", false}, {"CadaEstacion", false},
        {"CadaDia", false}},
       kX},
      {"no repetir excluye las demás reglas", "", {"RepetirEnCadaBanda", "RepetirEnCadaModo", "RepetirCadaHoras"},
       "NoRepetir",
       {{"NoRepetir", true}, {"RepetirEnCadaBanda", false}, {"RepetirEnCadaModo", false},
        {"RepetirCadaHoras", false}},
       kX},
      {"puede repetir excluye las demás reglas", "", {"NoRepetir"}, "RepetirEstacion",
       {{"RepetirEstacion", true}, {"NoRepetir", false}}, kX},
      {"distinta banda convive con repetir cada", "", {"RepetirCadaHoras", "RepetirEnCadaModo"},
       "RepetirEnCadaBanda", {{"RepetirEnCadaBanda", true}}, kX},
      {"repetir cada quita no repetir", "", {"RepetirEstacion"}, "RepetirCadaHoras",
       {{"RepetirCadaHoras", true}, {"RepetirEstacion", false}}, kX},
  };
  return casos;
}

TEST_F(Interbloqueos, CadaPulsacionCambiaExactamenteLasCasillasDeSuCadena) {
  for (const Caso& c : Casos()) {
    SCOPED_TRACE(c.descripcion);
    ventana->Contexto().NombreConcurso.clear();
    ventana->LimpiaIntercambio();
    ventana->LimpiaRepeticiones();
    ventana->DesmarcarMultiplicadores();
    ventana->RecibirPuntosPorKM->setChecked(false);
    ventana->Multiplicadores->setChecked(true);
    ventana->ActualizaBotonesConfiguracion();
    // The name box: leaving it sets the name of the contest in hand.
    PonTexto(1, c.concurso);
    ventana->Contexto().NombreConcurso = c.concurso;
    for (const char* nombre : c.antes) Casilla(nombre)->setChecked(true);
    for (const char* nombre : c.antes) {
      if (std::string(nombre) == c.pulsada) continue;
      ASSERT_TRUE(Casilla(nombre)->isChecked()) << nombre;
    }
    auto antes = Valores();
    QCheckBox* pulsada = Casilla(c.pulsada);
    ASSERT_TRUE(pulsada->isEnabled());
    pulsada->click();
    auto despues = Valores();
    std::map<std::string, bool> cambios;
    for (const auto& [nombre, valor] : despues)
      if (antes[nombre] != valor) cambios[nombre] = valor;
    EXPECT_EQ(cambios, c.cambios);
    EXPECT_EQ(Leyendas(), c.leyendas);
  }
}

TEST_F(Interbloqueos, UnLocatorEnciendeLosMultiplicadores) {
  ventana->Multiplicadores->click();
  ASSERT_FALSE(ventana->CadaCuadricula->isEnabled());
  ventana->EnviarLocator->click();
  EXPECT_TRUE(ventana->Multiplicadores->isChecked());
  EXPECT_TRUE(ventana->CadaCuadricula->isChecked());
  EXPECT_TRUE(ventana->CadaCuadricula->isEnabled());
  EXPECT_TRUE(ventana->RecibirPuntosPorKM->isChecked());
}

TEST_F(Interbloqueos, LosBotonesDeListaSiguenASuTipo) {
  std::map<QCheckBox*, QPushButton*> botones = {
      {ventana->CadaEstacion, ventana->ConfEstEsp},      {ventana->CadaPais, ventana->ConfPaisesExc},
      {ventana->CadaPrefijo, ventana->ConfPrefijos},     {ventana->CadaProv, ventana->ConfSiglasValidas},
      {ventana->CadaDistrito, ventana->ConfDistritosValidos}, {ventana->CadaSufijo, ventana->ConfSufijo},
      {ventana->CadaCq, ventana->ConfZonaExcluida}};
  for (auto [tipo, boton] : botones) {
    SCOPED_TRACE(tipo->objectName().toStdString());
    EXPECT_FALSE(boton->isEnabled());
    tipo->click();
    EXPECT_TRUE(boton->isEnabled());
    tipo->click();
    EXPECT_FALSE(boton->isEnabled());
  }
  // The grid square keeps the multiplier stations' button only.
  ventana->CadaPais->click();
  ventana->CadaEstacion->click();
  ventana->CadaCuadricula->click();
  EXPECT_FALSE(ventana->ConfPaisesExc->isEnabled());
  EXPECT_TRUE(ventana->ConfEstEsp->isEnabled());
  // The buttons no option governs stay as designed.
  for (QPushButton* b : {ventana->ConfMultEstacionesEspeciales, ventana->Especiales, ventana->ConfigurarCabrillo})
    EXPECT_TRUE(b->isEnabled());
}

TEST_F(Interbloqueos, LasExclusionesSoloSeAbrenAlEditarYConSuTipo) {
  // Ticking the master box opens every exclude box.
  EXPECT_TRUE(ventana->ExcluirPais->isEnabled());
  ventana->CadaPais->click();
  ventana->CadaPais->click();
  EXPECT_FALSE(ventana->ExcluirPais->isChecked());
  EXPECT_FALSE(ventana->ExcluirPais->isEnabled());
  // The band variant alone keeps it open (the day variant does not).
  ventana->CadaPais->click();
  ventana->PaisPorDia->click();
  ventana->ExcluirPais->click();
  ASSERT_TRUE(ventana->ExcluirPais->isChecked());
  ventana->OperacionRegistro = principal::OperacionEditor::Consulta;
  ventana->ActualizaExclusiones();
  EXPECT_FALSE(ventana->ExcluirPais->isEnabled());
  EXPECT_TRUE(ventana->ExcluirPais->isChecked());
  ventana->OperacionRegistro = principal::OperacionEditor::Modificar;
  ventana->ActualizaExclusiones();
  EXPECT_TRUE(ventana->ExcluirPais->isEnabled());
  EXPECT_FALSE(ventana->ExcluirPrefijo->isEnabled());
}

TEST_F(Interbloqueos, ElConcursoCargadoMuestraLaExclusionMarcadaPeroCerrada) {
  TearDown();
  carpeta.Ejecuta("UPDATE Concursos SET Multiplicadores = -1, CadaPais = -1, ExcluirPais = -1, CadaBanda = -1");
  Arranca();
  EXPECT_TRUE(ventana->CadaPais->isChecked());
  EXPECT_TRUE(ventana->ExcluirPais->isChecked());
  EXPECT_FALSE(ventana->ExcluirPais->isEnabled());
  EXPECT_TRUE(ventana->CadaBanda->isChecked());
  EXPECT_EQ(Leyendas(), "+ Banda|+ Dia|+ Modo");
  // A modify opens it; unticking the type closes it; ticking again opens it
  // unticked.
  ventana->OperacionRegistro = principal::OperacionEditor::Modificar;
  ventana->HabilitaMultiplicadores(1);
  ventana->CadaPais->click();
  EXPECT_FALSE(ventana->ExcluirPais->isChecked());
  EXPECT_FALSE(ventana->ExcluirPais->isEnabled());
  ventana->CadaPais->click();
  EXPECT_TRUE(ventana->ExcluirPais->isEnabled());
  EXPECT_FALSE(ventana->ExcluirPais->isChecked());
}

TEST_F(Interbloqueos, LosPuntosPorQsoLlenanYAbrenLaRejilla) {
  PonTexto(9, "5");
  ventana->RecibirPuntos->click();
  for (int i = principal::kPrimerPunto; i <= principal::kUltimoPunto; ++i) {
    EXPECT_EQ(Texto(i), "1") << i;
    EXPECT_FALSE(ventana->Bloqueado(i)) << i;
  }
  EXPECT_EQ(Foco(), ventana->Text3[7]);
  ventana->RecibirPuntos->click();
  for (int i = principal::kPrimerPunto; i <= principal::kUltimoPunto; ++i) {
    EXPECT_EQ(Texto(i), "") << i;
    EXPECT_TRUE(ventana->Bloqueado(i)) << i;
  }
  EXPECT_EQ(Foco(), ventana->Text3[1]);
  // Through a chain: a locator closes the grid, taking it away opens it.
  ventana->RecibirPuntos->click();
  ventana->EnviarLocator->click();
  EXPECT_EQ(Texto(12), "");
  EXPECT_TRUE(ventana->Bloqueado(12));
  ventana->EnviarLocator->click();
  EXPECT_EQ(Texto(12), "1");
  EXPECT_FALSE(ventana->Bloqueado(12));
}

TEST_F(Interbloqueos, ElCampoDeHorasSigueALasReglasDeRepeticion) {
  QLineEdit* horas = ventana->Text3[26];
  ventana->RepetirCadaHoras->click();
  EXPECT_TRUE(horas->isEnabled());
  EXPECT_FALSE(ventana->Bloqueado(26));
  EXPECT_EQ(Foco(), horas);
  PonTexto(26, "12:00");
  // "Distinta Banda" keeps "Repetir cada" but empties and closes the hours.
  ventana->RepetirEnCadaBanda->click();
  EXPECT_TRUE(ventana->RepetirCadaHoras->isChecked());
  EXPECT_EQ(Texto(26), "");
  EXPECT_FALSE(horas->isEnabled());
  EXPECT_TRUE(ventana->Bloqueado(26));
  // Unticking "Repetir cada" empties the box and closes it, enabled.
  ventana->RepetirCadaHoras->click();
  ventana->RepetirCadaHoras->click();
  PonTexto(26, "06:00");
  ventana->RepetirCadaHoras->click();
  EXPECT_EQ(Texto(26), "");
  EXPECT_TRUE(horas->isEnabled());
  EXPECT_TRUE(ventana->Bloqueado(26));
  EXPECT_EQ(Foco(), ventana->Text3[1]);
  ventana->NoRepetir->click();
  EXPECT_FALSE(horas->isEnabled());
}

TEST_F(Interbloqueos, LaVerificacionDelNombreSigueALaCasillaYNoSeGuarda) {
  ventana->Contexto().VerificarNombreExacto = false;
  ventana->VerificaNombre->setEnabled(true);
  ventana->VerificaNombre->click();
  EXPECT_TRUE(ventana->Contexto().VerificarNombreExacto);
  ventana->VerificaNombre->click();
  EXPECT_FALSE(ventana->Contexto().VerificarNombreExacto);
  ventana->VerificaNombre->click();
  // Loading a contest leaves it alone.
  ventana->CargaCamposConcurso();
  EXPECT_TRUE(ventana->Contexto().VerificarNombreExacto);
  ventana->Contexto().VerificarNombreExacto = false;
}

}  // namespace

namespace {

class CargaConOpciones : public prueba::EditorConcurso {};

// Loading a contest runs the handlers of the boxes whose value changes; their
// focus moves must not replace the name of the contest in hand with what the
// name box held before the row's texts were put in it.
TEST_F(CargaConOpciones, LosManejadoresNoCambianElNombreDelConcursoCargado) {
  carpeta.CreaBases(1);
  carpeta.AgregaConcurso(1, "PUNTOS", "2025",
                         {{"EnviarNumeral", "1"}, {"RecibirPuntos", "1"}, {"MismoContinente7", "3"},
                          {"RepetirCadaHoras", "1"}, {"RepetirHoras", "02:00"}});
  Arranca();
  EXPECT_EQ(ventana->Contexto().NombreConcurso, "PUNTOS");
  EXPECT_EQ(ventana->Contexto().EdicionConcurso, "2025");
  EXPECT_EQ(Texto(9), "3");
  EXPECT_EQ(Texto(10), "");
  EXPECT_EQ(Texto(26), "02:00");
  EXPECT_EQ(Foco(), ventana->AltaReg);
}

}  // namespace
