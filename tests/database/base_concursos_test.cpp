// The empty contest database of the setup program, the table-creation
// operations and the start-up upgrade, on real database files.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "database/creacion.h"
#include "database/esquema.h"
#include "database/esquema_esperado.h"
#include "plataforma/dao.h"

namespace fs = std::filesystem;
using namespace database;

namespace {

class CarpetaTemporal {
 public:
  CarpetaTemporal() {
    std::string plantilla = (fs::temp_directory_path() / "esquema-XXXXXX").string();
    ruta_ = mkdtemp(plantilla.data());
  }
  ~CarpetaTemporal() {
    std::error_code ec;
    fs::remove_all(ruta_, ec);
  }
  std::string Fichero(const std::string& nombre) const { return (fs::path(ruta_) / nombre).string(); }

 private:
  std::string ruta_;
};

std::string Describe(const dao::Field& f) {
  std::string r = f.Name() + ":";
  switch (f.Type()) {
    case dao::Tipo::Boolean: return r + "B";
    case dao::Tipo::Integer: return r + "I";
    case dao::Tipo::Long: return r + "L";
    case dao::Tipo::Double: return r + "F";
    case dao::Tipo::Date: return r + "D";
    case dao::Tipo::Text: return r + (f.AllowZeroLength() ? "T" : "t") + std::to_string(f.Size());
  }
  return r + "?";
}

std::vector<std::string> ColumnasDe(dao::Database& base, std::string_view tabla) {
  std::vector<std::string> r;
  dao::Fields campos = base.TableDefs()[tabla].Fields();
  for (int i = 0; i < campos.Count(); ++i) r.push_back(Describe(campos[i]));
  return r;
}

std::vector<std::string> NombresDe(dao::Database& base, std::string_view tabla) {
  std::vector<std::string> r;
  dao::Fields campos = base.TableDefs()[tabla].Fields();
  for (int i = 0; i < campos.Count(); ++i) r.push_back(campos[i].Name());
  return r;
}

// Checks every table of the database against the layout written by hand.
void CompruebaLayoutCompleto(const std::string& ruta) {
  dao::Database base = dao::OpenDatabase(ruta);
  EXPECT_EQ(base.TableDefs().Count(), static_cast<int>(esperado::Tablas().size()));
  for (const auto& tabla : esperado::Tablas()) {
    SCOPED_TRACE(std::string(tabla.nombre));
    ASSERT_TRUE(base.TableDefs().Existe(tabla.nombre));
    EXPECT_EQ(base.TableDefs()[tabla.nombre].Name(), tabla.nombre);
    EXPECT_EQ(ColumnasDe(base, tabla.nombre), esperado::Entradas(tabla.columnas));
    EXPECT_EQ(base.OpenRecordset(tabla.nombre).RecordCount(), 0);
    EXPECT_TRUE(base.TableDefs()[tabla.nombre].Indexes().empty());
  }
  base.Close();
}

// A table with the given columns, made directly through the layer.
void CreaTablaCon(dao::Database& base, std::string_view nombre, const std::vector<Columna>& columnas) {
  dao::TableDef td = base.CreateTableDef(std::string(nombre));
  for (const Columna& c : columnas) {
    dao::Tipo tipo = dao::Tipo::Text;
    switch (c.tipo) {
      case TipoColumna::Booleano: tipo = dao::Tipo::Boolean; break;
      case TipoColumna::Entero: tipo = dao::Tipo::Integer; break;
      case TipoColumna::Largo: tipo = dao::Tipo::Long; break;
      case TipoColumna::Doble: tipo = dao::Tipo::Double; break;
      case TipoColumna::Fecha: tipo = dao::Tipo::Date; break;
      case TipoColumna::Texto: tipo = dao::Tipo::Text; break;
    }
    dao::Field f = td.CreateField(std::string(c.nombre), tipo, c.tipo == TipoColumna::Texto ? c.tamano : 0);
    if (c.tipo == TipoColumna::Texto) f.SetAllowZeroLength(true);
    td.Fields().Append(f);
  }
  base.TableDefs().Append(td);
}

// The creation layout of a table without the named columns, with others
// renamed (old name -> name in the old file).
std::vector<Columna> Sin(std::span<const Columna> base, const std::vector<std::string_view>& quitar,
                         const std::vector<std::pair<std::string_view, std::string_view>>& renombrar = {}) {
  std::vector<Columna> r;
  for (Columna c : base) {
    bool fuera = false;
    for (auto q : quitar) fuera = fuera || MismoNombre(q, c.nombre);
    if (fuera) continue;
    for (auto [de, a] : renombrar)
      if (c.nombre == de) c.nombre = a;
    r.push_back(c);
  }
  return r;
}

std::vector<std::string> Nombres(const std::vector<ColumnaAnadida>& anadidas, std::string_view tabla) {
  std::vector<std::string> r;
  for (const auto& a : anadidas)
    if (a.tabla == tabla) r.push_back(a.columna);
  return r;
}

std::string Contenido(const std::string& ruta) {
  std::ifstream f(ruta, std::ios::binary);
  std::ostringstream s;
  s << f.rdbuf();
  return s.str();
}

std::string ProgramaCrearLedrima() {
  fs::path propio = fs::read_symlink("/proc/self/exe");
  return (propio.parent_path().parent_path() / "tools" / "crear_ledrima").string();
}

const std::vector<std::string_view> kAnadidasConcursos = {
    "AnularDos",           "AnularPorFechaDistinta",      "AnularPorModoDistinto",
    "AnularPorNoExistir",  "AnularPorControlesDistintos", "AnularPorRSTDistinto",
    "AnularQSOSiNoEstaEN", "NumeroListas",                "EMailReclamaciones",
    "WEBConcurso",         "AnularPorPortableDistinto",   "SiglasONumeral"};
const std::vector<std::string_view> kAnadidasResumen = {
    "ServerOp", "PuntosRecibidos", "PuntosEnviados", "MisPuntos", "SusPuntos"};

}  // namespace

TEST(CrearLedrima, ElProgramaCreaLaBaseVaciaConElLayoutCompleto) {
  std::string programa = ProgramaCrearLedrima();
  ASSERT_TRUE(fs::exists(programa)) << programa;
  CarpetaTemporal carpeta;
  std::string ruta = carpeta.Fichero("Ledrima");
  ASSERT_EQ(std::system(("'" + programa + "' '" + ruta + "' 2>/dev/null").c_str()), 0);
  CompruebaLayoutCompleto(ruta);

  // A second run refuses and leaves the file as it was.
  std::string antes = Contenido(ruta);
  EXPECT_NE(std::system(("'" + programa + "' '" + ruta + "' 2>/dev/null").c_str()), 0);
  EXPECT_EQ(Contenido(ruta), antes);

  // Any file at the path is left alone.
  std::string otro = carpeta.Fichero("otro");
  { std::ofstream(otro) << "no es una base de datos"; }
  EXPECT_NE(std::system(("'" + programa + "' '" + otro + "' 2>/dev/null").c_str()), 0);
  EXPECT_EQ(Contenido(otro), "no es una base de datos");
  // Without an argument it does nothing.
  EXPECT_NE(std::system(("'" + programa + "' 2>/dev/null").c_str()), 0);
}

TEST(CrearLedrima, LaBaseVaciaEsLaDeCrearYActualizar) {
  CarpetaTemporal carpeta;
  std::string ruta = carpeta.Fichero("Ledrima");
  CreaBaseConcursosVacia(ruta);
  CompruebaLayoutCompleto(ruta);
  dao::Database base = dao::OpenDatabase(ruta);
  // Spot checks of the positional part.
  dao::Fields c = base.TableDefs()["Concursos"].Fields();
  EXPECT_EQ(c[3].Name(), "DesdeDia");
  EXPECT_EQ(c[3].Type(), dao::Tipo::Date);
  EXPECT_EQ(c[1].Size(), 64);
  EXPECT_EQ(c[118].Name(), "AnularDos");
  EXPECT_EQ(c[139].Name(), "SiglasONumeral");
  dao::Fields r = base.TableDefs()["resumencabrillo"].Fields();
  EXPECT_EQ(r[3].Name(), "ServerOp");
  EXPECT_EQ(r[82].Name(), "SusPuntos");
  base.Close();
  // A start-up on the new database has nothing to do.
  ResultadoActualizacion otra = ActualizaEsquema(ruta);
  EXPECT_TRUE(otra.anadidas.empty());
  EXPECT_FALSE(otra.creadaMultEspeciales);
  EXPECT_THROW(CreaBaseConcursosVacia(ruta), dao::Error);
}

TEST(CreacionDeTablas, RehaceLaTablaVaciaConSuLayoutDeCreacion) {
  CarpetaTemporal carpeta;
  std::string ruta = carpeta.Fichero("Ledrima");
  CreaBaseConcursosVacia(ruta);
  {
    dao::Database base = dao::OpenDatabase(ruta);
    dao::Recordset rs = base.OpenRecordset("Select * From Concursos");
    rs.AddNew();
    rs["NumeroOrden"] = dao::Variant(7);
    rs["Concurso"] = dao::Variant("PRUEBA");
    rs.Update();
    rs.Close();
    base.Close();
  }
  CrearTablaConcursos(ruta);
  CrearTablaResumenCabrillo(ruta);
  CrearTablaListaQso(ruta);
  CrearTablaClasificaciones(ruta);
  CrearTablaMultEstacionesEspeciales(ruta);
  dao::Database base = dao::OpenDatabase(ruta);
  EXPECT_EQ(base.OpenRecordset("Concursos").RecordCount(), 0);
  // The creation layouts: Concursos 129 columns (AnularDos at 118, no
  // appended columns), ResumenCabrillo 79 with ServerOp at 3.
  std::vector<std::string> concursos = NombresDe(base, "Concursos");
  ASSERT_EQ(concursos.size(), 129u);
  EXPECT_EQ(concursos[118], "AnularDos");
  EXPECT_EQ(concursos[128], "ExcluirMismaZonaCQ");
  std::vector<std::string> resumen = NombresDe(base, "ResumenCabrillo");
  ASSERT_EQ(resumen.size(), 79u);
  EXPECT_EQ(resumen[3], "ServerOp");
  EXPECT_EQ(resumen[78], "AsuntoConcurso");
  auto esperadas = esperado::Entradas(esperado::kListaQso);
  EXPECT_EQ(ColumnasDe(base, "ListaQso"), esperadas);
  EXPECT_EQ(ColumnasDe(base, "Clasificaciones"), esperado::Entradas(esperado::kClasificaciones));
  EXPECT_EQ(ColumnasDe(base, "ListaMultEspeciales"), esperado::Entradas(esperado::kListaMultEspeciales));
  base.Close();
  // Then the upgrade brings them to the full layout again.
  ActualizaEsquema(ruta);
  CompruebaLayoutCompleto(ruta);
}

TEST(Actualizacion, UnaBaseAntiguaRecibeExactamenteLasColumnasQueLeFaltan) {
  CarpetaTemporal carpeta;
  std::string ruta = carpeta.Fichero("Ledrima");
  {
    dao::Database base = dao::CreateDatabase(ruta);
    CreaTablaCon(base, "Concursos", Sin(ColumnasConcursos(), {"AnularDos"}));
    CreaTablaCon(base, "ResumenCabrillo", Sin(ColumnasResumenCabrillo(), {"ServerOp"}));
    CreaTablaCon(base, "ListaEspeciales", Sin(ColumnasListaEspeciales(), {}));
    dao::Recordset rs = base.OpenRecordset("Select * From Concursos");
    rs.AddNew();
    rs["NumeroOrden"] = dao::Variant(1);
    rs["Concurso"] = dao::Variant("ANTIGUO");
    rs["AnularQSO"] = dao::Variant(true);
    rs.Update();
    rs.Close();
    dao::Recordset re = base.OpenRecordset("Select * From ListaEspeciales");
    re.AddNew();
    re["NumeroOrden"] = dao::Variant(1);
    re["Estacion"] = dao::Variant("QQ1ESP");
    re["Puntos"] = dao::Variant(5);
    re.Update();
    re.Close();
    dao::Recordset rr = base.OpenRecordset("Select * From ResumenCabrillo");
    rr.AddNew();
    rr["NumeroOrden"] = dao::Variant(1);
    rr.Update();
    rr.Close();
    base.Close();
  }
  ResultadoActualizacion r = ActualizaEsquema(ruta);
  std::vector<std::string> concursos(kAnadidasConcursos.begin(), kAnadidasConcursos.end());
  std::vector<std::string> resumen(kAnadidasResumen.begin(), kAnadidasResumen.end());
  EXPECT_EQ(Nombres(r.anadidas, "Concursos"), concursos);
  EXPECT_EQ(Nombres(r.anadidas, "ResumenCabrillo"), resumen);
  EXPECT_EQ(Nombres(r.anadidas, "ListaEspeciales"), std::vector<std::string>{"Modo"});
  EXPECT_EQ(r.anadidas.size(), 18u);
  EXPECT_TRUE(r.creadaMultEspeciales);

  dao::Database base = dao::OpenDatabase(ruta);
  // Appended at the end, in order, with their types and sizes.
  std::vector<std::string> columnas = ColumnasDe(base, "Concursos");
  ASSERT_EQ(columnas.size(), 140u);
  EXPECT_EQ(std::vector<std::string>(columnas.begin() + 128, columnas.end()),
            (std::vector<std::string>{"AnularDos:B", "AnularPorFechaDistinta:B", "AnularPorModoDistinto:B",
                                      "AnularPorNoExistir:B", "AnularPorControlesDistintos:B",
                                      "AnularPorRSTDistinto:B", "AnularQSOSiNoEstaEN:B", "NumeroListas:T2",
                                      "EMailReclamaciones:T64", "WEBConcurso:T64",
                                      "AnularPorPortableDistinto:B", "SiglasONumeral:B"}));
  std::vector<std::string> cab = ColumnasDe(base, "ResumenCabrillo");
  ASSERT_EQ(cab.size(), 83u);
  EXPECT_EQ(std::vector<std::string>(cab.begin() + 78, cab.end()),
            (std::vector<std::string>{"ServerOp:B", "PuntosRecibidos:B", "PuntosEnviados:B", "MisPuntos:I",
                                      "SusPuntos:I"}));
  EXPECT_EQ(ColumnasDe(base, "ListaEspeciales").back(), "Modo:t6");
  EXPECT_EQ(ColumnasDe(base, "MultEspeciales"), esperado::Entradas(esperado::kMultEspeciales));

  // Old rows: False in the new Boolean columns, Null in the new texts,
  // "*" as the mode of a special station.
  dao::Recordset rs = base.OpenRecordset("Select * From Concursos Where NumeroOrden = 1");
  ASSERT_FALSE(rs.Eof());
  for (auto nombre : kAnadidasConcursos) {
    SCOPED_TRACE(std::string(nombre));
    if (nombre == "NumeroListas" || nombre == "EMailReclamaciones" || nombre == "WEBConcurso") {
      EXPECT_TRUE(rs[nombre].IsNull());
    } else {
      ASSERT_FALSE(rs[nombre].IsNull());
      EXPECT_FALSE(rs[nombre].CBool());
    }
  }
  EXPECT_TRUE(rs["AnularQSO"].CBool());
  EXPECT_EQ(rs["Concurso"].CStr(), "ANTIGUO");
  rs.Close();
  dao::Recordset rr = base.OpenRecordset("Select * From ResumenCabrillo");
  ASSERT_FALSE(rr.Eof());
  EXPECT_FALSE(rr["Serverop"].CBool());
  EXPECT_FALSE(rr["PuntosRecibidos"].CBool());
  EXPECT_TRUE(rr["MisPuntos"].IsNull());
  rr.Close();
  dao::Recordset re = base.OpenRecordset("Select * From ListaEspeciales Where NumeroOrden = 1");
  ASSERT_FALSE(re.Eof());
  EXPECT_EQ(re["Modo"].CStr(), "*");
  re.Close();
  base.Close();

  // A second start changes nothing.
  std::string antes;
  {
    dao::Database b = dao::OpenDatabase(ruta);
    for (const auto& t : esperado::Tablas())
      if (b.TableDefs().Existe(t.nombre))
        for (const auto& c : ColumnasDe(b, t.nombre)) antes += c + " ";
    b.Close();
  }
  ResultadoActualizacion segunda = ActualizaEsquema(ruta);
  EXPECT_TRUE(segunda.anadidas.empty());
  EXPECT_FALSE(segunda.creadaMultEspeciales);
  std::string despues;
  {
    dao::Database b = dao::OpenDatabase(ruta);
    for (const auto& t : esperado::Tablas())
      if (b.TableDefs().Existe(t.nombre))
        for (const auto& c : ColumnasDe(b, t.nombre)) despues += c + " ";
    b.Close();
  }
  EXPECT_EQ(antes, despues);
}

TEST(Actualizacion, UnaColumnaEnOtrasMayusculasNoDetieneElArranque) {
  CarpetaTemporal carpeta;
  std::string ruta = carpeta.Fichero("Ledrima");
  {
    dao::Database base = dao::CreateDatabase(ruta);
    std::vector<Columna> concursos = LayoutCompleto(kConcursos);
    CreaTablaCon(base, "Concursos",
                 Sin(concursos, {}, {{"AnularDos", "anulardos"}, {"SiglasONumeral", "SIGLASONUMERAL"}}));
    CreaTablaCon(base, "ResumenCabrillo",
                 Sin(LayoutCompleto(kResumenCabrillo), {}, {{"ServerOp", "Serverop"}}));
    CreaTablaCon(base, "ListaEspeciales", Sin(LayoutCompleto(kListaEspeciales), {}, {{"Modo", "MODO"}}));
    CreaTablaCon(base, "multespeciales", Sin(ColumnasMultEspeciales(), {}));
    base.Close();
  }
  ResultadoActualizacion r;
  ASSERT_NO_THROW(r = ActualizaEsquema(ruta));
  EXPECT_TRUE(r.anadidas.empty());
  EXPECT_FALSE(r.creadaMultEspeciales);
  dao::Database base = dao::OpenDatabase(ruta);
  std::vector<std::string> nombres = NombresDe(base, "Concursos");
  EXPECT_EQ(nombres.size(), 140u);
  EXPECT_EQ(nombres[118], "anulardos");
  EXPECT_EQ(base.TableDefs().Count(), 4);
  base.Close();
}

TEST(Actualizacion, UnPasoInterrumpidoSeCompletaEnElSiguienteArranque) {
  CarpetaTemporal carpeta;
  std::string ruta = carpeta.Fichero("Ledrima");
  {
    // A file left half-way: the first column of two steps is there, the
    // rest of the step is not.
    dao::Database base = dao::CreateDatabase(ruta);
    std::vector<Columna> concursos =
        Sin(LayoutCompleto(kConcursos), {"NumeroListas", "EMailReclamaciones", "WEBConcurso",
                                         "AnularPorPortableDistinto", "SiglasONumeral"});
    concursos.push_back({"EMailReclamaciones", TipoColumna::Texto, 64, true});
    CreaTablaCon(base, "Concursos", concursos);
    CreaTablaCon(base, "ResumenCabrillo",
                 Sin(LayoutCompleto(kResumenCabrillo), {"PuntosEnviados", "MisPuntos", "SusPuntos"}));
    CreaTablaCon(base, "ListaEspeciales", LayoutCompleto(kListaEspeciales));
    base.Close();
  }
  ResultadoActualizacion r = ActualizaEsquema(ruta);
  EXPECT_EQ(Nombres(r.anadidas, "Concursos"),
            (std::vector<std::string>{"NumeroListas", "WEBConcurso", "AnularPorPortableDistinto",
                                      "SiglasONumeral"}));
  EXPECT_EQ(Nombres(r.anadidas, "ResumenCabrillo"),
            (std::vector<std::string>{"PuntosEnviados", "MisPuntos", "SusPuntos"}));
  EXPECT_TRUE(Nombres(r.anadidas, "ListaEspeciales").empty());
  dao::Database base = dao::OpenDatabase(ruta);
  std::vector<std::string> cola = ColumnasDe(base, "Concursos");
  EXPECT_EQ(std::vector<std::string>(cola.end() - 5, cola.end()),
            (std::vector<std::string>{"EMailReclamaciones:T64", "NumeroListas:T2", "WEBConcurso:T64",
                                      "AnularPorPortableDistinto:B", "SiglasONumeral:B"}));
  base.Close();
}

TEST(Actualizacion, SinLaTablaDeUnPasoElArranqueFalla) {
  CarpetaTemporal carpeta;
  std::string ruta = carpeta.Fichero("Ledrima");
  EXPECT_THROW(ActualizaEsquema(ruta), dao::Error);  // no database file
  { dao::CreateDatabase(ruta).Close(); }
  EXPECT_THROW(ActualizaEsquema(ruta), dao::Error);  // no ResumenCabrillo
}
