#pragma once
// A fresh folder for one test, removed with everything in it at the end.
#include <string>
#include <string_view>

namespace soporte {

class CarpetaTemporal {
 public:
  CarpetaTemporal();
  ~CarpetaTemporal();
  CarpetaTemporal(const CarpetaTemporal&) = delete;
  CarpetaTemporal& operator=(const CarpetaTemporal&) = delete;

  const std::string& Ruta() const { return ruta_; }
  // Path of a name inside the folder.
  std::string En(std::string_view relativa) const;
  // Writes raw bytes to a file inside the folder (creating its folders).
  void EscribeBytes(std::string_view relativa, std::string_view bytes) const;
  // Raw bytes of a file inside the folder; empty when it cannot be read.
  std::string LeeBytes(std::string_view relativa) const;
  // Creates a subfolder (and its parents).
  void CreaCarpeta(std::string_view relativa) const;

 private:
  std::string ruta_;
};

}  // namespace soporte
