// The main window's services on the program's own database files, printers
// and message boxes.
#include "mainwindow/servicios_programa.h"

#include <algorithm>

#include "cabrillo/lectura_concurso.h"
#include "common/paises.h"
#include "common/ventanas.h"
#include "database/carpetas.h"
#include "database/creacion.h"
#include "listeditors/list_esp.h"
#include "listeditors/lista_mult_esp.h"
#include "cabrillo/contexto_concurso.h"
#include "plataforma/impresion.h"
#include "plataforma/mensajes.h"
#include "plataforma/rutas.h"
#include "plataforma/version.h"
#include "listeditors/list_prov.h"
#include "mail/enlace_ges_automatica.h"
#include "mail/ges_automatica.h"
#include "rules/bases_concurso.h"
#include "rules/formato_cabrillo.h"

namespace principal {

namespace {

// A database file of the working folder, found without regard to letter case.
std::string RutaBase(const EstadoConcurso& estado, const std::string& nombre) {
  return plataforma::ResuelveRuta(plataforma::UneRuta(estado.CarpetaTrabajo, nombre));
}

// A failure of the database layer while opening a file becomes the reason
// why start-up cannot go on, naming the file.
[[noreturn]] void FallaBase(const std::string& ruta, const std::string& cual, const dao::Error& e) {
  if (e.Number() == dao::errFicheroNoEncontrado)
    throw ErrorArranque(ruta, "No se encuentra la base de datos " + cual);
  if (e.Number() == dao::errNoEsBaseDeDatos)
    throw ErrorArranque(ruta, "El fichero no es una base de datos " + cual);
  throw ErrorArranque(ruta, "No se puede abrir la base de datos " + cual +
                                " (puede estar bloqueada por otro programa): " + e.Description());
}

TipoColumna TipoDe(dao::Tipo t) {
  switch (t) {
    case dao::Tipo::Boolean: return TipoColumna::Booleano;
    case dao::Tipo::Integer: return TipoColumna::Entero16;
    case dao::Tipo::Long: return TipoColumna::Entero32;
    case dao::Tipo::Double: return TipoColumna::Doble;
    case dao::Tipo::Date: return TipoColumna::Fecha;
    case dao::Tipo::Text: return TipoColumna::Texto;
  }
  return TipoColumna::Otro;
}

std::optional<std::string> TextoDe(const dao::Field& campo) {
  dao::Variant v = campo.Value();
  if (v.IsNull()) return std::nullopt;
  if (v.clase() == dao::Variant::Clase::Date) return v.CDate().Texto();
  return v.CStr();
}

bool BooleanoDe(const dao::Field& campo) {
  dao::Variant v = campo.Value();
  return !v.IsNull() && v.CBool();
}

}  // namespace

// ---------------------------------------------------------------- the row

std::vector<ColumnaConcurso> RegistroConcursoDao::Definicion() const {
  std::vector<ColumnaConcurso> r;
  dao::Fields campos = conjunto_.Fields();
  for (int i = 0; i < campos.Count(); ++i) {
    dao::Field c = campos[i];
    r.push_back({c.Name(), TipoDe(c.Type()), c.Size()});
  }
  return r;
}
std::optional<std::string> RegistroConcursoDao::LeeTexto(int posicion) const { return TextoDe(conjunto_[posicion]); }
std::optional<std::string> RegistroConcursoDao::LeeTexto(std::string_view nombre) const {
  return TextoDe(conjunto_[nombre]);
}
bool RegistroConcursoDao::LeeBooleano(int posicion) const { return BooleanoDe(conjunto_[posicion]); }
bool RegistroConcursoDao::LeeBooleano(std::string_view nombre) const { return BooleanoDe(conjunto_[nombre]); }
void RegistroConcursoDao::EscribeTexto(int posicion, const std::string& valor) {
  conjunto_[posicion].SetValue(dao::Variant(valor));
}
void RegistroConcursoDao::EscribeTexto(std::string_view nombre, const std::string& valor) {
  conjunto_[nombre].SetValue(dao::Variant(valor));
}
void RegistroConcursoDao::EscribeBooleano(int posicion, bool valor) { conjunto_[posicion].SetValue(dao::Variant(valor)); }
void RegistroConcursoDao::EscribeBooleano(std::string_view nombre, bool valor) {
  conjunto_[nombre].SetValue(dao::Variant(valor));
}

// ---------------------------------------------------------------- start-up

// The program's version as four numbers joined by points.
std::string ServiciosPrograma::VersionPrograma() {
  std::string version = plataforma::kVersionPrograma;
  int puntos = static_cast<int>(std::count(version.begin(), version.end(), '.'));
  for (; puntos < 3; ++puntos) version += ".0";
  return version;
}

void ServiciosPrograma::ActualizaEsquema() {
  std::string ruta = RutaBase(contexto_, "Ledrima");
  try {
    database::ActualizaEsquema(ruta);
  } catch (const dao::Error& e) {
    FallaBase(ruta, "de concursos", e);
  }
}

void ServiciosPrograma::AbrirBasesDeDatos() {
  std::string rutaConcursos = RutaBase(contexto_, "Ledrima");
  std::string rutaPaises = RutaBase(contexto_, "Terravia");
  try {
    ::AbrirBasesDeDatos(contexto_);
  } catch (const dao::Error& e) {
    // Name the file that failed: the contest database opens first.
    FallaBase(contexto_.BaseConcursos.Abierta() ? rutaPaises : rutaConcursos,
              contexto_.BaseConcursos.Abierta() ? "de países" : "de concursos", e);
  }
  // The callsign lookups read the countries database from memory for the
  // whole run.
  try {
    contexto_.Paises = TablasPaises::Abre(rutaPaises);
  } catch (const ErrorPaises& e) {
    throw ErrorArranque(rutaPaises, std::string("No se puede leer la base de datos de países: ") + e.what());
  }
}

void ServiciosPrograma::AbrirControlConcursos() { ::AbrirControlConcursos(contexto_); }

bool ServiciosPrograma::CargarComboConcursos(::ListaConcursos& lista) {
  lista.Limpia();
  posicionado_ = ::CargarComboConcursos(contexto_, lista);
  if (!posicionado_)
    plataforma::MsgBox(kTextoSinConcursos, kTituloSinConcursos, plataforma::Icono::Informacion,
                       plataforma::Botones::Aceptar);
  return posicionado_;
}

bool ServiciosPrograma::BuscaConcurso(std::int32_t numero) {
  dao::Recordset& conjunto = contexto_.ConcursoActual;
  if (!conjunto.Abierto() || (conjunto.Eof() && conjunto.Bof())) return false;
  conjunto.FindFirst("NumeroOrden = ?", {dao::Variant(numero)});
  if (conjunto.NoMatch()) return false;
  posicionado_ = true;
  return true;
}

RegistroConcurso* ServiciosPrograma::ConcursoActual() { return posicionado_ ? &actual_ : nullptr; }

std::vector<ColumnaConcurso> ServiciosPrograma::DefinicionConcursos() {
  std::vector<ColumnaConcurso> r;
  dao::Fields campos = contexto_.DefinicionConcursos.Fields();
  for (int i = 0; i < campos.Count(); ++i) {
    dao::Field c = campos[i];
    r.push_back({c.Name(), TipoDe(c.Type()), c.Size()});
  }
  return r;
}

void ServiciosPrograma::FijaConcursoActivo(std::int32_t numero) {
  dao::Recordset& control = contexto_.RegistroControlConcursos;
  control.MoveFirst();
  control.Edit();
  control["ConcursoActivo"] = dao::Variant(numero);
  control.Update();
}

// ---------------------------------------------------------------- the rest

std::vector<std::string> ServiciosPrograma::Impresoras() { return plataforma::Impresoras(); }

std::string ServiciosPrograma::ImpresoraActual() { return plataforma::ImpresoraActual(contexto_.Impresora); }

void ServiciosPrograma::EstableceImpresora(const std::string& nombre) {
  ::EstableceImpresora(contexto_.Impresora, nombre);
}

void ServiciosPrograma::Mensaje(const std::string& texto, const std::string& titulo, IconoMensaje icono) {
  plataforma::Icono i = icono == IconoMensaje::Error         ? plataforma::Icono::Error
                        : icono == IconoMensaje::Pregunta    ? plataforma::Icono::Pregunta
                        : icono == IconoMensaje::Informacion ? plataforma::Icono::Informacion
                                                             : plataforma::Icono::Ninguno;
  plataforma::MsgBox(texto, titulo, i);
}

void ServiciosPrograma::CrearCarpetasConcurso(const std::string& nombre, const std::string& edicion) {
  const std::vector<std::string> fallidas = CreaArbolCarpetasConcurso(contexto_, nombre, edicion);
  if (!fallidas.empty()) plataforma::MsgBox(TextoCarpetasNoCreadas(fallidas), "ERROR", plataforma::Icono::Error);
}

void ServiciosPrograma::GeneraCategoriasAdmitidas() {
  cabrillo::GeneraCategoriasAdmitidas(contexto_, contexto_.BaseConcursos);
}

bool ServiciosPrograma::AbreVentana(VentanaSecundaria ventana, EnlacesVentanaPrincipal& principal) {
  if (ventana == VentanaSecundaria::GestionCorreo) {
    // Not modal: it shows the main window again when it closes.
    mail::AbreGesAutomatica(principal.EnlaceCorreo());
    return true;
  }
  if (ventana == VentanaSecundaria::FormatoCabrillo) {
    // Modal: the main window has hidden itself and shows itself again.
    const std::unique_ptr<rules::EnlaceFormatoCabrillo> enlace = principal.EnlaceFormato();
    rules::FormatoCabrillo formato(*enlace);
    formato.exec();
    return true;
  }
  if (ventana == VentanaSecundaria::BasesConcurso) {
    // Not modal: it shows the main window again when it closes.
    rules::AbreBasesConcurso(principal.EnlaceBases());
    return true;
  }
  if (ventana == VentanaSecundaria::MultEspeciales) {
    const std::unique_ptr<listeditors::EnlaceListas> enlace = principal.EnlaceListas();
    listeditors::ListaMultEsp lista(*enlace);
    lista.exec();
    return true;
  }
  if (ventana == VentanaSecundaria::ListasProvincias) {
    const std::unique_ptr<listeditors::EnlaceListProv> enlace = principal.EnlaceListas();
    listeditors::ListProv lista(*enlace);
    lista.exec();
    return true;
  }
  if (ventana == VentanaSecundaria::EstacionesEspeciales) {
    const std::unique_ptr<listeditors::EnlaceListProv> enlace = principal.EnlaceListas();
    listeditors::ListEsp lista(*enlace);
    lista.exec();
    return true;
  }
  return false;
}

std::unique_ptr<ServiciosPrincipal> CreaServiciosPrograma() { return std::make_unique<ServiciosPrograma>(); }

}  // namespace principal
