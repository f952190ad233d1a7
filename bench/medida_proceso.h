#pragma once
// What the benchmarks measure of their own process: CPU time of every
// thread and the peak of resident memory.
#include <malloc.h>
#include <sys/resource.h>

#include <cstdlib>
#include <fstream>
#include <string>

namespace bancos {

// CPU seconds of the whole process (every thread, user and system).
inline double SegundosCpu() {
  struct rusage uso {};
  getrusage(RUSAGE_SELF, &uso);
  return static_cast<double>(uso.ru_utime.tv_sec + uso.ru_stime.tv_sec) +
         static_cast<double>(uso.ru_utime.tv_usec + uso.ru_stime.tv_usec) / 1e6;
}

// Peak resident memory of this process since the last reset, in MiB.
inline double PicoMemoria() {
  std::ifstream f("/proc/self/status");
  std::string linea;
  while (std::getline(f, linea))
    if (linea.rfind("VmHWM:", 0) == 0) return std::strtod(linea.c_str() + 6, nullptr) / 1024.0;
  struct rusage uso {};
  getrusage(RUSAGE_SELF, &uso);
  return static_cast<double>(uso.ru_maxrss) / 1024.0;
}

// Starts a new peak at the present resident memory.
inline void ReiniciaPico() {
  malloc_trim(0);
  std::ofstream("/proc/self/clear_refs") << "5";
}

}  // namespace bancos
