#include "BenchHarness.h"

#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace bench {

Timing measure(const std::function<void()>& prepare, const std::function<void()>& work,
               double budgetSeconds)
{
    std::vector<double> times;
    QElapsedTimer total;
    total.start();
    while (times.size() < 3 || (times.size() < 30 && total.nsecsElapsed() < budgetSeconds * 1e9)) {
        prepare();
        QElapsedTimer one;
        one.start();
        work();
        times.push_back(one.nsecsElapsed() / 1e9);
    }
    std::sort(times.begin(), times.end());
    return {times[times.size() / 2], int(times.size())};
}

void printHeader()
{
    std::printf("%-58s %12s %12s %8s\n", "case", "ours (ms)", "base (ms)", "ratio");
}

void printRow(const QString& name, const Timing& ours, const Timing& baseline)
{
    std::printf("%-58s %12.2f %12.2f %7.2fx\n", qPrintable(name), ours.seconds * 1e3,
                baseline.seconds * 1e3, ours.seconds / baseline.seconds);
    std::fflush(stdout);
}

} // namespace bench
