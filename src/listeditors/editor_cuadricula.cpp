#include "listeditors/editor_cuadricula.h"

#include <algorithm>
#include <stdexcept>

#include "plataforma/mensajes.h"
#include "plataforma/texto.h"

namespace listeditors {

EditorCuadricula::EditorCuadricula(EnlaceListas& principal, DefinicionEditor definicion)
    : principal_(principal), def_(std::move(definicion)) {
  if (def_.columnas.size() != def_.listas.size() || def_.filaNueva.size() != def_.columnas.size() ||
      def_.numeroLineas < 1)
    throw std::invalid_argument("definicion de editor incoherente");
  listas_.resize(def_.listas.size());
}

int EditorCuadricula::Columna(std::string_view nombre) const {
  for (std::size_t c = 0; c < def_.columnas.size(); ++c)
    if (def_.columnas[c] == nombre) return static_cast<int>(c);
  return -1;
}

const std::vector<std::string>& EditorCuadricula::Lista(std::string_view nombre) const {
  for (std::size_t c = 0; c < def_.listas.size(); ++c)
    if (def_.listas[c] == nombre) return listas_[c];
  throw std::out_of_range("lista desconocida");
}

std::string EditorCuadricula::TituloConfProv() const { return Editable() ? "Insertar Especiales" : "Explorar Lista"; }
std::string EditorCuadricula::TituloFinalizar() const {
  return Editable() ? "Finalizar Insertar" : "Finalizar Explorar";
}

// ---------------------------------------------------------------- loading

void EditorCuadricula::Form_Load() {
  NumeroLineas = def_.numeroLineas;
  AjustaCampos();
  // CreaCuadriculas: every row of the grid, empty and unlocked.
  const auto filas = static_cast<std::size_t>(NumeroLineas);
  celdas_.assign(filas, std::vector<std::string>(def_.columnas.size()));
  serie_.assign(filas, {});
  marcada_.assign(filas, false);
  bloqueada_.assign(filas, false);
  CargaInformacion(1);
  NavegacionActiva = true;
}

void EditorCuadricula::VerLongitudTipoCampo(const DefinicionCampo& campo, int& Longitud) {
  switch (campo.tipo) {
    case dao::Tipo::Boolean: Longitud = 2; break;
    case dao::Tipo::Integer: Longitud = 5; break;
    case dao::Tipo::Long: Longitud = 11; break;
    case dao::Tipo::Double: Longitud = 11; break;
    case dao::Tipo::Date: Longitud = 10; break;
    case dao::Tipo::Text: Longitud = campo.tamano; break;
  }
}

void EditorCuadricula::AjustaCampos() {
  longitudes_.assign(def_.columnas.size(), def_.longitudFija);
  int Longitud = 0;
  for (const std::string& campo : def_.camposTabla) {
    VerLongitudTipoCampo(principal_.Campo(def_.tabla, campo), Longitud);
    const int c = Columna(campo);
    if (c >= 0) longitudes_[static_cast<std::size_t>(c)] = Longitud;
  }
}

void EditorCuadricula::Form_Activate() {
  CargaListasConcurso();
  ActivaBotonesSalida();
  NumeroElementos = NumeroEspeciales;
  BloqueaLinea(1, 0);
  ElementoActual = 0;
  LineaActual = 0;
  MuestraLista();
  PonFoco(Foco::EnBoton(Boton::Cancelar));
}

void EditorCuadricula::CargaListasConcurso() {
  for (std::size_t c = 0; c < listas_.size(); ++c) listas_[c] = principal_.Lista(def_.listas[c]);
  // The lists are parallel: a shorter one is padded so that every element
  // has all its columns.
  std::size_t n = listas_.empty() ? 0 : listas_[0].size();
  for (auto& l : listas_) l.resize(n);
  Habilita(Boton::ConfProv, true);
  NumeroEspeciales = static_cast<std::int32_t>(n);
}

// ---------------------------------------------------------------- the list

void EditorCuadricula::ConfProv_Click() {
  if (NumeroEspeciales == 0 && !Editable()) {
    PonFoco(Foco::EnBoton(Boton::Cancelar));
    return;
  }
  CargaInformacion(2);
  NumeroElementos = NumeroEspeciales;
  ActivaBotonesConfiguracion(false);
  ActivaBotonesLista();
  listaAbierta_ = true;
  ElementoActual = 0;
  LineaActual = 0;
  if (NumeroElementos > 0) {
    BloqueaLinea(1, 0);
    MuestraLista();
    MarcaLineaActual(true);
  }
  PonFoco(Foco::EnSerie(0));
}

void EditorCuadricula::Finalizar_Click() {
  ActivaBotonesConfiguracion(true);
  ActivaBotonesSalida();
  MarcaLineaActual(false);
  if (NumeroElementos > 0) {
    BloqueaLinea(1, 0);
    ElementoActual = 0;
    LineaActual = 0;
    MuestraLista();
  }
  NumeroEspeciales = NumeroElementos;
  listaAbierta_ = false;
  CargaInformacion(1);
  PonFoco(Foco::EnBoton(Boton::Cancelar));
}

// ---------------------------------------------------------------- drawing

void EditorCuadricula::MuestraLista() {
  for (int i = 1; i <= NumeroLineas; ++i) {
    if (ElementoActual >= NumeroElementos) break;
    ++ElementoActual;
    LineaActual = i;
    RestauraLinea(LineaActual);
  }
  for (int fila = std::max(LineaActual, 0); fila < NumeroLineas; ++fila) LimpiaLinea(fila);
  if (LineaActual > 0) {
    ElementoActual -= LineaActual - 1;
    LineaActual = 1;
  }
}

void EditorCuadricula::RestauraLinea(int Linea) {
  const auto fila = static_cast<std::size_t>(Linea - 1);
  const auto elemento = static_cast<std::size_t>(ElementoActual - 1);
  serie_.at(fila) = std::to_string(ElementoActual);
  for (std::size_t c = 0; c < listas_.size(); ++c) celdas_.at(fila)[c] = listas_[c].at(elemento);
}

void EditorCuadricula::LimpiaLinea(int Linea) {
  const auto fila = static_cast<std::size_t>(Linea);
  serie_.at(fila).clear();
  for (std::string& celda : celdas_.at(fila)) celda.clear();
}

void EditorCuadricula::LimpiaLineas() {
  for (int fila = 0; fila < NumeroLineas; ++fila) LimpiaLinea(fila);
}

void EditorCuadricula::MarcaLineaActual(bool Marcar) {
  marcada_.at(static_cast<std::size_t>(LineaActual > 0 ? LineaActual - 1 : 0)) = Marcar;
}

void EditorCuadricula::BloqueaLinea(int Accion, int Linea) { bloqueada_.at(static_cast<std::size_t>(Linea)) = Accion == 1; }

void EditorCuadricula::BajaCursor(int veces) {
  for (int i = 0; i < veces && ElementoActual < NumeroElementos; ++i) {
    ++LineaActual;
    ++ElementoActual;
  }
}

void EditorCuadricula::VaAlFinal() {
  MarcaLineaActual(false);
  ElementoActual = 0;
  LineaActual = 0;
  do {
    MuestraLista();
    BajaCursor(NumeroLineas - 1);
  } while (ElementoActual < NumeroElementos);
  if (NumeroElementos > 0) MarcaLineaActual(true);
}

void EditorCuadricula::RetrocedePagina() {
  ElementoActual -= LineaActual - 1;
  LineaActual = 1;
  if (ElementoActual <= 1) {
    Pita();
    ElementoActual = 0;
    MuestraLista();
  } else {
    ElementoActual -= NumeroLineas + 1;
    MuestraLista();
    BajaCursor(NumeroLineas - 1);
  }
}

void EditorCuadricula::AvanzaPagina() {
  if (ElementoActual >= NumeroElementos) {
    Pita();
    return;
  }
  BajaCursor(NumeroLineas - LineaActual);
  MuestraLista();
}

// ---------------------------------------------------------------- keys

bool EditorCuadricula::Form_KeyDown(int codigo, int modificadores) {
  if (modificadores == 0) {
    Boton boton{};
    bool funcion = true;
    switch (codigo) {
      case tecla::F12: boton = Boton::Anadir; break;
      case tecla::F10: boton = Boton::Finalizar; break;
      case tecla::F3: boton = Boton::Modificar; break;
      case tecla::F4: boton = Boton::Borra; break;
      case tecla::Esc: boton = Boton::Anular; break;
      default: funcion = false;
    }
    if (funcion && Habilitado(boton)) {
      Pulsa(boton);
      return true;
    }
  }
  // The navigation keys work only inside the open list: outside it there is
  // no cursor row, and a row started there would be stored unseen.
  if (NavegacionActiva && listaAbierta_ && !cerrada_) return KeyDown(codigo);
  return false;
}

bool EditorCuadricula::KeyDown(int codigo) {
  const bool alta = EstadoLinea == "ALTA";
  const bool vacia = NumeroElementos == 0;
  switch (codigo) {
    case tecla::Abajo:
      if (alta) {
        Pita();
      } else if (LineaActual == 0) {
        if (Editable()) {
          LineaActual = 1;
          IniciaAlta();
          MarcaLineaActual(true);
          PonFoco(Foco::EnCelda(LineaActual - 1, def_.primeraCelda));
        }
      } else if (ElementoActual >= NumeroElementos) {
        if (Editable()) {
          MarcaLineaActual(false);
          if (LineaActual == NumeroLineas) {
            LimpiaLineas();
            LineaActual = 1;
          } else {
            ++LineaActual;
          }
          IniciaAlta();
          MarcaLineaActual(true);
          PonFoco(Foco::EnCelda(LineaActual - 1, def_.primeraCelda));
        }
      } else if (LineaActual == NumeroLineas) {
        MarcaLineaActual(false);
        LimpiaLineas();
        AvanzaPagina();
        MarcaLineaActual(true);
        FocoSerie();
      } else {
        MarcaLineaActual(false);
        ++ElementoActual;
        ++LineaActual;
        MarcaLineaActual(true);
        FocoSerie();
      }
      return true;

    case tecla::Arriba:
      if (LineaActual == 0) {
        Pita();
        PonFoco(Foco::EnSerie(0));
      } else if (alta) {
        EstadoLinea.clear();
        BloqueaLinea(1, LineaActual - 1);
        LimpiaLinea(LineaActual - 1);
        MarcaLineaActual(false);
        if (LineaActual == 1 && vacia) {
          ActivaBotonesLista();
          LineaActual = 0;
        } else if (LineaActual == 1) {
          ++ElementoActual;
          RetrocedePagina();
          MarcaLineaActual(true);
          ActivaBotonesLista();
        } else {
          --LineaActual;
          MarcaLineaActual(true);
          ActivaBotonesLista();
        }
        Pita();
        FocoSerie();
      } else if (LineaActual == 1 && ElementoActual == 1) {
        Pita();
        FocoSerie();
      } else if (LineaActual == 1) {
        MarcaLineaActual(false);
        LimpiaLineas();
        RetrocedePagina();
        MarcaLineaActual(true);
        FocoSerie();
      } else {
        MarcaLineaActual(false);
        --LineaActual;
        --ElementoActual;
        MarcaLineaActual(true);
        FocoSerie();
      }
      return true;

    case tecla::RePag:
    case tecla::AvPag:
    case tecla::Fin:
    case tecla::Inicio:
      if (alta) {
        Pita();
      } else if (vacia) {
        Pita();
        PonFoco(Foco::EnSerie(0));
      } else if (codigo == tecla::RePag) {
        MarcaLineaActual(false);
        RetrocedePagina();
        MarcaLineaActual(true);
        FocoSerie();
      } else if (codigo == tecla::AvPag) {
        MarcaLineaActual(false);
        AvanzaPagina();
        MarcaLineaActual(true);
        FocoSerie();
      } else if (codigo == tecla::Fin) {
        VaAlFinal();
        FocoSerie();
      } else {
        MarcaLineaActual(false);
        ElementoActual = 0;
        LineaActual = 0;
        MuestraLista();
        MarcaLineaActual(true);
        FocoSerie();
      }
      return true;

    default:
      return false;
  }
}

// ---------------------------------------------------------------- rows

void EditorCuadricula::IniciaAlta() {
  DesactivaBotones();
  Habilita(Boton::Anadir, true);
  const auto fila = static_cast<std::size_t>(LineaActual - 1);
  serie_.at(fila) = std::to_string(static_cast<std::int64_t>(NumeroElementos) + 1);
  celdas_.at(fila) = def_.filaNueva;
  BloqueaLinea(0, LineaActual - 1);
  EstadoLinea = "ALTA";
}

void EditorCuadricula::Modificar_Click() {
  if (LineaActual < 1 || ElementoActual < 1) return;
  DesactivaBotones();
  Habilita(Boton::Anular, true);
  Habilita(Boton::Anadir, true);
  BloqueaLinea(0, LineaActual - 1);
  EstadoLinea = "MODIFICAR";
  NavegacionActiva = false;
  PonFoco(Foco::EnCelda(LineaActual - 1, def_.primeraCelda));
}

void EditorCuadricula::Anadir_Click() {
  PonFoco(Foco::EnBoton(Boton::Anadir));
  if (EstadoLinea == "ALTA")
    GrabaAltaElemento();
  else if (EstadoLinea == "MODIFICAR")
    GrabaModificacion();
}

void EditorCuadricula::GrabaAltaElemento() {
  PonFoco(Foco::EnBoton(Boton::Anadir));
  if (!VerificaFila()) return;
  const auto fila = static_cast<std::size_t>(LineaActual - 1);
  for (std::size_t c = 0; c < listas_.size(); ++c) listas_[c].push_back(celdas_.at(fila)[c]);
  ++NumeroElementos;
  VaAlFinal();
  ActivaBotonesLista();
  EstadoLinea.clear();
  BloqueaLinea(1, LineaActual - 1);
  FocoSerie();
}

void EditorCuadricula::GrabaModificacion() {
  if (!VerificaFila()) return;
  const auto fila = static_cast<std::size_t>(LineaActual - 1);
  const auto elemento = static_cast<std::size_t>(ElementoActual - 1);
  for (std::size_t c = 0; c < listas_.size(); ++c) listas_[c].at(elemento) = celdas_.at(fila)[c];
  FocoSerie();
  ActivaBotonesLista();
  EstadoLinea.clear();
  BloqueaLinea(1, LineaActual - 1);
  NavegacionActiva = true;
}

void EditorCuadricula::Anular_Click() {
  ActivaBotonesLista();
  RestauraLinea(LineaActual);
  BloqueaLinea(1, LineaActual - 1);
  EstadoLinea.clear();
  NavegacionActiva = true;
  FocoSerie();
}

plataforma::Respuesta EditorCuadricula::Mensaje(const std::string& texto, const std::string& titulo,
                                                plataforma::Icono icono, plataforma::Botones botones) const {
  if (!mensajero_) return plataforma::RespuestaPorDefecto(botones);
  return mensajero_->Muestra(texto, titulo, icono, botones);
}

void EditorCuadricula::Borra_Click() {
  if (ElementoActual < 1 || ElementoActual > NumeroElementos) return;
  if (Mensaje("¿ De Verdad quiere ELIMINAR este dato ?", "", plataforma::Icono::Pregunta, plataforma::Botones::SiNo) ==
      plataforma::Respuesta::Si)
    EliminaElemento();
  PonFoco(Foco::EnSerie(NumeroElementos > 0 && LineaActual > 0 ? LineaActual - 1 : 0));
}

void EditorCuadricula::EliminaElemento() {
  --NumeroElementos;
  const auto elemento = static_cast<std::ptrdiff_t>(ElementoActual - 1);
  for (auto& l : listas_) l.erase(l.begin() + elemento);
  VaAlFinal();
  ActivaBotonesLista();
}

void EditorCuadricula::Aceptar_Click() {
  for (std::size_t c = 0; c < listas_.size(); ++c) principal_.PonLista(def_.listas[c], listas_[c]);
  cerrada_ = true;
}

void EditorCuadricula::Cancelar_Click() { cerrada_ = true; }

void EditorCuadricula::Pulsa(Boton b) {
  if (cerrada_ || !Habilitado(b)) return;
  PonFoco(Foco::EnBoton(b));
  switch (b) {
    case Boton::ConfProv: ConfProv_Click(); break;
    case Boton::Finalizar: Finalizar_Click(); break;
    case Boton::Anadir: Anadir_Click(); break;
    case Boton::Modificar: Modificar_Click(); break;
    case Boton::Borra: Borra_Click(); break;
    case Boton::Anular: Anular_Click(); break;
    case Boton::Aceptar: Aceptar_Click(); break;
    case Boton::Cancelar: Cancelar_Click(); break;
  }
}

void EditorCuadricula::ReemplazaLista(std::vector<std::vector<std::string>> columnas) {
  if (columnas.size() != listas_.size()) throw std::invalid_argument("columnas de lista incoherentes");
  MarcaLineaActual(false);
  LimpiaLineas();
  const std::size_t n = columnas.empty() ? 0 : columnas[0].size();
  for (auto& l : columnas) l.resize(n);
  listas_ = std::move(columnas);
  EstadoLinea.clear();
  NavegacionActiva = true;
  for (int fila = 0; fila < NumeroLineas; ++fila) BloqueaLinea(1, fila);
  ElementoActual = 0;
  LineaActual = 0;
  NumeroElementos = static_cast<std::int32_t>(n);
  BloqueaLinea(1, 0);
  MuestraLista();
  MarcaLineaActual(true);
  ActivaBotonesLista();
}

// ---------------------------------------------------------------- buttons

void EditorCuadricula::ActivaBotonesSalida() {
  Habilita(Boton::Finalizar, false);
  Habilita(Boton::Anadir, false);
  Habilita(Boton::Modificar, false);
  Habilita(Boton::Borra, false);
  Habilita(Boton::Anular, false);
  Habilita(Boton::Aceptar, Editable());
  Habilita(Boton::Cancelar, true);
}

void EditorCuadricula::ActivaBotonesLista() {
  const bool conElementos = Editable() && NumeroElementos >= 1;
  Habilita(Boton::Finalizar, true);
  Habilita(Boton::Anadir, false);
  Habilita(Boton::Modificar, conElementos);
  Habilita(Boton::Borra, conElementos);
  Habilita(Boton::Anular, false);
  Habilita(Boton::Aceptar, false);
  Habilita(Boton::Cancelar, false);
}

void EditorCuadricula::DesactivaBotones() {
  Habilita(Boton::Finalizar, false);
  Habilita(Boton::Anadir, false);
  Habilita(Boton::Modificar, false);
  Habilita(Boton::Borra, false);
  Habilita(Boton::Anular, false);
}

void EditorCuadricula::ActivaBotonesConfiguracion(bool Activar) { Habilita(Boton::ConfProv, Activar); }

// ---------------------------------------------------------------- cells

void EditorCuadricula::PonFoco(const Foco& foco) {
  if (foco == foco_) return;
  const Foco anterior = foco_;
  foco_ = foco;
  if (anterior.tipo == Foco::Tipo::Celda) SaleDeCelda(anterior.fila, anterior.columna);
}

void EditorCuadricula::SaleDeCelda(int fila, int columna) {
  if (def_.celdasLibres) return;
  std::string& texto = celdas_.at(static_cast<std::size_t>(fila)).at(static_cast<std::size_t>(columna));
  texto = plataforma::Recorta(texto);
  ReglasSalida(fila, columna);
}

void EditorCuadricula::Escribe(int fila, int columna, std::string_view texto) {
  std::string t = def_.celdasLibres ? std::string(texto) : plataforma::Mayusculas(texto);
  const int maximo = longitudes_.at(static_cast<std::size_t>(columna));
  if (maximo > 0 && plataforma::Longitud(t) > static_cast<std::size_t>(maximo))
    t = plataforma::Izquierda(t, static_cast<std::size_t>(maximo));
  celdas_.at(static_cast<std::size_t>(fila)).at(static_cast<std::size_t>(columna)) = std::move(t);
}

void EditorCuadricula::Intro(int fila, int columna) {
  const auto& orden = def_.ordenIntro;
  auto it = std::find(orden.begin(), orden.end(), columna);
  if (it == orden.end()) return;
  ++it;
  if (it == orden.end()) it = orden.begin();
  PonFoco(Foco::EnCelda(fila, *it));
}

// ---------------------------------------------------------------- help texts

std::string EditorCuadricula::TextoAyuda(int Opcion) {
  const std::string LF = "\n";
  if (Opcion == 1)
    return ".- Para acceder a la lista pulse el botón de 'Insertar o de Explorar' " + LF +
           ".- Solo podrá actualizar la lista si la pantalla de 'CONCURSOS " +
           "está en modo 'ALTA' o 'MODIFICAR'. En caso contrario solo podrá recorrer la lista" + LF +
           ".- Pulse 'Aceptar y Salir' para grabar las actualizaciones o 'Cancelar y Salir' " +
           "para salir anulando las actualizaciones.";
  if (Opcion == 2)
    return ".- Utilize las teclas: <Inicio> <Fin> <Re-Pág> <Av-Pág> <Flecha-Arriba> y <Flecha-Abajo> "
           "para moverse por las listas. Pulse 'Finalizar' cuando termine de Explorar o Insertar" +
           LF + ".- Para insertar un nuevo elemento en la lista, situese en la última " +
           "línea y pulse <flecha-abajo>." + " Pulse 'Aceptar' para grabar o <Flecha-Arriba> para cancelar." + LF +
           ".- Un * significa que vale cualquier valor. Algunas combinaciones son excluyentes, " +
           "por ejemplo: Matrículas con Distritos o Estaciones con el resto.";
  return {};
}

void EditorCuadricula::CargaInformacion(int Opcion) {
  if (Opcion == 1 || Opcion == 2) informacion_ = TextoAyuda(Opcion);
}

}  // namespace listeditors
