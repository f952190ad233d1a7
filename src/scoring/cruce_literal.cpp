#include "scoring/cruce_literal.h"

#include "cabrillo/clave_categoria.h"
#include "common/paises.h"
#include "plataforma/lenguaje.h"
#include "plataforma/rutas.h"
#include "plataforma/texto.h"
#include "scoring/lectura_qso.h"
#include "scoring/reglas_cruce.h"

namespace scoring::literal {

using T = reglas::TokenQso;

namespace {

bool EmpiezaPor(std::string_view texto, std::string_view prefijo) { return texto.substr(0, prefijo.size()) == prefijo; }

bool EsQso(const std::string& linea) { return plataforma::Like(plataforma::Mayusculas(linea), "QSO:*"); }
bool EsFin(const std::string& linea) { return plataforma::Like(plataforma::Mayusculas(linea), "END-OF-LOG*"); }

std::vector<std::string> Lineas(const std::string& ruta) {
  std::vector<std::string> lineas;
  plataforma::LeerLineas(ruta, lineas);
  return lineas;
}

}  // namespace

void MarcaQsoDuplicados(std::vector<std::string>& lineas, const DatosCruce& datos) {
  const ReglasRepeticion& reglas = datos.Repeticion;
  if (reglas.RepetirEstacion) return;
  for (std::string& linea : lineas)
    if (EmpiezaPor(linea, "DUP00:")) linea = linea.substr(6);
  std::size_t primera = 0;
  while (primera < lineas.size() && !EmpiezaPor(lineas[primera], "QSO:")) ++primera;
  if (primera == lineas.size()) return;
  for (std::size_t i = primera; i < lineas.size() && !EsFin(lineas[i]); ++i) {
    if (!EsQso(lineas[i])) continue;
    const QsoRepeticion qi = LeeQsoRepeticion(lineas[i], datos.Intercambio);
    for (std::size_t j = i + 1; j < lineas.size() && !EsFin(lineas[j]); ++j) {
      if (!EsQso(lineas[j])) continue;
      const QsoRepeticion qj = LeeQsoRepeticion(lineas[j], datos.Intercambio);
      if (plataforma::Mayusculas(qi.trabajado) != plataforma::Mayusculas(qj.trabajado)) continue;
      if (EsRepeticion(qi, qj, reglas, datos.NombreConcurso)) lineas[j] = "DUP00:" + lineas[j];
    }
  }
}

bool FiguraEnListas(const std::string& carpeta, const std::vector<std::string>& entradas, const DatosCruce& datos,
                    std::string_view indicativo, int cuantas) {
  if (EsNombreDeLog(indicativo)) {
    const std::string ruta = plataforma::UneRuta(carpeta, std::string(indicativo) + ".LOG");
    if (plataforma::ExisteFichero(ruta)) {
      cabrillo::LectorLog log(Lineas(ruta));
      std::string categoria;
      cabrillo::LeeCategoria(log, categoria);
      if (plataforma::Like(plataforma::Mayusculas(categoria), "SERVER-OP*")) return true;
    }
  }
  if (cuantas <= 0) return true;
  const std::string_view buscado = IndicativoPresencia(indicativo);
  if (buscado.empty()) return false;
  int cuenta = 0;
  for (const std::string& entrada : entradas) {
    if (EsListaDeLaEstacion(entrada, buscado)) continue;
    for (const std::string& linea : Lineas(plataforma::UneRuta(carpeta, entrada))) {
      if (EsFin(linea)) break;
      if (!EsQso(linea)) continue;
      const reglas::TokensQso tokens = DesglosaLineaQso(linea, datos.Intercambio);
      if (!FechaQso(tokens[T::Fecha])) continue;
      if (IndicativoComparable(tokens[T::SuIndicativo], false) == buscado ||
          IndicativoComparable(tokens[T::MiIndicativo], false) == buscado) {
        ++cuenta;
        if (cuenta == cuantas) return true;
        break;
      }
    }
  }
  return false;
}

ResultadoCruce CruzaQso(const std::string& carpeta, const std::vector<std::string>& entradas,
                        const DatosCruce& datos, std::string_view linea, std::size_t indice_propia,
                        const OpcionesAnulacion& op) {
  ResultadoCruce r;
  const reglas::PerfilIntercambio& flags = datos.Intercambio;
  const QsoLeido q = LeeQso(linea, flags);
  if (!q.fecha) {
    r.Codigo = kNul08;
    return r;
  }
  if (op.AnularPorFecha && FueraDelPeriodo(q, datos.Periodo)) {
    r.Codigo = kNul07;
    return r;
  }
  std::string propio = q.tokens[T::MiIndicativo], propio_portable;
  SeparaPortable(propio, propio_portable);
  const std::string nuestro = op.AnularPorPortableDistinto ? propio + propio_portable : propio;
  const std::string& trabajado_escrito = q.tokens[T::SuIndicativo];
  std::string trabajado = trabajado_escrito, trabajado_portable;
  SeparaPortable(trabajado, trabajado_portable);
  if (concursos::Tiene(datos.NombreConcurso, &concursos::PerfilConcurso::log_por_banda) &&
      indice_propia < entradas.size())
    trabajado += SufijoSegovia(entradas[indice_propia]);

  // The worked station's log among the other entries.
  std::ptrdiff_t hallada = -1;
  const std::string buscada = plataforma::Mayusculas(trabajado + ".LOG");
  for (std::size_t i = 0; i < entradas.size(); ++i) {
    if (i == indice_propia) continue;
    if (plataforma::Mayusculas(entradas[i]) == buscada) {
      hallada = static_cast<std::ptrdiff_t>(i);
      break;
    }
  }
  const ReglaCuenta cuenta = ReglaDeCuenta(op);
  auto regla_de_cuenta = [&] {
    if (cuenta.requeridas > 0 && !FiguraEnListas(carpeta, entradas, datos, trabajado, cuenta.requeridas))
      r.Codigo = cuenta.codigo;
  };
  if (hallada < 0) {
    r.EstacionSinLista = true;
    r.IndicativoSinLista = trabajado;
    if (op.AnularQSO)
      r.Codigo = kNul01;
    else if (op.AnularQSOSiNoEstaEN) {
      if (!FiguraEnListas(carpeta, entradas, datos, trabajado, op.NumeroListasRequerido())) r.Codigo = kNul17;
    } else {
      regla_de_cuenta();
    }
    return r;
  }
  regla_de_cuenta();
  if (r.Anulado()) return r;

  const std::vector<std::string> lista2 =
      Lineas(plataforma::UneRuta(carpeta, entradas[static_cast<std::size_t>(hallada)]));
  std::string_view pendiente = op.AnularPorNoExistir ? kNul10 : std::string_view();
  for (const std::string& otra : lista2) {
    if (EsFin(otra)) break;
    if (!EsQso(otra)) continue;
    const QsoLeido o = LeeQso(otra, flags);
    std::string su_trabajado = o.fecha ? o.tokens[T::SuIndicativo] : std::string();
    std::string su_portable;
    SeparaPortable(su_trabajado, su_portable);
    if (op.AnularPorPortableDistinto) {
      su_trabajado += su_portable;
      pendiente = kNul19;
    }
    if (su_trabajado != nuestro) continue;
    if (op.AnularPorPortableDistinto && o.tokens[T::MiIndicativo] != trabajado_escrito) continue;
    if (o.banda != q.banda || o.modo != q.modo) {
      pendiente = kNul06;
      continue;
    }
    if (op.AnularPorFechaDistinta && !CoincidenFechaYHora(true, q.fecha, o.fecha, q.minutos, o.minutos)) {
      pendiente = kNul15;
      continue;
    }
    r.Codigo = CodigoIntercambio(q.tokens, EnviadoDe(o.tokens), flags, op);
    return r;
  }
  r.Codigo = pendiente;
  return r;
}

}  // namespace scoring::literal
