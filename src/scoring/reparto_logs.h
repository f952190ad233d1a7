#pragma once
// The logs of a run handed out to worker threads in list order, and what
// each gave taken back in the same order by the thread that tells the
// progress and writes the files: the outputs are those of a run of one log
// after another, whatever the number of threads.
#include <sched.h>

#include <algorithm>
#include <condition_variable>
#include <cstddef>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace scoring {

template <typename Resultado>
class RepartoLogs {
 public:
  explicit RepartoLogs(std::size_t total) : hechos_(total) {}
  // The next log to work out; false when there are no more (or the run
  // stops). A worker runs at most kAdelanto logs ahead of the taker, so
  // that the outcomes waiting hold little memory.
  bool Toma(std::size_t& indice) {
    std::unique_lock<std::mutex> cierre(cerrojo_);
    hay_sitio_.wait(cierre,
                    [&] { return parar_ || siguiente_ >= hechos_.size() || siguiente_ < tomados_ + kAdelanto; });
    if (parar_ || siguiente_ >= hechos_.size()) return false;
    indice = siguiente_++;
    return true;
  }
  void Entrega(std::size_t indice, std::unique_ptr<Resultado> resultado) {
    {
      std::lock_guard<std::mutex> cierre(cerrojo_);
      hechos_[indice] = std::move(resultado);
    }
    hecho_.notify_all();
  }
  // What log `indice` gave, once it is worked out (taken in order).
  std::unique_ptr<Resultado> Espera(std::size_t indice) {
    std::unique_ptr<Resultado> r;
    {
      std::unique_lock<std::mutex> cierre(cerrojo_);
      hecho_.wait(cierre, [&] { return hechos_[indice] != nullptr; });
      r = std::move(hechos_[indice]);
      tomados_ = indice + 1;
    }
    hay_sitio_.notify_all();
    return r;
  }
  // No more logs are handed out.
  void Para() {
    {
      std::lock_guard<std::mutex> cierre(cerrojo_);
      parar_ = true;
    }
    hay_sitio_.notify_all();
  }

 private:
  static constexpr std::size_t kAdelanto = 16;
  std::mutex cerrojo_;
  std::condition_variable hay_sitio_, hecho_;
  std::vector<std::unique_ptr<Resultado>> hechos_;
  std::size_t siguiente_ = 0, tomados_ = 0;
  bool parar_ = false;
};

// The worker threads of a run. When the group goes, however the run ends,
// `para` is called (no more logs are handed out) and every thread is
// joined: declare it after whatever its threads use.
class GrupoHilos {
 public:
  explicit GrupoHilos(std::function<void()> para) : para_(std::move(para)) {}
  GrupoHilos(const GrupoHilos&) = delete;
  GrupoHilos& operator=(const GrupoHilos&) = delete;
  ~GrupoHilos() {
    para_();
    for (std::thread& h : hilos_) h.join();
  }
  template <typename Trabajo>
  void Arranca(Trabajo&& trabajo) {
    hilos_.emplace_back(std::forward<Trabajo>(trabajo));
  }

 private:
  std::function<void()> para_;
  std::vector<std::thread> hilos_;
};

// The workers of a run: one per processor the calling thread may run on,
// at most 4.
inline std::size_t HilosDeTrabajo() {
  cpu_set_t cpus;
  CPU_ZERO(&cpus);
  std::size_t n = 0;
  if (sched_getaffinity(0, sizeof cpus, &cpus) == 0) n = static_cast<std::size_t>(CPU_COUNT(&cpus));
  if (n == 0) n = std::thread::hardware_concurrency();
  return std::clamp<std::size_t>(n, 1, 4);
}

}  // namespace scoring
