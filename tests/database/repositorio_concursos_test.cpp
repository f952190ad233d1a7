#include "database/repositorio_concursos.h"

#include <gtest/gtest.h>

#include <stdexcept>

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

}  // namespace
}  // namespace database
