#include "rules/bases_concurso_texto.h"

#include <algorithm>

#include "common/reglas_qso.h"
#include "database/concursos_especiales.h"
#include "plataforma/rutas.h"
#include "plataforma/texto.h"

namespace rules {
namespace {

constexpr int kColumnaIndicativoPropio = 31;

// A line of the sample or the ruler: a fixed width of blanks on which texts
// are written at columns counted from 1. A text that starts outside the
// line is left out; one that runs past its end is cut there.
class LineaColumnas {
 public:
  LineaColumnas() : texto_(kAnchoLineaQso, ' ') {}

  void Escribe(int columna, std::string_view valor) {
    if (columna < 1 || columna > kAnchoLineaQso) return;
    const auto desde = static_cast<std::size_t>(columna - 1);
    const std::size_t cuantos = std::min(valor.size(), texto_.size() - desde);
    texto_.replace(desde, cuantos, valor.substr(0, cuantos));
  }
  // A hyphen in every column from `desde` to `hasta`, both included, that
  // falls inside the line.
  void Guiones(int desde, int hasta) {
    for (int c = std::max(desde, 1); c <= std::min(hasta, kAnchoLineaQso); ++c)
      texto_[static_cast<std::size_t>(c - 1)] = '-';
  }
  const std::string& Texto() const { return texto_; }

 private:
  std::string texto_;
};

int ColumnaDe(const DatosBasesConcurso& d, rules::Columna c) { return d.perfil.columnas[c]; }
bool Marcado(const DatosBasesConcurso& d, rules::Elemento e) { return d.perfil.elementos[e]; }
bool Modo(const DatosBasesConcurso& d, std::string_view campo) { return d.perfil.Categoria(campo); }

std::string Entrada(const DatosBasesConcurso& d, std::size_t i) {
  return i >= 1 && i <= d.categoriasAdmitidas.size() ? d.categoriasAdmitidas[i - 1] : std::string();
}

constexpr std::string_view kCabeceraFinal[] = {
    "CLAIMED-SCORE: xxxxxx",  "CREATED-BY: Brelmont Versión 4.00", "NAME: Nombre y apellidos",
    "ADDRESS: Dirección",     "ADDRESS: Código postal y Localidad", "ADDRESS: SPAIN",
    "SOAPBOX: nota opcional"};

void AgregaCabeceraFinal(std::vector<std::string>& lineas) {
  for (std::string_view linea : kCabeceraFinal) lineas.emplace_back(linea);
}

void Agrega(std::vector<std::string>& lineas, const std::vector<std::string>& otras) {
  lineas.insert(lineas.end(), otras.begin(), otras.end());
}

void AgregaCategorias(std::vector<std::string>& lineas, std::span<const std::string_view> categorias) {
  for (std::string_view c : categorias) lineas.push_back(".- " + std::string(c));
}

void LineasCategorias(const DatosBasesConcurso& d, std::vector<std::string>& l) {
  const std::string& nombre = d.NombreConcurso;
  if (const auto fijas = concursos::CategoriasBasesDe(nombre); !fijas.empty()) {
    AgregaCategorias(l, fijas);
  } else {
    const concursos::NotaCategoria nota = concursos::NotaCategoriaDe(nombre);
    for (std::size_t i = 1; i <= d.categoriasAdmitidas.size(); ++i) {
      std::string linea = ".- " + Entrada(d, i);
      if (i == nota.entrada) linea += nota.nota;
      l.push_back(std::move(linea));
    }
  }
}

void CabeceraVersion3(const DatosBasesConcurso& d, std::vector<std::string>& l) {
  const LectorCampoLogico fila = LectorDe(d.perfil);
  const std::string& nombre = d.NombreConcurso;
  auto linea = [&l](std::string_view etiqueta, const std::string& valor) {
    if (!valor.empty()) l.push_back(std::string(etiqueta) + valor);
  };
  linea("CATEGORY-ASSISTED: ", ValorCategoriaAsistido(fila));
  linea("CATEGORY-OPERATOR: ",
        concursos::Tiene(nombre, &concursos::PerfilConcurso::operador_de_tabla) ? Entrada(d, 1)
                                                                                 : ValorCategoriaOperador(fila));
  linea("CATEGORY-BAND: ", ValorCategoriaBanda(fila));
  linea("CATEGORY-MODE: ", ValorCategoriaModo(fila));
  linea("CATEGORY-POWER: ", ValorCategoriaPotencia(fila));
  linea("CATEGORY-STATION: ", ValorCategoriaTipoEstacion(fila));
  linea("CATEGORY-TRANSMITTER: ", ValorCategoriaTransmisor(fila));
  linea("CATEGORY-OVERLAY: ", ValorCategoriaOverlay(fila));
  linea("CATEGORY-TIME: ", ValorCategoriaTiempo(fila));
}

std::vector<std::string> ParrafoFinal(const DatosBasesConcurso& d) {
  const bool diploma = concursos::EsDiploma(d.NombreConcurso);
  return {
      "La configuración de " + std::string(diploma ? "este diploma" : "este concurso") +
          " está disponible en la página web del autor del programa ",
      "de gestión de concursos, para su uso con dicho programa, que genera el fichero cabrillo con este formato.",
      "Quienes utilicen otro programa deberán comprobar, antes de enviarlo, que su fichero cabrillo ",
      "responde a la estructura aquí descrita, abriéndolo con un editor de textos (por ejemplo, el ",
      "Bloc de notas) y comparando la cabecera y las líneas de QSO con los ejemplos anteriores.",
  };
}

}  // namespace

int MitadRedondeada(int valor) {
  // Floor division, then a half goes to the even neighbour.
  int q = valor >= 0 ? valor / 2 : -((-valor + 1) / 2);
  const int resto = valor - 2 * q;  // 0 or 1
  if (resto == 1 && q % 2 != 0) ++q;
  return q;
}

std::string AsuntoEjemplo(std::string_view patron) { return reglas::SustituyeIndicativo(patron, "Indicativo"); }

std::string ReglaColumnas(const DatosBasesConcurso& d) {
  const bool diploma = concursos::EsDiploma(d.NombreConcurso);
  const std::string enviada = diploma ? "Info. DME enviado" : "Info. enviada";
  const std::string recibida = diploma ? "Info. DME recibido" : "Info. recibida";
  const int suIndicativo = ColumnaDe(d, kSuIndicativo);
  const int largoEnviada = static_cast<int>(enviada.size());
  const int largoRecibida = static_cast<int>(recibida.size());

  LineaColumnas regla;
  regla.Escribe(1, "---- Banda Md --fecha--- hora ");

  // Sent part: columns 31 to the one before the blank that precedes the
  // worked call. Its label never starts before the part does.
  const int n = std::max(0, MitadRedondeada(suIndicativo - kColumnaIndicativoPropio - largoEnviada));
  regla.Guiones(kColumnaIndicativoPropio, kColumnaIndicativoPropio + n - 1);
  regla.Escribe(kColumnaIndicativoPropio + n, enviada);
  regla.Guiones(kColumnaIndicativoPropio + n + largoEnviada, suIndicativo - 2);

  // Received part: from the worked call to the end of the last received
  // element (six columns each). With no received element the part is its
  // label alone, from the worked call on; with the worked call outside the
  // line there is no received part to show.
  if (suIndicativo < 1 || suIndicativo > kAnchoLineaQso) return plataforma::Recorta(regla.Texto());
  int m = 0;
  const std::pair<rules::Elemento, rules::Columna> recibidos[] = {
      {kRstRecibido, kSuRst}, {kNumeralRecibido, kSuNumero}, {kLetrasRecibidas, kSusLetras},
      {kLocatorRecibido, kSuLocator}};
  for (const auto& [elemento, columna] : recibidos) {
    if (Marcado(d, elemento)) m = std::max(m, ColumnaDe(d, columna));
  }
  const int k = std::max(0, MitadRedondeada(m - suIndicativo - largoRecibida + 6));
  regla.Guiones(suIndicativo, suIndicativo + k - 1);
  // A contest whose exchange carries points after the received letters:
  // the label's hyphens reach them.
  const bool puntos = concursos::Tiene(d.NombreConcurso, &concursos::PerfilConcurso::puntos_en_intercambio);
  regla.Escribe(suIndicativo + k, puntos ? recibida + "---------" : recibida);
  regla.Guiones(suIndicativo + k + largoRecibida, m + 5);

  return plataforma::Recorta(regla.Texto());
}

std::string LineaQsoEjemplo(const DatosBasesConcurso& d) {
  const std::string& nombre = d.NombreConcurso;
  LineaColumnas linea;

  // Mode token: the last rule that holds decides.
  std::string_view modo = "PH";
  if (Modo(d, "SSB") || Modo(d, "FM")) modo = "PH";
  if (Modo(d, "RTTY")) modo = "PS";
  if (Modo(d, "CW")) modo = "CW";
  if (Modo(d, "MIXED")) modo = "PH";
  if (const std::string_view propio = concursos::ModoEjemploDe(nombre); !propio.empty()) modo = propio;
  const concursos::EjemploQso ejemplo = concursos::EjemploDe(nombre);
  linea.Escribe(1, "QSO:  3500 " + std::string(modo) + " 2009-12-30 1648 QQ0QQ         ");

  // Sent exchange.
  if (Marcado(d, kRstEnviado)) linea.Escribe(ColumnaDe(d, kMiRst), "59x");
  if (Marcado(d, kNumeralEnviado)) linea.Escribe(ColumnaDe(d, kMiNumero), "0001");
  if (Marcado(d, kLetrasEnviadas)) {
    if (!ejemplo.letras_enviadas.empty()) {
      linea.Escribe(ColumnaDe(d, kMisLetras), ejemplo.letras_enviadas);
      if (!ejemplo.puntos.empty()) linea.Escribe(d.perfil.MisPuntos.value_or(0), ejemplo.puntos);
    } else {
      linea.Escribe(ColumnaDe(d, kMisLetras), "M     ");
    }
  }
  if (Marcado(d, kLocatorEnviado)) linea.Escribe(ColumnaDe(d, kMiLocator), "IN70WO");

  // Worked call.
  linea.Escribe(ColumnaDe(d, kSuIndicativo),
                ejemplo.indicativo_trabajado.empty() ? "QQ5WBX" : ejemplo.indicativo_trabajado);

  // Received exchange.
  if (Marcado(d, kRstRecibido)) linea.Escribe(ColumnaDe(d, kSuRst), "59x");
  if (Marcado(d, kNumeralRecibido)) linea.Escribe(ColumnaDe(d, kSuNumero), "0001");
  if (Marcado(d, kLetrasRecibidas)) {
    if (!ejemplo.letras_recibidas.empty()) {
      linea.Escribe(ColumnaDe(d, kSusLetras), ejemplo.letras_recibidas);
      if (!ejemplo.puntos.empty()) linea.Escribe(d.perfil.SusPuntos.value_or(0), ejemplo.puntos);
    } else {
      linea.Escribe(ColumnaDe(d, kSusLetras), "MA    ");
    }
  }
  if (Marcado(d, kLocatorRecibido)) linea.Escribe(ColumnaDe(d, kSuLocator), "IN75MO");
  return linea.Texto();
}

std::string FilaDecenas(std::size_t n) {
  std::string fila;
  for (std::size_t c = 1; c <= std::min<std::size_t>(n, kAnchoLineaQso); ++c)
    fila += static_cast<char>('0' + (c / 10) % 10);
  return fila;
}

std::string FilaUnidades(std::size_t n) {
  std::string fila;
  for (std::size_t c = 1; c <= std::min<std::size_t>(n, kAnchoLineaQso); ++c) fila += static_cast<char>('0' + c % 10);
  return fila;
}

std::vector<std::string> GeneraBasesConcurso(const DatosBasesConcurso& d) {
  const std::string& nombre = d.NombreConcurso;
  std::vector<std::string> l;
  Agrega(l, {"",
             "Envío de LISTAS.",
             "",
             "Las LISTAS se enviarán por E-MAIL  como fichero adjunto, antes de la fecha señalada, a la ",
             "Organización del concurso exclusivamente en FORMATO CABRILLO (versión 2.0 ó versión 3.0). ",
             "",
             "Igualmente, por E-MAIl en tiempo real, se acusará recibo aceptando la lista o se notificarán ",
             "los errores para su corrección por el concursante y su reenvío una vez corregidos.",
             "",
             "El E-MAIL enviando la lista debe responder a las siguientes especificaciones:",
             ""});

  if (concursos::Tiene(nombre, &concursos::PerfilConcurso::log_por_banda)) {
    l.push_back(".- Nombre del fichero adjunto:");
    for (const char* banda : {"50", "144", "432", "1296"}) {
      l.push_back(std::string("      Indicativo-") + banda +
                  ".LOG (Según la banda trabajada y no se utilizarán compresores de ningún tipo)");
    }
  } else {
    l.push_back(
        ".- Nombre del fichero adjunto: Indicativo.LOG (Exclusivamente eso y no se utilizarán compresores de ningún "
        "tipo)");
  }
  l.push_back(".- Dirección E-MAIL: " + d.perfil.EMailConcurso);
  l.push_back(".- Asunto: " + AsuntoEjemplo(d.perfil.AsuntoConcurso) +
              " (Esclusivamente  el INDICATIVO de la estación sin comentarios de ningún tipo)");
  l.push_back("");
  const std::string_view titulo = concursos::TituloCategoriasDe(nombre);
  l.push_back(std::string(titulo.empty() ? "Categorías en FICHERO CABRILLO:" : titulo));
  l.push_back("");
  LineasCategorias(d, l);
  l.push_back("");

  const std::string concurso = "CONTEST: " + nombre + " " + d.EdicionConcurso;
  Agrega(l, {"EJEMPLO Cabecera FORMATO CABRILLO 2.0:", "", "START-OF-LOG: 2.0", concurso, "CALLSIGN: QQ0QQ",
             "CATEGORY: " + Entrada(d, 1), "CATEGORY-ASSISTED: "});
  AgregaCabeceraFinal(l);
  l.push_back("");

  Agrega(l, {"EJEMPLO Cabecera FORMATO CABRILLO 3.0:", "", "START-OF-LOG: 3.0", concurso, "CALLSIGN: QQ0QQ"});
  CabeceraVersion3(d, l);
  AgregaCabeceraFinal(l);
  l.push_back("");

  l.push_back("Estructura de la línea del QSO para el formato cabrillo versión 2.0 ó 3.0.");
  l.push_back("");
  const std::string regla = ReglaColumnas(d);
  l.push_back(regla);
  l.push_back(LineaQsoEjemplo(d));
  l.push_back(FilaDecenas(regla.size()));
  l.push_back(FilaUnidades(regla.size()));
  l.push_back("");
  l.push_back("Los números de la fila superior e inferior indican la posición del dato en la linea del QSO.");
  l.push_back("");
  Agrega(l, ParrafoFinal(d));
  l.push_back("");
  return l;
}

std::string RutaFicheroBasesConcurso(const std::string& carpetaConcurso) {
  return plataforma::ResuelveRuta(
      plataforma::UneRuta(plataforma::UneRuta(carpetaConcurso, "BasesConcurso"), "FicheroBasesConcurso.LST"));
}

std::string EscribeBasesConcurso(const std::string& carpetaConcurso, const std::vector<std::string>& lineas) {
  // With no contest folder the path would fall in the current folder.
  if (carpetaConcurso.empty()) return "No hay carpeta del concurso en curso.";
  const std::string ruta = RutaFicheroBasesConcurso(carpetaConcurso);
  plataforma::BorraFichero(ruta);  // a missing file is no failure
  const std::string carpeta = plataforma::ResuelveRuta(plataforma::UneRuta(carpetaConcurso, "BasesConcurso"));
  if (!plataforma::ExisteCarpeta(carpeta)) return "No existe la carpeta de las bases del concurso: " + carpeta;
  if (!plataforma::EscribirLineas(ruta, lineas)) return "No se puede escribir el fichero " + ruta;
  return {};
}

bool LeeBasesConcurso(const std::string& carpetaConcurso, std::vector<std::string>& lineas) {
  return plataforma::LeerLineas(RutaFicheroBasesConcurso(carpetaConcurso), lineas);
}

}  // namespace rules
