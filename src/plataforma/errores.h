#pragma once
// Failures of the platform layer that callers may catch.
#include <stdexcept>
#include <string>

namespace plataforma {

// A file or folder that cannot be read, written or created.
class ErrorFichero : public std::runtime_error {
 public:
  ErrorFichero(const std::string& ruta, const std::string& motivo)
      : std::runtime_error(motivo + ": " + ruta), ruta_(ruta) {}
  const std::string& Ruta() const { return ruta_; }

 private:
  std::string ruta_;
};

// A printer that is missing or refuses the document.
class ErrorImpresora : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace plataforma
