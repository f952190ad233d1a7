#pragma once
// The row of `Concursos` on which the contest in hand stands, as the editor
// reads and writes it: by position (columns 0 to 52) and by name (the option
// columns and the columns of the shared values), names without regard to
// letter case.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "mainwindow/campos_editor.h"

namespace principal {

struct ColumnaConcurso {
  std::string Nombre;
  TipoColumna Tipo = TipoColumna::Texto;
  int Tamano = 0;  // characters, for a text column
};

class RegistroConcurso {
 public:
  virtual ~RegistroConcurso() = default;
  // The table definition: every column in table order.
  virtual std::vector<ColumnaConcurso> Definicion() const = 0;
  // The value as text: numbers as digits, a date in its stored form
  // ("yyyy-mm-dd"); nullopt for Null. A position or name that does not exist
  // throws std::out_of_range.
  virtual std::optional<std::string> LeeTexto(int posicion) const = 0;
  virtual std::optional<std::string> LeeTexto(std::string_view nombre) const = 0;
  // A Boolean column; Null reads as False.
  virtual bool LeeBooleano(int posicion) const = 0;
  virtual bool LeeBooleano(std::string_view nombre) const = 0;
  // Writes into the row being edited or added (the caller stores it).
  virtual void EscribeTexto(int posicion, const std::string& valor) = 0;
  virtual void EscribeTexto(std::string_view nombre, const std::string& valor) = 0;
  virtual void EscribeBooleano(int posicion, bool valor) = 0;
  virtual void EscribeBooleano(std::string_view nombre, bool valor) = 0;
};

// A row held in memory, with its own definition (a row being prepared, the
// tests).
class RegistroConcursoMemoria : public RegistroConcurso {
 public:
  explicit RegistroConcursoMemoria(std::vector<ColumnaConcurso> definicion = {});
  std::vector<ColumnaConcurso> Definicion() const override { return definicion_; }
  std::optional<std::string> LeeTexto(int posicion) const override;
  std::optional<std::string> LeeTexto(std::string_view nombre) const override;
  bool LeeBooleano(int posicion) const override;
  bool LeeBooleano(std::string_view nombre) const override;
  void EscribeTexto(int posicion, const std::string& valor) override;
  void EscribeTexto(std::string_view nombre, const std::string& valor) override;
  void EscribeBooleano(int posicion, bool valor) override;
  void EscribeBooleano(std::string_view nombre, bool valor) override;

  // Sets a value directly (nullopt for Null); Booleans as "1" or "0".
  void Pon(std::string_view nombre, std::optional<std::string> valor);
  int Posicion(std::string_view nombre) const;  // -1 when missing
  const std::vector<std::optional<std::string>>& Valores() const { return valores_; }

 private:
  int PosicionObligada(std::string_view nombre) const;
  int PosicionValida(int posicion) const;
  std::vector<ColumnaConcurso> definicion_;
  std::vector<std::optional<std::string>> valores_;
};

// "1", "-1", "True", "true", "Verdadero": True; anything else False.
bool TextoEsVerdadero(const std::optional<std::string>& valor);

}  // namespace principal
