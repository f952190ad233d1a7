#include "listeditors/listas_referencia.h"

#include <stdexcept>

#include "plataforma/texto.h"

namespace listeditors {
namespace {

using BotonProv = EditorListProv::BotonProv;

struct TextosLista {
  const char* falta;
  const char* tituloFalta;
  const char* repetido;
  const char* tituloRepetido;
};

// The messages of the element check, by ModoLista.
constexpr TextosLista kTextos[kNumeroListasProv] = {
    {"Falta Código de la Provincia", "VERIFICAR PROVINCIA", "El Código de Provincia ya está registrado",
     "VERIFICAR PROVINCIA"},
    {"Falta el Prefijo del Distrito", "VERIFICAR DISTRITO", "El Distrito ya está registrado", "VERIFICAR DISTRITO"},
    {"Falta el Prefijo del País", "VERIFICAR PAÍS", "El País ya está registrado", "VERIFICAR PAÍS"},
    {"Falta el Prefijo", "VERIFICAR PREFIJO", "El Prefijo ya está registrado", "VERIFICAR PREFIJO"},
    {"Falta la Zona Cq", "VERIFICAR ZONA CQ", "La Zona Cq ya está registrada", "VERIFICAR ZONA CQ"},
    {"Falta la Estación Multiplicadora", "VERIFICAR ESTACIÓN", "La Estación ya está registrada",
     "VERIFICAR Estacion"},
};

// The main window's option boxes that put each kind in use, by ModoLista,
// and those of the suffixes last.
constexpr const char* kOpciones[kNumeroListasProv + 1][2] = {
    {"CadaProv", "ProvPorBanda"}, {"CadaDistrito", "DistritoPorBanda"}, {"CadaPais", "PaisPorBanda"},
    {"CadaPrefijo", "PrefijoPorBanda"}, {"CadaCq", "CqPorBanda"}, {"CadaEstacion", "EstacionPorBanda"},
    {"CadaSufijo", "SufijoPorBanda"}};

// The row buttons of the window as the grid editor names them.
bool BotonFila(BotonProv b, Boton& r) {
  switch (b) {
    case BotonProv::Modificar: r = Boton::Modificar; return true;
    case BotonProv::Anadir: r = Boton::Anadir; return true;
    case BotonProv::Borra: r = Boton::Borra; return true;
    case BotonProv::Anular: r = Boton::Anular; return true;
    case BotonProv::Finalizar: r = Boton::Finalizar; return true;
    default: return false;
  }
}

}  // namespace

// ================================================================ one list

DefinicionEditor EditorListaReferencia::DefinicionLista(int modo) {
  DefinicionEditor d;
  d.longitudSerie = 10;
  d.primeraCelda = 0;
  switch (modo) {
    case LProvincias:
      d.listas = {"ListaProv", "ListaExProv"};
      d.columnas = {"CodigoProv", "ProvExcluida"};
      d.tabla = "ListaProv";
      d.camposTabla = d.columnas;
      d.numeroLineas = 14;
      d.ordenIntro = {0, 1};
      break;
    case LDistritos:
      d.listas = {"ListaDistritos", "ListaExDistritos"};
      d.columnas = {"CodigoDistrito", "DistritoExcluido"};
      d.tabla = "ListaDistritos";
      d.camposTabla = d.columnas;
      d.numeroLineas = 14;
      d.ordenIntro = {0, 1};
      break;
    case LPaises:
      d.listas = {"ListaExPaises"};
      d.columnas = {"DxccExcluido"};
      d.tabla = "ListaPaises";
      d.camposTabla = d.columnas;
      d.numeroLineas = 5;
      d.ordenIntro = {0};
      break;
    case LPrefijos:
      d.listas = {"ListaExPrefijos"};
      d.columnas = {"PrefijoExcluido"};
      d.tabla = "ListaPrefijos";
      d.camposTabla = d.columnas;
      d.numeroLineas = 4;
      d.ordenIntro = {0};
      break;
    case LZonasCq:
      // Typed as it comes: no upper-casing, trimming or Enter handling.
      d.listas = {"ListaExZonasCq"};
      d.columnas = {"ZonaCQ"};
      d.longitudFija = 6;  // as the zone is stored
      d.numeroLineas = 4;
      d.celdasLibres = true;
      break;
    case LEstaciones:
      d.listas = {"ListaEstaciones"};
      d.columnas = {"Estacion"};
      d.longitudFija = 12;  // as the station is stored
      d.numeroLineas = 17;
      d.ordenIntro = {0};
      break;
    default: throw std::out_of_range("lista de referencia desconocida");
  }
  d.filaNueva.assign(d.columnas.size(), std::string());
  return d;
}

EditorListaReferencia::EditorListaReferencia(EnlaceListas& enlace, int modo)
    : EditorCuadricula(enlace, DefinicionLista(modo)), modo_(modo) {}

bool EditorListaReferencia::VerificaDuplicado(const std::string& Elemento,
                                              const std::vector<std::string>& ListaElementos) const {
  const bool alta = EstadoLinea == "ALTA";
  for (std::int32_t i = 1; i <= NumeroElementos && i <= static_cast<std::int32_t>(ListaElementos.size()); ++i) {
    if (ListaElementos[static_cast<std::size_t>(i - 1)] != Elemento) continue;
    if (alta || i != ElementoActual) return false;
  }
  return true;
}

bool EditorListaReferencia::VerificaElemento() {
  const int fila = LineaActual - 1;
  const TextosLista& t = kTextos[modo_];
  const std::string valor = Celda(fila, 0);
  if (valor.empty()) {
    Mensaje(t.falta, t.tituloFalta, plataforma::Icono::Error);
    return false;
  }
  if (!VerificaDuplicado(valor, Lista(Definicion().listas[0]))) {
    PonFoco(Foco::EnCelda(fila, 0));
    Mensaje(t.repetido, t.tituloRepetido, plataforma::Icono::Error);
    return false;
  }
  if (!ConExclusion()) return true;
  // A mark read back from the database as a blank is no mark: it is judged,
  // and stored, as the operator sees it.
  std::string& marca = CeldaEditable(fila, 1);
  marca = plataforma::Recorta(marca);
  if (marca.empty() || marca == "SI") return true;
  Mensaje("Solo se admite SI o nada", "VERIFICAR ESCLUIR", plataforma::Icono::Error);
  PonFoco(Foco::EnCelda(fila, 1));
  return false;
}

// ================================================================ the window

// The main window as one list sees it: its lists only while the kind is in
// use, the stations under the window's own name, and nothing written back
// (the window writes every list back itself when it is accepted).
class EditorListProv::EnlaceLista : public EnlaceListas {
 public:
  EnlaceLista(EnlaceListProv& principal, const bool& enUso) : principal_(principal), enUso_(enUso) {}
  int ListasSoloConsulta() const override { return principal_.ListasSoloConsulta(); }
  std::vector<std::string> Lista(std::string_view nombre) const override {
    if (!enUso_) return {};
    return principal_.Lista(nombre == "ListaEstaciones" ? std::string_view("ListaMultEstEsp") : nombre);
  }
  void PonLista(std::string_view, const std::vector<std::string>&) override {}
  DefinicionCampo Campo(std::string_view tabla, std::string_view campo) const override {
    return principal_.Campo(tabla, campo);
  }
  std::string TituloBanda(int indice) const override { return principal_.TituloBanda(indice); }
  bool BandaMarcada(int indice) const override { return principal_.BandaMarcada(indice); }
  bool ModoMarcado(int indice) const override { return principal_.ModoMarcado(indice); }

 private:
  EnlaceListProv& principal_;
  const bool& enUso_;
};

EditorListProv::EditorListProv(EnlaceListProv& principal) : principal_(principal) {
  for (int modo = 0; modo < kNumeroListasProv; ++modo) {
    enlaces_.push_back(std::make_unique<EnlaceLista>(principal_, enUso_[static_cast<std::size_t>(modo)]));
    listas_.push_back(std::make_unique<EditorListaReferencia>(*enlaces_.back(), modo));
  }
  // Design state.
  botones_.fill(true);
  botones_[static_cast<int>(BotonProv::InsertarProv)] = false;
  botones_[static_cast<int>(BotonProv::InsertarDist)] = false;
  marcos_.fill(true);
}

EditorListProv::~EditorListProv() = default;

void EditorListProv::PonMensajero(plataforma::Mensajero* mensajero) {
  for (auto& lista : listas_) lista->PonMensajero(mensajero);
}

const std::vector<std::string>& EditorListProv::MatriculasEA() {
  static const std::vector<std::string> kCodigos = {
      "AV", "BU", "C",  "LE", "LO", "LU", "O",  "OU", "P",  "PO", "S",  "SA", "SG", "SO", "VA", "ZA", "BI", "HU",
      "NA", "SS", "TE", "VI", "Z",  "B",  "GI", "L",  "T",  "BA", "CC", "CR", "CU", "GU", "M",  "TO", "A",  "AB",
      "CS", "MU", "V",  "IB", "AL", "CA", "CO", "GR", "H",  "J",  "MA", "SE", "GC", "TF", "CE", "ML"};
  return kCodigos;
}

const std::vector<std::string>& EditorListProv::DistritosEA() {
  static const std::vector<std::string> kDistritos = {"EA1", "EA2", "EA3", "EA4", "EA5",
                                                      "EA6", "EA7", "EA8", "EA9"};
  return kDistritos;
}

std::string EditorListProv::Titulo(BotonProv b) const {
  const bool ver = principal_.ListasSoloConsulta() == 1;
  switch (b) {
    case BotonProv::ConfProv: return ver ? "Ver Provincias" : "Configurar Provincias";
    case BotonProv::ConfDistritos: return ver ? "Ver Distritos" : "Configurar Distritos";
    case BotonProv::ConfPaises: return ver ? "Ver Paises excluidos" : "Configurar Paises";
    case BotonProv::ConfPrefijos: return ver ? "Ver Prefijos excluidos" : "Configurar Prefijos";
    case BotonProv::ConfZonaCq: return "Configurar Zona Cq";
    case BotonProv::ConfEstaciones: return ver ? "Ver Estaciones" : "Configurar Mult. Estaciones";
    case BotonProv::ConfSufijos: return ver ? "Ver Formato Sufijos" : "Configurar Sufijos";
    case BotonProv::InsertarProv: return "Insertar Matrículas EA";
    case BotonProv::InsertarDist: return "Insertar Distritos EA";
    case BotonProv::Modificar: return "F3  &Modificar";
    case BotonProv::Anadir: return "F12   &Aceptar";
    case BotonProv::Borra: return "F4  &Borrar";
    case BotonProv::Anular: return "ESC  &Cancelar";
    case BotonProv::Finalizar: return ver ? "F10   &Finalizar Ver" : "F10   &Finalizar Configurar";
    case BotonProv::Aceptar: return "Aceptar  y Salir";
    case BotonProv::Cancelar: return "Cancelar y Salir";
  }
  return {};
}

bool EditorListProv::Habilitado(BotonProv b) const {
  Boton fila{};
  if (BotonFila(b, fila)) return Actual().Habilitado(fila);
  return botones_[static_cast<std::size_t>(b)];
}

int EditorListProv::Pitidos() const {
  int n = 0;
  for (const auto& l : listas_) n += l->Pitidos();
  return n;
}

// ---------------------------------------------------------------- loading

void EditorListProv::Form_Load() {
  for (auto& l : listas_) l->Form_Load();
  CargaInformacion(1);
}

void EditorListProv::Form_Activate() {
  CargaListasConcurso();
  // ActivaBotonesSalida.
  botones_[static_cast<int>(BotonProv::Aceptar)] = Editable();
  botones_[static_cast<int>(BotonProv::Cancelar)] = true;
  for (int modo : {LProvincias, LDistritos, LEstaciones, LPaises, LPrefijos, LZonasCq}) {
    ModoLista = modo;
    Lista(modo).Form_Activate();
  }
  abierta_ = false;
  PonFoco({FocoProv::Tipo::Boton, 0, 0, 0, BotonProv::Cancelar});
}

void EditorListProv::CargaListasConcurso() {
  for (int modo = 0; modo < kNumeroListasProv; ++modo) {
    const bool uso = principal_.OpcionMarcada(kOpciones[modo][0]) || principal_.OpcionMarcada(kOpciones[modo][1]);
    enUso_[static_cast<std::size_t>(modo)] = uso;
    botones_[static_cast<std::size_t>(modo)] = uso;  // the choice buttons come first, by ModoLista
    marcos_[static_cast<std::size_t>(modo)] = uso;
  }
  sufijoEnUso_ = principal_.OpcionMarcada(kOpciones[6][0]) || principal_.OpcionMarcada(kOpciones[6][1]);
  sufijo_ = {};
  botones_[static_cast<int>(BotonProv::ConfSufijos)] = sufijoEnUso_;
  marcos_[kFormatoSufijo] = sufijoEnUso_ && principal_.ListasSoloConsulta() != 1;
  if (sufijoEnUso_) sufijo_ = principal_.Sufijo();
  excluir_ = principal_.Exclusiones();
}

void EditorListProv::ActivaBotonesConfiguracion(bool Activar) {
  for (int modo = 0; modo < kNumeroListasProv; ++modo)
    botones_[static_cast<std::size_t>(modo)] = Activar && enUso_[static_cast<std::size_t>(modo)];
  botones_[static_cast<int>(BotonProv::ConfSufijos)] = Activar && sufijoEnUso_;
  marcos_[kFormatoSufijo] = Activar && sufijoEnUso_;
}

// ---------------------------------------------------------------- lists

void EditorListProv::AbreLista(int modo) {
  EditorListaReferencia& lista = Lista(modo);
  if (lista.NumeroEspeciales == 0 && !Editable()) {
    PonFoco({FocoProv::Tipo::Boton, 0, 0, 0, BotonProv::Cancelar});
    return;
  }
  if (modo == LProvincias) botones_[static_cast<int>(BotonProv::InsertarProv)] = Editable();
  if (modo == LDistritos) botones_[static_cast<int>(BotonProv::InsertarDist)] = Editable();
  CargaInformacion(2);
  ModoLista = modo;
  ActivaBotonesConfiguracion(false);
  botones_[static_cast<int>(BotonProv::Aceptar)] = false;
  botones_[static_cast<int>(BotonProv::Cancelar)] = false;
  abierta_ = true;
  lista.ConfProv_Click();
  TomaFoco();
}

void EditorListProv::Finalizar() {
  ActivaBotonesConfiguracion(true);
  botones_[static_cast<int>(BotonProv::Aceptar)] = Editable();
  botones_[static_cast<int>(BotonProv::Cancelar)] = true;
  if (ModoLista == LProvincias) botones_[static_cast<int>(BotonProv::InsertarProv)] = false;
  if (ModoLista == LDistritos) botones_[static_cast<int>(BotonProv::InsertarDist)] = false;
  abierta_ = false;
  CargaInformacion(1);
  PonFoco({FocoProv::Tipo::Boton, 0, 0, 0, BotonProv::Cancelar});
}

void EditorListProv::InsertarProv_Click() {
  EditorListaReferencia& lista = Lista(LProvincias);
  lista.ReemplazaLista({MatriculasEA(), std::vector<std::string>(MatriculasEA().size())});
  lista.PonFoco(Foco::EnSerie(0));
  TomaFoco();
}

void EditorListProv::InsertarDist_Click() {
  Lista(LDistritos).ReemplazaLista({DistritosEA(), std::vector<std::string>(DistritosEA().size())});
}

void EditorListProv::Aceptar_Click() {
  principal_.PonLista("ListaProv", Lista(LProvincias).Lista("ListaProv"));
  principal_.PonLista("ListaExProv", Lista(LProvincias).Lista("ListaExProv"));
  principal_.PonLista("ListaDistritos", Lista(LDistritos).Lista("ListaDistritos"));
  principal_.PonLista("ListaExDistritos", Lista(LDistritos).Lista("ListaExDistritos"));
  principal_.PonLista("ListaExPaises", Lista(LPaises).Lista("ListaExPaises"));
  principal_.PonLista("ListaMultEstEsp", Lista(LEstaciones).Lista("ListaEstaciones"));
  principal_.PonLista("ListaExZonasCq", Lista(LZonasCq).Lista("ListaExZonasCq"));
  principal_.PonLista("ListaExPrefijos", Lista(LPrefijos).Lista("ListaExPrefijos"));
  principal_.PonSufijo(sufijo_);
  principal_.PonExclusiones(excluir_);
  cerrada_ = true;
}

// ---------------------------------------------------------------- buttons and keys

void EditorListProv::Pulsa(BotonProv b) {
  if (cerrada_ || !Habilitado(b)) return;
  PonFoco({FocoProv::Tipo::Boton, 0, 0, 0, b});
  Boton fila{};
  if (BotonFila(b, fila)) {
    Actual().Pulsa(fila);
    TomaFoco();
    if (b == BotonProv::Finalizar) Finalizar();
    return;
  }
  switch (b) {
    case BotonProv::ConfProv: AbreLista(LProvincias); break;
    case BotonProv::ConfDistritos: AbreLista(LDistritos); break;
    case BotonProv::ConfPaises: AbreLista(LPaises); break;
    case BotonProv::ConfPrefijos: AbreLista(LPrefijos); break;
    case BotonProv::ConfZonaCq: AbreLista(LZonasCq); break;
    case BotonProv::ConfEstaciones: AbreLista(LEstaciones); break;
    case BotonProv::InsertarProv: InsertarProv_Click(); break;
    case BotonProv::InsertarDist: InsertarDist_Click(); break;
    case BotonProv::Aceptar: Aceptar_Click(); break;
    case BotonProv::Cancelar: cerrada_ = true; break;
    default: break;  // ConfSufijos has no action
  }
}

bool EditorListProv::Form_KeyDown(int codigo, int modificadores) {
  if (modificadores == 0) {
    BotonProv boton{};
    bool funcion = true;
    switch (codigo) {
      case tecla::F12: boton = BotonProv::Anadir; break;
      case tecla::F10: boton = BotonProv::Finalizar; break;
      case tecla::F3: boton = BotonProv::Modificar; break;
      case tecla::F4: boton = BotonProv::Borra; break;
      case tecla::Esc: boton = BotonProv::Anular; break;
      default: funcion = false;
    }
    if (funcion && Habilitado(boton)) {
      Pulsa(boton);
      return true;
    }
  }
  // The navigation keys work only inside the open list: outside it there is
  // no cursor row, and a row started there would be stored unseen.
  if (!abierta_ || cerrada_ || !Actual().NavegacionActiva) return false;
  if (!Actual().KeyDown(codigo)) return false;
  TomaFoco();
  return true;
}

// ---------------------------------------------------------------- focus, cells and boxes

void EditorListProv::TomaFoco() {
  const Foco& f = Actual().FocoActual();
  switch (f.tipo) {
    case Foco::Tipo::Serie: foco_ = {FocoProv::Tipo::Serie, ModoLista, f.fila, 0, BotonProv::Cancelar}; break;
    case Foco::Tipo::Celda: foco_ = {FocoProv::Tipo::Celda, ModoLista, f.fila, f.columna, BotonProv::Cancelar}; break;
    case Foco::Tipo::Boton: {
      BotonProv b = BotonProv::Cancelar;
      switch (f.boton) {
        case Boton::ConfProv: b = static_cast<BotonProv>(ModoLista); break;
        case Boton::Finalizar: b = BotonProv::Finalizar; break;
        case Boton::Anadir: b = BotonProv::Anadir; break;
        case Boton::Modificar: b = BotonProv::Modificar; break;
        case Boton::Borra: b = BotonProv::Borra; break;
        case Boton::Anular: b = BotonProv::Anular; break;
        case Boton::Aceptar: b = BotonProv::Aceptar; break;
        case Boton::Cancelar: b = BotonProv::Cancelar; break;
      }
      foco_ = {FocoProv::Tipo::Boton, 0, 0, 0, b};
      break;
    }
    case Foco::Tipo::Ninguno: break;
  }
}

void EditorListProv::PonFoco(const FocoProv& foco) {
  if (foco == foco_) return;
  const FocoProv anterior = foco_;
  foco_ = foco;
  const bool enRejilla = foco.tipo == FocoProv::Tipo::Serie || foco.tipo == FocoProv::Tipo::Celda;
  // The cell left runs its leave handling in its own list.
  if ((anterior.tipo == FocoProv::Tipo::Serie || anterior.tipo == FocoProv::Tipo::Celda) &&
      (!enRejilla || anterior.modo != foco.modo))
    Lista(anterior.modo).PonFoco(Foco{});
  if (foco.tipo == FocoProv::Tipo::Serie) {
    Lista(foco.modo).PonFoco(Foco::EnSerie(foco.fila));
  } else if (foco.tipo == FocoProv::Tipo::Celda) {
    Lista(foco.modo).PonFoco(Foco::EnCelda(foco.fila, foco.columna));
  } else if (foco.tipo == FocoProv::Tipo::Boton) {
    Boton b{};
    if (BotonFila(foco.boton, b)) Actual().PonFoco(Foco::EnBoton(b));
    else if (foco.boton == BotonProv::Aceptar) Actual().PonFoco(Foco::EnBoton(Boton::Aceptar));
    else if (foco.boton == BotonProv::Cancelar) Actual().PonFoco(Foco::EnBoton(Boton::Cancelar));
    else Actual().PonFoco(Foco{});
  } else {
    Actual().PonFoco(Foco{});
  }
}

void EditorListProv::Escribe(int modo, int fila, int columna, std::string_view texto) {
  Lista(modo).Escribe(fila, columna, texto);
}

void EditorListProv::Intro(int modo, int fila, int columna) {
  if (modo != ModoLista) return;
  Lista(modo).Intro(fila, columna);
  TomaFoco();
}

void EditorListProv::MarcaSufijo(int indice, bool marcada) {
  if (indice < 0 || indice >= 5 || !marcos_[kFormatoSufijo]) return;
  auto& casilla = sufijo_[static_cast<std::size_t>(indice)];
  if (casilla == marcada) return;
  casilla = marcada;
  // TerceraLetra and UltimaLetra exclude each other.
  if (indice == 3 && marcada) sufijo_[4] = false;
  if (indice == 4 && marcada) sufijo_[3] = false;
}

void EditorListProv::MarcaExcluir(int indice, bool marcada) {
  if (indice < 0 || indice >= 5 || !marcos_[static_cast<std::size_t>(indice)]) return;
  excluir_[static_cast<std::size_t>(indice)] = marcada;
}

// ---------------------------------------------------------------- help texts

std::string EditorListProv::TextoAyuda(int Opcion) {
  const std::string LF = "\n";
  if (Opcion == 1)
    return std::string(".- Para acceder a una lista pulse el botón de 'Configuración o de Ver' correspondiente") +
           LF +
           ".- Solo podrá actualizar una lista si la pantalla de 'CONCURSOS " +
           "está en modo 'ALTA' o 'MODIFICAR'. En caso contrario solo podrá consultar la lista" + LF +
           ".- Pulse 'Aceptar y Salir' para grabar las actualizaciones o 'Cancelar y Salir' " +
           "para salir anulando las actualizaciones.";
  if (Opcion == 2)
    return std::string(".- Utilize las teclas: <Inicio> <Fin> <Re-Pág> <Av-Pág> <Flecha-Arriba> y <Flecha-Abajo> ") +
           "para moverse por las listas. Pulse 'Finalizar' cuando termine de consultar o actualizar" + LF +
           ".- Para insertar un nuevo elemento en una lista, situese en la última " +
           "línea y pulse <flecha-abajo>." +
           " Pulse 'Aceptar' para grabar o <Flecha-Arriba> para cancelar." + LF +
           ".- Para Excluir un multiplicador de Provincia o Distrito, situese en la " +
           "linea correspondiente y escriba SI en la columna Exc";
  return {};
}

void EditorListProv::CargaInformacion(int Opcion) {
  if (Opcion == 1 || Opcion == 2) informacion_ = TextoAyuda(Opcion);
}

}  // namespace listeditors
