// The main window's services on the program's own database files, printers
// and message boxes.
#include <algorithm>
#include <cctype>
#include <filesystem>
#include <sqlite3.h>

#include "database/carpetas.h"
#include "mainwindow/estado_principal.h"
#include "plataforma/impresion.h"
#include "plataforma/mensajes.h"
#include "plataforma/rutas.h"
#include "plataforma/version.h"
#include "mainwindow/servicios_programa.h"

namespace principal {

namespace {

namespace fs = std::filesystem;

// A database file of the working folder, found without regard to letter case.
std::string RutaBase(const std::string& nombre) {
  return plataforma::ResuelveRuta(plataforma::UneRuta(CarpetaTrabajo, nombre));
}

TipoColumna TipoDeclarado(std::string tipo, int& tamano) {
  std::transform(tipo.begin(), tipo.end(), tipo.begin(), [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  tamano = 0;
  auto abre = tipo.find('(');
  if (abre != std::string::npos) tamano = std::atoi(tipo.c_str() + abre + 1);
  auto tiene = [&](const char* s) { return tipo.find(s) != std::string::npos; };
  if (tiene("BOOL") || tiene("BIT") || tiene("YESNO")) return TipoColumna::Booleano;
  if (tiene("DATE") || tiene("TIME")) return TipoColumna::Fecha;
  if (tiene("CHAR") || tiene("TEXT") || tiene("CLOB")) {
    if (tamano <= 0) tamano = 50;
    return TipoColumna::Texto;
  }
  if (tiene("SMALLINT") || tiene("SHORT") || tiene("INT16")) return TipoColumna::Entero16;
  if (tiene("INT") || tiene("LONG")) return TipoColumna::Entero32;
  if (tiene("REAL") || tiene("DOUBLE") || tiene("FLOAT") || tiene("NUMERIC")) return TipoColumna::Doble;
  return TipoColumna::Otro;
}

class Sentencia {
 public:
  Sentencia(sqlite3* db, const std::string& sql) { sqlite3_prepare_v2(db, sql.c_str(), -1, &st_, nullptr); }
  ~Sentencia() { sqlite3_finalize(st_); }
  bool Valida() const { return st_ != nullptr; }
  bool Paso() { return st_ && sqlite3_step(st_) == SQLITE_ROW; }
  sqlite3_stmt* st() { return st_; }
  std::optional<std::string> Texto(int col) {
    if (sqlite3_column_type(st_, col) == SQLITE_NULL) return std::nullopt;
    const unsigned char* t = sqlite3_column_text(st_, col);
    return std::string(t ? reinterpret_cast<const char*>(t) : "");
  }

 private:
  sqlite3_stmt* st_ = nullptr;
};

}  // namespace

ServiciosPrograma::~ServiciosPrograma() {
    if (concursos_) sqlite3_close(concursos_);
    if (paises_) sqlite3_close(paises_);
  }

// The program's version as four numbers joined by points.
std::string ServiciosPrograma::VersionPrograma() {
  std::string version = plataforma::kVersionPrograma;
  int puntos = static_cast<int>(std::count(version.begin(), version.end(), '.'));
  for (; puntos < 3; ++puntos) version += ".0";
  return version;
}

void ServiciosPrograma::ActualizaEsquema() {
    // The contest database must exist before its layout is brought up to date.
    std::string ruta = RutaBase("Ledrima");
    if (!fs::is_regular_file(ruta))
      throw ErrorArranque(ruta, "No se encuentra la base de datos de concursos");
  }

void ServiciosPrograma::AbrirBasesDeDatos() {
    concursos_ = Abre(RutaBase("Ledrima"), false, "de concursos");
    paises_ = Abre(RutaBase("Terravia"), true, "de países");
    definicion_.clear();
    Sentencia s(concursos_, "PRAGMA table_info(Concursos)");
    while (s.Paso()) {
      ColumnaConcurso c;
      c.Nombre = s.Texto(1).value_or("");
      c.Tipo = TipoDeclarado(s.Texto(2).value_or(""), c.Tamano);
      definicion_.push_back(c);
    }
    if (definicion_.empty())
      throw ErrorArranque(RutaBase("Ledrima"), "La base de datos de concursos no tiene la tabla Concursos");
  }

void ServiciosPrograma::AbrirControlConcursos() {}

bool ServiciosPrograma::CargarComboConcursos(ListaConcursos& lista) {
    lista.Limpia();
    Sentencia s(concursos_, "SELECT NumeroOrden, Concurso, Edicion FROM Concursos");
    while (s.Paso()) {
      lista.Agrega(s.Texto(1).value_or("") + " .- Edición: " + s.Texto(2).value_or(""),
                   static_cast<std::int32_t>(sqlite3_column_int64(s.st(), 0)));
    }
    if (lista.Cuenta() == 0) {
      Mensaje("No hay Concursos CONFIGURADOS", "DEFINA ALGUN CONCURSO", IconoMensaje::Informacion);
      return false;
    }
    std::int32_t activo = 0;
    Sentencia c(concursos_, "SELECT ConcursoActivo FROM ControlConcursos");
    if (c.Paso()) activo = static_cast<std::int32_t>(sqlite3_column_int64(c.st(), 0));
    int indice = lista.BuscaNumero(activo);
    lista.Selecciona(indice < 0 ? 0 : indice);
    BuscaConcurso(lista.Numero(lista.Seleccionado()));
    return true;
  }

bool ServiciosPrograma::BuscaConcurso(std::int32_t numero) {
    Sentencia s(concursos_, "SELECT * FROM Concursos WHERE NumeroOrden = ?");
    sqlite3_bind_int64(s.st(), 1, numero);
    if (!s.Paso()) return false;
    auto registro = std::make_unique<RegistroConcursoMemoria>(definicion_);
    int columnas = sqlite3_column_count(s.st());
    for (int i = 0; i < columnas && i < static_cast<int>(definicion_.size()); ++i)
      registro->Pon(definicion_[static_cast<std::size_t>(i)].Nombre, s.Texto(i));
    actual_ = std::move(registro);
    return true;
  }

RegistroConcurso* ServiciosPrograma::ConcursoActual() { return actual_.get(); }
std::vector<ColumnaConcurso> ServiciosPrograma::DefinicionConcursos() { return definicion_; }

void ServiciosPrograma::FijaConcursoActivo(std::int32_t numero) {
    Sentencia cuenta(concursos_, "SELECT count(*) FROM ControlConcursos");
    bool hay = cuenta.Paso() && sqlite3_column_int64(cuenta.st(), 0) > 0;
    // A control table without its row gets one, so that the choice is kept.
    Sentencia s(concursos_, hay ? "UPDATE ControlConcursos SET ConcursoActivo = ?"
                                : "INSERT INTO ControlConcursos (ConcursoActivo, UltimoConcurso) "
                                  "SELECT ?1, coalesce(max(NumeroOrden), 0) FROM Concursos");
    sqlite3_bind_int64(s.st(), 1, numero);
    if (s.Valida()) sqlite3_step(s.st());
  }

std::vector<std::string> ServiciosPrograma::Impresoras() { return plataforma::Impresoras(); }

std::string ServiciosPrograma::ImpresoraActual() { return plataforma::ImpresoraActual(); }

void ServiciosPrograma::EstableceImpresora(const std::string& nombre) { plataforma::EligeImpresora(nombre); }

void ServiciosPrograma::Mensaje(const std::string& texto, const std::string& titulo, IconoMensaje icono) {
  plataforma::Icono i = icono == IconoMensaje::Error         ? plataforma::Icono::Error
                        : icono == IconoMensaje::Pregunta    ? plataforma::Icono::Pregunta
                        : icono == IconoMensaje::Informacion ? plataforma::Icono::Informacion
                                                             : plataforma::Icono::Ninguno;
  plataforma::MsgBox(texto, titulo, i);
}

void ServiciosPrograma::CrearCarpetasConcurso(const std::string& nombre, const std::string& edicion) {
  ::CrearCarpetasConcurso(nombre, edicion);
}

bool ServiciosPrograma::AbreVentana(VentanaSecundaria, QWidget*) { return false; }

sqlite3* ServiciosPrograma::Abre(const std::string& ruta, bool soloLectura, const std::string& cual) {
    if (!fs::is_regular_file(ruta)) throw ErrorArranque(ruta, "No se encuentra la base de datos " + cual);
    sqlite3* db = nullptr;
    int flags = soloLectura ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE;
    if (sqlite3_open_v2(ruta.c_str(), &db, flags, nullptr) != SQLITE_OK) {
      sqlite3_close(db);
      throw ErrorArranque(ruta, "No se puede abrir la base de datos " + cual);
    }
    // A file that is not a database, or that another program holds locked.
    const char* prueba = soloLectura ? "SELECT count(*) FROM sqlite_master" : "BEGIN IMMEDIATE; ROLLBACK;";
    if (sqlite3_exec(db, prueba, nullptr, nullptr, nullptr) != SQLITE_OK) {
      int codigo = sqlite3_errcode(db);
      sqlite3_close(db);
      throw ErrorArranque(ruta, codigo == SQLITE_BUSY || codigo == SQLITE_LOCKED
                                    ? "La base de datos " + cual + " está bloqueada por otro programa"
                                    : "No se puede abrir la base de datos " + cual);
    }
    return db;
  }



std::unique_ptr<ServiciosPrincipal> CreaServiciosPrograma() { return std::make_unique<ServiciosPrograma>(); }

}  // namespace principal
