#include "soporte/carpeta_temporal.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace fs = std::filesystem;

namespace soporte {

CarpetaTemporal::CarpetaTemporal() {
  std::string plantilla = (fs::temp_directory_path() / "trovalis-XXXXXX").string();
  if (!mkdtemp(plantilla.data())) throw std::runtime_error("no se puede crear la carpeta temporal");
  ruta_ = plantilla;
}

CarpetaTemporal::~CarpetaTemporal() {
  std::error_code ec;
  fs::remove_all(ruta_, ec);
}

std::string CarpetaTemporal::En(std::string_view relativa) const {
  return ruta_ + "/" + std::string(relativa);
}

void CarpetaTemporal::EscribeBytes(std::string_view relativa, std::string_view bytes) const {
  const fs::path p = En(relativa);
  fs::create_directories(p.parent_path());
  std::ofstream f(p, std::ios::binary | std::ios::trunc);
  f.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string CarpetaTemporal::LeeBytes(std::string_view relativa) const {
  std::ifstream f(En(relativa), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}

void CarpetaTemporal::CreaCarpeta(std::string_view relativa) const {
  fs::create_directories(En(relativa));
}

}  // namespace soporte
