// The layout lists against the layout written out by hand.
#include <gtest/gtest.h>

#include <string>

#include "database/esquema.h"
#include "database/esquema_esperado.h"

using namespace database;

namespace {

std::string Describe(const Columna& c) {
  std::string r(c.nombre);
  r += ':';
  switch (c.tipo) {
    case TipoColumna::Booleano: return r + "B";
    case TipoColumna::Entero: return r + "I";
    case TipoColumna::Largo: return r + "L";
    case TipoColumna::Doble: return r + "F";
    case TipoColumna::Fecha: return r + "D";
    case TipoColumna::Texto: return r + (c.permiteVacio ? "T" : "t") + std::to_string(c.tamano);
  }
  return r + "?";
}

}  // namespace

TEST(Esquema, LayoutCompletoDeCadaTablaCoincideConElEscritoAMano) {
  ASSERT_EQ(Tablas().size(), esperado::Tablas().size());
  for (const auto& tabla : esperado::Tablas()) {
    SCOPED_TRACE(std::string(tabla.nombre));
    std::vector<std::string> esperadas = esperado::Entradas(tabla.columnas);
    std::vector<Columna> reales = LayoutCompleto(tabla.nombre);
    ASSERT_EQ(reales.size(), esperadas.size());
    for (std::size_t i = 0; i < reales.size(); ++i)
      EXPECT_EQ(Describe(reales[i]), esperadas[i]) << "ordinal " << i;
  }
}

TEST(Esquema, TamanosDeCreacionYDespuesDeActualizar) {
  EXPECT_EQ(ColumnasConcursos().size(), 129u);
  EXPECT_EQ(LayoutCompleto(kConcursos).size(), 140u);
  EXPECT_EQ(ColumnasResumenCabrillo().size(), 79u);
  EXPECT_EQ(LayoutCompleto(kResumenCabrillo).size(), 83u);
  EXPECT_EQ(ColumnasListaQso().size(), 33u);
  EXPECT_EQ(ColumnasMultEspeciales().size(), 9u);
  // ListaEspeciales gets Modo only from its upgrade step.
  EXPECT_EQ(OrdinalColumna(ColumnasListaEspeciales(), "Modo"), -1);
  EXPECT_EQ(OrdinalColumna(LayoutCompleto(kListaEspeciales), "modo"), 8);
}

TEST(Esquema, OrdinalesQueSeLeenPorPosicion) {
  auto c = ColumnasConcursos();
  EXPECT_EQ(c[0].nombre, "NumeroOrden");
  EXPECT_EQ(c[26].nombre, "RepetirHoras");
  EXPECT_EQ(c[27].nombre, "Banda1'8");
  EXPECT_EQ(c[40].nombre, "BandaUser");
  EXPECT_EQ(c[41].nombre, "ModoAM");
  EXPECT_EQ(c[52].nombre, "ModoUSER4");
  EXPECT_EQ(OrdinalColumna(c, "AnularDos"), 118);
  EXPECT_EQ(OrdinalColumna(c, "RepetirEnCadaModo"), 116);
  EXPECT_EQ(OrdinalColumna(c, "ExcluirMismaZonaCQ"), 128);
  auto r = ColumnasResumenCabrillo();
  EXPECT_EQ(OrdinalColumna(r, "Serverop"), 3);
  EXPECT_EQ(OrdinalColumna(r, "M15"), 12);
  EXPECT_EQ(OrdinalColumna(r, "M16"), 13);
  EXPECT_EQ(OrdinalColumna(r, "SuLocator"), 76);
  EXPECT_EQ(OrdinalColumna(r, "AsuntoConcurso"), 78);
}

TEST(Esquema, PasosDeActualizacionEnSuOrden) {
  struct Paso {
    const char* operacion;
    const char* tabla;
    std::vector<std::string> columnas;
  };
  const std::vector<Paso> esperados = {
      {"CrearCampoServerOp", "ResumenCabrillo", {"ServerOp:B"}},
      {"CrearCampoAnularDos", "Concursos", {"AnularDos:B"}},
      {"CrearCampoAnularPorFechaDistinta", "Concursos", {"AnularPorFechaDistinta:B"}},
      {"CrearCampoAnularPorModoDistinto", "Concursos", {"AnularPorModoDistinto:B"}},
      {"CrearCampoAnularPorNoExistir", "Concursos", {"AnularPorNoExistir:B"}},
      {"CrearCampoAnularPorControlesDistintos", "Concursos", {"AnularPorControlesDistintos:B"}},
      {"CrearCampoAnularPorRSTDistinto", "Concursos", {"AnularPorRSTDistinto:B"}},
      {"CrearCamposAnularSiNoEstaEn", "Concursos", {"AnularQSOSiNoEstaEN:B", "NumeroListas:T2"}},
      {"CrearCamposReclamacionesWeb", "Concursos", {"EMailReclamaciones:T64", "WEBConcurso:T64"}},
      {"CrearCamposPuntosCabrillo",
       "ResumenCabrillo",
       {"PuntosRecibidos:B", "PuntosEnviados:B", "MisPuntos:I", "SusPuntos:I"}},
      {"CrearCampoAnularPorPortableDistinto", "Concursos", {"AnularPorPortableDistinto:B"}},
      {"CrearCampoSiglasONumeral", "Concursos", {"SiglasONumeral:B"}},
      {"CrearCampoModoEspeciales", "ListaEspeciales", {"Modo:t6"}},
  };
  auto pasos = PasosActualizacion();
  ASSERT_EQ(pasos.size(), esperados.size());
  for (std::size_t i = 0; i < pasos.size(); ++i) {
    SCOPED_TRACE(esperados[i].operacion);
    EXPECT_EQ(pasos[i].operacion, esperados[i].operacion);
    EXPECT_EQ(pasos[i].tabla, esperados[i].tabla);
    std::vector<std::string> columnas;
    for (const Columna& c : pasos[i].columnas) columnas.push_back(Describe(c));
    EXPECT_EQ(columnas, esperados[i].columnas);
  }
}

TEST(Esquema, NombresSinDistinguirMayusculas) {
  EXPECT_TRUE(MismoNombre("RecibirPuntosPorKM", "RecibirPuntosPorKm"));
  EXPECT_TRUE(MismoNombre("Cadacq", "CadaCq"));
  EXPECT_TRUE(MismoNombre("ListaQSO", "ListaQso"));
  EXPECT_FALSE(MismoNombre("AnularDos", "AnularDo"));
  EXPECT_EQ(ColumnasDeTabla("listaqso").size(), 33u);
  EXPECT_TRUE(ColumnasDeTabla("NoExiste").empty());
}
