#pragma once
// Whether the loader has worked through its whole list, from the two counters it publishes.
//
// The loader publishes its total before its first step of progress, so the progress is read first:
// a total read after it is never older than the progress. Two reads in one expression would leave
// the order to the compiler.
template <class Counter>
bool AllLoaded(const Counter& progress, const Counter& total) {
    const auto progressNow = progress.load();
    const auto totalNow = total.load();
    return progressNow == totalNow;
}
