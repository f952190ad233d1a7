#include "database/conexiones.h"

#include <algorithm>

#include "plataforma/rutas.h"
#include "plataforma/texto.h"

int PosicionOrdenada(const ListaConcursos& lista, const std::string& nuevo) {
  // Alphabetical: "ÁVILA" sorts next to "AVILA", not after "ZULU". The list
  // is kept sorted, so the place is found by halving: after the last entry
  // that does not sort after the new one.
  int desde = 0, hasta = lista.Cuenta();
  while (desde < hasta) {
    const int medio = desde + (hasta - desde) / 2;
    if (dao::ComparaTextos(nuevo, lista.Texto(medio)) >= 0)
      desde = medio + 1;
    else
      hasta = medio;
  }
  return desde;
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

std::string RutaBaseDeDatos(const EstadoConcurso& estado, const char* nombre) {
  return plataforma::ResuelveRuta(plataforma::UneRuta(estado.CarpetaTrabajo, nombre));
}

void AbrirBasesDeDatos(EstadoConcurso& estado) {
  estado.BaseConcursos = dao::OpenDatabase(RutaBaseDeDatos(estado, "Ledrima"));
  estado.DefinicionConcursos = estado.BaseConcursos.TableDefs()["Concursos"];
  estado.BasePaises = dao::OpenDatabase(RutaBaseDeDatos(estado, "Terravia"));
}

void AbrirControlConcursos(EstadoConcurso& estado) {
  const std::string ConsultaSql = "Select * From ControlConcursos";
  estado.RegistroControlConcursos = estado.BaseConcursos.OpenRecordset(ConsultaSql);
  if (!estado.RegistroControlConcursos.Eof()) return;

  // No control row: when contests exist, give the table its row now, so
  // that the first activation can record the active contest.
  auto maximo = estado.BaseConcursos.OpenRecordset("Select NumeroOrden From Concursos", dao::TipoRecordset::Snapshot);
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
  estado.RegistroControlConcursos.AddNew();
  estado.RegistroControlConcursos["UltimoConcurso"] = dao::Variant(ultimo);
  estado.RegistroControlConcursos["ConcursoActivo"] = dao::Variant(0);
  estado.RegistroControlConcursos.Update();
  estado.RegistroControlConcursos.Close();
  estado.RegistroControlConcursos = estado.BaseConcursos.OpenRecordset(ConsultaSql);
}

bool CargarComboConcursos(EstadoConcurso& estado, ListaConcursos& Combo1) {
  estado.ConcursoActual = estado.BaseConcursos.OpenRecordset("Select * From Concursos");
  if (estado.ConcursoActual.Eof()) return false;
  estado.HayConcursoCargado = true;
  for (estado.ConcursoActual.MoveFirst(); !estado.ConcursoActual.Eof(); estado.ConcursoActual.MoveNext()) {
    // Name and edition are the columns at positions 1 and 2.
    std::string texto = TextoEntradaConcurso(estado.ConcursoActual[1].CStr(), estado.ConcursoActual[2].CStr());
    Combo1.Agrega(texto, estado.ConcursoActual["NumeroOrden"].CLng());
  }

  int indice = 0;
  if (!estado.RegistroControlConcursos.Eof()) {
    auto activo = estado.RegistroControlConcursos["ConcursoActivo"].Value();
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
  estado.ConcursoActual.FindFirst("NumeroOrden = " + std::to_string(Combo1.Numero(indice)));
  return true;
}

void CierraBasesDeDatos(EstadoConcurso& estado) {
  if (estado.ConcursoActual.Abierto()) estado.ConcursoActual.Close();
  if (estado.RegistroControlConcursos.Abierto()) estado.RegistroControlConcursos.Close();
  estado.DefinicionConcursos = dao::TableDef();
  if (estado.BasePaises.Abierta()) estado.BasePaises.Close();
  if (estado.BaseConcursos.Abierta()) estado.BaseConcursos.Close();
  estado.HayConcursoCargado = false;
}
