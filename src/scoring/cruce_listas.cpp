#include "scoring/cruce_listas.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <exception>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <utility>

#include "cabrillo/clave_categoria.h"
#include "cabrillo/lectura_concurso.h"
#include "common/edicion_concurso.h"
#include "common/progreso_etapa.h"
#include "plataforma/dao.h"
#include "plataforma/rutas.h"
#include "plataforma/texto.h"
#include "scoring/cruce.h"
#include "scoring/cruce_literal.h"
#include "scoring/duplicados.h"
#include "scoring/lectura_qso.h"
#include "scoring/reparto_logs.h"
#include "scoring/reglas_cruce.h"

namespace scoring {

namespace {

// `a` and `b` over the length of the shorter, compared with ASCII letters
// upper-cased in place: negative, zero or positive; no answer once a
// character beyond ASCII is met (the upper-cased texts then decide).
std::optional<int> ComparaAsciiSinCaso(std::string_view a, std::string_view b) {
  const std::size_t n = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < n; ++i) {
    auto x = static_cast<unsigned char>(a[i]), y = static_cast<unsigned char>(b[i]);
    if (x >= 0x80 || y >= 0x80) return std::nullopt;
    if (x >= 'a' && x <= 'z') x = static_cast<unsigned char>(x - 'a' + 'A');
    if (y >= 'a' && y <= 'z') y = static_cast<unsigned char>(y - 'a' + 'A');
    if (x != y) return x < y ? -1 : 1;
  }
  return 0;
}

// Text order of the window's sorted lists: without regard to letter case;
// equal texts keep the order they were added in.
bool AntesEnLista(std::string_view a, std::string_view b) {
  const std::optional<int> c = ComparaAsciiSinCaso(a, b);
  if (!c) return plataforma::Mayusculas(a) < plataforma::Mayusculas(b);
  return *c != 0 ? *c < 0 : a.size() < b.size();
}

// Whether `texto` upper-cased begins with `prefijo` upper-cased.
bool EmpiezaSinCaso(std::string_view texto, std::string_view prefijo) {
  const std::optional<int> c = ComparaAsciiSinCaso(texto, prefijo);
  if (!c) return plataforma::Mayusculas(texto).starts_with(plataforma::Mayusculas(prefijo));
  return *c == 0 && texto.size() >= prefijo.size();
}

void AgregaOrdenado(std::vector<std::string>& lista, std::string texto) {
  auto sitio = std::upper_bound(lista.begin(), lista.end(), texto, AntesEnLista);
  lista.insert(sitio, std::move(texto));
}

// A count with at least three digits ("001", "012", "1234").
std::string TresCifras(long numero) {
  char texto[24];
  std::snprintf(texto, sizeof texto, "%03ld", numero);
  return texto;
}

// The whole number that a text of digits holds; 0 for none.
long NumeroDe(std::string_view texto) {
  long n = 0;
  for (char c : texto) {
    if (c < '0' || c > '9') break;
    if (n < 100000000) n = n * 10 + (c - '0');
  }
  return n;
}

std::string RutaEnConcurso(const std::string& carpeta_concurso, std::string_view subcarpeta) {
  return plataforma::ResuelveRuta(plataforma::UneRuta(carpeta_concurso, subcarpeta));
}

// Progress over the lines of a log: 100 × (position + 1) / (lines − 1).
int Porcentaje(std::size_t posicion, std::size_t lineas) {
  if (lineas < 2) return 100;
  const double p = std::nearbyint(100.0 * static_cast<double>(posicion + 1) / static_cast<double>(lineas - 1));
  return static_cast<int>(std::clamp(p, 0.0, 100.0));
}

// A line the run crosses: it begins "QSO:" exactly (marked lines do not).
bool EsQsoACruzar(std::string_view linea) { return linea.starts_with("QSO:"); }

// A valid log read and worked out ahead of its turn.
struct LogPreparado {
  std::vector<std::string> lineas;
  std::string indicativo;
  TipoLista tipo = TipoLista::NoCruzada;
  OpcionesAnulacion previstas;                // the options the answers were given under
  std::vector<ResultadoCruce> resultados;     // by line; empty: none worked out
  // With the answers worked out: the bytes of the crossed copy, and the
  // marked lines of the annulled QSOs (each with CR LF) that follow the
  // legend in the annulled-QSO file, as the answers leave them.
  std::string cruzada;
  std::string anulados;
  std::exception_ptr excepcion;               // reading it failed: thrown in its turn
};

// Text in the encoding of the files the run writes (Windows-1252).
void AgregaCodificado(std::string& destino, std::string_view texto) {
  // ASCII (nearly always) is the same in both encodings; checked eight
  // bytes at a time.
  std::uint64_t altos = 0;
  std::size_t i = 0;
  for (; i + 8 <= texto.size(); i += 8) {
    std::uint64_t ocho;
    std::memcpy(&ocho, texto.data() + i, 8);
    altos |= ocho;
  }
  for (; i < texto.size(); ++i) altos |= static_cast<unsigned char>(texto[i]);
  const bool ascii = (altos & 0x8080808080808080ULL) == 0;
  if (ascii)
    destino.append(texto);
  else
    destino.append(plataforma::AWindows1252(texto));
}

}  // namespace

// ---------------------------------------------------------------- lists

namespace {

// The stations without log as the run keeps them (ListaNoEnviadas) and as
// the window's sorted list keeps them: one way of counting over either.
using ListaOrdenada = ListaNoEnviadas::Entradas_;

std::vector<std::string>::iterator PrimeroDesde(std::vector<std::string>& lista, const std::string& texto) {
  return std::lower_bound(lista.begin(), lista.end(), texto,
                          [](const std::string& e, const std::string& p) { return AntesEnLista(e, p); });
}
ListaOrdenada::iterator PrimeroDesde(ListaOrdenada& lista, const std::string& texto) { return lista.lower_bound(texto); }

// A new entry goes after those that sort equal.
void Inserta(std::vector<std::string>& lista, std::string texto) { AgregaOrdenado(lista, std::move(texto)); }
void Inserta(ListaOrdenada& lista, std::string texto) { lista.insert(std::move(texto)); }

void Reemplaza(std::vector<std::string>& lista, std::vector<std::string>::iterator sitio, std::string nueva) {
  // The new entry goes where the old one leaves room when it sorts between
  // the same neighbours, as it nearly always does: no need to shift the
  // whole list twice.
  const auto i = static_cast<std::size_t>(sitio - lista.begin());
  const bool mismo_sitio =
      (i == 0 || !AntesEnLista(nueva, lista[i - 1])) && (i + 1 == lista.size() || AntesEnLista(nueva, lista[i + 1]));
  if (mismo_sitio) {
    *sitio = std::move(nueva);
  } else {
    lista.erase(sitio);
    AgregaOrdenado(lista, std::move(nueva));
  }
}
void Reemplaza(ListaOrdenada& lista, ListaOrdenada::iterator sitio, std::string nueva) {
  // Taken out and put back after those that sort equal: where the list's
  // entry would stand in either case above.
  lista.erase(sitio);
  lista.insert(std::move(nueva));
}

// Counts a station without log in the list by callsign.
template <typename Lista>
void CuentaEnLista(Lista& lista, const std::string& indicativo) {
  // The station's entry begins "<call> en ": the list is sorted, so every
  // entry that can be it lies in the run of entries that begin so (letter
  // case aside), found by halving.
  const std::string prefijo = indicativo + " en ";
  for (auto it = PrimeroDesde(lista, prefijo); it != lista.end(); ++it) {
    if (!EmpiezaSinCaso(*it, prefijo)) break;
    const std::size_t en = it->find(" en ");
    if (en == std::string::npos || std::string_view(*it).substr(0, en) != indicativo) continue;
    const long numero = NumeroDe(std::string_view(*it).substr(en + 4)) + 1;
    Reemplaza(lista, it, indicativo + " en " + TresCifras(numero) + " Listas");
    return;
  }
  Inserta(lista, indicativo + " en 001 Lista");
}

// Whether the station is not yet counted for the log in hand; it is then.
bool PrimeraVezEnLaLista(ListasCruce& listas, const std::string& indicativo) {
  // The list is sorted: the same text lies among those that sort equal to
  // it, and a new one goes after them.
  std::vector<std::string>& lista = listas.SinListaYaInluido;
  const auto [desde, hasta] =
      std::equal_range(lista.begin(), lista.end(), indicativo,
                       [](const std::string& a, const std::string& b) { return AntesEnLista(a, b); });
  if (std::find(desde, hasta, indicativo) != hasta) return false;
  lista.insert(hasta, indicativo);
  return true;
}

}  // namespace

void CuentaListasNoEnviadas(ListasCruce& listas, const std::string& indicativo) {
  if (PrimeraVezEnLaLista(listas, indicativo)) CuentaEnLista(listas.NoEnviadasPorIndicativo, indicativo);
}

bool ListaNoEnviadas::PorTexto::operator()(const std::string& a, const std::string& b) const {
  return AntesEnLista(a, b);
}

void ListaNoEnviadas::Cuenta(const std::string& indicativo) { CuentaEnLista(entradas_, indicativo); }

void AnotaListaDeControl(ListasCruce& listas, const std::string& indicativo) {
  if (std::find(listas.DeControl.begin(), listas.DeControl.end(), indicativo) != listas.DeControl.end()) return;
  AgregaOrdenado(listas.DeControl, indicativo);
}

void OrdenaListasNoEnviadasPorNumero(ListasCruce& listas) {
  // Number and entry per station; the callsign is the text before the first
  // blank, the number the text between the second and the third.
  struct Entrada {
    long numero;
    std::string texto;
  };
  std::vector<Entrada> entradas;
  for (const std::string& e : listas.NoEnviadasPorIndicativo) {
    const std::size_t b1 = e.find(' ');
    if (b1 == std::string::npos) continue;
    const std::size_t b2 = e.find(' ', b1 + 1);
    if (b2 == std::string::npos) continue;
    const std::size_t b3 = e.find(' ', b2 + 1);
    const long numero = NumeroDe(std::string_view(e).substr(b2 + 1, b3 == std::string::npos ? b3 : b3 - b2 - 1));
    entradas.push_back({numero, e.substr(0, b1) + " en " + TresCifras(numero) + " listas"});
  }
  // Highest number first (as numbers, so that 1000 comes before 999); one
  // number's entries in list order.
  std::stable_sort(entradas.begin(), entradas.end(), [](const Entrada& a, const Entrada& b) {
    if (a.numero != b.numero) return a.numero > b.numero;
    return AntesEnLista(a.texto, b.texto);
  });
  for (Entrada& e : entradas) listas.NoEnviadasPorNumero.push_back(std::move(e.texto));
}

// ---------------------------------------------------------------- files

std::vector<std::string> LeyendaNulos(std::string_view numero_listas) {
  return {
      "",
      "\tSIGNIFICADO DE LOS ERRORES:",
      "NUL01: La estación del contacto no ha enviado Lista de control",
      "NUL02: La estación del contacto no figura en al menos en 2 listas ",
      "NUL03: La estación del contacto no figura en al menos en 5 listas ",
      "NUL04: La estación del contacto no figura en al menos en 10 listas ",
      "NUL05: La estación del contacto no figura en al menos en 15 listas ",
      "NUL06: No se encuentra ningún QSO en esta banda y modo con la estación de contacto",
      "NUL07: Fecha del QSO fuera de los limites del concurso",
      "NUL08: Fecha del QSO inválida",
      "NUL09: Fecha del QSO del corresponsal inválida",
      "NUL10: No hay QSO con esta estación en la lista del contacto",
      "NUL11: QSO con error en banda, modo, fecha, hora, tipo RST o controles enviados/recibidos",
      "NUL12: Los controles recibidos no coinciden con los enviados por el contacto ",
      "NUL13: El locator recibido no se corresponde con el enviado por el contacto",
      "NUL14: El numeral recibido no se corresponde con el enviado por el contacto",
      "NUL15: En la fecha y hora no hay ningún QSO en la estación de contacto",
      "NUL16: El RS(T) recibido no coincide con el RS(T) enviado por el corresponsal.",
      "NUL17: La estación contactada no ha enviado LISTA y no figura en otras " + std::string(numero_listas),
      "NUL18: Los puntos enviados y recibidos no coinciden. ",
      "NUL19: No hay QSO con la estación contactada o NO COINCIDEN LOS PORTABLES. ",
      "\tCONTACTOS NULOS:",
  };
}

std::string TextoLeyendaNulos(std::string_view numero_listas) {
  std::string texto;
  for (const std::string& linea : LeyendaNulos(numero_listas)) texto.append(linea).append("\r\n");
  return texto;
}

namespace {

std::string RutaListaCruzada(const std::string& carpeta_concurso, const std::string& nombre) {
  return plataforma::UneRuta(RutaEnConcurso(carpeta_concurso, "ListasCruzadas"), nombre);
}

}  // namespace

bool GuardaListaCruzada(const std::string& carpeta_concurso, const std::string& nombre,
                        const std::vector<std::string>& lineas) {
  return plataforma::EscribirLineas(RutaListaCruzada(carpeta_concurso, nombre), lineas);
}

std::string NombreFicheroNulos(std::string_view nombre_lista) {
  const std::size_t corte = nombre_lista.size() >= 3 ? nombre_lista.size() - 3 : 0;
  return std::string(nombre_lista.substr(0, corte)) + "NUL";
}

// ---------------------------------------------------------------- run

TipoLista TipoDeLista(std::string_view clave) {
  if (clave == "CHECKLOG" || clave == "CONTROL") return TipoLista::DeControl;
  if (clave == "SERVER-OP" || clave == "GRUPO 2012" || clave == "SWL") return TipoLista::NoCruzada;
  return TipoLista::Cruzada;
}

ResultadoCruceListas CruzaListas(EdicionConcurso& edicion, ProgresoEtapa& progreso, const ConcursoCruce& concurso,
                                 const std::function<OpcionesAnulacion()>& opciones, MetodoCruce metodo,
                                 const AlCruzarLista& al_cruzar) {
  if (!concurso.Base) throw ErrorCruce("No hay base de datos de concursos");
  DatosCruce datos;
  if (!LeeDatosCruce(*concurso.Base, concurso.NumeroOrden, datos))
    throw ErrorCruce("El concurso no figura en la base de datos de concursos");
  const std::optional<cabrillo::FilaResumenCabrillo> resumen =
      cabrillo::LeeFilaResumenCabrillo(*concurso.Base, concurso.NumeroOrden);
  const cabrillo::ConcursoClave clave_concurso{datos.NombreConcurso, resumen ? &*resumen : nullptr,
                                               concurso.SociosZurozi, concurso.Paises};

  // The folders the run writes into are listed once and kept up to date as
  // it creates and removes files: finding each new name without regard to
  // case must not read a folder of thousands of logs again.
  const plataforma::ListadosEnMemoria listados;

  // 1. Nothing of an earlier run is left.
  edicion.DescartaResultadosCruce();

  const std::vector<std::string> entradas = edicion.Lista(ListaEdicion::Validas);
  const std::string carpeta_validas = edicion.Ruta(ListaEdicion::Validas);
  const std::string carpeta_anulados = edicion.Ruta(ListaEdicion::QsoAnulados);
  ListasValidasCruce cruce(carpeta_validas, entradas, datos);
  ListasCruce listas;
  // The stations without log counted so far, moved to `listas` at the end.
  ListaNoEnviadas no_enviadas;
  auto cuenta_sin_lista = [&](const std::string& indicativo) {
    if (PrimeraVezEnLaLista(listas, indicativo)) no_enviadas.Cuenta(indicativo);
  };

  // What a valid log gives before its QSOs are told and written: its lines
  // (duplicates marked), its kind and, with the indexed engine, the answer
  // of each QSO line under the options in hand when the run began.
  auto prepara = [&](std::size_t k, LogPreparado& p, const OpcionesAnulacion* opciones_previstas) {
    const std::string& entrada = entradas[k];
    const std::string ruta = plataforma::ResuelveRuta(plataforma::UneRuta(carpeta_validas, entrada));
    if (!plataforma::LeerLineas(ruta, p.lineas)) throw plataforma::ErrorFichero(ruta, "No se puede leer el fichero");
    std::string clave;
    {
      cabrillo::LectorLog cabecera(p.lineas);
      cabrillo::LeeCabeceraCabrillo(cabecera, clave_concurso, clave, p.indicativo);
    }
    p.tipo = TipoDeLista(clave);
    if (p.tipo != TipoLista::Cruzada) return;
    // Each line's number among the QSO lines the index read from the file,
    // taken before the duplicates are marked (marking changes no other
    // line): a line crossed with its number is not read again.
    constexpr std::size_t kSinNumero = SIZE_MAX;
    std::vector<std::size_t> numeros;
    if (opciones_previstas) {
      numeros.assign(p.lineas.size(), kSinNumero);
      std::size_t n = 0;
      for (std::size_t i = 0; i < p.lineas.size(); ++i) {
        if (EsFinDeLog(p.lineas[i])) break;
        if (EsLineaQso(p.lineas[i])) numeros[i] = n++;
      }
    }
    if (metodo == MetodoCruce::Literal)
      literal::MarcaQsoDuplicados(p.lineas, datos);
    else
      MarcaQsoDuplicados(p.lineas, datos);
    if (!opciones_previstas) return;
    p.previstas = *opciones_previstas;
    p.resultados.resize(p.lineas.size());
    // The QSOs to cross, and what each will read of another log asked for
    // a few QSOs ahead.
    std::vector<std::size_t> a_cruzar;
    for (std::size_t i = 0; i < p.lineas.size(); ++i)
      if (EsQsoACruzar(p.lineas[i])) a_cruzar.push_back(i);
    constexpr std::size_t kDistancia = 3;
    for (std::size_t j = 0; j < a_cruzar.size(); ++j) {
      for (int etapa = 0; etapa <= 2; ++etapa) {
        const std::size_t adelante = j + kDistancia * static_cast<std::size_t>(etapa + 1);
        if (adelante < a_cruzar.size() && numeros[a_cruzar[adelante]] != kSinNumero)
          cruce.Anticipa(k, numeros[a_cruzar[adelante]], etapa);
      }
      const std::size_t i = a_cruzar[j];
      p.resultados[i] = cruce.CruzaQso(p.lineas[i], k, numeros[i], p.previstas);
    }
    // The files as these answers leave them (the same bytes as
    // GuardaListaCruzada and the annulled-QSO file of the run's thread).
    std::size_t largo = 0;
    for (const std::string& l : p.lineas) largo += l.size() + 8;
    p.cruzada.reserve(largo);
    for (std::size_t i = 0; i < p.lineas.size(); ++i) {
      const ResultadoCruce& r = p.resultados[i];
      if (r.Anulado()) {
        const std::size_t desde = p.cruzada.size();
        p.cruzada.append(r.Codigo).push_back(':');
        AgregaCodificado(p.cruzada, p.lineas[i]);
        p.cruzada.append("\r\n");
        p.anulados.append(p.cruzada, desde);
      } else {
        AgregaCodificado(p.cruzada, p.lineas[i]);
        p.cruzada.append("\r\n");
      }
    }
  };

  // With the indexed engine the logs are worked out ahead by the workers
  // (one per processor the program may use); this thread takes them in
  // list order, reads the options at every QSO as always and crosses again
  // any QSO whose options changed meanwhile.
  std::unique_ptr<RepartoLogs<LogPreparado>> reparto;
  std::mutex cerrojo_hechos;
  std::vector<std::unique_ptr<LogPreparado>> hechos;  // written: for the workers to free
  GrupoHilos hilos([&] {
    if (reparto) reparto->Para();
  });
  if (metodo == MetodoCruce::Indexado && !entradas.empty()) {
    const std::size_t n = std::min(HilosDeTrabajo(), entradas.size());
    cruce.Prepara(n);
    const OpcionesAnulacion previstas = opciones();
    reparto = std::make_unique<RepartoLogs<LogPreparado>>(entradas.size());
    for (std::size_t h = 0; h < n; ++h)
      hilos.Arranca([&, previstas] {
        std::size_t k = 0;
        while (reparto->Toma(k)) {
          // The logs this thread's reading left behind are freed here, not
          // by the thread that writes the files.
          std::vector<std::unique_ptr<LogPreparado>> liberar;
          {
            std::lock_guard<std::mutex> cierre(cerrojo_hechos);
            liberar.swap(hechos);
          }
          liberar.clear();
          auto p = std::make_unique<LogPreparado>();
          try {
            prepara(k, *p, &previstas);
          } catch (...) {
            p->excepcion = std::current_exception();
          }
          reparto->Entrega(k, std::move(p));
        }
      });
  }

  // 2. Each valid log in list order.
  for (std::size_t k = 0; k < entradas.size(); ++k) {
    const std::string& entrada = entradas[k];
    std::unique_ptr<LogPreparado> preparado;
    struct Hecho {
      std::unique_ptr<LogPreparado>& preparado;
      std::mutex& cerrojo;
      std::vector<std::unique_ptr<LogPreparado>>& hechos;
      bool para_los_hilos;
      ~Hecho() {
        if (!para_los_hilos || !preparado) return;
        std::lock_guard<std::mutex> cierre(cerrojo);
        hechos.push_back(std::move(preparado));
      }
    } hecho{preparado, cerrojo_hechos, hechos, reparto != nullptr};
    if (reparto) {
      preparado = reparto->Espera(k);
      if (preparado->excepcion) std::rethrow_exception(preparado->excepcion);
    } else {
      preparado = std::make_unique<LogPreparado>();
      prepara(k, *preparado, nullptr);
    }
    std::vector<std::string>& lineas = preparado->lineas;
    std::string& indicativo = preparado->indicativo;
    const TipoLista tipo = preparado->tipo;
    if (tipo == TipoLista::DeControl) {
      // A control log that gives no callsign is listed by its file name.
      if (indicativo.empty()) indicativo = entrada.substr(0, entrada.rfind('.'));
      AnotaListaDeControl(listas, indicativo);
      continue;
    }
    if (tipo == TipoLista::NoCruzada) continue;

    progreso.Paso("Procesando " + entrada);
    progreso.Porcentaje(0);
    progreso.Cede();

    // The annulled-QSO file is gathered in memory and filed whole at the
    // end of the log, when some QSO was annulled.
    OpcionesAnulacion vigentes = opciones();
    std::string nulos = plataforma::AWindows1252(TextoLeyendaNulos(vigentes.NumeroListas));
    bool anulado_en_lista = false;
    listas.SinListaYaInluido.clear();

    // While every QSO is crossed under the options its answer was worked
    // out with, the lines stay as read and the files are those the worker
    // made; at the first QSO crossed under other options the answers taken
    // so far mark their lines and the run goes on line by line.
    const std::vector<ResultadoCruce>& previstos = preparado->resultados;
    bool como_previsto = !previstos.empty();
    auto marca = [&](std::size_t i, std::string_view codigo) {
      lineas[i] = LineaMarcada(codigo, lineas[i]);
      AgregaCodificado(nulos, lineas[i]);
      nulos.append("\r\n");
    };
    for (std::size_t i = 0; i < lineas.size(); ++i) {
      if (!EsQsoACruzar(lineas[i])) continue;
      progreso.Porcentaje(Porcentaje(i, lineas.size()));
      progreso.Cede();
      vigentes = opciones();
      if (!previstos.empty() && vigentes == preparado->previstas) {
        const ResultadoCruce& r = previstos[i];
        if (r.Anulado()) {
          if (!como_previsto) marca(i, r.Codigo);
          anulado_en_lista = true;
        }
        if (r.EstacionSinLista) cuenta_sin_lista(r.IndicativoSinLista);
        continue;
      }
      if (como_previsto) {
        como_previsto = false;
        for (std::size_t j = 0; j < i; ++j)
          if (EsQsoACruzar(lineas[j]) && previstos[j].Anulado()) marca(j, previstos[j].Codigo);
      }
      const ResultadoCruce r = metodo == MetodoCruce::Literal
                                   ? literal::CruzaQso(carpeta_validas, entradas, datos, lineas[i], k, vigentes)
                                   : cruce.CruzaQso(lineas[i], k, vigentes);
      if (r.Anulado()) {
        marca(i, r.Codigo);
        anulado_en_lista = true;
      }
      if (r.EstacionSinLista) cuenta_sin_lista(r.IndicativoSinLista);
    }

    const std::string ruta_cruzada = plataforma::UneRuta(edicion.Ruta(ListaEdicion::Cruzadas), entrada);
    if (como_previsto) {
      if (al_cruzar) {
        for (std::size_t i = 0; i < lineas.size(); ++i)
          if (EsQsoACruzar(lineas[i]) && previstos[i].Anulado()) lineas[i] = LineaMarcada(previstos[i].Codigo, lineas[i]);
        al_cruzar(entrada, lineas);
      }
      if (!plataforma::ReemplazaFichero(RutaListaCruzada(edicion.Carpeta(), entrada), preparado->cruzada))
        throw plataforma::ErrorFichero(ruta_cruzada, "No se puede escribir el fichero");
      nulos.append(preparado->anulados);
    } else {
      if (al_cruzar) al_cruzar(entrada, lineas);
      if (!GuardaListaCruzada(edicion.Carpeta(), entrada, lineas))
        throw plataforma::ErrorFichero(ruta_cruzada, "No se puede escribir el fichero");
    }
    if (anulado_en_lista) {
      const std::string destino = plataforma::UneRuta(carpeta_anulados, NombreFicheroNulos(entrada));
      if (!plataforma::ReemplazaFichero(destino, nulos))
        throw plataforma::ErrorFichero(destino, "No se puede escribir el fichero");
    }
  }

  // 3. The lists of the whole run, to their files; the edition read again.
  listas.NoEnviadasPorIndicativo = no_enviadas.Entradas();
  OrdenaListasNoEnviadasPorNumero(listas);
  ResultadoCruceListas resultado{std::move(listas.NoEnviadasPorIndicativo), std::move(listas.NoEnviadasPorNumero),
                                 std::move(listas.DeControl)};
  edicion.Pon(ListaEdicion::NoEnviadasPorIndicativo, resultado.NoEnviadasPorIndicativo);
  edicion.Pon(ListaEdicion::NoEnviadasPorNumero, resultado.NoEnviadasPorNumero);
  edicion.Pon(ListaEdicion::DeControl, resultado.DeControl);
  for (ListaEdicion l :
       {ListaEdicion::NoEnviadasPorIndicativo, ListaEdicion::NoEnviadasPorNumero, ListaEdicion::DeControl})
    edicion.Guarda(l);
  for (ListaEdicion l :
       {ListaEdicion::Validas, ListaEdicion::Cruzadas, ListaEdicion::QsoAnulados, ListaEdicion::NoEnviadasPorIndicativo,
        ListaEdicion::NoEnviadasPorNumero, ListaEdicion::DeControl})
    edicion.Lee(l);

  // 4.
  progreso.Paso("FIN PROCESO");
  return resultado;
}

}  // namespace scoring
