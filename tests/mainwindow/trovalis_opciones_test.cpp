#include <QPushButton>
#include <map>
#include <vector>

#include "casos_interbloqueos.h"
#include "editor_prueba.h"
#include "soporte/mensajes_guion.h"

using prueba::Formulario;

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
    const prueba::FormularioPrincipal f = Formulario(*ventana);
    for (principal::Opcion o : principal::OpcionesEnOrdenDeCarga()) {
      QCheckBox* casilla = f.Casilla(o);
      r[casilla->objectName().toStdString()] = casilla->isChecked();
    }
    return r;
  }
  std::string Leyendas() const {
    return Formulario(*ventana).CadaBanda->text().toStdString() + "|" +
           Formulario(*ventana).CadaDia->text().toStdString() + "|" +
           Formulario(*ventana).CadaModo->text().toStdString();
  }
};

using prueba::Caso;
using prueba::Casos;

TEST_F(Interbloqueos, CadaPulsacionCambiaExactamenteLasCasillasDeSuCadena) {
  for (const Caso& c : Casos()) {
    SCOPED_TRACE(c.descripcion);
    // Each case on a fresh create: Esc, then F2 and the master multiplier box.
    prueba::PulsaTecla(ventana.get(), Qt::Key_Escape);
    ASSERT_EQ(ventana->Operacion(), principal::OperacionEditor::Ninguna);
    ventana->Contexto().NombreConcurso.clear();
    EmpiezaEdicion();
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
  Formulario(*ventana).Multiplicadores->click();
  ASSERT_FALSE(Formulario(*ventana).CadaCuadricula->isEnabled());
  Formulario(*ventana).EnviarLocator->click();
  EXPECT_TRUE(Formulario(*ventana).Multiplicadores->isChecked());
  EXPECT_TRUE(Formulario(*ventana).CadaCuadricula->isChecked());
  EXPECT_TRUE(Formulario(*ventana).CadaCuadricula->isEnabled());
  EXPECT_TRUE(Formulario(*ventana).RecibirPuntosPorKM->isChecked());
}

TEST_F(Interbloqueos, LosBotonesDeListaSiguenASuTipo) {
  std::map<QCheckBox*, QPushButton*> botones = {
      {Formulario(*ventana).CadaEstacion, Formulario(*ventana).ConfEstEsp},
      {Formulario(*ventana).CadaPais, Formulario(*ventana).ConfPaisesExc},
      {Formulario(*ventana).CadaPrefijo, Formulario(*ventana).ConfPrefijos},
      {Formulario(*ventana).CadaProv, Formulario(*ventana).ConfSiglasValidas},
      {Formulario(*ventana).CadaDistrito, Formulario(*ventana).ConfDistritosValidos},
      {Formulario(*ventana).CadaSufijo, Formulario(*ventana).ConfSufijo},
      {Formulario(*ventana).CadaCq, Formulario(*ventana).ConfZonaExcluida}};
  for (auto [tipo, boton] : botones) {
    SCOPED_TRACE(tipo->objectName().toStdString());
    EXPECT_FALSE(boton->isEnabled());
    tipo->click();
    EXPECT_TRUE(boton->isEnabled());
    tipo->click();
    EXPECT_FALSE(boton->isEnabled());
  }
  // The grid square keeps the multiplier stations' button only.
  Formulario(*ventana).CadaPais->click();
  Formulario(*ventana).CadaEstacion->click();
  Formulario(*ventana).CadaCuadricula->click();
  EXPECT_FALSE(Formulario(*ventana).ConfPaisesExc->isEnabled());
  EXPECT_TRUE(Formulario(*ventana).ConfEstEsp->isEnabled());
  // The buttons no option governs stay as designed.
  for (QPushButton* b : {Formulario(*ventana).ConfMultEstacionesEspeciales, Formulario(*ventana).Especiales,
                         Formulario(*ventana).ConfigurarCabrillo})
    EXPECT_TRUE(b->isEnabled());
}

TEST_F(Interbloqueos, LasExclusionesSoloSeAbrenAlEditarYConSuTipo) {
  // Ticking the master box opens every exclude box.
  EXPECT_TRUE(Formulario(*ventana).ExcluirPais->isEnabled());
  Formulario(*ventana).CadaPais->click();
  Formulario(*ventana).CadaPais->click();
  EXPECT_FALSE(Formulario(*ventana).ExcluirPais->isChecked());
  EXPECT_FALSE(Formulario(*ventana).ExcluirPais->isEnabled());
  // The band variant alone keeps it open (the day variant does not).
  Formulario(*ventana).CadaPais->click();
  Formulario(*ventana).PaisPorDia->click();
  Formulario(*ventana).ExcluirPais->click();
  EXPECT_TRUE(Formulario(*ventana).ExcluirPais->isChecked());
  EXPECT_TRUE(Formulario(*ventana).ExcluirPais->isEnabled());
  EXPECT_FALSE(Formulario(*ventana).ExcluirPrefijo->isEnabled());
}

TEST_F(Interbloqueos, ElConcursoCargadoMuestraLaExclusionMarcadaPeroCerrada) {
  TearDown();
  carpeta.Ejecuta("UPDATE Concursos SET Multiplicadores = -1, CadaPais = -1, ExcluirPais = -1, CadaBanda = -1");
  Arranca();
  EXPECT_TRUE(Formulario(*ventana).CadaPais->isChecked());
  EXPECT_TRUE(Formulario(*ventana).ExcluirPais->isChecked());
  EXPECT_FALSE(Formulario(*ventana).ExcluirPais->isEnabled());
  EXPECT_TRUE(Formulario(*ventana).CadaBanda->isChecked());
  EXPECT_EQ(Leyendas(), "+ Banda|+ Dia|+ Modo");
  // A modify (F4) opens it; unticking the type closes it; ticking again
  // opens it unticked, and the exclude box of a type not ticked stays closed.
  Formulario(*ventana).ModificarReg->click();
  ASSERT_EQ(ventana->Operacion(), principal::OperacionEditor::Modificar);
  EXPECT_TRUE(Formulario(*ventana).ExcluirPais->isEnabled());
  Formulario(*ventana).CadaPais->click();
  EXPECT_FALSE(Formulario(*ventana).ExcluirPais->isChecked());
  EXPECT_FALSE(Formulario(*ventana).ExcluirPais->isEnabled());
  Formulario(*ventana).CadaPais->click();
  EXPECT_TRUE(Formulario(*ventana).ExcluirPais->isEnabled());
  EXPECT_FALSE(Formulario(*ventana).ExcluirPais->isChecked());
  EXPECT_FALSE(Formulario(*ventana).ExcluirPrefijo->isEnabled());
}

TEST_F(Interbloqueos, LosPuntosPorQsoLlenanYAbrenLaRejilla) {
  PonTexto(9, "5");
  Formulario(*ventana).RecibirPuntos->click();
  for (int i = principal::kPrimerPunto; i <= principal::kUltimoPunto; ++i) {
    EXPECT_EQ(Texto(i), "1") << i;
    EXPECT_FALSE(Formulario(*ventana).Bloqueado(i)) << i;
  }
  EXPECT_EQ(Foco(), Formulario(*ventana).Text3[7]);
  Formulario(*ventana).RecibirPuntos->click();
  for (int i = principal::kPrimerPunto; i <= principal::kUltimoPunto; ++i) {
    EXPECT_EQ(Texto(i), "") << i;
    EXPECT_TRUE(Formulario(*ventana).Bloqueado(i)) << i;
  }
  EXPECT_EQ(Foco(), Formulario(*ventana).Text3[1]);
  // Through a chain: a locator closes the grid, taking it away opens it.
  Formulario(*ventana).RecibirPuntos->click();
  Formulario(*ventana).EnviarLocator->click();
  EXPECT_EQ(Texto(12), "");
  EXPECT_TRUE(Formulario(*ventana).Bloqueado(12));
  Formulario(*ventana).EnviarLocator->click();
  EXPECT_EQ(Texto(12), "1");
  EXPECT_FALSE(Formulario(*ventana).Bloqueado(12));
}

TEST_F(Interbloqueos, ElCampoDeHorasSigueALasReglasDeRepeticion) {
  QLineEdit* horas = Formulario(*ventana).Text3[26];
  Formulario(*ventana).RepetirCadaHoras->click();
  EXPECT_TRUE(horas->isEnabled());
  EXPECT_FALSE(Formulario(*ventana).Bloqueado(26));
  EXPECT_EQ(Foco(), horas);
  PonTexto(26, "12:00");
  // "Distinta Banda" keeps "Repetir cada" but empties and closes the hours.
  Formulario(*ventana).RepetirEnCadaBanda->click();
  EXPECT_TRUE(Formulario(*ventana).RepetirCadaHoras->isChecked());
  EXPECT_EQ(Texto(26), "");
  EXPECT_FALSE(horas->isEnabled());
  EXPECT_TRUE(Formulario(*ventana).Bloqueado(26));
  // Unticking "Repetir cada" empties the box and closes it, enabled.
  Formulario(*ventana).RepetirCadaHoras->click();
  Formulario(*ventana).RepetirCadaHoras->click();
  PonTexto(26, "06:00");
  Formulario(*ventana).RepetirCadaHoras->click();
  EXPECT_EQ(Texto(26), "");
  EXPECT_TRUE(horas->isEnabled());
  EXPECT_TRUE(Formulario(*ventana).Bloqueado(26));
  EXPECT_EQ(Foco(), Formulario(*ventana).Text3[1]);
  Formulario(*ventana).NoRepetir->click();
  EXPECT_FALSE(horas->isEnabled());
}

TEST_F(Interbloqueos, LaVerificacionDelNombreSigueALaCasillaYNoSeGuarda) {
  ventana->Contexto().VerificarNombreExacto = false;
  Formulario(*ventana).VerificaNombre->setEnabled(true);
  Formulario(*ventana).VerificaNombre->click();
  EXPECT_TRUE(ventana->Contexto().VerificarNombreExacto);
  Formulario(*ventana).VerificaNombre->click();
  EXPECT_FALSE(ventana->Contexto().VerificarNombreExacto);
  Formulario(*ventana).VerificaNombre->click();
  // Loading a contest (a query of the one selected) leaves it alone.
  Formulario(*ventana).Cancelar->click();
  Formulario(*ventana).ConsultaReg->click();
  Formulario(*ventana).Aceptar->click();
  ASSERT_EQ(ventana->Contexto().NombreConcurso, "PRUEBA");
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
  EXPECT_EQ(Foco(), Formulario(*ventana).AltaReg);
}

}  // namespace
