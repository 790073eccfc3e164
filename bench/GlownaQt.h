#pragma once
// The main of a benchmark that needs a Qt application object (threads that
// post to the program's thread, widgets drawn offscreen): App is
// QCoreApplication or QApplication.
#include <benchmark/benchmark.h>

template <class App>
int GlownaQt(int argc, char** argv) {
    App app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
