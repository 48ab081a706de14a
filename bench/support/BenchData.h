#pragma once

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QString>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

/// The middle of the timings: one slow round (a cache miss, the other core busy) does not
/// move it.
inline double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

/// The folder the shared data scripts write to ($KORVANE_BENCH_DATA), made when missing.
inline QString BenchDataRoot() {
    const QString root = qEnvironmentVariable("KORVANE_BENCH_DATA", "/tmp/korvane-bench");
    QDir().mkpath(root);
    return root;
}

/// The path of a data set under the root; when ready() says it is not there yet, the shared
/// script makes it. The script runs through its own #! line: the python3 first on PATH may
/// lack numpy.
inline QString BenchData(const QString& name, const QString& script,
                         const std::function<bool(const QString&)>& ready) {
    const QString path = BenchDataRoot() + '/' + name;
    if (!ready(path)) {
        std::printf("making %s ...\n", qPrintable(path));
        std::fflush(stdout);
        QProcess::execute(QString(KORVANE_BENCH_SCRIPTS) + '/' + script, {path});
    }
    return path;
}
