// crear_ledrima OUTPUT_PATH: creates the empty contest database of a new
// installation, with every table in its full layout and no contest. A file
// already at OUTPUT_PATH is never touched.
#include <filesystem>
#include <iostream>
#include <string>
#include <system_error>

#include "database/creacion.h"
#include "plataforma/dao.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "Uso: crear_ledrima RUTA_DE_LA_BASE_DE_DATOS\n";
    return 2;
  }
  const std::string ruta = argv[1];
  std::error_code ec;
  if (std::filesystem::exists(std::filesystem::symlink_status(ruta, ec))) {
    std::cerr << "crear_ledrima: ya existe " << ruta << "; no se modifica.\n";
    return 1;
  }
  try {
    database::CreaBaseConcursosVacia(ruta);
  } catch (const dao::Error& e) {
    std::cerr << "crear_ledrima: error " << e.Number() << ": " << e.Description() << "\n";
    // Leave no half-made database behind (the file did not exist before).
    std::filesystem::remove(ruta, ec);
    return 1;
  } catch (const std::exception& e) {
    std::cerr << "crear_ledrima: " << e.what() << "\n";
    std::filesystem::remove(ruta, ec);
    return 1;
  }
  return 0;
}
