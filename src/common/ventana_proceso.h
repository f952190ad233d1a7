#pragma once
// What a work window offers to the shared procedures that run a list for
// it: list boxes and labels reached by name and the progress panel.
#include <algorithm>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "common/progreso_etapa.h"

// A list box of a window: an ordered list of texts.
class ListaVentana {
 public:
  virtual ~ListaVentana() = default;
  virtual void Limpia() = 0;
  virtual void Agrega(const std::string& texto) = 0;
  virtual std::size_t Cuenta() const = 0;
  virtual std::string Elemento(std::size_t indice) const = 0;
  virtual void Quita(std::size_t indice) = 0;
  // Puts the text in place `indice` (at the end past the last item).
  virtual void Inserta(std::size_t indice, const std::string& texto) {
    std::vector<std::string> v;
    for (std::size_t i = 0; i < Cuenta(); ++i) v.push_back(Elemento(i));
    v.insert(v.begin() + static_cast<std::ptrdiff_t>(std::min(indice, v.size())), texto);
    Reemplaza(std::move(v));
  }
  // Leaves no item selected.
  virtual void QuitaSeleccion() {}
  // The items, when the list keeps them in a vector of its own (read there
  // without a copy of each); nullptr for any other list.
  virtual const std::vector<std::string>* Textos() const { return nullptr; }
  // Replaces the items by `textos`. A list with Textos() takes the vector
  // whole, so that its lines are held once; any other adds them one by one.
  virtual void Reemplaza(std::vector<std::string>&& textos) {
    Limpia();
    for (const std::string& t : textos) Agrega(t);
  }
};

class VentanaProceso {
 public:
  virtual ~VentanaProceso() = default;
  // List box by name ("FicheroCabrillo", "ListasValidas", ...), without
  // regard to case; nullptr when the window has no such list.
  virtual ListaVentana* Lista(std::string_view nombre) = 0;
  // Sets the caption of a label or frame by name ("LProceso", "LValidas",
  // the frame "Lista", ...); ignored when the window has no such control.
  virtual void PonTexto(std::string_view nombre, const std::string& texto) = 0;
  // Caption of a label or frame by name; empty when there is none.
  virtual std::string Texto(std::string_view nombre) const = 0;
  // Progress panel `Proceso` (0 to 100).
  virtual void PonProgreso(int porcentaje) = 0;
  // Yields once to the window system.
  virtual void Cede() {}
};

// Plain implementation for the tests, the benchmarks and the runs without a
// window: lists and labels are created on first use.
class ListaSimple : public ListaVentana {
 public:
  void Limpia() override { elementos.clear(); }
  void Agrega(const std::string& texto) override { elementos.push_back(texto); }
  std::size_t Cuenta() const override { return elementos.size(); }
  std::string Elemento(std::size_t i) const override { return i < elementos.size() ? elementos[i] : std::string(); }
  void Quita(std::size_t i) override {
    if (i < elementos.size()) elementos.erase(elementos.begin() + static_cast<std::ptrdiff_t>(i));
  }
  void Inserta(std::size_t i, const std::string& texto) override {
    elementos.insert(elementos.begin() + static_cast<std::ptrdiff_t>(std::min(i, elementos.size())), texto);
  }
  void QuitaSeleccion() override { seleccion = -1; }
  const std::vector<std::string>* Textos() const override { return &elementos; }
  void Reemplaza(std::vector<std::string>&& textos) override { elementos = std::move(textos); }
  std::vector<std::string> elementos;
  std::ptrdiff_t seleccion = -1;  // index of the selected item, -1 for none
};

class VentanaProcesoSimple : public VentanaProceso {
 public:
  ListaVentana* Lista(std::string_view nombre) override;
  void PonTexto(std::string_view nombre, const std::string& texto) override;
  std::string Texto(std::string_view nombre) const override;
  void PonProgreso(int porcentaje) override { progreso = porcentaje; }

  ListaSimple& ListaPorNombre(std::string_view nombre);

  std::map<std::string, ListaSimple> listas;  // keys in upper case
  std::map<std::string, std::string> textos;  // keys in upper case
  int progreso = 0;
};

// The progress of a stage shown on a window that its caller still reaches
// by name: the step in the label `LProceso`, the percentage in the panel
// `Proceso`, the yield to the window. A failure goes to `al_fallar` (nowhere
// when none is given); a question gets the answer No.
class ProgresoEnVentana : public ProgresoEtapa {
 public:
  explicit ProgresoEnVentana(VentanaProceso& ventana,
                             std::function<void(const std::string& texto, const std::string& titulo)> al_fallar = {})
      : ventana_(ventana), al_fallar_(std::move(al_fallar)) {}
  void Paso(const std::string& texto) override { ventana_.PonTexto("LProceso", texto); }
  void Porcentaje(int porcentaje) override { ventana_.PonProgreso(porcentaje); }
  void Cede() override { ventana_.Cede(); }
  void Fallo(const std::string& texto, const std::string& titulo) override {
    if (al_fallar_) al_fallar_(texto, titulo);
  }
  bool Pregunta(const std::string&, const std::string&) override { return false; }

 private:
  VentanaProceso& ventana_;
  std::function<void(const std::string&, const std::string&)> al_fallar_;
};
