#include "mainwindow/validacion_concurso.h"

#include <array>

#include "common/reglas_qso.h"
#include "plataforma/dao.h"

namespace principal {

namespace {

// Characters from a 1-based position, as many as there are (none past the
// end).
std::string_view Medio(std::string_view s, std::size_t posicion, std::size_t cuantos) {
  if (posicion < 1 || posicion > s.size()) return {};
  return s.substr(posicion - 1, cuantos);
}

bool EsSeparador(std::string_view c) { return c == "-" || c == "/"; }

bool EsDigito(char c) { return c >= '0' && c <= '9'; }

}  // namespace

std::string RehaceFecha(std::string_view campo) {
  std::string_view dia = Medio(campo, 1, 2);
  std::size_t inicioMes = EsSeparador(Medio(campo, 3, 1)) ? 4 : 3;
  std::string_view mes = Medio(campo, inicioMes, 2);
  std::size_t inicioAnio = EsSeparador(Medio(campo, inicioMes + 2, 1)) ? inicioMes + 3 : inicioMes + 2;
  std::string_view anio = Medio(campo, inicioAnio, 4);
  std::string r;
  r.reserve(10);
  r.append(dia).append("-").append(mes).append("-").append(anio);
  return r;
}

std::string MensajeCarpetaDeOtroConcurso(std::string_view carpeta, std::string_view nombreOtro,
                                         std::string_view edicionOtro) {
  std::string t = ".- La carpeta de este concurso, \"";
  t.append(carpeta);
  t += "\", es la misma que la del concurso \"";
  t.append(nombreOtro);
  t += "\" edición \"";
  t.append(edicionOtro);
  t += "\": sus listas y resultados se mezclarían.\n\n.- Cambie el nombre o la edición del concurso.";
  return t;
}

bool NormalizaFecha(std::string& campo) {
  campo = RehaceFecha(campo);
  std::string fecha = campo;
  // "dd-mm-yy": the century by the same rule as the database layer.
  if (fecha.size() == 8 && fecha[2] == '-' && fecha[5] == '-' && EsDigito(fecha[6]) && EsDigito(fecha[7])) {
    int anio = (fecha[6] - '0') * 10 + (fecha[7] - '0');
    fecha.insert(6, anio < 30 ? "20" : "19");
  }
  if (!reglas::VerificaFormatoFecha(fecha)) return false;
  campo = fecha;
  return true;
}

bool EsPuntuacionValida(std::string_view texto) {
  if (texto.empty()) return true;
  if (texto.front() == '-') texto.remove_prefix(1);
  if (texto.empty()) return false;
  for (char c : texto)
    if (!EsDigito(c)) return false;
  return true;
}

bool ComienzoAnteriorAlFinal(std::string_view desdeDia, std::string_view desdeHora, std::string_view hastaDia,
                             std::string_view hastaHora) {
  auto momento = [](std::string_view dia, std::string_view hora) {
    std::string texto(dia);
    texto += ' ';
    texto += hora;
    return dao::Fecha::Desde(texto);
  };
  auto desde = momento(desdeDia, desdeHora);
  auto hasta = momento(hastaDia, hastaHora);
  return desde && hasta && *desde < *hasta;
}

// ---------------------------------------------------------------- lists

std::string AvisoListaConcurso::Texto() const {
  std::string t(Primera);
  t += "\n\n";
  t += Segunda;
  return t;
}

int PrimeraListaQueFalta(const EstadoListasConcurso& e) {
  if (e.CadaProv && e.ListaProv == 0) return 1;
  if (e.CadaProv && e.ExcluirProv && e.ListaExProv == 0) return 2;
  if (e.CadaDistrito && e.ListaDistritos == 0) return 3;
  if (e.CadaDistrito && e.ExcluirDistrito && e.ListaExDistritos == 0) return 4;
  if ((e.CadaEstacion || e.EstacionPorBanda) && e.ListaMultEstEsp == 0) return 5;
  if (e.CadaPais && e.ExcluirPais && e.ListaExPaises == 0 && !e.OpcionExcluirMismoPais) return 6;
  if (e.CadaPrefijo && e.ExcluirPrefijo && e.ListaExPrefijos == 0) return 7;
  if (e.CadaCq && e.ExcluirCq && e.ListaExZonasCq == 0) return 8;
  if (e.CadaSufijo && !e.FormatoSufijo) return 9;
  if (!e.HayCategorias) return 10;
  return 0;
}

const AvisoListaConcurso& AvisoListaQueFalta(int comprobacion) {
  static constexpr std::string_view kConfiguracionAvanzada =
      ".- Pulse el botón 'Configuración Avanzada' del panel de multiplicadores y configure los códigos";
  static constexpr std::string_view kTituloProvincias = ".- ERROR MULTIPLICADORES POR PROVINCIAS";
  static constexpr std::string_view kTituloSufijos = ".- ERROR MULTIPLICADORES POR SUFIJOS";
  static const std::array<AvisoListaConcurso, 10> kAvisos = {{
      {".- Se ha activado 'multiplicador por Provincia' y no se ha configurado la Lista de códigos de "
       "Provincias válidas.",
       kConfiguracionAvanzada, kTituloProvincias},
      {".- Se ha activado EXCLUIR SIGLAS y no se han configurado las siglas excluidas.",
       ".- Pulse el botón 'Configurar SIGLAS válidas' del panel de multiplicadores y configure las excluidas",
       ".- ERROR SIGLAS EXCLUIDAS"},
      {".- Se ha activado 'multiplicador por Distrito' y no se ha configurado la Lista de códigos de Distritos "
       "válidos.",
       ".- Pulse el botón 'Configurar DISTRITOS válidos' del panel de multiplicadores y configure los códigos",
       ".- ERROR MULTIPLICADORES POR DISTRITOS"},
      {".- Se ha activado EXCLUIR DISTRITOS y no se han configurado los distritos excluidos.",
       ".- Pulse el botón 'Configurar DISTRITOS válidos' del panel de multiplicadores y configure las excluidas",
       ".- ERROR DISTRITOS EXCLUIDOS"},
      {".- Se ha activado 'multiplicador por Estaciones Especiales' y no se ha configurado la Lista de "
       "Estaciones Multiplicadoras válidas.",
       kConfiguracionAvanzada, kTituloProvincias},
      {".- Se ha activado EXCLUIR PAíSES y no se han configurado los países excluidos.",
       ".- Pulse el botón 'Configurar PAÍSES excluidos' del panel de multiplicadores y configure los excluidos",
       ".- ERROR PAÍSES EXCLUIDOS"},
      {".- Se ha activado EXCLUIR PREFIJOS y no se han configurado los prefijos excluidos.",
       ".- Pulse el botón 'Configurar PREFIJOS excluidos' del panel de multiplicadores y configure los "
       "excluidos",
       ".- ERROR PREFIJOS EXCLUIDOS"},
      {".- Se ha activado EXCLUIR ZONAS y no se han configurado las zonas excluidas.",
       ".- Pulse el botón 'Configurar ZONAS excluidas' del panel de multiplicadores y configure las excluidas",
       ".- ERROR ZONAS EXCLUIDAS"},
      {".- Se ha activado 'multiplicador por Sufijo' y no se ha configurado el formato del Sufijo.",
       ".- Pulse el botón 'Configuración Avanzada' del panel de multiplicadores y configure el Formato",
       kTituloSufijos},
      {".- No se han configurado las categorías válidas para el concurso",
       ".- Pulse el botón 'Configurar CATEGORÍAS concurso' y configure las categorías", kTituloSufijos},
  }};
  if (comprobacion < 1 || comprobacion > static_cast<int>(kAvisos.size()))
    comprobacion = static_cast<int>(kAvisos.size());
  return kAvisos[static_cast<std::size_t>(comprobacion - 1)];
}

}  // namespace principal
