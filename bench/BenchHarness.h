#pragma once
#include <QString>

#include <functional>

// Times a case and its baseline in the same run and prints one table row.
namespace bench {

struct Timing {
    double seconds = 0; // median of the runs
    int runs = 0;
};

// Runs `prepare` (untimed) then `work` (timed) at least three times and
// until about `budgetSeconds` have gone, at most 30 times.
Timing measure(const std::function<void()>& prepare, const std::function<void()>& work,
               double budgetSeconds = 1.5);

void printHeader();
void printRow(const QString& name, const Timing& ours, const Timing& baseline);

} // namespace bench
