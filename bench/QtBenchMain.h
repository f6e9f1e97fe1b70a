// The main of the benchmarks that need a Qt application: offscreen unless a platform is chosen.
#pragma once

#include <QByteArray>
#include <QtGlobal>
#include <benchmark/benchmark.h>

#include <functional>

template <typename Application>
int runQtBenchmarks(int argc, char **argv, const std::function<void()> &beforeApplicationEnds = {})
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    Application app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    if (beforeApplicationEnds)
        beforeApplicationEnds();
    return 0;
}
