#include "mainwindow/validacion_concurso.h"

#include <gtest/gtest.h>

namespace {

using namespace principal;

TEST(FechaTecleada, SeRehaceDesdeSusPosicionesYSeNormaliza) {
  struct Caso {
    const char* tecleada;
    bool valida;
    const char* resultado;
  };
  const Caso casos[] = {
      {"05-03-2018", true, "05-03-2018"},
      {"05/03/2018", true, "05-03-2018"},
      {"05032018", true, "05-03-2018"},
      {"05-032018", true, "05-03-2018"},
      {"0503/2018", true, "05-03-2018"},
      {"0503201812", true, "05-03-2018"},   // what follows the year is dropped
      {"05-03-201899", true, "05-03-2018"},
      {"05-03-18", true, "05-03-2018"},     // two-digit years: 00-29 this century
      {"050399", true, "05-03-1999"},
      {"29-02-2024", true, "29-02-2024"},
      {"5/3/2018", false, "5/-3/-2018"},
      {"5-3-2018", false, "5--3--2018"},
      {"31-02-2018", false, "31-02-2018"},
      {"29-02-2023", false, "29-02-2023"},
      {"05-13-2018", false, "05-13-2018"},
      {"05-03-218", false, "05-03-218"},
      {"AB-CD-EFGH", false, "AB-CD-EFGH"},
      {"1", false, "1--"},
  };
  for (const Caso& c : casos) {
    std::string campo = c.tecleada;
    EXPECT_EQ(NormalizaFecha(campo), c.valida) << c.tecleada;
    EXPECT_EQ(campo, c.resultado) << c.tecleada;
  }
}

TEST(PuntosDeLaRejilla, VaciosOEnteros) {
  for (const char* bueno : {"", "0", "1", "12", "-1"}) EXPECT_TRUE(EsPuntuacionValida(bueno)) << bueno;
  for (const char* malo : {"-", "1.", "1,5", " 1", "1 ", "X", "+1", "0x1"}) EXPECT_FALSE(EsPuntuacionValida(malo)) << malo;
}

TEST(PeriodoDelConcurso, ElComienzoDebeSerAnteriorAlFinal) {
  EXPECT_TRUE(ComienzoAnteriorAlFinal("05-03-2018", "12:30", "05-03-2018", "12:31"));
  EXPECT_TRUE(ComienzoAnteriorAlFinal("31-12-2018", "23:59", "01-01-2019", "00:00"));
  EXPECT_FALSE(ComienzoAnteriorAlFinal("05-03-2018", "12:30", "05-03-2018", "12:30"));
  EXPECT_FALSE(ComienzoAnteriorAlFinal("06-03-2018", "00:00", "05-03-2018", "23:59"));
  // Read day first, never month first.
  EXPECT_TRUE(ComienzoAnteriorAlFinal("02-03-2018", "00:00", "03-02-2019", "00:00"));
  EXPECT_FALSE(ComienzoAnteriorAlFinal("", "", "05-03-2018", "12:30"));
}

TEST(ListasDelConcurso, LaPrimeraQueFaltaEnSuOrden) {
  EstadoListasConcurso e;
  e.HayCategorias = true;
  EXPECT_EQ(PrimeraListaQueFalta(e), 0);

  // Each option with its empty list, alone.
  struct Caso {
    void (*pon)(EstadoListasConcurso&);
    int fallo;
  };
  const Caso casos[] = {
      {[](EstadoListasConcurso& s) { s.CadaProv = true; }, 1},
      {[](EstadoListasConcurso& s) { s.CadaProv = s.ExcluirProv = true; s.ListaProv = 1; }, 2},
      {[](EstadoListasConcurso& s) { s.CadaDistrito = true; }, 3},
      {[](EstadoListasConcurso& s) { s.CadaDistrito = s.ExcluirDistrito = true; s.ListaDistritos = 1; }, 4},
      {[](EstadoListasConcurso& s) { s.CadaEstacion = true; }, 5},
      {[](EstadoListasConcurso& s) { s.EstacionPorBanda = true; }, 5},
      {[](EstadoListasConcurso& s) { s.CadaPais = s.ExcluirPais = true; }, 6},
      {[](EstadoListasConcurso& s) { s.CadaPrefijo = s.ExcluirPrefijo = true; }, 7},
      {[](EstadoListasConcurso& s) { s.CadaCq = s.ExcluirCq = true; }, 8},
      {[](EstadoListasConcurso& s) { s.CadaSufijo = true; }, 9},
      {[](EstadoListasConcurso& s) { s.HayCategorias = false; }, 10},
  };
  for (const Caso& c : casos) {
    EstadoListasConcurso s;
    s.HayCategorias = true;
    c.pon(s);
    EXPECT_EQ(PrimeraListaQueFalta(s), c.fallo) << c.fallo;
  }

  // An exclude box without its type asks for nothing; exclude-own-country
  // stands in for the excluded-country list; a suffix format satisfies the
  // suffix.
  EstadoListasConcurso s;
  s.HayCategorias = true;
  s.ExcluirProv = s.ExcluirPais = s.ExcluirCq = true;
  s.CadaPais = true;
  s.OpcionExcluirMismoPais = true;
  s.CadaSufijo = true;
  s.FormatoSufijo = true;
  EXPECT_EQ(PrimeraListaQueFalta(s), 0);

  // Several missing: the first in order.
  s.CadaCq = true;
  s.CadaDistrito = true;
  s.HayCategorias = false;
  EXPECT_EQ(PrimeraListaQueFalta(s), 3);
}

TEST(ListasDelConcurso, AvisosConSusDosLineasYTitulos) {
  EXPECT_EQ(AvisoListaQueFalta(5).Titulo, AvisoListaQueFalta(1).Titulo);
  EXPECT_EQ(AvisoListaQueFalta(5).Segunda, AvisoListaQueFalta(1).Segunda);
  EXPECT_EQ(AvisoListaQueFalta(10).Titulo, ".- ERROR MULTIPLICADORES POR SUFIJOS");
  EXPECT_EQ(AvisoListaQueFalta(6).Texto(),
            ".- Se ha activado EXCLUIR PAíSES y no se han configurado los países excluidos.\n\n.- Pulse el botón "
            "'Configurar PAÍSES excluidos' del panel de multiplicadores y configure los excluidos");
  EXPECT_EQ(AvisoListaQueFalta(6).Titulo, ".- ERROR PAÍSES EXCLUIDOS");
}

}  // namespace
