#include <backend/backend.h>

#include <chrono>

namespace backend {
namespace {
std::unique_ptr<Backend>& Slot() {
  static std::unique_ptr<Backend> slot;
  return slot;
}
FramePainter& Painter() {
  static FramePainter painter = nullptr;
  return painter;
}
}  // namespace

Backend* Current() { return Slot().get(); }

void Install(std::unique_ptr<Backend> backend) { Slot() = std::move(backend); }

void SetFramePainter(FramePainter painter) { Painter() = painter; }
FramePainter CurrentFramePainter() { return Painter(); }

std::uint64_t NowMs() {
  if (Backend* b = Current()) return b->NowMs();
  using namespace std::chrono;
  static const auto start = steady_clock::now();
  return static_cast<std::uint64_t>(duration_cast<milliseconds>(steady_clock::now() - start).count());
}

}  // namespace backend
