#include <QPushButton>
#include <map>
#include <vector>

#include "casos_interbloqueos.h"
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

using prueba::Caso;
using prueba::Casos;

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
  EXPECT_TRUE(ventana->ExcluirPais->isChecked());
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
  // A modify (F4) opens it; unticking the type closes it; ticking again
  // opens it unticked, and the exclude box of a type not ticked stays closed.
  ventana->ModificarReg->click();
  ASSERT_EQ(ventana->Operacion(), principal::OperacionEditor::Modificar);
  EXPECT_TRUE(ventana->ExcluirPais->isEnabled());
  ventana->CadaPais->click();
  EXPECT_FALSE(ventana->ExcluirPais->isChecked());
  EXPECT_FALSE(ventana->ExcluirPais->isEnabled());
  ventana->CadaPais->click();
  EXPECT_TRUE(ventana->ExcluirPais->isEnabled());
  EXPECT_FALSE(ventana->ExcluirPais->isChecked());
  EXPECT_FALSE(ventana->ExcluirPrefijo->isEnabled());
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
