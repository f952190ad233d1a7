#include "database/repositorio_concursos.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "database/carpetas.h"
#include "database/creacion.h"
#include "soporte/carpeta_temporal.h"

namespace database {
namespace {

class RepositorioConcursosTest : public ::testing::Test {
 protected:
  void SetUp() override {
    CreaBaseConcursosVacia(carpeta_.En("Ledrima"));
    estado_.BaseConcursos = dao::OpenDatabase(carpeta_.En("Ledrima"));
  }
  void TearDown() override {
    if (estado_.ConcursoActual.Abierto()) estado_.ConcursoActual.Close();
    if (estado_.RegistroControlConcursos.Abierto()) estado_.RegistroControlConcursos.Close();
    estado_.BaseConcursos.Close();
  }
  int Cuenta(const char* tabla) {
    dao::Recordset rs =
        estado_.BaseConcursos.OpenRecordset(std::string("Select * From ") + tabla, dao::TipoRecordset::Snapshot);
    int n = 0;
    for (; !rs.Eof(); rs.MoveNext()) ++n;
    rs.Close();
    return n;
  }
  void Alta(std::int32_t numero, const char* nombre) {
    listas::ListasOcultas l = listas::ListasVacias();
    repositorio_.Alta(
        numero,
        [&](dao::Recordset& fila) {
          fila["NumeroOrden"] = dao::Variant(numero);
          fila["Concurso"] = dao::Variant(std::string(nombre));
          fila["Edicion"] = dao::Variant(std::string("2026"));
        },
        listas::OpcionesListas{}, l);
  }

  soporte::CarpetaTemporal carpeta_;
  EstadoConcurso estado_;
  RepositorioConcursos repositorio_{estado_};
};

// An operation that fails half-way leaves the database as it was; only a
// confirmed one is kept, and the guard then leaves nothing open.
TEST_F(RepositorioConcursosTest, UnaOperacionSeGuardaEnteraONada) {
  repositorio_.ReabreConjuntos();
  EXPECT_THROW(
      {
        Transaccion t(estado_.BaseConcursos);
        Alta(1, "PRUEBA");
        throw std::runtime_error("fallo a mitad");
      },
      std::runtime_error);
  EXPECT_FALSE(estado_.BaseConcursos.EnTransaccion());
  repositorio_.ReabreConjuntos();
  EXPECT_EQ(Cuenta("Concursos"), 0);
  EXPECT_EQ(Cuenta("ControlConcursos"), 0);

  {
    Transaccion t(estado_.BaseConcursos);
    Alta(1, "PRUEBA");
    t.Confirma();
  }
  EXPECT_FALSE(estado_.BaseConcursos.EnTransaccion());
  repositorio_.ReabreConjuntos();
  EXPECT_EQ(Cuenta("Concursos"), 1);
  EXPECT_TRUE(repositorio_.HayConNumero(1));
  EXPECT_EQ(estado_.RegistroControlConcursos["UltimoConcurso"].CLng(), 1);
  EXPECT_EQ(estado_.RegistroControlConcursos["ConcursoActivo"].CLng(), 1);
}

// Numbers are never reused: the next one follows the last handed out, or the
// highest contest row when that is higher; a deleted contest leaves no
// active one but keeps its number spent.
TEST_F(RepositorioConcursosTest, NumeracionAltaYBorrado) {
  repositorio_.ReabreConjuntos();
  EXPECT_EQ(repositorio_.ProximoNumero(), 1);
  Alta(1, "PRUEBA");
  Alta(2, "OTRO");
  EXPECT_EQ(repositorio_.ProximoNumero(), 3);
  EXPECT_TRUE(repositorio_.ExisteOtro("OTRO", "2026", 1));
  EXPECT_FALSE(repositorio_.ExisteOtro("OTRO", "2026", 2));
  estado_.BaseConcursos.Execute("INSERT INTO Concursos (NumeroOrden, Concurso, Edicion) VALUES (9, 'A', 'B')");
  EXPECT_EQ(repositorio_.ProximoNumero(), 10);

  repositorio_.Borra(2);
  repositorio_.ReabreConjuntos();
  EXPECT_FALSE(repositorio_.HayConNumero(2));
  EXPECT_EQ(estado_.RegistroControlConcursos["UltimoConcurso"].CLng(), 2);
  EXPECT_EQ(estado_.RegistroControlConcursos["ConcursoActivo"].CLng(), 0);
  EXPECT_EQ(repositorio_.ProximoNumero(), 10);
}

// Two contests the editor tells apart may still name one folder. The check
// finds the stored contest whose folder a name and edition would take, and
// the table is held against the folders themselves: after the stored
// contest's tree is made, the typed pair's folder is that one exactly when
// the check finds it.
TEST_F(RepositorioConcursosTest, OtroEnLaMismaCarpetaHallaLosNombresQueDanLaMismaCarpeta) {
  // 64 characters of four bytes each: the folder name is cut at 255 bytes.
  std::string largo;
  for (int i = 0; i < 64; ++i) largo += "\xF0\x9D\x95\x8F";
  struct Caso {
    std::string guardadoNombre, guardadoEdicion, nombre, edicion;
    bool comparten;
  } casos[] = {
      {"CQ_EA", "2025", "CQ", "EA_2025", true},
      {"CQ", "EA_2025", "CQ_EA", "2025", true},
      {"CQ\xC2\x85TEST", "2025", "CQTEST", "2025", true},  // C1 control character (NEL)
      {"CQTEST", "2025", "CQ\xC2\x9FTEST", "2025", true},
      {"CQ\tTEST", "2025", "CQTEST", "2025", true},   // C0 control character
      {" CQ TEST", "2025", "CQ TEST", "2025", true},  // leading blank
      {"CQ TEST", "2025", "  CQ TEST", "2025", true},
      {"CQ TEST", "2025 ", "CQ TEST", "2025", true},  // trailing blank
      {"cq test", "2025", "CQ TEST", "2025", true},   // letter case
      {"Año Nuevo", "2025", "AÑO NUEVO", "2025", true},
      {"X/CQ", "2025", "CQ", "2025", true},  // a path keeps its last part
      {largo, "2025", largo, "2026", true},
      {"CQ TEST", "2025", "CQ TEST", "2024", false},
      {"CQ EA", "2025", "CQ_EA", "2025", false},
      {"CQ_EA", "2025", "CQ_EA", "2025_", false},
      {"CQTEST", "2025", "CQ TEST", "2025", false},
      {"AÑO", "2025", "ANO", "2025", false},
      {"CQ\xC2\xA0TEST", "2025", "CQ TEST", "2025", false},  // no-break space is no control character
  };
  int i = 0;
  for (const auto& c : casos) {
    SCOPED_TRACE(c.guardadoNombre + "_" + c.guardadoEdicion + " / " + c.nombre + "_" + c.edicion);
    soporte::CarpetaTemporal trabajo;
    estado_.CarpetaTrabajo = trabajo.Ruta();
    estado_.BaseConcursos.Execute("DELETE FROM Concursos");
    estado_.BaseConcursos.Execute("INSERT INTO Concursos (NumeroOrden, Concurso, Edicion) VALUES (?, ?, ?)",
                                  {dao::Variant(++i), dao::Variant(c.guardadoNombre), dao::Variant(c.guardadoEdicion)});
    EXPECT_EQ(CompartenCarpeta(c.guardadoNombre, c.guardadoEdicion, c.nombre, c.edicion), c.comparten);
    EXPECT_EQ(CompartenCarpeta(c.nombre, c.edicion, c.guardadoNombre, c.guardadoEdicion), c.comparten);

    auto otro = repositorio_.OtroEnLaMismaCarpeta(c.nombre, c.edicion, 1000);
    ASSERT_EQ(otro.has_value(), c.comparten);
    if (otro) {
      EXPECT_EQ(otro->Numero, i);
      EXPECT_EQ(otro->Nombre, c.guardadoNombre);
      EXPECT_EQ(otro->Edicion, c.guardadoEdicion);
    }
    // The contest itself is never "another".
    EXPECT_FALSE(repositorio_.OtroEnLaMismaCarpeta(c.nombre, c.edicion, i));

    ASSERT_TRUE(CreaArbolCarpetasConcurso(estado_, c.guardadoNombre, c.guardadoEdicion).empty());
    const std::string guardada = estado_.CarpetaConcurso;
    EXPECT_EQ(RutaCarpetaConcurso(estado_, c.nombre, c.edicion) == guardada, c.comparten);
  }
}

// Of several contests in the folder, the first by number other than the
// contest itself is named; rows without a name or an edition are read as
// blank.
TEST_F(RepositorioConcursosTest, OtroEnLaMismaCarpetaNombraElPrimeroPorNumero) {
  estado_.BaseConcursos.Execute(
      "INSERT INTO Concursos (NumeroOrden, Concurso, Edicion) VALUES (7, 'cq', '2025'), (3, 'Cq', '2025'), "
      "(5, NULL, NULL), (4, 'CQ', '2024'), (2, 'CQ ', '2025')");
  auto otro = repositorio_.OtroEnLaMismaCarpeta("CQ", "2025", 1);
  ASSERT_TRUE(otro);
  EXPECT_EQ(otro->Numero, 3);
  EXPECT_EQ(otro->Nombre, "Cq");
  otro = repositorio_.OtroEnLaMismaCarpeta("CQ", "2025", 3);
  ASSERT_TRUE(otro);
  EXPECT_EQ(otro->Numero, 7);
  otro = repositorio_.OtroEnLaMismaCarpeta("", "", 1);
  ASSERT_TRUE(otro);
  EXPECT_EQ(otro->Numero, 5);
  EXPECT_EQ(otro->Nombre, "");
  EXPECT_FALSE(repositorio_.OtroEnLaMismaCarpeta("CQ", "2023", 1));
}

}  // namespace
}  // namespace database
