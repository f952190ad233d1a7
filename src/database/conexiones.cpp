#include "database/conexiones.h"

#include <algorithm>

#include "database/estado.h"
#include "plataforma/mensajes.h"
#include "plataforma/rutas.h"
#include "plataforma/texto.h"

dao::Database BaseConcursos;
dao::Database BasePaises;
dao::TableDef DefinicionConcursos;
dao::Recordset RegistroControlConcursos;
dao::Recordset ConcursoActual;
bool HayConcursoCargado = false;
std::string ConsultaSql;

int PosicionOrdenada(const ListaConcursos& lista, const std::string& nuevo) {
  // Alphabetical: "ÁVILA" sorts next to "AVILA", not after "ZULU".
  int i = 0;
  while (i < lista.Cuenta() && dao::ComparaTextos(nuevo, lista.Texto(i)) >= 0) ++i;
  return i;
}

void ListaConcursosSimple::Limpia() {
  entradas.clear();
  seleccion = -1;
}

int ListaConcursosSimple::Agrega(const std::string& texto, std::int32_t numero) {
  const int pos = PosicionOrdenada(*this, texto);
  entradas.insert(entradas.begin() + pos, Entrada{texto, numero});
  if (seleccion >= pos) ++seleccion;
  return pos;
}

std::string ListaConcursosSimple::Texto(int indice) const {
  return indice >= 0 && indice < Cuenta() ? entradas[static_cast<std::size_t>(indice)].texto : std::string();
}

std::int32_t ListaConcursosSimple::Numero(int indice) const {
  return indice >= 0 && indice < Cuenta() ? entradas[static_cast<std::size_t>(indice)].numero : 0;
}

std::string TextoEntradaConcurso(const std::string& nombre, const std::string& edicion) {
  return nombre + " .- Edición: " + edicion;
}

std::string RutaBaseDeDatos(const char* nombre) {
  return plataforma::ResuelveRuta(plataforma::UneRuta(CarpetaTrabajo, nombre));
}

void AbrirBasesDeDatos() {
  BaseConcursos = dao::OpenDatabase(RutaBaseDeDatos("Ledrima"));
  DefinicionConcursos = BaseConcursos.TableDefs()["Concursos"];
  BasePaises = dao::OpenDatabase(RutaBaseDeDatos("Terravia"));
}

void AbrirControlConcursos() {
  ConsultaSql = "Select * From ControlConcursos";
  RegistroControlConcursos = BaseConcursos.OpenRecordset(ConsultaSql);
  if (!RegistroControlConcursos.Eof()) return;

  // No control row: when contests exist, give the table its row now, so
  // that the first activation can record the active contest.
  auto maximo = BaseConcursos.OpenRecordset("Select NumeroOrden From Concursos", dao::TipoRecordset::Snapshot);
  std::int32_t ultimo = 0;
  bool hayConcursos = false;
  for (; !maximo.Eof(); maximo.MoveNext()) {
    auto v = maximo["NumeroOrden"].Value();
    if (v.IsNull()) continue;
    hayConcursos = true;
    ultimo = std::max(ultimo, v.CLng());
  }
  maximo.Close();
  if (!hayConcursos) return;
  RegistroControlConcursos.AddNew();
  RegistroControlConcursos["UltimoConcurso"] = dao::Variant(ultimo);
  RegistroControlConcursos["ConcursoActivo"] = dao::Variant(0);
  RegistroControlConcursos.Update();
  RegistroControlConcursos.Close();
  RegistroControlConcursos = BaseConcursos.OpenRecordset(ConsultaSql);
}

bool CargarComboConcursos(ListaConcursos& Combo1) {
  ConcursoActual = BaseConcursos.OpenRecordset("Select * From Concursos");
  if (ConcursoActual.Eof()) {
    plataforma::MsgBox("No hay Concursos CONFIGURADOS", "DEFINA ALGUN CONCURSO", plataforma::Icono::Informacion,
                       plataforma::Botones::Aceptar);
    return false;
  }
  HayConcursoCargado = true;
  for (ConcursoActual.MoveFirst(); !ConcursoActual.Eof(); ConcursoActual.MoveNext()) {
    // Name and edition are the columns at positions 1 and 2.
    std::string texto = TextoEntradaConcurso(ConcursoActual[1].CStr(), ConcursoActual[2].CStr());
    Combo1.Agrega(texto, ConcursoActual["NumeroOrden"].CLng());
  }

  int indice = 0;
  if (!RegistroControlConcursos.Eof()) {
    auto activo = RegistroControlConcursos["ConcursoActivo"].Value();
    if (!activo.IsNull() && activo.EsNumero()) {
      double buscado = activo.CDbl();
      for (int i = 0; i < Combo1.Cuenta(); ++i) {
        if (static_cast<double>(Combo1.Numero(i)) == buscado) {
          indice = i;
          break;
        }
      }
    }
  }
  Combo1.Selecciona(indice);
  ConcursoActual.FindFirst("NumeroOrden = " + std::to_string(Combo1.Numero(indice)));
  return true;
}

void CierraBasesDeDatos() {
  if (ConcursoActual.Abierto()) ConcursoActual.Close();
  if (RegistroControlConcursos.Abierto()) RegistroControlConcursos.Close();
  DefinicionConcursos = dao::TableDef();
  if (BasePaises.Abierta()) BasePaises.Close();
  if (BaseConcursos.Abierta()) BaseConcursos.Close();
  HayConcursoCargado = false;
}
