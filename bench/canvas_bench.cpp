// Mouse moves on the real canvas widget at zoom level 4, repaint included:
// a pencil drag and a line rubber band across the whole picture. Reports the
// median time per move (the target is at most 2 ms on the build machine),
// and the time per move as a ratio to a memset of the area a 1280 x 960
// canvas window shows, measured in the same run.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QMouseEvent>

#include <algorithm>
#include <chrono>
#include <memory>
#include <vector>

#include "memset_baseline.h"
#include "ratio_reporter.h"
#include "window/main_window.h"

namespace {

using chromaloom::ToolKind;
using chromaloom::MainWindow;

std::unique_ptr<MainWindow> ZoomedWindow(ToolKind tool) {
  auto window = std::make_unique<MainWindow>(QStringList{});
  window->resize(1600, 1000);
  window->show();
  window->Controller().SetZoom(4);
  window->View().Render.Redraw(true);
  window->Controller().SelectTool(tool);
  QCoreApplication::processEvents();
  return window;
}

void Send(QWidget* widget, QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons held) {
  QMouseEvent event(type, QPointF(at), widget->mapToGlobal(QPointF(at)), button, held, {});
  QCoreApplication::sendEvent(widget, &event);
}

// Moves from corner to corner of the canvas; each move is timed with the
// repaint it causes.
void TimeMoves(benchmark::State& state, ToolKind tool, Qt::MouseButtons held) {
  auto window = ZoomedWindow(tool);
  QWidget* canvas = window->findChild<QWidget*>("canvas");
  const int w = canvas->width(), h = canvas->height();
  Send(canvas, QEvent::MouseButtonPress, {0, 0}, Qt::LeftButton, Qt::LeftButton);
  QCoreApplication::processEvents();
  std::vector<double> moveMs;
  int step = 0;
  constexpr int Steps = 400;
  for (auto _ : state) {
    const int i = step++ % Steps + 1;
    const QPoint at(static_cast<int>(static_cast<long long>(w - 1) * i / Steps),
                    static_cast<int>(static_cast<long long>(h - 1) * i / Steps));
    const auto start = std::chrono::steady_clock::now();
    Send(canvas, QEvent::MouseMove, at, Qt::NoButton, held);
    // The pending region only, now, as the next frame would paint it
    // (repaint() would paint the whole widget).
    QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateRequest);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    state.SetIterationTime(seconds);
    moveMs.push_back(seconds * 1e3);
  }
  std::nth_element(moveMs.begin(), moveMs.begin() + static_cast<std::ptrdiff_t>(moveMs.size() / 2), moveMs.end());
  state.counters["median_ms"] = moveMs.empty() ? 0.0 : moveMs[moveMs.size() / 2];
}

void BM_CanvasPencilDrag(benchmark::State& state) { TimeMoves(state, ToolKind::Paint, Qt::LeftButton); }
BENCHMARK(BM_CanvasPencilDrag)->UseManualTime()->Iterations(400)->Unit(benchmark::kMillisecond);

void BM_CanvasLineRubberBand(benchmark::State& state) { TimeMoves(state, ToolKind::Line, Qt::NoButton); }
BENCHMARK(BM_CanvasLineRubberBand)->UseManualTime()->Iterations(400)->Unit(benchmark::kMillisecond);

using chromaloom::BM_MemsetVisibleArea;
BENCHMARK(BM_MemsetVisibleArea)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  return chromaloom::RunBenchmarksWithRatios(argc, argv, chromaloom::VisibleAreaBaseline, {});
}
