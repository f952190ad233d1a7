#pragma once
// The program's application object: an error that escapes a window event
// is reported as an unhandled error and ends the program.
#include <QApplication>
#include <functional>

namespace plataforma {

class Aplicacion : public QApplication {
 public:
  Aplicacion(int& argc, char** argv);
  bool notify(QObject* receptor, QEvent* evento) override;
};

// Runs the body of main: an exception that reaches it is reported with
// TerminaPorErrorNoControlado. Returns the body's result.
int EjecutaProtegido(const std::function<int()>& cuerpo);

}  // namespace plataforma
