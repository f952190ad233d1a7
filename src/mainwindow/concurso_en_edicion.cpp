#include "mainwindow/concurso_en_edicion.h"

#include <cctype>
#include <optional>

#include "database/concursos_especiales.h"
#include "mainwindow/registro_concurso.h"
#include "mainwindow/validacion_concurso.h"

namespace principal {

namespace {

// Contests whose rules keep options that the interlocks would otherwise
// change: their profiles say which.
bool LocatorSinDistancia(std::string_view nombre) {
  return concursos::Tiene(nombre, &concursos::PerfilConcurso::locator_sin_distancia);
}
bool ProvinciasYOtros(std::string_view nombre) {
  return concursos::Tiene(nombre, &concursos::PerfilConcurso::provincias_y_otros);
}

using O = Opcion;

#define TROVALIS_OPCION_COLUMNA(nombre) #nombre,
#define TROVALIS_OPCION_COLUMNA_D(columna, casilla) #columna,
constexpr std::array<std::string_view, kNumeroOpciones> kColumnas = {
    TROVALIS_OPCIONES(TROVALIS_OPCION_COLUMNA, TROVALIS_OPCION_COLUMNA_D)};
#undef TROVALIS_OPCION_COLUMNA_D
#undef TROVALIS_OPCION_COLUMNA

// One type of multiplier with its period variants, its list button and its
// exclude option.
struct TipoMultiplicador {
  Opcion Tipo, PorBanda, PorDia, PorModo;
  std::optional<BotonLista> Boton;
  std::optional<Opcion> Excluir;
};

// The nine types.
constexpr TipoMultiplicador kTipos[] = {
    {O::CadaPais, O::PaisPorBanda, O::PaisPorDia, O::PaisPorModo, BotonLista::PaisesExc, O::ExcluirPais},
    {O::CadaPrefijo, O::PrefijoPorBanda, O::PrefijoPorDia, O::PrefijoPorModo, BotonLista::Prefijos, O::ExcluirPrefijo},
    {O::CadaProv, O::ProvPorBanda, O::ProvPorDia, O::ProvPorModo, BotonLista::SiglasValidas, O::ExcluirProv},
    {O::CadaDistrito, O::DistritoPorBanda, O::DistritoPorDia, O::DistritoPorModo, BotonLista::DistritosValidos,
     O::ExcluirDistrito},
    {O::CadaCq, O::CqPorBanda, O::CqPorDia, O::CqPorModo, BotonLista::ZonaExcluida, O::ExcluirCq},
    {O::CadaSufijo, O::SufijoPorBanda, O::SufijoPorDia, O::SufijoPorModo, BotonLista::Sufijo, std::nullopt},
    {O::CadaEstacion, O::EstacionPorBanda, O::EstacionPorDia, O::EstacionPorModo, BotonLista::EstEsp, std::nullopt},
    {O::Otros, O::OtrosPorBanda, O::OtrosPorDia, O::OtrosPorModo, std::nullopt, std::nullopt},
    {O::CadaCuadricula, O::CuadriculaPorBanda, O::CuadriculaPorDia, O::CuadriculaPorModo, std::nullopt, std::nullopt},
};

// The variants that a period of the multipliers as a whole unticks: those
// of every type but the grid square and the multiplier stations.
std::array<Opcion, 7> VariantesDelPeriodo(Opcion periodo) {
  if (periodo == O::CadaBanda)
    return {O::PaisPorBanda, O::PrefijoPorBanda, O::ProvPorBanda, O::DistritoPorBanda,
            O::CqPorBanda,   O::SufijoPorBanda,  O::OtrosPorBanda};
  if (periodo == O::CadaDia)
    return {O::PaisPorDia, O::PrefijoPorDia, O::ProvPorDia, O::DistritoPorDia,
            O::CqPorDia,   O::SufijoPorDia,  O::OtrosPorDia};
  return {O::PaisPorModo, O::PrefijoPorModo, O::ProvPorModo, O::DistritoPorModo,
          O::CqPorModo,   O::SufijoPorModo,  O::OtrosPorModo};
}

// The 44 multiplier options in the order the procedures walk them.
constexpr Opcion kOpcionesMultiplicador[] = {
    O::CadaBanda,          O::CadaDia,          O::CadaModo,          O::CadaCuadricula,
    O::CuadriculaPorBanda, O::CuadriculaPorDia, O::CuadriculaPorModo, O::CadaEstacion,
    O::EstacionPorBanda,   O::EstacionPorDia,   O::EstacionPorModo,   O::CadaPais,
    O::PaisPorBanda,       O::PaisPorDia,       O::PaisPorModo,       O::CadaPrefijo,
    O::PrefijoPorBanda,    O::PrefijoPorDia,    O::PrefijoPorModo,    O::CadaProv,
    O::ProvPorBanda,       O::ProvPorDia,       O::ProvPorModo,       O::CadaDistrito,
    O::DistritoPorBanda,   O::DistritoPorDia,   O::DistritoPorModo,   O::CadaCq,
    O::CqPorBanda,         O::CqPorDia,         O::CqPorModo,         O::CadaSufijo,
    O::SufijoPorBanda,     O::SufijoPorDia,     O::SufijoPorModo,     O::Otros,
    O::OtrosPorBanda,      O::OtrosPorDia,      O::OtrosPorModo,      O::ExcluirPais,
    O::ExcluirPrefijo,     O::ExcluirProv,      O::ExcluirDistrito,   O::ExcluirCq};

bool Es(Opcion o, std::initializer_list<Opcion> lista) {
  for (Opcion x : lista)
    if (x == o) return true;
  return false;
}

}  // namespace

std::string_view ColumnaOpcion(Opcion o) { return kColumnas[static_cast<std::size_t>(o)]; }

const std::array<Opcion, kNumeroOpciones>& OpcionesEnOrdenDeCarga() {
  static const std::array<Opcion, kNumeroOpciones> orden = [] {
    std::array<Opcion, kNumeroOpciones> r{};
    for (int i = 0; i < kNumeroOpciones; ++i) r[static_cast<std::size_t>(i)] = static_cast<Opcion>(i);
    return r;
  }();
  return orden;
}

const std::array<Opcion, kNumeroOpciones>& OpcionesEnOrdenDeGrabacion() {
  static constexpr std::array<Opcion, kNumeroOpciones> orden = {
      O::Multiplicadores,
      O::CadaBanda,
      O::CadaDia,
      O::CadaModo,
      O::CadaCuadricula,
      O::CadaEstacion,
      O::CadaPais,
      O::CadaPrefijo,
      O::CadaSufijo,
      O::CadaProv,
      O::CadaDistrito,
      O::CadaCq,
      O::Otros,
      O::OtrosPorBanda,
      O::CuadriculaPorBanda,
      O::EstacionPorBanda,
      O::PaisPorBanda,
      O::PrefijoPorBanda,
      O::SufijoPorBanda,
      O::ProvPorBanda,
      O::DistritoPorBanda,
      O::CqPorBanda,
      O::CuadriculaPorDia,
      O::EstacionPorDia,
      O::PaisPorDia,
      O::PrefijoPorDia,
      O::SufijoPorDia,
      O::ProvPorDia,
      O::OtrosPorDia,
      O::DistritoPorDia,
      O::CqPorDia,
      O::CuadriculaPorModo,
      O::EstacionPorModo,
      O::PaisPorModo,
      O::PrefijoPorModo,
      O::SufijoPorModo,
      O::ProvPorModo,
      O::OtrosPorModo,
      O::DistritoPorModo,
      O::CqPorModo,
      O::ExcluirPais,
      O::ExcluirPrefijo,
      O::ExcluirProv,
      O::ExcluirDistrito,
      O::ExcluirCq,
      O::EnviarNumeral,
      O::EnviarLocator,
      O::EnviarSiglas,
      O::RecibirNumeral,
      O::RecibirLocator,
      O::RecibirSiglas,
      O::RecibirPuntos,
      O::SiglasONumeral,
      O::NoRepetir,
      O::RepetirEstacion,
      O::RepetirEnCadaBanda,
      O::RepetirEnCadaModo,
      O::RepetirCadaHoras,
      O::RecibirPuntosPorKm,
  };
  return orden;
}

ConcursoEnEdicion::ConcursoEnEdicion() : leyendas_{"x Banda", "x Dia", "x Modo"} {
  // As a fresh form: every option box enabled, the list buttons not.
  habilitadas_.fill(true);
}

void ConcursoEnEdicion::Enfoca(int campo) {
  // The focus moves serve the operator while he creates or modifies a
  // contest; in any other state only the program changes the options.
  if (Editando()) Foco = campo;
}

void ConcursoEnEdicion::CierraHoras() {
  Textos[kCampoHoras].clear();
  HorasHabilitado = false;
  Cerrado[kCampoHoras] = true;
}

void ConcursoEnEdicion::Cambia(Opcion o, bool valor) {
  if (Valor(o) == valor) return;
  PonValor(o, valor);
  OpcionCambiada(o);
}

void ConcursoEnEdicion::OpcionCambiada(Opcion c) {
  const bool valor = Valor(c);
  auto focoNombre = [this] { Enfoca(1); };

  // ---- Exchange.
  if (Es(c, {O::EnviarNumeral, O::RecibirNumeral})) {
    focoNombre();
    return;
  }
  if (Es(c, {O::EnviarLocator, O::RecibirLocator})) {
    focoNombre();
    if (valor) {
      // A locator in the exchange: points per kilometre and grid squares.
      if (LocatorSinDistancia(NombreConcurso)) return;
      Marca(O::Multiplicadores);
      Desmarca(O::RecibirPuntos);
      Desmarca(O::RecibirSiglas);
      Marca(O::RecibirPuntosPorKm);
      Marca(O::CadaCuadricula);
    } else {
      Marca(O::RecibirPuntos);
      Desmarca(O::RecibirPuntosPorKm);
      Desmarca(O::CadaCuadricula);
    }
    return;
  }
  if (Es(c, {O::EnviarSiglas, O::RecibirSiglas})) {
    focoNombre();
    if (valor) {
      // Letters in the exchange: grid points, no locators.
      if (LocatorSinDistancia(NombreConcurso)) return;
      Marca(O::RecibirPuntos);
      Desmarca(O::RecibirLocator);
      Desmarca(O::EnviarLocator);
    } else if (c == O::RecibirSiglas) {
      Desmarca(O::Otros);
    }
    return;
  }
  if (c == O::RecibirPuntos) {
    // The points grid: 1 point per QSO in every box, or empty and closed.
    for (int i = kPrimerPunto; i <= kUltimoPunto; ++i) {
      Textos[static_cast<std::size_t>(i)] = valor ? "1" : "";
      Cerrado[static_cast<std::size_t>(i)] = !valor;
    }
    Enfoca(valor ? kPrimerPunto : 1);
    return;
  }
  if (Es(c, {O::SiglasONumeral, O::RecibirPuntosPorKm})) return;

  // ---- Repeat rules.
  if (Es(c, {O::NoRepetir, O::RepetirEstacion})) {
    if (!valor) return;
    for (Opcion otra :
         {O::NoRepetir, O::RepetirEstacion, O::RepetirEnCadaBanda, O::RepetirEnCadaModo, O::RepetirCadaHoras})
      if (otra != c) Desmarca(otra);
    CierraHoras();
    return;
  }
  if (Es(c, {O::RepetirEnCadaBanda, O::RepetirEnCadaModo})) {
    if (!valor) return;
    Desmarca(O::NoRepetir);
    Desmarca(O::RepetirEstacion);
    CierraHoras();
    return;
  }
  if (c == O::RepetirCadaHoras) {
    if (valor) {
      Desmarca(O::NoRepetir);
      Desmarca(O::RepetirEstacion);
      Textos[kCampoHoras].clear();
      HorasHabilitado = true;
      Cerrado[kCampoHoras] = false;
      Enfoca(kCampoHoras);
    } else {
      Textos[kCampoHoras].clear();
      Cerrado[kCampoHoras] = true;
      focoNombre();
    }
    return;
  }

  // ---- Multipliers.
  if (c == O::Multiplicadores) {
    if (valor) {
      HabilitaMultiplicadores(true);
    } else {
      DesmarcaMultiplicadores();
      HabilitaMultiplicadores(false);
    }
    return;
  }
  if (Es(c, {O::CadaBanda, O::CadaDia, O::CadaModo})) {
    if (valor)
      for (Opcion variante : VariantesDelPeriodo(c)) Desmarca(variante);
    focoNombre();
    return;
  }
  if (Es(c, {O::ExcluirPais, O::ExcluirPrefijo, O::ExcluirProv, O::ExcluirDistrito, O::ExcluirCq})) {
    focoNombre();
    return;
  }

  // A period variant of a type: the period of the same kind no longer
  // applies to the multipliers as a whole.
  for (const TipoMultiplicador& t : kTipos) {
    const std::optional<Opcion> periodo = c == t.PorBanda  ? std::optional(O::CadaBanda)
                                          : c == t.PorDia  ? std::optional(O::CadaDia)
                                          : c == t.PorModo ? std::optional(O::CadaModo)
                                                           : std::nullopt;
    if (!periodo) continue;
    if (valor) Desmarca(*periodo);
    ActualizaBotonesConfiguracion();
    focoNombre();
    return;
  }

  // The types, with their rivals. The list buttons untick the band variant
  // of a type that is no longer ticked, so the exclude options are
  // recomputed once more after them: an exclude option never stays ticked
  // without its type.
  auto actualiza = [this] {
    ActualizaExclusiones();
    ActualizaBotonesConfiguracion();
    ActualizaExclusiones();
  };
  if (c == O::CadaPais) {
    actualiza();
  } else if (Es(c, {O::CadaPrefijo, O::CadaSufijo})) {
    if (valor) Desmarca(c == O::CadaPrefijo ? O::CadaSufijo : O::CadaPrefijo);
    if (c == O::CadaPrefijo)
      actualiza();
    else
      ActualizaBotonesConfiguracion();
    focoNombre();
  } else if (c == O::CadaProv) {
    if (valor) {
      Desmarca(O::Otros);
      Marca(O::RecibirSiglas);
    }
    actualiza();
    focoNombre();
  } else if (c == O::Otros) {
    // That contest counts provinces and other letters together.
    if (valor && !ProvinciasYOtros(NombreConcurso)) {
      Desmarca(O::CadaProv);
      Marca(O::RecibirSiglas);
    }
    ActualizaBotonesConfiguracion();
    focoNombre();
  } else if (Es(c, {O::CadaDistrito, O::CadaCq})) {
    if (valor) Desmarca(c == O::CadaDistrito ? O::CadaCq : O::CadaDistrito);
    actualiza();
    focoNombre();
  } else if (c == O::CadaCuadricula) {
    ActualizaBotonesConfiguracion();
    focoNombre();
  } else if (c == O::CadaEstacion) {
    ActualizaBotonesConfiguracion();
  }
}

void ConcursoEnEdicion::ActualizaExclusiones() {
  for (const TipoMultiplicador& t : kTipos) {
    if (!t.Excluir) continue;
    if (!Valor(t.Tipo) && !Valor(t.PorBanda)) {
      Desmarca(*t.Excluir);
      PonHabilitada(*t.Excluir, false);
    } else {
      PonHabilitada(*t.Excluir, Editando());
    }
  }
}

void ConcursoEnEdicion::ActualizaBotonesConfiguracion() {
  // The grid square excludes every other type but the multiplier stations.
  if (Valor(O::CadaCuadricula)) {
    for (Opcion o : {O::CadaPais, O::CadaPrefijo, O::CadaProv, O::CadaDistrito, O::CadaSufijo, O::CadaCq, O::Otros})
      Desmarca(o);
  } else {
    for (Opcion o : {O::CuadriculaPorBanda, O::CuadriculaPorDia, O::CuadriculaPorModo}) Desmarca(o);
  }

  bool ningunTipo = true;
  // The types with a list button, in this order, then the other letters.
  for (Opcion conBoton : {O::CadaEstacion, O::CadaPais, O::CadaPrefijo, O::CadaProv, O::CadaDistrito, O::CadaSufijo,
                          O::CadaCq, O::Otros}) {
    for (const TipoMultiplicador& t : kTipos) {
      if (t.Tipo != conBoton) continue;
      if (Valor(t.Tipo)) {
        if (t.Boton) PonBotonHabilitado(*t.Boton, true);
        ningunTipo = false;
      } else {
        if (t.Boton) PonBotonHabilitado(*t.Boton, false);
        Desmarca(t.PorBanda);
        Desmarca(t.PorDia);
        Desmarca(t.PorModo);
      }
    }
  }

  PonLeyenda(Periodo::Banda, ningunTipo ? "x Banda" : "+ Banda");
  PonLeyenda(Periodo::Dia, ningunTipo ? "x Dia" : "+ Dia");
  PonLeyenda(Periodo::Modo, ningunTipo ? "x Modo" : "+ Modo");
}

void ConcursoEnEdicion::DesmarcaMultiplicadores() {
  Desmarca(O::Multiplicadores);
  for (Opcion o : kOpcionesMultiplicador) Desmarca(o);
}

void ConcursoEnEdicion::HabilitaMultiplicadores(bool habilitar) {
  for (Opcion o : kOpcionesMultiplicador) PonHabilitada(o, habilitar);
}

void ConcursoEnEdicion::CargaOpciones(const RegistroConcurso& fila) {
  for (Opcion o : OpcionesEnOrdenDeCarga()) Cambia(o, fila.LeeBooleano(ColumnaOpcion(o)));
}

void ConcursoEnEdicion::GrabaOpciones(RegistroConcurso& fila) const {
  for (Opcion o : OpcionesEnOrdenDeGrabacion()) fila.EscribeBooleano(ColumnaOpcion(o), Valor(o));
}

void ConcursoEnEdicion::GrabaCampos(RegistroConcurso& fila, const ValoresCompartidos& v) const {
  for (int i = 0; i < kNumeroCamposTexto; ++i) fila.EscribeTexto(i, Textos[static_cast<std::size_t>(i)]);
  for (int j = 0; j < kNumeroBandas; ++j) fila.EscribeBooleano(27 + j, Bandas[static_cast<std::size_t>(j)]);
  for (int k = 0; k < kNumeroModos; ++k) fila.EscribeBooleano(41 + k, Modos[static_cast<std::size_t>(k)]);
  fila.EscribeBooleano("ExcluirMismaProv", v.ExcluirMismaProv);
  fila.EscribeBooleano("ExcluirMismoDist", v.ExcluirMismoDist);
  fila.EscribeBooleano("ExcluirMismoPais", v.ExcluirMismoPais);
  fila.EscribeBooleano("ExcluirMismoPrefijo", v.ExcluirMismoPrefijo);
  fila.EscribeBooleano("ExcluirMismaZonaCQ", v.ExcluirMismaZonaCQ);
  const FormatoSufijoConcurso f = Valor(O::CadaSufijo) ? Sufijo : FormatoSufijoConcurso{};
  fila.EscribeBooleano("PrimerNumero", f.PrimerNumero);
  fila.EscribeBooleano("PrimeraLetra", f.PrimeraLetra);
  fila.EscribeBooleano("SegundaLetra", f.SegundaLetra);
  fila.EscribeBooleano("TerceraLetra", f.TerceraLetra);
  fila.EscribeBooleano("UltimaLetra", f.UltimaLetra);
  fila.EscribeTexto("EMailReclamaciones", v.CorreoReclamaciones);
  fila.EscribeTexto("WEBConcurso", v.DireccionWebConcurso);
}

bool ConcursoEnEdicion::HayBanda() const {
  for (bool b : Bandas)
    if (b) return true;
  return false;
}

bool ConcursoEnEdicion::HayModo() const {
  for (bool m : Modos)
    if (m) return true;
  return false;
}

void ConcursoEnEdicion::PonOpcionesEn(EstadoListasConcurso& e) const {
  e.CadaProv = Valor(O::CadaProv);
  e.ExcluirProv = Valor(O::ExcluirProv);
  e.CadaDistrito = Valor(O::CadaDistrito);
  e.ExcluirDistrito = Valor(O::ExcluirDistrito);
  e.CadaEstacion = Valor(O::CadaEstacion);
  e.EstacionPorBanda = Valor(O::EstacionPorBanda);
  e.CadaPais = Valor(O::CadaPais);
  e.ExcluirPais = Valor(O::ExcluirPais);
  e.CadaPrefijo = Valor(O::CadaPrefijo);
  e.ExcluirPrefijo = Valor(O::ExcluirPrefijo);
  e.CadaCq = Valor(O::CadaCq);
  e.ExcluirCq = Valor(O::ExcluirCq);
  e.CadaSufijo = Valor(O::CadaSufijo);
  e.FormatoSufijo = Sufijo.Alguno();
  auto cuenta = [this](std::string_view nombre) { return static_cast<int>(Lista(nombre).size()); };
  e.ListaProv = cuenta("ListaProv");
  e.ListaExProv = cuenta("ListaExProv");
  e.ListaDistritos = cuenta("ListaDistritos");
  e.ListaExDistritos = cuenta("ListaExDistritos");
  e.ListaMultEstEsp = cuenta("ListaMultEstEsp");
  e.ListaExPaises = cuenta("ListaExPaises");
  e.ListaExPrefijos = cuenta("ListaExPrefijos");
  e.ListaExZonasCq = cuenta("ListaExZonasCq");
}

listas::OpcionesListas ConcursoEnEdicion::OpcionesDeListas() const {
  listas::OpcionesListas o;
  o.CadaProv = Valor(O::CadaProv);
  o.ProvPorBanda = Valor(O::ProvPorBanda);
  o.ExcluirProv = Valor(O::ExcluirProv);
  o.CadaDistrito = Valor(O::CadaDistrito);
  o.DistritoPorBanda = Valor(O::DistritoPorBanda);
  o.ExcluirDistrito = Valor(O::ExcluirDistrito);
  o.CadaEstacion = Valor(O::CadaEstacion);
  o.EstacionPorBanda = Valor(O::EstacionPorBanda);
  o.CadaPais = Valor(O::CadaPais);
  o.PaisPorBanda = Valor(O::PaisPorBanda);
  o.ExcluirPais = Valor(O::ExcluirPais);
  o.CadaPrefijo = Valor(O::CadaPrefijo);
  o.PrefijoPorBanda = Valor(O::PrefijoPorBanda);
  o.ExcluirPrefijo = Valor(O::ExcluirPrefijo);
  o.CadaCq = Valor(O::CadaCq);
  o.CqPorBanda = Valor(O::CqPorBanda);
  o.ExcluirCq = Valor(O::ExcluirCq);
  o.RecibirPuntos = Valor(O::RecibirPuntos);
  o.Multiplicadores = Valor(O::Multiplicadores);
  return o;
}

namespace {

bool IgualSinCaso(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    const auto x = static_cast<unsigned char>(a[i]), y = static_cast<unsigned char>(b[i]);
    if (std::tolower(x) != std::tolower(y)) return false;
  }
  return true;
}

template <typename Listas>
auto BuscaLista(Listas& l, std::string_view nombre) -> decltype(&l.begin()->second) {
  if (auto i = l.find(nombre); i != l.end()) return &i->second;
  for (auto& [clave, items] : l)
    if (IgualSinCaso(clave, nombre)) return &items;
  return nullptr;
}

}  // namespace

std::vector<std::string> ConcursoEnEdicion::Lista(std::string_view nombre) const {
  const auto* items = BuscaLista(Listas, nombre);
  return items ? *items : std::vector<std::string>{};
}

void ConcursoEnEdicion::PonLista(std::string_view nombre, std::vector<std::string> items) {
  if (auto* l = BuscaLista(Listas, nombre)) *l = std::move(items);
}

void ConcursoEnEdicion::LimpiaListas() {
  for (auto& [nombre, items] : Listas) items.clear();
}

}  // namespace principal
