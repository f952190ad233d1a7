// The checks before a create or a save, on the contest in the editor without
// a window: each failing step with its notice and the box to correct, and
// the texts as the editor shows them afterwards.
#include "mainwindow/comprobacion_concurso.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "database/carpetas.h"
#include "fixture_principal.h"

namespace {

using principal::AvisoComprobacion;
using principal::ConcursoEnEdicion;
using principal::IconoAviso;
using principal::kFocoMultiplicadores;
using principal::Opcion;
using principal::ResultadoComprobacion;

// Three stored contests; only the first has its categories.
class ConsultasFijas : public principal::ConsultasComprobacion {
 public:
  struct Guardado {
    std::int32_t Numero;
    std::string Nombre, Edicion;
    bool Categorias;
  };
  std::vector<Guardado> concursos = {
      {1, "PRUEBA", "2025", true}, {2, "OTRO", "2025", false}, {3, "O'DONNELL", "2024", false}};

  bool HayConNombreYEdicion(const std::string& nombre, const std::string& edicion) override {
    for (const Guardado& g : concursos)
      if (g.Nombre == nombre && g.Edicion == edicion) return true;
    return false;
  }
  std::optional<OtroConcurso> OtroEnLaMismaCarpeta(const std::string& nombre, const std::string& edicion,
                                                   std::int32_t numero) override {
    for (const Guardado& g : concursos)
      if (g.Numero != numero && CompartenCarpeta(nombre, edicion, g.Nombre, g.Edicion))
        return OtroConcurso{g.Nombre, g.Edicion};
    return std::nullopt;
  }
  bool HayCategorias(long numero) override {
    for (const Guardado& g : concursos)
      if (g.Numero == numero) return g.Categorias;
    return false;
  }
};

const char* const kBlanco = "Este dato no se puede dejar en blanco";
const char* const kFecha = ".- ERROR en FORMATO fecha";
const char* const kHora =
    ".- ERROR en formato de la hora.- Formato admitido: hh:mm. Hora igual o menor que 23 y minutos igual o menor "
    "que 59";
const char* const kFechas = "Fecha y Hora de comienzo del CONCURSO mayor o igual que la fecha final";

class Comprobacion : public ::testing::Test {
 public:
  Comprobacion() {
    for (const principal::ColumnaConcurso& c : prueba::ColumnasConcursos()) entorno.Tipos.push_back(c.Tipo);
    entorno.NombreEnCurso = "PRUEBA";
    concurso.Operacion = principal::OperacionEditor::Alta;
    // A valid contest, typed in the forms the checks normalise.
    concurso.Textos[0] = "1";
    concurso.Textos[1] = "PRUEBA";
    concurso.Textos[2] = "2025";
    concurso.Textos[3] = "05/03/2018";
    concurso.Textos[4] = "1230";
    concurso.Textos[5] = "06032018";
    concurso.Textos[6] = "12:30";
    concurso.Bandas[4] = true;
    concurso.Modos[1] = true;
  }

  ResultadoComprobacion Comprueba() { return principal::CompruebaConcurso(concurso, entorno, consultas); }

  ConcursoEnEdicion concurso;
  principal::EntornoComprobacion entorno;
  ConsultasFijas consultas;
};

struct Fallo {
  const char* descripcion;
  std::function<void(ConcursoEnEdicion&)> prepara;
  const char* texto;   // nullptr: not compared
  const char* titulo;  // nullptr: no notice
  IconoAviso icono;
  int foco;
  bool pitido = false;
};

std::vector<Fallo> Fallos() {
  auto texto = [](int i, const char* t) {
    return [i, t](ConcursoEnEdicion& c) { c.Textos[static_cast<std::size_t>(i)] = t; };
  };
  auto marca = [](std::vector<Opcion> opciones) {
    return [opciones](ConcursoEnEdicion& c) {
      for (Opcion o : opciones) c.Cambia(o, true);
    };
  };
  return {
      {"nombre de blancos", texto(1, "   "), kBlanco, "Concurso", IconoAviso::Pregunta, 1, true},
      {"nombre con barra", texto(1, "A/B"), nullptr, "VERIFICAR NOMBRE DEL CONCURSO", IconoAviso::Error, 1},
      {"nombre con barra invertida", texto(1, "A\\B"), nullptr, "VERIFICAR NOMBRE DEL CONCURSO", IconoAviso::Error, 1},
      {"nombre con dos puntos seguidos", texto(1, ".."), nullptr, "VERIFICAR NOMBRE DEL CONCURSO", IconoAviso::Error,
       1},
      {"un tabulador no es un blanco", texto(1, " \tA"), nullptr, "VERIFICAR NOMBRE DEL CONCURSO", IconoAviso::Error,
       1},
      {"edición vacía", texto(2, ""), kBlanco, "Edicion", IconoAviso::Pregunta, 2, true},
      {"edición con dos puntos", texto(2, "1..2"), nullptr, "VERIFICAR EDICION DEL CONCURSO", IconoAviso::Error, 2},
      {"otro concurso con la misma edición", texto(1, "OTRO"), "Ya existe otro Concurso con la misma Edición",
       ".- ERROR EN NUEVA EDICIÖN)", IconoAviso::Error, 2},
      {"un nombre con apóstrofo se busca como cualquier otro",
       [](ConcursoEnEdicion& c) {
         c.Textos[1] = "O'DONNELL";
         c.Textos[2] = "2024";
       },
       "Ya existe otro Concurso con la misma Edición", ".- ERROR EN NUEVA EDICIÖN)", IconoAviso::Error, 2},
      {"fecha de comienzo vacía", texto(3, ""), kBlanco, "FECHA DEL CONCURSO", IconoAviso::Pregunta, 3, true},
      {"fecha de comienzo de blancos", texto(3, "  "), kBlanco, "FECHA DEL CONCURSO", IconoAviso::Pregunta, 3, true},
      {"fecha imposible", texto(3, "31-02-2018"), kFecha, "VERIFICAR FORMATO FECHA ", IconoAviso::Pregunta, 3},
      {"fecha sin ceros", texto(3, "5/3/2018"), kFecha, "VERIFICAR FORMATO FECHA ", IconoAviso::Pregunta, 3},
      {"hora de comienzo vacía", texto(4, ""), kBlanco, "HORA DEL COMIENZO CONCURSO", IconoAviso::Pregunta, 4, true},
      {"hora 24", texto(4, "24:00"), kHora, "VERIFICAR HORA", IconoAviso::Informacion, 4},
      {"minuto 60", texto(4, "1260"), kHora, "VERIFICAR HORA", IconoAviso::Informacion, 4},
      {"hora de tres cifras", texto(4, "123"), kHora, "VERIFICAR HORA", IconoAviso::Informacion, 4},
      {"hora de cinco sin dos puntos, sin aviso", texto(4, "12.30"), nullptr, nullptr, IconoAviso::Error, 4},
      {"minuto 60 con dos puntos", texto(4, "12:60"), kHora, "VERIFICAR HORA", IconoAviso::Informacion, 4},
      {"hora más larga que su caja", texto(4, "12:300"), kHora, "VERIFICAR HORA", IconoAviso::Informacion, 4},
      {"una letra por hora", texto(4, "A"), kHora, "VERIFICAR HORA", IconoAviso::Informacion, 4},
      {"fecha final vacía", texto(5, ""), kBlanco, "FECHA DEL CONCURSO", IconoAviso::Pregunta, 5, true},
      {"hora final vacía", texto(6, " "), kBlanco, "HORA DEL FINAL CONCURSO", IconoAviso::Pregunta, 6, true},
      {"hora final imposible", texto(6, "25:00"), kHora, "VERIFICAR HORA", IconoAviso::Informacion, 6},
      {"comienzo igual al final",
       [](ConcursoEnEdicion& c) {
         c.Textos[5] = "05-03-2018";
         c.Textos[6] = "12:30";
       },
       kFechas, ".- ERROR EN FECHAS", IconoAviso::Pregunta, 5, true},
      {"comienzo después del final", texto(5, "04-03-2018"), kFechas, ".- ERROR EN FECHAS", IconoAviso::Pregunta, 5,
       true},
      {"sin banda", [](ConcursoEnEdicion& c) { c.Bandas[4] = false; }, "No hay ninguna BANDA configurada",
       "VERIFICAR BANDA", IconoAviso::Error, 1},
      {"sin banda y con fecha mala: solo la fecha",
       [](ConcursoEnEdicion& c) {
         c.Bandas[4] = false;
         c.Textos[5] = "32-01-2018";
       },
       kFecha, "VERIFICAR FORMATO FECHA ", IconoAviso::Pregunta, 5},
      {"sin modo", [](ConcursoEnEdicion& c) { c.Modos[1] = false; }, "No hay ningún MODO configurado", "VERIFICAR MODO",
       IconoAviso::Error, 1},
      {"repetir cada sin horas", marca(std::vector<Opcion>{Opcion::RepetirCadaHoras}),
       "Falta el número de horas en que se puede REPETIR ESTACIÓN (Poner 24 para repetir contacto por dia )",
       "VERIFICAR HORAS DE REPETICION", IconoAviso::Error, 26},
      {"repetir cada con hora mala",
       [](ConcursoEnEdicion& c) {
         c.Cambia(Opcion::RepetirCadaHoras, true);
         c.Textos[26] = "25:00";
       },
       kHora, "VERIFICAR HORA", IconoAviso::Informacion, 26},
      {"multiplicadores solo por banda", marca(std::vector<Opcion>{Opcion::Multiplicadores, Opcion::CadaBanda}),
       "Se ha configurado 'Multiplicadores Por' y no se ha definido ningún tipo de multiplicador",
       "VERIFICAR MULTIPLICADORES", IconoAviso::Error, kFocoMultiplicadores},
      {"puntos que no son un número entero",
       [](ConcursoEnEdicion& c) {
         c.Cambia(Opcion::RecibirPuntos, true);
         c.Textos[12] = "1.";
       },
       ".- ERROR en FORMATO NUMERICO", "VERIFICAR NUMERO ", IconoAviso::Pregunta, 12},
      {"puntos con letras",
       [](ConcursoEnEdicion& c) {
         c.Cambia(Opcion::RecibirPuntos, true);
         c.Textos[25] = "X";
       },
       ".- ERROR en FORMATO NUMERICO", "VERIFICAR NUMERO ", IconoAviso::Pregunta, 25},
      {"provincias sin lista", marca(std::vector<Opcion>{Opcion::Multiplicadores, Opcion::CadaProv}),
       ".- Se ha activado 'multiplicador por Provincia' y no se ha configurado la Lista de códigos de Provincias "
       "válidas.\n\n.- Pulse el botón 'Configuración Avanzada' del panel de multiplicadores y configure los códigos",
       ".- ERROR MULTIPLICADORES POR PROVINCIAS", IconoAviso::Error, 1},
  };
}

TEST_F(Comprobacion, UnConcursoValidoPasaNormalizado) {
  const ResultadoComprobacion r = Comprueba();
  EXPECT_TRUE(r.Correcto);
  EXPECT_FALSE(r.Aviso);
  EXPECT_EQ(r.Foco, -1);
  EXPECT_EQ(concurso.Textos[3], "05-03-2018");
  EXPECT_EQ(concurso.Textos[4], "12:30");
  EXPECT_EQ(concurso.Textos[5], "06-03-2018");
  EXPECT_EQ(concurso.Textos[6], "12:30");
  // A blank points box stays blank (the scoring reads it as no points).
  EXPECT_EQ(concurso.Textos[7], "");
}

TEST_F(Comprobacion, CadaPasoFallidoDaSuAvisoYSuCaja) {
  const ConcursoEnEdicion valido = concurso;
  for (const Fallo& f : Fallos()) {
    SCOPED_TRACE(f.descripcion);
    concurso = valido;
    f.prepara(concurso);
    const ResultadoComprobacion r = Comprueba();
    EXPECT_FALSE(r.Correcto);
    ASSERT_EQ(r.Aviso.has_value(), f.titulo != nullptr);
    if (r.Aviso) {
      EXPECT_EQ(r.Aviso->Titulo, f.titulo);
      if (f.texto) {
        EXPECT_EQ(r.Aviso->Texto, f.texto);
      }
      EXPECT_EQ(r.Aviso->Icono, f.icono);
      EXPECT_EQ(r.Aviso->Pitido, f.pitido);
    }
    EXPECT_EQ(r.Foco, f.foco);
  }
}

TEST_F(Comprobacion, LasFechasSeCompruebanTambienEnLosDatosDelConcurso) {
  // Without column types the typed-field pass leaves the dates alone: the
  // period check still refuses them.
  entorno.Tipos.clear();
  const ConcursoEnEdicion valido = concurso;
  for (int indice : {3, 5}) {
    SCOPED_TRACE(indice);
    concurso = valido;
    concurso.Textos[static_cast<std::size_t>(indice)] = "30-02-2018";
    const ResultadoComprobacion r = Comprueba();
    EXPECT_FALSE(r.Correcto);
    ASSERT_TRUE(r.Aviso);
    EXPECT_EQ(r.Aviso->Texto, kFecha);
    EXPECT_EQ(r.Foco, indice);
    // Nothing is written back before the whole period has passed.
    EXPECT_EQ(concurso.Textos[3], indice == 3 ? "30-02-2018" : "05/03/2018");
    EXPECT_EQ(concurso.Textos[4], "1230");
  }
}

TEST_F(Comprobacion, LosCamposConTipoSoloSeNormalizanSiPasanTodos) {
  concurso.Cambia(Opcion::RecibirPuntos, true);
  concurso.Textos[25] = "X";
  EXPECT_FALSE(Comprueba().Correcto);
  EXPECT_EQ(concurso.Textos[3], "05/03/2018");
  EXPECT_EQ(concurso.Textos[25], "X");
}

TEST_F(Comprobacion, LasFechasYHorasSeGuardanNormalizadas) {
  concurso.Textos[3] = "0503201812";  // two digits too many
  concurso.Textos[4] = "0";
  concurso.Textos[5] = "07-03-18";  // two-digit year
  concurso.Textos[6] = "0930";
  ASSERT_TRUE(Comprueba().Correcto);
  EXPECT_EQ(concurso.Textos[3], "05-03-2018");
  EXPECT_EQ(concurso.Textos[4], "00:00");
  EXPECT_EQ(concurso.Textos[5], "07-03-2018");
  EXPECT_EQ(concurso.Textos[6], "09:30");
}

TEST_F(Comprobacion, LaRepeticionDe24HorasEsUnDiaYSinRepetirCadaNoSeMira) {
  concurso.Textos[26] = "XX";
  EXPECT_TRUE(Comprueba().Correcto);
  concurso.Cambia(Opcion::RepetirCadaHoras, true);
  concurso.Textos[26] = "24";
  EXPECT_TRUE(Comprueba().Correcto);
  EXPECT_EQ(concurso.Textos[26], "23:59");
}

TEST_F(Comprobacion, LasHorasQueFaltanAbrenSuCaja) {
  concurso.Cambia(Opcion::RepetirCadaHoras, true);
  concurso.Cambia(Opcion::RepetirEnCadaBanda, true);
  ASSERT_FALSE(concurso.HorasHabilitado);
  const ResultadoComprobacion r = Comprueba();
  EXPECT_FALSE(r.Correcto);
  EXPECT_TRUE(r.AbreHoras);
  EXPECT_EQ(r.Foco, principal::kCampoHoras);
  // Any other failure leaves the box as it is.
  concurso.Cambia(Opcion::RepetirCadaHoras, false);
  concurso.Bandas[4] = false;
  EXPECT_FALSE(Comprueba().AbreHoras);
}

// The name as loaded is not looked up again with the edition; a name and
// edition that are another contest's are still refused, for the folder they
// would share.
TEST_F(Comprobacion, SinCambiarElNombreNoSeBuscaOtraEdicion) {
  concurso.Textos[1] = "OTRO";
  concurso.Textos[2] = "2024";
  entorno.NombreEnCurso = "OTRO";
  EXPECT_TRUE(Comprueba().Correcto);
  concurso.Textos[2] = "2025";
  const ResultadoComprobacion r = Comprueba();
  EXPECT_FALSE(r.Correcto);
  ASSERT_TRUE(r.Aviso);
  EXPECT_EQ(r.Aviso->Titulo, "VERIFICAR NOMBRE DEL CONCURSO");
  EXPECT_EQ(r.Foco, 1);
}

TEST_F(Comprobacion, ListasQueFaltanYCategorias) {
  // Exclude-own-country covers an empty excluded-country list.
  concurso.Cambia(Opcion::Multiplicadores, true);
  concurso.Cambia(Opcion::CadaPais, true);
  concurso.Cambia(Opcion::ExcluirPais, true);
  entorno.ExcluirMismoPais = true;
  EXPECT_TRUE(Comprueba().Correcto);
  entorno.ExcluirMismoPais = false;
  ResultadoComprobacion r = Comprueba();
  EXPECT_FALSE(r.Correcto);
  ASSERT_TRUE(r.Aviso);
  EXPECT_EQ(r.Aviso->Titulo, ".- ERROR PAÍSES EXCLUIDOS");
  concurso.PonLista("ListaExPaises", {"EA8"});
  EXPECT_TRUE(Comprueba().Correcto);

  // A contest whose categories were never configured.
  concurso.Textos[0] = "2";
  concurso.Textos[1] = "OTRO";
  entorno.NombreEnCurso = "OTRO";
  r = Comprueba();
  EXPECT_FALSE(r.Correcto);
  ASSERT_TRUE(r.Aviso);
  EXPECT_EQ(r.Aviso->Texto,
            ".- No se han configurado las categorías válidas para el concurso\n\n.- Pulse el botón 'Configurar "
            "CATEGORÍAS concurso' y configure las categorías");
  EXPECT_EQ(r.Aviso->Titulo, ".- ERROR MULTIPLICADORES POR SUFIJOS");
  EXPECT_EQ(r.Foco, 1);
  // A number box that is not a number names no contest.
  concurso.Textos[0] = "1x";
  EXPECT_FALSE(Comprueba().Correcto);
}

TEST(NumeroDeCaja, SoloUnNumeroEntero) {
  const std::pair<const char*, std::int32_t> casos[] = {
      {"12", 12}, {" 12 ", 12}, {"-3", -3}, {"+7", 7}, {"", 0}, {"12a", 0}, {"1 2", 0}, {"abc", 0}, {"99999999999", 0},
  };
  for (const auto& [texto, numero] : casos) EXPECT_EQ(principal::NumeroDeCaja(texto), numero) << texto;
}

}  // namespace
