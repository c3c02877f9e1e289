// The flicker view's cost per display refresh at zoom 4 once both screens
// are uploaded: choosing the screen, then drawing it over the 1280 x 960
// surface and waiting until it is drawn, as ratios to a memset of the
// largest editor image in the same run.
//
// BM_FlickerPresentFrame/4 counts the editor's own thread, which is what
// presenting costs where a graphics card draws; .../process_time counts the
// whole process, where a software renderer's threads draw the pixels too
// (Mesa's llvmpipe under Xvfb). Drawing needs OpenGL, so run it on a
// display; elsewhere those two report an error and only the choice runs.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLFramebufferObject>
#include <QOpenGLFunctions>

#include <memory>

#include "memset_baseline.h"
#include "ratio_reporter.h"
#include "render/picture_bitmap.h"
#include "support/random_picture.h"
#include "window/flicker_painter.h"
#include "window/flicker_window.h"

namespace {

using namespace chromaloom;

constexpr int Zoom = 4;

// A shown window whose images are already with the surface.
std::unique_ptr<FlickerWindow> UploadedWindow() {
  auto window = std::make_unique<FlickerWindow>(nullptr);
  window->SetZoom(Zoom);
  window->ShowPicture(test_support::RandomPicture(1, 3));
  window->NextFrame(false);
  return window;
}

void BM_FlickerChooseScreen(benchmark::State& state) {
  auto window = UploadedWindow();
  for (auto _ : state) benchmark::DoNotOptimize(window->NextFrame(false));
}
BENCHMARK(BM_FlickerChooseScreen)->Unit(benchmark::kMicrosecond);

void BM_FlickerPresentFrame(benchmark::State& state) {
  QOffscreenSurface surface;
  surface.create();
  QOpenGLContext context;
  if (!context.create() || !context.makeCurrent(&surface)) {
    state.SkipWithError("no OpenGL context here");
    return;
  }
  {
    auto window = UploadedWindow();
    QOpenGLFramebufferObject target(FramedScreenWidth * Zoom, FramedScreenHeight * Zoom);
    target.bind();
    QOpenGLFunctions& gl = *context.functions();
    gl.glViewport(0, 0, target.width(), target.height());
    FlickerPainter painter;
    if (!painter.Create()) {
      state.SkipWithError("the context cannot run the drawing");
      return;
    }
    painter.Upload(window->ScreenImage(0), window->ScreenImage(1));
    for (auto _ : state) {
      painter.Draw(window->NextFrame(false).Screen);
      gl.glFinish();  // the frame is drawn, not only queued
    }
    painter.Destroy();
  }
  context.doneCurrent();
}
BENCHMARK(BM_FlickerPresentFrame)->Arg(Zoom)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FlickerPresentFrame)->Arg(Zoom)->Unit(benchmark::kMicrosecond)->MeasureProcessCPUTime();

BENCHMARK(BM_MemsetEditorImage)->Arg(4)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
      qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
    qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  // Upper bound of the ratio to the baseline: 0.5 ms of CPU where the memset
  // takes 2 ms, as on the build machine.
  return RunBenchmarksWithRatios(argc, argv, MemsetBaseline, {{"BM_FlickerPresentFrame/4", 0.25}});
}
