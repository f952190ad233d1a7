#include "plataforma/rutas.h"

#include <dirent.h>

#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <mutex>
#include <system_error>
#include <unordered_map>

#include "plataforma/texto.h"

namespace fs = std::filesystem;

namespace plataforma {
namespace {

bool Existe(const std::string& ruta) {
  std::error_code ec;
  return fs::exists(fs::symlink_status(ruta, ec));
}

// Order of names without regard to case; names equal but for case in byte
// order, so the order is always the same.
bool Antes(const std::string& clave_a, const std::string& a, const std::string& clave_b, const std::string& b) {
  if (clave_a != clave_b) return clave_a < clave_b;
  return a < b;
}

// Names in a folder, sorted without regard to case; tipo 0 all entries,
// 1 ordinary files, 2 folders.
std::vector<std::string> Nombres(const std::string& carpeta, int tipo) {
  std::vector<std::pair<std::string, std::string>> pares;  // key, name
  std::error_code ec;
  fs::directory_iterator it(carpeta.empty() ? "." : carpeta, ec);
  if (ec) return {};
  for (const auto& e : it) {
    std::error_code ec2;
    if (tipo == 1 && !e.is_regular_file(ec2)) continue;
    if (tipo == 2 && !e.is_directory(ec2)) continue;
    std::string n = e.path().filename().string();
    pares.emplace_back(Mayusculas(n), std::move(n));
  }
  std::sort(pares.begin(), pares.end());
  std::vector<std::string> r;
  r.reserve(pares.size());
  for (auto& p : pares) r.push_back(std::move(p.second));
  return r;
}

// The entry of a folder whose name equals `nombre` but for case (the first
// in the listing order when several do); empty when there is none.
std::string BuscaEnDisco(const std::string& carpeta, const std::string& nombre) {
  // Read with the plain directory calls: a folder of many logs is walked
  // without building a path for every entry.
  DIR* dir = opendir(carpeta.empty() ? "." : carpeta.c_str());
  if (!dir) return {};
  std::string mejor, clave_mejor;
  while (const dirent* e = readdir(dir)) {
    const std::string_view vista(e->d_name);
    if (vista == "." || vista == ".." || !IgualesSinCaso(vista, nombre)) continue;
    std::string n(vista);
    std::string clave = Mayusculas(n);
    if (mejor.empty() || Antes(clave, n, clave_mejor, mejor)) {
      mejor = std::move(n);
      clave_mejor = std::move(clave);
    }
  }
  closedir(dir);
  return mejor;
}

// The folders listed while a ListadosEnMemoria lives: each name under its
// upper-cased form, and the folder's modification time they match.
struct Listado {
  timespec hora{};
  std::unordered_map<std::string, std::vector<std::string>> nombres;
};

struct Listados {
  std::mutex cerrojo;
  int activos = 0;
  std::unordered_map<std::string, Listado> carpetas;
};

Listados& LosListados() {
  static Listados l;
  return l;
}

bool HoraDe(const std::string& carpeta, timespec& hora) {
  struct stat st {};
  if (::stat(carpeta.empty() ? "." : carpeta.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) return false;
  hora = st.st_mtim;
  return true;
}

bool MismaHora(const timespec& a, const timespec& b) { return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec; }

// The folder and the name of a path.
std::pair<std::string, std::string> Partes(const std::string& ruta) {
  const std::size_t barra = ruta.find_last_of('/');
  if (barra == std::string::npos) return {std::string(), ruta};
  return {barra == 0 ? std::string("/") : ruta.substr(0, barra), ruta.substr(barra + 1)};
}

std::string BuscaSinCaso(const std::string& carpeta, const std::string& nombre) {
  Listados& l = LosListados();
  std::unique_lock<std::mutex> cierre(l.cerrojo);
  if (l.activos == 0) {
    cierre.unlock();
    return BuscaEnDisco(carpeta, nombre);
  }
  timespec hora{};
  if (!HoraDe(carpeta, hora)) {
    l.carpetas.erase(carpeta);
    return {};
  }
  auto it = l.carpetas.find(carpeta);
  if (it == l.carpetas.end() || !MismaHora(it->second.hora, hora)) {
    // Listed afresh; the time is the one before the listing, so a change
    // made meanwhile lists the folder again on the next search.
    Listado nuevo;
    nuevo.hora = hora;
    DIR* dir = opendir(carpeta.empty() ? "." : carpeta.c_str());
    if (!dir) return {};
    while (const dirent* e = readdir(dir)) {
      const std::string_view vista(e->d_name);
      if (vista == "." || vista == "..") continue;
      nuevo.nombres[Mayusculas(vista)].emplace_back(vista);
    }
    closedir(dir);
    it = l.carpetas.insert_or_assign(carpeta, std::move(nuevo)).first;
  }
  const auto grupo = it->second.nombres.find(Mayusculas(nombre));
  if (grupo == it->second.nombres.end()) return {};
  std::string mejor, clave_mejor;
  for (const std::string& n : grupo->second) {
    if (!IgualesSinCaso(n, nombre)) continue;
    std::string clave = Mayusculas(n);
    if (mejor.empty() || Antes(clave, n, clave_mejor, mejor)) {
      mejor = n;
      clave_mejor = std::move(clave);
    }
  }
  return mejor;
}

void AnotaCambio(const std::string& ruta, bool creado) {
  Listados& l = LosListados();
  std::lock_guard<std::mutex> cierre(l.cerrojo);
  if (l.activos == 0) return;
  const auto [carpeta, nombre] = Partes(ruta);
  auto it = l.carpetas.find(carpeta);
  if (it == l.carpetas.end() || nombre.empty()) return;
  timespec hora{};
  if (!HoraDe(carpeta, hora)) {
    l.carpetas.erase(it);
    return;
  }
  std::vector<std::string>& grupo = it->second.nombres[Mayusculas(nombre)];
  const auto esta = std::find(grupo.begin(), grupo.end(), nombre);
  if (creado && esta == grupo.end()) grupo.push_back(nombre);
  if (!creado && esta != grupo.end()) grupo.erase(esta);
  it->second.hora = hora;
}

}  // namespace

std::string CarpetaActual() {
  std::error_code ec;
  const fs::path p = fs::current_path(ec);
  return ec ? std::string(".") : p.string();
}

std::string UneRuta(std::string_view a, std::string_view b) {
  if (a.empty()) return std::string(b);
  if (b.empty()) return std::string(a);
  std::string r(a);
  while (r.size() > 1 && (r.back() == '/' || r.back() == '\\')) r.pop_back();
  while (!b.empty() && (b.front() == '/' || b.front() == '\\')) b.remove_prefix(1);
  if (r != "/") r += '/';
  r.append(b);
  return r;
}

std::string ResuelveRuta(const std::string& ruta) {
  // A backslash separates components as a slash does, so a path written
  // the old way still finds its file.
  std::string texto = ruta;
  std::replace(texto.begin(), texto.end(), '\\', '/');
  std::vector<std::string> partes;
  std::size_t i = 0;
  while (i <= texto.size()) {
    const std::size_t j = std::min(texto.find('/', i), texto.size());
    partes.push_back(texto.substr(i, j - i));
    i = j + 1;
  }
  const bool absoluta = !texto.empty() && texto.front() == '/';
  std::string resultado = absoluta ? "/" : "";
  bool buscando = true;  // false once a component does not exist
  for (std::size_t k = 0; k < partes.size(); ++k) {
    std::string parte = partes[k];
    if (parte.empty()) continue;
    if (buscando && parte != "." && parte != "..") {
      const std::string directo = UneRuta(resultado, parte);
      if (!Existe(directo)) {
        std::string hallado = BuscaSinCaso(resultado.empty() ? "." : resultado, parte);
        if (hallado.empty())
          buscando = false;
        else
          parte = std::move(hallado);
      }
    }
    resultado = UneRuta(resultado, parte);
  }
  if (resultado.empty()) return texto.empty() ? std::string() : std::string(".");
  if (!texto.empty() && texto.back() == '/' && resultado.back() != '/') resultado += '/';
  return resultado;
}

ListadosEnMemoria::ListadosEnMemoria() {
  Listados& l = LosListados();
  std::lock_guard<std::mutex> cierre(l.cerrojo);
  ++l.activos;
}

ListadosEnMemoria::~ListadosEnMemoria() {
  Listados& l = LosListados();
  std::lock_guard<std::mutex> cierre(l.cerrojo);
  if (--l.activos == 0) l.carpetas.clear();
}

void AnotaFicheroCreado(const std::string& ruta_resuelta) { AnotaCambio(ruta_resuelta, true); }
void AnotaFicheroBorrado(const std::string& ruta_resuelta) { AnotaCambio(ruta_resuelta, false); }

bool ExisteFichero(const std::string& ruta) {
  std::error_code ec;
  return fs::is_regular_file(ResuelveRuta(ruta), ec);
}

bool ExisteCarpeta(const std::string& ruta) {
  std::error_code ec;
  return fs::is_directory(ResuelveRuta(ruta), ec);
}

std::vector<std::string> ListaFicheros(const std::string& carpeta) { return Nombres(ResuelveRuta(carpeta), 1); }

std::vector<std::string> ListaCarpetas(const std::string& carpeta) { return Nombres(ResuelveRuta(carpeta), 2); }

bool CopiaFichero(const std::string& origen, const std::string& destino) {
  const std::string o = ResuelveRuta(origen);
  const std::string d = ResuelveRuta(destino);
  std::error_code ec;
  if (!fs::is_regular_file(o, ec)) return false;
  if (fs::exists(d, ec) && fs::equivalent(o, d, ec)) return true;
  // Copied beside the destination and renamed over it: a full disk or a stop
  // half-way never leaves a cut-off copy.
  const std::string temporal = NombreTemporal(d);
  fs::copy_file(o, temporal, fs::copy_options::overwrite_existing, ec);
  if (!ec) fs::rename(temporal, d, ec);
  if (ec) {
    std::error_code ignorado;
    fs::remove(temporal, ignorado);
    return false;
  }
  AnotaFicheroCreado(d);
  return true;
}

bool RenombraFichero(const std::string& origen, const std::string& destino) {
  const std::string o = ResuelveRuta(origen);
  std::string d = ResuelveRuta(destino);
  std::error_code ec;
  if (!fs::exists(fs::symlink_status(o, ec))) return false;
  if (Existe(d)) {
    if (!fs::equivalent(o, d, ec) || ec) return false;
    // The same file under another spelling: the new name as written.
    std::string escrito = destino;
    std::replace(escrito.begin(), escrito.end(), '\\', '/');
    d = (fs::path(d).parent_path() / fs::path(escrito).filename()).string();
  }
  fs::rename(o, d, ec);
  if (ec) return false;
  AnotaFicheroBorrado(o);
  AnotaFicheroCreado(d);
  return true;
}

bool BorraFichero(const std::string& ruta) {
  const std::string r = ResuelveRuta(ruta);
  std::error_code ec;
  if (fs::is_directory(fs::symlink_status(r, ec))) return false;
  if (!fs::remove(r, ec) || ec) return false;
  AnotaFicheroBorrado(r);
  return true;
}

bool CreaCarpeta(const std::string& ruta) {
  const std::string r = ResuelveRuta(ruta);
  std::error_code ec;
  fs::create_directories(r, ec);
  return fs::is_directory(r, ec);
}

std::string NombreSeguro(std::string_view nombre) {
  // A name given as a path names its last component.
  const auto barra = nombre.find_last_of("/\\");
  if (barra != std::string_view::npos) nombre.remove_prefix(barra + 1);
  std::string limpio;
  for (char32_t c : ACodigos(nombre)) {
    if (c < 0x20 || c == 0x7F || (c >= 0x80 && c <= 0x9F)) continue;
    limpio += DesdeCodigos(std::u32string_view(&c, 1));
  }
  limpio = Recorta(limpio);
  // At most 255 bytes, the limit of a file name, cut at a character border.
  while (limpio.size() > 255) {
    std::size_t fin = limpio.size() - 1;
    while (fin > 0 && (static_cast<unsigned char>(limpio[fin]) & 0xC0) == 0x80) --fin;
    limpio.resize(fin);
  }
  if (limpio.empty() || limpio == "." || limpio == "..") return "_";
  return limpio;
}

}  // namespace plataforma
